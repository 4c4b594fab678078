// An area's elapsed time from its two readings: ticks, microseconds,
// milliseconds and seconds.
#ifndef VYKPAV_TIMER_ELAPSED_TIME_H
#define VYKPAV_TIMER_ELAPSED_TIME_H

#include <cstdint>

#include "number/u64.h"
#include "selvorin/vyknb64.h"
#include "timer/area_record.h"

namespace vykpav::timer {

struct ElapsedTime {
  Selvorin::VYKNB64 ticks;         // end - begin, 0 when the end is the earlier
  Selvorin::VYKNB64 microseconds;  // floor(ticks * 10^6 / frequency)
  Selvorin::VYKNB64 milliseconds;  // floor(ticks * 10^3 / frequency)
  Selvorin::VYKNB64 seconds;       // floor(ticks / frequency)
};

// end_ticks - start_ticks, 0 when the end is the earlier: VYKNB64's
// subtraction.
inline std::uint64_t elapsed_ticks(const VYS_BD& record) noexcept {
  const std::uint64_t end = number::to_u64(record.end_ticks);
  const std::uint64_t begin = number::to_u64(record.start_ticks);
  return end > begin ? end - begin : 0;
}

// floor(ticks * units_per_second / frequency) for a frequency above 0, exact
// at any frequency and saturating at 2^64 - 1. The one rule by which ticks
// become microseconds and milliseconds.
Selvorin::VYKNB64 ticks_to_units(const Selvorin::VYKNB64& ticks, const Selvorin::VYKNB64& frequency,
                                 std::uint32_t units_per_second);

// ticks_to_units for one frequency and unit, with what depends on them alone
// worked out once: a report converts every area's ticks by the same ones.
class UnitScale {
 public:
  UnitScale(std::uint64_t frequency, std::uint32_t units_per_second) noexcept;
  std::uint64_t operator()(std::uint64_t ticks) const noexcept;

 private:
  std::uint64_t frequency_;
  std::uint32_t units_per_second_;
  bool exact_;             // the frequency is a whole multiple of the unit
  std::uint64_t divisor_;  // frequency / units_per_second
};

// An area's elapsed time at one frequency, for many records.
class ElapsedScales {
 public:
  explicit ElapsedScales(const Selvorin::VYKNB64& frequency) noexcept;
  ElapsedTime operator()(const VYS_BD& record) const noexcept;
  std::uint64_t microseconds(std::uint64_t ticks) const noexcept { return microseconds_(ticks); }

 private:
  std::uint64_t frequency_;
  UnitScale microseconds_;
  UnitScale milliseconds_;
};

// floor(a * m / d) for a < d: the quotient of the 96-bit product, computed
// without overflow.
std::uint64_t wide_product_quotient(std::uint64_t a, std::uint32_t m, std::uint64_t d) noexcept;
// The same by shift and subtract, for targets without a 128-bit integer.
std::uint64_t wide_product_quotient_by_shifts(std::uint64_t a, std::uint32_t m,
                                              std::uint64_t d) noexcept;

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_ELAPSED_TIME_H
