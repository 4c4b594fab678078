// The timer through the shared library, as a host uses it: the cost a
// begin+end pair adds to what it measures, against two bare readings of the
// clock the library reads; and the report of many begun areas.
#include <benchmark/benchmark.h>

#include <time.h>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <selvorin/vyk_pav.h>

#include "begun_timer.h"
#include "mark_areas.h"
#include "report_sizes.h"
#include "scratch_file.h"

namespace {

void BM_TwoBareClockReads(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(clock_ticks());
    benchmark::DoNotOptimize(clock_ticks());
  }
}
BENCHMARK(BM_TwoBareClockReads)->Name("Timer/pair/two_bare_clock_reads");

void BM_BeginEndPair(benchmark::State& state) {
  Selvorin::VYK_PAV timer(16, kAreas);
  unsigned i = 0;
  for (auto _ : state) {
    const char* area = kAreas[i++ & 15];
    timer._nachalo(area, __FILE__, __LINE__);
    timer._konec(area, __FILE__, __LINE__);
  }
}
BENCHMARK(BM_BeginEndPair)->Name("Timer/pair/begin_end");

// Kept for the whole run: building the largest takes longer than its report.
Selvorin::VYK_PAV& begun_timer(std::uint32_t count) {
  static std::map<std::uint32_t, std::unique_ptr<Selvorin::VYK_PAV>> timers;
  std::unique_ptr<Selvorin::VYK_PAV>& timer = timers[count];
  if (!timer) timer = make_begun_timer(count);
  return *timer;
}

// The whole report, its file included. The file is named, so each report
// appends: it is removed between reports, outside the timed part.
void BM_Report(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Selvorin::VYK_PAV& timer = begun_timer(count);
  const std::string file = scratch_file("vykpav-bench-report");
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
    timer.pokaz(file.c_str());
  }
  std::remove(file.c_str());
  state.counters["per_area"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_Report)->Name("Timer/report")->Apply(report_sizes);

}  // namespace

BENCHMARK_MAIN();
