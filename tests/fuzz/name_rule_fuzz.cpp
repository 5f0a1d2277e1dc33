// The sub-folder name rule and the store's folder-name rule, on bytes with no terminator: no read
// past the end (AddressSanitizer), and a name the dialog accepts is one the store can hold.
#include "fuzz_input.h"
#include "names/folder_names.h"
#include "subfolder/name_rule.h"

#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const CodePage& cp = ReadFuzzInput(data, 1).cp[0];
    const size_t length = size - 1;
    auto exact = std::make_unique<char[]>(length ? length : 1);
    memcpy(exact.get(), data + 1, length);
    const int valid = IsValidSubFolderName(exact.get(), static_cast<int>(length), cp);
    if (valid != 0 && valid != 1)
        abort();
    const std::string name(reinterpret_cast<const char*>(data + 1), length);
    const bool storable = IsFolderName(name, cp, false);
    // What passes the dialog (not empty, at most 8 bytes, no zero byte inside, and not a name
    // the system reserves) the store can hold as a folder.
    if (valid && !name.empty() && name.size() <= 8 && name.find('\0') == std::string::npos &&
        !storable) {
        const std::string base = name.substr(0, name.find('.'));
        const bool reserved = base.size() >= 3;  // CON, NUL, COM1...: the store alone refuses
        bool broken = false;  // a character the file system would not give back as it was
        for (const char* p = name.c_str(); *p; p = cp.Next(p))
            broken = broken || !cp.IsWhole(p);
        if (!reserved && !broken)
            abort();
    }
    return 0;
}
