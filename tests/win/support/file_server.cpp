#include "file_server.h"

#include "deployment.h"
#include "unix_side.h"

#include <windows.h>

#include <cstdlib>

// Wine takes the slashes of a Unix path after Z: as they are.
namespace {

std::string Env(const char* name)
{
    const char* value = getenv(name);
    return value ? value : "";
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
    if (Env("VORLANX_FILESERVER").empty() || Env("VORLANX_FILESERVERS").empty())
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
    MakeFolders("Z:" + Env("VORLANX_FILESERVERS"));
    Control(0, false);
    const std::string source = UnixPath(folder);
    StartUnixCommand("mkdir -p '" + m_mount + "' '" + m_link + "' && echo $$ > '" + m_mount +
                     ".pid' && exec '" + Env("VORLANX_FILESERVER") + "' '" + source + "' '" +
                     m_mount + "' '" + m_mount + ".ctl' >/dev/null 2>&1");
    if (!WaitFor("Z:" + m_mount + "\\served", true, 5000))
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
    const std::string m = "'" + m_mount + "'";
    StartUnixCommand("rm -f '" + m_link + "/share'; fusermount3 -uz " + m + "; kill $(cat " + m +
                     ".pid); rm -f " + m + ".*; rmdir " + m);
    WaitFor("Z:" + m_mount, false, 5000);
}

void FileServer::Control(int delayMs, bool dead)
{
    WriteTextFile("Z:" + m_mount + ".ctl",
                  "delay=" + std::to_string(delayMs) + " dead=" + (dead ? "1" : "0") + "\n");
    Sleep(60);  // the server reads it every 20 ms
}
