// Every area's microseconds over a set of reports: one value for each report
// the area appears in. Memory grows with areas times reports, not with the
// size of the files they came from.
#ifndef VYKPAV_TOOLS_REPORT_RUN_TABLE_H
#define VYKPAV_TOOLS_REPORT_RUN_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/report/report_reader.h"

namespace vykpav::report {

// The values of one area, ascending.
struct AreaRuns {
  const std::uint64_t* values;
  std::size_t count;
};

class RunTable : public ReportVisitor {
 public:
  void report(const ReportOpening& opening) override;
  // Names are kept in UTF-8 (area_name.h). An area that appears twice in one
  // report, which the library never writes, keeps its first value there.
  void area(const AreaBlock& block) override;

  std::size_t reports() const noexcept { return reports_; }
  // The areas, numbered in the order first seen.
  std::size_t areas() const noexcept { return name_ends_.size(); }
  std::string_view name(std::size_t area) const noexcept;
  // The number of the area of this name, or areas() when there is none.
  std::size_t find(std::string_view name) const noexcept;

  // Groups the values by area and sorts each group; call once, when all
  // reports are read. Then runs() gives the values of each.
  void group();
  AreaRuns runs(std::size_t area) const noexcept {
    return {grouped_.data() + starts_[area], starts_[area + 1] - starts_[area]};
  }

 private:
  // The slot that holds `name` (of hash `hash`), or the empty one where it
  // would go.
  std::size_t slot_of(std::string_view name, std::size_t hash) const noexcept;
  void grow();

  std::string names_;                   // every name, one after another
  std::vector<std::size_t> name_ends_;  // where each ends in names_
  // Open addressing over the areas: a name's hash and its area's number + 1,
  // or 0 there for an empty slot. Names of another hash are passed by.
  std::vector<std::pair<std::size_t, std::size_t>> slots_;
  std::vector<std::size_t> last_report_;                        // per area: the last it appeared in
  std::vector<std::pair<std::size_t, std::uint64_t>> samples_;  // area, value; as read
  std::vector<std::uint64_t> grouped_;
  std::vector<std::size_t> starts_;  // of each area's values in grouped_
  std::string name_;                 // the name being added, in UTF-8
  std::size_t reports_ = 0;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_RUN_TABLE_H
