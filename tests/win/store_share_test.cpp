// Our store reached by many processes and machines: the area's write lock holds between
// processes and between two Wine prefixes (two Wine servers, standing for two machines) on one
// share reached through a UNC root; waits for it are bounded; an unreachable server is reported.
#include "support/fixtures/deployment.h"
#include "support/store/store_calls.h"
#include "support/store/store_forwarder.h"
#include "support/fixtures/unix_side.h"

#include "vorlanx.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

using Names = std::vector<std::string>;

const std::string kRoot = "\\\\fileserver\\data\\dev5";
const std::string kArea = kRoot + "\\userroot\\storage\\AREA1";

bool WaitFor(const std::string& path, DWORD ms, bool present = true)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20))
        if (Exists(path) == present)
            return true;
    return false;
}

// A path of this prefix as the second prefix names it (its Z: drive is the Unix root too).
std::string InSecondPrefix(const std::string& path)
{
    std::string named = "Z:" + UnixPath(path);
    for (char& c : named)
        c = c == '/' ? '\\' : c;
    return named;
}

class StoreShare : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ForwardStoreTo(deployment));
        RemoveTree(kRoot);
        MakeArea(kRoot + "\\userroot\\storage", "AREA1", "open");
        MakeFolders(kArea + "\\CAT");
        ASSERT_TRUE(Exists(kArea + "\\CAT")) << "no file server: run the wine_second_prefix test";
        deployment.WriteStorageIni({{"5", kRoot}, {"6", "\\\\fileserver\\gone\\dev6"}});
    }
    void TearDown() override { RemoveTree(kRoot); }

    std::string Description()
    {
        CCategoryData record = {};
        const int code = talmor_RetrieveCategory("5", "AREA1", "CAT", &record);
        return code == VORLANX_OK ? record.description : "retrieve: " + std::to_string(code);
    }

    // Starts a program of the tests in the second prefix: another machine.
    void RunOnSecondMachine(const std::string& program, const std::string& arguments)
    {
        const char* second = getenv("VORLANX_SECOND_PREFIX");
        ASSERT_TRUE(second) << "VORLANX_SECOND_PREFIX names the second Wine prefix";
        ASSERT_TRUE(StartUnixCommand("WINEPREFIX='" + std::string(second) + "' wine '" +
                                     UnixPath(TestsFolder() + "\\" + program) + "' " + arguments));
    }

    Deployment deployment;
};

TEST_F(StoreShare, TwoMachinesEditingOneCategoryAreNeverRefused)
{
    // The other machine holds the area's lock: a writer here waits until it lets go.
    RunOnSecondMachine("lock_holder.exe", "'" + kArea + "\\~vorlanx.lck' '" +
                                              InSecondPrefix(deployment.Folder()) + "'");
    ASSERT_TRUE(WaitFor(deployment.Folder() + "\\held", 60000));
    int code = 0;
    std::thread waiting([&] {
        CCategoryData record = MakeRecord("CAT", "A 0 0");
        code = talmor_EditCategory("5", "AREA1", "CAT", &record);
    });
    Sleep(1000);
    EXPECT_EQ(code, 0) << "written while the other machine held the lock";
    WriteTextFile(deployment.Folder() + "\\release", "");
    waiting.join();
    EXPECT_EQ(code, VORLANX_OK);
    EXPECT_TRUE(WaitFor(deployment.Folder() + "\\held", 60000, false)) << "the holder lives on";

    // Eight writers on each machine.
    const int threads = 8, rounds = 25;
    RunOnSecondMachine("share_writer.exe", "'" + InSecondPrefix(deployment.Folder()) + "' B " +
                                               std::to_string(threads) + " " +
                                               std::to_string(rounds));
    ASSERT_TRUE(WaitFor(deployment.Folder() + "\\B.started", 60000));

    int first = 0;
    EXPECT_EQ(RaceEdits("5", "AREA1", "CAT", "A", threads, rounds, first), 0)
        << "first refusal " << first;
    ASSERT_TRUE(WaitFor(deployment.Folder() + "\\B.result", 60000));
    EXPECT_EQ(ReadTextFile(deployment.Folder() + "\\B.result"), "0 0");

    EXPECT_TRUE(IsRaceDescription(Description(), "AB", threads, rounds)) << Description();
    EXPECT_EQ(FolderEntries(kArea), (Names{"CAT", "login.ctl"}));
    EXPECT_EQ(FolderEntries(kArea + "\\CAT"), Names{"category.txt"});
}

TEST_F(StoreShare, AWriterWaitsForAHeldLockAtMostItsBoundAndNotForADeadHolder)
{
    std::string command = "\"" + TestsFolder() + "\\lock_holder.exe\" \"" + kArea +
                          "\\~vorlanx.lck\" \"" + deployment.Folder() + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION holder = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, nullptr, &si, &holder));
    ASSERT_TRUE(WaitFor(deployment.Folder() + "\\held", 20000));

    CCategoryData record = MakeRecord("CAT", "while held");
    DWORD start = GetTickCount();
    EXPECT_EQ(talmor_EditCategory("5", "AREA1", "CAT", &record), VORLANX_ERR_BUSY);
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 9000u);
    EXPECT_LT(waited, 20000u);
    EXPECT_EQ(Description(), "");

    // The holder dies while a writer waits: the system lets go of its lock.
    int code = 0;
    start = GetTickCount();
    std::thread writer([&] {
        record = MakeRecord("CAT", "after the holder died");
        code = talmor_EditCategory("5", "AREA1", "CAT", &record);
    });
    Sleep(1000);
    TerminateProcess(holder.hProcess, 9);
    WaitForSingleObject(holder.hProcess, INFINITE);
    writer.join();
    EXPECT_EQ(code, VORLANX_OK);
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(Description(), "after the holder died");
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
}

TEST_F(StoreShare, AServerThatCannotBeReachedIsReportedAndRefused)
{
    CStringList failed;
    StoreFailedConnections(failed);
    ASSERT_EQ(failed.GetCount(), 1);
    EXPECT_STREQ(*failed.begin(), "6");
    EXPECT_EQ(ListFirstArea("6"), nullptr);
    CCategoryData record = MakeRecord("CAT", "x");
    EXPECT_EQ(talmor_RetrieveCategory("6", "AREA1", "CAT", &record), VORLANX_ERR_UNREACHABLE);
    EXPECT_EQ(talmor_NewCategory("6", "AREA1", "", &record), VORLANX_ERR_UNREACHABLE);
    std::string login = "6:\\userroot\\storage\\AREA1\\login.ctl";
    int first = 0, second = 0, third = 0;
    EXPECT_EQ(cc_check_trailer_ex(login.data(), 5, &first, &second, &third),
              VORLANX_ERR_NO_LOGIN_CONTROL);
    EXPECT_EQ(second, 13);
    // The device that can be reached is not held up by the one that cannot.
    EXPECT_EQ(Description(), "");
}

}  // namespace
