// One move-only owner for every kind of platform handle; a traits type says how it is released.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

template <typename Traits>
class ScopedGeneric {
public:
    using Handle = typename Traits::Handle;

    ScopedGeneric() = default;
    explicit ScopedGeneric(Handle handle) : handle_(handle) {}
    ~ScopedGeneric() { reset(); }

    ScopedGeneric(const ScopedGeneric&) = delete;
    ScopedGeneric& operator=(const ScopedGeneric&) = delete;
    ScopedGeneric(ScopedGeneric&& other) noexcept : handle_(other.release()) {}
    ScopedGeneric& operator=(ScopedGeneric&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    [[nodiscard]] bool is_valid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return is_valid(); }
    Handle get() const { return handle_; }

    void reset(Handle handle = Traits::Null()) {
        if (Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }
    [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::Null()); }

private:
    Handle handle_ = Traits::Null();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
using ScopedHandle = ScopedGeneric<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
using ScopedFindHandle = ScopedGeneric<FindHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
using ScopedRegKey = ScopedGeneric<RegKeyTraits>;

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
using ScopedBitmap = ScopedGeneric<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = ScopedGeneric<GdiObjectTraits<HBRUSH>>;

// A memory device context made with CreateCompatibleDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
using ScopedMemoryDc = ScopedGeneric<MemoryDcTraits>;

// A loaded resource; FreeResource is kept for symmetry with the load, as the platform documents.
struct ResourceTraits {
    using Handle = HGLOBAL;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::FreeResource(h); }
};
using ScopedResource = ScopedGeneric<ResourceTraits>;

}  // namespace fw
