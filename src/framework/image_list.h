// CImageList: owns an image list and destroys it with itself.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        DeleteImageList();
        m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    // Appends the icon; its index, or -1.
    int Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
    BOOL DeleteImageList()
    {
        const BOOL destroyed = m_hImageList && ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
        return destroyed;
    }

    HIMAGELIST m_hImageList = nullptr;
};
