/* Built with mingw's default runtime, msvcrt.dll: the browse result is released with the free of
 * msvcr100.dll, taken by name. The browse call is docs/hosts.md's code as it stands there; the
 * category calls go through the import library. */
#include <stdio.h>

#include "vorlanx.h"

int main(void)
{
    HWND hwnd = (HWND)0x7777; /* no window: the dialog cannot open and the result is empty */
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

    printf("new: %d\n", vorlanx_new_category(NULL, "1", "AREA1", "", "CAT", "from the SDK"));
    printf("retrieve: %d",
           vorlanx_retrieve_category(NULL, "1", "AREA1", "CAT", name, description));
    printf(" [%s] [%s]\n", name, description);
    return 0;
}
