// From runs to answers: the values kept per area, the summary's order, the
// verdicts of a comparison, names in UTF-8, and times for people.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/report/area_name.h"
#include "tools/report/comparison.h"
#include "tools/report/number_text.h"
#include "tools/report/summary.h"

namespace {

using vykpav::report::AreaBlock;
using vykpav::report::ComparedArea;
using vykpav::report::ComparisonResult;
using vykpav::report::ReportOpening;
using vykpav::report::RunTable;
using vykpav::report::Verdict;

struct Run {
  std::vector<std::pair<std::string, std::uint64_t>> areas;  // name bytes, microseconds
};

void feed(RunTable& table, const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    table.report(ReportOpening{vykpav::timer::Language::English, 10000000, ""});
    for (const auto& [name, us] : run.areas) {
      AreaBlock block{};
      block.name = name;
      block.microseconds = us;
      table.area(block);
    }
  }
}

// One area's runs, one value per report.
std::vector<Run> runs_of(const std::string& name, const std::vector<std::uint64_t>& values) {
  std::vector<Run> runs;
  for (const std::uint64_t v : values) runs.push_back({{{name, v}}});
  return runs;
}

TEST(RunTable, KeepsOneValuePerReportUnderTheUtf8Name) {
  RunTable table;
  // cp1251 "и" (E8) and UTF-8 "и" (D0 B8) name one area; its second block in
  // a report is not a second run.
  feed(table, {{{{"\xE8", 5}, {"\xD0\xB8", 7}, {"a", 1}}}, {{{"a", 2}, {"\xE8", 9}}}});
  EXPECT_EQ(table.reports(), 2u);
  const auto summary = vykpav::report::area_summaries(table);
  EXPECT_EQ(table.areas(), 2u);
  ASSERT_EQ(summary.areas.size(), 2u);
  EXPECT_EQ(summary.areas[0].name, "a");
  EXPECT_EQ(summary.areas[0].summary.median, 1.5);
  EXPECT_EQ(summary.areas[1].name, "\xD0\xB8");
  EXPECT_EQ(summary.areas[1].summary.runs, 2u);
  EXPECT_EQ(summary.areas[1].summary.min, 5u);
  EXPECT_EQ(summary.areas[1].summary.max, 9u);
}

// Enough areas that the table grows many times over, in another order in
// each report, some of them in one report alone.
TEST(RunTable, KeepsEveryAreaOfManyReportsApart) {
  constexpr std::uint64_t kAreas = 20000;
  std::vector<::Run> runs(3);
  for (std::uint64_t i = 0; i < kAreas; ++i) {
    const std::string name = "area " + std::to_string(i);
    runs[0].areas.push_back({name, i});
    runs[1].areas.push_back({"area " + std::to_string(kAreas - 1 - i), 2 * (kAreas - 1 - i)});
    if (i % 3 == 0) runs[2].areas.push_back({name, 3 * i});
  }
  runs[2].areas.push_back({"only in the last", 7});
  RunTable table;
  feed(table, runs);
  table.group();
  ASSERT_EQ(table.areas(), kAreas + 1);
  for (std::uint64_t i = 0; i < kAreas; i += 997) {
    const std::string name = "area " + std::to_string(i);
    SCOPED_TRACE(name);
    const std::size_t area = table.find(name);
    ASSERT_EQ(area, i) << "numbered in the order first seen";
    EXPECT_EQ(table.name(area), name);
    const vykpav::report::AreaRuns runs_of_area = table.runs(area);
    const std::vector<std::uint64_t> values(runs_of_area.values,
                                            runs_of_area.values + runs_of_area.count);
    std::vector<std::uint64_t> expected = {i, 2 * i};
    if (i % 3 == 0) expected.push_back(3 * i);
    EXPECT_EQ(values, expected);
  }
  EXPECT_EQ(table.find("only in the last"), kAreas);
  EXPECT_EQ(table.runs(kAreas).count, 1u);
  EXPECT_EQ(table.find("area"), table.areas()) << "a name not in the table";
  EXPECT_EQ(table.find(""), table.areas());
}

TEST(Summary, OrdersByMedianThenName) {
  RunTable table;
  feed(table, {{{{"slow", 900}, {"b", 10}, {"a", 10}, {"fast", 2}}},
               {{{"slow", 100}, {"b", 10}, {"a", 10}, {"fast", 4}}}});
  const auto summary = vykpav::report::area_summaries(table);
  std::vector<std::string> names;
  for (const auto& area : summary.areas) names.emplace_back(area.name);
  EXPECT_EQ(names, (std::vector<std::string>{"fast", "a", "b", "slow"}));
}

TEST(Compare, GivesEachAreaItsVerdict) {
  struct Row {
    const char* what;
    std::vector<std::uint64_t> before, after;
    double alpha;
    Verdict verdict;
  };
  const Row rows[] = {
      {"wholly faster, 5 against 5",
       {100, 101, 102, 103, 104},
       {50, 51, 52, 53, 54},
       0.05,
       Verdict::kFaster},
      {"wholly slower, 5 against 5",
       {50, 51, 52, 53, 54},
       {100, 101, 102, 103, 104},
       0.05,
       Verdict::kSlower},
      {"interleaved", {10, 12, 14, 16, 18}, {11, 13, 15, 17, 19}, 0.05, Verdict::kNoChange},
      {"3 against 3 can never reach 0.05", {100, 101, 102}, {1, 2, 3}, 0.05, Verdict::kTooFewRuns},
      {"but can reach 0.2", {100, 101, 102}, {1, 2, 3}, 0.2, Verdict::kFaster},
      {"3 against 4 reach 0.0571 at best",
       {100, 101, 102},
       {1, 2, 3, 4},
       0.05,
       Verdict::kTooFewRuns},
      {"3 against 5 reach 0.0357", {100, 101, 102}, {1, 2, 3, 4, 5}, 0.05, Verdict::kFaster},
      {"ties, normal approximation",
       {7, 7, 8, 8, 9, 9},
       {4, 4, 5, 5, 6, 6},
       0.05,
       Verdict::kFaster},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    RunTable before, after;
    feed(before, runs_of("area", row.before));
    feed(after, runs_of("area", row.after));
    const ComparisonResult result = vykpav::report::compare(before, after, row.alpha);
    ASSERT_EQ(result.areas.size(), 1u);
    const ComparedArea& area = result.areas[0];
    EXPECT_EQ(area.verdict, row.verdict);
    ASSERT_TRUE(area.ratio && area.p_value);
    EXPECT_DOUBLE_EQ(*area.ratio, area.after->median / area.before->median);
  }
}

TEST(Compare, AreasOnOneSideAloneAndTheOrder) {
  RunTable before, after;
  feed(before, {{{{"kept", 300}, {"dropped", 50}, {"zero", 0}}}});
  feed(after, {{{{"kept", 200}, {"added", 250}, {"zero", 0}}}});
  const ComparisonResult result = vykpav::report::compare(before, after, 0.05);
  EXPECT_EQ(result.before_reports, 1u);
  EXPECT_EQ(result.after_reports, 1u);
  ASSERT_EQ(result.areas.size(), 4u);
  // By the after median, the before median for an area only before.
  EXPECT_EQ(result.areas[0].name, "zero");
  EXPECT_FALSE(result.areas[0].ratio) << "no ratio to a median of 0";
  EXPECT_EQ(result.areas[1].name, "dropped");
  EXPECT_EQ(result.areas[1].verdict, Verdict::kOnlyBefore);
  EXPECT_FALSE(result.areas[1].after || result.areas[1].p_value || result.areas[1].ratio);
  EXPECT_EQ(result.areas[2].name, "kept");
  EXPECT_EQ(result.areas[2].verdict, Verdict::kTooFewRuns);
  EXPECT_EQ(result.areas[3].name, "added");
  EXPECT_EQ(result.areas[3].verdict, Verdict::kOnlyAfter);
  EXPECT_FALSE(result.areas[3].before);
}

TEST(AreaName, KeepsUtf8AndReadsAnythingElseAsCp1251) {
  struct Row {
    std::string bytes, utf8;
  };
  const Row rows[] = {
      {"plain", "plain"},
      {"\xD0\x9F\xD1\x80\xD0\xB8", "\xD0\x9F\xD1\x80\xD0\xB8"},  // UTF-8 "При"
      {"\xCF\xF0\xE8", "\xD0\x9F\xD1\x80\xD0\xB8"},              // cp1251 "При"
      {"\xE2\x82\xAC", "\xE2\x82\xAC"},                          // UTF-8 euro sign
      {"\x88", "\xE2\x82\xAC"},                                  // cp1251 euro sign
      {"\xC0\xAF", "\xD0\x90\xD0\x87"},              // an overlong '/' is no UTF-8: cp1251 "АЇ"
      {"\xED\xA0\x80", "\xD0\xBD\xC2\xA0\xD0\x82"},  // a surrogate neither: "н", NBSP, "Ђ"
      {"\x98", "\xEF\xBF\xBD"},                      // the byte cp1251 leaves unassigned
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.bytes));
    std::string out;
    vykpav::report::assign_utf8_name(out, row.bytes);
    EXPECT_EQ(out, row.utf8);
  }
  EXPECT_EQ(vykpav::report::printable_name("a\r\nb\tc\x1b"), "a\\r\\nb\\tc\\x1B");
  EXPECT_EQ(vykpav::report::shortened("\xD0\x9F\xD1\x80\xD0\xB8 abc", 4),
            "\xD0\x9F\xD1\x80\xD0\xB8\xE2\x80\xA6");
}

// Names are looked at a word at a time: one odd byte or sequence at any
// place in a name of any length up to three words must still be seen.
TEST(AreaName, SeesOneOddPieceAnywhereInANameOfAnyLength) {
  struct Piece {
    std::string bytes;
    bool utf8;
    std::size_t columns;  // in printable_name's text
  };
  const Piece pieces[] = {{"\x1F", true, 4},  {"\x7F", true, 4},     {"\n", true, 2},
                          {"~", true, 1},     {"\xD0\x9F", true, 1}, {"\xE2\x82\xAC", true, 1},
                          {"\xCF", false, 1}, {"\xFF", false, 1},    {"\xE2\x82", false, 1}};
  for (const Piece& piece : pieces)
    for (std::size_t length = 0; length <= 24; ++length)
      for (std::size_t at = 0; at <= length; ++at) {
        const std::string name = std::string(at, 'a') + piece.bytes + std::string(length - at, 'b');
        SCOPED_TRACE(::testing::PrintToString(name));
        EXPECT_EQ(vykpav::report::is_utf8(name), piece.utf8);
        if (!piece.utf8) continue;
        bool plain = false;
        EXPECT_EQ(vykpav::report::printable_width(name, &plain), length + piece.columns);
        EXPECT_EQ(plain, vykpav::report::printable_name(name) == name);
      }
  EXPECT_TRUE(vykpav::report::is_utf8(std::string(21, 'x')));
  EXPECT_EQ(vykpav::report::printable_width(std::string(21, 'x')), 21u);
}

TEST(DurationText, PicksTheUnitAndThreeDigits) {
  const std::pair<double, const char*> rows[] = {
      {0, "0 \u00B5s"},       {0.5, "0.500 \u00B5s"},
      {7, "7.00 \u00B5s"},    {12.34, "12.3 \u00B5s"},
      {850, "850 \u00B5s"},   {999.4, "999 \u00B5s"},
      {999.6, "1.00 ms"},     {62837, "62.8 ms"},
      {133356, "133 ms"},     {999500, "1.00 s"},
      {1234567, "1.23 s"},    {9996000, "10.0 s"},
      {1234567890, "1230 s"}, {1.8446744073709552e19, "18400000000000 s"},
  };
  for (const auto& [us, text] : rows) {
    SCOPED_TRACE(us);
    EXPECT_EQ(vykpav::report::duration_text(us), text);
  }
  EXPECT_EQ(vykpav::report::three_digits(0.5234), "0.523");
  EXPECT_EQ(vykpav::report::three_digits(3.7e19), "37000000000000000000");  // past 2^64
  EXPECT_EQ(vykpav::report::p_value_text(0.0079365), "0.00794");
  EXPECT_EQ(vykpav::report::p_value_text(3e-8), "<0.0001");
}

}  // namespace
