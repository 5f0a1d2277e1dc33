#include "lookup/devices.h"

#include "areas/cache.h"
#include "names/folder_names.h"
#include "disk/profile.h"
#include "formats/options.h"
#include "site/storage_ini.h"

#include <windows.h>

#include <cstring>

namespace {

std::shared_ptr<const CDeviceTable> LogicalDrives()
{
    std::vector<Device> devices;
    char drives[4 * 26 + 2] = {};
    const DWORD n = GetLogicalDriveStringsA(sizeof drives - 1, drives);
    if (n != 0 && n < sizeof drives - 1)
        for (const char* d = drives; *d; d += strlen(d) + 1)
            devices.push_back(Device{std::string(d, 2), d});
    return std::make_shared<const CDeviceTable>(devices);
}

// What tells one state of the file from another: which file it is, its size and its time.
struct CFileStamp {
    BY_HANDLE_FILE_INFORMATION m_info = {};

    bool operator==(const CFileStamp& other) const
    {
        const BY_HANDLE_FILE_INFORMATION &a = m_info, &b = other.m_info;
        return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
               a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow &&
               a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
               CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
    }
};

bool StampFile(const std::string& path, CFileStamp& stamp)
{
    if (path.size() > kMaxFilePath)
        return false;
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                    FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool got = GetFileInformationByHandle(file, &stamp.m_info) != 0;
    CloseHandle(file);
    return got;
}

// A file changed within this long before it was read may change again within the same tick of
// the file system's clock, keeping its time and size: such a reading is not kept.
const ULONGLONG kSettled = 2 * 10000000ull;  // 2 s in 100 ns

ULONGLONG Ticks(const FILETIME& time)
{
    return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The last table read, for every thread of the process; freed with the library.
SRWLOCK g_lock = SRWLOCK_INIT;
std::shared_ptr<const CDeviceTable> g_kept;
CFileStamp g_keptStamp;

std::shared_ptr<const CDeviceTable> ReadTable(const std::string& ini)
{
    std::vector<std::string> lines;
    ReadExactProfileSection(ini, "devices", lines);
    return std::make_shared<const CDeviceTable>(CDeviceTable::FromLines(lines));
}

std::shared_ptr<const CDeviceTable> ReadDevicesUncached()
{
    const std::string ini = StorageIniPath();
    if (GetFileAttributesA(ini.c_str()) == INVALID_FILE_ATTRIBUTES)
        return LogicalDrives();
    CFileStamp stamp;
    if (!StampFile(ini, stamp))
        return ReadTable(ini);  // not kept: nothing would tell when it changed
    AcquireSRWLockShared(&g_lock);
    std::shared_ptr<const CDeviceTable> kept = g_kept && g_keptStamp == stamp ? g_kept : nullptr;
    ReleaseSRWLockShared(&g_lock);
    if (kept)
        return kept;
    // Stamped before it is read: a change while it is read makes the next call read it again.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    std::shared_ptr<const CDeviceTable> table = ReadTable(ini);
    if (Ticks(now) < Ticks(stamp.m_info.ftLastWriteTime) + kSettled)
        return table;
    AcquireSRWLockExclusive(&g_lock);
    std::shared_ptr<const CDeviceTable> previous = std::move(g_kept);
    g_kept = table;
    g_keptStamp = stamp;
    ReleaseSRWLockExclusive(&g_lock);
    return table;  // previous goes here, outside the lock
}

}  // namespace

std::shared_ptr<const CDeviceTable> ReadDevices()
{
    CCachePass* pass = CurrentCachePass();
    if (!pass)
        return ReadDevicesUncached();
    if (!pass->m_devices)
        pass->m_devices = ReadDevicesUncached();
    return pass->m_devices;
}

unsigned ServerDeadline()
{
    return OptionNumber(ReadOption(kServerDeadlineOption.key), kServerDeadlineOption);
}

bool ResolveDevice(const char* token, Device& device)
{
    if (!token)
        return false;
    // A device without an absolute root is still the one its name names (the name must not fall
    // through to another device), but nothing is ever found on it.
    const std::shared_ptr<const CDeviceTable> devices = ReadDevices();
    const Device* found = devices->Find(token);
    if (!found || !IsAbsoluteRoot(found->root))
        return false;
    device = *found;
    return true;
}
