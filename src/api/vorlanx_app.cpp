#include "vorlanx_app.h"

#include "api/startup_text.h"
#include "framework/module_state.h"

#include <cstdio>
#include <cstdlib>
#include <string>

HMODULE g_hOstrelDll = nullptr;

namespace {

// drive + directory + file name into a path buffer of MAX_PATH bytes; false when it does not fit.
bool ComposePath(char (&path)[MAX_PATH], const char* drive, const char* dir, const char* file)
{
    const int n = snprintf(path, sizeof path, "%s%s%s", drive, dir, file);
    return n > 0 && n < static_cast<int>(sizeof path);
}

bool FileExists(const char* path)
{
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA(path, &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

// Start-up tells its failures in a message box with the system's default title, then goes on.
void ShowStartupMessage(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), nullptr, 0);
}

}  // namespace

BOOL CVorlanxApp::InitInstance()
{
    if (HINSTANCE resources = LoadResourceDll(AfxGetInstanceHandle(), "vorlanxres.dll"))
        AfxGetModuleState()->m_hCurrentResourceHandle = resources;
    return CWinApp::InitInstance();
}

HINSTANCE LoadResourceDll(HINSTANCE hModule, const char* pszFileName)
{
    // Paths that do not fit these buffers count as not found.
    char modulePath[MAX_PATH], drive[3], dir[256], name[MAX_PATH], ext[256], path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(hModule, modulePath, sizeof modulePath);
    if (length == 0 || length >= sizeof modulePath ||
        _splitpath_s(modulePath, drive, sizeof drive, dir, sizeof dir, name, sizeof name, ext,
                     sizeof ext) != 0)
        return nullptr;

    HINSTANCE resources = nullptr;
    if (ComposePath(path, drive, dir, pszFileName) && FileExists(path)) {
        if (!IsSameProductVersion(modulePath, path)) {
            ShowStartupMessage(IncompatibleVersionMessage(pszFileName));
        } else {
            resources = LoadLibraryA(path);
            const DWORD error = GetLastError();
            if (!resources)
                ShowStartupMessage(LoadFailureMessage(pszFileName, error));
        }
    }

    // Whatever became of the resource library; no version test for this one.
    if (!g_hOstrelDll && ComposePath(path, drive, dir, "Ostrel.dll") && FileExists(path)) {
        HMODULE ostrel = LoadLibraryA(path);
        const DWORD error = GetLastError();
        if (ostrel)
            g_hOstrelDll = ostrel;
        else
            ShowStartupMessage(LoadFailureMessage("Ostrel.dll", error));
    }
    return resources;
}

BOOL IsSameProductVersion(const char* pszPath1, const char* pszPath2)
{
    DWORD ls1 = 0, ms1 = 0, ls2 = 0, ms2 = 0;
    if (!GetFileProductVersion(pszPath1, &ls1, &ms1) || !GetFileProductVersion(pszPath2, &ls2, &ms2))
        return FALSE;
    return SameProductVersion(ms1, ls1, ms2, ls2);
}

BOOL GetFileProductVersion(const char* pszPath, DWORD* pdwVersionLS, DWORD* pdwVersionMS)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(pszPath, &handle);
    if (size == 0)
        return FALSE;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return FALSE;
    BOOL ok = FALSE;
    if (void* block = GlobalLock(memory)) {
        VS_FIXEDFILEINFO* info = nullptr;
        UINT infoSize = 0;
        if (GetFileVersionInfoA(pszPath, handle, size, block) &&
            VerQueryValueA(block, "\\", reinterpret_cast<void**>(&info), &infoSize) && info &&
            infoSize >= sizeof *info) {
            *pdwVersionLS = info->dwProductVersionLS;
            *pdwVersionMS = info->dwProductVersionMS;
            ok = TRUE;
        }
        GlobalUnlock(memory);
    }
    GlobalFree(memory);
    return ok;
}
