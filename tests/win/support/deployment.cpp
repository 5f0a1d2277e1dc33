#include "deployment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string NewTempFolder()
{
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[64];
    snprintf(name, sizeof name, "vorlanx-test-%lu-%d", GetCurrentProcessId(), ++counter);
    std::string folder = std::string(temp) + name;
    RemoveTree(folder);
    MakeFolders(folder);
    return folder;
}

std::vector<std::string> AllEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
            names.emplace_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string TestsFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string BinFolder()
{
    const std::string tests = TestsFolder();
    return tests.substr(0, tests.find_last_of('\\')) + "\\bin";
}

Deployment::Deployment() : m_folder(NewTempFolder())
{
    for (const char* dll : {"vorlanx.dll", "talmor.dll", "ORVENT.dll", "Ostrel.dll",
                            "vorlanxres.dll", "vorlanxhost.exe"}) {
        const std::string from = BinFolder() + "\\" + dll;
        if (!CopyFileA(from.c_str(), (m_folder + "\\" + dll).c_str(), FALSE))
            ADD_FAILURE() << "cannot copy " << from << " (error " << GetLastError() << ")";
    }
}

Deployment::~Deployment()
{
    for (auto it = m_loaded.rbegin(); it != m_loaded.rend(); ++it)
        FreeLibrary(*it);
    RemoveTree(m_folder);
}

void Deployment::WriteStorageIni(const std::vector<std::pair<std::string, std::string>>& devices)
{
    std::string text = "[devices]\r\n";
    for (const auto& [name, root] : devices)
        text += name + " = " + root + "\r\n";
    WriteTextFile(m_folder + "\\storage.ini", text);
}

std::string Deployment::MakeDevice(const std::string& name)
{
    const std::string root = m_folder + "\\devices\\" + name;
    MakeFolders(root + "\\userroot\\storage");
    return root;
}

HMODULE Deployment::Load(const char* dll)
{
    const std::string path = m_folder + "\\" + dll;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        ADD_FAILURE() << "cannot load " << path << " (error " << GetLastError() << ")";
    else
        m_loaded.push_back(module);
    return module;
}

void MakeArea(const std::string& storage, const std::string& area, const char* access,
              const char* readonly, const char* hidden)
{
    const std::string folder = storage + "\\" + area;
    MakeFolders(folder);
    std::string text = "[login]\r\n";
    if (access)
        text += std::string("access = ") + access + "\r\n";
    text += std::string("readonly = ") + readonly + "\r\nhidden = " + hidden + "\r\n";
    WriteTextFile(folder + "\\login.ctl", text);
}

// Through the file API, which takes names in the ANSI code page: the C runtime's fopen reads
// them in its own locale's, which differs under a double-byte code page.
void WriteTextFile(const std::string& path, const std::string& text)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                written == text.size())
        << path;
    CloseHandle(file);
}

std::string ReadTextFile(const std::string& path)
{
    std::string text;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    CloseHandle(file);
    return text;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::string& path)
{
    // Every folder up to each backslash; a double-byte character's trail byte may be 0x5C too.
    for (const char* p = path.c_str() + 3; *p; p = CharNextA(p))
        if (*p == '\\')
            CreateDirectoryA(path.substr(0, p - path.c_str()).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}


void RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    // A link is left alone (a test removes its own): following it could loop, and Wine removes
    // the folder a link names, not the link.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return;
    for (const std::string& name : AllEntries(path))
        RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names = AllEntries(folder);
    names.erase(std::remove(names.begin(), names.end(), "~vorlanx.lck"), names.end());
    return names;
}
