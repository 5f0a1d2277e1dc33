// The start-up messages: whatever the file name and code, the fixed pieces stand where they
// belong and the code reads back as the number it was.
#include "api/startup_text.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    uint32_t code;
    memcpy(&code, data, 4);
    const std::string name(reinterpret_cast<const char*>(data + 4), size - 4);
    const std::string head = "Error loading resource DLL! (" + name + ")  ";
    const std::string tail = ".\nUntranslated resources will be used.";
    const std::string failure = LoadFailureMessage(name, code);
    const std::string number = failure.substr(head.size() + 11, failure.size() - head.size() - 11 - tail.size());
    if (failure.compare(0, head.size(), head) != 0 || failure.compare(head.size(), 11, "Error Code ") != 0 ||
        std::to_string(code) != number || failure.substr(failure.size() - tail.size()) != tail)
        abort();
    if (IncompatibleVersionMessage(name) != head + "Incompatible version" + tail)
        abort();
    return 0;
}
