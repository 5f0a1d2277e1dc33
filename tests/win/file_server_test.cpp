// Devices on file servers of the tests' own: ten devices on ten servers, some dead or slow,
// through the exports and the real dialog.
#include "resource.h"
#include "support/deployment.h"
#include "support/dialog_driver.h"
#include "support/file_server.h"
#include "support/tree_dump.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const int kServers = 10;

ULONGLONG Now()
{
    return GetTickCount64();
}

class FileServers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = FileServer::Unavailable(); !why.empty())
            GTEST_SKIP() << why;
        std::vector<std::pair<std::string, std::string>> devices;
        for (int n = 1; n <= kServers; ++n) {
            const std::string folder = deployment->Folder() + "\\SRV" + std::to_string(n);
            const std::string storage = folder + "\\dev\\userroot\\storage";
            for (const char* area : {"AREA1", "AREA2", "AREA3"}) {
                MakeArea(storage, area, "open");
                for (const char* cat : {"CAT1", "CAT2", "CAT3"})
                    WriteTextFile((MakeFolders(storage + "\\" + area + "\\" + cat),
                                   storage + "\\" + area + "\\" + cat + "\\category.txt"),
                                  "words");
            }
            servers.push_back(std::make_unique<FileServer>("SRV" + std::to_string(n), folder));
            ASSERT_TRUE(servers.back()->Serving()) << "SRV" << n;
            devices.push_back({std::to_string(n), servers.back()->Share() + "\\dev"});
        }
        deployment->WriteStorageIni(devices);
        ASSERT_TRUE(exports.Bind(deployment->Load("vorlanx.dll")));
    }

    // Opens the dialog, reads its tree and cancels; seconds is how long the dialog took to show.
    std::string Browse(double& seconds)
    {
        std::string tree;
        const ULONGLONG begin = Now();
        seconds = -1;
        DialogDriver driver([&](HWND dialog) {
            seconds = double(Now() - begin) / 1000;
            tree = DumpTree(GetDlgItem(dialog, IDC_AREA_TREE));
            ClickButton(dialog, IDCANCEL);
        });
        free(exports.browse(nullptr, "1", "AREA1"));
        return tree;
    }

    // The lines below a device's line, up to the next device's.
    static int AreaLines(const std::string& tree, int device)
    {
        const std::string label = "  " + std::to_string(device);
        size_t at = tree.find("\n" + label);
        while (at != std::string::npos && tree[at + 1 + label.size()] != ' ' &&
               tree[at + 1 + label.size()] != '|' && tree[at + 1 + label.size()] != ':')
            at = tree.find("\n" + label, at + 1);
        int lines = 0;
        for (size_t line = tree.find('\n', at + 1); at != std::string::npos &&
                                                    line != std::string::npos &&
                                                    tree.compare(line + 1, 4, "    ") == 0;
             line = tree.find('\n', line + 1))
            ++lines;
        return lines;
    }

    std::unique_ptr<Deployment> deployment = std::make_unique<Deployment>();
    std::vector<std::unique_ptr<FileServer>> servers;
    VorlanxExports exports;
};

TEST_F(FileServers, DeadServersCostASecondAndShowNoAreas)
{
    for (const int dead : {1, 3}) {
        for (int n = 0; n < dead; ++n)
            servers[size_t(n) * 3]->Control(0, true);
        double seconds = 0;
        const std::string tree = Browse(seconds);
        EXPECT_GE(seconds, 0) << "the dialog never showed";
        EXPECT_LT(seconds, 2.0) << dead << " dead";
        for (int n = 1; n <= kServers; ++n)
            EXPECT_EQ(AreaLines(tree, n), (n - 1) % 3 == 0 && n <= 3 * dead - 2 ? 0 : 3 * 4)
                << "device " << n << ", " << dead << " dead\n" << tree;
    }
}

TEST_F(FileServers, DeadServerRefusesAtOnceAndIsUsedAgainWhenBack)
{
    FileServer& dead = *servers[1];
    dead.Control(0, true);
    const std::string area = deployment->Folder() + "\\SRV2\\dev\\userroot\\storage\\AREA1";
    const std::vector<std::string> before = FolderEntries(area);
    char name[VORLANX_NAME_SIZE] = {}, description[VORLANX_DESCRIPTION_SIZE] = {};
    const struct {
        const char* what;
        std::function<int()> call;
    } calls[] = {
        {"retrieve", [&] { return exports.retrieve(nullptr, "2", "AREA1", "CAT1", name, description); }},
        {"new", [&] { return exports.create(nullptr, "2", "AREA1", "", "NEW", "new"); }},
        {"edit", [&] { return exports.edit(nullptr, "2", "AREA1", "CAT1", "CAT9", "edited"); }},
    };
    for (const auto& call : calls) {
        const ULONGLONG begin = Now();
        EXPECT_EQ(call.call(), VORLANX_ERR_UNREACHABLE) << call.what;
        EXPECT_LT(Now() - begin, 1000u) << call.what;
    }
    dead.Control(0, false);
    EXPECT_EQ(FolderEntries(area), before);
    int code = 0;
    for (const ULONGLONG begin = Now(); code != VORLANX_OK && Now() - begin < 10000; Sleep(100))
        code = exports.retrieve(nullptr, "2", "AREA1", "CAT1", name, description);
    EXPECT_EQ(code, VORLANX_OK);
    EXPECT_STREQ(description, "words");
}

TEST_F(FileServers, SlowServerStillGivesTheDialog)
{
    servers[4]->Control(2000, false);
    double seconds = 0;
    const std::string tree = Browse(seconds);
    EXPECT_GE(seconds, 0) << "the dialog never showed";
    EXPECT_LT(seconds, 60.0);
    EXPECT_EQ(AreaLines(tree, 1), 3 * 4) << tree;
}

TEST_F(FileServers, HostUnloadsTheLibraryWhileACheckWaits)
{
    servers[0]->Control(0, true);
    char name[VORLANX_NAME_SIZE] = {}, description[VORLANX_DESCRIPTION_SIZE] = {};
    EXPECT_EQ(exports.retrieve(nullptr, "1", "AREA1", "CAT1", name, description),
              VORLANX_ERR_UNREACHABLE);
    const std::string talmor = deployment->Folder() + "\\talmor.dll";
    deployment.reset();
    EXPECT_NE(GetModuleHandleA(talmor.c_str()), nullptr) << "the waiting check holds it";
    servers[0]->Control(0, false);
    for (int i = 0; i < 500 && GetModuleHandleA(talmor.c_str()); ++i)
        Sleep(10);
    EXPECT_EQ(GetModuleHandleA(talmor.c_str()), nullptr) << "the check let it go";
}

}  // namespace
