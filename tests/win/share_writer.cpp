// share_writer.exe FOLDER TAG THREADS ROUNDS: loads FOLDER\talmor.dll, writes FOLDER\TAG.started,
// then edits category CAT of area AREA1 on device 5 from THREADS threads, ROUNDS edits each (see
// RaceEdits), and writes "refusals firstRefusal" to FOLDER\TAG.result. The edit race of another
// machine, run in a second Wine prefix; it ends once its test is gone. A windows program, so
// that no console comes with it.
#include "support/fixtures/helper_end.h"
#include "support/store/store_calls.h"
#include "support/store/store_forwarder.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void WriteWhole(const std::string& path, const std::string& text)
{
    // Whole or not at all: the test reads it as soon as it is there.
    const std::string temp = path + ".tmp";
    if (FILE* file = fopen(temp.c_str(), "wb")) {
        fputs(text.c_str(), file);
        fclose(file);
        MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 5)
        return 2;
    const std::string folder = __argv[1], tag = __argv[2];
    EndWithTest(folder, 240000);
    HMODULE talmor = LoadLibraryExA((folder + "\\talmor.dll").c_str(), nullptr,
                                    LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!talmor)
        return 3;
    ForwardStoreTo(talmor, nullptr);
    WriteWhole(folder + "\\" + tag + ".started", "");
    int first = 0;
    const int refusals = RaceEdits("5", "AREA1", "CAT", tag, atoi(__argv[3]),
                                   atoi(__argv[4]), first);
    WriteWhole(folder + "\\" + tag + ".result",
               std::to_string(refusals) + " " + std::to_string(first));
    return 0;
}
