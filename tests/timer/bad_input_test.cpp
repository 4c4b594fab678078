// Every kind of input a host can give the timer that is not a plain, valid
// call: nothing may crash, overflow or leak, and each test says what must hold
// afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "number/u64.h"
#include "selvorin/vyk_pav.h"
#include "support/fake_platform.h"
#include "support/timer_table.h"
#include "timer/report_buffer.h"
#include "timer/timer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::area_names;
using testing_support::FakePlatform;
using vykpav::timer::Timer;

std::string latest_report_text() {
  vykpav::timer::LockedReportBuffer buffer;
  return buffer.text();
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Count 0 with names reads no name; marks are ignored.
TEST(BadInput, CountZeroWithNamesReadsNoNameAndIgnoresMarks) {
  FakePlatform fake;
  const char* unread = nullptr;
  Timer timer(0, &unread, fake);
  timer.begin("", "f", 1);
  EXPECT_TRUE(area_names(timer).empty());
  EXPECT_EQ(fake.counter_reads, 0);
}

// Count 0 without names: an empty table.
TEST(BadInput, CountZeroWithoutNamesGivesAnEmptyTable) {
  FakePlatform fake;
  Timer timer(0, nullptr, fake);
  EXPECT_TRUE(area_names(timer).empty());
}

// 100 000 numbered areas, each reachable.
TEST(BadInput, HundredThousandNumberedAreasAreEachReachable) {
  FakePlatform fake;
  Timer timer(100000, nullptr, fake);
  ASSERT_EQ(area_names(timer).size(), 100000u);
  for (const char* name : {"0", "99999", "50000"}) {
    timer.begin(name, "f", 1);
  }
  timer.begin("100000", "f", 1);
  EXPECT_EQ(fake.counter_reads, 3) << "\"100000\" is not an area";
}

// Names of every byte 0x01..0xFF, whole and one byte at a time.
TEST(BadInput, NamesOfEveryByteWholeAndOneByteAtATime) {
  std::string all_bytes;
  for (int b = 1; b <= 255; ++b) all_bytes += static_cast<char>(b);
  FakePlatform fake;
  std::vector<std::string> singles;
  for (char c : all_bytes) singles.emplace_back(1, c);
  std::vector<const char*> names{all_bytes.c_str()};
  for (const std::string& s : singles) names.push_back(s.c_str());
  Timer timer(static_cast<std::uint32_t>(names.size()), names.data(), fake);
  ASSERT_EQ(area_names(timer).size(), 256u);
  EXPECT_EQ(area_names(timer).front(), "\x01") << "a prefix sorts first";
  EXPECT_EQ(area_names(timer).back(), "\xFF");
  for (const char* name : names) timer.begin(name, name, 1);
  EXPECT_EQ(fake.counter_reads, 256);
}

// A 10 KB name and a 1 MB file text are kept whole.
TEST(BadInput, LongNameAndFileTextAreKeptWhole) {
  FakePlatform fake;
  const std::string name(10 * 1024, 'n'), file(1024 * 1024, 'f');
  const char* names[] = {name.c_str()};
  Timer timer(1, names, fake);
  timer.begin(name.c_str(), file.c_str(), 1);
  timer.end(name.c_str(), file.c_str(), 2);
  const auto& record = timer.area_table()->areas().front().record;
  EXPECT_EQ(record.start_file, file);
  EXPECT_EQ(record.end_file, file);
  timer.begin(std::string(name, 0, 255).c_str(), "f", 3);
  EXPECT_EQ(fake.counter_reads, 2) << "a shortened name is another name";
}

// Null, empty and unknown names leave the table and its records as they were.
TEST(BadInput, NullEmptyAndUnknownNamesLeaveTheTableAsItWas) {
  FakePlatform fake;
  const char* names[] = {"a", "b"};
  Timer timer(2, names, fake);
  for (const char* area : {static_cast<const char*>(nullptr), "", "c", "a ", "A"}) {
    timer.begin(area, "f", 1);
    timer.end(area, "f", 1);
  }
  timer.begin("a", nullptr, 1);
  EXPECT_EQ(area_names(timer), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(fake.counter_reads, 0);
  for (const auto& area : timer.area_table()->areas()) {
    EXPECT_EQ(area.record.start_ticks, 0u);
    EXPECT_EQ(area.record.end_file, "");
  }
}

// A new file text for every mark: the timer stops keeping them, records stay right.
TEST(BadInput, NewFileTextForEveryMarkStopsTheKeepingAndRecordsStayRight) {
  FakePlatform fake;
  Timer timer(4, nullptr, fake);
  const char* names[] = {"0", "1", "2", "3"};
  char file[32];
  for (int i = 0; i < 100000; ++i) {
    std::snprintf(file, sizeof file, "generated/%d.cpp", i);
    timer.begin(names[i % 4], file, i);
    timer.end(names[(i + 1) % 4], file, i);
  }
  const auto& records = timer.area_table()->areas();
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const int last_begin = 99996 + k, last_end = 99996 + (k + 3) % 4;
    EXPECT_EQ(records[k].record.start_file, "generated/" + std::to_string(last_begin) + ".cpp");
    EXPECT_EQ(records[k].record.start_line, last_begin);
    EXPECT_EQ(records[k].record.end_file, "generated/" + std::to_string(last_end) + ".cpp");
  }
}

// A million marks, then a report of the latest readings.
TEST(BadInput, AMillionMarksThenAReportOfTheLatestReadings) {
  FakePlatform fake;
  Timer timer(16, nullptr, fake);
  std::vector<std::string> names;
  for (int i = 0; i < 16; ++i) names.push_back(std::to_string(i));
  for (int i = 0; i < 1000000; ++i) {
    fake.now = 1000 + static_cast<std::uint64_t>(i);
    const char* area = names[(i / 2) % 16].c_str();
    if (i % 2 == 0)
      timer.begin(area, __FILE__, i);
    else
      timer.end(area, __FILE__, i);
  }
  timer.report("");
  const std::string text = latest_report_text();
  // Each area's latest pair is one tick long: 0 microseconds at 10 MHz.
  std::size_t blocks = 0;
  for (std::size_t at = 0; (at = text.find("Velocity - 0 micsec.", at)) != std::string::npos; ++at)
    ++blocks;
  EXPECT_EQ(blocks, 16u);
  EXPECT_NE(text.find("on line - 999999\r\n"), std::string::npos);
}

// Report destinations that cannot take the report: nothing is created or
// changed, and the call returns normally.
class BadReportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 (std::string("vykpav_bad_") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(directory_ / "read-only.txt", fs::perms::owner_all, ignored);
    fs::remove_all(directory_);
  }

  FakePlatform fake_;
  vykpav::platform::ScopedPlatformOverride use_fake_{fake_};
  fs::path directory_;
};

TEST_F(BadReportFile, UnwritableDestinationsAreLeftAlone) {
  const char* names[] = {"a"};
  Selvorin::VYK_PAV timer(1, names);
  timer._nachalo("a", "a.cpp", 1);

  struct Row {
    const char* what;
    std::string path;
    std::string content_before;  // for files that exist
  };
  std::vector<Row> rows = {
      {"empty name", "", ""},
      {"missing folder", (directory_ / "no-such-folder" / "report.txt").string(), ""},
      {"a folder", directory_.string(), ""},
  };
#if !defined(_WIN32)
  // Root ignores permission bits, so as root a file of the kernel's stands in.
  if (geteuid() == 0) {
    rows.push_back({"read-only file", "/proc/version", read_file("/proc/version")});
  } else {
    const fs::path read_only = directory_ / "read-only.txt";
    std::ofstream(read_only) << "keep";
    fs::permissions(read_only, fs::perms::owner_read);
    rows.push_back({"read-only file", read_only.string(), "keep"});
  }
#endif
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    timer.pokaz(row.path.c_str());
    if (!row.content_before.empty()) {
      EXPECT_EQ(read_file(row.path), row.content_before);
    }
  }
  std::vector<std::string> created;
  for (const auto& entry : fs::recursive_directory_iterator(directory_))
    created.push_back(entry.path().filename().string());
#if !defined(_WIN32)
  if (geteuid() != 0)
    created.erase(std::remove(created.begin(), created.end(), "read-only.txt"), created.end());
#endif
  EXPECT_TRUE(created.empty()) << (created.empty() ? "" : created.front());
  EXPECT_NE(latest_report_text().find("__________ a __________"), std::string::npos)
      << "each report is still assembled";
}

#if defined(__linux__)
TEST_F(BadReportFile, AFailedWriteGoesUnnoticed) {
  const char* names[] = {"a"};
  Selvorin::VYK_PAV timer(1, names);
  timer._nachalo("a", "a.cpp", 1);
  timer.pokaz("/dev/full");  // opens, then every write fails
  timer._konec("a", "a.cpp", 2);
  timer.pokaz("/dev/full");
  EXPECT_NE(latest_report_text().find("End of code in file - \"a.cpp\", on line - 2"),
            std::string::npos)
      << "the timer works on after the failed write";
}
#endif

}  // namespace
