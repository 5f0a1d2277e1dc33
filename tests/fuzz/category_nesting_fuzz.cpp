// Category nesting: every placed entry hangs under its own area through items that carry its
// levels in order (without regard to case) up to the area of that name listed last, an entry of
// an area not placed gets no item, and no entry makes more items than it has levels below its
// area.
#include "browser/category_nesting.h"
#include "text/text.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <map>

namespace {

struct Node {
    std::string text;
    int parent;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput in = ReadFuzzInput(data, size);
    const auto fold = [&in](std::string text) {
        in.cp->MakeLower(text);
        return text;
    };
    std::vector<Node> tree = {{"", -1}};  // the device's item; 0 is also "no item"
    std::map<std::string, int> areas;     // folded name: the item of the area listed last
    CategoryNesting<int> nesting(*in.cp);
    const auto insert = [&tree](const std::string& text, int parent) {
        tree.push_back({text, parent});
        return static_cast<int>(tree.size()) - 1;
    };
    for (const std::string& entry : in.texts) {
        const std::vector<std::string> levels = Split(entry, '#', *in.cp);
        if (levels.size() < 2) {
            const int area = insert(entry, 0);
            nesting.AddArea(entry, area);
            areas[fold(entry)] = area;
            continue;
        }
        const size_t before = tree.size();
        const int item = nesting.AddCategory(levels, insert);
        const size_t made = tree.size() - before;
        if (item == 0) {
            if (areas.count(fold(levels[0])) || made != 0)
                abort();
            continue;
        }
        if (made == 0 || made > levels.size() - 1)
            abort();
        int node = item;
        for (size_t i = levels.size() - 1; i >= 1; --i) {
            if (node <= 0 || fold(tree[node].text) != fold(levels[i]))
                abort();
            node = tree[node].parent;
        }
        if (node != areas[fold(levels[0])])
            abort();  // not under its own area, the one listed last
    }
    return 0;
}
