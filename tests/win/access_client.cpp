// A screen reader's view of a window from another process, as Microsoft Active Accessibility
// clients read it: the test that starts it drives the dialog and reads what this wrote.
//   access_client read FOLDER HWND OUT          the object's children, one line each
//   access_client follow FOLDER HWND OUT READY N   the focus events on the window's items, until N
//   access_client hold FOLDER HWND OUT READY GO    an object kept while its dialog closes, then asked
// Each line is fields joined with '|', UTF-8. READY and GO name events of the test.
#include "support/fixtures/helper_end.h"

#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

FILE* g_out = nullptr;
HWND g_window = nullptr;
int g_wanted = 0, g_seen = 0;
struct Event {
    DWORD event;
    LONG child;
};
std::vector<Event> g_events;

std::string Utf8(const wchar_t* text)
{
    if (!text)
        return "";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

VARIANT Child(long id)
{
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string Text(IAccessible* object, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*))
{
    BSTR text = nullptr;
    const HRESULT hr = (object->*get)(Child(id), &text);
    std::string utf8 = SUCCEEDED(hr) ? Utf8(text) : "error";
    SysFreeString(text);
    return utf8;
}

long Number(IAccessible* object, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*))
{
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = (object->*get)(Child(id), &value);
    const long number = SUCCEEDED(hr) && value.vt == VT_I4 ? value.lVal : -1;
    VariantClear(&value);
    return number;
}

long IdOf(const VARIANT& value)
{
    return value.vt == VT_I4 ? value.lVal : -1;
}

// child|id|name|role|value|state|description|default action|id at its middle
void Read(IAccessible* tree)
{
    long count = 0;
    tree->get_accChildCount(&count);
    fprintf(g_out, "self|%ld|%ld\n", Number(tree, CHILDID_SELF, &IAccessible::get_accRole), count);
    std::vector<VARIANT> children(static_cast<size_t>(count) + 1);
    long got = 0;
    AccessibleChildren(tree, 0, count, children.data(), &got);
    std::vector<long> ids;
    for (long i = 0; i < got; ++i) {
        const long id = IdOf(children[i]);
        ids.push_back(id);
        long x = 0, y = 0, cx = 0, cy = 0;
        long hit = -1;
        if (tree->accLocation(&x, &y, &cx, &cy, Child(id)) == S_OK) {
            VARIANT at;
            VariantInit(&at);
            tree->accHitTest(x + cx / 2, y + cy / 2, &at);
            hit = IdOf(at);
            VariantClear(&at);
        }
        fprintf(g_out, "child|%ld|%s|%ld|%s|%lx|%s|%s|%ld\n", id,
                Text(tree, id, &IAccessible::get_accName).c_str(),
                Number(tree, id, &IAccessible::get_accRole),
                Text(tree, id, &IAccessible::get_accValue).c_str(),
                Number(tree, id, &IAccessible::get_accState),
                Text(tree, id, &IAccessible::get_accDescription).c_str(),
                Text(tree, id, &IAccessible::get_accDefaultAction).c_str(), hit);
        VariantClear(&children[i]);
    }
    // Navigation walks the same children in the same order.
    std::string walked;
    VARIANT at;
    VariantInit(&at);
    tree->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &at);
    for (size_t step = 0; at.vt == VT_I4 && step <= ids.size(); ++step) {
        walked += (walked.empty() ? "" : ",") + std::to_string(at.lVal);
        const long from = at.lVal;
        VariantInit(&at);
        tree->accNavigate(NAVDIR_NEXT, Child(from), &at);
    }
    std::string listed;
    for (long id : ids)
        listed += (listed.empty() ? "" : ",") + std::to_string(id);
    fprintf(g_out, "navigation|%s\n", walked == listed ? "same" : walked.c_str());
    VARIANT selection;
    VariantInit(&selection);
    tree->get_accSelection(&selection);
    fprintf(g_out, "selection|%ld\n", IdOf(selection));
    VariantClear(&selection);
}

// Events come in while a question to the dialog waits for its answer, so they are only noted
// here, and asked about in the order they came once all have.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (window != g_window || object != OBJID_CLIENT || child == CHILDID_SELF)
        return;
    g_events.push_back({event, child});
    if (event == EVENT_OBJECT_FOCUS && ++g_seen == g_wanted)
        SetTimer(nullptr, 0, 500, nullptr);  // for what comes with the last, and any more
}

void Speak(const Event& event)
{
    IAccessible* source = nullptr;
    VARIANT id;
    VariantInit(&id);
    if (FAILED(AccessibleObjectFromEvent(g_window, OBJID_CLIENT, event.child, &source, &id)) ||
        !source) {
        fprintf(g_out, "unresolved|%ld\n", event.child);
        return;
    }
    fprintf(g_out, "%s|%s|%s\n", event.event == EVENT_OBJECT_FOCUS ? "focus" : "selection",
            Text(source, id.lVal, &IAccessible::get_accName).c_str(),
            Text(source, id.lVal, &IAccessible::get_accDescription).c_str());
    source->Release();
}

void Follow(HANDLE ready)
{
    DWORD process = 0;
    GetWindowThreadProcessId(g_window, &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr,
                                         OnEvent, process, 0, WINEVENT_OUTOFCONTEXT);
    SetEvent(ready);
    SetTimer(nullptr, 0, 30000, nullptr);  // the events that never came are the test's to see
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
        DispatchMessageW(&message);
    UnhookWinEvent(hook);
    for (const Event& event : g_events)
        Speak(event);
}

// Every question of a held object, once its dialog has gone: each must answer an error.
void Hold(IAccessible* tree, HANDLE ready, HANDLE go)
{
    long count = 0;
    const HRESULT counted = tree->get_accChildCount(&count);
    fprintf(g_out, "before|%lx|%ld\n", counted, count);
    SetEvent(ready);
    // The test's dialog closes meanwhile; calls that come in are answered by its thread.
    while (MsgWaitForMultipleObjects(1, &go, FALSE, 60000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    BSTR name = nullptr;
    VARIANT end, state;
    VariantInit(&end);
    VariantInit(&state);
    fprintf(g_out, "after|%lx|%lx|%lx|%lx\n", tree->get_accChildCount(&count),
            tree->get_accName(Child(1), &name), tree->accNavigate(NAVDIR_FIRSTCHILD, Child(0), &end),
            tree->get_accState(Child(1), &state));
    SysFreeString(name);
    tree->Release();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    const std::string command = argv[1];
    EndWithTest(argv[2], 240000);
    g_window = reinterpret_cast<HWND>(static_cast<INT_PTR>(strtoll(argv[3], nullptr, 16)));
    g_out = fopen(argv[4], "w");
    if (!g_out)
        return 3;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (command == "follow" && argc >= 7) {
        g_wanted = atoi(argv[6]);
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[5]);
        Follow(ready);
        CloseHandle(ready);
    } else {
        IAccessible* tree = nullptr;
        const HRESULT hr = AccessibleObjectFromWindow(g_window, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&tree));
        if (FAILED(hr) || !tree) {
            fprintf(g_out, "object|%lx\n", hr);
        } else if (command == "read") {
            Read(tree);
            tree->Release();
        } else if (command == "hold" && argc >= 7) {
            HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[5]);
            HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, argv[6]);
            Hold(tree, ready, go);
            CloseHandle(ready);
            CloseHandle(go);
        }
    }
    fclose(g_out);
    CoUninitialize();
    return 0;
}
