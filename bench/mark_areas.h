// What the mark benchmarks share: sixteen areas named as a host would name
// them (5 to 15 bytes), a file text as long as the absolute paths CMake
// passes as __FILE__, and one bare reading of the library's clock.
#ifndef VYKPAV_BENCH_MARK_AREAS_H
#define VYKPAV_BENCH_MARK_AREAS_H

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

inline const char* kAreas[16] = {
    "parse",           "lex tokens",     "resolve names", "type check",
    "lower",           "optimise loops", "inline calls",  "allocate regs",
    "schedule",        "emit code",      "link objects",  "write output",
    "hash table load", "sort results",   "compress",      "checksum blocks"};

// 100 bytes, as deep in a source tree as a host's files may lie.
inline constexpr char kLongFile[] =
    "/home/builder/projects/signal-processing/modules/spectral-analysis/src/filters/"
    "windowing_kernels.cpp";
static_assert(sizeof kLongFile == 101, "100 bytes and the zero byte");

// One reading of the counter the library reads on this system, the way its
// provider reads it but without the call through the provider.
inline std::uint64_t clock_ticks() {
#if defined(_WIN32)
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<std::uint64_t>(now.QuadPart);
#else
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
         static_cast<std::uint64_t>(now.tv_nsec);
#endif
}

#endif  // VYKPAV_BENCH_MARK_AREAS_H
