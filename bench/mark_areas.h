// What the mark benchmarks share: sixteen areas named as a host would name
// them (5 to 15 bytes), the names of a host with many areas, a file text as
// long as the absolute paths CMake passes as __FILE__, and one bare reading
// of the library's clock.
#ifndef VYKPAV_BENCH_MARK_AREAS_H
#define VYKPAV_BENCH_MARK_AREAS_H

#include <cstdint>
#include <string>
#include <vector>

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

// `count` distinct names as a host that times every request type or every
// function of a script names them: one of the sixteen and a number ("parse 0",
// "lex tokens 0", ..., "checksum blocks 65535"), 7 to 23 bytes, in the order
// the host lists them, which is not the names' byte order.
inline std::vector<std::string> many_area_names(std::uint32_t count) {
  std::vector<std::string> names;
  names.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i)
    names.push_back(std::string(kAreas[i % 16]) + ' ' + std::to_string(i / 16));
  return names;
}

// Names laid out as a program's literals lie: one after another in one block,
// each with its zero byte, at addresses that never change.
struct LiteralNames {
  explicit LiteralNames(const std::vector<std::string>& names) {
    std::size_t bytes = 0;
    for (const std::string& name : names) bytes += name.size() + 1;
    block.reserve(bytes);
    for (const std::string& name : names)
      block.insert(block.end(), name.c_str(), name.c_str() + name.size() + 1);
    const char* at = block.data();
    for (const std::string& name : names) {
      pointers.push_back(at);
      at += name.size() + 1;
    }
  }
  std::vector<char> block;
  std::vector<const char*> pointers;
};

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
