// The millisecond clock the frame loop, the frame-rate meter and animated
// cursors count with: a steady count that never jumps with the wall clock.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Milliseconds as an unsigned 32-bit count. It wraps after about 49.7 days;
// differences taken in unsigned arithmetic (millisecondsBetween) stay right
// across the wrap. Never 0, so that callers may use 0 for "not read yet".
uint32_t steadyMilliseconds();

inline uint32_t millisecondsBetween(uint32_t earlier, uint32_t later) {
    return later - earlier;
}

// Where steadyMilliseconds takes its count from. Tests install their own; an
// empty function puts the steady clock back. Returns the previous source.
using MillisecondSource = std::function<uint32_t()>;
MillisecondSource setMillisecondSource(MillisecondSource source);

} // namespace platform
