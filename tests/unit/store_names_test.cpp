#include "names/folder_names.h"
#include "names/own_names.h"

#include <gtest/gtest.h>

namespace {

const CodePage kLatin;
const CodePage& kSjis = CodePage::Cp932();

TEST(FolderName, AcceptsWhatAFolderCanCarry)
{
    for (const char* name : {"SUB", "a", "AB-12_x", "with space", "x.y", "CONSOLE", "COM0", "COM10",
                             "LPT", "nul2"})
        EXPECT_TRUE(IsFolderName(name, kLatin, false)) << name;
    EXPECT_TRUE(IsFolderName(std::string(255, 'x'), kLatin, false));
    EXPECT_TRUE(IsFolderName("X#Y", kLatin, true));
    // A double-byte character whose trail byte is '\' is one character, not a separator.
    EXPECT_TRUE(IsFolderName("\x95\x5C", kSjis, false));
}

TEST(FolderName, RefusesReservedDeviceNamesSeparatorsAndTrailingDots)
{
    for (const char* name : {"", "CON", "con", "Nul", "PRN", "AUX", "COM1", "lpt9", "NUL.txt",
                             "CON .txt", "CONIN$", "a/b", "a\\b", "a:b", "a*", "a?", "a\"b", "<a>",
                             "a|b", ".", "..", "a.", "a ", "tab\there", "a#b"})
        EXPECT_FALSE(IsFolderName(name, kLatin, false)) << name;
    EXPECT_FALSE(IsFolderName(std::string(256, 'x'), kLatin, false));
    EXPECT_FALSE(IsFolderName(std::string("a\0b", 3), kLatin, false));
    // In a single-byte code page 0x5C after 0x95 is a backslash.
    EXPECT_FALSE(IsFolderName("\x95\x5C", kLatin, false));
    EXPECT_FALSE(IsFolderName("ab\x83", kSjis, false));  // lead byte without its trail byte
    for (const char* name : {"ab\xC3", "\xC3" "ab", "a\xA9" "b", "\xE5\x96"})
        EXPECT_FALSE(IsFolderName(name, CodePage::Utf8(), false)) << name;  // a broken sequence
}

TEST(CategoryPath, SplitsAtEveryHashOutsideDoubleByteCharacters)
{
    using Levels = std::vector<std::string>;
    EXPECT_EQ(SplitCategoryPath("", kLatin), Levels{});
    EXPECT_EQ(SplitCategoryPath("CAT", kLatin), Levels{"CAT"});
    EXPECT_EQ(SplitCategoryPath("CAT#SUB#LEAF", kLatin), (Levels{"CAT", "SUB", "LEAF"}));
    EXPECT_EQ(SplitCategoryPath("#", kLatin), (Levels{"", ""}));
    EXPECT_EQ(SplitCategoryPath("\x83\x23#x", kSjis), (Levels{"\x83\x23", "x"}));
}

TEST(Paths, JoinWithExactlyOneBackslash)
{
    EXPECT_EQ(JoinPath("C:\\", "userroot", kLatin), "C:\\userroot");
    EXPECT_EQ(JoinPath("C:\\dev", "userroot", kLatin), "C:\\dev\\userroot");
    EXPECT_EQ(JoinPath("C:\\dev", "\\userroot", kLatin), "C:\\dev\\userroot");
    EXPECT_EQ(JoinPath("", "x", kLatin), "x");
    // A folder ending in a double-byte character with trail byte 0x5C still needs its backslash.
    EXPECT_EQ(JoinPath("C:\\\x95\x5C", "x", kSjis), "C:\\\x95\x5C\\x");
}

TEST(Roots, OnlyDrivePathsAndUncPathsAreAbsolute)
{
    for (const char* root : {"C:\\", "c:\\dev\\1", "Z:/srv", "\\\\fileserver\\data",
                             "\\\\fileserver\\data\\dev5", "//server/share"})
        EXPECT_TRUE(IsAbsoluteRoot(root)) << root;
    for (const char* root : {"", "dev", ".\\dev", "..\\dev", "C:", "C:dev", "\\dev", "\\\\server",
                             "\\\\server\\", "\\\\\\share", "\\\\.\\C:", "\\\\?\\C:\\x", "1:\\x"})
        EXPECT_FALSE(IsAbsoluteRoot(root)) << root;
}

TEST(Paths, ACategoryFolderLeavesRoomForItsFiles)
{
    EXPECT_TRUE(FitsCategoryFolder(std::string(246, 'p')));
    EXPECT_FALSE(FitsCategoryFolder(std::string(247, 'p')));
    EXPECT_TRUE(SameName("Cat", "cAT"));
    EXPECT_FALSE(SameName("Cat", "Cats"));
}

}  // namespace
