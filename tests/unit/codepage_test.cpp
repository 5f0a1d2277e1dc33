#include "text/codepage.h"
#include "text/text.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, StepsOverDoubleByteCharactersButNeverPastTheTerminator)
{
    const CodePage& sjis = CodePage::Cp932();
    const char text[] = "a\x83\x41\x83";  // 'a', a double-byte character, a lone lead byte
    const char* p = text;
    p = sjis.Next(p);
    EXPECT_EQ(p, text + 1);
    p = sjis.Next(p);
    EXPECT_EQ(p, text + 3);
    p = sjis.Next(p);  // the lead byte has no trail byte: one step, onto the terminator
    EXPECT_EQ(p, text + 4);
    EXPECT_EQ(sjis.Next(p), p);

    const CodePage latin;
    EXPECT_EQ(latin.Next(text + 1), text + 2);
    EXPECT_FALSE(latin.IsMultibyte());
    EXPECT_TRUE(sjis.IsMultibyte());
}

// UTF-8 steps within 3 bytes: two whole characters, then one past the limit, one cut short, a
// continuation byte, an overlong form, a surrogate.
TEST(CodePage, StepsOverWholeUtf8CharactersOnly)
{
    const std::pair<const char*, size_t> cases[] = {
        {"\xC3\xA9", 2}, {"\xE5\x96\xB6", 3}, {"\xF0\x9F\x98\x80", 1}, {"\xE5\x96" "A", 1},
        {"\xA9\xA9", 1}, {"\xC0\x80", 1}, {"\xED\xA0\x80", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(CodePage::Utf8().CharSize(c.first, 3), c.second) << c.first;
        EXPECT_EQ(CodePage::Utf8().IsWhole(c.first, 3), c.second > 1) << c.first;
    }
    EXPECT_EQ(FindChar("\xC3\xA9#\xA9#", '#', 3, CodePage::Utf8()), 4u);
}

TEST(CodePage, FoldsAsciiLettersOnlyAndNeverATrailByte)
{
    std::string text = "aB\x83\x41z\x82\x61\xC9";
    CodePage::Cp932().MakeUpper(text);
    EXPECT_EQ(text, "AB\x83\x41Z\x82\x61\xC9");  // 0x83 0x41 and 0x82 0x61 stay as they are
    CodePage::Cp932().MakeLower(text);
    EXPECT_EQ(text, "ab\x83\x41z\x82\x61\xC9");

    std::string latin = "\xC9t\xE9";  // accented letters are not folded either
    CodePage().MakeUpper(latin);
    EXPECT_EQ(latin, "\xC9T\xE9");
}

TEST(CodePage, FindsACharacterButNeverAByteOfADoubleByteCharacter)
{
    const CodePage& sjis = CodePage::Cp932();
    const std::string entry = "AB\x83#C#D";  // 0x83 '#' is one character in 932
    EXPECT_EQ(FindChar(entry, '#', 0, sjis), 5u);
    EXPECT_EQ(FindChar(entry, '#', 0, CodePage()), 3u);
    EXPECT_EQ(FindChar(entry, '#', 6, sjis), std::string::npos);
    EXPECT_EQ(FindChar("\x83\x5c\\", '\\', 0, sjis), 2u);  // the trail byte 0x5C is no backslash
    EXPECT_EQ(FindChar("ab", 'b', 2, sjis), std::string::npos);
    EXPECT_EQ(FindChar("ab\x83", '\x83', 0, sjis), 2u);  // a lone lead byte at the end is itself
}

}  // namespace
