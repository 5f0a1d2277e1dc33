#include "dialog_driver.h"

#include <algorithm>

namespace {
// Each thread's own: threads may drive dialogs of their own at the same time.
thread_local DialogDriver* g_driver = nullptr;
}

DialogDriver::DialogDriver(std::function<void(HWND)> steps) : m_steps(std::move(steps))
{
    g_driver = this;
    m_hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    UnhookWindowsHookEx(m_hook);
    g_driver = nullptr;
}

LRESULT CALLBACK DialogDriver::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_driver) {
        char cls[16] = {};
        HWND window = reinterpret_cast<HWND>(wParam);
        GetClassNameA(window, cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0 && !g_driver->m_dialog) {
            g_driver->m_dialog = window;
            SetTimer(window, 0x7e57, 0, Start);
        } else if (strcmp(cls, "#32770") == 0 && window != g_driver->m_dialog) {
            auto& seen = g_driver->m_seen;
            if (std::find(seen.begin(), seen.end(), window) == seen.end()) {
                seen.push_back(window);
                const bool nested = !g_driver->m_nested.empty();
                SetTimer(window, 0x7e58, 0, nested ? StartNested : Answer);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::Start(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    KillTimer(dialog, id);
    DialogDriver* self = g_driver;
    if (!self || self->m_ran)
        return;
    self->m_ran = true;
    self->m_steps(dialog);
    if (IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CALLBACK DialogDriver::StartNested(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    KillTimer(dialog, id);
    if (!g_driver || g_driver->m_nested.empty())
        return;
    const auto steps = g_driver->m_nested.front();
    g_driver->m_nested.erase(g_driver->m_nested.begin());
    steps(dialog);
    if (IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CALLBACK DialogDriver::Answer(HWND box, UINT, UINT_PTR id, DWORD)
{
    KillTimer(box, id);
    if (!g_driver || !IsWindow(box))
        return;
    char text[2048] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text
    g_driver->m_messages.emplace_back(text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void ClickButton(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}
