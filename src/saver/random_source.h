#pragma once

#include <cstdint>

namespace almanix {

// The saver's one source of chance: uniform single-precision numbers in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint32_t value) = 0;
    virtual float next() = 0;
};

// floor(r * count) for a fresh draw r: a whole number in 0..count-1.
std::int32_t randomBelow(RandomSource& random, std::int32_t count);

// A small linear congruential generator; each draw carries 24 random bits,
// exactly what a float holds below 1.
class SeededRandom final : public RandomSource {
public:
    void seed(std::uint32_t value) override;
    float next() override;

private:
    std::uint32_t state_ = 0x50000u;
};

} // namespace almanix
