#pragma once
// All of ACT!'s toolbars, read once when created: position 1 holds toolbar
// number 0. A caller that needs the current state creates a new one.
#include <cstdint>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include "common/modRegistry.h"
#include "toolbars/clACTToolbar.h"

class clACTToolbars {
    using Store = std::vector<std::unique_ptr<clACTToolbar>>;

public:
    // A damaged "Bars" value must not make Tessivar read keys without end.
    static constexpr std::int32_t kMaxToolbars = 1000;

    explicit clACTToolbars(const modRegistry::Access& registry);

    // "Bars" as read (0 when missing or negative), even beyond kMaxToolbars.
    std::int32_t Count() const { return m_Count; }

    // The first toolbar by number whose window name is exactly this; slots
    // holding no toolbar are never found. nullptr when none matches.
    clACTToolbar* Item(std::string_view windowName);
    clACTToolbar& Item(std::int32_t Index);

    // Every identifier that a button of any toolbar calls, as far as the
    // buttons can be read: numbers a new command must not take.
    std::set<std::int32_t> ButtonIDs() const;

    using iterator = toolbars::detail::OwnedIterator<clACTToolbar, Store::iterator>;
    using const_iterator = toolbars::detail::OwnedIterator<const clACTToolbar, Store::const_iterator>;
    iterator begin() { return iterator(m_Toolbars.begin()); }
    iterator end() { return iterator(m_Toolbars.end()); }
    const_iterator begin() const { return const_iterator(m_Toolbars.begin()); }
    const_iterator end() const { return const_iterator(m_Toolbars.end()); }

    // Empties the collection; Count keeps the value read at creation.
    void Clear() { m_Toolbars.clear(); }

private:
    std::int32_t m_Count = 0;
    Store m_Toolbars;
};
