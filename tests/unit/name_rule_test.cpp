#include "subfolder/name_rule.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace {

const CodePage kLatin;  // code page 1252: single-byte
const CodePage& kSjis = CodePage::Cp932();

int Rule(const std::string& text, const CodePage& cp)
{
    return IsValidSubFolderName(text.c_str(), static_cast<int>(text.size()), cp);
}

TEST(NameRule, LettersDigitsDashAndUnderscorePass)
{
    for (const CodePage* cp : {&kLatin, &kSjis}) {
        EXPECT_EQ(Rule("AB-12_x", *cp), 1);
        EXPECT_EQ(Rule("zZ09-_", *cp), 1);
        EXPECT_EQ(Rule("", *cp), 1);  // emptiness is the dialog's test, not the rule's
        for (const char* bad : {"A B", "A.B", "A/B", "A\\B", "A:B", "tab\t", "#", "a+b", "\x7F"})
            EXPECT_EQ(Rule(bad, *cp), 0) << bad;
    }
}

TEST(NameRule, BytesAbove0x7FDependOnTheCodePage)
{
    EXPECT_EQ(Rule("\xC9", kLatin), 0);          // É in code page 1252
    EXPECT_EQ(Rule("CAF\xC9", kLatin), 0);
    EXPECT_EQ(Rule("\x83\x5C", kSjis), 1);       // its trail byte is '\', never tested alone
    EXPECT_EQ(Rule("\xB1", kSjis), 1);           // half-width katakana, a single byte
    EXPECT_EQ(Rule("A\x83\x5C" "B", kSjis), 1);
    EXPECT_EQ(Rule("\x83\x5C", kLatin), 0);      // single-byte: 0x83 fails, and so would '\'
    EXPECT_EQ(Rule("M\xC3\xBCller", CodePage::Utf8()), 1);
    EXPECT_EQ(Rule("\xC3\xBC.", CodePage::Utf8()), 0);
}

TEST(NameRule, OnlyTheGivenLengthAndNothingPastTheTerminatorCounts)
{
    EXPECT_EQ(IsValidSubFolderName("AB C", 2, kLatin), 1);
    EXPECT_EQ(IsValidSubFolderName("AB C", 3, kLatin), 0);
    EXPECT_EQ(IsValidSubFolderName("AB\0 C", 5, kLatin), 1);
    EXPECT_EQ(IsValidSubFolderName("A B", 0, kLatin), 1);
    EXPECT_EQ(IsValidSubFolderName("A B", -5, kLatin), 1);
    EXPECT_EQ(IsValidSubFolderName(nullptr, 4, kLatin), 1);
}

// Random bytes in buffers of exactly their length, with no terminator: AddressSanitizer stops
// the test at any read past the end.
TEST(NameRule, NeverReadsPastTheEndWhateverTheBytes)
{
    std::mt19937 random(113);
    for (int round = 0; round < 20000; ++round) {
        const size_t length = random() % 12;
        auto buffer = std::make_unique<char[]>(length ? length : 1);
        for (size_t i = 0; i < length; ++i)
            buffer[i] = static_cast<char>(random() % 4 ? 0x80 + random() % 0x80 : random() % 0x80);
        for (const CodePage* cp : {&kLatin, &kSjis, &CodePage::Utf8()}) {
            const int result = IsValidSubFolderName(buffer.get(), static_cast<int>(length), *cp);
            EXPECT_TRUE(result == 0 || result == 1);
        }
    }
}

}  // namespace
