// vorlanxbrowser.exe: "Browse for Storage Area" with the sub-folder menu on, which no export
// turns on. For the demo and for people who want to try the menu: it runs the browser of the
// library's code in its own process, against the talmor.dll and ORVENT.dll beside it, and prints
// the chosen paths as the browse export returns them.
//   vorlanxbrowser [DEVICE [AREA]]
#include "api/vorlanx_app.h"
#include "browser/browse_area.h"
#include "framework/module_state.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
        puts("usage: vorlanxbrowser [DEVICE [AREA]]\n\n"
             "Opens \"Browse for Storage Area\" with the sub-folder menu on (a right click in the\n"
             "tree) and prints the chosen paths. Uses the libraries and storage.ini beside it.");
        return 0;
    }
    // The resource library beside this program, as the library takes the one beside it.
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    if (HINSTANCE resources = LoadResourceDll(state->m_hCurrentInstanceHandle, "vorlanxres.dll"))
        state->m_hCurrentResourceHandle = resources;

    CBrowseArea browser;
    browser.m_strDevice = argc > 1 ? argv[1] : "";
    browser.m_strArea = argc > 2 ? argv[2] : "";
    browser.m_bSingleSelection = 1;
    browser.m_bSubFolderEditing = 1;
    browser.DoModal();
    printf("%s\n", browser.m_strResult.GetString());
    return 0;
}
