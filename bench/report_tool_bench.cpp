// vykpav-report against the library that writes what it reads: summing up
// the file of one report of 10^6 areas, the whole command (read, sum up,
// write the table), side by side with pokaz writing that report.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "begun_timer.h"
#include "scratch_file.h"
#include "tools/report/commands.h"

namespace {

constexpr std::uint32_t kAreas = 1000000;

Selvorin::VYK_PAV& timer() {
  static const std::unique_ptr<Selvorin::VYK_PAV> timer = make_begun_timer(kAreas);
  return *timer;
}

// The report the summaries read, written once when first asked for.
std::string written_report;

const std::string& report_file() {
  if (written_report.empty()) {
    written_report = scratch_file("vykpav-bench-tool-input");
    std::remove(written_report.c_str());
    timer().pokaz(written_report.c_str());
  }
  return written_report;
}

// pokaz of the 10^6 areas into a named file, removed between reports.
void BM_Write(benchmark::State& state) {
  const std::string file = scratch_file("vykpav-bench-tool-write");
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
    timer().pokaz(file.c_str());
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_Write)->Name("Tool/pokaz_writes")->Unit(benchmark::kMillisecond)->UseRealTime();

// `vykpav-report summary FILE` in a format, its output thrown away.
void BM_Summary(benchmark::State& state, vykpav::report::Format format) {
  const std::string& file = report_file();
  std::FILE* nowhere = std::fopen("/dev/null", "w");
  vykpav::report::Options options;
  options.format = format;
  for (auto _ : state)
    if (vykpav::report::run_summary({file}, options, nowhere, stderr) != 0)
      state.SkipWithError("the summary failed");
  std::fclose(nowhere);
}
BENCHMARK_CAPTURE(BM_Summary, text, vykpav::report::Format::kText)
    ->Name("Tool/summary_reads/text")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Summary, json, vykpav::report::Format::kJson)
    ->Name("Tool/summary_reads/json")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!written_report.empty()) std::remove(written_report.c_str());
  return 0;
}
