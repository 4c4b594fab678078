// Independent models of the floating-point conversions: assignment by
// splitting the truncated value into two exactly representable 32-bit halves,
// conversion back by rounding the integer's bits by hand.
#ifndef VYKPAV_TESTS_SUPPORT_FLOAT_REFERENCE_H
#define VYKPAV_TESTS_SUPPORT_FLOAT_REFERENCE_H

#include <cfenv>
#include <cmath>
#include <cstdint>

#include "support/reference.h"

namespace reference {

// What assigning x gives, with `before` the value held beforehand (a NaN
// leaves it).
inline std::uint64_t assigned(long double x, std::uint64_t before) {
  if (std::isnan(x)) return before;
  if (x <= 0) return 0;
  if (x >= std::ldexp(1.0L, 64)) return ~std::uint64_t{0};
  const long double t = std::trunc(x);
  const long double hi = std::trunc(std::ldexp(t, -32));  // exact: power-of-two scaling
  const long double lo = t - std::ldexp(hi, 32);          // exact: below 2^32
  return (std::uint64_t(std::uint32_t(hi)) << 32) | std::uint32_t(lo);
}

// The integer u rounded to `digits` significant bits in the given rounding
// mode, returned as an exact long double.
inline long double rounded(std::uint64_t u, int digits, int mode) {
  int width = 0;
  for (std::uint64_t t = u; t != 0; t >>= 1) ++width;
  if (width <= digits)
    return std::ldexp((long double)(u >> 32), 32) + (long double)(u & 0xFFFFFFFFu);
  const int dropped = width - digits;
  std::uint64_t kept = u >> dropped;
  const std::uint64_t rest = u & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  bool up = false;
  switch (mode) {
    case FE_TONEAREST: up = rest > half || (rest == half && (kept & 1)); break;
    case FE_UPWARD: up = rest != 0; break;
    default: up = false; break;  // downward and toward zero agree for unsigned values
  }
  if (up) ++kept;  // may carry into one more bit: still exact in long double
  return std::ldexp((long double)kept, dropped);
}

// The four rounding modes, and one of them set for a scope.
inline const int kModes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};

class RoundingMode {
 public:
  explicit RoundingMode(int mode) : saved_(std::fegetround()) { std::fesetround(mode); }
  ~RoundingMode() { std::fesetround(saved_); }

 private:
  int saved_;
};

// What assigning x to a VYKNB64 holding `before` gives.
template <class Floating>
u64 assign(Floating x, u64 before) {
  Selvorin::VYKNB64 v = make(before);
  v = x;
  return value_of(v);
}

}  // namespace reference

#endif  // VYKPAV_TESTS_SUPPORT_FLOAT_REFERENCE_H
