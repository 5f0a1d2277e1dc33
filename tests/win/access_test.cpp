// The browser as a screen reader meets it: a client in another process (access_client.exe) reads
// the tree's and the list's objects and follows the focus events while keys move the caret, in
// English, in German and with a site's resource library that lacks the words.
#include "browser/browse_area.h"
#include "browser/tree_image.h"
#include "resource.h"
#include "support/drivers/dialog_driver.h"
#include "support/drivers/input.h"
#include "support/fixtures/deployment.h"
#include "support/store/fake_store.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <functional>

namespace {

using Lines = std::vector<std::string>;

// Pumps this thread's messages, so that the client's questions are answered, until handle is set.
bool WaitPumping(HANDLE handle, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT) ==
            WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

class Client {
public:
    // access_client COMMAND FOLDER HWND OUT args...
    Client(const std::string& command, HWND window, const std::string& args = "")
        : m_out(TestsFolder() + "\\access-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++s_runs) + ".txt")
    {
        char handle[32];
        snprintf(handle, sizeof handle, "%llx", static_cast<unsigned long long>(
                                                    reinterpret_cast<UINT_PTR>(window)));
        std::string line = "\"" + TestsFolder() + "\\access_client.exe\" " + command + " \"" +
                           TestsFolder() + "\" " + handle + " \"" + m_out + "\" " + args;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ADD_FAILURE() << "cannot start the client (error " << GetLastError() << ")";
            return;
        }
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
    }
    ~Client()
    {
        if (m_process) {
            TerminateProcess(m_process, 9);
            WaitForSingleObject(m_process, INFINITE);
            CloseHandle(m_process);
        }
        DeleteFileA(m_out.c_str());
    }
    // What it wrote, once it ended; the thread answers its questions meanwhile (a host's
    // single-threaded apartment answers even a disconnected object's callers through its messages).
    Lines Ended()
    {
        const bool ended = m_process && WaitPumping(m_process, 120000);
        EXPECT_TRUE(ended) << "the client did not end";
        DWORD code = 1;
        if (ended)
            GetExitCodeProcess(m_process, &code);
        EXPECT_EQ(code, 0u) << "the client did not end well";
        Lines lines;
        std::string text = ReadTextFile(m_out), line;
        for (char c : text) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        return lines;
    }

private:
    static inline int s_runs = 0;
    std::string m_out;
    HANDLE m_process = nullptr;
};

Lines Starting(const Lines& lines, const std::string& prefix)
{
    Lines kept;
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            kept.push_back(line.substr(prefix.size()));
    return kept;
}

// The fields of a child line after its id: name|role|value|state|description|action|hit.
std::string Fields(const std::string& line)
{
    return line.substr(line.find('|') + 1);
}

void OpenBrowser(const std::function<void(HWND dialog, HWND tree, HWND list)>& steps)
{
    CBrowseArea dialog;
    dialog.m_strDevice = "1";
    dialog.m_strArea = "AREA1";
    DialogDriver driver([&](HWND hwnd) {
        steps(hwnd, GetDlgItem(hwnd, IDC_AREA_TREE), GetDlgItem(hwnd, IDC_SELECTED_LIST));
    });
    dialog.DoModal();
    EXPECT_TRUE(driver.Ran());
}

class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.Reset();
        // A floppy drive and a device whose areas have every status.
        fake.devices = {"A:", "1"};
        fake.areas["1"] = {"AREA1", "AREA1#CAT", "AREA2", "AREA3", "AREA4"};
        fake.logins[LoginPath("1", "AREA2")] = {VORLANX_AREA_BLOCKED, 0};
        fake.readonly["1|AREA3"] = VORLANX_AREA_READONLY;
        fake.logins[LoginPath("1", "AREA4")] = {VORLANX_AREA_RESTRICTED, 0};
    }
    FakeStore& fake = Fake();
};

struct Language {
    const char* name;
    const char* library;  // below the shipped binaries; null: one without the words
    const char* root;
    const char* floppy;
    const char* device;
    const char* open;
    const char* blocked;
    const char* readOnly;
    const char* restricted;
    const char* category;
    const char* expand;
    const char* collapse;
};

const Language kLanguages[] = {
    {"English", "vorlanxres.dll", "Storage devices", "floppy drive", "device", "storage area, open",
     "storage area, blocked, you cannot choose it", "storage area, read-only",
     "storage area, restricted, you cannot choose it", "category", "Expand", "Collapse"},
    {"German", "lang\\de\\vorlanxres.dll", "Speichergeräte", "Diskettenlaufwerk", "Gerät",
     "Speicherbereich, offen", "Speicherbereich, gesperrt, Sie können ihn nicht auswählen",
     "Speicherbereich, schreibgeschützt",
     "Speicherbereich, eingeschränkt, Sie können ihn nicht auswählen", "Kategorie", "Erweitern", "Reduzieren"},
    // A site's own library from before the words: the library's own English speaks for it.
    {"a library without the words", nullptr, "", "floppy drive", "device", "storage area, open",
     "storage area, blocked, you cannot choose it", "storage area, read-only",
     "storage area, restricted, you cannot choose it", "category", "Expand", "Collapse"},
};

// One dialog per language: the tree and the list read, then the caret followed.
TEST_F(ScreenReader, ReadsEachItemsKindAndStatusAndFollowsTheCaret)
{
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.name);
        HMODULE library = language.library
                              ? LoadLibraryExA((BinFolder() + "\\" + language.library).c_str(),
                                               nullptr, LOAD_LIBRARY_AS_DATAFILE)
                              : GetModuleHandleA("kernel32.dll");
        ASSERT_NE(library, nullptr);
        AFX_MODULE_STATE state = *AfxGetModuleState();
        state.m_hCurrentResourceHandle = library;
        AFX_MAINTAIN_STATE2 scope(&state);
        Lines tree, list, events;
        OpenBrowser([&](HWND, HWND hTree, HWND hList) {
            PressKey(hTree, VK_DOWN);  // AREA2, blocked: Space adds nothing
            PressKey(hTree, VK_SPACE);
            PressKey(hTree, VK_UP);    // AREA1 into the list
            PressKey(hTree, VK_SPACE);
            tree = Client("read", hTree).Ended();
            list = Client("read", hList).Ended();
            HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "vorlanx-access-ready");
            Client follow("follow", hTree, "vorlanx-access-ready 6");
            ASSERT_TRUE(WaitPumping(ready, 60000));
            SetFocus(GetDlgItem(GetParent(hTree), IDOK));
            PumpMessages(10);
            SetFocus(hTree);          // on AREA1
            PressKey(hTree, VK_RIGHT);  // opens it: the caret stays
            for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_HOME})
                PressKey(hTree, key);  // CAT, AREA2, AREA3, AREA2, the root
            events = follow.Ended();
            CloseHandle(ready);
        });

        const std::string expand = language.expand, collapse = language.collapse;
        // name|role|value|state|description|default action|id at its middle
        const Lines expected = {
            std::string(language.root) + "|36|0|300200||" + collapse + "|",
            std::string("A:FLOPPY|36|1|300000|") + language.floppy + "||",
            std::string("1:|36|1|300200|") + language.device + "|" + collapse + "|",
            "AREA1|36|2|300406|" + std::string(language.open) + "|" + expand + "|",
            "AREA2|36|2|300000|" + std::string(language.blocked) + "||",
            "AREA3|36|2|300000|" + std::string(language.readOnly) + "||",
            "AREA4|36|2|300000|" + std::string(language.restricted) + "||",
        };
        Lines children = Starting(tree, "child|");
        ASSERT_EQ(children.size(), expected.size()) << ::testing::PrintToString(tree);
        for (size_t i = 0; i < expected.size(); ++i) {
            const std::string fields = Fields(children[i]);
            const std::string id = children[i].substr(0, children[i].find('|'));
            // Each child is found at its own middle.
            EXPECT_EQ(fields, expected[i] + id);
        }
        EXPECT_EQ(Starting(tree, "self|"), Lines{"35|7"});
        EXPECT_EQ(Starting(tree, "navigation|"), Lines{"same"});
        EXPECT_EQ(Starting(list, "self|"), Lines{"33|1"});
        ASSERT_EQ(Starting(list, "child|").size(), 1u);
        EXPECT_EQ(Fields(Starting(list, "child|")[0]), "1:AREA1|34||300000|||1");

        // Each caret move is spoken once, with the item's status; Right only opened AREA1.
        const Lines spoken = {
            "AREA1|" + std::string(language.open), std::string("CAT|") + language.category,
            "AREA2|" + std::string(language.blocked), "AREA3|" + std::string(language.readOnly),
            "AREA2|" + std::string(language.blocked), std::string(language.root) + "|"};
        EXPECT_EQ(Starting(events, "focus|"), spoken) << ::testing::PrintToString(events);
        EXPECT_EQ(Starting(events, "selection|").size(), 5u) << "one for each caret move";
        EXPECT_EQ(Starting(events, "unresolved|"), Lines{});
        if (language.library)
            FreeLibrary(library);
    }
}

// The sub-folder menu's Delete takes an item out of the tree: its id names nothing from then on,
// while a new item, and a renamed one, read as they now are.
TEST_F(ScreenReader, TheTreesChangesAreReadAtOnce)
{
    OpenBrowser([&](HWND, HWND tree, HWND) {
        IAccessible* object = nullptr;
        const LRESULT answer = SendMessageW(tree, WM_GETOBJECT, 0, static_cast<DWORD>(OBJID_CLIENT));
        ASSERT_TRUE(SUCCEEDED(ObjectFromLresult(answer, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object))));
        VARIANT caret;
        ASSERT_EQ(object->get_accFocus(&caret), S_FALSE) << "the tree has not the focus";
        ASSERT_EQ(object->get_accSelection(&caret), S_OK);  // AREA1
        const HTREEITEM area = TreeView_GetSelection(tree);
        TVINSERTSTRUCTA made = {};
        made.hParent = area;
        made.hInsertAfter = TVI_LAST;
        made.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        made.item.pszText = const_cast<char*>("NEWCAT");
        made.item.iImage = made.item.iSelectedImage = kImageCategory;
        const HTREEITEM added = TreeView_InsertItem(tree, &made);
        TreeView_Expand(tree, area, TVE_EXPAND);
        VARIANT next;
        ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, caret, &next), S_OK);
        BSTR name = nullptr, description = nullptr;
        object->get_accName(next, &name);
        object->get_accDescription(next, &description);
        EXPECT_STREQ(name, L"CAT");
        SysFreeString(name);
        SysFreeString(description);
        TreeView_DeleteItem(tree, TreeView_GetChild(tree, area));  // CAT
        ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, caret, &next), S_OK);
        object->get_accName(next, &name);
        object->get_accDescription(next, &description);
        EXPECT_STREQ(name, L"NEWCAT");
        EXPECT_STREQ(description, L"category");
        SysFreeString(name);
        SysFreeString(description);
        TreeView_DeleteItem(tree, added);
        EXPECT_EQ(object->get_accName(next, &name), E_INVALIDARG);
        object->Release();
    });
}

// A client that holds the tree's object after its dialog closed gets an error, never a crash; and
// the thread's COM is as the host left it, whatever that was.
TEST_F(ScreenReader, AnObjectHeldPastItsDialogAnswersAnError)
{
    const struct {
        const char* host;
        int apartment;  // -1: none
    } hosts[] = {{"no COM", -1}, {"a single-threaded apartment", COINIT_APARTMENTTHREADED},
                 {"the multithreaded apartment", COINIT_MULTITHREADED}};
    for (const auto& host : hosts) {
        SCOPED_TRACE(host.host);
        if (host.apartment >= 0) {
            ASSERT_EQ(CoInitializeEx(nullptr, static_cast<DWORD>(host.apartment)), S_OK);
        }
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "vorlanx-access-held");
        HANDLE go = CreateEventA(nullptr, TRUE, FALSE, "vorlanx-access-go");
        std::unique_ptr<Client> client;
        OpenBrowser([&](HWND dialog, HWND tree, HWND) {
            client = std::make_unique<Client>("hold", tree, "vorlanx-access-held vorlanx-access-go");
            ASSERT_TRUE(WaitPumping(ready, 60000));
            ClickButton(dialog, IDCANCEL);
        });
        SetEvent(go);
        const Lines lines = client->Ended();
        EXPECT_EQ(Starting(lines, "before|"), Lines{"0|7"});
        const Lines after = Starting(lines, "after|");
        ASSERT_EQ(after.size(), 1u) << ::testing::PrintToString(lines);
        for (size_t at = 0, end; at < after[0].size(); at = end + 1) {
            end = std::min(after[0].find('|', at), after[0].size());
            const HRESULT hr = static_cast<HRESULT>(std::stoul(after[0].substr(at, end - at), nullptr, 16));
            EXPECT_TRUE(FAILED(hr)) << after[0];
        }
        // A thread without COM has none again; one with an apartment keeps it, once.
        const DWORD kind = static_cast<DWORD>(host.apartment >= 0 ? host.apartment : COINIT_MULTITHREADED);
        EXPECT_EQ(CoInitializeEx(nullptr, kind), host.apartment >= 0 ? S_FALSE : S_OK);
        CoUninitialize();
        if (host.apartment >= 0)
            CoUninitialize();
        CloseHandle(ready);
        CloseHandle(go);
    }
}

}  // namespace
