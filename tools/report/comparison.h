// What `compare` concludes: for two sets of runs, each area's change with
// its verdict, ordered by median (summary.h's by_median: the after median,
// or the before median for an area only before).
#ifndef VYKPAV_TOOLS_REPORT_COMPARISON_H
#define VYKPAV_TOOLS_REPORT_COMPARISON_H

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "tools/report/run_table.h"
#include "tools/report/statistics.h"

namespace vykpav::report {

enum class Verdict { kFaster, kSlower, kNoChange, kTooFewRuns, kOnlyBefore, kOnlyAfter };

// "faster", "slower", "no change", "too few runs", "only before", "only after".
std::string_view verdict_text(Verdict verdict) noexcept;

struct ComparedArea {
  std::string_view name;
  std::optional<Summary> before, after;
  std::optional<double> ratio;    // after median / before median
  std::optional<double> p_value;  // two-sided Mann-Whitney U
  Verdict verdict;
};

struct ComparisonResult {
  std::size_t before_reports = 0, after_reports = 0;
  double alpha = 0;  // the level of the verdicts
  std::vector<ComparedArea> areas;
};

// `alpha` in (0, 1). The verdict is faster or slower when p < alpha (the
// side whose values rank lower is the faster); no change when p >= alpha;
// too few runs when even the smallest p the two run counts allow is not
// below alpha (three runs against three never reach 0.05). Sorts the runs
// of both tables, which must outlive the result.
ComparisonResult compare(RunTable& before, RunTable& after, double alpha);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_COMPARISON_H
