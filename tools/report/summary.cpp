#include "tools/report/summary.h"

namespace vykpav::report {

SummaryResult area_summaries(RunTable& table) {
  table.group();
  SummaryResult result;
  result.reports = table.reports();
  result.areas.reserve(table.areas());
  for (std::size_t k = 0; k < table.areas(); ++k) {
    const AreaRuns runs = table.runs(k);
    result.areas.push_back({table.name(k), summarize(runs.values, runs.count)});
  }
  by_median(result.areas, [](const SummarizedArea& a) { return a.summary.median; });
  return result;
}

}  // namespace vykpav::report
