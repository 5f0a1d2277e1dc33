// Where the entries of one device go in the tree. Portable: no windows.h.
//
// An area's item is placed by the caller. A category entry AREA#CAT#SUB goes under the item of
// its own parent path AREA#CAT, never under another area's; a level that the listing skipped is
// made on the way. A category of an area that has no item is not shown.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

template <typename Item>
class CategoryNesting {
public:
    void AddArea(const std::string& area, Item item) { m_items[area] = item; }

    // levels: the entry split at '#', its area first. insert(text, parent) makes an item and
    // returns it. Answers the entry's item, or Item{} where the entry has no place.
    template <typename Insert>
    Item AddCategory(const std::vector<std::string>& levels, Insert insert)
    {
        if (levels.size() < 2)
            return Item{};
        const auto area = m_items.find(levels[0]);
        if (area == m_items.end())
            return Item{};
        Item parent = area->second;
        std::string path = levels[0];
        for (size_t i = 1; i + 1 < levels.size(); ++i) {
            path += '#' + levels[i];
            auto it = m_items.find(path);
            if (it == m_items.end())
                it = m_items.emplace(path, insert(levels[i], parent)).first;
            parent = it->second;
        }
        const Item item = insert(levels.back(), parent);
        m_items[path + '#' + levels.back()] = item;
        return item;
    }

    void Clear() { m_items.clear(); }

private:
    std::unordered_map<std::string, Item> m_items;  // by entry: AREA, AREA#CAT, ...
};
