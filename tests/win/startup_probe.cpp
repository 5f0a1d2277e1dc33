// A host for the start-up tests: loads the vorlanx.dll it is given, answers every message box
// that start-up shows, opens the browser through the export and reports what it saw, one line
// each, to the file it is given:
//   message: <text>     (line breaks as \n, tabs as \t)
//   loaded: <0 or 1>
//   title: <the browser's title>  root: <the root label>  floppy: <the text of drive A:>
//   ostrel: <path of the loaded Ostrel.dll, or none>
// usage: startup_probe LIBRARY OUTPUT [again]   ("again": unload the library, load it again)
// A dialog that nobody answers ends it once its test is gone (OUTPUT's folder removed).
#include "resource.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/helper_end.h"
#include "vorlanx.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

FILE* g_out = nullptr;

std::string Escaped(const char* text)
{
    std::string out;
    for (; *text; ++text)
        out += *text == '\n' ? "\\n" : *text == '\t' ? "\\t" : std::string(1, *text);
    return out;
}

void CALLBACK Answer(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    KillTimer(dialog, id);
    char text[1024] = {};
    if (HWND tree = GetDlgItem(dialog, IDC_AREA_TREE)) {  // the browser
        GetWindowTextA(dialog, text, sizeof text);
        fprintf(g_out, "title: %s\n", text);
        HTREEITEM root = TreeView_GetRoot(tree);
        fprintf(g_out, "root: %s\n", ItemText(tree, root).c_str());
        for (HTREEITEM d = TreeView_GetChild(tree, root); d; d = TreeView_GetNextSibling(tree, d))
            if (ItemText(tree, d).rfind("A:", 0) == 0)
                fprintf(g_out, "floppy: %s\n", ItemText(tree, d).c_str());
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {  // a message box
        GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
        fprintf(g_out, "message: %s\n", Escaped(text).c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char cls[16] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0)
            SetTimer(reinterpret_cast<HWND>(wParam), 1, 0, Answer);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Report(HMODULE library)
{
    fprintf(g_out, "loaded: %d\n", library != nullptr);
    if (library) {
        auto browse = reinterpret_cast<vorlanx_browse_category_fn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "vorlanx_browse_category")));
        free(browse(nullptr, "", ""));
    }
    char path[MAX_PATH] = "none";
    if (HMODULE ostrel = GetModuleHandleA("Ostrel.dll"))
        GetModuleFileNameA(ostrel, path, sizeof path);
    fprintf(g_out, "ostrel: %s\n", path);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || !(g_out = fopen(argv[2], "w")))
        return 2;
    const std::string out = argv[2];
    EndWithTest(out.substr(0, out.find_last_of('\\')), 60000);
    SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    // The library's own folder is searched for its imports, wherever this host lies.
    HMODULE library = LoadLibraryExA(argv[1], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    Report(library);
    if (argc > 3) {  // unloaded and loaded again: Ostrel.dll stays, and is not loaded twice
        FreeLibrary(library);
        fprintf(g_out, "again\n");
        Report(LoadLibraryExA(argv[1], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    }
    fclose(g_out);
    return 0;
}
