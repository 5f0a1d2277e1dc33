// Category nesting: every placed entry hangs under its own area through items that carry its
// levels in order, an entry of an area not placed gets no item, and no entry makes more items
// than it has levels below its area.
#include "browser/category_nesting.h"
#include "framework/text.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <set>

namespace {

struct Node {
    std::string text;
    int parent;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput in = ReadFuzzInput(data, size);
    std::vector<Node> tree = {{"", -1}};  // the device's item; 0 is also "no item"
    std::set<std::string> areas;
    CategoryNesting<int> nesting;
    const auto insert = [&tree](const std::string& text, int parent) {
        tree.push_back({text, parent});
        return static_cast<int>(tree.size()) - 1;
    };
    for (const std::string& entry : in.texts) {
        const std::vector<std::string> levels = Split(entry, '#', *in.cp);
        if (levels.size() < 2) {
            nesting.AddArea(entry, insert(entry, 0));
            areas.insert(entry);
            continue;
        }
        const size_t before = tree.size();
        const int item = nesting.AddCategory(levels, insert);
        const size_t made = tree.size() - before;
        if (item == 0) {
            if (areas.count(levels[0]) || made != 0)
                abort();
            continue;
        }
        if (made == 0 || made > levels.size() - 1)
            abort();
        int node = item;
        for (size_t i = levels.size() - 1; i >= 1; --i) {
            if (node <= 0 || tree[node].text != levels[i])
                abort();
            node = tree[node].parent;
        }
        if (node <= 0 || tree[node].parent != 0 || tree[node].text != levels[0])
            abort();  // not under its own area
    }
    return 0;
}
