#include "names/own_names.h"
#include "formats/record_text.h"

#include <gtest/gtest.h>

namespace {

TEST(OwnNames, TemporaryNamesAreTheStoresInAnyCaseWithOneToFourDigits)
{
    EXPECT_EQ(TemporaryName(Temporary::Description, 0x12A3F), "~ct2A3F.tmp");
    EXPECT_EQ(TemporaryName(Temporary::NewCategory, 7), "~cn0007.tmp");
    EXPECT_EQ(TemporaryName(Temporary::DeletedCategory, 0xBEEF), "~cdBEEF.tmp");
    for (const char* name : {"~ct2A3F.tmp", "~CT7a3.TMP", "~ct0.tmp"})
        EXPECT_TRUE(IsTemporaryName(name, Temporary::Description)) << name;
    for (const char* name : {"~ct.tmp", "~ct12345.tmp", "~ct12G4.tmp", "~cn1234.tmp", "ct1234.tmp",
                             "~ct1234.tmp2", "~ct1234.txt"})
        EXPECT_FALSE(IsTemporaryName(name, Temporary::Description)) << name;
    EXPECT_TRUE(IsTemporaryName("~CD0001.tmp", Temporary::DeletedCategory));
}

TEST(OwnNames, ARenameLeftoverNamesTheFolderItCameFrom)
{
    std::string base;
    EXPECT_TRUE(IsRenameLeftover("CAT.~rename", &base));
    EXPECT_EQ(base, "CAT");
    EXPECT_TRUE(IsRenameLeftover("x.~RENAME"));
    for (const char* name : {".~rename", "CAT", "CAT.~renam", "CAT.~rename2"})
        EXPECT_FALSE(IsRenameLeftover(name)) << name;
}

TEST(OwnNames, EveryNameTheStoreUsesIsItsOwnWithoutCase)
{
    for (const char* name : {"category.txt", "CATEGORY.TXT", "Login.Ctl", "~VORLANX.LCK",
                             "~ct1F2A.tmp", "~cn0001.tmp", "~cdFFFF.TMP", "cat.~rename"})
        EXPECT_TRUE(IsOwnName(name)) << name;
    for (const char* name : {"category", "category.txt2", "login", "~vorlanx", "CAT", "~cx0001.tmp"})
        EXPECT_FALSE(IsOwnName(name)) << name;
    // Only the folders that writes leave are leftovers; a file name of the store is not one.
    EXPECT_TRUE(IsLeftoverFolder("~cn12.tmp"));
    EXPECT_FALSE(IsLeftoverFolder("category.txt"));
    EXPECT_FALSE(IsLeftoverFolder("~ct0001.tmp"));
    // A category takes neither them, nor '#', nor what no folder carries.
    EXPECT_TRUE(IsCategoryName("CAT", CodePage()));
    for (const char* name : {"category.txt", "~CN0001.tmp", "a#b", "CON", "a."})
        EXPECT_FALSE(IsCategoryName(name, CodePage())) << name;
}

TEST(RecordText, OnlyALongerTextIsCutAndNeverInsideACharacter)
{
    const std::string fits(255, 'a');
    EXPECT_EQ(CutToRecord(fits.data(), fits.size(), CodePage()), fits);
    EXPECT_EQ(CutToRecord("ab\0cd", 5, CodePage()), "ab");
    const std::string longer = std::string(254, 'a') + "\x83\x41" + "z";
    EXPECT_EQ(CutToRecord(longer.data(), longer.size(), CodePage::Cp932()), std::string(254, 'a'));
    EXPECT_EQ(CutToRecord(longer.data(), longer.size(), CodePage()), longer.substr(0, 255));
    const std::string kanji = std::string(253, 'a') + "\xE5\x96\xB6";  // ends 1 byte past the cut
    EXPECT_EQ(CutToRecord(kanji.data(), kanji.size(), CodePage::Utf8()), std::string(253, 'a'));
}

}  // namespace
