// Double-byte texts with Wine in code page 932: the test run starts this program under a Japanese
// locale. Names whose trail byte is a backslash must stay one name from the exports down to the
// folders and back up into the tree, and descriptions come back byte for byte. The test run also
// starts it under a Chinese (936) and a Korean (949) locale for the resource library of each.
#include "resource.h"
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/language_messages.h"
#include "support/drivers/tree_dump.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Each ends in 0x5C, the byte of '\'.
const std::string kSo = "\x83\x5c";   // katakana so
const std::string kHyo = "\x95\x5c";  // "table"
const std::string kNou = "\x94\x5c";  // "ability"


class DoubleByte : public ::testing::Test, protected VorlanxExports {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 932u) << "the test run sets a Japanese locale for this program";
        const std::string root = deployment.MakeDevice("1");
        storage = root + "\\userroot\\storage";
        deployment.WriteStorageIni({{"1", root}});
        ASSERT_TRUE(Bind(deployment.Load("vorlanx.dll")));
    }

    Deployment deployment;
    std::string storage;
    char name[VORLANX_NAME_SIZE] = {};
    char description[VORLANX_DESCRIPTION_SIZE] = {};
};

TEST_F(DoubleByte, NamesEndingInABackslashByteAreOneFolderEach)
{
    MakeArea(storage, kSo, "open");
    const std::string area = storage + "\\" + kSo;
    ASSERT_EQ(create(nullptr, "1", kSo.c_str(), "", kHyo.c_str(), (kNou + " words").c_str()),
              VORLANX_OK);
    EXPECT_EQ(FolderEntries(area), (std::vector<std::string>{"login.ctl", kHyo}));
    ASSERT_EQ(create(nullptr, "1", kSo.c_str(), kHyo.c_str(), kNou.c_str(), ""), VORLANX_OK);
    EXPECT_EQ(FolderEntries(area + "\\" + kHyo), (std::vector<std::string>{"category.txt", kNou}));

    ASSERT_EQ(retrieve(nullptr, "1", kSo.c_str(), kHyo.c_str(), name, description), VORLANX_OK);
    EXPECT_EQ(name, kHyo);
    EXPECT_EQ(description, kNou + " words");
    ASSERT_EQ(retrieve(nullptr, "1", kSo.c_str(), (kHyo + "#" + kNou).c_str(), name, description),
              VORLANX_OK);
    EXPECT_EQ(name, kNou);

    // A rename to another such name moves the folder with what is below it.
    ASSERT_EQ(edit(nullptr, "1", kSo.c_str(), kHyo.c_str(), kSo.c_str(), "moved"), VORLANX_OK);
    EXPECT_EQ(FolderEntries(area), (std::vector<std::string>{"login.ctl", kSo}));
    EXPECT_TRUE(Exists(area + "\\" + kSo + "\\" + kNou));
    EXPECT_EQ(ReadTextFile(area + "\\" + kSo + "\\category.txt"), "moved");
}

TEST_F(DoubleByte, ALeadByteWithoutItsTrailByteIsNoName)
{
    MakeArea(storage, "AREA1", "open");
    const std::string area = storage + "\\AREA1";
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "AB\x83", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "\x83", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(FolderEntries(area), (std::vector<std::string>{"login.ctl"}));

    // A description is bytes: what was stored comes back as it was, a lone lead byte at the end
    // included, also at the full 255 bytes.
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", (kSo + "ab\x83").c_str()), VORLANX_OK);
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "CAT", name, description), VORLANX_OK);
    EXPECT_EQ(description, kSo + "ab\x83");
    std::string longest;
    for (int i = 0; i < 127; ++i)
        longest += kNou;
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "CAT", "CAT", (longest + "\x94").c_str()), VORLANX_OK);
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "CAT", name, description), VORLANX_OK);
    EXPECT_EQ(description, longest + "\x94");
    // Only a longer file that something else wrote is cut, at the last whole character.
    WriteTextFile(area + "\\CAT\\category.txt", longest + kNou + kNou);
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "CAT", name, description), VORLANX_OK);
    EXPECT_EQ(description, longest);
}

TEST_F(DoubleByte, TheBrowserSortsShowsAndReturnsDoubleByteNames)
{
    MakeArea(storage, kNou, "open");
    MakeArea(storage, kSo, "open");
    MakeArea(storage, "AB", "open");
    MakeArea(storage, "_X", "open");
    MakeFolders(storage + "\\" + kSo + "\\" + kHyo + "\\" + kNou);
    std::string tree;
    DialogDriver driver([&](HWND dialog) {
        HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
        tree = DumpTree(hTree);
        ClickTreeItem(hTree, FindItem(hTree, kHyo));
        ClickButton(dialog, IDOK);
    });
    char* result = browse(nullptr, "1", "");
    ASSERT_TRUE(driver.Ran());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(std::string(result), "1:" + kSo + "/" + kHyo);
    free(result);
    // Characters compare as units: the double-byte ones after every single byte.
    EXPECT_EQ(tree, "Storage devices|0\n"
                    "  1:|1\n"
                    "    _X|2\n"
                    "    AB|2\n"
                    "    " + kSo + "|2\n"
                    "      " + kHyo + "|6\n"
                    "        " + kNou + "|6\n"
                    "    " + kNou + "|2\n");
}

// The resource library made for the process's code page: its messages show whole, with every
// character that the library holds.
TEST(DoubleByteLanguage, TheMessagesOfTheCodePagesLanguageShowWhole)
{
    const std::map<UINT, std::string> languageOf = {{932, "ja"}, {936, "zh-CN"}, {949, "ko"}};
    ASSERT_EQ(languageOf.count(GetACP()), 1u) << "code page " << GetACP();
    const LanguageMessages messages = SubFolderMessagesIn(languageOf.at(GetACP()));
    ASSERT_EQ(messages.held.size(), 2u);
    EXPECT_EQ(messages.shown, messages.held);
}

}  // namespace
