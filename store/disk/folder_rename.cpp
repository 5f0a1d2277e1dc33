#include "disk/folder_rename.h"

#include "areas/area_lock.h"
#include "disk/folders.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "vorlanx.h"

#include <windows.h>

int MoveEntry(const std::string& from, const std::string& to, const StillLocked& stillLocked)
{
    if (from.size() > kMaxFilePath || to.size() > kMaxFilePath)
        return VORLANX_ERR_PATH_TOO_LONG;
    const DWORD start = GetTickCount();
    for (DWORD pause = 1;; pause = pause < 16 ? pause * 2 : 16) {
        if (stillLocked && !stillLocked())
            return kLockLost;
        if (MoveFileA(from.c_str(), to.c_str()))
            return VORLANX_OK;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            return VORLANX_ERR_EXISTS;
        // Windows answers a folder with an open file inside "access denied"; a refusal that
        // lasts is the file system's, one of sharing is someone's who stays inside.
        const bool shared = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!shared && error != ERROR_ACCESS_DENIED)
            return VORLANX_ERR_IO;
        if (GetTickCount() - start >= kAreaLockWaitMs)
            return shared ? VORLANX_ERR_BUSY : VORLANX_ERR_IO;
        Sleep(pause);
    }
}

int RenameFolder(const std::string& parent, const std::string& from, const std::string& to,
                 const StillLocked& stillLocked)
{
    const CodePage& cp = AnsiCodePage();
    const std::string before = JoinPath(parent, from, cp);
    const std::string after = JoinPath(parent, to, cp);
    const std::string aside = before + kRenameSuffix;
    const bool caseOnly = SameName(from, to);
    if (!FitsCategoryFolder(after) || (caseOnly && aside.size() > kMaxFilePath))
        return VORLANX_ERR_PATH_TOO_LONG;
    int code = MoveEntry(before, after, stillLocked);
    std::string spelling;
    if (code != VORLANX_OK || !caseOnly || (FindSubFolder(parent, to, spelling) == Found::yes && spelling == to))
        return code;
    code = MoveEntry(before, aside);
    if (code == VORLANX_OK && (code = MoveEntry(aside, after)) != VORLANX_OK)
        MoveEntry(aside, before);
    return code;
}
