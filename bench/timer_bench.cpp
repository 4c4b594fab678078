// The cost a timer adds to what it measures: a begin+end pair against two
// bare readings of the clock the library uses.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdint>
#include <string>
#include <vector>

#include <selvorin/vyk_pav.h>

namespace {

// Sixteen areas, names of 5 to 15 bytes, as a host would name them.
const char* const kAreas[16] = {
    "parse",           "lex tokens",     "resolve names", "type check",
    "lower",           "optimise loops", "inline calls",  "allocate regs",
    "schedule",        "emit code",      "link objects",  "write output",
    "hash table load", "sort results",   "compress",      "checksum blocks"};

std::uint64_t clock_ticks() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

void BM_TwoBareClockReads(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(clock_ticks());
    benchmark::DoNotOptimize(clock_ticks());
  }
}
BENCHMARK(BM_TwoBareClockReads);

void BM_BeginEndPair(benchmark::State& state) {
  Selvorin::VYK_PAV timer(16, const_cast<const char**>(kAreas));
  unsigned i = 0;
  for (auto _ : state) {
    const char* area = kAreas[i++ & 15];
    timer._nachalo(area, __FILE__, __LINE__);
    timer._konec(area, __FILE__, __LINE__);
  }
}
BENCHMARK(BM_BeginEndPair);

}  // namespace

BENCHMARK_MAIN();
