#include "dialog_template.h"

#include <gtest/gtest.h>

namespace {

class Reader {
public:
    explicit Reader(const BYTE* p) : m_p(p) {}
    template <typename T>
    T Get()
    {
        T value;
        memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
        return value;
    }
    std::string String()  // a zero-terminated UTF-16 string, as ASCII
    {
        std::string s;
        for (WORD c; (c = Get<WORD>()) != 0;)
            s += static_cast<char>(c);
        return s;
    }
    std::string StringOrOrdinal()
    {
        WORD first;
        memcpy(&first, m_p, sizeof first);
        if (first != 0xFFFF)
            return String();
        Get<WORD>();
        switch (const WORD ordinal = Get<WORD>()) {
        case 0x80: return "Button";
        case 0x81: return "Edit";
        case 0x82: return "Static";
        case 0x83: return "ListBox";
        case 0x84: return "ScrollBar";
        case 0x85: return "ComboBox";
        default: return "#" + std::to_string(ordinal);
        }
    }
    void AlignDword(const BYTE* base)
    {
        while ((m_p - base) % 4)
            ++m_p;
    }
    const BYTE* m_p;
};

}  // namespace

DialogTemplate ReadDialogTemplate(HMODULE module, int id, WORD language)
{
    DialogTemplate t;
    HRSRC resource = FindResourceExA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */,
                                     MAKEINTRESOURCEA(id), language);
    if (!resource)
        return t;
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    Reader r(base);
    if (r.Get<WORD>() != 1 || r.Get<WORD>() != 0xFFFF)
        return t;  // not a DLGTEMPLATEEX
    t.found = true;
    r.Get<DWORD>();  // help id
    t.exStyle = r.Get<DWORD>();
    t.style = r.Get<DWORD>();
    const WORD count = r.Get<WORD>();
    t.x = r.Get<short>();
    t.y = r.Get<short>();
    t.cx = r.Get<short>();
    t.cy = r.Get<short>();
    r.StringOrOrdinal();  // menu
    r.StringOrOrdinal();  // class
    t.title = r.String();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Get<WORD>();
        r.Get<WORD>();  // weight
        r.Get<BYTE>();  // italic
        r.Get<BYTE>();  // character set
        t.font = r.String();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword(base);
        TemplateControl c;
        r.Get<DWORD>();  // help id
        c.exStyle = r.Get<DWORD>();
        c.style = r.Get<DWORD>();
        c.x = r.Get<short>();
        c.y = r.Get<short>();
        c.cx = r.Get<short>();
        c.cy = r.Get<short>();
        c.id = static_cast<int>(r.Get<DWORD>());
        c.className = r.StringOrOrdinal();
        c.text = r.StringOrOrdinal();
        r.m_p += r.Get<WORD>();  // creation data
        t.controls.push_back(c);
    }
    return t;
}

void ExpectControls(const DialogTemplate& t, const std::vector<ExpectedControl>& expected)
{
    ASSERT_EQ(t.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const TemplateControl& c = t.controls[i];
        const ExpectedControl& e = expected[i];
        SCOPED_TRACE(e.text[0] ? e.text : e.className);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(_stricmp(c.className.c_str(), e.className), 0) << c.className;
        EXPECT_EQ(c.text, e.text);
        EXPECT_EQ((std::vector<short>{c.x, c.y, c.cx, c.cy}), (std::vector<short>{e.x, e.y, e.cx, e.cy}));
        EXPECT_EQ(c.style, WS_CHILD | WS_VISIBLE | e.style);
        EXPECT_EQ(c.exStyle, e.exStyle);
    }
}
