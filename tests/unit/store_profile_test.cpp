#include "formats/device_table.h"
#include "formats/login_keys.h"
#include "formats/options.h"
#include "site/profile_text.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(ProfileText, SectionBufferLinesAndValuesAsPeopleWriteThem)
{
    const char buffer[] = "a=1\0b = x ; note\0\0junk";
    EXPECT_EQ(SectionLines(buffer, sizeof buffer - 1), (Lines{"a=1", "b = x ; note"}));
    EXPECT_EQ(SectionLines("ab", 2), Lines{"ab"});  // no terminator within n: cut at n
    const struct {
        const char* raw;
        const char* value;
    } values[] = {{" open ", "open"},       {"open ; a note", "open"}, {"a;b", "a;b"},
                  {"\"C:\\x y\" ; q", "C:\\x y"}, {";all note", ""}, {"\"", "\""}};
    for (const auto& v : values)
        EXPECT_EQ(ProfileValue(v.raw), v.value) << v.raw;
    std::string key, value;
    EXPECT_FALSE(SplitProfileLine("no equals", key, value));
    ASSERT_TRUE(SplitProfileLine(" 12 = \\\\srv\\s=1 ", key, value));
    EXPECT_EQ(key + "|" + value, "12|\\\\srv\\s=1");
}

TEST(Options, DeadlineTextsAndTheValueUsed)
{
    const struct {
        const char* text;
        unsigned used;
        bool exact;
    } cases[] = {{"", 500, true},        {"2000", 2000, true},     {"fast", 500, false},
                 {"2000ms", 2000, false}, {"10", 50, false},        {"999999999999", 120000, false},
                 {"-5", 500, false},      {"120000", 120000, true}, {"50", 50, true}};
    for (const auto& c : cases) {
        bool exact = !c.exact;
        EXPECT_EQ(OptionNumber(c.text, kServerDeadlineOption, &exact), c.used) << c.text;
        EXPECT_EQ(exact, c.exact) << c.text;
    }
}

TEST(LoginKeys, AccessReadonlyAndHiddenWithoutCase)
{
    const struct {
        Lines lines;
        LoginAccess access;
        bool readonly, hidden;
    } cases[] = {
        {{"access=open"}, LoginAccess::open, false, false},
        {{"ACCESS = Blocked ; note", "readonly = YES"}, LoginAccess::blocked, true, false},
        {{"access=restricted", "hidden=yes"}, LoginAccess::restricted, false, true},
        {{"access=restricted-expired"}, LoginAccess::restrictedExpired, false, false},
        {{"access=open", "access=bogus"}, LoginAccess::open, false, false},
        {{"access=open", "access=blocked"}, LoginAccess::blocked, false, false},
        {{"access", "readonly=y", "hidden=1"}, LoginAccess::unknown, false, false},
    };
    for (const auto& c : cases) {
        const LoginKeys keys = ParseLoginKeys(c.lines);
        EXPECT_EQ(keys.access, c.access) << c.lines[0];
        EXPECT_EQ(keys.readonly, c.readonly) << c.lines[0];
        EXPECT_EQ(keys.hidden, c.hidden) << c.lines[0];
    }
}

// Names resolve as the browser and hosts pass them: case and a trailing ':' do not count, an
// exact name comes first, a lone digit also names the numbered devices that begin with it.
TEST(DeviceTable, ResolvesNamesAndKnowsAmbiguousDigits)
{
    const CDeviceTable table = CDeviceTable::FromLines(
        {"C: = C:\\c", "d = D:\\", "12 = \\\\s\\12", "1 = C:\\1", "c = C:\\again", "2x = C:\\2",
         "13 = C:\\13", "junk", " = C:\\nameless"});
    Lines names;
    for (const Device& d : table.All())
        names.push_back(d.name);
    ASSERT_EQ(names, (Lines{"C:", "d", "12", "1", "2x", "13"}));
    EXPECT_EQ(table.All()[0].root, "C:\\c");  // a name said again is the first line's
    const struct {
        const char* token;
        std::vector<int> candidates;  // best first; Find gives the first
    } cases[] = {{"C:", {0}},       {"c", {0}},  {"D:", {1}},  {"12", {2}},  {"1", {3, 2, 5}},
                 {"1:", {3, 2, 5}}, {"2", {4}},  {"2:", {4}},  {"13", {5}},  {"3", {}},
                 {"", {}},          {"C:\\", {}}};
    for (const auto& c : cases) {
        std::vector<int> found;
        for (const Device* d : table.Candidates(c.token))
            found.push_back(static_cast<int>(d - table.All().data()));
        EXPECT_EQ(found, c.candidates) << c.token;
        const Device* one = table.Find(c.token);
        EXPECT_EQ(one ? static_cast<int>(one - table.All().data()) : -1,
                  c.candidates.empty() ? -1 : c.candidates[0]) << c.token;
    }
    const CDeviceTable noOne = CDeviceTable::FromLines({"13 = C:\\13", "12 = C:\\12"});
    EXPECT_EQ(noOne.Find("1"), &noOne.All()[0]);  // no "1": the first that begins with it
    EXPECT_TRUE(table.IsAmbiguous("1:"));
    EXPECT_FALSE(table.IsAmbiguous("2"));
    EXPECT_FALSE(table.IsAmbiguous("12"));
}

}  // namespace
