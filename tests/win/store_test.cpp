// Our store and lookup libraries, called directly as the browser calls them: listings, the
// login control answers, the read-only test, device names and the cached pass.
#include "support/deployment.h"
#include "support/store_forwarder.h"

#include "external/orvent.h"
#include "external/talmor.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class StoreLibraries : public ::testing::Test {
protected:
    void SetUp() override
    {
        HMODULE talmor = deployment.Load("talmor.dll");
        HMODULE orvent = deployment.Load("ORVENT.dll");
        ASSERT_TRUE(talmor && orvent);
        ForwardStoreTo(talmor, orvent);

        one = deployment.MakeDevice("1");
        twelve = deployment.MakeDevice("12");
        drive = deployment.MakeDevice("c");
        deployment.WriteStorageIni({{"C:", drive}, {"12", twelve}, {"1", one},
                                    {"7", deployment.Folder() + "\\devices\\absent"}});
    }

    std::vector<std::string> Devices()
    {
        std::vector<std::string> names;
        for (const char* d = ListFirstDevice("\\\\.", 7); d; d = ListNextDevice())
            names.emplace_back(d);
        return names;
    }

    std::vector<std::string> Areas(const char* device, bool sorted = true)
    {
        std::vector<std::string> names;
        for (const char* a = ListFirstArea(device); a; a = ListNextArea())
            names.emplace_back(a);
        if (sorted)
            std::sort(names.begin(), names.end());
        return names;
    }

    struct Check {
        int result, first, second, third;
    };
    Check CheckLogin(const std::string& path)
    {
        Check c = {0, -1, -1, -1};
        std::string writable = path;
        c.result = cc_check_trailer_ex(writable.data(), 5, &c.first, &c.second, &c.third);
        return c;
    }

    static std::string Storage(const std::string& root) { return root + "\\userroot\\storage"; }

    Deployment deployment;
    std::string one, twelve, drive;
};

using Names = std::vector<std::string>;

TEST_F(StoreLibraries, ListsDevicesInTheOrderOfStorageIni)
{
    EXPECT_EQ(Devices(), (Names{"C:", "12", "1", "7"}));
    // Whoever walks the devices may list a device's areas in between.
    const char* first = ListFirstDevice("\\\\.", 7);
    ListFirstArea("1");
    EXPECT_STREQ(first, "C:");
    EXPECT_STREQ(ListNextDevice(), "12");
}

TEST_F(StoreLibraries, ListsAreasAndOnNumberedDevicesTheirCategoriesAtAnyDepth)
{
    MakeArea(Storage(one), "AREA1", "open");
    MakeArea(Storage(one), "AREA2", "blocked");
    MakeFolders(Storage(one) + "\\AREA1\\CAT\\SUB\\LEAF");
    MakeFolders(Storage(one) + "\\AREA1\\CAT2");
    WriteTextFile(Storage(one) + "\\AREA1\\CAT\\category.txt", "files are not listed");
    WriteTextFile(Storage(one) + "\\stray.txt", "");
    EXPECT_EQ(Areas("1"), (Names{"AREA1", "AREA1#CAT", "AREA1#CAT#SUB", "AREA1#CAT#SUB#LEAF",
                                 "AREA1#CAT2", "AREA2"}));
    // Every category comes after its parent, whatever order the folders come in.
    const Names listed = Areas("1", false);
    for (size_t i = 0; i < listed.size(); ++i) {
        const size_t hash = listed[i].rfind('#');
        if (hash != std::string::npos) {
            auto parent = std::find(listed.begin(), listed.end(), listed[i].substr(0, hash));
            EXPECT_LT(parent - listed.begin(), ptrdiff_t(i)) << listed[i];
        }
    }

    // On a drive-letter device the sub-folders of an area are not categories.
    MakeArea(Storage(drive), "AREA1", "open");
    MakeFolders(Storage(drive) + "\\AREA1\\INNER");
    MakeArea(Storage(drive), "X#Y", "open");
    EXPECT_EQ(Areas("C:"), (Names{"AREA1", "X#Y"}));
    EXPECT_EQ(Areas("c"), (Names{"AREA1", "X#Y"}));

    EXPECT_EQ(Areas("12"), Names{});
    EXPECT_EQ(Areas("9"), Names{});
    EXPECT_EQ(Areas(nullptr), Names{});
}

TEST_F(StoreLibraries, ALoneDigitNamesTheFirstNumberedDeviceThatBeginsWithIt)
{
    // The browser's menu passes the first character of a device only.
    deployment.WriteStorageIni({{"12", twelve}, {"13", one}});
    MakeArea(Storage(twelve), "TWELVE", "open");
    EXPECT_EQ(Areas("1"), Names{"TWELVE"});
    EXPECT_EQ(Areas("13"), Names{});
    EXPECT_EQ(CheckLogin("1:\\userroot\\storage\\TWELVE\\login.ctl").result, VORLANX_OK);
}

// The browser writes a login control path with the device's first character only: with devices
// 1 and 12, "1:" names the file of whichever has the area, device 1 first.
TEST_F(StoreLibraries, ALoginPathFindsItsAreaOnAnyDeviceItsDigitMayName)
{
    deployment.WriteStorageIni({{"1", one}, {"12", twelve}});
    MakeArea(Storage(one), "BOTH", "open");
    MakeArea(Storage(twelve), "BOTH", "blocked");
    MakeArea(Storage(twelve), "MEASURE", "restricted");
    EXPECT_EQ(CheckLogin("1:\\userroot\\storage\\MEASURE\\login.ctl").result,
              VORLANX_AREA_RESTRICTED);
    EXPECT_EQ(CheckLogin("1:\\userroot\\storage\\BOTH\\login.ctl").result, VORLANX_OK);
    const auto nowhere = CheckLogin("1:\\userroot\\storage\\NOWHERE\\login.ctl");
    EXPECT_NE(nowhere.result, VORLANX_OK);
    EXPECT_EQ(nowhere.second, 13);
}

TEST_F(StoreLibraries, TheLoginControlCheckAnswersByTheAccessKey)
{
    MakeArea(Storage(one), "OPEN", "open");
    MakeArea(Storage(one), "BLOCKED", "blocked");
    MakeArea(Storage(one), "RESTRICTED", "restricted");
    MakeArea(Storage(one), "EXPIRED", "restricted-expired");
    MakeArea(Storage(one), "GARBLED", "sideways");
    MakeArea(Storage(one), "NOKEY", nullptr);
    MakeFolders(Storage(one) + "\\NOFILE");
    MakeArea(Storage(drive), "DRIVE", "Open");

    const auto path = [](const char* device, const char* area) {
        return std::string(device) + ":\\userroot\\storage\\" + area + "\\login.ctl";
    };
    const struct {
        std::string path;
        int result, second;
    } cases[] = {
        {path("1", "OPEN"), VORLANX_OK, 0},
        {path("1", "BLOCKED"), VORLANX_AREA_BLOCKED, 0},
        {path("1", "RESTRICTED"), VORLANX_AREA_RESTRICTED, 0},
        {path("1", "EXPIRED"), VORLANX_AREA_RESTRICTED_EXPIRED, 0},
        {path("1", "GARBLED"), VORLANX_ERR_NO_LOGIN_CONTROL, 13},
        {path("1", "NOKEY"), VORLANX_ERR_NO_LOGIN_CONTROL, 13},
        {path("1", "NOFILE"), VORLANX_ERR_NO_LOGIN_CONTROL, 13},
        {path("1", "MISSING"), VORLANX_ERR_NO_LOGIN_CONTROL, 13},
        {path("C", "DRIVE"), VORLANX_OK, 0},
        {path("1", "open"), VORLANX_OK, 0},  // as listed, in any case
        {path("9", "OPEN"), VORLANX_ERR_NO_DEVICE, 13},
        {"no colon at all", VORLANX_ERR_NO_DEVICE, 13},
        {path("1", "..\\..\\..\\1\\userroot\\storage\\OPEN"), VORLANX_ERR_NO_DEVICE, 13},
    };
    for (const auto& c : cases) {
        const Check got = CheckLogin(c.path);
        EXPECT_EQ(got.result, c.result) << c.path;
        EXPECT_EQ(got.second, c.second) << c.path;
    }
    // The other two integers are written too, and any of the three may be absent.
    EXPECT_EQ(CheckLogin(path("1", "OPEN")).first, 0);
    EXPECT_EQ(CheckLogin(path("1", "OPEN")).third, 0);
    std::string p = path("1", "MISSING");
    EXPECT_EQ(cc_check_trailer_ex(p.data(), 5, nullptr, nullptr, nullptr), VORLANX_ERR_NO_LOGIN_CONTROL);
    EXPECT_EQ(cc_check_trailer_ex(nullptr, 5, nullptr, nullptr, nullptr), VORLANX_ERR_NO_DEVICE);
}

TEST_F(StoreLibraries, TheReadOnlyTestAnswersHiddenBeforeReadOnly)
{
    MakeArea(Storage(one), "PLAIN", "open");
    MakeArea(Storage(one), "RO", "open", "yes");
    MakeArea(Storage(one), "HIDDEN", "blocked", "no", "yes");
    MakeArea(Storage(one), "BOTH", "open", "yes", "yes");
    MakeFolders(Storage(one) + "\\NOFILE");
    EXPECT_EQ(talmor_IsAreaReadonly("1", "PLAIN"), VORLANX_OK);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "RO"), VORLANX_AREA_READONLY);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "HIDDEN"), VORLANX_AREA_HIDDEN);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "BOTH"), VORLANX_AREA_HIDDEN);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "NOFILE"), VORLANX_OK);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "MISSING"), VORLANX_ERR_NO_AREA);
    EXPECT_EQ(talmor_IsAreaReadonly(nullptr, nullptr), VORLANX_ERR_INVALID_ARGUMENT);
    // A hidden area is still listed: hiding it is the browser's business.
    EXPECT_EQ(Areas("1"), (Names{"BOTH", "HIDDEN", "NOFILE", "PLAIN", "RO"}));
}

TEST_F(StoreLibraries, TheCachedPassGivesTheSameAnswersAndEndsWithIt)
{
    MakeArea(Storage(one), "A", "open", "yes");
    MakeArea(Storage(one), "B", "restricted");
    const std::string pathA = "1:\\userroot\\storage\\A\\login.ctl";
    const std::string pathB = "1:\\userroot\\storage\\B\\login.ctl";
    const int before[] = {CheckLogin(pathA).result, CheckLogin(pathB).result,
                          talmor_IsAreaReadonly("1", "A"), talmor_IsAreaReadonly("1", "B")};
    talmor_startcache();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(CheckLogin(pathA).result, before[0]);
        EXPECT_EQ(CheckLogin(pathB).result, before[1]);
        EXPECT_EQ(talmor_IsAreaReadonly("1", "A"), before[2]);
        EXPECT_EQ(talmor_IsAreaReadonly("1", "B"), before[3]);
    }
    talmor_stopcache();
    // After the pass the files are read again.
    MakeArea(Storage(one), "A", "blocked", "no");
    EXPECT_EQ(CheckLogin(pathA).result, VORLANX_AREA_BLOCKED);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "A"), VORLANX_OK);
}

TEST_F(StoreLibraries, FailedConnectionsAreTheDevicesWhoseFolderIsMissing)
{
    CStringList failed;
    StoreFailedConnections(failed);
    ASSERT_EQ(failed.GetCount(), 1);
    EXPECT_STREQ(*failed.begin(), "7");
}

TEST_F(StoreLibraries, WithoutStorageIniTheDevicesAreTheLogicalDrives)
{
    DeleteFileA((deployment.Folder() + "\\storage.ini").c_str());
    const Names devices = Devices();
    ASSERT_FALSE(devices.empty());
    EXPECT_TRUE(std::is_sorted(devices.begin(), devices.end()));
    for (const std::string& d : devices)
        EXPECT_TRUE(d.size() == 2 && d[1] == ':') << d;
    EXPECT_NE(std::find(devices.begin(), devices.end(), "C:"), devices.end());
}

TEST_F(StoreLibraries, DeleteTakesAlongWhatAnInterruptedWriteLeftBehind)
{
    MakeArea(Storage(one), "AREA1", "open");
    CCategoryData record = {"CAT", "words"};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    const std::string folder = Storage(one) + "\\AREA1\\CAT";
    WriteTextFile(folder + "\\~ct1F2A.tmp", "half");
    EXPECT_EQ(talmor_DeleteCategory("1", "AREA1", "CAT"), VORLANX_OK);
    EXPECT_FALSE(Exists(folder));
}

// A description write cut off after its temporary file and before the replace leaves that file
// beside the old description: readers see the old text whole, and the next write goes on.
TEST_F(StoreLibraries, AnInterruptedDescriptionWriteLeavesTheOldTextWhole)
{
    MakeArea(Storage(one), "AREA1", "open");
    CCategoryData record = {"CAT", "the old text"};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    const std::string folder = Storage(one) + "\\AREA1\\CAT";
    WriteTextFile(folder + "\\~ct7A3.tmp", "the new te");  // cut off mid-write
    CCategoryData read = {};
    ASSERT_EQ(talmor_RetrieveCategory("1", "AREA1", "CAT", &read), VORLANX_OK);
    EXPECT_STREQ(read.description, "the old text");
    CCategoryData next = {"CAT", "the new text"};
    ASSERT_EQ(talmor_EditCategory("1", "AREA1", "CAT", &next), VORLANX_OK);
    ASSERT_EQ(talmor_RetrieveCategory("1", "AREA1", "CAT", &read), VORLANX_OK);
    EXPECT_STREQ(read.description, "the new text");
    EXPECT_EQ(ReadTextFile(folder + "\\category.txt"), "the new text");
}

TEST_F(StoreLibraries, TheStoreRefusesARecordWithoutTerminators)
{
    MakeArea(Storage(one), "AREA1", "open");
    CCategoryData record;
    memset(&record, 'x', sizeof record);
    EXPECT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(talmor_NewCategory("1", "AREA1", "", nullptr), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(FolderEntries(Storage(one) + "\\AREA1"), Names{"login.ctl"});
}

}  // namespace
