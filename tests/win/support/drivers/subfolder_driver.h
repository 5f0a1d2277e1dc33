// Drives the browser's sub-folder menu as a person would: a click makes the caret, a real right
// click opens the real popup menu, keys choose the command, and the sub-folder dialog that opens
// gets steps of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

extern const std::vector<UINT> kNew, kEdit, kDelete, kDismiss;

struct Outcome {
    std::string before, after;  // the tree around the right click
    std::vector<std::string> messages;
    bool menuShown = false;
    bool dialogShown = false;
    std::string dialogTitle, dialogName, dialogDescription;
};

// Opens the browser on device 1 with the menu on (or off), makes caret the caret with a click,
// right-clicks target and presses keys in the menu; a sub-folder dialog gets dialogSteps.
Outcome RightClick(const std::string& caret, const std::string& target, const std::vector<UINT>& keys,
                   const std::function<void(HWND)>& dialogSteps = {}, bool menuOn = true);

// Fills the sub-folder dialog and presses OK.
std::function<void(HWND)> Enter(const char* name, const char* description);

// The browser's tree as DumpTree writes it, when opened on device 1.
std::string OpenedTree();
