#pragma once

#include <cmath>

namespace almanix {

// To the nearest whole number, halves to the even neighbour: the rounding of
// every real value the program stores into a whole number.
inline double roundHalfToEven(double value) { return std::nearbyint(value); }

} // namespace almanix
