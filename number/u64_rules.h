// VYKNB64's arithmetic rules on native 64-bit values, each in one place: the
// number's operators and the timer's conversion of ticks both use them.
#ifndef VYKPAV_NUMBER_U64_RULES_H
#define VYKPAV_NUMBER_U64_RULES_H

#include <cstdint>

#include "base/compiler.h"
#include "number/u64.h"

namespace vykpav::number {

// Sums and products stop at 2^64 - 1, differences at 0. The carry, borrow or
// overflow of the operation itself decides: no separate comparison.
inline std::uint64_t add_saturating(std::uint64_t a, std::uint64_t b) noexcept {
  std::uint64_t sum;
  return base::add_overflows(a, b, sum) ? kMax64 : sum;
}
inline std::uint64_t subtract_saturating(std::uint64_t a, std::uint64_t b) noexcept {
  std::uint64_t difference;
  return base::subtract_overflows(a, b, difference) ? 0 : difference;
}
inline std::uint64_t multiply_saturating(std::uint64_t a, std::uint64_t b) noexcept {
  std::uint64_t product;
  return base::multiply_overflows(a, b, product) ? kMax64 : product;
}

// A zero divisor yields the dividend, except that 0 / 0 yields 1: equal
// operands give the quotient 1 before the zero divisor is considered.
inline std::uint64_t quotient(std::uint64_t a, std::uint64_t d) noexcept {
  if (d == 0) return a == 0 ? 1 : a;
  return a / d;
}
inline std::uint64_t remainder(std::uint64_t a, std::uint64_t d) noexcept {
  return d == 0 ? a : a % d;
}

}  // namespace vykpav::number

#endif  // VYKPAV_NUMBER_U64_RULES_H
