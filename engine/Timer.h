// The simulation clock and the command class "Timer".
//
// Each frame the clock advances by the real time that passed times the step
// (simulated seconds per real second) times the speed factor. The "...To"
// commands move it to a new instant over a number of nominal frames instead;
// while a script runs with immediate transitions they jump at once. Times are
// taken and shown in UTC or in local standard time (the mode).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "engine/Base.h"
#include "engine/DateTime.h"

class Main;

class Timer : public Base {
public:
    enum Mode { Local = 0, Utc = 1 };

    // Year, month, day, hour, minute, second.
    using Fields = std::array<int, 6>;

    // |speed * step| never exceeds a year per real second when the speed is set.
    static constexpr double maxRate = 3.1536e9;
    // The steps StepPrev and StepNext move between: second, minute, hour,
    // day, 31-day month, 365-day year.
    static constexpr std::array<double, 6> stepLadder = {1, 60, 3600, 86400, 2678400, 31536000};

    // Registers "Timer" and its 41 command words with the owner; starts at
    // the system time with the local standard offset.
    explicit Timer(Main* owner);

    const char* getName() const override { return "Timer"; }
    int execute() override;
    std::string getValue() override;
    // Speed, step, mode and the UTC time: read back in this order they
    // restore the clock to the second.
    std::string saveStates() override;

    // Advances the clock by one frame of elapsedMs milliseconds; 0 advances it
    // by step * speed (the root passes 0 while its frame rate is negative).
    void update(unsigned elapsedMs);

    double getTime() const { return clock.get(); }
    // "2006/10/04 09:05:07" in the current mode.
    std::string getTimeText() const;
    // The camera holds the clock still during its mode changes.
    void hold() { holding = 1; }
    void release() { holding = 0; }
    void setMode(int value) { mode = value; }
    int getMode() const { return mode; }
    double getSpeed() const { return speed; }
    double getStep() const { return step; }
    bool isAnimating() const { return animating != 0; }
    // Speed factor, clamped to the maximum rate; ends a real-time request.
    void setSpeed(double value);
    // Jumps to the system time (whole seconds).
    void setNow();

    // Called with the new instant after every immediate change made while
    // transitions are immediate, so that a script sees the bodies move with
    // the clock at once (the root connects the solar system here).
    void setImmediateListener(std::function<void(double)> listener) {
        immediateListener = std::move(listener);
    }

    // The ladder's largest step below and smallest step above a step, wrapping
    // around at its ends.
    static double stepBelow(double step);
    static double stepAbove(double step);

private:
    Fields utcFields() const;
    // The fields of the current mode.
    Fields modeFields() const;
    // The instant of fields read as UTC, or as local time when inMode is set
    // and the mode is Local.
    double timeOfFields(const Fields& fields, bool inMode) const;

    // Arguments: the time text (the rest of the command), as six fields and
    // a frame count.
    std::array<int, 7> readTimeText();

    // Immediate changes of the instant. Each ends any animation and
    // real-time request and tells the listener (jumped).
    void jumpTo(double t);
    void setFields(const Fields& fields, bool inMode);
    void jumped();
    // A "...To" command: over `frames` nominal frames, or at once while
    // transitions are immediate (then through `immediate`).
    void animateTo(double target, int frames, const std::function<void()>& immediate);
    // Nominal frames of the current frame, as the root counts them.
    double frameStep() const;

    Main* owner;
    int mode = Local;
    DateTime clock;
    double targetTime = 0.0;
    double step = 3600.0;
    double speed = 1.0;
    int realtime = 0;
    int holding = 0;
    int animating = 0;
    double framesLeft = 0.0;
    double increment = 0.0;
    int lastElapsedMs = 0;
    std::function<void(double)> immediateListener;
};
