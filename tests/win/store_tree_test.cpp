// The lookup's listing on a tree that links back into itself and out of itself: it stays
// finite and lists each real category once, under its own name.
#include "support/fixtures/deployment.h"
#include "support/store/store_calls.h"
#include "support/store/store_forwarder.h"
#include "support/fixtures/unix_side.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

TEST(StoreTree, TheListingFollowsNoLinkAndEntersNoFolderTwice)
{
    Deployment deployment;
    ASSERT_TRUE(ForwardStoreTo(deployment));
    const std::string root = deployment.MakeDevice("1");
    deployment.WriteStorageIni({{"1", root}});
    const std::string storage = root + "\\userroot\\storage";
    MakeArea(storage, "LOOPY", "open");
    MakeFolders(storage + "\\LOOPY\\CAT\\SUB");
    MakeFolders(deployment.Folder() + "\\outside\\X\\Y");
    ASSERT_TRUE(MakeUnixLink(storage + "\\LOOPY\\SELF", "."));
    ASSERT_TRUE(MakeUnixLink(storage + "\\LOOPY\\CAT\\UP", ".."));
    const std::string outside = UnixPath(deployment.Folder() + "\\outside");
    ASSERT_TRUE(MakeUnixLink(storage + "\\LOOPY\\OUT", outside));
    // An area that is a link to the storage folder itself: listed, as the folders under storage
    // all are, but what lies below it is the storage folder again.
    ASSERT_TRUE(MakeUnixLink(storage + "\\ALIAS", "."));

    Names listed;
    for (const char* a = ListFirstArea("1"); a; a = ListNextArea())
        listed.emplace_back(a);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Names{"ALIAS", "LOOPY", "LOOPY#CAT", "LOOPY#CAT#SUB"}));

    // What the listing does not show, no call reaches: a delete through OUT would remove
    // outside\X, which is no category of this store.
    CCategoryData record = {};
    EXPECT_EQ(talmor_RetrieveCategory("1", "LOOPY", "OUT#X", &record), VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(talmor_DeleteCategory("1", "LOOPY", "OUT#X#Y"), VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(talmor_DeleteCategory("1", "LOOPY", "OUT"), VORLANX_ERR_NO_CATEGORY);
    EXPECT_TRUE(Exists(deployment.Folder() + "\\outside\\X\\Y"));
    for (const char* link : {"\\LOOPY\\SELF", "\\LOOPY\\CAT\\UP", "\\LOOPY\\OUT", "\\ALIAS"})
        EXPECT_TRUE(RemoveUnixLink(storage + link)) << link;
}

}  // namespace
