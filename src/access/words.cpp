#include "access/words.h"

#include "../../res/resource.h"
#include "framework/resources.h"

std::wstring LoadWords(UINT id)
{
    std::wstring words;
    ForEachResourceModule([&](HINSTANCE module) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
        if (length <= 0 || !text)
            return false;
        words.assign(text, static_cast<size_t>(length));
        return true;
    });
    return words;
}

namespace {

UINT KindWords(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Device: return IDS_ACC_DEVICE;
    case ItemKind::FloppyDrive: return IDS_ACC_FLOPPY_DRIVE;
    case ItemKind::RemovableDrive: return IDS_ACC_REMOVABLE_DRIVE;
    case ItemKind::Area: return IDS_ACC_AREA;
    case ItemKind::Category: return IDS_ACC_CATEGORY;
    case ItemKind::Root: break;
    }
    return 0;
}

UINT StatusWords(AreaStatus status)
{
    switch (status) {
    case AreaStatus::Open: return IDS_ACC_OPEN;
    case AreaStatus::ReadOnly: return IDS_ACC_READONLY;
    case AreaStatus::Blocked: return IDS_ACC_BLOCKED;
    case AreaStatus::Restricted: return IDS_ACC_RESTRICTED;
    case AreaStatus::None: break;
    }
    return 0;
}

// Puts what into text in place of the first marker; a translation may leave a marker out.
void Fill(std::wstring& text, const wchar_t* marker, const std::wstring& what)
{
    const size_t at = text.find(marker);
    if (at != std::wstring::npos)
        text.replace(at, 2, what);
}

}  // namespace

std::wstring DescribeItem(ItemKind kind, AreaStatus status)
{
    const UINT kindId = KindWords(kind);
    if (kindId == 0)
        return {};
    std::wstring kindWords = LoadWords(kindId);
    const UINT statusId = StatusWords(status);
    if (statusId == 0)
        return kindWords;
    std::wstring text = LoadWords(IDS_ACC_KIND_STATUS);
    if (text.empty())
        text = L"%1, %2";
    // The status first, so that a kind's words holding "%2" stay as they are.
    Fill(text, L"%2", LoadWords(statusId));
    Fill(text, L"%1", kindWords);
    return text;
}
