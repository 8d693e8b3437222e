#pragma once
// One move-only owner for every kind of handle the programs hold: registry
// keys, files, GDI objects, device contexts, windows, processes, modules and
// COM interfaces. A traits type names the handle type, the value that means
// "nothing held" and how one is closed; each platform header gives an alias
// per handle type (UniqueHkey, UniqueBitmap, ComPtr<T>, ...).
//
//   struct FileTraits {
//       using Handle = HANDLE;
//       static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
//       static void Close(HANDLE file) noexcept { CloseHandle(file); }
//   };
//   using UniqueFile = UniqueHandle<FileTraits>;
//
// Traits may carry state (the window a device context belongs to, the
// registry interface a key came from): it is passed with the handle.
#include <type_traits>
#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : m_Handle(handle) {}
    UniqueHandle(Handle handle, Traits traits) noexcept : m_Handle(handle), m_Traits(std::move(traits)) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_Handle(other.release()), m_Traits(std::move(other.m_Traits)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            m_Traits = std::move(other.m_Traits);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return m_Handle; }
    explicit operator bool() const noexcept { return m_Handle != Traits::Invalid(); }

    // Gives the handle up without closing it.
    [[nodiscard]] Handle release() noexcept { return std::exchange(m_Handle, Traits::Invalid()); }
    // Closes what is held and takes `handle` instead.
    void reset(Handle handle = Traits::Invalid()) noexcept {
        const Handle old = std::exchange(m_Handle, handle);
        if (old != Traits::Invalid()) m_Traits.Close(old);
    }
    // For functions that hand out a handle through a pointer.
    Handle* put() noexcept {
        reset();
        return &m_Handle;
    }

    // Interface pointers are used through the owner.
    static constexpr bool kPointsToClass = std::is_pointer_v<Handle> && std::is_class_v<std::remove_pointer_t<Handle>>;
    auto operator->() const noexcept requires kPointsToClass { return m_Handle; }

private:
    Handle m_Handle = Traits::Invalid();
    [[no_unique_address]] Traits m_Traits{};
};
