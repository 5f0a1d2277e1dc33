// Names on the file system that a host's code page may not write. The test run starts this
// program in a host on 1252 (the C locale), on 932 (a Japanese locale) and, built with a manifest
// that asks for it, on UTF-8.
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/deployment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

// Each name and its bytes in the three code pages (none where it cannot write it), in the order
// the tree shows them in each. Every name is an area and, but AREA, a category of AREA.
struct HostName {
    const wchar_t* onDisk;
    const char* shown[3];  // 1252, 932, 65001
    const char* escaped;   // as a listing that leaves it out names it
};
const HostName kNames[] = {
    {L"AREA", {"AREA", "AREA", "AREA"}, "AREA"},
    {L"Cafe", {"Cafe", "Cafe", "Cafe"}, "Cafe"},  // read-only: a status of its own
    {L"Caf\u00e9", {"Caf\xe9", nullptr, "Café"}, "Caf<U+00E9>"},
    {L"\u0141\u00f3d\u017a", {nullptr, nullptr, "Łódź"}, "<U+0141><U+00F3>d<U+017A>"},
    {L"\u2235", {nullptr, "\x81\xe6", "∵"}, "<U+2235>"},
    {L"\u8868\u793a", {nullptr, "\x95\x5c\x8e\xa6", "表示"}, "<U+8868><U+793A>"},
    {L"\uc11c\uc6b8", {nullptr, nullptr, "서울"}, "<U+C11C><U+C6B8>"},
};

std::wstring Wide(const std::string& path)
{
    return std::wstring(path.begin(), path.end());  // the deployment's paths are ASCII
}

void MakeWideArea(const std::wstring& folder, bool readonly)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string text = std::string("[login]\r\naccess = open\r\nreadonly = ") +
                             (readonly ? "yes" : "no") + "\r\n";
    const HANDLE file = CreateFileW((folder + L"\\login.ctl").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The deployment's removal goes by ANSI names: what it cannot name goes first.
struct WideFolders {
    std::vector<std::wstring> made;
    ~WideFolders()
    {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            DeleteFileW((*it + L"\\login.ctl").c_str());
            RemoveDirectoryW(it->c_str());
        }
    }
};

size_t CountOf(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(HostNames, EachHostSeesFindsAndGetsBackExactlyTheNamesItsCodePageWrites)
{
    const UINT codePage = GetACP();
    const int host = codePage == 1252 ? 0 : codePage == 932 ? 1 : codePage == 65001 ? 2 : -1;
    ASSERT_NE(host, -1) << "the test run starts this program on 1252, 932 or UTF-8, not " << codePage;
    Deployment deployment;
    WideFolders folders;
    const std::string root = deployment.MakeDevice("1"), trace = deployment.Folder() + "\\trace.txt";
    const std::wstring storage = Wide(root) + L"\\userroot\\storage";
    deployment.WriteStorageIni({{"1", root}});
    const std::string ini = deployment.Folder() + "\\storage.ini";
    WriteTextFile(ini, ReadTextFile(ini) + "[options]\r\ntrace = " + trace + "\r\n");
    std::string tree, areas, categories, leftOut;
    for (const HostName& n : kNames) {
        folders.made.push_back(storage + L"\\" + n.onDisk);
        MakeWideArea(folders.made.back(), n.onDisk == std::wstring(L"Cafe"));
        const std::string image = n.onDisk == std::wstring(L"Cafe") ? "|4\n" : "|2\n";
        const char* shown = n.shown[host];
        (shown ? areas : leftOut) += std::string(shown ? shown : n.escaped) + "\n";
        if (shown)
            tree += std::string("    ") + shown + image;
        if (n.onDisk == std::wstring(L"AREA"))
            continue;
        folders.made.push_back(storage + L"\\AREA\\" + n.onDisk);
        CreateDirectoryW(folders.made.back().c_str(), nullptr);
        (shown ? areas : leftOut) += std::string("AREA#") + (shown ? shown : n.escaped) + "\n";
        if (shown)
            categories += std::string("      ") + shown + "|6\n";
    }
    tree.insert(tree.find('\n') + 1, categories);  // below AREA, the first

    // The lookup's listing, and a traced line for each entry it left out.
    HMODULE orvent = deployment.Load("ORVENT.dll");
    const auto next = Proc<const char*(__cdecl*)()>(orvent, "ListNextArea");
    std::vector<std::string> listed;
    for (const char* a = Proc<const char*(__cdecl*)(const char*)>(orvent, "ListFirstArea")("1"); a;
         a = next())
        listed.push_back(std::string(a) + "\n");
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected;
    for (std::istringstream in(areas); std::getline(in, expected.emplace_back());)
        expected.back() += "\n";
    expected.pop_back();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    std::string traced;
    for (int i = 0; i < 100 && CountOf(traced, "NameNotInCodePage") < CountOf(leftOut, "\n"); ++i) {
        Sleep(50);
        traced = ReadTextFile(trace);
    }
    std::istringstream unlisted(leftOut);
    for (std::string line; std::getline(unlisted, line);)
        EXPECT_EQ(CountOf(traced, "NameNotInCodePage(\"1\", \"" + line + "\") -> " +
                                      std::to_string(codePage) + " "), 1u) << line;

    // The tree, and a pick of each name with Space and OK.
    VorlanxExports vorlanx;
    ASSERT_TRUE(vorlanx.Bind(deployment.Load("vorlanx.dll")));
    std::string shownTree;
    for (const std::string& entry : listed) {
        const std::string name = entry.substr(0, entry.size() - 1);
        const size_t hash = name.find('#');
        DialogDriver driver([&](HWND dialog) {
            HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
            shownTree = DumpTree(hTree);
            if (hash != name.npos) {
                HTREEITEM item = TreeView_GetChild(hTree, FindItem(hTree, "AREA"));
                while (item && ItemText(hTree, item) != name.substr(hash + 1))
                    item = TreeView_GetNextSibling(hTree, item);
                TreeView_SelectItem(hTree, item);
            }
            PressKey(hTree, VK_SPACE);
            ClickButton(dialog, IDOK);
        });
        char* result = vorlanx.browse(nullptr, "1", name.substr(0, hash).c_str());
        EXPECT_EQ(std::string(result ? result : "(null)"),
                  "1:" + (hash == name.npos ? name : "AREA/" + name.substr(hash + 1)));
        free(result);
        EXPECT_EQ(shownTree.substr(shownTree.find('\n') + 1), "  1:|1\n" + tree) << name;
    }

    // Bytes that reach a name only through a conversion that is not exact: 932 reads 0x879A as
    // the character that it writes as 0x81E6.
    char record[VORLANX_NAME_SIZE] = {}, description[VORLANX_DESCRIPTION_SIZE] = {};
    if (host == 1) {
        EXPECT_EQ(vorlanx.retrieve(nullptr, "1", "AREA", "\x81\xe6", record, description), 1);
        EXPECT_EQ(vorlanx.retrieve(nullptr, "1", "AREA", "\x87\x9a", record, description),
                  VORLANX_ERR_NO_CATEGORY);
        EXPECT_EQ(vorlanx.create(nullptr, "1", "AREA", "Cafe", "\x87\x9a", ""),
                  VORLANX_ERR_INVALID_NAME);
    }
}
