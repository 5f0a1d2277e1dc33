// description_writer.exe FOLDER EVENT: loads FOLDER\vorlanx.dll, sets the named event once it is
// running, then rewrites the description of category CAT of area AREA1 on device 1 for ever,
// 200 'a's and 255 'b's in turn, until it is killed or its test is gone. A windows program, so
// that no console comes with it.
#include "support/fixtures/helper_end.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3)
        return 2;
    EndWithTest(__argv[1], 60000);
    const std::string dll = std::string(__argv[1]) + "\\vorlanx.dll";
    HMODULE library = LoadLibraryExA(dll.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library)
        return 3;
    const auto edit = reinterpret_cast<vorlanx_edit_category_fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "vorlanx_edit_category")));
    HANDLE running = OpenEventA(EVENT_MODIFY_STATE, FALSE, __argv[2]);
    if (!edit || !running)
        return 4;
    SetEvent(running);
    CloseHandle(running);
    const std::string texts[] = {std::string(200, 'a'), std::string(255, 'b')};
    for (unsigned round = 0;; ++round) {
        if (edit(nullptr, "1", "AREA1", "CAT", "CAT", texts[round % 2].c_str()) != VORLANX_OK)
            return 5;
    }
}
