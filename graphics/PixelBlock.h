// The byte block decoded pixels live in. Growing it leaves the new bytes
// unset: decoders write every byte they keep, and a damaged file that claims
// a huge size fails before the untouched pages ever cost memory.
#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

template <class T> struct UninitialisedAllocator : std::allocator<T> {
    template <class U> struct rebind { using other = UninitialisedAllocator<U>; };
    UninitialisedAllocator() = default;
    template <class U> UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBlock = std::vector<unsigned char, UninitialisedAllocator<unsigned char>>;
