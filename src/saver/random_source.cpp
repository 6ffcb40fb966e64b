#include "saver/random_source.h"

#include <cmath>

namespace almanix {

std::int32_t randomBelow(RandomSource& random, std::int32_t count) {
    // In double, so that a draw just below 1 times a large count stays below it.
    return static_cast<std::int32_t>(std::floor(static_cast<double>(random.next()) * count));
}

void SeededRandom::seed(std::uint32_t value) {
    // Mixed first, so that starts a second apart do not begin with nearly equal draws.
    value ^= value >> 16;
    value *= 0x85EBCA6Bu;
    value ^= value >> 13;
    value *= 0xC2B2AE35u;
    value ^= value >> 16;
    state_ = value;
}

float SeededRandom::next() {
    // Numerical Recipes' constants; the top 24 bits are the best mixed.
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
}

} // namespace almanix
