#include "tools/report/run_table.h"

#include <algorithm>

#include "tools/report/area_name.h"

namespace vykpav::report {

void RunTable::report(const ReportHeader&) { ++reports_; }

void RunTable::area(const AreaBlock& block) {
  assign_utf8_name(name_, block.name);
  const std::uint32_t area = index_.find_or_add(name_);
  const auto report = static_cast<std::uint32_t>(reports_);
  if (area == last_report_.size()) {
    last_report_.push_back(report);
  } else if (last_report_[area] == report) {
    return;
  } else {
    last_report_[area] = report;
  }
  samples_.push_back({area, block.microseconds});
}

std::vector<AreaRuns> RunTable::runs() {
  // Grouped by area with a counting sort: one pass to count, one to place.
  std::vector<std::size_t> starts(index_.size() + 1, 0);
  for (const Sample& sample : samples_) ++starts[sample.area + 1];
  for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
  grouped_.resize(samples_.size());
  std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
  for (const Sample& sample : samples_) grouped_[next[sample.area]++] = sample.microseconds;
  std::vector<Sample>().swap(samples_);
  std::vector<AreaRuns> runs;
  runs.reserve(index_.size());
  for (std::uint32_t area = 0; area < index_.size(); ++area) {
    std::uint64_t* first = grouped_.data() + starts[area];
    const std::size_t count = starts[area + 1] - starts[area];
    std::sort(first, first + count);
    runs.push_back({index_.name(area), first, count});
  }
  return runs;
}

}  // namespace vykpav::report
