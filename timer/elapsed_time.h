// An area's elapsed time from its two readings: ticks, microseconds,
// milliseconds and seconds.
#ifndef VYKPAV_TIMER_ELAPSED_TIME_H
#define VYKPAV_TIMER_ELAPSED_TIME_H

#include <cstdint>

#include "selvorin/vyknb64.h"
#include "timer/area_record.h"

namespace vykpav::timer {

struct ElapsedTime {
  Selvorin::VYKNB64 ticks;         // end - start, 0 when the end is the earlier
  Selvorin::VYKNB64 microseconds;  // floor(ticks * 10^6 / frequency)
  Selvorin::VYKNB64 milliseconds;  // floor(ticks * 10^3 / frequency)
  Selvorin::VYKNB64 seconds;       // floor(ticks / frequency)
};

ElapsedTime elapsed_time(const VYS_BD& record, const Selvorin::VYKNB64& frequency);

// floor(ticks * units_per_second / frequency) for a frequency above 0, exact
// at any frequency and saturating at 2^64 - 1. The one rule by which ticks
// become microseconds and milliseconds.
Selvorin::VYKNB64 ticks_to_units(const Selvorin::VYKNB64& ticks,
                                 const Selvorin::VYKNB64& frequency,
                                 std::uint32_t units_per_second);

// floor(a * m / d) for a < d, computed without overflow.
std::uint64_t multiply_divide(std::uint64_t a, std::uint32_t m, std::uint64_t d) noexcept;
// The same by shift and subtract, for targets without a 128-bit integer.
std::uint64_t multiply_divide_by_shifts(std::uint64_t a, std::uint32_t m,
                                        std::uint64_t d) noexcept;

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_ELAPSED_TIME_H
