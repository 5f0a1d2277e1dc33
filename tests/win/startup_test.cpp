// Start-up: the resource library beside vorlanx.dll, its version rule, the companion library and
// the messages. Each case has its own copy of the library in a folder of its own, runs in a host
// process of its own that lies in another folder, with the current directory in a third; host
// and current folders hold a German resource library that must never be taken.
#include "support/fixtures/deployment.h"

#include "api/startup_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace {

using Lines = std::vector<std::string>;

std::string VariantFolder()
{
    return TestsFolder() + "\\variants";
}

// A copy of file whose image says it is for the other machine: it has its version block, but no
// process of this build's size can load it.
void WriteUnloadableCopy(const std::string& from, const std::string& to)
{
    std::string image = ReadTextFile(from);
    const uint32_t pe = *reinterpret_cast<const uint32_t*>(image.data() + 0x3C);
    const WORD machine = sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64;
    memcpy(&image[pe + 4], &machine, sizeof machine);
    WriteTextFile(to, image);
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        lib = deployment.Folder();
        host = lib + "-host";
        cwd = lib + "-cwd";
        for (const std::string& folder : {host, cwd}) {
            MakeFolders(folder);
            CopyFileA((BinFolder() + "\\lang\\de\\vorlanxres.dll").c_str(),
                      (folder + "\\vorlanxres.dll").c_str(), FALSE);
        }
        CopyFileA((TestsFolder() + "\\startup_probe.exe").c_str(),
                  (host + "\\startup_probe.exe").c_str(), FALSE);
        Remove("vorlanxres.dll");
    }
    void TearDown() override
    {
        RemoveTree(host);
        RemoveTree(cwd);
    }

    void Remove(const char* file) { DeleteFileA((lib + "\\" + file).c_str()); }
    void PutResources(const std::string& from) { ASSERT_TRUE(CopyFileA(from.c_str(), (lib + "\\vorlanxres.dll").c_str(), FALSE)) << from; }

    // Runs the host; its report, one line each.
    Lines Probe(bool again = false)
    {
        const std::string out = cwd + "\\report.txt";
        std::string command = "\"" + host + "\\startup_probe.exe\" \"" + lib + "\\vorlanx.dll\" \"" +
                              out + "\"" + (again ? " again" : "");
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            cwd.c_str(), &si, &pi)) {
            ADD_FAILURE() << "cannot start the probe (error " << GetLastError() << ")";
            return {};
        }
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        Lines lines;
        std::ifstream report(out);
        for (std::string line; std::getline(report, line);)
            lines.push_back(line);
        return lines;
    }

    static std::string Escaped(std::string text)
    {
        for (size_t at; (at = text.find('\n')) != std::string::npos;)
            text.replace(at, 1, "\\n");
        return text;
    }
    static std::string Message(const std::string& text) { return "message: " + Escaped(text); }
    std::string Ostrel() const { return "ostrel: " + lib + "\\Ostrel.dll"; }

    Deployment deployment;
    std::string lib, host, cwd;
};

const std::string kEnglishTitle = "title: Browse for Storage Area";

TEST_F(Startup, WithoutAResourceLibraryTheLibrarysOwnResourcesServeAndNothingIsSaid)
{
    EXPECT_EQ(Probe(), (Lines{"loaded: 1", kEnglishTitle, "root: ", "floppy: A:FLOPPY", Ostrel()}));
}

TEST_F(Startup, TheEnglishLibraryGivesTheRootLabelAndTheLibraryWhatItLacks)
{
    PutResources(BinFolder() + "\\vorlanxres.dll");
    EXPECT_EQ(Probe(),
              (Lines{"loaded: 1", kEnglishTitle, "root: Storage devices", "floppy: A:FLOPPY", Ostrel()}));
}

TEST_F(Startup, TheGermanLibraryGivesItsDialogAndStrings)
{
    PutResources(BinFolder() + "\\lang\\de\\vorlanxres.dll");
    EXPECT_EQ(Probe(), (Lines{"loaded: 1", "title: Speicherbereich ausw\xE4hlen",
                              "root: Speicherger\xE4te", "floppy: A:FLOPPY", Ostrel()}));
}

TEST_F(Startup, AProductVersionThatDiffersInTheRevisionAloneIsIncompatible)
{
    PutResources(VariantFolder() + "\\res_other_revision.dll");
    EXPECT_EQ(Probe(), (Lines{Message(IncompatibleVersionMessage("vorlanxres.dll")), "loaded: 1",
                              kEnglishTitle, "root: ", "floppy: A:FLOPPY", Ostrel()}));
}

TEST_F(Startup, AnotherFileVersionWithTheSameProductVersionIsAccepted)
{
    PutResources(VariantFolder() + "\\res_other_file_version.dll");
    EXPECT_EQ(Probe(), (Lines{"loaded: 1", kEnglishTitle, "root: Storage devices",
                              "floppy: A:FLOPPY", Ostrel()}));
}

TEST_F(Startup, AResourceLibraryWithoutAVersionIsIncompatible)
{
    PutResources(VariantFolder() + "\\res_no_version.dll");
    EXPECT_EQ(Probe()[0], Message(IncompatibleVersionMessage("vorlanxres.dll")));
}

TEST_F(Startup, AResourceLibraryTheSystemCannotLoadIsReportedWithItsErrorCode)
{
    WriteUnloadableCopy(BinFolder() + "\\vorlanxres.dll", lib + "\\vorlanxres.dll");
    ASSERT_EQ(LoadLibraryA((lib + "\\vorlanxres.dll").c_str()), nullptr);
    const DWORD code = GetLastError();
    EXPECT_EQ(Probe(), (Lines{Message(LoadFailureMessage("vorlanxres.dll", code)), "loaded: 1",
                              kEnglishTitle, "root: ", "floppy: A:FLOPPY", Ostrel()}));
}

TEST_F(Startup, WithoutOstrelNothingIsSaid)
{
    Remove("Ostrel.dll");
    EXPECT_EQ(Probe(), (Lines{"loaded: 1", kEnglishTitle, "root: ", "floppy: A:FLOPPY", "ostrel: none"}));
}

TEST_F(Startup, OstrelIsLoadedOnceAndKeptWhenTheLibraryIsUnloadedAndLoadedAgain)
{
    PutResources(BinFolder() + "\\vorlanxres.dll");
    const Lines once = {"loaded: 1", kEnglishTitle, "root: Storage devices", "floppy: A:FLOPPY", Ostrel()};
    Lines twice = once;
    twice.push_back("again");
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(Probe(true), twice);
}

TEST_F(Startup, AnUnloadableOstrelIsReportedAfterTheResourceLibrary)
{
    PutResources(VariantFolder() + "\\res_other_revision.dll");
    WriteTextFile(lib + "\\Ostrel.dll", "not a library");
    ASSERT_EQ(LoadLibraryA((lib + "\\Ostrel.dll").c_str()), nullptr);
    const DWORD code = GetLastError();
    const Lines lines = Probe();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], Message(IncompatibleVersionMessage("vorlanxres.dll")));
    EXPECT_EQ(lines[1], Message(LoadFailureMessage("Ostrel.dll", code)));
    EXPECT_EQ(lines[2], "loaded: 1");
    EXPECT_EQ(lines.back(), "ostrel: none");
}

}  // namespace
