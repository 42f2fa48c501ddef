#include "platform/SteadyClock.h"

#include <chrono>
#include <utility>

namespace platform {

namespace {

MillisecondSource& source() {
    static MillisecondSource current;
    return current;
}

uint32_t clockMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

uint32_t steadyMilliseconds() {
    const uint32_t ms = source() ? source()() : clockMilliseconds();
    // 0 would read as "never read"; the 1 ms it costs once per wrap is harmless.
    return ms == 0 ? 1 : ms;
}

MillisecondSource setMillisecondSource(MillisecondSource next) {
    return std::exchange(source(), std::move(next));
}

} // namespace platform
