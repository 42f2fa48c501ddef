// The millisecond frame clock: the elapsed time between frames, and a
// frames-per-second measurement over half-second windows (shown by the console).
#pragma once

#include <cstdint>

class FrameTimer {
public:
    // Starts counting now.
    FrameTimer();

    // Milliseconds since the previous reading (0 at the first).
    uint32_t elapsedMs();
    // Counts a frame, updates the measured rate when the window is over, and
    // returns elapsedMs().
    uint32_t tick();
    float getFps() const { return fps_; }

private:
    uint32_t lastTime_ = 0; // 0: not read yet
    float fps_ = 0.0f;
    float interval_ = 0.5f; // measuring window in seconds
    uint32_t windowStart_ = 0;
    int frameCount_ = 0;
};
