// lock_holder.exe FILE EVENT: takes the write lock that ~vorlanx.lck carries, as a writer does
// (byte 0, exclusive), sets the named event and holds it until it is killed. A windows program,
// so that no console comes with it.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3)
        return 2;
    const HANDLE file = CreateFileA(__argv[1], GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED at = {};
    if (file == INVALID_HANDLE_VALUE || !LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at))
        return 3;
    const HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, __argv[2]);
    if (!held)
        return 4;
    SetEvent(held);
    Sleep(INFINITE);
    return 0;
}
