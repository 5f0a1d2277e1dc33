// Where the entries of one device go in the tree. Portable: no windows.h.
//
// An area's item is placed by the caller. A category entry AREA#CAT#SUB goes under the item of
// its own parent path AREA#CAT, never under another area's; a level that the listing skipped is
// made on the way. A category of an area that has no item is not shown. Names compare without
// case, as the folders they name do and as the entries are sorted. Where one name is listed
// twice, the item inserted later takes what follows.
#pragma once

#include "text/codepage.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

template <typename Item>
class CategoryNesting {
public:
    explicit CategoryNesting(const CodePage& cp) : m_cp(cp) {}

    void AddArea(std::string_view area, Item item) { Put(Item{}, kArea, area, item); }

    // levels: the entry split at '#', its area first, each a text or a zero-terminated string.
    // insert(level, parent) makes an item and returns it. Answers the entry's item, or Item{}
    // where the entry has no place.
    template <typename Levels, typename Insert>
    Item AddCategory(const Levels& levels, Insert insert)
    {
        if (levels.size() < 2)
            return Item{};
        const Slot* area = Find(Item{}, kArea, levels[0]);
        if (!area)
            return Item{};
        Item parent = area->item;
        for (size_t i = 1; i + 1 < levels.size(); ++i) {
            const Slot* known = Find(parent, kCategory, levels[i]);
            // A level the listing skipped is made.
            parent = known ? known->item : Put(parent, kCategory, levels[i], insert(levels[i], parent));
        }
        return Put(parent, kCategory, levels.back(), insert(levels.back(), parent));
    }

    // Room for entries names without growing while they are added.
    void Reserve(size_t entries)
    {
        while (2 * entries > m_slots.size())
            Grow();
    }

    void Clear()
    {
        m_keys.clear();
        m_slots.assign(m_slots.size(), Slot{});
        m_used = 0;
    }

private:
    // A device may list many thousands of entries: the keys live in one buffer, the items in one
    // open-addressed table, so an entry costs no allocation of its own.
    enum Kind : unsigned char { kEmpty, kArea, kCategory };
    struct Slot {
        Item parent{};  // Item{} for an area
        Item item{};
        size_t key = 0, length = 0;  // the folded name in m_keys
        size_t hash = 0;
        Kind kind = kEmpty;
    };

    // The folded name in m_folded, and its slot: the one that holds it, or the empty one where
    // it would go.
    Slot& Locate(Item parent, Kind kind, std::string_view name)
    {
        if (m_slots.empty())
            m_slots.resize(64);
        m_folded.assign(name.data(), name.size());
        m_cp.MakeLower(m_folded);
        m_hash = std::hash<std::string_view>()(m_folded) ^ (std::hash<Item>()(parent) * 31 + kind);
        for (size_t i = m_hash & (m_slots.size() - 1);; i = (i + 1) & (m_slots.size() - 1)) {
            Slot& s = m_slots[i];
            if (s.kind == kEmpty ||
                (s.hash == m_hash && s.kind == kind && s.parent == parent &&
                 std::string_view(m_keys).substr(s.key, s.length) == m_folded))
                return s;
        }
    }

    const Slot* Find(Item parent, Kind kind, std::string_view name)
    {
        const Slot& s = Locate(parent, kind, name);
        return s.kind == kEmpty ? nullptr : &s;
    }

    Item Put(Item parent, Kind kind, std::string_view name, Item item)
    {
        if (2 * (m_used + 1) > m_slots.size())
            Grow();
        Slot& s = Locate(parent, kind, name);
        if (s.kind == kEmpty) {
            s = {parent, item, m_keys.size(), m_folded.size(), m_hash, kind};
            m_keys += m_folded;
            ++m_used;
        }
        s.item = item;
        return item;
    }

    void Grow()
    {
        std::vector<Slot> old(std::max<size_t>(64, m_slots.size() * 2));
        old.swap(m_slots);
        for (const Slot& s : old) {
            if (s.kind == kEmpty)
                continue;
            size_t i = s.hash & (m_slots.size() - 1);
            while (m_slots[i].kind != kEmpty)
                i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = s;
        }
    }

    const CodePage& m_cp;
    std::string m_keys;
    std::vector<Slot> m_slots;  // a power of two, at most half full
    size_t m_used = 0;
    std::string m_folded;  // scratch: the name being looked up
    size_t m_hash = 0;
};
