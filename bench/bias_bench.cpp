// The bias of the marks: the ticks an area records when nothing at all runs
// between its begin and its end, against the difference of two back-to-back
// bare readings of the same clock. The first holds one clock reading plus
// whatever of the two marks lies between their readings (the return from the
// begin, the entry, guards and lookup of the end); the second holds one
// clock reading alone.
//
// Each benchmark keeps every sample of its run and reports their median and
// a trimmed mean as counters (ticks are nanoseconds on this system). The
// marks are called through functions that are never inlined, as a host calls
// the library's exported ones.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/compiler.h"
#include "number/u64.h"
#include "platform/platform.h"
#include "timer/timer.h"

#include "mark_areas.h"

namespace {

using vykpav::number::to_u64;
using vykpav::timer::Timer;
using vykpav::timer::VYS_BD;

VYKPAV_NOINLINE void begin_mark(Timer& timer, const char* area, const char* file, int line) {
  timer.begin(area, file, line);
}
VYKPAV_NOINLINE void end_mark(Timer& timer, const char* area, const char* file, int line) {
  timer.end(area, file, line);
}

// The median of the samples, and their mean below the 99th percentile. The
// clock of some systems (this project's virtual machines among them) moves
// in steps of several ticks, so a median can only take a few values; the
// mean of the same samples is not so coarse, as the steps fall at random
// places of the spans. The top percent holds the spans that an interrupt
// or another thread broke into, which would pull the mean off.
void summarise(benchmark::State& state, std::vector<std::uint64_t>& samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  state.counters["median_ticks"] = static_cast<double>(samples[samples.size() / 2]);
  const std::size_t kept = samples.size() - samples.size() / 100;
  double sum = 0;
  for (std::size_t i = 0; i < kept; ++i) sum += static_cast<double>(samples[i]);
  state.counters["mean_ticks"] = sum / static_cast<double>(kept);
}

void BM_BareReadDifference(benchmark::State& state) {
  std::vector<std::uint64_t> samples;
  samples.reserve(static_cast<std::size_t>(state.max_iterations));
  for (auto _ : state) {
    const std::uint64_t first = clock_ticks();
    const std::uint64_t second = clock_ticks();
    samples.push_back(second - first);
  }
  summarise(state, samples);
}
BENCHMARK(BM_BareReadDifference)->Name("Bias/bare_read_difference");

// The least that any mark called as a function can add to a reading: the
// return from one call after its reading and the entry of the next before
// its own, with no guards and no lookup between them. No mark called as a
// function can have a lower bias than this.
struct Readings {
  std::uint64_t start = 0;
  std::uint64_t end = 0;
};
VYKPAV_NOINLINE void read_start(Readings& readings) { readings.start = clock_ticks(); }
VYKPAV_NOINLINE void read_end(Readings& readings) { readings.end = clock_ticks(); }

void BM_CallFloorTicks(benchmark::State& state) {
  Readings readings;
  std::vector<std::uint64_t> samples;
  samples.reserve(static_cast<std::size_t>(state.max_iterations));
  for (auto _ : state) {
    read_start(readings);
    read_end(readings);
    samples.push_back(readings.end - readings.start);
  }
  summarise(state, samples);
}
BENCHMARK(BM_CallFloorTicks)->Name("Bias/call_floor_ticks");

// The first `Areas` of the sixteen areas taken in turn.
template <unsigned Areas>
void empty_area_ticks(benchmark::State& state) {
  static_assert(Areas >= 1 && Areas <= 16 && (Areas & (Areas - 1)) == 0);
  Timer timer(16, kAreas, vykpav::platform::system_platform());
  const VYS_BD* records[16];
  for (int i = 0; i < 16; ++i) {
    for (const auto& area : timer.area_table()->areas())
      if (area.name == kAreas[i]) records[i] = &area.record;
  }
  std::vector<std::uint64_t> samples;
  samples.reserve(static_cast<std::size_t>(state.max_iterations));
  unsigned i = 0;
  for (auto _ : state) {
    const unsigned k = i++ & (Areas - 1);
    begin_mark(timer, kAreas[k], __FILE__, __LINE__);
    end_mark(timer, kAreas[k], __FILE__, __LINE__);
    samples.push_back(to_u64(records[k]->end_ticks) - to_u64(records[k]->start_ticks));
  }
  summarise(state, samples);
}

void BM_EmptyAreaTicks(benchmark::State& state) { empty_area_ticks<16>(state); }
BENCHMARK(BM_EmptyAreaTicks)->Name("Bias/empty_area_ticks");

void BM_EmptyAreaTicksOneArea(benchmark::State& state) { empty_area_ticks<1>(state); }
BENCHMARK(BM_EmptyAreaTicksOneArea)->Name("Bias/empty_area_ticks_one_area");

}  // namespace

BENCHMARK_MAIN();
