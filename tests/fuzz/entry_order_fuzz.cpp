// The entry order: a strict weak order, and the stable sort gives the bubble sort's result.
#include "browser/entry_order.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in = ReadFuzzInput(data, size);
    if (in.texts.size() > 64)
        in.texts.resize(64);
    const CodePage& cp = *in.cp;
    for (const std::string& a : in.texts)
        for (const std::string& b : in.texts) {
            const int ab = CompareEntries(a, b, cp), ba = CompareEntries(b, a, cp);
            if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0))
                abort();  // not antisymmetric
        }
    std::vector<std::string> bubble = in.texts;
    for (size_t pass = 1; pass < bubble.size(); ++pass)
        for (size_t j = 1; j < bubble.size(); ++j)
            if (CompareEntries(bubble[j - 1], bubble[j], cp) > 0)
                std::swap(bubble[j - 1], bubble[j]);
    SortEntries(in.texts, cp);
    if (in.texts != bubble)
        abort();
    return 0;
}
