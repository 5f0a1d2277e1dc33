// Text into and out of the fields of a CCategoryData record. The field's size comes from the
// field itself, so no caller passes it. Every copy writes a terminator and never reads or writes
// past the field.
#pragma once

#include "framework/cstring.h"

#include <cstddef>
#include <cstring>

namespace category_fields_detail {

// At most size - 1 bytes of text, then the terminator.
inline void CopyCut(char* out, size_t size, const char* text)
{
    const size_t length = text ? strnlen(text, size - 1) : 0;
    memcpy(out, text ? text : "", length);
    out[length] = '\0';
}

}  // namespace category_fields_detail

// Copies text (null counts as empty) into the field; false, leaving the field alone, when it does
// not fit. For callers whose text must arrive whole: a cut name would name another category.
template <size_t N>
bool CopyFieldOrRefuse(char (&field)[N], const char* text)
{
    if (!text)
        text = "";
    const size_t length = strnlen(text, N);
    if (length == N)
        return false;
    memcpy(field, text, length + 1);
    return true;
}

// Copies text into the field, cut to fit.
template <size_t N>
void CopyFieldCut(char (&field)[N], const char* text)
{
    category_fields_detail::CopyCut(field, N, text);
}

// Copies the field's text to out, which holds N bytes; nothing when out is null.
template <size_t N>
void CopyFieldOut(char* out, const char (&field)[N])
{
    if (out)
        category_fields_detail::CopyCut(out, N, field);
}

// The field's text, read no further than the field.
template <size_t N>
CString FieldText(const char (&field)[N])
{
    return CString(field, static_cast<int>(strnlen(field, N - 1)));
}
