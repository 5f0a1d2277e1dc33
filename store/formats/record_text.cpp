#include "formats/record_text.h"

#include "external/category_data.h"

#include <cstring>

std::string CutToRecord(const char* bytes, size_t size, const CodePage& cp)
{
    const size_t limit = sizeof CCategoryData::description - 1;
    size = strnlen(bytes, size);
    if (size <= limit)
        return std::string(bytes, size);
    const std::string head(bytes, limit);
    const char* end = head.c_str();
    for (const char* p = end; *p != '\0'; p = end) {
        if (cp.IsLead(static_cast<unsigned char>(*p)) && p[1] == '\0')
            break;  // its trail byte lies beyond the cut
        end = cp.Next(p);
    }
    return std::string(head.c_str(), end);
}
