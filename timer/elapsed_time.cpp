#include "timer/elapsed_time.h"

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
#if defined(__SIZEOF_INT128__)
  __extension__ typedef unsigned __int128 u128;
  return static_cast<std::uint64_t>(static_cast<u128>(a) * m / d);
#else
  return multiply_divide_by_shifts(a, m, d);
#endif
}

VYKNB64 ticks_to_units(const VYKNB64& ticks, const VYKNB64& frequency,
                       std::uint32_t units_per_second) {
  // Counters of 10 MHz, 1 GHz and the like: one exact division.
  if (frequency % units_per_second == 0u) return ticks / (frequency / units_per_second);
  // Otherwise whole seconds and the remainder separately, so that nothing
  // overflows; the sum saturates like every VYKNB64 sum.
  const VYKNB64 whole = (ticks / frequency) * units_per_second;
  const VYKNB64 part =
      from_u64(multiply_divide(to_u64(ticks % frequency), units_per_second, to_u64(frequency)));
  return whole + part;
}

ElapsedTime elapsed_time(const VYS_BD& record, const VYKNB64& frequency) {
  ElapsedTime time;
  time.ticks = record.end_ticks - record.start_ticks;
  time.microseconds = ticks_to_units(time.ticks, frequency, kMicrosecondsPerSecond);
  time.milliseconds = ticks_to_units(time.ticks, frequency, kMillisecondsPerSecond);
  time.seconds = time.ticks / frequency;
  return time;
}

}  // namespace vykpav::timer
