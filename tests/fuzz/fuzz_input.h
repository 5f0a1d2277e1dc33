// Turns a fuzzer's bytes into what the portable logic takes: a code page (the first byte chooses
// 1252 or 932) and texts (the rest, split at line feeds).
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
    FuzzInput in{size && (data[0] & 1) ? &CodePage::Cp932() : &latin, {}};
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
