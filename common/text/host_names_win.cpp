#include "text/host_names.h"

#include <windows.h>

#include <cstdio>

namespace {

bool IsAscii(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

bool IsAscii(const wchar_t* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (text[i] >= 0x80)
            return false;
    return true;
}

bool ToWide(UINT codePage, const char* text, int length, std::wstring& out)
{
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (n <= 0)
        return false;
    out.resize(size_t(n));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, length, out.data(), n) == n;
}

// UTF-8 takes no default character: there an invalid unit (a lone surrogate) fails the
// conversion instead. Either way the round trip has the last word, as some code pages give two
// characters one byte sequence. One call each way: a listing converts every name outside ASCII.
bool ToBytes(UINT codePage, const wchar_t* name, int length, std::string& out)
{
    const bool utf8 = codePage == CP_UTF8;
    BOOL usedDefault = FALSE;
    out.resize(size_t(length) * 4);  // the most any host's code page takes for a UTF-16 unit
    const int n = WideCharToMultiByte(codePage, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS,
                                      name, length, out.data(), int(out.size()), nullptr,
                                      utf8 ? nullptr : &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    out.resize(size_t(n));
    std::wstring back(size_t(length), L'\0');
    const int m = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, out.data(), n, back.data(),
                                      length);
    return m == length && back.compare(0, back.npos, name, size_t(length)) == 0;
}

}  // namespace

// By its number: CP_ACP would hide a UTF-8 code page from the flags that it must not be given.
unsigned FileCodePage()
{
    return AreFileApisANSI() ? GetACP() : GetOEMCP();
}

bool ToHostName(const wchar_t* name, size_t length, std::string& out)
{
    if (IsAscii(name, length)) {
        out.assign(name, name + length);
        return true;
    }
    if (length < 0x10000 && ToBytes(FileCodePage(), name, int(length), out))
        return true;
    out.clear();
    return false;
}

bool IsExactHostName(const std::string& name)
{
    if (IsAscii(name.data(), name.size()))
        return true;
    std::wstring wide;
    std::string back;
    const UINT codePage = FileCodePage();
    return name.size() < 0x10000 && ToWide(codePage, name.data(), int(name.size()), wide) &&
           ToBytes(codePage, wide.data(), int(wide.size()), back) && back == name;
}

std::wstring WidePath(const std::string& path)
{
    const UINT codePage = FileCodePage();
    const int n = MultiByteToWideChar(codePage, 0, path.data(), int(path.size()), nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, path.data(), int(path.size()), wide.data(), n);
    return wide;
}

std::string EscapedName(const wchar_t* name, size_t length)
{
    std::string shown;
    for (size_t i = 0; i < length; ++i) {
        if (name[i] >= 0x20 && name[i] < 0x7F) {
            shown += char(name[i]);
        } else {
            char unit[12];
            snprintf(unit, sizeof unit, "<U+%04X>", unsigned(name[i]));
            shown += unit;
        }
    }
    return shown;
}

std::string CodePagesWriting(const wchar_t* name, size_t length)
{
    static constexpr UINT kCommon[] = {874,  932,  936,  949,  950,  1250, 1251, 1252,
                                       1253, 1254, 1255, 1256, 1257, 1258, 65001};
    std::string list, bytes;
    for (const UINT codePage : kCommon) {
        if (!IsValidCodePage(codePage) || length >= 0x10000 ||
            !ToBytes(codePage, name, int(length), bytes))
            continue;
        list += (list.empty() ? "" : ", ") + std::to_string(codePage);
    }
    return list;
}
