// A host whose manifest puts it on the UTF-8 code page: the library takes and gives UTF-8 bytes
// through its ANSI interface. Names outside ASCII go down to the folders and come back up into
// the tree byte for byte, and a text is only ever cut at a whole character.
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/deployment.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

namespace {

class Utf8Host : public ::testing::Test, protected VorlanxExports {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 65001u) << "the manifest's activeCodePage was not honoured";
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

TEST_F(Utf8Host, NamesOutsideAsciiAreMadeRenamedShownAndChosenByteForByte)
{
    for (const char* area : {"Müller", "営業部", "AB"})
        MakeArea(storage, area, "open");
    ASSERT_EQ(create(nullptr, "1", "Müller", "", "Käse", "Grüße, 営業"), VORLANX_OK);
    ASSERT_EQ(create(nullptr, "1", "営業部", "", "東京", ""), VORLANX_OK);
    ASSERT_EQ(edit(nullptr, "1", "営業部", "東京", "大阪", "関西"), VORLANX_OK);
    EXPECT_EQ(FolderEntries(storage + "\\営業部"), (std::vector<std::string>{"login.ctl", "大阪"}));
    ASSERT_EQ(retrieve(nullptr, "1", "Müller", "Käse", name, description), VORLANX_OK);
    EXPECT_STREQ(name, "Käse");
    EXPECT_STREQ(description, "Grüße, 営業");
    ASSERT_EQ(retrieve(nullptr, "1", "営業部", "大阪", name, description), VORLANX_OK);
    EXPECT_STREQ(description, "関西");

    std::string tree;
    DialogDriver driver([&](HWND dialog) {
        HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
        tree = DumpTree(hTree);
        ClickTreeItem(hTree, FindItem(hTree, "大阪"));
        ClickButton(dialog, IDOK);
    });
    char* result = browse(nullptr, "1", "");
    ASSERT_TRUE(driver.Ran());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(std::string(result), "1:営業部/大阪");
    free(result);
    EXPECT_EQ(tree, "Storage devices|0\n"
                    "  1:|1\n"
                    "    AB|2\n"
                    "    Müller|2\n"
                    "      Käse|6\n"
                    "    営業部|2\n"
                    "      大阪|6\n");
}

// Another program wrote more than the record holds: the text is cut before the character that
// would not fit whole, never inside it.
TEST_F(Utf8Host, AnOverLongDescriptionIsCutAtAWholeCharacter)
{
    MakeArea(storage, "AREA1", "open");
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", ""), VORLANX_OK);
    const struct {
        std::string character;
        size_t kept;  // bytes of it that come back
    } cases[] = {{"é", 254}, {"営", 255}, {"😀", 252}};
    for (const auto& c : cases) {
        std::string text;
        while (text.size() < 400)
            text += c.character;
        WriteTextFile(storage + "\\AREA1\\CAT\\category.txt", text);
        ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "CAT", name, description), VORLANX_OK);
        EXPECT_EQ(description, text.substr(0, c.kept)) << c.character;
    }
}

}  // namespace
