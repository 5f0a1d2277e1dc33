#include "description.h"

#include "text/codepage.h"
#include "vorlanx.h"

#include <windows.h>

const char kDescriptionFile[] = "category.txt";

namespace {

const char kLeftoverPrefix[] = "~ct";  // GetTempFileNameA makes ~ctXXXX.tmp

int WriteWhole(const std::string& path, const std::string& text)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return VORLANX_ERR_IO;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size() && FlushFileBuffers(file);
    CloseHandle(file);
    return ok ? VORLANX_OK : VORLANX_ERR_IO;
}

}  // namespace

bool IsDescriptionLeftover(const std::string& file)
{
    return file.size() == 11 && _strnicmp(file.c_str(), kLeftoverPrefix, 3) == 0 &&
           _stricmp(file.c_str() + 7, ".tmp") == 0;
}

int ReadDescription(const std::string& folder, std::string& text)
{
    text.clear();
    const std::string path = folder + "\\" + kDescriptionFile;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? VORLANX_OK : VORLANX_ERR_IO;
    }
    char buffer[256];
    DWORD read = 0;
    const bool ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    if (!ok)
        return VORLANX_ERR_IO;
    buffer[read < sizeof buffer ? read : sizeof buffer - 1] = '\0';
    // Cut at the last whole character within 255 bytes, and at an embedded zero.
    const CodePage& cp = AnsiCodePage();
    const char* end = buffer;
    for (const char* p = buffer; *p != '\0'; p = end) {
        if (cp.IsLead(static_cast<unsigned char>(*p)) && p[1] == '\0')
            break;  // its trail byte was cut off
        end = cp.Next(p);
    }
    text.assign(static_cast<const char*>(buffer), end);
    return VORLANX_OK;
}

int WriteDescription(const std::string& folder, const std::string& text)
{
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), kLeftoverPrefix, 0, temp))
        return VORLANX_ERR_IO;
    int code = WriteWhole(temp, text);
    if (code == VORLANX_OK) {
        const std::string path = folder + "\\" + kDescriptionFile;
        if (!MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            code = VORLANX_ERR_IO;
    }
    if (code != VORLANX_OK)
        DeleteFileA(temp);
    return code;
}
