#include "timer/elapsed_time.h"

#include "base/compiler.h"
#include "number/u64.h"
#include "number/u64_rules.h"

namespace vykpav::timer {

using number::add_saturating;
using number::from_u64;
using number::multiply_saturating;
using number::to_u64;
using Selvorin::VYKNB64;

namespace {
constexpr std::uint32_t kMicrosecondsPerSecond = 1000000;
constexpr std::uint32_t kMillisecondsPerSecond = 1000;
}  // namespace

std::uint64_t wide_product_quotient_by_shifts(std::uint64_t a, std::uint32_t m,
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

std::uint64_t wide_product_quotient(std::uint64_t a, std::uint32_t m, std::uint64_t d) noexcept {
#if defined(VYKPAV_HAS_INT128)
  using base::uint128;
  return static_cast<std::uint64_t>(static_cast<uint128>(a) * m / d);
#else
  return wide_product_quotient_by_shifts(a, m, d);
#endif
}

UnitScale::UnitScale(std::uint64_t frequency, std::uint32_t units_per_second) noexcept
    : frequency_(frequency),
      units_per_second_(units_per_second),
      exact_(frequency % units_per_second == 0),
      divisor_(frequency / units_per_second) {}

std::uint64_t UnitScale::operator()(std::uint64_t ticks) const noexcept {
  // Counters of 10 MHz, 1 GHz and the like: one exact division. VYKNB64's
  // division, so a zero frequency (never a working timer's) keeps its rule.
  if (exact_) return number::quotient(ticks, divisor_);
  // Otherwise whole seconds and the remainder separately, so that nothing
  // overflows; the sum saturates like every VYKNB64 sum. Not exact means the
  // frequency is not 0.
  const std::uint64_t whole = multiply_saturating(ticks / frequency_, units_per_second_);
  const std::uint64_t part =
      wide_product_quotient(ticks % frequency_, units_per_second_, frequency_);
  return add_saturating(whole, part);
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
  time.seconds = from_u64(number::quotient(ticks, frequency_));
  return time;
}

}  // namespace vykpav::timer
