#include "text/text.h"

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

size_t FindChar(const std::string& text, char c, size_t start, const CodePage& cp)
{
    if (start >= text.size())
        return std::string::npos;
    const char* begin = text.c_str();
    for (const char* p = begin + start; *p != '\0'; p = cp.Next(p))
        if (*p == c)
            return static_cast<size_t>(p - begin);
    return std::string::npos;
}
