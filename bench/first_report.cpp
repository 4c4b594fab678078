// The first report of a process, as a host that reports once at its end
// makes it: the report's text and file are new, so the system's page faults
// for them add to the report's own work. The Google Benchmark figures are of
// repeated reports, which find that memory already mapped.
//
//   vykpav_first_report [areas]     (default 1000000)
//
// Prints the wall time of the first report and of a second one; the file is
// written in the system's temporary folder and removed.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "begun_timer.h"
#include "scratch_file.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint32_t count =
      argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 1000000;
  const auto timer = make_begun_timer(count);
  const std::string file = scratch_file("vykpav-first-report");
  double took[2];
  for (double& t : took) {
    std::remove(file.c_str());
    const auto start = std::chrono::steady_clock::now();
    timer->pokaz(file.c_str());
    t = seconds_since(start);
  }
  std::remove(file.c_str());
  std::printf("%u areas: first report %.0f ms, second %.0f ms\n", static_cast<unsigned>(count),
              took[0] * 1e3, took[1] * 1e3);
  return 0;
}
