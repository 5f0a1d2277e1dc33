// lock_holder.exe FILE FOLDER: takes the write lock that FILE (an area's ~vorlanx.lck) carries,
// as a writer does (byte 0, exclusive), makes FOLDER\held and holds the lock until
// FOLDER\release appears; then lets go and removes FOLDER\held, which tells a test that cannot
// wait for the process (one in another prefix) that it ended. It also ends once its test is gone
// (helper_end.h). Files, not events, tell the test, which may run under another Wine server. A
// windows program, so that no console comes with it.
#include "support/fixtures/helper_end.h"

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3)
        return 2;
    const std::string folder = __argv[2];
    EndWithTest(folder, 240000);
    const HANDLE file = CreateFileA(__argv[1], GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED at = {};
    if (file == INVALID_HANDLE_VALUE || !LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at))
        return 3;
    const std::string held = folder + "\\held";
    CloseHandle(CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    while (GetFileAttributesA((folder + "\\release").c_str()) == INVALID_FILE_ATTRIBUTES)
        Sleep(20);
    CloseHandle(file);
    DeleteFileA(held.c_str());
    return 0;
}
