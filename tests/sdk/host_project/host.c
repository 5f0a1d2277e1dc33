/* Built with mingw's default runtime, msvcrt.dll: the browse result is released with the free of
 * msvcr100.dll, taken by name. The browse call is docs/hosts.md's code as it stands there; the
 * category calls go through the import library. "sdk_host dialog" gives the browse a parent
 * window (none), so the dialog opens, and stops after it. */
#include <stdio.h>
#include <string.h>

#include "vorlanx.h"

int main(int argc, char** argv)
{
    int dialog = argc > 1 && strcmp(argv[1], "dialog") == 0;
    /* a window handle that is no window: the dialog cannot open and the result is empty */
    HWND hwnd = dialog ? NULL : (HWND)0x7777;
    char name[VORLANX_NAME_SIZE] = "", description[VORLANX_DESCRIPTION_SIZE] = "";
    printf("browse:");
    fflush(stdout);

    HMODULE lib = LoadLibraryA("vorlanx.dll");
    vorlanx_browse_category_fn browse = (vorlanx_browse_category_fn)(void (*)(void))
        GetProcAddress(lib, "vorlanx_browse_category");
    /* vorlanx.dll runs on msvcr100.dll, so that is loaded, and its free takes the result */
    void (__cdecl *crt_free)(void*) = (void (__cdecl *)(void*))(void (*)(void))
        GetProcAddress(GetModuleHandleA("msvcr100.dll"), "free");
    char* paths = browse(hwnd, "C:", NULL);   /* "C:AREA1,1:AREA2"; "" after Cancel */
    if (paths) { puts(paths); crt_free(paths); }
    FreeLibrary(lib);
    if (dialog)
        return 0;

    printf("new: %d\n", vorlanx_new_category(NULL, "1", "AREA1", "", "CAT", "from the SDK"));
    printf("edit: %d\n", vorlanx_edit_category(NULL, "1", "AREA1", "CAT", "CAT2", "edited"));
    printf("retrieve: %d",
           vorlanx_retrieve_category(NULL, "1", "AREA1", "CAT2", name, description));
    printf(" [%s] [%s]\n", name, description);
    return 0;
}
