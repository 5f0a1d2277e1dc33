#include "disk/description.h"

#include "disk/folders.h"
#include "names/own_names.h"
#include "formats/record_text.h"
#include "text/codepage.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstring>

namespace {

// A reader, a scanner or another writer may hold category.txt for a moment: such refusals are
// tried again, a few milliseconds apart, for about a second in all.
template <typename Attempt>
bool RetryWhileShared(Attempt attempt)
{
    for (int tries = 1;; ++tries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if (tries == 100 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
                             error != ERROR_LOCK_VIOLATION))
            return false;
        Sleep(10);
    }
}

// A temporary file of our own in folder: CREATE_NEW, so a name someone else holds is skipped.
HANDLE CreateTemporary(const std::string& folder, std::string& path)
{
    for (int tries = 0; tries < 64; ++tries) {
        path = folder + "\\" + TemporaryName(Temporary::Description, NextTemporaryNumber());
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

int ReadDescription(const std::string& folder, std::string& text)
{
    text.clear();
    if (!FitsCategoryFolder(folder))
        return VORLANX_ERR_PATH_TOO_LONG;
    const std::string path = folder + "\\" + kDescriptionFile;
    HANDLE file = INVALID_HANDLE_VALUE;
    const bool opened = RetryWhileShared([&] {
        file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    if (!opened) {
        // Without its file a category has the empty description; without its folder it is gone
        // (a delete came first). Anything else could not be read.
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            const DWORD attributes = GetFileAttributesA(folder.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES)
                return attributes & FILE_ATTRIBUTE_DIRECTORY ? VORLANX_OK : VORLANX_ERR_NO_CATEGORY;
            error = GetLastError();
        }
        return FoundByError(error) == Found::no ? VORLANX_ERR_NO_CATEGORY : VORLANX_ERR_IO;
    }
    // One byte more than the record holds tells a longer file from one that fits.
    char buffer[VORLANX_DESCRIPTION_SIZE];
    DWORD size = 0;
    bool ok = true;
    while (ok && size < sizeof buffer) {
        DWORD read = 0;
        ok = ReadFile(file, buffer + size, sizeof buffer - size, &read, nullptr);
        if (read == 0)
            break;
        size += read;
    }
    CloseHandle(file);
    if (!ok)
        return VORLANX_ERR_IO;
    text = CutToRecord(buffer, size, AnsiCodePage());
    return VORLANX_OK;
}

int WriteDescription(const std::string& folder, const std::string& text)
{
    if (!FitsCategoryFolder(folder))
        return VORLANX_ERR_PATH_TOO_LONG;
    std::string temp;
    const HANDLE file = CreateTemporary(folder, temp);
    if (file == INVALID_HANDLE_VALUE)
        return VORLANX_ERR_IO;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size() && FlushFileBuffers(file);
    CloseHandle(file);
    const std::string path = folder + "\\" + kDescriptionFile;
    ok = ok && RetryWhileShared([&] {
             return MoveFileExA(temp.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
         });
    if (!ok)
        DeleteFileA(temp.c_str());
    return ok ? VORLANX_OK : VORLANX_ERR_IO;
}
