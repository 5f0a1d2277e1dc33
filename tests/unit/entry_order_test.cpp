#include "browser/entry_order.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The order as the browser has always produced it: a bubble sort of n - 1 full passes that swaps
// adjacent entries when the left one compares greater.
void BubbleSort(std::vector<std::string>& entries, const CodePage& cp)
{
    const size_t n = entries.size();
    for (size_t pass = 1; pass < n; ++pass)
        for (size_t j = 1; j < n; ++j)
            if (CompareEntries(entries[j - 1], entries[j], cp) > 0)
                std::swap(entries[j - 1], entries[j]);
}

using Entries = std::vector<std::string>;

TEST(EntryOrder, FoldsCaseAndKeepsTiesInListingOrder)
{
    const CodePage latin;
    Entries entries = {"b", "A", "a_c", "AB"};
    SortEntries(entries, latin);
    EXPECT_EQ(entries, (Entries{"A", "a_c", "AB", "b"}));

    entries = {"Area", "x", "AREA", "area"};
    SortEntries(entries, latin);
    EXPECT_EQ(entries, (Entries{"Area", "AREA", "area", "x"}));

    // '#' before digits before '_' before letters: categories follow their area, depth first.
    entries = {"AREA1#CAT2", "AREA10", "AREA1_X", "AREA1", "AREA1#CAT", "AREA1#CAT#SUB", "AREA2"};
    SortEntries(entries, latin);
    EXPECT_EQ(entries, (Entries{"AREA1", "AREA1#CAT", "AREA1#CAT#SUB", "AREA1#CAT2", "AREA10",
                                "AREA1_X", "AREA2"}));
    EXPECT_LT(CompareEntries("AB_C", "ABC", latin), 0);
    EXPECT_LT(CompareEntries("AB", "ABC", latin), 0);
    EXPECT_GT(CompareEntries("\xE9", "z", latin), 0);  // bytes above 0x7F compare unsigned
}

TEST(EntryOrder, ADoubleByteCharacterIsOneUnit)
{
    const CodePage& sjis = CodePage::Cp932();
    // Byte by byte the lead 0x83 would come before the half-width 0xB1; as one unit it comes after.
    EXPECT_LT(CompareEntries("\xB1", "\x83\x41", sjis), 0);
    EXPECT_GT(CompareEntries("\xB1", "\x83\x41", CodePage()), 0);
    // A trail byte is never folded: 0x83 0x41 ('A' as trail) differs from 0x83 0x61 ('a').
    EXPECT_NE(CompareEntries("\x83\x41", "\x83\x61", sjis), 0);
    EXPECT_EQ(CompareEntries("x\x83\x41Y", "X\x83\x41y", sjis), 0);
    // In UTF-8 by code point, every byte of a character counted (U+55B6 and U+55B7).
    EXPECT_LT(CompareEntries("\xE5\x96\xB6", "\xE5\x96\xB7", CodePage::Utf8()), 0);
}

// Many random lists, drawn from an alphabet rich in ties and in the characters whose order
// matters: the stable sort must give exactly the bubble sort's order.
TEST(EntryOrder, MatchesTheBubbleSortOnRandomLists)
{
    const char* const pieces[] = {"a", "A", "b", "B", "z", "_", "#", "0", "9", "-", ".",
                                  "\x83\x41", "\x83\x61", "\x82\xA0", "\xB1", "\x81\x5C", "\xDF"};
    std::mt19937 random(20261207);
    for (const CodePage* cp : {&CodePage::Cp932(), &CodePage::Utf8(), static_cast<const CodePage*>(nullptr)}) {
        const CodePage latin;
        const CodePage& page = cp ? *cp : latin;
        for (int round = 0; round < 400; ++round) {
            Entries entries(random() % 40);
            for (std::string& e : entries)
                for (size_t length = random() % 5; length > 0; --length)
                    e += pieces[random() % std::size(pieces)];
            Entries expected = entries;
            BubbleSort(expected, page);
            SortEntries(entries, page);
            ASSERT_EQ(entries, expected) << "round " << round;
        }
    }
}

}  // namespace
