#include "framework/codepage.h"

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

}  // namespace
