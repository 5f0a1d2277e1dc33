#include "framework/cstring.h"

#include "text/codepage.h"
#include "text/text.h"

int CString::Find(char ch, int start) const
{
    if (start < 0)
        return -1;
    const size_t at = FindChar(m_str, ch, static_cast<size_t>(start), AnsiCodePage());
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    CString out;
    out.m_str = m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count));
    return out;
}

CString& CString::MakeUpper()
{
    AnsiCodePage().MakeUpper(m_str);
    return *this;
}

CString& CString::MakeLower()
{
    AnsiCodePage().MakeLower(m_str);
    return *this;
}
