// A deployment folder of its own for a test: a temporary folder holding copies of the shipped
// libraries, a storage.ini and device folders. Removed with everything in it at the end.
#pragma once

#include "vorlanx.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class Deployment {
public:
    Deployment();
    ~Deployment();
    Deployment(const Deployment&) = delete;
    Deployment& operator=(const Deployment&) = delete;

    const std::string& Folder() const { return m_folder; }

    // Writes storage.ini: one "name = root" line per device, in order.
    void WriteStorageIni(const std::vector<std::pair<std::string, std::string>>& devices);

    // A device root below the deployment folder, created with its userroot\storage folder.
    std::string MakeDevice(const std::string& name);

    // Loads a library from the deployment folder; its own imports are found there too. The
    // deployment frees it again.
    HMODULE Load(const char* dll);

private:
    std::string m_folder;
    std::vector<HMODULE> m_loaded;
};

// The folder of the test programs, this one among them.
std::string TestsFolder();
// The folder of the shipped binaries: bin beside the tests' own folder.
std::string BinFolder();

// An area folder with its login.ctl; the keys are written as given.
void MakeArea(const std::string& storage, const std::string& area, const char* access,
              const char* readonly = "no", const char* hidden = "no");

void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
bool Exists(const std::string& path);
void MakeFolders(const std::string& path);
void RemoveTree(const std::string& path);
// The names in folder, sorted by their bytes; an area's lock file, which the first write to the
// area makes and which stays, is not among them.
std::vector<std::string> FolderEntries(const std::string& folder);

// A procedure of a loaded library as the function type it is.
template <typename Fn>
Fn Proc(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The library's four exports, as a host that loaded vorlanx.dll calls them.
struct VorlanxExports {
    vorlanx_browse_category_fn browse = nullptr;
    vorlanx_retrieve_category_fn retrieve = nullptr;
    vorlanx_new_category_fn create = nullptr;
    vorlanx_edit_category_fn edit = nullptr;

    // False when the library or one of its exports is missing.
    bool Bind(HMODULE vorlanx)
    {
        browse = Proc<vorlanx_browse_category_fn>(vorlanx, "vorlanx_browse_category");
        retrieve = Proc<vorlanx_retrieve_category_fn>(vorlanx, "vorlanx_retrieve_category");
        create = Proc<vorlanx_new_category_fn>(vorlanx, "vorlanx_new_category");
        edit = Proc<vorlanx_edit_category_fn>(vorlanx, "vorlanx_edit_category");
        return vorlanx && browse && retrieve && create && edit;
    }
};
