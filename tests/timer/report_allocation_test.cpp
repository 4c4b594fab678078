// A report that runs out of memory: the failure reaches the caller, and the
// report's file stays as it was; the default file in particular is not left
// empty. Each allocation of a report is failed in turn, through this test
// program's own operator new.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "support/failing_allocation.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"
#include "timer/report_buffer.h"
#include "timer/timer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::fail_each_allocation;
using testing_support::FakePlatform;
using testing_support::read_file;
using testing_support::ScratchDirectory;
using vykpav::timer::Timer;

TEST(ReportAllocation, AReportThatRunsOutOfMemoryLeavesItsFileAsItWas) {
  const ScratchDirectory directory("vykpav_");

  FakePlatform fake;
  const char* names[] = {"parse", "solve", "an area name long enough to need storage of its own"};
  Timer timer(3, names, fake);
  for (const char* name : names) {
    timer.begin(name, "host/main.cpp", 10);
    fake.now += 12345;
    timer.end(name, "host/main.cpp", 20);
  }
  timer.report("expected.txt");
  const std::string report = read_file("expected.txt");
  ASSERT_FALSE(report.empty());

  const std::string earlier = "an earlier report\r\n";
  for (const char* file_name : {"given.txt", static_cast<const char*>(nullptr)}) {
    const fs::path path = file_name != nullptr ? file_name : "VYK_PAV.txt";
    SCOPED_TRACE(path.string());
    bool threw = false;
    const std::size_t failures = fail_each_allocation(
        [&] {
          std::ofstream(path, std::ios::binary) << earlier;
          // As the library's first report finds it.
          vykpav::timer::release_report_buffer();
          threw = false;
        },
        [&] {
          try {
            timer.report(file_name);
          } catch (const std::bad_alloc&) {
            threw = true;
          }
        },
        [&](std::size_t index) {
          SCOPED_TRACE(index);
          EXPECT_TRUE(threw);
          EXPECT_EQ(read_file(path), earlier);
        });
    EXPECT_GE(failures, 3u) << "the ordering, the buffer and its text allocate";
    EXPECT_FALSE(threw);
    EXPECT_EQ(read_file(path), file_name != nullptr ? earlier + report : report);
  }
}

}  // namespace
