#include "timer/elapsed_time.h"

#include "number/compiler.h"
#include "number/u64.h"

namespace vykpav::timer {

using number::from_u64;
using number::to_u64;
using Selvorin::VYKNB64;

namespace {
constexpr std::uint32_t kMicrosecondsPerSecond = 1000000;
constexpr std::uint32_t kMillisecondsPerSecond = 1000;
}  // namespace

std::uint64_t multiply_divide_by_shifts(std::uint64_t a, std::uint32_t m,
                                        std::uint64_t d) noexcept {
  // The 96-bit product a * m as high:low words of 64 bits.
  const std::uint64_t low_part = (a & 0xFFFFFFFFu) * m;
  const std::uint64_t high_part = (a >> 32) * m;
  const std::uint64_t low = low_part + (high_part << 32);
  std::uint64_t remainder = (high_part >> 32) + (low < low_part ? 1 : 0);  // below d, as a < d
  // Long division of high:low by d, one bit of the low word at a time.
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    const bool overflow = (remainder >> 63) != 0;
    remainder = (remainder << 1) | ((low >> bit) & 1u);
    quotient <<= 1;
    if (overflow || remainder >= d) {
      remainder -= d;
      quotient |= 1u;
    }
  }
  return quotient;
}

std::uint64_t multiply_divide(std::uint64_t a, std::uint32_t m, std::uint64_t d) noexcept {
#if defined(VYKPAV_HAS_INT128)
  using compiler::uint128;
  return static_cast<std::uint64_t>(static_cast<uint128>(a) * m / d);
#else
  return multiply_divide_by_shifts(a, m, d);
#endif
}

namespace {

// VYKNB64's division on native values: a zero divisor yields the dividend,
// and 0 / 0 yields 1. Working timers never have a zero frequency; this only
// keeps the rule where one is passed in.
inline std::uint64_t quotient(std::uint64_t a, std::uint64_t d) noexcept {
  if (d == 0) return a == 0 ? 1 : a;
  return a / d;
}

}  // namespace

UnitScale::UnitScale(std::uint64_t frequency, std::uint32_t units_per_second) noexcept
    : frequency_(frequency),
      units_per_second_(units_per_second),
      exact_(frequency % units_per_second == 0),
      divisor_(frequency / units_per_second) {}

std::uint64_t UnitScale::operator()(std::uint64_t ticks) const noexcept {
  // Counters of 10 MHz, 1 GHz and the like: one exact division.
  if (exact_) return quotient(ticks, divisor_);
  // Otherwise whole seconds and the remainder separately, so that nothing
  // overflows; the sum saturates like every VYKNB64 sum. Not exact means the
  // frequency is not 0.
  std::uint64_t whole, sum;
  if (__builtin_mul_overflow(ticks / frequency_, std::uint64_t{units_per_second_}, &whole))
    return ~std::uint64_t{0};
  const std::uint64_t part = multiply_divide(ticks % frequency_, units_per_second_, frequency_);
  return __builtin_add_overflow(whole, part, &sum) ? ~std::uint64_t{0} : sum;
}

VYKNB64 ticks_to_units(const VYKNB64& ticks, const VYKNB64& frequency,
                       std::uint32_t units_per_second) {
  return from_u64(UnitScale(to_u64(frequency), units_per_second)(to_u64(ticks)));
}

ElapsedScales::ElapsedScales(const VYKNB64& frequency) noexcept
    : frequency_(to_u64(frequency)),
      microseconds_(frequency_, kMicrosecondsPerSecond),
      milliseconds_(frequency_, kMillisecondsPerSecond) {}

ElapsedTime ElapsedScales::operator()(const VYS_BD& record) const noexcept {
  const std::uint64_t ticks = elapsed_ticks(record);
  ElapsedTime time;
  time.ticks = from_u64(ticks);
  time.microseconds = from_u64(microseconds_(ticks));
  time.milliseconds = from_u64(milliseconds_(ticks));
  time.seconds = from_u64(quotient(ticks, frequency_));
  return time;
}

}  // namespace vykpav::timer
