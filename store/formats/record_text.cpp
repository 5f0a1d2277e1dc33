#include "formats/record_text.h"

#include "external/category_data.h"

#include <cstring>

std::string CutToRecord(const char* bytes, size_t size, const CodePage& cp)
{
    const size_t limit = sizeof CCategoryData::description - 1;
    size = strnlen(bytes, size);
    if (size <= limit)
        return std::string(bytes, size);
    // Whole characters only: one whose last byte lies beyond the cut stays out.
    size_t end = 0;
    for (size_t n; (n = cp.CharSize(bytes + end, size - end)) != 0 && end + n <= limit;)
        end += n;
    return std::string(bytes, end);
}
