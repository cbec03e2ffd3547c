#pragma once

#include <utility>

namespace platform {

// Owns one handle of the system's (a descriptor, a Windows HANDLE) and closes
// it when it goes; moved, never copied. `Traits` gives the handle's type
// (`Handle`), the value that holds none (`None()`), which values are real
// ones (`Valid`) and how one is closed (`Close`). A value that is not valid
// is kept as None().
template <typename Traits> class UniqueHandle
{
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(Traits::Valid(handle) ? handle : Traits::None())
    {
    }
    ~UniqueHandle() { Close(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        Close();
        handle_ = other.Release();
        return *this;
    }

    Handle get() const { return handle_; }
    // Gives the handle up, open, to the caller.
    Handle Release() { return std::exchange(handle_, Traits::None()); }
    void Close()
    {
        if (Traits::Valid(handle_))
            Traits::Close(Release());
    }

private:
    Handle handle_ = Traits::None();
};

// A C runtime descriptor (open, _wopen, pipe): none is -1.
struct DescriptorTraits
{
    using Handle = int;
    static constexpr int None() { return -1; }
    static constexpr bool Valid(int fd) { return fd >= 0; }
    // close on POSIX, _close on Windows; its failure is not seen.
    static void Close(int fd);
};
using UniqueDescriptor = UniqueHandle<DescriptorTraits>;

} // namespace platform
