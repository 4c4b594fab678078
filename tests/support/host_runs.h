// Reports as the library writes them: a timer on the fake platform, its
// areas begun and ended at chosen counter readings, its report appended to a
// file or returned as text.
#ifndef VYKPAV_TESTS_SUPPORT_HOST_RUNS_H
#define VYKPAV_TESTS_SUPPORT_HOST_RUNS_H

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "timer/messages.h"
#include "timer/timer.h"

namespace report_testing {

using vykpav::timer::Language;

struct HostArea {
  std::string name;
  std::uint64_t ticks;  // from begin to end
  std::string start_file = "host.cpp";
  int start_line = 10;
  std::string end_file = "host.cpp";
  int end_line = 20;
  bool ended = true;
};

struct HostRun {
  std::vector<HostArea> areas;
  Language language = Language::English;
  std::uint64_t frequency = 10000000;
};

inline std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Appends the run's report to `path`, through the library's own report.
inline void append_report(const std::string& path, const HostRun& run) {
  testing_support::FakePlatform fake;
  fake.frequency = run.frequency;
  fake.language_id =
      run.language == Language::Russian ? testing_support::kRussian : testing_support::kEnglishUs;
  std::vector<const char*> names;
  for (const HostArea& area : run.areas) names.push_back(area.name.c_str());
  vykpav::timer::Timer timer(static_cast<std::uint32_t>(names.size()), names.data(), fake);
  for (const HostArea& area : run.areas) {
    fake.now = 1000;
    timer.begin(area.name.c_str(), area.start_file.c_str(), area.start_line);
    if (!area.ended) continue;
    fake.now = 1000 + area.ticks;
    timer.end(area.name.c_str(), area.end_file.c_str(), area.end_line);
  }
  timer.report(path.c_str());
}

// The report's bytes alone.
inline std::string report_text(const HostRun& run, const std::string& scratch) {
  std::remove(scratch.c_str());
  append_report(scratch, run);
  std::string text = file_text(scratch);
  std::remove(scratch.c_str());
  return text;
}

}  // namespace report_testing

#endif  // VYKPAV_TESTS_SUPPORT_HOST_RUNS_H
