// Turns a fuzzer's bytes into what the portable logic takes: a code page (the first byte chooses
// 1252, 932 or UTF-8) and texts (the rest, split at line feeds).
#pragma once

#include "text/codepage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FuzzInput {
    const CodePage* cp;
    std::vector<std::string> texts;
};

inline FuzzInput ReadFuzzInput(const uint8_t* data, size_t size)
{
    static const CodePage latin;
    static const CodePage* const pages[] = {&latin, &CodePage::Cp932(), &CodePage::Utf8()};
    FuzzInput in{pages[size ? data[0] % 3 : 0], {}};
    std::string text;
    for (size_t i = size ? 1 : 0; i < size; ++i) {
        if (data[i] == '\n') {
            in.texts.push_back(text);
            text.clear();
        } else if (data[i] != 0) {
            text += static_cast<char>(data[i]);
        }
    }
    in.texts.push_back(text);
    return in;
}
