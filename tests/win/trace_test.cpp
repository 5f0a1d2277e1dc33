// The support trace through the shipped libraries: a browse in this process while other
// processes write, all into one trace named by storage.ini; every line whole, with the codes the
// calls answered; then the cut-over to PATH.1 at 1 MB.
#include "support/drivers/dialog_driver.h"
#include "support/fixtures/deployment.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <utility>

namespace {

HANDLE StartHost(const std::string& folder, const std::string& arguments)
{
    std::string command = "\"" + folder + "\\vorlanxhost.exe\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                        nullptr, folder.c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A device "1" with the areas given ({name, access}), and storage.ini naming a trace in the
// deployment's folder (with a comment after it, as people write); the trace's path.
std::string TracedDeployment(Deployment& deployment,
                             std::initializer_list<std::pair<const char*, const char*>> areas)
{
    const std::string root = deployment.MakeDevice("dev1");
    for (const auto& [area, access] : areas)
        MakeArea(root + "\\userroot\\storage", area, access);
    deployment.WriteStorageIni({{"1", root}});
    const std::string trace = deployment.Folder() + "\\trace.txt";
    const std::string ini = deployment.Folder() + "\\storage.ini";
    WriteTextFile(ini, ReadTextFile(ini) + "[options]\r\ntrace = " + trace + " ; for support\r\n");
    return trace;
}

TEST(Trace, BrowseAndWritesOfSeveralProcessesLeaveWholeLinesWithTheirCodes)
{
    Deployment deployment;
    const std::string trace =
        TracedDeployment(deployment, {{"AREA1", "open"}, {"AREA2", "open"}, {"SHUT", "blocked"}});

    std::vector<HANDLE> hosts;
    for (int i = 0; i < 4; ++i)
        hosts.push_back(StartHost(deployment.Folder(),
                                  "new 1 AREA1 \"\" CAT" + std::to_string(i % 2) + " words"));
    // Loaded and freed here: each library stays until its trace's writer has written its lines.
    const HMODULE vorlanx = LoadLibraryExA((deployment.Folder() + "\\vorlanx.dll").c_str(), nullptr,
                                          LOAD_WITH_ALTERED_SEARCH_PATH);
    VorlanxExports exports;
    ASSERT_TRUE(exports.Bind(vorlanx));
    {
        DialogDriver driver([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
        free(exports.browse(nullptr, "1", "AREA1"));
    }
    FreeLibrary(vorlanx);
    for (const char* dll : {"vorlanx.dll", "talmor.dll", "ORVENT.dll"}) {
        const std::string path = deployment.Folder() + "\\" + dll;
        for (int i = 0; i < 500 && GetModuleHandleA(path.c_str()); ++i)
            Sleep(10);
        EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr) << dll << " stays after its lines";
    }
    for (HANDLE host : hosts) {
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(WaitForSingleObject(host, 60000), WAIT_OBJECT_0);
        CloseHandle(host);
    }

    const std::regex whole(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{6}Z pid (\d+) tid \d+ )"
                           R"((\w+)\((.*)\) -> (\S+) in \d+\.\d{3} ms\r$)");
    std::set<std::string> pids, seen;
    for (const std::string& line : Lines(ReadTextFile(trace))) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, whole)) << line;
        pids.insert(m[1]);
        seen.insert(m[2].str() + "(" + m[3].str() + ") -> " + m[4].str());
    }
    EXPECT_EQ(pids.size(), 5u);  // this process and the four writers
    // Two writers of each name: one made it, the other was told it exists.
    for (const char* expected : {
             "ListFirstDevice() -> \"1\"",
             "cc_check_trailer_ex(\"1:\\userroot\\storage\\SHUT\\login.ctl\") -> 1018",
             "vorlanx_browse_category(\"1\", \"AREA1\") -> \"\"",
             "talmor_NewCategory(\"1\", \"AREA1\", \"\", \"CAT0\") -> 1",
             "talmor_NewCategory(\"1\", \"AREA1\", \"\", \"CAT0\") -> 1006",
             "vorlanx_new_category(\"1\", \"AREA1\", \"\", \"CAT1\") -> 1",
             "vorlanx_new_category(\"1\", \"AREA1\", \"\", \"CAT1\") -> 1006"})
        EXPECT_TRUE(seen.count(expected)) << expected;
}

TEST(Trace, IsCutOverAtOneMegabyteAndKeepsItsLinesWhole)
{
    Deployment deployment;
    const std::string trace = TracedDeployment(deployment, {{"AREA1", "open"}});
    WriteTextFile(trace, std::string((1 << 20) - 10, '.') + "\r\n");
    HANDLE host = StartHost(deployment.Folder(), "retrieve 1 AREA1 NONE");
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(WaitForSingleObject(host, 60000), WAIT_OBJECT_0);
    CloseHandle(host);
    host = StartHost(deployment.Folder(), "retrieve 1 AREA1 OTHER");
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(WaitForSingleObject(host, 60000), WAIT_OBJECT_0);
    CloseHandle(host);
    const std::vector<std::string> old = Lines(ReadTextFile(trace + ".1"));
    const std::vector<std::string> now = Lines(ReadTextFile(trace));
    ASSERT_FALSE(old.empty());
    EXPECT_NE(old.back().find("(\"1\", \"AREA1\", \"NONE\") -> 2005"), std::string::npos);
    // The second host's two calls, each a whole line, after what the first host wrote once the
    // file was cut over.
    ASSERT_GE(now.size(), 2u);
    for (size_t i = 0; i < now.size(); ++i)
        EXPECT_NE(now[i].find(i + 2 < now.size() ? "(\"1\", \"AREA1\", \"NONE\") -> 2005"
                                                 : "(\"1\", \"AREA1\", \"OTHER\") -> 2005"),
                  std::string::npos) << now[i];
}

// The trace's file removed, or replaced by a folder, while a host runs: the lines go on in a new
// file at the path once one can be made there, after a line that counts what was lost.
TEST(Trace, GoesOnWhenItsFileIsRemovedOrBecomesAFolder)
{
    Deployment deployment;
    const std::string trace = TracedDeployment(deployment, {{"AREA1", "open"}});
    VorlanxExports exports;
    ASSERT_TRUE(exports.Bind(deployment.Load("vorlanx.dll")));
    char name[VORLANX_NAME_SIZE] = {}, description[VORLANX_DESCRIPTION_SIZE] = {};
    const auto retrieve = [&](const char* category) {
        exports.retrieve(nullptr, "1", "AREA1", category, name, description);
    };
    const auto written = [&](const char* text) {
        for (int i = 0; i < 500 && ReadTextFile(trace).find(text) == std::string::npos; ++i)
            Sleep(10);
        return ReadTextFile(trace).find(text) != std::string::npos;
    };
    retrieve("FIRST");
    ASSERT_TRUE(written("\"FIRST\") -> 2005"));
    for (const bool folder : {false, true}) {
        ASSERT_TRUE(DeleteFileA(trace.c_str()));
        if (folder) {
            ASSERT_TRUE(CreateDirectoryA(trace.c_str(), nullptr));
        }
        retrieve("GONE");
        Sleep(1000);  // its lines meet what is at the path
        if (folder) {
            ASSERT_TRUE(RemoveDirectoryA(trace.c_str()));
        }
        retrieve("BACK");
        EXPECT_TRUE(written("\"BACK\") -> 2005")) << folder;
        // Each library counts its line of the call that met the folder.
        const std::string text = ReadTextFile(trace);
        EXPECT_EQ(text.find("\"GONE\") -> 2005") != std::string::npos, !folder) << text;
        EXPECT_EQ(text.find("TraceLinesDropped() -> 1 ") != std::string::npos, folder) << text;
    }
}

}  // namespace
