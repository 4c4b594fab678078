// The aligned tables for a terminal, with a bar per area.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/report/area_name.h"
#include "tools/report/number_text.h"
#include "tools/report/output_formats.h"

namespace vykpav::report {

namespace {

constexpr std::size_t kLongestNameColumn = 48;
constexpr std::size_t kRunsColumn = 6;
constexpr std::size_t kTimeColumn = 10;
constexpr std::size_t kSummaryBar = 24;  // columns of the largest median's bar
constexpr std::size_t kChangeBar = 12;   // columns each way from no change
constexpr double kColumnsPerDoubling = 4;

// `text` right-aligned in `width` columns.
void right(Writer& out, std::string_view text, std::size_t width) {
  const std::size_t used = display_width(text);
  if (used < width) out.pad(width - used);
  out.put(text);
}

// `text` left-aligned in `width` columns.
void left(Writer& out, std::string_view text, std::size_t width) {
  out.put(text);
  const std::size_t used = display_width(text);
  if (used < width) out.pad(width - used);
}

// The width of the name column: the widest name shown, within limits.
template <typename Areas>
std::size_t name_column(const Areas& areas) {
  std::size_t width = 4;  // "area"
  for (const auto& area : areas)
    width = std::max(width, std::min(kLongestNameColumn, printable_width(area.name)));
  return width;
}

// The name, shown and cut to the column, left-aligned in `width` columns.
void name_cell(Writer& out, std::string_view name, std::size_t width) {
  bool plain = true;
  const std::size_t columns = printable_width(name, &plain);
  if (columns <= kLongestNameColumn && plain) {
    out.put(name);  // most names, as they are
    if (columns < width) out.pad(width - columns);
  } else {
    left(out, shortened(printable_name(name), kLongestNameColumn), width);
  }
}

// "  " and a bar of `eighths` eighths of a column: whole blocks, then one of
// the partial ones.
void summary_bar(Writer& out, std::size_t eighths) {
  static constexpr std::string_view kPartial[8] = {"",       "\u258F", "\u258E", "\u258D",
                                                   "\u258C", "\u258B", "\u258A", "\u2589"};
  static const std::string kFull = [] {
    std::string full = "  ";
    for (std::size_t i = 0; i < kSummaryBar; ++i) full += "\u2588";
    return full;
  }();
  out.put(std::string_view(kFull).substr(0, 2 + std::min(eighths / 8, kSummaryBar) * 3));
  out.put(kPartial[eighths % 8]);
}

// The change of the median on a doubling scale: faster to the left of the
// line, slower to the right; solid where it is significant.
void change_bar(Writer& out, double ratio, bool significant) {
  const double doublings = std::log2(ratio);
  const auto columns = std::min<std::size_t>(
      kChangeBar,
      static_cast<std::size_t>(std::lround(std::fabs(doublings) * kColumnsPerDoubling)));
  const std::string_view block = significant ? "\u2588" : "\u2591";
  const bool faster = doublings < 0;
  out.pad(faster ? kChangeBar - columns : kChangeBar);
  for (std::size_t i = 0; faster && i < columns; ++i) out.put(block);
  out.put("\u2502");
  for (std::size_t i = 0; !faster && i < columns; ++i) out.put(block);
}

}  // namespace

void write_table(Writer& out, const SummaryResult& summary) {
  out.put(count_text(summary.areas.size(), "area", "areas") + " in " +
          count_text(summary.reports, "report", "reports") + "\n\n");
  const std::size_t width = name_column(summary.areas);
  left(out, "area", width);
  right(out, "runs", kRunsColumn);
  for (const char* heading : {"median", "min", "max", "mean"}) right(out, heading, kTimeColumn);
  out.put("\n");
  // The areas come by ascending median: the last one's is the largest.
  const double largest = summary.areas.empty() ? 0 : summary.areas.back().summary.median;
  for (const SummarizedArea& area : summary.areas) {
    const Summary& s = area.summary;
    name_cell(out, area.name, width);
    right(out, std::to_string(s.runs), kRunsColumn);
    // One run, or all alike: the four figures are one.
    const std::string median = duration_text(s.median);
    right(out, median, kTimeColumn);
    for (const double figure : {static_cast<double>(s.min), static_cast<double>(s.max), s.mean})
      right(out, s.min == s.max ? median : duration_text(figure), kTimeColumn);
    if (largest > 0 && s.median > 0) {
      const double eighths = s.median / largest * kSummaryBar * 8;
      summary_bar(out, std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(eighths))));
    }
    out.put("\n");
  }
}

void write_table(Writer& out, const ComparisonResult& comparison) {
  out.put(count_text(comparison.areas.size(), "area", "areas") + "; " +
          count_text(comparison.before_reports, "report", "reports") + " before, " +
          count_text(comparison.after_reports, "report", "reports") + " after\n\n");
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
    right(out, area.ratio ? three_digits(*area.ratio) : "-", 8);
    right(out, area.p_value ? p_value_text(*area.p_value) : "-", 9);
    out.put("  ");
    out.put(verdict_text(area.verdict));
    if (area.ratio && *area.ratio > 0) {
      out.pad(13 - verdict_text(area.verdict).size());
      change_bar(out, *area.ratio,
                 area.verdict == Verdict::kFaster || area.verdict == Verdict::kSlower);
    }
    out.put("\n");
  }
  out.put(
      "\nratio: after's median / before's; p: two-sided Mann-Whitney U over the runs, "
      "verdict at alpha " +
      p_value_text(comparison.alpha) + "\nbars: the change, " +
      std::to_string(int(kColumnsPerDoubling)) +
      " columns per doubling, faster to the left; \u2588 where p < alpha\n");
}

}  // namespace vykpav::report
