#include "framework/message_box.h"

#include "framework/cstring.h"
#include "framework/module_state.h"

namespace {

// The module's file name without folder and extension: "vorlanx".
CString AppName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof path);
    CString name = path;
    for (int slash; (slash = name.Find('\\')) >= 0;)
        name = name.Mid(slash + 1);
    const int dot = name.Find('.');
    return dot > 0 ? name.Left(dot) : name;
}

}  // namespace

int AfxMessageBox(const char* text, UINT type)
{
    return MessageBoxA(GetActiveWindow(), text, AppName(), type);
}

int AfxMessageBox(UINT idPrompt, UINT type)
{
    CString text;
    text.LoadString(idPrompt);
    return AfxMessageBox(text, type);
}
