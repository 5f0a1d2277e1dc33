// vorlanxhost.exe: runs vorlanx.dll from a shell. It loads the library that lies beside it and
// calls its exports by name, as any host would.
#include "site_report.h"
#include "vorlanx.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

const char kUsage[] =
    "usage: vorlanxhost COMMAND [ARGUMENTS]\n"
    "\n"
    "Calls vorlanx.dll, loaded from this program's folder.\n"
    "\n"
    "  browse [DEVICE [AREA]]                     open \"Browse for Storage Area\" and print\n"
    "                                             the chosen paths (empty on Cancel)\n"
    "  retrieve DEVICE AREA CATEGORY              print a category's name and description\n"
    "  new DEVICE AREA CATEGORY NAME [DESCRIPTION]\n"
    "                                             create NAME below CATEGORY (\"\" for the area)\n"
    "  edit DEVICE AREA CATEGORY NAME [DESCRIPTION]\n"
    "                                             rename CATEGORY to NAME, set its description\n"
    "  check [--json] [--tidy] [DEVICE [AREA]]    check the site as the browser and the writes\n"
    "                                             meet it (storage.ini beside this program),\n"
    "                                             and say why; --tidy removes the leftovers of\n"
    "                                             cut-off writes. Exit 1 when an error is found\n"
    "\n"
    "A category below another is named by its levels joined with '#': CAT#SUB.\n"
    "Exit status: 0 on success, 1 when the library or the store refused (the code is printed\n"
    "in words), 2 for a wrong command line.\n";


// GetProcAddress gives a generic pointer; going through void(*)() says the cast is meant.
template <typename Fn>
Fn As(FARPROC proc)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

HMODULE LoadLibraryBesideUs()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return nullptr;
    std::string dll(path, n);
    dll.erase(dll.find_last_of('\\') + 1);
    dll += "vorlanx.dll";
    return LoadLibraryA(dll.c_str());
}

int Report(const char* command, int code)
{
    if (code == VORLANX_OK)
        return 0;
    fprintf(stderr, "vorlanxhost: %s failed: %d (%s)\n", command, code, vorlanx_result_text(code));
    return 1;
}

int Usage()
{
    fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
        fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    const int count = argc - 2;
    char** args = argv + 2;
    if (command == "check") {
        int status = 1;
        try {
            status = RunSiteCheck(count, args);
        } catch (const std::exception& e) {
            fprintf(stderr, "vorlanxhost: the check stopped: %s\n", e.what());
        }
        return status == 2 ? Usage() : status;
    }
    const bool known = (command == "browse" && count <= 2) ||
                       (command == "retrieve" && count == 3) ||
                       ((command == "new" || command == "edit") && (count == 4 || count == 5));
    if (!known)
        return Usage();

    HMODULE library = LoadLibraryBesideUs();
    if (!library) {
        fprintf(stderr, "vorlanxhost: cannot load vorlanx.dll (error %lu)\n", GetLastError());
        return 1;
    }
    const char* proc = command == "browse"     ? "vorlanx_browse_category"
                       : command == "retrieve" ? "vorlanx_retrieve_category"
                       : command == "new"      ? "vorlanx_new_category"
                                               : "vorlanx_edit_category";
    FARPROC fn = GetProcAddress(library, proc);
    if (!fn) {
        fprintf(stderr, "vorlanxhost: vorlanx.dll has no export %s\n", proc);
        return 1;
    }

    int status = 0;
    if (command == "browse") {
        const auto browse = As<vorlanx_browse_category_fn>(fn);
        char* result = browse(nullptr, count > 0 ? args[0] : nullptr, count > 1 ? args[1] : nullptr);
        if (!result) {
            fputs("vorlanxhost: browse returned no result (out of memory)\n", stderr);
            status = 1;
        } else {
            printf("%s\n", result);
            free(result);  // this program runs on msvcr100.dll, whose heap the result comes from
        }
    } else if (command == "retrieve") {
        char name[VORLANX_NAME_SIZE] = {};
        char description[VORLANX_DESCRIPTION_SIZE] = {};
        const auto retrieve = As<vorlanx_retrieve_category_fn>(fn);
        const int code = retrieve(nullptr, args[0], args[1], args[2], name, description);
        if (code == VORLANX_OK)
            printf("name: %s\ndescription: %s\n", name, description);
        status = Report(proc, code);
    } else {
        // new and edit take the same arguments
        const auto write = As<vorlanx_new_category_fn>(fn);
        const int code = write(nullptr, args[0], args[1], args[2], args[3], count == 5 ? args[4] : "");
        status = Report(proc, code);
    }
    fflush(stdout);
    FreeLibrary(library);
    return status;
}
