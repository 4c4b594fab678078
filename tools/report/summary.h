// What `summary` concludes: each area's figures over its runs, in the order
// every output shows areas in (by_median).
#ifndef VYKPAV_TOOLS_REPORT_SUMMARY_H
#define VYKPAV_TOOLS_REPORT_SUMMARY_H

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "tools/report/run_table.h"
#include "tools/report/statistics.h"

namespace vykpav::report {

struct SummarizedArea {
  std::string_view name;
  Summary summary;
};

struct SummaryResult {
  std::size_t reports = 0;
  std::vector<SummarizedArea> areas;
};

// Sorts the runs of `table` (RunTable::sort_runs) and sums up each area;
// the names stay in the table, which must outlive the result.
SummaryResult area_summaries(RunTable& table);

// Orders areas by ascending median, then by name, a name's bytes compared
// as unsigned values. One report's areas come in time order already, so a
// check comes first.
template <typename Area, typename Median>
void by_median(std::vector<Area>& areas, Median median) {
  const auto less = [&](const Area& a, const Area& b) {
    const double x = median(a), y = median(b);
    if (x != y) return x < y;
    return a.name < b.name;
  };
  if (!std::is_sorted(areas.begin(), areas.end(), less))
    std::sort(areas.begin(), areas.end(), less);
}

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_SUMMARY_H
