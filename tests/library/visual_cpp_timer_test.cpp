// The timer as a Visual C++ host calls it, when memory runs out: every
// allocation of this test program goes through its own operator new, which
// fails the one allocation a case picks. No exception may come out of such a
// call; the timer then does less, as library/visual_cpp_abi.h says.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "library/visual_cpp_abi.h"
#include "platform/platform.h"
#include "support/failing_allocation.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"
#include "support/timer_table.h"
#include "timer/report_buffer.h"
#include "timer/timer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::area_record;
using testing_support::fail_each_allocation;
using testing_support::FailingAllocation;
using testing_support::FakePlatform;
using testing_support::read_file;
using testing_support::ScratchDirectory;
using vykpav::library::VisualCppTimer;
using vykpav::timer::VYS_BD;

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

const char* kNames[] = {"parse", "solve", "a name too long to be kept inside its own string"};
const char kFile[] = "host/main.cpp";

// Each test runs in a fresh, empty current directory, on the fake platform.
class VisualCppTimerWithoutMemory : public ::testing::Test {
 protected:
  FakePlatform fake_;
  vykpav::platform::ScopedPlatformOverride use_fake_{fake_};
  ScratchDirectory directory_{"vykpav_vc_"};
};

// Each allocation of the constructor in turn: every failure leaves an inert
// timer that holds nothing, shows nothing and writes nothing.
TEST_F(VisualCppTimerWithoutMemory, AConstructorLeavesAnInertTimer) {
  VisualCppTimer timer{};
  std::size_t live_before = 0;
  const std::size_t failures = fail_each_allocation(
      [&] { live_before = testing_support::g_live_allocations; },
      [&] { EXPECT_EQ(vykpav_vc_timer_construct(&timer, 3, kNames), &timer); },
      [&](std::size_t index) {
        const std::size_t live = testing_support::g_live_allocations;  // before the trace's
        SCOPED_TRACE(index);
        EXPECT_EQ(timer.timer, nullptr);
        EXPECT_EQ(live, live_before) << "nothing is kept";
        vykpav_vc_timer_begin(&timer, "parse", kFile, 1);
        vykpav_vc_timer_end(&timer, "parse", kFile, 2);
        vykpav_vc_timer_report(&timer, "given.txt");
        vykpav_vc_timer_report(&timer, nullptr);
        vykpav_vc_timer_destroy(&timer);
        EXPECT_TRUE(fs::is_empty(directory_.path()));
        EXPECT_EQ(fake_.counter_reads, 0);
        EXPECT_TRUE(fake_.error_boxes.empty());
      });
  EXPECT_GE(failures, 3u) << "the timer, its table and the names are allocated";
  ASSERT_NE(timer.timer, nullptr) << "constructed with all its memory";
  vykpav_vc_timer_destroy(&timer);
}

// A mark that runs out of memory copying a file text the timer has not seen
// leaves its area as it was; the next mark with memory does its work.
TEST_F(VisualCppTimerWithoutMemory, AMarkIsDropped) {
  VisualCppTimer timer{};
  vykpav_vc_timer_construct(&timer, 3, kNames);
  ASSERT_NE(timer.timer, nullptr);
  fake_.now = 1000;
  vykpav_vc_timer_begin(&timer, "solve", kFile, 1);
  fake_.now = 2000;
  vykpav_vc_timer_end(&timer, "solve", kFile, 2);
  fake_.now = 3000;
  const std::string unseen(300, 'u');  // a text not kept yet: keeping it allocates

  struct Row {
    const char* what;
    decltype(&vykpav_vc_timer_begin) mark;  // begin and end share one signature
  };
  for (const Row& row : {Row{"begin", vykpav_vc_timer_begin}, Row{"end", vykpav_vc_timer_end}}) {
    SCOPED_TRACE(row.what);
    {
      FailingAllocation failing(0);
      row.mark(&timer, "solve", unseen.c_str(), 99);
      EXPECT_TRUE(failing.struck());
    }
    const VYS_BD& record = area_record(*timer.timer, "solve");
    EXPECT_EQ(record.start_ticks, 1000u);
    EXPECT_EQ(record.start_file, kFile);
    EXPECT_EQ(record.start_line, 1);
    EXPECT_EQ(record.end_ticks, 2000u);
    EXPECT_EQ(record.end_file, kFile);
    EXPECT_EQ(record.end_line, 2);
  }
  vykpav_vc_timer_end(&timer, "solve", unseen.c_str(), 3);
  EXPECT_EQ(area_record(*timer.timer, "solve").end_file, unseen);
  EXPECT_EQ(area_record(*timer.timer, "solve").end_ticks, 3000u);
  vykpav_vc_timer_destroy(&timer);
}

// Each allocation of a report in turn, to a given file and to the default
// one, each time with the report buffer as the library's first report finds
// it: a failure leaves the file exactly as it was, and with memory the
// report is the one the timer itself writes.
TEST_F(VisualCppTimerWithoutMemory, AReportLeavesItsFileAsItWas) {
  VisualCppTimer timer{};
  vykpav_vc_timer_construct(&timer, 3, kNames);
  ASSERT_NE(timer.timer, nullptr);
  for (const char* name : kNames) {
    vykpav_vc_timer_begin(&timer, name, kFile, 10);
    fake_.now += 12345;
    vykpav_vc_timer_end(&timer, name, kFile, 20);
  }
  timer.timer->report("expected.txt");
  const std::string report = read_file("expected.txt");
  ASSERT_FALSE(report.empty());

  const std::string earlier = "an earlier report\r\n";
  for (const char* file_name : {"given.txt", static_cast<const char*>(nullptr)}) {
    const fs::path path = file_name != nullptr ? file_name : "VYK_PAV.txt";
    SCOPED_TRACE(path.string());
    const std::size_t failures = fail_each_allocation(
        [&] {
          write_file(path, earlier);
          vykpav::timer::release_report_buffer();
        },
        [&] { vykpav_vc_timer_report(&timer, file_name); },
        [&](std::size_t index) { EXPECT_EQ(read_file(path), earlier) << "index " << index; });
    EXPECT_GE(failures, 3u) << "the ordering, the buffer and its text allocate";
    EXPECT_EQ(read_file(path), file_name != nullptr ? earlier + report : report);
  }
  vykpav_vc_timer_destroy(&timer);
}

}  // namespace
