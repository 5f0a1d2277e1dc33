#include "unix_side.h"

#include "deployment.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

std::string UnixPath(const std::string& windowsPath)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH * 2];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2))
        return std::string();
    char* unix = toUnix(wide);
    if (!unix)
        return std::string();
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

bool StartUnixCommand(const std::string& command)
{
    std::string line = "/bin/sh -c \"" + command + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return false;
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    return true;
}

namespace {

bool WaitForPresence(const std::string& path, bool present)
{
    for (int i = 0; i < 500; ++i) {
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present)
            return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool MakeUnixLink(const std::string& link, const std::string& target)
{
    const std::string at = UnixPath(link);
    return !at.empty() && StartUnixCommand("ln -s '" + target + "' '" + at + "'") &&
           WaitForPresence(link, true);
}

bool RemoveUnixLink(const std::string& link)
{
    const std::string at = UnixPath(link);
    return !at.empty() && StartUnixCommand("rm -f '" + at + "'") && WaitForPresence(link, false);
}

bool MakeUnixFolder(const std::string& folder, const std::string& child)
{
    const std::string at = UnixPath(folder);
    if (at.empty() || !StartUnixCommand("mkdir '" + at + "/" + child + "'"))
        return false;
    // Wine finds names without case: only the listing tells this spelling from another.
    for (int i = 0; i < 500; ++i, Sleep(10)) {
        const std::vector<std::string> entries = FolderEntries(folder);
        if (std::find(entries.begin(), entries.end(), child) != entries.end())
            return true;
    }
    return false;
}
