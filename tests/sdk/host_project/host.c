/* Built with mingw's default runtime, msvcrt.dll: the browse result is therefore released with
 * the free of msvcr100.dll, taken by name, as the README shows. The category calls go through
 * the import library. */
#include <windows.h>

#include <stdio.h>

#include "vorlanx.h"

int main(void)
{
    char name[VORLANX_NAME_SIZE] = "", description[VORLANX_DESCRIPTION_SIZE] = "";
    HMODULE lib = LoadLibraryA("vorlanx.dll");
    vorlanx_browse_category_fn browse =
        (vorlanx_browse_category_fn)(void (*)(void))GetProcAddress(lib, "vorlanx_browse_category");
    void(__cdecl * crt_free)(void*) = (void(__cdecl*)(void*))(void (*)(void))GetProcAddress(
        GetModuleHandleA("msvcr100.dll"), "free");
    /* A window handle that is no window: the dialog cannot open and the result is empty. */
    char* paths = browse((HWND)0x7777, "1", NULL);
    printf("browse: [%s]\n", paths ? paths : "(null)");
    crt_free(paths);
    printf("new: %d\n", vorlanx_new_category(NULL, "1", "AREA1", "", "CAT", "from the SDK"));
    printf("retrieve: %d",
           vorlanx_retrieve_category(NULL, "1", "AREA1", "CAT", name, description));
    printf(" [%s] [%s]\n", name, description);
    FreeLibrary(lib);
    return 0;
}
