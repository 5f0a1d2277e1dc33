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

// How far one step goes, and whether the character there is whole, in each code page.
TEST(CodePage, StepsOverWholeCharactersOnlyInEachCodePage)
{
    const CodePage latin;
    const struct {
        const CodePage* cp;
        const char* text;
        size_t limit, size;
        bool whole;
    } cases[] = {
        {&latin, "\xC3\xA9", 9, 1, true},
        {&CodePage::Cp932(), "\x83\x41", 9, 2, true},
        {&CodePage::Cp932(), "\x83\x41", 1, 1, false},        // its trail byte lies past the limit
        {&CodePage::Utf8(), "\xC3\xA9", 9, 2, true},          // e acute
        {&CodePage::Utf8(), "\xE5\x96\xB6", 9, 3, true},      // a kanji
        {&CodePage::Utf8(), "\xF0\x9F\x98\x80", 9, 4, true},  // beyond the first plane
        {&CodePage::Utf8(), "\xE5\x96\xB6", 2, 1, false},
        {&CodePage::Utf8(), "\xE5\x96" "A", 9, 1, false},      // cut short by an ASCII byte
        {&CodePage::Utf8(), "\xA9\xA9", 9, 1, false},          // a continuation byte starts nothing
        {&CodePage::Utf8(), "\xC0\x80", 9, 1, false},          // an overlong form
        {&CodePage::Utf8(), "\xED\xA0\x80", 9, 1, false},      // a surrogate
        {&CodePage::Utf8(), "\xF4\x90\x80\x80", 9, 1, false},  // above U+10FFFF
        {&CodePage::Utf8(), "A", 9, 1, true},
        {&CodePage::Utf8(), "", 9, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.cp->CharSize(c.text, c.limit), c.size) << c.text;
        EXPECT_EQ(c.cp->IsWhole(c.text, c.limit), c.whole) << c.text;
    }
    EXPECT_TRUE(CodePage::Utf8().IsMultibyte());
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
