// Every area's microseconds over a set of reports: one value for each report
// the area appears in. Memory grows with areas times reports, not with the
// size of the files they came from.
#ifndef VYKPAV_TOOLS_REPORT_RUN_TABLE_H
#define VYKPAV_TOOLS_REPORT_RUN_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/report/area_index.h"
#include "tools/report/report_reader.h"

namespace vykpav::report {

// The values of one area, ascending.
struct AreaRuns {
  std::string_view name;  // UTF-8
  const std::uint64_t* values;
  std::size_t count;
};

class RunTable : public ReportVisitor {
 public:
  void report(const ReportHeader& header) override;
  // Names are kept in UTF-8 (area_name.h). An area that appears twice in one
  // report, which the library never writes, keeps its first value there.
  void area(const AreaBlock& block) override;

  std::size_t reports() const noexcept { return reports_; }
  std::size_t areas() const noexcept { return index_.size(); }
  const AreaIndex& index() const noexcept { return index_; }

  // Each area's values, sorted, in the order the areas were first seen.
  // Sorts the values it holds; call once all reports are read.
  std::vector<AreaRuns> runs();

 private:
  struct Sample {
    std::uint32_t area;
    std::uint64_t microseconds;
  };

  AreaIndex index_;
  std::vector<std::uint32_t> last_report_;  // per area: the last report it appeared in
  std::vector<Sample> samples_;
  std::vector<std::uint64_t> grouped_;
  std::string name_;  // the name being added, in UTF-8
  std::size_t reports_ = 0;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_RUN_TABLE_H
