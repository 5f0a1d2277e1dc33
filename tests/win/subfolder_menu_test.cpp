// The tree's sub-folder menu on the real dialog: a real right click, the real popup menu
// (commands chosen with keys), the sub-folder dialog, the store calls (in-process fakes) and what
// becomes of the tree.
#include "browser/browse_area.h"
#include "support/drivers/dialog_driver.h"
#include "support/store/fake_store.h"
#include "support/drivers/subfolder_driver.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Calls = std::vector<std::string>;

const char kTree[] =
    "|0\n"
    "  1:|1\n"
    "    AREA1|2\n"
    "      CAT1|6\n"
    "        SUB|6\n"
    "    AREA2|2\n"
    "  12:|1\n"
    "    M|2\n"
    "  A:FLOPPY|1\n";

class SubFolderMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.Reset();
        fake.devices = {"1", "12", "A:"};
        fake.areas["1"] = {"AREA1", "AREA1#CAT1", "AREA1#CAT1#SUB", "AREA2"};
        fake.areas["12"] = {"M"};
    }
    FakeStore& fake = Fake();
};

TEST_F(SubFolderMenu, NewOnAnAreaMakesItsLastChild)
{
    const Outcome o = RightClick("AREA1", "AREA1", kNew, Enter("SUB9", "some words"));
    EXPECT_TRUE(o.menuShown);
    EXPECT_EQ(o.before, kTree);
    EXPECT_EQ(o.dialogTitle, "New SubFolder");
    EXPECT_EQ(o.dialogName, "");
    EXPECT_EQ(fake.CategoryCalls(), Calls{"New 1|AREA1||SUB9|some words"});
    EXPECT_NE(o.after.find("      CAT1|6\n        SUB|6\n      SUB9|6\n    AREA2"), std::string::npos)
        << o.after;
}

TEST_F(SubFolderMenu, NewOnCategoriesOneAndTwoLevelsDeep)
{
    Outcome o = RightClick("CAT1", "CAT1", kNew, Enter("X", ""));
    EXPECT_EQ(fake.CategoryCalls(), Calls{"New 1|AREA1|CAT1|X|"});
    EXPECT_NE(o.after.find("        SUB|6\n        X|6\n"), std::string::npos) << o.after;

    fake.calls.clear();
    o = RightClick("SUB", "SUB", kNew, Enter("Y", "deep"));
    EXPECT_EQ(fake.CategoryCalls(), Calls{"New 1|AREA1|CAT1#SUB|Y|deep"});
    EXPECT_NE(o.after.find("        SUB|6\n          Y|6\n"), std::string::npos) << o.after;
}

TEST_F(SubFolderMenu, NewRefusedForATakenNameSaysSoAndAnyOtherRefusalIsSilent)
{
    fake.newResult = VORLANX_ERR_EXISTS;
    Outcome o = RightClick("AREA1", "AREA1", kNew, Enter("CAT1", ""));
    EXPECT_EQ(o.messages, std::vector<std::string>{"SubFolder Already Exists"});
    EXPECT_EQ(o.after, kTree);

    fake.newResult = VORLANX_ERR_IO;
    o = RightClick("AREA1", "AREA1", kNew, Enter("OTHER", ""));
    EXPECT_TRUE(o.messages.empty());
    EXPECT_EQ(o.after, kTree);
}

TEST_F(SubFolderMenu, TheCommandsActOnTheCaretNotOnTheItemClicked)
{
    const Outcome o = RightClick("AREA2", "CAT1", kNew, Enter("Z", ""));
    EXPECT_EQ(fake.CategoryCalls(), Calls{"New 1|AREA2||Z|"});
    EXPECT_NE(o.after.find("    AREA2|2\n      Z|6\n"), std::string::npos) << o.after;
}

TEST_F(SubFolderMenu, EditShowsTheStoredCategoryAndRelabelsItWhenTheNameChanged)
{
    fake.retrievedName = "CAT1";
    fake.retrievedDescription = "old words";
    Outcome o = RightClick("CAT1", "CAT1", kEdit, Enter("cat1", "new words"));
    EXPECT_EQ(o.dialogTitle, "Edit SubFolder");
    EXPECT_EQ(o.dialogName, "CAT1");
    EXPECT_EQ(o.dialogDescription, "old words");
    EXPECT_EQ(fake.CategoryCalls(), (Calls{"Retrieve 1|AREA1|CAT1", "Edit 1|AREA1|CAT1|cat1|new words"}));
    EXPECT_NE(o.after.find("      cat1|6\n"), std::string::npos) << "a change of case is a change";

    fake.calls.clear();  // the description alone: the tree stays as it was
    o = RightClick("SUB", "SUB", kEdit, Enter("CAT1", "other words"));
    EXPECT_EQ(fake.CategoryCalls(), (Calls{"Retrieve 1|AREA1|CAT1#SUB", "Edit 1|AREA1|CAT1#SUB|CAT1|other words"}));
    EXPECT_EQ(o.after, o.before);
}

TEST_F(SubFolderMenu, EditStopsWhenTheStoreCannotReadOrRefusesIt)
{
    fake.retrieveResult = VORLANX_ERR_NO_CATEGORY;  // nothing read: no dialog with undefined contents
    Outcome o = RightClick("CAT1", "CAT1", kEdit);
    EXPECT_FALSE(o.dialogShown);
    EXPECT_EQ(fake.CategoryCalls(), Calls{"Retrieve 1|AREA1|CAT1"});

    fake.calls.clear();
    fake.retrieveResult = 1;
    fake.editResult = VORLANX_ERR_EXISTS;  // refused: the item keeps its name
    o = RightClick("CAT1", "CAT1", kEdit, Enter("TAKEN", ""));
    EXPECT_EQ(fake.CategoryCalls().size(), 2u);
    EXPECT_EQ(o.after, kTree);

    fake.calls.clear();  // on an area there is no category to edit
    o = RightClick("AREA1", "AREA1", kEdit);
    EXPECT_FALSE(o.dialogShown);
    EXPECT_TRUE(fake.CategoryCalls().empty());
}

// A store that leaves the record's fields unterminated is read no further than the fields, by
// the menu and by the retrieve export alike.
TEST_F(SubFolderMenu, UnterminatedRecordFieldsAreReadNoFurtherThanTheField)
{
    fake.retrieveFillsWholeFields = true;
    const Outcome o = RightClick("CAT1", "CAT1", kEdit, [](HWND d) { ClickButton(d, IDCANCEL); });
    EXPECT_EQ(o.dialogName, std::string(49, 'N'));
    EXPECT_EQ(o.dialogDescription, std::string(255, 'D'));

    char name[VORLANX_NAME_SIZE + 1], description[VORLANX_DESCRIPTION_SIZE + 1];
    memset(name, '#', sizeof name);
    memset(description, '#', sizeof description);
    ASSERT_EQ(vorlanx_retrieve_category(nullptr, "1", "AREA1", "CAT1", name, description), 1);
    EXPECT_EQ(std::string(name), std::string(49, 'N'));
    EXPECT_EQ(std::string(description), std::string(255, 'D'));
    EXPECT_EQ(name[VORLANX_NAME_SIZE], '#');
    EXPECT_EQ(description[VORLANX_DESCRIPTION_SIZE], '#');
}

TEST_F(SubFolderMenu, DeleteRemovesTheCategoryOnlyWhenTheStoreDid)
{
    Outcome o = RightClick("SUB", "SUB", kDelete);
    EXPECT_EQ(fake.CategoryCalls(), Calls{"Delete 1|AREA1|CAT1#SUB"});
    EXPECT_EQ(o.after.find("SUB|6"), std::string::npos);

    fake.calls.clear();
    o = RightClick("CAT1", "CAT1", kDelete);
    EXPECT_EQ(fake.CategoryCalls(), Calls{"Delete 1|AREA1|CAT1"});
    EXPECT_EQ(o.after.find("CAT1"), std::string::npos) << "with everything below it";

    fake.calls.clear();
    fake.deleteResult = VORLANX_ERR_NOT_EMPTY;
    o = RightClick("CAT1", "CAT1", kDelete);
    EXPECT_EQ(o.after, kTree);
    EXPECT_TRUE(o.messages.empty());

    fake.calls.clear();  // an area is no category: nothing is deleted, the tree keeps it
    o = RightClick("AREA1", "AREA1", kDelete);
    EXPECT_TRUE(fake.CategoryCalls().empty());
    EXPECT_EQ(o.after, kTree);
}

TEST_F(SubFolderMenu, WhereNoStorePathLeadsTheCommandsDoNothing)
{
    for (const char* caret : {"M", "12:", "A:FLOPPY", ""}) {
        for (const auto& keys : {kNew, kEdit, kDelete}) {
            const Outcome o = RightClick(caret, caret, keys, Enter("NEVER", ""));
            EXPECT_TRUE(o.menuShown) << caret;
            EXPECT_FALSE(o.dialogShown) << caret;
            EXPECT_EQ(o.after, kTree) << caret;
        }
    }
    EXPECT_TRUE(fake.CategoryCalls().empty());
}

TEST_F(SubFolderMenu, OffDismissedOrCancelledNothingHappens)
{
    Outcome o = RightClick("AREA1", "AREA1", {}, {}, false);
    EXPECT_FALSE(o.menuShown);

    o = RightClick("AREA1", "AREA1", kDismiss);
    EXPECT_TRUE(o.menuShown);
    EXPECT_FALSE(o.dialogShown);

    o = RightClick("AREA1", "AREA1", kNew, [](HWND d) { ClickButton(d, IDCANCEL); });
    EXPECT_TRUE(o.dialogShown);
    EXPECT_TRUE(fake.CategoryCalls().empty());
    EXPECT_EQ(o.after, kTree);

    o = RightClick("CAT1", "CAT1", kEdit, [](HWND d) { ClickButton(d, IDCANCEL); });
    EXPECT_EQ(fake.CategoryCalls(), Calls{"Retrieve 1|AREA1|CAT1"});
}

}  // namespace
