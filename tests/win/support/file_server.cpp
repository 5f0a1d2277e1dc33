#include "file_server.h"

#include "deployment.h"
#include "unix_side.h"

#include <windows.h>

#include <cstdlib>

namespace {

std::string Env(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n && n < sizeof value ? std::string(value, n) : std::string();
}

std::string WindowsPath(std::string unixPath)
{
    for (char& c : unixPath)
        if (c == '/')
            c = '\\';
    return "Z:" + unixPath;
}

bool WaitFor(const std::string& path, bool present, int ms)
{
    for (int i = 0; i < ms / 10; ++i, Sleep(10))
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present)
            return true;
    return false;
}

}  // namespace

std::string FileServer::Unavailable()
{
    // Wine lists the device but does not open it for its attributes.
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA("Z:\\dev\\fuse", &found);
    if (find == INVALID_HANDLE_VALUE)
        return "no /dev/fuse on this machine";
    FindClose(find);
    if (Env("VORLANX_FILESERVER").empty() || Env("VORLANX_FILESERVERS").empty() ||
        Env("WINEPREFIX").empty())
        return "the test runs without the file server's environment";
    return std::string();
}

FileServer::FileServer(const std::string& name, const std::string& folder) : m_name(name)
{
    if (!Unavailable().empty())
        return;
    m_mount = Env("VORLANX_FILESERVERS") + "/" + std::to_string(GetCurrentProcessId()) + "-" + name;
    m_link = Env("WINEPREFIX") + "/dosdevices/unc/" + name;
    WriteTextFile(folder + "\\served", "");
    MakeFolders(WindowsPath(Env("VORLANX_FILESERVERS")));
    Control(0, false);
    const std::string source = UnixPath(folder);
    StartUnixCommand("mkdir -p '" + m_mount + "' '" + m_link + "' && echo $$ > '" + m_mount +
                     ".pid' && exec '" + Env("VORLANX_FILESERVER") + "' '" + source + "' '" +
                     m_mount + "' '" + m_mount + ".ctl' >/dev/null 2>&1");
    if (!WaitFor(WindowsPath(m_mount) + "\\served", true, 5000))
        return;
    StartUnixCommand("ln -sfn '" + m_mount + "' '" + m_link + "/share'");
    m_bServing = WaitFor(Share() + "\\served", true, 5000);
}

FileServer::~FileServer()
{
    if (m_mount.empty())
        return;
    // Alive first, so that nothing of ours waits on it while it goes.
    Control(0, false);
    StartUnixCommand("rm -f '" + m_link + "/share'; fusermount3 -uz '" + m_mount +
                     "'; kill $(cat '" + m_mount + ".pid') 2>/dev/null; rm -f '" + m_mount +
                     ".pid' '" + m_mount + ".ctl' '" + m_mount + ".ctl.count'; rmdir '" +
                     m_mount + "'");
    WaitFor(WindowsPath(m_mount), false, 5000);
}

void FileServer::Control(int delayMs, bool dead)
{
    WriteTextFile(WindowsPath(m_mount + ".ctl"),
                  "delay=" + std::to_string(delayMs) + " dead=" + (dead ? "1" : "0") + "\n");
    Sleep(60);  // the server reads it every 20 ms
}

unsigned long long FileServer::Operations() const
{
    const std::string text = ReadTextFile(WindowsPath(m_mount + ".ctl.count"));
    const size_t equals = text.find('=');
    return equals == std::string::npos ? 0 : strtoull(text.c_str() + equals + 1, nullptr, 10);
}
