// Timers on several threads at once, as a host of the shared library uses
// them on the system's own clock, language, date and time: each thread makes
// a timer of its own, marks its areas and reports them to a file of its own,
// to one file that every thread appends to, and to the default file, all at
// the same time. The reports share the library's one report buffer; none may
// lose its text to another's or take in part of one. The tsan preset runs
// this under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "selvorin/vyk_pav.h"
#include "support/report_lines.h"
#include "support/scratch_directory.h"

namespace {

using testing_support::read_file;
using testing_support::report_lines;
using testing_support::ScratchDirectory;

constexpr int kThreads = 4;
constexpr int kAreas = 3;
constexpr int kRounds = 25;
const std::string kNotice = "Selvorin VYK_PAV code area timer";
const char* const kSharedFile = "shared.txt";

std::string area_name(int thread, int area) {
  return "thread " + std::to_string(thread) + " area " + std::to_string(area);
}
std::string file_text(int thread) { return "thread-" + std::to_string(thread) + ".cpp"; }
std::string own_file(int thread) { return "thread-" + std::to_string(thread) + ".txt"; }

// One thread's work: a timer made, marked and reported kRounds times, then
// destroyed, all while the other threads do the same.
void run_timer(int thread, const std::atomic<bool>& go) {
  std::vector<std::string> names;
  for (int area = 0; area < kAreas; ++area) names.push_back(area_name(thread, area));
  std::vector<const char*> pointers;
  for (const std::string& name : names) pointers.push_back(name.c_str());
  const std::string file = file_text(thread), own = own_file(thread);
  while (!go.load()) std::this_thread::yield();

  Selvorin::VYK_PAV timer(kAreas, pointers.data());
  for (int round = 0; round < kRounds; ++round) {
    for (int area = 0; area < kAreas; ++area) {
      timer._nachalo(pointers[area], file.c_str(), 10 * area + 1);
      timer._konec(pointers[area], file.c_str(), 10 * area + 2);
    }
    timer.pokaz(own.c_str());
    timer.pokaz(kSharedFile);
    timer.pokaz(nullptr);
  }
}

// The whole reports in `text`, one after another: each begins with CR LF
// and ends with the notice, and nothing is left over.
std::vector<std::string> split_reports(const std::string& text) {
  std::vector<std::string> reports;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(kNotice, from)) != std::string::npos;) {
    reports.push_back(text.substr(from, at + kNotice.size() - from));
    from = at + kNotice.size();
  }
  EXPECT_EQ(from, text.size()) << "text after the last notice";
  return reports;
}

// The thread whose timer wrote `report`, or -1 when it is not one whole
// report of one timer: the header, then one block for each of that timer's
// areas, each block's file texts that thread's, and the closing.
int reporting_thread(const std::string& report) {
  const std::vector<std::string> lines = report_lines(report);
  if (lines.size() != 4 + 6 * kAreas + 3 || !lines[0].empty() || !lines[3].empty() ||
      lines.back() != kNotice)
    return -1;
  std::set<std::string> names;
  std::set<std::string> files;
  for (int block = 0; block < kAreas; ++block) {
    const std::string& head = lines[4 + 6 * block];
    const std::size_t from = head.find(": __________ ");
    const std::size_t to = head.rfind(" __________");
    if (from == std::string::npos || to == std::string::npos || to < from + 13) return -1;
    names.insert(head.substr(from + 13, to - from - 13));
    for (int position : {3, 4}) {
      const std::string& line = lines[4 + 6 * block + position];
      const std::size_t open = line.find('"'), close = line.rfind('"');
      if (open == std::string::npos || close <= open) return -1;
      files.insert(line.substr(open + 1, close - open - 1));
    }
    if (!lines[4 + 6 * block + 5].empty()) return -1;
  }
  for (int thread = 0; thread < kThreads; ++thread) {
    std::set<std::string> expected;
    for (int area = 0; area < kAreas; ++area) expected.insert(area_name(thread, area));
    if (names == expected && files == std::set<std::string>{file_text(thread)}) return thread;
  }
  return -1;
}

TEST(ConcurrentTimers, ReportsOfDifferentTimersOnDifferentThreadsStayWhole) {
  ScratchDirectory directory("vykpav_");
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int thread = 0; thread < kThreads; ++thread)
    threads.emplace_back(run_timer, thread, std::cref(go));
  go = true;
  for (std::thread& t : threads) t.join();

  for (int thread = 0; thread < kThreads; ++thread) {
    SCOPED_TRACE(own_file(thread));
    const std::vector<std::string> reports = split_reports(read_file(own_file(thread)));
    ASSERT_EQ(reports.size(), std::size_t{kRounds});
    for (const std::string& report : reports) EXPECT_EQ(reporting_thread(report), thread);
  }

  {
    SCOPED_TRACE(kSharedFile);
    std::vector<int> reports_of(kThreads, 0);
    for (const std::string& report : split_reports(read_file(kSharedFile))) {
      const int thread = reporting_thread(report);
      ASSERT_NE(thread, -1) << report;
      ++reports_of[static_cast<std::size_t>(thread)];
    }
    EXPECT_EQ(reports_of, std::vector<int>(kThreads, kRounds));
  }

  SCOPED_TRACE("VYK_PAV.txt");
  const std::vector<std::string> latest = split_reports(read_file("VYK_PAV.txt"));
  ASSERT_EQ(latest.size(), 1u) << "the default file holds the latest report alone";
  EXPECT_NE(reporting_thread(latest[0]), -1) << latest[0];
}

}  // namespace
