// A small seedable generator of 15-bit random numbers (0 to 32767), the range
// the particle and shooting-star formulas are written for. Each user owns its
// own instance, so effects are reproducible from a seed (tests seed it) and
// nothing shares hidden global state.
#pragma once

#include <cstdint>

class Random15 {
public:
    static constexpr int Max = 32767;

    explicit Random15(std::uint64_t seed = 1) { setSeed(seed); }

    // Restarts the sequence; equal seeds give equal sequences.
    void setSeed(std::uint64_t seed);
    // The next number, 0 to Max inclusive.
    int next();
    // (next() - next()) / Max, the first draw minus the second: a spread in
    // -1 to 1 with a triangular distribution around 0.
    float spread();
    // next() / Max: uniform in 0 to 1.
    float unit();

private:
    std::uint64_t state_ = 0;
};
