// A dialog template read straight from a module's resources (DLGTEMPLATEEX), so a test can
// compare every style bit, id, position and text with what the dialog must be.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateControl {
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;  // ordinals become their names: Button, Edit, Static, ListBox...
    std::string text;
};

struct DialogTemplate {
    bool found = false;
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string title;
    int pointSize = 0;
    std::string font;
    std::vector<TemplateControl> controls;
};

DialogTemplate ReadDialogTemplate(HMODULE module, int id, WORD language = 0x409);

// A control as a template must hold it; style is what it has beyond WS_CHILD and WS_VISIBLE.
struct ExpectedControl {
    int id;
    const char* className;  // compared ignoring case: class names are
    const char* text;
    short x, y, cx, cy;
    DWORD style, exStyle;
};

// Checks the template's controls, in order, against expected (gtest expectations).
void ExpectControls(const DialogTemplate& t, const std::vector<ExpectedControl>& expected);
