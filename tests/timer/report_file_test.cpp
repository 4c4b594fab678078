// The report through the exported class, against the real file system.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "selvorin/vyk_pav.h"
#include "support/fake_platform.h"
#include "support/scratch_directory.h"
#include "timer/report_buffer.h"
#include "timer/report_composer.h"
#include "timer/timer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::FakePlatform;
using testing_support::read_file;
using testing_support::ScratchDirectory;
using vykpav::platform::ScopedPlatformOverride;

std::string latest_report_text() {
  vykpav::timer::LockedReportBuffer buffer;
  return buffer.text();
}

// Each test runs in a fresh, empty current directory.
class ReportFile : public ::testing::Test {
 protected:
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory_.path()))
      names.push_back(entry.path().filename().string());
    return names;
  }

  FakePlatform fake_;
  ScopedPlatformOverride use_fake_{fake_};
  ScratchDirectory directory_{"vykpav_"};
};

TEST_F(ReportFile, DefaultFileHoldsOnlyTheLatestReport) {
  const char* names[] = {"a"};
  Selvorin::VYK_PAV timer(1, names);
  timer.pokaz(nullptr);
  const std::string first = read_file("VYK_PAV.txt");
  fake_.now = 5000;
  timer._nachalo("a", "a.cpp", 1);
  timer.pokaz(nullptr);
  const std::string second = read_file("VYK_PAV.txt");
  EXPECT_NE(first, second);
  EXPECT_EQ(second, latest_report_text()) << "the file holds the buffer's text byte for byte";
  EXPECT_EQ(second.substr(0, 2), "\r\n");
}

TEST_F(ReportFile, GivenNamesAreAppended) {
  for (const char* name : {"given.txt", "VYK_PAV.txt"}) {
    SCOPED_TRACE(name);
    const char* names[] = {"a"};
    Selvorin::VYK_PAV timer(1, names);
    timer.pokaz(name);
    const std::string first = latest_report_text();
    timer._nachalo("a", "a.cpp", 1);
    timer.pokaz(name);
    const std::string second = latest_report_text();
    EXPECT_EQ(read_file(name), first + second);
    fs::remove(name);
  }
}

TEST_F(ReportFile, UnopenableFilesAreSilentlyNotWritten) {
  const char* names[] = {"a"};
  Selvorin::VYK_PAV timer(1, names);
  timer._nachalo("a", "a.cpp", 1);
  timer.pokaz("");
  timer.pokaz("missing-folder/report.txt");
  EXPECT_TRUE(files().empty());
  EXPECT_NE(latest_report_text().find("__________ a __________"), std::string::npos)
      << "the report is still assembled";
}

TEST_F(ReportFile, TextGoesOutByteForByte) {
  fake_.language_id = testing_support::kRussian;
  const char* names[] = {"\xC0\xF0\xE5\xE0", "\n"};
  Selvorin::VYK_PAV timer(2, names);
  timer._nachalo("\xC0\xF0\xE5\xE0", "\xD4\xE0\xE9\xEB.cpp", 1);
  timer._nachalo("\n", "lf.cpp", 2);
  timer.pokaz("bytes.txt");
  const std::string text = read_file("bytes.txt");
  EXPECT_EQ(text, latest_report_text());
  EXPECT_NE(text.find("\"\xD4\xE0\xE9\xEB.cpp\""), std::string::npos);
  EXPECT_NE(text.find(" \n __________\r\n"), std::string::npos) << "no newline translation";
}

TEST_F(ReportFile, InertTimerCreatesNoFile) {
  fake_.has_counter = false;
  const char* names[] = {"a"};
  Selvorin::VYK_PAV timer(1, names);
  timer._nachalo("a", "a.cpp", 1);
  timer.pokaz(nullptr);
  timer.pokaz("given.txt");
  EXPECT_TRUE(files().empty());
  EXPECT_EQ(fake_.error_boxes.size(), 1u);
}

TEST_F(ReportFile, ConcurrentReportsOfTwoTimersDoNotMix) {
  const char* left_names[] = {"left"};
  const char* right_names[] = {"right"};
  Selvorin::VYK_PAV left(1, left_names), right(1, right_names);
  left._nachalo("left", "l.cpp", 1);
  right._nachalo("right", "r.cpp", 2);
  left.pokaz("left-alone.txt");
  right.pokaz("right-alone.txt");
  const std::string left_report = read_file("left-alone.txt");
  const std::string right_report = read_file("right-alone.txt");
  constexpr int kRounds = 200;
  std::thread a([&] {
    for (int i = 0; i < kRounds; ++i) left.pokaz("left.txt");
  });
  std::thread b([&] {
    for (int i = 0; i < kRounds; ++i) right.pokaz("right.txt");
  });
  a.join();
  b.join();
  std::string left_expected, right_expected;
  for (int i = 0; i < kRounds; ++i) {
    left_expected += left_report;
    right_expected += right_report;
  }
  EXPECT_TRUE(read_file("left.txt") == left_expected);
  EXPECT_TRUE(read_file("right.txt") == right_expected);
}

TEST_F(ReportFile, ReportsOfManyPiecesArriveWhole) {
  // Enough areas that the text goes out in several pieces: a block takes
  // more than 250 bytes.
  std::vector<std::string> names;
  for (std::size_t i = 0; i < 2 * vykpav::timer::kReportPiece / 250; ++i)
    names.push_back("area " + std::to_string(i));
  std::vector<const char*> pointers;
  for (const std::string& name : names) pointers.push_back(name.c_str());
  vykpav::timer::Timer timer(static_cast<std::uint32_t>(pointers.size()), pointers.data(), fake_);
  for (const char* name : pointers) {
    timer.begin(name, "host.cpp", 1);
    fake_.now += 3;
    timer.end(name, "host.cpp", 2);
  }
  std::string whole;
  vykpav::timer::compose_report(
      whole, {timer.frequency(), vykpav::timer::Language::English, fake_.date, fake_.time},
      vykpav::timer::order_areas(*timer.area_table(), timer.frequency()));
  ASSERT_GT(whole.size(), 2 * vykpav::timer::kReportPiece);
  for (const char* name : {"given.txt", static_cast<const char*>(nullptr)}) {
    timer.report(name);
    timer.report(name);
    EXPECT_TRUE(read_file(name != nullptr ? name : "VYK_PAV.txt") ==
                (name != nullptr ? whole + whole : whole))
        << (name != nullptr ? name : "the default file");
  }
}

}  // namespace
