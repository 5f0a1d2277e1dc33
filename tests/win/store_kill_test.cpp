// Description writes killed at random moments: a writer process rewrites a category's
// description through the library again and again and is killed part way, many times. After
// every kill the description is one of the texts it writes, whole: never a mix, never none.
#include "support/fixtures/deployment.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <random>

namespace {

int TemporaryFilesIn(const std::string& folder)
{
    int count = 0;
    for (const std::string& name : FolderEntries(folder))
        count += name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".tmp") == 0;
    return count;
}

TEST(StoreUnderFault, AKilledWriterLeavesTheOldDescriptionOrTheNewOne)
{
    Deployment deployment;
    const std::string root = deployment.MakeDevice("1");
    deployment.WriteStorageIni({{"1", root}});
    const std::string area = root + "\\userroot\\storage\\AREA1";
    MakeArea(root + "\\userroot\\storage", "AREA1", "open");
    MakeFolders(area + "\\CAT");
    const std::string category = area + "\\CAT";
    const std::string texts[] = {std::string(200, 'a'), std::string(255, 'b')};
    WriteTextFile(category + "\\category.txt", texts[0]);

    const char kEvent[] = "vorlanx-description-writer-running";
    HANDLE running = CreateEventA(nullptr, TRUE, FALSE, kEvent);
    ASSERT_NE(running, nullptr);
    std::mt19937 random(2026);
    int killedWithTemporaryFile = 0;
    const int rounds = 40;
    for (int round = 0; round < rounds; ++round) {
        ResetEvent(running);
        const int temporaryBefore = TemporaryFilesIn(category);
        std::string command = "\"" + TestsFolder() + "\\description_writer.exe\" \"" +
                              deployment.Folder() + "\" " + kEvent;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                   DETACHED_PROCESS, nullptr, deployment.Folder().c_str(), &si,
                                   &pi));
        // Killed only once it runs: the writes, not the start of a process, are under test.
        const DWORD started = WaitForSingleObject(running, 20000);
        Sleep(random() % 40);
        TerminateProcess(pi.hProcess, 9);
        const DWORD ended = WaitForSingleObject(pi.hProcess, 20000);
        DWORD status = 0;
        GetExitCodeProcess(pi.hProcess, &status);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        ASSERT_EQ(started, WAIT_OBJECT_0) << "round " << round << ": the writer did not start";
        ASSERT_EQ(ended, WAIT_OBJECT_0) << "round " << round << ": the writer did not end";
        ASSERT_EQ(status, 9u) << "round " << round << ": the writer stopped by itself";

        const std::string now = ReadTextFile(category + "\\category.txt");
        ASSERT_TRUE(now == texts[0] || now == texts[1])
            << "round " << round << ": " << now.size() << " bytes";
        killedWithTemporaryFile += TemporaryFilesIn(category) > temporaryBefore;
    }
    CloseHandle(running);
    printf("%d kills, %d of them between creating the temporary file and replacing the old one\n",
           rounds, killedWithTemporaryFile);
    // The moment under test was hit, or this test proves nothing.
    EXPECT_GT(killedWithTemporaryFile, 0);

    // A leftover temporary file is not a category, and the next write goes through.
    auto edit = Proc<vorlanx_edit_category_fn>(deployment.Load("vorlanx.dll"), "vorlanx_edit_category");
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "CAT", "CAT", "after"), VORLANX_OK);
    EXPECT_EQ(ReadTextFile(category + "\\category.txt"), "after");
    EXPECT_EQ(TemporaryFilesIn(category), 0);  // and it took away what the kills left
}

}  // namespace
