#pragma once
// The entries of a toolbar's "Buttons" value, in toolbar order, counted
// from 1. The list owns its entries; a reference handed out stays valid
// until that entry itself is removed or the list is cleared or assigned.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "base/RegistryValue.h"
#include "toolbars/clButtonItem.h"

namespace toolbars::detail {

// Walks a vector of owning pointers as if it held the objects themselves, so
// that "for (auto& item : list)" sees entries, not pointers.
template <class T, class BaseIt>
class OwnedIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::remove_const_t<T>;
    using difference_type = std::ptrdiff_t;
    using pointer = T*;
    using reference = T&;

    OwnedIterator() = default;
    explicit OwnedIterator(BaseIt it) : m_It(it) {}

    T& operator*() const { return **m_It; }
    T* operator->() const { return m_It->get(); }
    OwnedIterator& operator++() {
        ++m_It;
        return *this;
    }
    OwnedIterator operator++(int) {
        OwnedIterator old = *this;
        ++m_It;
        return old;
    }
    bool operator==(const OwnedIterator&) const = default;

private:
    BaseIt m_It{};
};

}  // namespace toolbars::detail

class clButtonItemList {
    using Store = std::vector<std::unique_ptr<clButtonItem>>;

public:
    using iterator = toolbars::detail::OwnedIterator<clButtonItem, Store::iterator>;
    using const_iterator = toolbars::detail::OwnedIterator<const clButtonItem, Store::const_iterator>;

    clButtonItemList() = default;
    clButtonItemList(const clButtonItemList& other);
    clButtonItemList& operator=(const clButtonItemList& other);
    clButtonItemList(clButtonItemList&&) noexcept = default;
    clButtonItemList& operator=(clButtonItemList&&) noexcept = default;

    // Appends the parsed entries. A value whose last entry is cut short is
    // refused as a whole and the list stays as it was.
    void SetByteArray(const ByteArray& bytes);
    // The identifiers of the entries, as far as the value holds whole
    // entries: also of a value that SetByteArray refuses.
    static std::vector<std::uint32_t> IDsOf(const ByteArray& bytes);
    ByteArray GetByteArray() const;

    clButtonItem& Item(std::int32_t Index);
    const clButtonItem& Item(std::int32_t Index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(m_Items.size()); }

    iterator begin() { return iterator(m_Items.begin()); }
    iterator end() { return iterator(m_Items.end()); }
    const_iterator begin() const { return const_iterator(m_Items.begin()); }
    const_iterator end() const { return const_iterator(m_Items.end()); }

    void Add(std::int32_t CommandID);
    // Removes the entry and then a separator that is left last, so that a
    // toolbar never ends in a dangling divider.
    void Remove(std::int32_t Index);
    void Clear() { m_Items.clear(); }

private:
    std::size_t Slot(std::int32_t Index) const;

    Store m_Items;
};
