#include "engine/Random15.h"

namespace {

// The multiplier scaling 0..Max into 0..1, as a float.
constexpr float inverseMax = 1.0f / float(Random15::Max);

} // namespace

void Random15::setSeed(std::uint64_t seed) {
    // splitmix64 spreads nearby seeds (0, 1, 2 ...) over the whole state, and
    // never leaves the xorshift state at 0, where it would stay.
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    state_ = z ^ (z >> 31);
    if (state_ == 0)
        state_ = 0x9E3779B97F4A7C15ull;
}

int Random15::next() {
    // xorshift64*: the top bits of the product are the well-mixed ones.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return int((state_ * 0x2545F4914F6CDD1Dull) >> 49);
}

float Random15::spread() {
    const int first = next();
    const int second = next();
    return float(first - second) * inverseMax;
}

float Random15::unit() {
    return float(next()) * inverseMax;
}
