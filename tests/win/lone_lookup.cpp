// lone_lookup.exe FOLDER: a host whose first call is the lookup's StoreFailedConnections. Loads
// FOLDER\ORVENT.dll, makes that one call and writes how long it took and what it listed,
// "MS NAME...", to FOLDER\lone_lookup.txt.
#include "support/store/store_forwarder.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const HMODULE orvent = LoadLibraryExA((std::string(argv[1]) + "\\ORVENT.dll").c_str(),
                                          nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!orvent)
        return 3;
    ForwardStoreTo(nullptr, orvent);
    CStringList failed;
    const ULONGLONG begin = GetTickCount64();
    StoreFailedConnections(failed);
    std::string answer = std::to_string(GetTickCount64() - begin);
    for (const CString& name : failed)
        answer += std::string(" ") + static_cast<const char*>(name);
    FILE* file = fopen((std::string(argv[1]) + "\\lone_lookup.txt").c_str(), "wb");
    if (!file)
        return 4;
    fputs(answer.c_str(), file);
    return fclose(file) == 0 ? 0 : 4;
}
