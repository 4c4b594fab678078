// The report files the command-line tests and the chart check run the tool
// on, written by the library through the fake platform, so every figure in
// them is known.
#ifndef VYKPAV_TESTS_SUPPORT_SAMPLE_REPORTS_H
#define VYKPAV_TESTS_SUPPORT_SAMPLE_REPORTS_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/host_runs.h"

namespace report_testing {

// cp1251 for "Разбор".
inline const std::string kRussianName = "\xD0\xE0\xE7\xE1\xEE\xF0";

// Five runs (English and Russian reports in turn) of three areas, at 10 MHz:
// microseconds are ticks / 10.
//   parse        990 995 1000 1005 1010
//   solve, "q"   4800 4900 5000 5100 5200
//   Разбор       20 21 22 23 24
inline void write_before(const std::string& path) {
  const std::uint64_t parse[] = {1000, 1010, 990, 1005, 995};
  const std::uint64_t solve[] = {5000, 5200, 4800, 5100, 4900};
  std::remove(path.c_str());
  for (int run = 0; run < 5; ++run)
    append_report(path, {{{"parse", parse[run] * 10},
                          {"solve, \"q\"", solve[run] * 10},
                          {kRussianName, (20 + static_cast<std::uint64_t>(run)) * 10}},
                         run % 2 == 0 ? Language::English : Language::Russian});
}

// Five runs after a change: parse halved, solve interleaved with before's,
// Разбор gone, emit new.
//   parse        490 495 500 505 510
//   solve, "q"   4850 4950 5050 5150 5250
//   emit         70 71 72 73 74
inline void write_after(const std::string& path) {
  const std::uint64_t parse[] = {500, 510, 490, 505, 495};
  const std::uint64_t solve[] = {4950, 5150, 4850, 5050, 5250};
  std::remove(path.c_str());
  for (int run = 0; run < 5; ++run)
    append_report(path, {{{"parse", parse[run] * 10},
                          {"solve, \"q\"", solve[run] * 10},
                          {"emit", (70 + static_cast<std::uint64_t>(run)) * 10}},
                         run % 2 == 0 ? Language::Russian : Language::English});
}

// Two reports, the second cut short inside its second block.
inline void write_cut_short(const std::string& path) {
  const HostRun run{{{"parse", 12340}, {"solve, \"q\"", 56780}}, Language::English};
  const std::string first = report_text(run, path);
  const std::string second = report_text(run, path);
  const std::string text = first + second.substr(0, second.find("solve, \"q\"") + 4);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

// `areas` areas over five runs, before or after a change that makes every
// third area faster and every fifth slower; times from 5 µs to about a
// second, so the chart's axis is logarithmic.
inline void write_many(const std::string& path, int areas, bool after) {
  std::remove(path.c_str());
  for (int run = 0; run < 5; ++run) {
    HostRun host;
    for (int i = 0; i < areas; ++i) {
      double us = 5.0 * std::pow(1.0 + 200000.0, static_cast<double>(i) / std::max(1, areas - 1));
      if (after && i % 3 == 0) us *= 0.6;
      if (after && i % 5 == 0) us *= 1.5;
      us *= 1.0 + 0.02 * ((run * 7 + i) % 5 - 2);  // spread between runs
      const std::string name = i % 7 == 3 ? "area " + std::to_string(i) + ": a longer name of it"
                                          : "area " + std::to_string(i);
      host.areas.push_back({name, static_cast<std::uint64_t>(us * 10)});
    }
    append_report(path, host);
  }
}

}  // namespace report_testing

#endif  // VYKPAV_TESTS_SUPPORT_SAMPLE_REPORTS_H
