// The numbers of section [options] in storage.ini, as the store takes their texts. Portable: no
// windows.h, tested natively.
#pragma once

#include <string>

struct NumberOption {
    const char* key;
    unsigned fallback, least, most;
};

// How long a server's check may take, in ms (see servers/servers.h).
constexpr NumberOption kServerDeadlineOption{"server_deadline_ms", 500, 50, 120000};

// The value the store uses for an option's text: its leading digits, brought within the option's
// bounds; the fallback for an empty text or one that begins with no digit (a typo must not
// become the smallest deadline). exact, when given, is false when the text was not a whole
// number within the bounds.
unsigned OptionNumber(const std::string& text, const NumberOption& option, bool* exact = nullptr);
