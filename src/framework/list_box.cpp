#include "framework/list_box.h"

#include <string>

void CListBox::GetText(int index, CString& text) const
{
    const LRESULT length = SendMessage(LB_GETTEXTLEN, index);
    if (length == LB_ERR) {
        text.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    text = CString(buffer.data(), copied == LB_ERR ? 0 : static_cast<int>(copied));
}
