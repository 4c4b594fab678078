// One reading of the system's high-resolution counter, the one the system
// provider's counter_ticks returns, for callers that read it without going
// through a provider: a timer's marks, which should cost what a bare reading
// costs.
#ifndef VYKPAV_PLATFORM_SYSTEM_COUNTER_H
#define VYKPAV_PLATFORM_SYSTEM_COUNTER_H

#include <cstdint>

#if !defined(_WIN32)
#include <time.h>  // clock_gettime
#endif

namespace vykpav::platform {

#if defined(_WIN32)
// QueryPerformanceCounter, in win32_platform.cpp: kept out of <windows.h>'s
// reach here, and a direct call costs little beside the counter's own.
std::uint64_t system_counter_ticks() noexcept;
#else
// The monotonic clock in nanoseconds, inline: the caller calls the C library
// itself, as a bare reading does.
inline std::uint64_t system_counter_ticks() noexcept {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
         static_cast<std::uint64_t>(now.tv_nsec);
}
#endif

}  // namespace vykpav::platform

#endif  // VYKPAV_PLATFORM_SYSTEM_COUNTER_H
