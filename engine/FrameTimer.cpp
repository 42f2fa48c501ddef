#include "engine/FrameTimer.h"

#include "platform/SteadyClock.h"

FrameTimer::FrameTimer() : windowStart_(platform::steadyMilliseconds()) {
    elapsedMs();
}

uint32_t FrameTimer::elapsedMs() {
    const uint32_t now = platform::steadyMilliseconds();
    if (lastTime_ == 0)
        lastTime_ = now;
    const uint32_t elapsed = platform::millisecondsBetween(lastTime_, now);
    lastTime_ = now;
    return elapsed;
}

uint32_t FrameTimer::tick() {
    ++frameCount_;
    const uint32_t now = platform::steadyMilliseconds();
    const uint32_t window = platform::millisecondsBetween(windowStart_, now);
    if (static_cast<float>(window) > interval_ * 1000.0f) {
        windowStart_ = now;
        fps_ = static_cast<float>(frameCount_) / static_cast<float>(window) * 1000.0f;
        frameCount_ = 0;
    }
    return elapsedMs();
}
