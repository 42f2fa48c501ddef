// The meteors of the landscape: short streaks that fall across the sky, all
// from one radiant (right ascension and declination) or each in a random
// direction. In the radiant frame a streak lies on the unit cylinder around
// +z at (cos θ, sin θ, z) and falls towards -z, so that from the observer at
// the origin it runs away from the radiant.
//
// Streaks advance once per draw (not by elapsed time) and are respawned from
// the 15-bit generator when they die; their tables hold 64 entries, so any
// larger count draws 64.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Quaternion.h"
#include "engine/Random15.h"

class ShootingStars {
public:
    static constexpr int TableSize = 64;

    struct Streak {
        // Head and tail in the radiant frame; the head is the upper end.
        double head[3] = {0.0, 0.0, 0.0};
        double tail[3] = {0.0, 0.0, 0.0};
        // Draws left. Zeroed tables make every streak respawn on its first step.
        double life = 0.0;
        Quaternion rotation;
    };

    // Settings: any integer is kept as the count, 0 or less draws none.
    void setCount(int count) { count_ = count; }
    int getCount() const { return count_; }
    void setRandom(int on) { random_ = on; }
    int getRandom() const { return random_; }
    // The radiant in degrees; the rotation turns +z towards it. Leaves the
    // random switch alone (the command turns it off).
    void setCenter(double raDegrees, double decDegrees);
    double getCenterRa() const { return centerRa_; }
    double getCenterDec() const { return centerDec_; }
    const Quaternion& getRadiantRotation() const { return radiant_; }

    // The streaks drawn per call: the count bounded to the tables.
    int getDrawnCount() const;
    // Moves every drawn streak one step and respawns the dead ones.
    void advance();
    // advance, then draws each streak as a line from black at its head to
    // white at its tail, in the current GL frame (the star sphere's).
    void draw();

    const Streak& getStreak(int i) const { return streaks_[i]; }
    // Restarts the random sequence (tests, reproducible showers).
    void setSeed(std::uint64_t seed) { generator_.setSeed(seed); }

private:
    void respawn(Streak& s);

    int count_ = 8;
    int random_ = 1;
    double centerRa_ = 0.0;
    double centerDec_ = 0.0;
    // Identity: the radiant at +z until a centre is given.
    Quaternion radiant_;
    std::array<Streak, TableSize> streaks_{};
    Random15 generator_;
};
