// Description writes killed at random moments: a host process rewrites a category's description
// again and again and is killed part way, many times. After every kill the description is the
// old text or the new one, whole: never a mix, never none.
#include "support/deployment.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(StoreUnderFault, AKilledWriterLeavesTheOldDescriptionOrTheNewOne)
{
    Deployment deployment;
    const std::string root = deployment.MakeDevice("1");
    deployment.WriteStorageIni({{"1", root}});
    const std::string area = root + "\\userroot\\storage\\AREA1";
    MakeArea(root + "\\userroot\\storage", "AREA1", "open");
    MakeFolders(area + "\\CAT");
    const std::string texts[] = {std::string(200, 'a'), std::string(255, 'b')};
    WriteTextFile(area + "\\CAT\\category.txt", texts[0]);

    std::mt19937 random(2026);
    int killedEarly = 0, killedLate = 0;
    for (int round = 0; round < 60; ++round) {
        const std::string& next = texts[(round + 1) % 2];
        std::string command = "\"" + deployment.Folder() + "\\vorlanxhost.exe\" edit 1 AREA1 CAT CAT " + next;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                   CREATE_NO_WINDOW, nullptr, deployment.Folder().c_str(), &si, &pi));
        const DWORD wait = WaitForSingleObject(pi.hProcess, random() % 120);
        if (wait == WAIT_TIMEOUT) {
            TerminateProcess(pi.hProcess, 9);
            WaitForSingleObject(pi.hProcess, INFINITE);
            ++killedEarly;
        } else {
            ++killedLate;  // it finished first
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const std::string now = ReadTextFile(area + "\\CAT\\category.txt");
        ASSERT_TRUE(now == texts[0] || now == texts[1])
            << "round " << round << ": " << now.size() << " bytes";
    }
    printf("killed before the end %d times, finished first %d times\n", killedEarly, killedLate);
    EXPECT_GT(killedEarly, 0);
}

}  // namespace
