// The report of N begun areas in its three phases, timed apart on the
// internal timer: ordering the areas, composing the text, writing the file.
// The first two are the library's own work; the third is the system's copy
// of the text into its file, which grows with the text alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "report_sizes.h"
#include "scratch_file.h"
#include "timer/report_buffer.h"
#include "timer/report_composer.h"
#include "timer/report_file.h"
#include "timer/timer.h"

namespace {

using vykpav::timer::Timer;

// Built as the report benchmarks of vykpav_bench build theirs: all begun in
// name order, ended in a shuffled order.
Timer& begun_timer(std::uint32_t count) {
  static std::map<std::uint32_t, std::unique_ptr<Timer>> timers;
  std::unique_ptr<Timer>& timer = timers[count];
  if (timer) return *timer;
  std::vector<std::string> names(count);
  std::vector<const char*> pointers(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "area %07u", static_cast<unsigned>(i));
    names[i] = name;
    pointers[i] = names[i].c_str();
  }
  timer = std::make_unique<Timer>(count, pointers.data(), vykpav::platform::system_platform());
  for (const char* name : pointers) timer->begin(name, __FILE__, __LINE__);
  std::shuffle(pointers.begin(), pointers.end(), std::mt19937(count));
  for (const char* name : pointers) timer->end(name, __FILE__, __LINE__);
  return *timer;
}

void set_per_area(benchmark::State& state, std::uint32_t count) {
  state.counters["per_area"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_Order(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Timer& timer = begun_timer(count);
  for (auto _ : state) {
    benchmark::DoNotOptimize(vykpav::timer::order_areas(*timer.area_table(), timer.frequency()));
  }
  set_per_area(state, count);
}

// In pieces, as a report composes its text; the pieces go nowhere.
void BM_Compose(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Timer& timer = begun_timer(count);
  const auto ordered = vykpav::timer::order_areas(*timer.area_table(), timer.frequency());
  vykpav::timer::LockedReportBuffer buffer;
  for (auto _ : state) {
    vykpav::timer::compose_report(
        buffer.text(),
        {timer.frequency(), vykpav::timer::Language::English, "08.12.2026", "14:35:07"}, ordered,
        vykpav::timer::kReportPiece,
        [](std::string_view piece) { benchmark::DoNotOptimize(piece.data()); });
    benchmark::DoNotOptimize(buffer.text().data());
  }
  set_per_area(state, count);
}

void BM_WriteFile(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Timer& timer = begun_timer(count);
  std::string text;
  vykpav::timer::compose_report(
      text, {timer.frequency(), vykpav::timer::Language::English, "08.12.2026", "14:35:07"},
      vykpav::timer::order_areas(*timer.area_table(), timer.frequency()));
  const std::string file = scratch_file("vykpav-bench-phases");
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
    vykpav::timer::ReportFile(file.c_str()).write(text);
  }
  std::remove(file.c_str());
  set_per_area(state, count);
}

BENCHMARK(BM_Order)->Name("Report/order")->Apply(report_sizes);
BENCHMARK(BM_Compose)->Name("Report/compose")->Apply(report_sizes);
BENCHMARK(BM_WriteFile)->Name("Report/write_file")->Apply(report_sizes);

}  // namespace

BENCHMARK_MAIN();
