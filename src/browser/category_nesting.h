// Where the entries of one device go in the tree. Portable: no windows.h.
//
// An area's item is placed by the caller. A category entry AREA#CAT#SUB goes under the item of
// its own parent path AREA#CAT, never under another area's; a level that the listing skipped is
// made on the way. A category of an area that has no item is not shown. Names compare without
// case, as the folders they name do and as the entries are sorted. Where one name is listed
// twice, the item inserted later takes what follows.
#pragma once

#include "text/codepage.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

template <typename Item>
class CategoryNesting {
public:
    explicit CategoryNesting(const CodePage& cp) : m_cp(cp) {}

    void AddArea(const std::string& area, Item item) { m_areas[Key(area)] = item; }

    // levels: the entry split at '#', its area first. insert(text, parent) makes an item and
    // returns it. Answers the entry's item, or Item{} where the entry has no place.
    template <typename Insert>
    Item AddCategory(const std::vector<std::string>& levels, Insert insert)
    {
        if (levels.size() < 2)
            return Item{};
        const auto area = m_areas.find(Key(levels[0]));
        if (area == m_areas.end())
            return Item{};
        Item parent = area->second;
        for (size_t i = 1; i + 1 < levels.size(); ++i) {
            Child level{parent, Key(levels[i])};
            auto it = m_children.find(level);
            if (it == m_children.end())  // a level the listing skipped
                it = m_children.emplace(std::move(level), insert(levels[i], parent)).first;
            parent = it->second;
        }
        const Item item = insert(levels.back(), parent);
        m_children[Child{parent, Key(levels.back())}] = item;
        return item;
    }

    void Clear()
    {
        m_areas.clear();
        m_children.clear();
    }

private:
    using Child = std::pair<Item, std::string>;  // the parent's item, the child's key
    struct ChildHash {
        size_t operator()(const Child& c) const
        {
            return std::hash<Item>()(c.first) * 31 ^ std::hash<std::string>()(c.second);
        }
    };

    std::string Key(std::string name) const
    {
        m_cp.MakeLower(name);
        return name;
    }

    const CodePage& m_cp;
    std::unordered_map<std::string, Item> m_areas;  // by key
    std::unordered_map<Child, Item, ChildHash> m_children;
};
