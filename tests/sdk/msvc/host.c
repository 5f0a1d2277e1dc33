/* A host as Microsoft's toolchain builds one: linked against vorlanx.lib and msvcr100.dll, with
 * no other runtime. It calls every export once and prints what came back. */
#include "vorlanx.h"

int __cdecl printf(const char* format, ...);
void __cdecl free(void* block);
void __cdecl exit(int status);

void __cdecl mainCRTStartup(void)
{
    char name[VORLANX_NAME_SIZE] = "";
    char description[VORLANX_DESCRIPTION_SIZE] = "";
    /* A window handle that is no window: the dialog cannot open and the result is empty. */
    char* result = vorlanx_browse_category((HWND)0x7777, "1", "AREA1");
    printf("browse: [%s]\n", result ? result : "(null)");
    free(result); /* the result lives on msvcr100.dll's heap, this host's own */
    printf("new: %d\n", vorlanx_new_category(0, "1", "AREA1", "", "CAT", "made here"));
    printf("edit: %d\n", vorlanx_edit_category(0, "1", "AREA1", "CAT", "CAT2", "changed"));
    printf("retrieve: %d", vorlanx_retrieve_category(0, "1", "AREA1", "CAT2", name, description));
    printf(" [%s] [%s]\n", name, description);
    exit(0);
}
