#include "formats/options.h"

unsigned OptionNumber(const std::string& text, const NumberOption& option, bool* exact)
{
    size_t digits = 0;
    unsigned long long value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        if (value <= option.most)
            value = value * 10 + unsigned(text[digits] - '0');
        ++digits;
    }
    const unsigned used = digits == 0            ? option.fallback
                          : value < option.least ? option.least
                          : value > option.most  ? option.most
                                                 : unsigned(value);
    if (exact)
        *exact = text.empty() || (digits == text.size() && used == value);
    return used;
}
