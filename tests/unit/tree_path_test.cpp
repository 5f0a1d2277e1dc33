#include "browser/tree_path.h"

#include <gtest/gtest.h>

namespace {

TEST(SelectedPath, NamesDevicesAreasAndCategories)
{
    EXPECT_EQ(BuildSelectedPath({}), "");
    EXPECT_EQ(BuildSelectedPath({"C:"}), "C:");
    EXPECT_EQ(BuildSelectedPath({"C:", "AREA1"}), "C:AREA1");
    EXPECT_EQ(BuildSelectedPath({"1:", "AREA1", "CAT", "SUB"}), "1:AREA1/CAT/SUB");
    // A device text that goes on after its ':' keeps its '/'; a numbered one of two digits not.
    EXPECT_EQ(BuildSelectedPath({"A:FLOPPY"}), "A:FLOPPY");
    EXPECT_EQ(BuildSelectedPath({"A:FLOPPY", "AREA1"}), "A:FLOPPY/AREA1");
    EXPECT_EQ(BuildSelectedPath({"12:", "AREA1", "CAT"}), "12:AREA1/CAT");
    // Texts are taken as they are, empty ones and slashes included.
    EXPECT_EQ(BuildSelectedPath({"1:", "AREA3", ""}), "1:AREA3/");
    EXPECT_EQ(BuildSelectedPath({"C:", "X#Y"}), "C:X#Y");
    EXPECT_EQ(BuildSelectedPath({"C", "A"}), "C/A");  // only a '/' after the device's ':' goes
}

TEST(CategoryLevels, JoinOutermostFirstWithHash)
{
    EXPECT_EQ(JoinCategoryLevels({}), "");
    EXPECT_EQ(JoinCategoryLevels({"CAT"}), "CAT");
    EXPECT_EQ(JoinCategoryLevels({"CAT", "SUB", "LEAF"}), "CAT#SUB#LEAF");
    EXPECT_EQ(JoinCategoryLevels({"", "X"}), "#X");
}

}  // namespace
