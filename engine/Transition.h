// A value that is set at once or moved to a target over a number of nominal
// frames (the frame-rate setting's frames, whatever the real frame rate).
// Every transition registers itself in one global list; those that run are
// also on a list of running ones, which the root ticks once per frame, so
// that thousands of idle transitions cost nothing a frame. A global immediate mode makes every
// start reach its target at once, so that a script run all at once ends in its exact state.
//
// Owners embed transitions as members; the list does not own them. Copies
// register themselves as transitions of their own.
#pragma once

#include <cstddef>

class Transition {
public:
    // Modes: Run animates; Immediate jumps to targets and ignores ticks.
    static constexpr int Run = 0;
    static constexpr int Immediate = 2;

    virtual ~Transition();

    // Advances a running transition by dt nominal frames (only in mode Run);
    // reaching the duration ends it exactly at its target.
    virtual void tick(double dt);
    bool isRunning() const { return elapsed_ >= 0.0; }
    void setMode(int mode) { mode_ = mode; }
    int getMode() const { return mode_; }

    // Ticks every running transition, including any started during the pass.
    static void tickAll(double dt);
    // Sets the mode of every transition and of those created later.
    static void setGlobalMode(int mode);
    static int getGlobalMode();
    // Length of the global list (destroyed transitions leave empty entries).
    static std::size_t registeredCount();
    // Length of the list of running transitions.
    static std::size_t runningCount();

protected:
    Transition();
    Transition(const Transition& other);
    Transition& operator=(const Transition& other);

    bool immediate() const { return mode_ == Immediate; }
    // Starts running over the given frames (0 or fewer count as 1).
    void begin(int frames);
    void stop() { elapsed_ = -1.0; }
    // How far the running transition has come, 0 to 1.
    double fraction() const { return elapsed_ / duration_; }

private:
    void enrol();
    // Puts a running transition on the running list (once).
    void enrolRunning();

    static constexpr std::size_t notRunning = std::size_t(-1);
    std::size_t index_ = 0;
    std::size_t runningIndex_ = notRunning;
    int mode_ = Run;
    double elapsed_ = -1.0; // -1: idle
    double duration_ = 1.0;
};
