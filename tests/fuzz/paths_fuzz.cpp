// Path building and splitting: category paths split and join back to themselves, a tree path
// keeps every level's text, and a login path's device is found without reading out of bounds.
#include "browser/tree_path.h"
#include "text/text.h"
#include "fuzz_input.h"
#include "formats/device_table.h"
#include "names/folder_names.h"
#include "names/own_names.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput in = ReadFuzzInput(data, size);
    const CodePage& cp = *in.cp;
    for (const std::string& text : in.texts) {
        const std::vector<std::string> levels = Split(text, '#', cp);
        if (JoinCategoryLevels(levels) != text)
            abort();
        const std::vector<std::string> store = SplitCategoryPath(text, cp);
        if (text.empty() != store.empty())
            abort();
    }
    const std::string path = BuildSelectedPath(in.texts);
    size_t total = 0;
    for (const std::string& level : in.texts)
        total += level.size() + 1;
    if (path.size() > total)
        abort();
    std::vector<Device> devices;
    for (const std::string& name : in.texts)
        devices.push_back({name, ""});
    CDeviceTable(devices).Candidates(in.texts.back());
    JoinPath(in.texts.front(), in.texts.back(), cp);
    return 0;
}
