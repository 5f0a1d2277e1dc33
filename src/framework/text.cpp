#include "framework/text.h"

std::vector<std::string> Split(const std::string& text, char separator, const CodePage& cp)
{
    std::vector<std::string> pieces;
    const char* start = text.c_str();
    const char* p = start;
    for (; *p != '\0'; p = cp.Next(p)) {
        if (*p == separator) {
            pieces.emplace_back(start, p);
            start = p + 1;
        }
    }
    pieces.emplace_back(start, p);
    return pieces;
}
