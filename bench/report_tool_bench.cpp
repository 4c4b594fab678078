// vykpav-report against the library that writes what it reads, each the
// whole command as the program runs it (read, work, write the table):
//   - `summary` of the file of one report of N areas, side by side with
//     pokaz writing that report, at two sizes to show the growth;
//   - `compare` of two files of 30 reports of 1,000 areas each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "begun_timer.h"
#include "scratch_file.h"
#include "tools/report/commands.h"

namespace {

constexpr int kSmall = 100000, kLarge = 1000000;

Selvorin::VYK_PAV& timer(int areas) {
  static std::map<int, std::unique_ptr<Selvorin::VYK_PAV>> timers;
  std::unique_ptr<Selvorin::VYK_PAV>& timer = timers[areas];
  if (!timer) timer = make_begun_timer(static_cast<std::uint32_t>(areas));
  return *timer;
}

// The files the commands read, each written once when first asked for.
std::map<std::string, std::string> written_files;

const std::string& report_file(int areas) {
  const std::string key = "report-" + std::to_string(areas);
  std::string& file = written_files[key];
  if (file.empty()) {
    file = scratch_file(("vykpav-bench-tool-" + key).c_str());
    std::remove(file.c_str());
    timer(areas).pokaz(file.c_str());
  }
  return file;
}

// 30 reports of 1,000 areas, each of a timer of its own, so the times
// differ from run to run as a host's do.
const std::string& runs_file(const char* which) {
  std::string& file = written_files[which];
  if (file.empty()) {
    file = scratch_file((std::string("vykpav-bench-tool-") + which).c_str());
    std::remove(file.c_str());
    for (int run = 0; run < 30; ++run) make_begun_timer(1000)->pokaz(file.c_str());
  }
  return file;
}

std::FILE* nowhere() {
  static std::FILE* file = std::fopen("/dev/null", "w");
  return file;
}

// pokaz of the N areas into a named file, removed between reports.
void BM_Write(benchmark::State& state) {
  const int areas = static_cast<int>(state.range(0));
  Selvorin::VYK_PAV& written = timer(areas);
  const std::string file = scratch_file("vykpav-bench-tool-write");
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
    written.pokaz(file.c_str());
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_Write)
    ->Name("Tool/pokaz_writes")
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// `vykpav-report summary FILE` in a format, its output thrown away.
void BM_Summary(benchmark::State& state, vykpav::report::Format format) {
  const std::string& file = report_file(static_cast<int>(state.range(0)));
  vykpav::report::Options options;
  options.format = format;
  for (auto _ : state)
    if (vykpav::report::run_summary({file}, options, nowhere(), stderr) != 0)
      state.SkipWithError("the summary failed");
}
BENCHMARK_CAPTURE(BM_Summary, text, vykpav::report::Format::kText)
    ->Name("Tool/summary_reads/text")
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Summary, json, vykpav::report::Format::kJson)
    ->Name("Tool/summary_reads/json")
    ->Arg(kLarge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// `vykpav-report compare BEFORE AFTER`, the text table thrown away.
void BM_Compare(benchmark::State& state) {
  const std::string& before = runs_file("before");
  const std::string& after = runs_file("after");
  const vykpav::report::Options options;
  for (auto _ : state)
    if (vykpav::report::run_compare(before, after, options, nowhere(), stderr) != 0)
      state.SkipWithError("the comparison failed");
}
BENCHMARK(BM_Compare)
    ->Name("Tool/compare_reads/30x1000")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const auto& [key, file] : written_files) std::remove(file.c_str());
  return 0;
}
