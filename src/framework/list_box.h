// CListBox: the list box control; each method is one message.
#pragma once

#include "framework/wnd.h"

class CListBox : public CWnd {
public:
    int AddString(const char* text) { return Int(SendMessage(LB_ADDSTRING, 0, Text(text))); }
    int DeleteString(int index) { return Int(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return Int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return Int(SendMessage(LB_GETCURSEL)); }
    // The first entry from start + 1 on whose text begins with text, ignoring case; LB_ERR if none.
    int FindString(int start, const char* text) const
    {
        return Int(SendMessage(LB_FINDSTRING, start, Text(text)));
    }
    // The first entry from start + 1 on whose whole text is text, ignoring case; LB_ERR if none.
    int FindStringExact(int start, const char* text) const
    {
        return Int(SendMessage(LB_FINDSTRINGEXACT, start, Text(text)));
    }
    void GetText(int index, CString& text) const;
    // Sets memory aside for items entries of bytes in all; answers the entries now reserved.
    int InitStorage(int items, size_t bytes) { return Int(SendMessage(LB_INITSTORAGE, items, static_cast<LPARAM>(bytes))); }
    void SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw); }

private:
    static int Int(LRESULT r) { return static_cast<int>(r); }
    static LPARAM Text(const char* text) { return reinterpret_cast<LPARAM>(text); }
};
