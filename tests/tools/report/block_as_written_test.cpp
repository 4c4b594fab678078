// The reading of an area block as the library writes it: the numbers it
// takes from the head line are those VsStr writes, and on reports the
// library writes, edited or cut anywhere, it agrees with the general
// reading piece for piece.
#include <gtest/gtest.h>

#include <selvorin/vyknb64.h>

#include <string>
#include <vector>

#include "support/block_readings.h"
#include "support/host_runs.h"
#include "support/report_recorder.h"
#include "timer/messages.h"
#include "tools/report/report_bytes.h"

namespace {

using report_testing::block_readings_differ;
using report_testing::HostArea;
using report_testing::HostRun;
using report_testing::Language;
using report_testing::read_text;
using report_testing::Recorder;
using report_testing::report_text;

std::string scratch() {
  return testing::TempDir() + "vykpav_block_as_written_" +
         testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
}

std::string vs_str(std::uint64_t value, Selvorin::ulong32 format) {
  unsigned char text[64];
  const int length = Selvorin::VYKNB64(value).VsStr(text, format, 10);
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

TEST(BlockAsWritten, TakesTheVelocityNumbersFromTheHeadLineAsVsStrWritesThem) {
  for (const std::uint64_t value :
       {0ull, 1ull, 9ull, 10ull, 999ull, 1000ull, 1001ull, 999999ull, 1000000ull, 26568ull,
        12345678901ull, 10000000000000000000ull, ~0ull}) {
    SCOPED_TRACE(value);
    const std::string head = vs_str(value, 1310723);  // 20 digits, grouped, zero-filled
    ASSERT_EQ(head.size(), vykpav::report::kHeadNumberWidth);
    const std::size_t digits = vykpav::report::first_nonzero_digit(head.data(), head.size());
    EXPECT_EQ(vykpav::report::unfilled(head, digits), vs_str(value, 3));
    EXPECT_EQ(vykpav::report::unfilled(std::string_view(head).substr(0, 22), digits),
              vs_str(value / 1000, 3));
    EXPECT_EQ(vykpav::report::unfilled(std::string_view(head).substr(0, 18), digits),
              vs_str(value / 1000000, 3));
  }
}

// Blocks whose file texts come again, change, or hold what ends a file
// text elsewhere, with line numbers of every length.
std::vector<HostArea> file_runs() {
  std::vector<HostArea> areas;
  const char* begin_files[] = {"a.cpp",    "a.cpp",       "a.cpp",       "b/c.cpp",
                               "b/c.cpp",  "q\"uote.cpp", "q\"uote.cpp", "cr\r.cpp",
                               "cr\r.cpp", "lf\n.cpp",    "lf\n.cpp",    ""};
  for (int i = 0; i < 12; ++i) {
    HostArea area{"area " + std::to_string(i), 1000u * static_cast<unsigned>(i + 1)};
    area.start_file = begin_files[i];
    area.end_file = i == 3 || i == 4 ? std::string("a.cpp") : begin_files[i];
    area.start_line = i == 2 ? 2147483647 : i * 37;
    area.end_line = i == 1 ? 0 : i * 1001;
    areas.push_back(area);
  }
  return areas;
}

TEST(BlockAsWritten, AgreesWithTheGeneralReadingOnWrittenAndEditedReports) {
  for (const Language language : {Language::English, Language::Russian}) {
    SCOPED_TRACE(language == Language::Russian ? "Russian" : "English");
    const std::string report = report_text({file_runs(), language, 10000000}, scratch());
    // The first block's milliseconds not its microseconds' own.
    std::string edited_velocity = report;
    const std::string milliseconds =
        "0" + std::string(vykpav::timer::messages(language).milliseconds_unit);
    const std::size_t velocity = edited_velocity.find(milliseconds);
    ASSERT_NE(velocity, std::string::npos);
    edited_velocity[velocity] = '7';
    std::string edited_file = report;  // one begin file text a byte longer
    edited_file.insert(edited_file.find("a.cpp", edited_file.find("area 1 ")), "x");
    const struct {
      const char* what;
      std::string text;
    } rows[] = {{"as written", report},
                {"a velocity line edited", edited_velocity},
                {"a file text edited", edited_file}};
    for (const auto& row : rows) {
      SCOPED_TRACE(row.what);
      EXPECT_EQ(block_readings_differ(row.text, true, 1000), "");
      // Cut anywhere, as the reader's window may end.
      for (std::size_t cut = 0; cut < row.text.size(); cut += 7)
        ASSERT_EQ(block_readings_differ(std::string_view(row.text).substr(0, cut), false), "")
            << "cut after byte " << cut;
    }
    // And the whole reader on the edited velocity line: the text's numbers.
    Recorder seen;
    read_text(edited_velocity, seen);
    ASSERT_EQ(seen.reports.size(), 1u);
    ASSERT_EQ(seen.reports[0].blocks.size(), 12u);
    const report_testing::SeenBlock& first = seen.reports[0].blocks[0];
    EXPECT_EQ(first.name, "area 0");
    EXPECT_EQ(first.microseconds, 100u);
    EXPECT_EQ(first.milliseconds, 7u);
    EXPECT_EQ(seen.reports[0].blocks[1].milliseconds, 0u);
  }
}

}  // namespace
