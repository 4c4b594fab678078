// The reader on reports that the library itself writes (a timer on the fake
// platform): every field read back, in both languages, names and file texts
// holding any byte, appended reports, and files cut short at every byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/exact_integer.h"
#include "support/host_runs.h"
#include "support/report_recorder.h"

namespace {

using report_testing::HostArea;
using report_testing::HostRun;
using report_testing::Language;
using report_testing::read_text;
using report_testing::Recorder;
using report_testing::report_text;
using vykpav::report::ReadError;
using vykpav::report::ReadResult;

constexpr std::uint64_t kMax = ~std::uint64_t{0};

std::string scratch() {
  return testing::TempDir() + "vykpav_report_reader_" +
         testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
}

// ticks × per_second ÷ frequency, rounded down, exactly: the product in 128
// bits (which 32-bit targets have no type for), divided a bit at a time.
std::uint64_t units(std::uint64_t ticks, std::uint64_t per_second, std::uint64_t frequency) {
  const exact::Limbs product = exact::Limbs(ticks) * exact::Limbs(per_second);
  std::uint64_t quotient = 0, remainder = 0;
  for (int bit = 127; bit >= 0; --bit) {
    // The remainder is below the frequency, so twice it fits 65 bits: the
    // 65th is `carry`, and the difference below wraps back to the truth.
    const bool carry = remainder >> 63 != 0;
    const std::uint64_t word = bit >= 64 ? product.high >> (bit - 64) : product.low >> bit;
    remainder = remainder << 1 | (word & 1);
    const bool subtract = carry || remainder >= frequency;
    if (subtract) remainder -= frequency;
    quotient = quotient << 1 | (subtract ? 1 : 0);
  }
  return quotient;
}

const char* language_name(Language language) {
  return language == Language::Russian ? "Russian" : "English";
}

// Names and file texts a host may pass: the head line's own separators, its
// word, quotes, line breaks, cp1251 letters, and a name that holds a whole
// dotted line and velocity line of another time.
std::vector<HostArea> awkward_areas() {
  const std::string dots(70, '.');
  return {
      {"plain", 12345678},
      {"with \"quotes\" inside", 2500},
      {"fake: __________ head __________", 2500},
      {"ends in a separator __________", 99},
      {"microseconds: __________ ", 7},
      {"line\r\nbreak", 40},
      {"\xCF\xF0\xE8\xE2\xE5\xF2", 31000},  // cp1251 for a Russian word
      {"", 3},
      {"tail __________\r\n" + dots + "\r\nVelocity - 5 micsec. or x", 70},
      {"files", 1000, "dir/\"quoted\".cpp", -1, "end\", on line - 7\r\nEnd of code in file - \"",
       0},
      {"never ended", 0, "open.cpp", 5, "", 0, false},
      {"largest", kMax - 1000},
  };
}

TEST(ReportReader, ReadsEveryFieldBackInBothLanguages) {
  for (const Language language : {Language::English, Language::Russian}) {
    SCOPED_TRACE(language_name(language));
    HostRun run{awkward_areas(), language, 10000000};
    Recorder seen;
    const ReadResult result = read_text(report_text(run, scratch()), seen);
    EXPECT_EQ(result.reports, 1u);
    EXPECT_EQ(result.cut_short, 0u);
    EXPECT_TRUE(result.warnings.empty());
    ASSERT_EQ(seen.reports.size(), 1u);
    EXPECT_EQ(seen.reports[0].language, language);
    EXPECT_EQ(seen.reports[0].frequency, 10000000u);
    EXPECT_EQ(seen.reports[0].date_time, "08.12.2026  14:35:07");
    const std::vector<report_testing::SeenBlock>& blocks = seen.reports[0].blocks;
    ASSERT_EQ(blocks.size(), run.areas.size());
    for (const HostArea& area : run.areas) {
      SCOPED_TRACE("area \"" + area.name + "\"");
      const auto found = std::find_if(blocks.begin(), blocks.end(),
                                      [&](const auto& b) { return b.name == area.name; });
      ASSERT_NE(found, blocks.end());
      const std::uint64_t ticks = area.ended ? area.ticks : 0;
      EXPECT_EQ(found->microseconds, units(ticks, 1000000, run.frequency));
      EXPECT_EQ(found->milliseconds, units(ticks, 1000, run.frequency));
      EXPECT_EQ(found->seconds, ticks / run.frequency);
      EXPECT_EQ(found->start_file, area.start_file);
      EXPECT_EQ(found->start_line, static_cast<std::uint32_t>(area.start_line));
      EXPECT_EQ(found->end_file, area.ended ? area.end_file : "");
      EXPECT_EQ(found->end_line, area.ended ? static_cast<std::uint32_t>(area.end_line) : 0u);
    }
    EXPECT_TRUE(std::is_sorted(blocks.begin(), blocks.end(), [](const auto& a, const auto& b) {
      return a.microseconds < b.microseconds;
    }));
  }
}

TEST(ReportReader, ReadsTheFrequencyAndTimesAtAnyCounterRate) {
  struct Row {
    std::uint64_t frequency, ticks;
  };
  const Row rows[] = {{3579545, 10000000}, {1000000000, 62837000},      {10000000, 12345678},
                      {1000000, 1},        {18446744073709551615u, 99}, {2, 7}};
  for (const Row& row : rows) {
    SCOPED_TRACE("frequency " + std::to_string(row.frequency) + ", ticks " +
                 std::to_string(row.ticks));
    Recorder seen;
    read_text(report_text({{{"a", row.ticks}}, Language::English, row.frequency}, scratch()), seen);
    ASSERT_EQ(seen.reports.size(), 1u);
    EXPECT_EQ(seen.reports[0].frequency, row.frequency);
    ASSERT_EQ(seen.reports[0].blocks.size(), 1u);
    EXPECT_EQ(seen.reports[0].blocks[0].microseconds, units(row.ticks, 1000000, row.frequency));
  }
}

TEST(ReportReader, ReadsReportsAppendedInEitherLanguage) {
  const std::string path = scratch();
  std::remove(path.c_str());
  const Language order[] = {Language::English, Language::Russian, Language::Russian,
                            Language::English};
  for (std::size_t i = 0; i < 4; ++i)
    report_testing::append_report(
        path, {{{"parse", 1000 * (i + 1)}, {"\xD0\xE0\xE7\xE1\xEE\xF0", 20 + i}}, order[i]});
  Recorder seen;
  const ReadResult result = vykpav::report::read_report_file(path, seen);
  std::remove(path.c_str());
  EXPECT_EQ(result.reports, 4u);
  EXPECT_TRUE(result.warnings.empty());
  ASSERT_EQ(seen.reports.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE("report " + std::to_string(i));
    EXPECT_EQ(seen.reports[i].language, order[i]);
    ASSERT_EQ(seen.reports[i].blocks.size(), 2u);
    EXPECT_EQ(seen.reports[i].blocks[0].microseconds, (20 + i) / 10);
    EXPECT_EQ(seen.reports[i].blocks[1].name, "parse");
    EXPECT_EQ(seen.reports[i].blocks[1].microseconds, 100 * (i + 1));
  }
}

// Where each area block of a report ends, and where its first four lines
// do, for names and files without line breaks: six lines a block.
std::vector<std::size_t> piece_ends(const std::string& report, std::size_t blocks) {
  std::vector<std::size_t> ends;
  std::size_t at = 0;
  for (std::size_t lines = 0; ends.size() <= blocks; ++lines) {
    at = report.find("\r\n", at) + 2;
    if (lines + 1 == 4 + 6 * ends.size()) ends.push_back(at);
  }
  return ends;
}

HostRun three_areas(Language language) {
  return {{{"alpha", 1200}, {"beta", 34000}, {"gamma", 560000}}, language};
}

TEST(ReportReader, AFileCutShortAtAnyByteGivesItsCompleteBlocksAndOneWarning) {
  const std::string first = report_text(three_areas(Language::English), scratch());
  const std::string second = report_text(three_areas(Language::Russian), scratch());
  const std::vector<std::size_t> ends = piece_ends(second, 3);  // header, then the blocks
  const std::string whole = first + second;
  for (std::size_t cut = first.size(); cut <= whole.size(); ++cut) {
    SCOPED_TRACE("cut after byte " + std::to_string(cut) + " of " + std::to_string(whole.size()));
    const std::size_t into = cut - first.size();
    Recorder seen;
    const ReadResult result = read_text(whole.substr(0, cut), seen);
    const bool header_whole = into >= ends[0];
    EXPECT_EQ(result.reports, header_whole ? 2u : 1u);
    std::size_t whole_blocks = 0;
    while (whole_blocks < 3 && ends[whole_blocks + 1] <= into) ++whole_blocks;
    EXPECT_EQ(seen.blocks_seen, 3 + whole_blocks);
    // Nothing, or what is left reads as trailing blanks ("\r\n   ").
    const bool cut_at_all = into > 5 && cut < whole.size();
    ASSERT_EQ(result.warnings.size(), cut_at_all ? 1u : 0u);
    if (cut_at_all) {
      EXPECT_NE(result.warnings[0].find("cut short"), std::string::npos);
    }
  }
}

TEST(ReportReader, AReportCutShortAndThenAppendedToKeepsTheNextReportWhole) {
  const std::string first = report_text(three_areas(Language::English), scratch());
  const std::string second = report_text(three_areas(Language::Russian), scratch());
  const std::vector<std::size_t> ends = piece_ends(first, 3);
  for (std::size_t cut = 1; cut < first.size(); ++cut) {
    SCOPED_TRACE("first report cut after byte " + std::to_string(cut));
    Recorder seen;
    const ReadResult result = read_text(first.substr(0, cut) + second, seen);
    const bool header_whole = cut >= ends[0];
    EXPECT_EQ(result.reports, header_whole ? 2u : 1u);
    std::size_t whole_blocks = 0;
    while (whole_blocks < 3 && ends[whole_blocks + 1] <= cut) ++whole_blocks;
    EXPECT_EQ(seen.blocks_seen, whole_blocks + 3);
    ASSERT_FALSE(seen.reports.empty());
    EXPECT_EQ(seen.reports.back().language, Language::Russian);
    EXPECT_EQ(seen.reports.back().blocks.size(), 3u);
    EXPECT_EQ(result.warnings.size(), 1u);
  }
}

TEST(ReportReader, PiecesLargerThanWhatItReadsAtOnceArriveWhole) {
  HostRun run;
  for (unsigned i = 0; i < 4000; ++i) run.areas.push_back({"area " + std::to_string(i), 10u * i});
  run.areas.push_back({std::string(700 * 1024, 'n'), 5, std::string(300 * 1024, 'f')});
  Recorder seen;
  const ReadResult result = read_text(report_text(run, scratch()), seen);
  EXPECT_EQ(result.reports, 1u);
  ASSERT_EQ(seen.blocks_seen, run.areas.size());
  const auto& blocks = seen.reports[0].blocks;
  const auto long_one = std::find_if(blocks.begin(), blocks.end(),
                                     [](const auto& b) { return b.name.size() > 1000; });
  ASSERT_NE(long_one, blocks.end());
  EXPECT_EQ(long_one->name, run.areas.back().name);
  EXPECT_EQ(long_one->start_file, run.areas.back().start_file);
  EXPECT_EQ(blocks.back().name, "area 3999");
}

// All that a reading gives, as text: each report and block, the counts,
// the warnings or the error.
std::string reading_of(const std::string& text, std::size_t read_size) {
  Recorder seen;
  std::string reading;
  try {
    const ReadResult result = read_text(text, seen, read_size);
    reading =
        std::to_string(result.reports) + " reports, " + std::to_string(result.cut_short) + " cut\n";
    for (const std::string& warning : result.warnings) reading += warning + "\n";
  } catch (const ReadError& e) {
    reading = std::string(e.what()) + "\n";
  }
  for (const report_testing::SeenReport& report : seen.reports) {
    reading += std::string("report ") + language_name(report.language) + " " +
               std::to_string(report.frequency) + " " + report.date_time + "\n";
    for (const report_testing::SeenBlock& b : report.blocks)
      reading += ::testing::PrintToString(b.name) + " " + std::to_string(b.microseconds) + " " +
                 std::to_string(b.milliseconds) + " " + std::to_string(b.seconds) + " " +
                 ::testing::PrintToString(b.start_file) + ":" + std::to_string(b.start_line) + " " +
                 ::testing::PrintToString(b.end_file) + ":" + std::to_string(b.end_line) + "\n";
  }
  return reading;
}

// The reader takes its input a read at a time, and a piece may be cut at
// the end of what it holds at any byte: what it finds must not depend on
// where.
TEST(ReportReader, FindsTheSameWhateverItReadsAtATime) {
  const std::string first = report_text({awkward_areas(), Language::English}, scratch());
  const std::string second = report_text(three_areas(Language::Russian), scratch());
  const std::string both = first + second;
  struct Row {
    const char* what;
    std::string text;
  };
  const Row rows[] = {
      {"one report", first},
      {"two appended", both},
      {"the first cut in a name, then the second",
       first.substr(0, first.find("fake: __") + 8) + second},
      {"the first cut in a file text, then the second",
       first.substr(0, first.find("quoted") + 3) + second},
      {"the second cut in its first line", both.substr(0, first.size() + 20)},
      {"the second cut in a block", both.substr(0, first.size() + second.find("beta") + 2)},
      {"text after the notice", first + "\r\nmore text"},
      {"not a report", "hello\r\n" + first},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string whole = reading_of(row.text, vykpav::report::kReadSize);
    for (const std::size_t read_size : {1u, 2u, 7u, 64u, 1000u})
      EXPECT_EQ(reading_of(row.text, read_size), whole) << read_size << " bytes at a time";
  }
}

std::string error_of(const std::string& text) {
  Recorder seen;
  try {
    read_text(text, seen);
  } catch (const ReadError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(ReportReader, InputWithoutAReportIsAnErrorNamingFileAndLine) {
  const std::string report = report_text(three_areas(Language::English), scratch());
  std::string lf_only;
  for (const char c : report)
    if (c != '\r') lf_only += c;
  std::string broken = report;
  broken.replace(broken.find("0 msec."), 1, "x");  // alpha's velocity line, line 7
  struct Row {
    const char* what;
    std::string text;
    std::string error;
  };
  const Row rows[] = {
      {"empty", "", "report.txt:1: no report: the input is empty"},
      {"other text", "hello\r\n",
       "report.txt:1: not a report: expected a report, which starts with an empty line"},
      {"LF line ends", lf_only,
       "report.txt:1: not a report: expected a report, which starts with an empty line (its "
       "lines end in LF alone; a report's end in CR LF)"},
      {"first lines only", report.substr(0, 30),
       "report.txt:1: no report: the input ends inside the first lines of one"},
      {"text after the notice", report + "\r\nmore text",
       "report.txt:26: expected another report or the end of the input after the closing notice"},
      {"broken velocity line", broken, "report.txt:7: expected the milliseconds"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(error_of(row.text), row.error);
  }
}

TEST(ReportReader, FilesThatCannotBeOpenedOrReadAreErrors) {
  Recorder seen;
  const std::string missing = testing::TempDir() + "vykpav_no_such_report.txt";
  const std::string folder = testing::TempDir();
  const std::pair<std::string, std::string> rows[] = {
      {missing, missing + ": cannot open: No such file or directory"},
      {folder, folder + ":1: cannot read: Is a directory"}};
  for (const auto& [path, error] : rows) {
    SCOPED_TRACE(path);
    try {
      vykpav::report::read_report_file(path, seen);
      ADD_FAILURE() << "no error";
    } catch (const ReadError& e) {
      EXPECT_EQ(e.what(), error);
    }
  }
}

}  // namespace
