// Runs a test's steps inside the modal loop of the next dialog that this thread opens: a WH_CBT
// hook catches the dialog's activation and a timer on it starts the steps once the dialog runs.
// Message boxes that open while it runs are read and closed with OK (Messages() keeps their
// texts). If the steps leave the dialog open, the driver cancels it, so a failing test never
// hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND dialog)> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Steps for the next dialog that opens over the first one (such as a dialog a menu command
    // opens); without them a dialog over the first is answered as a message box.
    void ThenOnNextDialog(std::function<void(HWND dialog)> steps) { m_nested.push_back(steps); }

    bool Ran() const { return m_ran; }
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Start(HWND dialog, UINT, UINT_PTR, DWORD);
    static void CALLBACK Answer(HWND box, UINT, UINT_PTR, DWORD);
    static void CALLBACK StartNested(HWND dialog, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> m_steps;
    HHOOK m_hook = nullptr;
    HWND m_dialog = nullptr;
    bool m_ran = false;
    std::vector<std::string> m_messages;
    std::vector<std::function<void(HWND)>> m_nested;
    std::vector<HWND> m_seen;
};

// Presses a dialog's button as a click would: the dialog gets BN_CLICKED from it.
void ClickButton(HWND dialog, int id);

// Lets the dialog handle what is in its queue (posted messages, timers) for a while.
void PumpMessages(DWORD milliseconds = 50);
