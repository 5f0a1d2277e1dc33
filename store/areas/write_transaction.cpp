#include "areas/write_transaction.h"

#include "disk/leftovers.h"
#include "areas/locate.h"
#include "areas/login_control.h"
#include "names/folder_names.h"
#include "names/own_names.h"
#include "vorlanx.h"

namespace {

// Writes respect the area's login control. When several refusals apply, the first of these
// answers: no readable login.ctl, hidden, blocked, restriction expired, read-only.
int CheckWritable(const std::string& area)
{
    const std::string path = JoinPath(area, kLoginControlFile, AnsiCodePage());
    if (path.size() > kMaxFilePath)
        return VORLANX_ERR_PATH_TOO_LONG;
    const LoginControl control = ReadLoginControl(path);
    if (!control.readable)
        return VORLANX_ERR_NO_LOGIN_CONTROL;
    if (control.hidden)
        return VORLANX_AREA_HIDDEN;
    if (control.access == VORLANX_AREA_BLOCKED || control.access == VORLANX_AREA_RESTRICTED_EXPIRED)
        return control.access;
    return control.readonly ? VORLANX_AREA_READONLY : VORLANX_OK;
}

}  // namespace

int CWriteTransaction::Open(const char* device, const char* area,
                            const std::vector<std::string>& levels, const Check& check)
{
    std::string areaFolder;
    int code = LocateArea(device, area, areaFolder);
    if (code == VORLANX_OK)
        code = CheckWritable(areaFolder);
    if (code == VORLANX_OK && !CAreaLock::FileExists(areaFolder)) {
        code = LocateLevels(areaFolder, levels, m_strFolder);
        if (code == VORLANX_OK && !HoldsRenamedFolders(m_strFolder))
            code = check(m_strFolder);
    }
    if (code == VORLANX_OK)
        code = m_lock.emplace(areaFolder).Result();
    if (code == VORLANX_OK)
        code = LocateLevels(areaFolder, levels, m_strFolder);
    if (code == VORLANX_OK) {
        TidyFolder(m_strFolder);
        code = check(m_strFolder);
    }
    return code;
}

int RunWrite(const std::function<int(CWriteTransaction&)>& write)
{
    for (int tries = 0; tries < 5; ++tries) {
        CWriteTransaction transaction;
        const int code = write(transaction);
        if (code != kLockLost)
            return code;
    }
    return VORLANX_ERR_BUSY;
}
