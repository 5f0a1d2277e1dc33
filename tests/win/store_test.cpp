// Our store and lookup libraries, called directly as the browser calls them: listings, the
// login control answers, the read-only test, device names and the cached pass.
#include "support/fixtures/deployment.h"
#include "support/fixtures/unix_side.h"
#include "support/store/store_forwarder.h"

#include "external/orvent.h"
#include "external/talmor.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>

namespace {

class StoreLibraries : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ForwardStoreTo(deployment));

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

    // A name given again names the first line's device still: it is listed once.
    deployment.WriteStorageIni({{"1", one}, {"12", twelve}, {"1:", twelve}, {"c", drive}});
    EXPECT_EQ(Devices(), (Names{"1", "12", "c"}));
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
    EXPECT_EQ(CheckLogin(LoginPath("1", "TWELVE")).result, VORLANX_OK);
}

// The browser writes a login control path with the device's first character only: with devices
// 1 and 12, "1:" names the file of whichever has the area, device 1 first.
TEST_F(StoreLibraries, ALoginPathFindsItsAreaOnAnyDeviceItsDigitMayName)
{
    deployment.WriteStorageIni({{"1", one}, {"12", twelve}});
    MakeArea(Storage(one), "BOTH", "open");
    MakeArea(Storage(twelve), "BOTH", "blocked");
    MakeArea(Storage(twelve), "MEASURE", "restricted");
    EXPECT_EQ(CheckLogin(LoginPath("1", "MEASURE")).result,
              VORLANX_AREA_RESTRICTED);
    EXPECT_EQ(CheckLogin(LoginPath("1", "BOTH")).result, VORLANX_OK);
    const auto nowhere = CheckLogin(LoginPath("1", "NOWHERE"));
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
    MakeArea(Storage(one), "COMMENTED", "open          ; open | blocked | restricted");
    MakeArea(Storage(one), "QUOTED", "\"blocked\"");

    const auto path = LoginPath;
    const struct {
        std::string path;
        int result, second;
    } cases[] = {
        {path("1", "OPEN"), VORLANX_OK, 0},
        {path("1", "BLOCKED"), VORLANX_AREA_BLOCKED, 0},
        {path("1", "RESTRICTED"), VORLANX_AREA_RESTRICTED, 0},
        {path("1", "EXPIRED"), VORLANX_AREA_RESTRICTED_EXPIRED, 0},
        {path("1", "COMMENTED"), VORLANX_OK, 0},
        {path("1", "QUOTED"), VORLANX_AREA_BLOCKED, 0},
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

// Inside a pass the checks find the areas in what the pass read of the storage folder: every
// answer stays what it is without one, whatever the entry's spelling or kind.
TEST_F(StoreLibraries, ThePassAnswersExactlyAsTheDiskDoes)
{
    MakeArea(Storage(one), "OPEN", "open");
    MakeArea(Storage(one), "RO", "restricted", "yes");
    MakeArea(Storage(one), "HIDDEN", "blocked", "no", "yes");
    MakeArea(Storage(one), "Mixed", "open", "yes");
    MakeArea(Storage(one), "X#Y", "restricted-expired");
    MakeArea(Storage(one), "~cn0001.tmp", "open");
    MakeFolders(Storage(one) + "\\OPEN\\CAT\\SUB");
    MakeFolders(Storage(one) + "\\NOFILE");
    WriteTextFile(Storage(one) + "\\stray.txt", "");
    MakeArea(Storage(drive), "A#B", "blocked", "yes");
    Names entries = Areas("1", false);
    for (const char* more : {"open", "MIXED", "mixed", "OPEN#cat", "MISSING", "stray.txt",
                             "~CN0001.TMP", "X#Y#Z"})
        entries.emplace_back(more);
    const auto answers = [&](const std::string& device, const Names& names) {
        std::vector<int> got;
        for (const std::string& e : names) {
            const Check login = CheckLogin(LoginPath(device, e));
            got.insert(got.end(), {login.result, login.second,
                                   talmor_IsAreaReadonly(device.c_str(), e.c_str())});
        }
        return got;
    };
    const Names driveEntries = {"A#B", "a#b", "A"};
    const std::vector<int> disk = answers("1", entries), driveDisk = answers("C:", driveEntries);
    talmor_startcache();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(answers("1", entries), disk);
        EXPECT_EQ(answers("C:", driveEntries), driveDisk);
    }
    talmor_stopcache();
}

TEST_F(StoreLibraries, FailedConnectionsAreTheDevicesWhoseFolderIsMissing)
{
    CStringList failed;
    StoreFailedConnections(failed);
    ASSERT_EQ(failed.GetCount(), 1);
    EXPECT_STREQ(*failed.begin(), "7");
}

// A root that is not a drive path or a UNC path would resolve against the current directory,
// where these devices would find an area.
TEST_F(StoreLibraries, ADeviceWithoutAnAbsoluteRootIsListedButGivesNothing)
{
    const std::string cwd = deployment.Folder() + "\\cwd";
    MakeArea(cwd + "\\rel\\userroot\\storage", "AREA1", "open");
    MakeArea(cwd + "\\userroot\\storage", "AREA1", "open");
    WriteTextFile(deployment.Folder() + "\\storage.ini",
                  "[devices]\r\n1 =\r\n2 = rel\r\n3 = C:rel\r\n12 = " + twelve + "\r\n");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
    CCategoryData record = {"CAT", "words"};
    for (const char* device : {"1", "2", "3"}) {
        EXPECT_EQ(talmor_NewCategory(device, "AREA1", "", &record), VORLANX_ERR_NO_DEVICE) << device;
        EXPECT_EQ(talmor_IsAreaReadonly(device, "AREA1"), VORLANX_ERR_NO_DEVICE) << device;
        EXPECT_EQ(CheckLogin(std::string(device) + ":\\userroot\\storage\\AREA1\\login.ctl").result,
                  VORLANX_ERR_NO_DEVICE);
        EXPECT_EQ(Areas(device), Names{}) << device;
    }
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(Devices(), (Names{"1", "2", "3", "12"}));
    CStringList failed;
    StoreFailedConnections(failed);
    EXPECT_EQ(Names(failed.begin(), failed.end()), (Names{"1", "2", "3"}));
}

// Sections far beyond the profile functions' usual buffers: the key that matters comes last.
TEST_F(StoreLibraries, ProfileSectionsAreReadWhole)
{
    std::string login = "[login]\r\naccess = open\r\n";
    for (int i = 0; i < 320; ++i)
        login += "note" + std::to_string(i) + " = kept for the people who run this area\r\n";
    MakeFolders(Storage(one) + "\\LONG");
    WriteTextFile(Storage(one) + "\\LONG\\login.ctl", login + "hidden = yes\r\n");
    EXPECT_EQ(talmor_IsAreaReadonly("1", "LONG"), VORLANX_AREA_HIDDEN);

    std::string ini = "[devices]\r\n";
    for (int i = 0; i < 5000; ++i)
        ini += "a line without a value, which names no device, number " + std::to_string(i) + "\r\n";
    WriteTextFile(deployment.Folder() + "\\storage.ini", ini + "1 = \"" + one + "\"  ; main\r\n");
    EXPECT_EQ(Devices(), Names{"1"});
    EXPECT_EQ(Areas("1"), Names{"LONG"});
}

// storage.ini is kept while it stays the same file: a call on 100,000 lines costs them once;
// changed, it is read again.
TEST_F(StoreLibraries, AStorageIniIsReadOnceWhileItStaysTheSame)
{
    MakeArea(Storage(one), "AREA1", "open", "yes");
    MakeArea(Storage(twelve), "AREA1", "open");
    SYSTEMTIME earlier = {2026, 1, 4, 1, 12, 0, 0, 0};
    const auto writeIni = [&](const std::string& root) {
        FILETIME longAgo;
        ++earlier.wMinute;
        SystemTimeToFileTime(&earlier, &longAgo);
        std::string ini = "[devices]\r\n";
        for (int i = 0; i < 100000; ++i)
            ini += "D" + std::to_string(i) + " = C:\\nowhere\r\n";
        const std::string path = deployment.Folder() + "\\storage.ini";
        WriteTextFile(path, ini + "1 = " + root + "\r\n");
        // Written long ago: one written just now is read afresh by every call.
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &longAgo));
        CloseHandle(file);
    };
    writeIni(one);
    const auto timed = [](int expected) {
        const DWORD start = GetTickCount();
        EXPECT_EQ(talmor_IsAreaReadonly("1", "AREA1"), expected);
        return GetTickCount() - start;
    };
    const DWORD first = timed(VORLANX_AREA_READONLY);
    DWORD later = 0;
    for (int i = 0; i < 20; ++i)
        later += timed(VORLANX_AREA_READONLY);
    EXPECT_LT(later, first) << "20 later calls against the first";
    writeIni(twelve);
    EXPECT_EQ(talmor_IsAreaReadonly("1", "AREA1"), VORLANX_OK);
}

// Without a login.ctl (access null), or refused by it: nothing changes, not even a lock file.
TEST_F(StoreLibraries, WritesAreRefusedByTheAreasLoginControl)
{
    const struct {
        const char *area, *access, *readonly, *hidden;
        int code;
    } cases[] = {
        {"OPEN", "open", "no", "no", VORLANX_OK},
        {"RESTRICTED", "restricted", "no", "no", VORLANX_OK},
        {"READONLY", "open", "yes", "no", VORLANX_AREA_READONLY},
        {"HIDDEN", "open", "no", "yes", VORLANX_AREA_HIDDEN},
        {"BLOCKED", "blocked", "no", "no", VORLANX_AREA_BLOCKED},
        {"EXPIRED", "restricted-expired", "no", "no", VORLANX_AREA_RESTRICTED_EXPIRED},
        {"NOFILE", nullptr, "no", "no", VORLANX_ERR_NO_LOGIN_CONTROL},
        // Several at once: the first of no login control, hidden, access, read-only.
        {"ALL", "blocked", "yes", "yes", VORLANX_AREA_HIDDEN},
        {"BLOCKEDRO", "blocked", "yes", "no", VORLANX_AREA_BLOCKED},
    };
    for (const auto& c : cases) {
        const std::string area = Storage(one) + "\\" + c.area;
        if (c.access)
            MakeArea(Storage(one), c.area, c.access, c.readonly, c.hidden);
        MakeFolders(area + "\\KEEP");
        WriteTextFile(area + "\\KEEP\\category.txt", "kept");
        const Names before = FolderEntries(area);
        const bool ok = c.code == VORLANX_OK;
        CCategoryData record = {"NEW", "new"}, renamed = {"MOVED", "changed"}, read = {};
        EXPECT_EQ(talmor_NewCategory("1", c.area, "", &record), c.code) << c.area;
        EXPECT_EQ(talmor_EditCategory("1", c.area, "KEEP", &renamed), c.code) << c.area;
        EXPECT_EQ(talmor_DeleteCategory("1", c.area, ok ? "NEW" : "MOVED"), c.code) << c.area;
        EXPECT_EQ(talmor_RetrieveCategory("1", c.area, ok ? "MOVED" : "KEEP", &read), VORLANX_OK);
        EXPECT_STREQ(read.description, ok ? "changed" : "kept") << c.area;
        EXPECT_TRUE(ok || FolderEntries(area) == before) << c.area;
        EXPECT_TRUE(ok || !Exists(area + "\\~vorlanx.lck")) << c.area << ": refused, yet locked";
    }
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
    WriteTextFile(folder + "\\~ct7a3.tmp", "");  // Wine's own temporary names are not padded
    EXPECT_EQ(talmor_DeleteCategory("1", "AREA1", "CAT"), VORLANX_OK);
    EXPECT_FALSE(Exists(folder));

    // A sub-category moved aside by an interrupted rename is no leftover: it is given back.
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    MakeFolders(folder + "\\SUB.~rename");
    EXPECT_EQ(talmor_DeleteCategory("1", "AREA1", "CAT"), VORLANX_ERR_NOT_EMPTY);
    EXPECT_EQ(Areas("1"), (Names{"AREA1", "AREA1#CAT", "AREA1#CAT#SUB"}));
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

// A rename, a new category or a delete killed half-way leave their folders under temporary names,
// a killed description write its temporary file: none is ever a category, and the next write
// there tidies up.
TEST_F(StoreLibraries, WhatAKilledWriterLeftIsNeverShownAndTheNextWriteTidiesIt)
{
    MakeArea(Storage(one), "AREA1", "open");
    const std::string area = Storage(one) + "\\AREA1";
    CCategoryData record = {"CAT", "words"};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    record = CCategoryData{"TAKEN", ""};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    ASSERT_TRUE(MoveFileA((area + "\\CAT").c_str(), (area + "\\CAT.~rename").c_str()));
    MakeFolders(area + "\\taken.~rename");
    WriteTextFile(area + "\\CAT.~rename\\~ct1A2B.tmp", "half");
    for (const char* killed : {"~cn0001.tmp", "~CD0002.TMP"}) {
        MakeFolders(area + "\\" + killed);
        WriteTextFile(area + "\\" + killed + "\\category.txt", "half made or half deleted");
    }

    EXPECT_EQ(Areas("1"), (Names{"AREA1", "AREA1#TAKEN"}));
    CCategoryData read = {};
    for (const char* killed : {"CAT.~rename", "~cn0001.tmp", "~cd0002.tmp"})
        EXPECT_EQ(talmor_RetrieveCategory("1", "AREA1", killed, &read), VORLANX_ERR_NO_CATEGORY);
    record = CCategoryData{"NEW.~rename", ""};
    EXPECT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_ERR_INVALID_NAME);

    record = CCategoryData{"OTHER", ""};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    EXPECT_EQ(Areas("1"), (Names{"AREA1", "AREA1#CAT", "AREA1#OTHER", "AREA1#TAKEN"}));
    EXPECT_TRUE(Exists(area + "\\taken.~rename"));  // its name is taken: it stays aside
    EXPECT_FALSE(Exists(area + "\\~cn0001.tmp") || Exists(area + "\\~CD0002.TMP"));
    ASSERT_EQ(talmor_RetrieveCategory("1", "AREA1", "CAT", &read), VORLANX_OK);
    EXPECT_STREQ(read.description, "words");
    record = CCategoryData{"CAT", "more words"};
    ASSERT_EQ(talmor_EditCategory("1", "AREA1", "CAT", &record), VORLANX_OK);
    EXPECT_EQ(FolderEntries(area + "\\CAT"), Names{"category.txt"});
}

DWORD WINAPI CloseAfter300ms(void* held)
{
    Sleep(300);
    return CloseHandle(held);
}

// Someone holds category.txt for a moment (a reader elsewhere, a scanner): writers and readers
// wait for it rather than fail.
TEST_F(StoreLibraries, ADescriptionHeldForAMomentIsWaitedFor)
{
    MakeArea(Storage(one), "AREA1", "open");
    CCategoryData record = {"CAT", "first"}, read = {};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    const std::string path = Storage(one) + "\\AREA1\\CAT\\category.txt";
    const auto whileHeld = [&](auto call) {
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        const HANDLE release = CreateThread(nullptr, 0, CloseAfter300ms, file, 0, nullptr);
        EXPECT_TRUE(file != INVALID_HANDLE_VALUE && release);
        const int code = call();
        WaitForSingleObject(release, INFINITE);
        CloseHandle(release);
        return code;
    };
    record = CCategoryData{"CAT", "second"};
    EXPECT_EQ(whileHeld([&] { return talmor_EditCategory("1", "AREA1", "CAT", &record); }), VORLANX_OK);
    EXPECT_EQ(whileHeld([&] { return talmor_RetrieveCategory("1", "AREA1", "CAT", &read); }),
              VORLANX_OK);
    EXPECT_STREQ(read.description, "second");
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

// The store's own file names are never category names, in any case: refused before anything is
// made, in an area and in a category without a description alike.
TEST_F(StoreLibraries, TheStoresOwnNamesAreRefusedAsCategoryNames)
{
    MakeArea(Storage(one), "AREA1", "open");
    const std::string area = Storage(one) + "\\AREA1";
    MakeFolders(area + "\\BARE");
    CCategoryData record = {"CAT", "words"}, read = {};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    // Which names are the store's own is the unit tests' part; these reach every refusal path.
    for (const char* name : {"CATEGORY.TXT", "~vorlanx.lck", "~CN0001.tmp", "X.~rename"}) {
        CCategoryData own = {};
        strcpy(own.name, name);
        EXPECT_EQ(talmor_NewCategory("1", "AREA1", "", &own), VORLANX_ERR_INVALID_NAME) << name;
        EXPECT_EQ(talmor_NewCategory("1", "AREA1", "BARE", &own), VORLANX_ERR_INVALID_NAME) << name;
        EXPECT_EQ(talmor_EditCategory("1", "AREA1", "CAT", &own), VORLANX_ERR_INVALID_NAME) << name;
    }
    EXPECT_EQ(FolderEntries(area), (Names{"BARE", "CAT", "login.ctl"}));
    EXPECT_EQ(FolderEntries(area + "\\BARE"), Names{});
    EXPECT_EQ(talmor_RetrieveCategory("1", "AREA1", "BARE", &read), VORLANX_OK);
    EXPECT_EQ(talmor_RetrieveCategory("1", "AREA1", "CAT", &read), VORLANX_OK);
    EXPECT_STREQ(read.description, "words");
}

// The lock file is never reached through a link, nor a folder of its name taken for it: the
// write is refused and nothing is made, outside the store or in it.
TEST_F(StoreLibraries, ALockFileThatIsALinkOrAFolderRefusesTheWrite)
{
    const std::string outside = deployment.Folder() + "\\outside";
    MakeFolders(outside);
    WriteTextFile(outside + "\\held.lck", "");
    WriteTextFile(outside + "\\gone.lck", "");
    const struct {
        const char *area, *target;
    } cases[] = {{"TONOTHING", "gone.lck"}, {"TOFILE", "held.lck"}, {"TOFOLDER", ""}, {"FOLDER", nullptr}};
    for (const auto& c : cases) {
        MakeArea(Storage(one), c.area, "open");
        const std::string area = Storage(one) + "\\" + c.area, lock = area + "\\~vorlanx.lck";
        if (c.target)
            ASSERT_TRUE(MakeUnixLink(lock, UnixPath(outside) + "/" + c.target)) << c.area;
        else
            MakeFolders(lock);
        DeleteFileA((outside + "\\gone.lck").c_str());  // the link now names nothing
        CCategoryData record = {"CAT", "words"};
        EXPECT_EQ(talmor_NewCategory("1", c.area, "", &record), VORLANX_ERR_IO) << c.area;
        EXPECT_EQ(FolderEntries(area), Names{"login.ctl"}) << c.area;
        EXPECT_TRUE(!c.target || RemoveUnixLink(lock));  // the clean-up must not follow it
    }
    EXPECT_EQ(FolderEntries(outside), Names{"held.lck"});
}

DWORD WINAPI CloseListingAfter(void* listing)
{
    Sleep(400);
    return FindClose(listing);
}

// Someone who lists a category's folder (a browse) holds up its rename for a moment: a rename or
// delete then waits, and one held up longer than the lock's bound answers 2012 and changes nothing.
TEST_F(StoreLibraries, ARenameOrDeleteHeldUpByAListingWaitsForItWithinTheBound)
{
    MakeArea(Storage(one), "AREA1", "open");
    const std::string area = Storage(one) + "\\AREA1";
    CCategoryData record = {"CAT", "words"}, renamed = {"MOVED", "moved"}, read = {};
    const auto listing = [&](const char* folder, bool forMoment) {
        WIN32_FIND_DATAA data;
        const HANDLE find = FindFirstFileA((area + "\\" + folder + "\\*").c_str(), &data);
        EXPECT_NE(find, INVALID_HANDLE_VALUE);
        if (forMoment)
            CloseHandle(CreateThread(nullptr, 0, CloseListingAfter, find, 0, nullptr));
        return find;
    };
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    listing("CAT", true);
    EXPECT_EQ(talmor_EditCategory("1", "AREA1", "CAT", &renamed), VORLANX_OK);
    listing("MOVED", true);
    EXPECT_EQ(talmor_DeleteCategory("1", "AREA1", "MOVED"), VORLANX_OK);
    EXPECT_EQ(FolderEntries(area), Names{"login.ctl"});

    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    const HANDLE held = listing("CAT", false);
    EXPECT_EQ(talmor_DeleteCategory("1", "AREA1", "CAT"), VORLANX_ERR_BUSY);
    FindClose(held);
    EXPECT_EQ(talmor_RetrieveCategory("1", "AREA1", "CAT", &read), VORLANX_OK);
    EXPECT_STREQ(read.description, "words");
    EXPECT_EQ(FolderEntries(area), (Names{"CAT", "login.ctl"}));
}

// A clean-up removes the lock file while a delete, held up by a listing, holds its lock; a second
// writer then makes a new one. The first must notice before it goes on, so the two never write
// at once: the second's new sub-category is never deleted along with its parent.
TEST_F(StoreLibraries, AWriterWhoseLockFileWasRemovedGoesOnOnlyUnderTheNewOne)
{
    MakeArea(Storage(one), "AREA1", "open");
    const std::string area = Storage(one) + "\\AREA1";
    CCategoryData record = {"CAT", "words"}, sub = {"SUB", "below"}, read = {};
    ASSERT_EQ(talmor_NewCategory("1", "AREA1", "", &record), VORLANX_OK);
    WIN32_FIND_DATAA data;
    const HANDLE listing = FindFirstFileA((area + "\\CAT\\*").c_str(), &data);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    // The file system may give the first writer's new lock file the number of the removed one,
    // so the clean-up says when it is done, and the new file is waited for by its presence.
    const std::string lock = area + "\\~vorlanx.lck", removed = Storage(one) + "\\removed";
    const auto waitFor = [](const std::string& path) {
        for (int i = 0; i < 1000 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            Sleep(10);
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    int deleted = 0, made = 0;
    std::thread first([&] { deleted = talmor_DeleteCategory("1", "AREA1", "CAT"); });
    Sleep(300);
    EXPECT_TRUE(StartUnixCommand("rm -f '" + UnixPath(lock) + "' && touch '" +  // as a clean-up does
                                 UnixPath(Storage(one)) + "/removed'"));
    EXPECT_TRUE(waitFor(removed));
    EXPECT_TRUE(waitFor(lock));
    std::thread second([&] { made = talmor_NewCategory("1", "AREA1", "CAT", &sub); });
    Sleep(500);
    FindClose(listing);
    first.join();
    second.join();
    EXPECT_FALSE(deleted == VORLANX_OK && made == VORLANX_OK) << "both wrote at once";
    EXPECT_TRUE(made != VORLANX_OK ||
                talmor_RetrieveCategory("1", "AREA1", "CAT#SUB", &read) == VORLANX_OK);
}

}  // namespace
