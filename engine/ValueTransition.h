// The part every kind of transition shares: a start and an end value and the
// rules for setting and starting them. T needs == and a default value.
#pragma once

#include "engine/Transition.h"

template <typename T> class ValueTransition : public Transition {
public:
    // The value at once; a running change stops.
    void set(const T& value) {
        stop();
        start_ = end_ = value;
    }

    // The same, unless a change is running and animating.
    void setIfIdle(const T& value) {
        if (getMode() == Run && isRunning())
            return;
        start_ = end_ = value;
    }

    // Moves from the current value (so a running change continues from where
    // it is) to target over frames nominal frames.
    void startTo(const T& target, int frames) {
        if (immediate()) {
            set(target);
            return;
        }
        const T current = currentValue();
        if (current == target) {
            // Already there: the target must become the end too, or a change
            // that was running would jump back to its old target.
            set(target);
            return;
        }
        start_ = current;
        end_ = target;
        begin(frames);
    }

protected:
    // The value now; the end when idle.
    virtual T currentValue() const = 0;

    T start_{};
    T end_{};
};
