#include "engine/Timer.h"

#include <cmath>
#include <cstdio>

#include "engine/Main.h"
#include "engine/Transition.h"

namespace {

// "2006/10/04 09:05:07": the year as it is, the other fields on two digits.
std::string formatDisplay(const Timer::Fields& f) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%i/%02i/%02i %02i:%02i:%02i", f[0], f[1], f[2], f[3],
                  f[4], f[5]);
    return buffer;
}

} // namespace

void Timer::update(unsigned elapsedMs) {
    lastElapsedMs = static_cast<int>(elapsedMs);
    if (holding)
        return;
    if (realtime) {
        setNow();
    } else if (animating) {
        const double d = frameStep();
        framesLeft -= d;
        if (framesLeft > 0) {
            clock.add(increment * d);
        } else {
            // Land exactly on the target, whatever the sum of the increments.
            animating = 0;
            clock.set(targetTime);
        }
    } else if (elapsedMs > 0) {
        clock.add(elapsedMs * step * speed * 0.001);
    } else {
        clock.add(speed * step);
    }
}

double Timer::frameStep() const {
    // The root has already counted this frame; before its first frame, or
    // with no time passed, a frame counts as one so that animations still end.
    const double d = owner ? owner->getFrameStep() : 0.0;
    return d > 0 ? d : 1.0;
}

std::string Timer::getTimeText() const {
    return formatDisplay(modeFields());
}

void Timer::setSpeed(double value) {
    if (std::isnan(value))
        return;
    speed = value;
    if (value * step > maxRate)
        speed = maxRate / step;
    else if (value * step < -maxRate)
        speed = -maxRate / step;
    realtime = 0;
}

void Timer::setNow() {
    clock.setNow();
    jumped();
}

double Timer::stepBelow(double current) {
    for (auto it = stepLadder.rbegin(); it != stepLadder.rend(); ++it)
        if (*it < current)
            return *it;
    return stepLadder.back();
}

double Timer::stepAbove(double current) {
    for (double s : stepLadder)
        if (s > current)
            return s;
    return stepLadder.front();
}

Timer::Fields Timer::utcFields() const {
    Fields f;
    clock.getUtc(f[0], f[1], f[2], f[3], f[4], f[5]);
    return f;
}

Timer::Fields Timer::modeFields() const {
    if (mode != Local)
        return utcFields();
    Fields f;
    clock.getLocal(f[0], f[1], f[2], f[3], f[4], f[5]);
    return f;
}

double Timer::timeOfFields(const Fields& f, bool inMode) const {
    const double utc = DateTime::fieldsToTime(f[0], f[1], f[2], f[3], f[4], f[5]);
    return inMode && mode == Local ? utc - clock.getOffset() : utc;
}

void Timer::jumpTo(double t) {
    clock.set(t);
    jumped();
}

void Timer::setFields(const Fields& f, bool inMode) {
    // Local fields are clamped as any instant; UTC fields are stored as they
    // convert, beyond the bounds if need be.
    if (inMode && mode == Local)
        clock.setLocal(f[0], f[1], f[2], f[3], f[4], f[5]);
    else
        clock.setUtc(f[0], f[1], f[2], f[3], f[4], f[5]);
    jumped();
}

void Timer::animateTo(double target, int frames, const std::function<void()>& immediate) {
    if (Transition::getGlobalMode() == Transition::Immediate) {
        immediate();
        return;
    }
    if (frames <= 0)
        frames = 1;
    targetTime = target;
    framesLeft = frames;
    increment = (target - clock.get()) / frames;
    animating = 1;
    realtime = 0;
}

void Timer::jumped() {
    animating = 0;
    realtime = 0;
    // A script running all at once must see the bodies where the new time puts them.
    if (immediateListener && Transition::getGlobalMode() == Transition::Immediate)
        immediateListener(clock.get());
}
