// The sub-folder menu with our real store behind the browser: what New, Edit and Delete leave on
// disk, and the tree when the browser is opened anew.
#include "support/fixtures/deployment.h"
#include "support/drivers/dialog_driver.h"
#include "support/store/store_forwarder.h"
#include "support/drivers/subfolder_driver.h"

#include <gtest/gtest.h>

namespace {

class SubFolderStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string root = deployment.MakeDevice("1");
        deployment.WriteStorageIni({{"1", root}});
        area = root + "\\userroot\\storage\\AREA1";
        MakeArea(root + "\\userroot\\storage", "AREA1", "open");
        MakeFolders(area + "\\CAT1\\SUB");
        WriteTextFile(area + "\\CAT1\\category.txt", "cat one");
        ASSERT_TRUE(ForwardStoreTo(deployment));
    }

    Deployment deployment;
    std::string area;
};

TEST_F(SubFolderStore, NewMakesAFolderWithItsDescriptionThatTheNextBrowserShowsInPlace)
{
    const Outcome o = RightClick("AREA1", "AREA1", kNew, Enter("ABC", "fresh words"));
    EXPECT_TRUE(Exists(area + "\\ABC"));
    EXPECT_EQ(ReadTextFile(area + "\\ABC\\category.txt"), "fresh words");
    EXPECT_NE(o.after.find("        SUB|6\n      ABC|6\n"), std::string::npos) << "last child: " << o.after;
    EXPECT_NE(OpenedTree().find("    AREA1|2\n      ABC|6\n      CAT1|6\n"), std::string::npos)
        << "sorted when opened anew";

    const Outcome again = RightClick("AREA1", "AREA1", kNew, Enter("abc", ""));
    EXPECT_EQ(again.messages, std::vector<std::string>{"SubFolder Already Exists"});
}

TEST_F(SubFolderStore, EditRenamesTheFolderAndRewritesItsDescription)
{
    const Outcome o = RightClick("CAT1", "CAT1", kEdit, Enter("CAT9", "renamed"));
    EXPECT_EQ(o.dialogName, "CAT1");
    EXPECT_EQ(o.dialogDescription, "cat one");
    EXPECT_FALSE(Exists(area + "\\CAT1"));
    EXPECT_TRUE(Exists(area + "\\CAT9\\SUB"));
    EXPECT_EQ(ReadTextFile(area + "\\CAT9\\category.txt"), "renamed");
    EXPECT_NE(o.after.find("      CAT9|6\n        SUB|6\n"), std::string::npos) << o.after;
}

TEST_F(SubFolderStore, DeleteRemovesAnEmptyCategoryAndKeepsOneThatHoldsAnything)
{
    Outcome o = RightClick("CAT1", "CAT1", kDelete);  // it holds SUB
    EXPECT_TRUE(Exists(area + "\\CAT1\\SUB"));
    EXPECT_NE(o.after.find("      CAT1|6\n"), std::string::npos);

    o = RightClick("SUB", "SUB", kDelete);
    EXPECT_FALSE(Exists(area + "\\CAT1\\SUB"));
    EXPECT_EQ(o.after.find("SUB"), std::string::npos);
    EXPECT_TRUE(Exists(area + "\\CAT1\\category.txt"));
}

}  // namespace
