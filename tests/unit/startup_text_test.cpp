#include "api/startup_text.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupText, TheTwoMessagesWordForWord)
{
    EXPECT_EQ(IncompatibleVersionMessage("vorlanxres.dll"),
              "Error loading resource DLL! (vorlanxres.dll)  Incompatible version.\n"
              "Untranslated resources will be used.");
    EXPECT_EQ(LoadFailureMessage("Ostrel.dll", 193),
              "Error loading resource DLL! (Ostrel.dll)  Error Code 193.\n"
              "Untranslated resources will be used.");
    // Unsigned, in decimal, whatever its size.
    EXPECT_EQ(LoadFailureMessage("x", 0xFFFFFFFFu),
              "Error loading resource DLL! (x)  Error Code 4294967295.\n"
              "Untranslated resources will be used.");
    EXPECT_EQ(LoadFailureMessage("x", 0),
              "Error loading resource DLL! (x)  Error Code 0.\nUntranslated resources will be used.");
}

TEST(StartupText, EveryPartOfTheProductVersionCounts)
{
    const uint32_t ms = 0x00010002, ls = 0x00030004;  // 1.2.3.4
    EXPECT_TRUE(SameProductVersion(ms, ls, ms, ls));
    EXPECT_FALSE(SameProductVersion(ms, ls, ms, ls + 1));          // revision
    EXPECT_FALSE(SameProductVersion(ms, ls, ms, ls + 0x10000));    // build
    EXPECT_FALSE(SameProductVersion(ms, ls, ms + 1, ls));          // minor
    EXPECT_FALSE(SameProductVersion(ms, ls, ms + 0x10000, ls));    // major
    EXPECT_FALSE(SameProductVersion(ms, ls, ls, ms));
}

}  // namespace
