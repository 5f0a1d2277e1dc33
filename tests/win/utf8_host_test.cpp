// A host on the UTF-8 code page (its manifest asks for it), with the German resource library.
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/language_messages.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/deployment.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Utf8Host, NamesOutsideAsciiComeBackByteForByteAndTextsAreCutAtWholeCharacters)
{
    ASSERT_EQ(GetACP(), 65001u) << "the manifest's activeCodePage was not honoured";
    Deployment deployment;
    const std::string storage = deployment.MakeDevice("1") + "\\userroot\\storage";
    deployment.WriteStorageIni({{"1", deployment.Folder() + "\\devices\\1"}});
    CopyFileA((BinFolder() + "\\lang\\de\\vorlanxres.dll").c_str(),
              (deployment.Folder() + "\\vorlanxres.dll").c_str(), FALSE);
    VorlanxExports vorlanx;
    ASSERT_TRUE(vorlanx.Bind(deployment.Load("vorlanx.dll")));
    for (const char* area : {"Müller", "営業部", "AB"})
        MakeArea(storage, area, "open");
    char name[VORLANX_NAME_SIZE] = {}, description[VORLANX_DESCRIPTION_SIZE] = {};
    ASSERT_EQ(vorlanx.create(nullptr, "1", "Müller", "", "Käse", ""), VORLANX_OK);
    ASSERT_EQ(vorlanx.edit(nullptr, "1", "Müller", "Käse", "大阪", "Grüße, 関西"), VORLANX_OK);
    ASSERT_EQ(vorlanx.retrieve(nullptr, "1", "Müller", "大阪", name, description), VORLANX_OK);
    EXPECT_EQ(name + std::string("|") + description, "大阪|Grüße, 関西");
    std::string tree;
    char caption[80] = {};
    DialogDriver driver([&](HWND dialog) {
        HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
        tree = DumpTree(hTree) + (GetWindowTextA(dialog, caption, sizeof caption) ? caption : "");
        ClickTreeItem(hTree, FindItem(hTree, "大阪"));
        ClickButton(dialog, IDOK);
    });
    char* result = vorlanx.browse(nullptr, "1", "");
    EXPECT_EQ(std::string(result ? result : "(null)"), "1:Müller/大阪");
    free(result);
    EXPECT_EQ(tree, "Speichergeräte|0\n  1:|1\n    AB|2\n    Müller|2\n      大阪|6\n    営業部|2\n"
                    "Speicherbereich auswählen");
    for (const auto& [character, keptOf400] : {std::pair<std::string, size_t>{"é", 254}, {"😀", 252}}) {
        std::string text;
        while (text.size() < 400)
            text += character;
        WriteTextFile(storage + "\\Müller\\大阪\\category.txt", text);
        ASSERT_EQ(vorlanx.retrieve(nullptr, "1", "Müller", "大阪", name, description), VORLANX_OK);
        EXPECT_EQ(description, text.substr(0, keptOf400)) << character;
    }
}

// Every resource library's messages show whole on the UTF-8 code page.
TEST(Utf8Host, EveryLanguagesMessagesShowWhole)
{
    ASSERT_EQ(GetACP(), 65001u);
    std::istringstream tags(VORLANX_LANGUAGES);
    int languages = 0;
    for (std::string tag; tags >> tag; ++languages) {
        const LanguageMessages messages = SubFolderMessagesIn(tag);
        ASSERT_EQ(messages.held.size(), 2u) << tag;
        EXPECT_EQ(messages.shown, messages.held) << tag;
    }
    EXPECT_GT(languages, 2);
}
