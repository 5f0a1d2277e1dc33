#include "tree_dump.h"

namespace {

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

void Dump(HWND tree, HTREEITEM item, int depth, std::string& out)
{
    for (; item; item = Next(tree, item, TVGN_NEXT)) {
        out += std::string(2 * depth, ' ') + ItemText(tree, item) + "|" +
               std::to_string(ItemImage(tree, item)) + "\n";
        Dump(tree, Next(tree, item, TVGN_CHILD), depth + 1, out);
    }
}

HTREEITEM Find(HWND tree, HTREEITEM item, const std::string& text)
{
    for (; item; item = Next(tree, item, TVGN_NEXT)) {
        if (ItemText(tree, item) == text)
            return item;
        if (HTREEITEM found = Find(tree, Next(tree, item, TVGN_CHILD), text))
            return found;
    }
    return nullptr;
}

}  // namespace

std::string DumpTree(HWND tree)
{
    std::string out;
    Dump(tree, Next(tree, nullptr, TVGN_ROOT), 0, out);
    return out;
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[1024] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

int ItemImage(HWND tree, HTREEITEM item)
{
    TVITEMA tv = {};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv.iImage == tv.iSelectedImage ? tv.iImage : -1;
}

bool IsExpanded(HWND tree, HTREEITEM item)
{
    return SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
           TVIS_EXPANDED;
}

std::string CaretText(HWND tree)
{
    HTREEITEM caret = Next(tree, nullptr, TVGN_CARET);
    return caret ? ItemText(tree, caret) : "(none)";
}

HTREEITEM FindItem(HWND tree, const std::string& text)
{
    return Find(tree, Next(tree, nullptr, TVGN_ROOT), text);
}
