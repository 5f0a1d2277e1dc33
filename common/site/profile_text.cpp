#include "site/profile_text.h"

#include <cstring>

namespace {

// Removes spaces and tabs at both ends.
std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> SectionLines(const char* buffer, size_t n)
{
    std::vector<std::string> lines;
    const char* end = buffer + n;
    // Counted first, so the lines take one allocation: a profile is read for every listed area.
    size_t count = 0;
    for (const char* line = buffer; line < end && *line; ++count)
        line += strnlen(line, static_cast<size_t>(end - line)) + 1;
    lines.reserve(count);
    for (const char* line = buffer; line < end && *line;) {
        const size_t length = strnlen(line, static_cast<size_t>(end - line));
        lines.emplace_back(line, length);
        line += length + 1;
    }
    return lines;
}

bool SplitProfileLine(const std::string& line, std::string& key, std::string& value)
{
    const size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    key = Trim(line.substr(0, eq));
    value = ProfileValue(line.substr(eq + 1));
    return true;
}

std::string ProfileValue(const std::string& raw)
{
    std::string value = raw;
    for (size_t semi = value.find(';'); semi != std::string::npos; semi = value.find(';', semi + 1)) {
        if (semi == 0 || value[semi - 1] == ' ' || value[semi - 1] == '\t') {
            value.resize(semi);
            break;
        }
    }
    value = Trim(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}
