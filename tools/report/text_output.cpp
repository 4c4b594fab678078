// The aligned tables for a terminal, with a bar per area.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "tools/report/area_name.h"
#include "tools/report/duration_text.h"
#include "tools/report/output.h"

namespace vykpav::report {

namespace {

constexpr std::size_t kLongestNameColumn = 48;
constexpr std::size_t kTimeColumn = 10;
constexpr std::size_t kSummaryBar = 24;  // columns of the largest median's bar
constexpr std::size_t kChangeBar = 12;   // columns each way from no change
constexpr double kColumnsPerDoubling = 4;

// `text` right-aligned in `width` columns.
void right(Output& out, std::string_view text, std::size_t width) {
  const std::size_t used = display_width(text);
  if (used < width) out.pad(width - used);
  out.put(text);
}

// `text` left-aligned in `width` columns.
void left(Output& out, std::string_view text, std::size_t width) {
  out.put(text);
  const std::size_t used = display_width(text);
  if (used < width) out.pad(width - used);
}

std::size_t name_column(std::size_t width, std::string_view name) {
  return std::max(width, std::min(kLongestNameColumn, printable_width(name)));
}

std::size_t name_column(const LargeVector<ComparedArea>& areas) {
  std::size_t width = 4;  // "area"
  for (const ComparedArea& area : areas) width = name_column(width, area.name);
  return width;
}

std::size_t name_column(const SummarizedAreas& areas) {
  std::size_t width = 4;
  for (std::size_t i = 0; i < areas.size(); ++i) width = name_column(width, areas.name(i));
  return width;
}

// The name, shown and cut to the column, left-aligned in `width` columns.
void name_cell(Output& out, std::string_view name, std::size_t width) {
  bool plain = true;
  const std::size_t columns = printable_width(name, &plain);
  if (columns <= kLongestNameColumn && plain) {
    out.put(name);  // most names, as they are
    if (columns < width) out.pad(width - columns);
  } else {
    left(out, shortened(printable_name(name), kLongestNameColumn), width);
  }
}

void right(Output& out, const DurationText& text, std::size_t width) {
  if (text.columns < width) out.pad(width - text.columns);
  out.put(text.view());
}

std::string plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// A summary row's figures are written straight into the output, each piece
// copied as a whole number of words: a million rows are most of the work.
constexpr std::size_t kRowRoom = 256;  // the figures, the bar and the slack its copies take
constexpr std::size_t kRunsColumn = 6;
constexpr char kSpaces[] = "                ";  // 16

// `text` right-aligned in kTimeColumn columns at `at`; the end. False, with
// nothing written, for a text wider than the fast copies take.
bool put_time_cell(char*& at, const DurationText& text) noexcept {
  if (text.columns > kTimeColumn || text.size > 16) return false;
  const std::size_t pad = kTimeColumn - text.columns;
  std::memcpy(at, kSpaces, 16);
  std::memcpy(at + pad, text.bytes, 16);  // the text and what follows it in its buffer
  at += pad + text.size;
  return true;
}

void put_time_cells(Output& out, char*& at, const double (&values)[4], bool same) {
  DurationText texts[4];
  texts[0] = format_duration(values[0]);
  for (std::size_t i = 1; i < 4; ++i) texts[i] = same ? texts[0] : format_duration(values[i]);
  for (const DurationText& text : texts) {
    if (put_time_cell(at, text)) continue;
    out.wrote(at);
    right(out, text, kTimeColumn);
    at = out.room(kRowRoom);
  }
}

void put_runs(char*& at, std::size_t runs) noexcept {
  char digits[24] = {};
  const auto size =
      static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, runs).ptr - digits);
  const std::size_t pad = size < kRunsColumn ? kRunsColumn - size : 0;
  std::memcpy(at, kSpaces, 8);
  std::memcpy(at + pad, digits, 24);
  at += pad + size;
}

// "  " and a bar of `eighths` eighths of a column, at most kSummaryBar
// columns: whole blocks, then one of the partial ones.
void put_bar(char*& at, std::size_t eighths) noexcept {
  static constexpr char kPartial[8][4] = {"",       "\u258F", "\u258E", "\u258D",
                                          "\u258C", "\u258B", "\u258A", "\u2589"};
  static const std::string kFull = [] {
    std::string full;
    for (std::size_t i = 0; i < kSummaryBar; ++i) full += "\u2588";
    return full;
  }();
  std::memcpy(at, "  ", 2);
  at += 2;
  std::memcpy(at, kFull.data(), kSummaryBar * 3);
  at += std::min(eighths / 8, kSummaryBar) * 3;
  std::memcpy(at, kPartial[eighths % 8], 4);
  at += eighths % 8 == 0 ? 0 : 3;
}

}  // namespace

void write_summary_text(Output& out, const SummaryResult& summary) {
  out.put(plural(summary.areas.size(), "area", "areas") + " in " +
          plural(summary.reports, "report", "reports") + "\n\n");
  const std::size_t width = name_column(summary.areas);
  left(out, "area", width);
  right(out, "runs", kRunsColumn);
  for (const char* heading : {"median", "min", "max", "mean"}) right(out, heading, kTimeColumn);
  out.put("\n");
  // The areas come by ascending median: the last one's is the largest.
  const double largest =
      summary.areas.empty() ? 0 : summary.areas[summary.areas.size() - 1].summary.median;
  for (const SummarizedArea& area : summary.areas) {
    const Summary& s = area.summary;
    name_cell(out, area.name, width);
    char* at = out.room(kRowRoom);
    put_runs(at, s.runs);
    // One run, or all alike: the four figures are one.
    put_time_cells(out, at,
                   {s.median, static_cast<double>(s.min), static_cast<double>(s.max), s.mean},
                   s.min == s.max);
    if (largest > 0 && s.median > 0) {
      const double eighths = s.median / largest * kSummaryBar * 8;
      put_bar(at, std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(eighths))));
    }
    *at++ = '\n';
    out.wrote(at);
  }
}

void write_comparison_text(Output& out, const ComparisonResult& comparison, double alpha) {
  out.put(plural(comparison.areas.size(), "area", "areas") + "; " +
          plural(comparison.before_reports, "report", "reports") + " before, " +
          plural(comparison.after_reports, "report", "reports") + " after\n\n");
  const std::size_t width = name_column(comparison.areas);
  left(out, "area", width);
  right(out, "before", kTimeColumn);
  right(out, "after", kTimeColumn);
  right(out, "ratio", 8);
  right(out, "p", 9);
  out.put("  verdict\n");
  for (const ComparedArea& area : comparison.areas) {
    name_cell(out, area.name, width);
    right(out, area.before ? duration_text(area.before->median) : "-", kTimeColumn);
    right(out, area.after ? duration_text(area.after->median) : "-", kTimeColumn);
    right(out, area.ratio ? ratio_text(*area.ratio) : "-", 8);
    right(out, area.p_value ? p_value_text(*area.p_value) : "-", 9);
    out.put("  ");
    out.put(verdict_text(area.verdict));
    if (area.ratio && *area.ratio > 0) {
      out.pad(13 - display_width(verdict_text(area.verdict)));
      // The change of the median on a doubling scale: faster to the left of
      // the line, slower to the right; solid where it is significant.
      const double doublings = std::log2(*area.ratio);
      const auto columns = std::min<std::size_t>(
          kChangeBar,
          static_cast<std::size_t>(std::lround(std::fabs(doublings) * kColumnsPerDoubling)));
      const bool significant = area.verdict == Verdict::kFaster || area.verdict == Verdict::kSlower;
      const std::string_view block = significant ? "\u2588" : "\u2591";
      const bool faster = doublings < 0;
      out.pad(faster ? kChangeBar - columns : kChangeBar);
      for (std::size_t i = 0; faster && i < columns; ++i) out.put(block);
      out.put("\u2502");
      for (std::size_t i = 0; !faster && i < columns; ++i) out.put(block);
    }
    out.put("\n");
  }
  out.put(
      "\nratio: after's median / before's; p: two-sided Mann-Whitney U over the runs, "
      "verdict at alpha " +
      p_value_text(alpha) + "\nbars: the change, " + std::to_string(int(kColumnsPerDoubling)) +
      " columns per doubling, faster to the left; \u2588 where p < alpha\n");
}

}  // namespace vykpav::report
