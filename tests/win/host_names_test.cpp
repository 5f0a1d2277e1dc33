// Names on disk that a host's code page may not write. The test run starts this program on 1252
// (the C locale) and 932 (a Japanese locale) and, built with a manifest that asks for it, on UTF-8.
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/drivers/tree_dump.h"
#include "support/fixtures/deployment.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

// Each name, its bytes on 1252, 932 and 65001 (null: none), and how a listing that leaves it out
// names it; in the tree's order on each. Each is an area and, but AREA, a category of AREA.
struct HostName { const wchar_t* disk; const char* bytes[3]; const char* unlisted; };
const HostName kNames[] = {
    {L"AREA", {"AREA", "AREA", "AREA"}, ""},
    {L"Cafe", {"Cafe", "Cafe", "Cafe"}, ""},  // read-only: a status of its own
    {L"Caf\u00e9", {"Caf\xe9", nullptr, "Café"}, "Caf<U+00E9>"},
    {L"\u0141\u00f3d\u017a", {nullptr, nullptr, "Łódź"}, "<U+0141><U+00F3>d<U+017A>"},
    {L"\u2235", {nullptr, "\x81\xe6", "∵"}, "<U+2235>"},  // 932 also reads 0x879A as it
    {L"\u8868\u793a", {nullptr, "\x95\x5c\x8e\xa6", "表示"}, "<U+8868><U+793A>"},
    {L"\uc11c\uc6b8", {nullptr, nullptr, "서울"}, "<U+C11C><U+C6B8>"},
};

TEST(HostNames, EachHostSeesFindsAndGetsBackExactlyTheNamesItsCodePageWrites)
{
    const int host = GetACP() == 1252 ? 0 : GetACP() == 932 ? 1 : GetACP() == 65001 ? 2 : -1;
    ASSERT_NE(host, -1) << "the test run starts this program on 1252, 932 or UTF-8";
    Deployment deployment;
    const std::string root = deployment.MakeDevice("1"), storage = root + "\\userroot\\storage";
    const std::string trace = root + "\\trace.txt", ini = deployment.Folder() + "\\storage.ini";
    deployment.WriteStorageIni({{"1", root}});
    WriteTextFile(ini, ReadTextFile(ini) + "[options]\r\ntrace = " + trace + "\r\n");
    VorlanxExports vorlanx;
    ASSERT_TRUE(vorlanx.Bind(deployment.Load("vorlanx.dll")));
    std::vector<std::wstring> made;  // the deployment's removal goes by ANSI names
    std::multiset<std::string> listable, listed, unlisted, traced;
    std::string tree, categories;
    for (const std::string parent : {"", "AREA#"})
        for (const HostName& n : kNames) {
            const bool area = parent.empty(), cafe = n.disk == std::wstring(L"Cafe");
            if (!area && n.disk == std::wstring(L"AREA"))
                continue;
            const std::string folder = storage + (area ? "" : "\\AREA");
            MakeArea(folder, "STANDIN", "open", cafe ? "yes" : "no");
            const std::wstring wide(folder.begin(), folder.end());  // ASCII
            made.push_back(wide + L"\\" + n.disk);
            MoveFileW((wide + L"\\STANDIN").c_str(), made.back().c_str());
            const char* bytes = n.bytes[host];
            if (!bytes) {
                unlisted.insert("(\"1\", \"" + parent + n.unlisted + "\") -> " +
                                std::to_string(GetACP()));
                continue;
            }
            listable.insert(parent + bytes);
            (area ? tree : categories) += (area ? "    " : "      ") + std::string(bytes) +
                                              (!area ? "|6\n" : cafe ? "|4\n" : "|2\n");
        }
    tree = "  1:|1\n" + tree.insert(tree.find('\n') + 1, categories);  // below AREA, the first

    // The lookup's listing; a traced line for each entry it left out.
    HMODULE orvent = deployment.Load("ORVENT.dll");
    const auto next = Proc<const char*(__cdecl*)()>(orvent, "ListNextArea");
    for (const char* a = Proc<const char*(__cdecl*)(const char*)>(orvent, "ListFirstArea")("1"); a;
         a = next())
        listed.insert(a);
    EXPECT_EQ(listed, listable);
    std::string text;
    for (int i = 0; i < 100 && text.find("ListNextArea() -> null") == text.npos; ++i, Sleep(50))
        text = ReadTextFile(trace);
    const std::regex line(R"( NameNotInCodePage(\(.*\) -> \d+) in )");
    for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it)
        traced.insert((*it)[1]);
    EXPECT_EQ(traced, unlisted);

    // The tree, and a pick of each name with Space and OK.
    for (const std::string& name : listed) {
        const size_t hash = name.find('#');
        std::string shown;
        DialogDriver driver([&](HWND dialog) {
            HWND hTree = GetDlgItem(dialog, IDC_AREA_TREE);
            shown = DumpTree(hTree);
            if (hash != name.npos)  // AREA's categories come before the areas of their names
                TreeView_SelectItem(hTree, FindItem(hTree, name.substr(hash + 1)));
            PressKey(hTree, VK_SPACE);
            ClickButton(dialog, IDOK);
        });
        char* result = vorlanx.browse(nullptr, "1", name.substr(0, hash).c_str());
        EXPECT_EQ(result ? result : "(null)",
                  "1:" + (hash == name.npos ? name : "AREA/" + name.substr(hash + 1)));
        free(result);
        EXPECT_EQ(shown.substr(shown.find('\n') + 1), tree) << name;
    }

    // Bytes that reach a name only through a conversion that is not exact find and make nothing.
    char record[VORLANX_NAME_SIZE] = {}, description[VORLANX_DESCRIPTION_SIZE] = {};
    if (host == 1) {
        EXPECT_EQ(vorlanx.retrieve(nullptr, "1", "AREA", "\x87\x9a", record, description), 2005);
        EXPECT_EQ(vorlanx.create(nullptr, "1", "AREA", "Cafe", "\x87\x9a", ""), 2002);
    }
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        DeleteFileW((*it + L"\\login.ctl").c_str()), RemoveDirectoryW(it->c_str());
}
