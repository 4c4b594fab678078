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
  // Makes room for the values of the blocks such a file can hold, so that a
  // report of a million areas is not copied to ever larger storage while it
  // is read. The room is only reserved: pages are taken as values arrive.
  void input_size(std::uint64_t bytes) override;

  std::size_t reports() const noexcept { return reports_; }

  // Groups the values by area and sorts each group; call once, when all
  // reports are read. The areas are numbered in the order first seen.
  void group();
  // Once grouped: the areas, and the values of each.
  std::size_t areas() const noexcept { return index_.size(); }
  const AreaIndex& index() const noexcept { return index_; }
  AreaRuns run(std::uint32_t area) const noexcept {
    if (starts_.empty()) return {index_.name(area), &grouped_[area], 1};  // one value each
    return {index_.name(area), grouped_.data() + starts_[area], starts_[area + 1] - starts_[area]};
  }

 private:
  // A block whose name waits for its slot in the index to arrive from
  // memory: a million new names would otherwise wait for each in turn.
  struct Pending {
    std::string name;  // UTF-8
    std::uint64_t hash;
    std::uint64_t microseconds;
    std::uint32_t report;
  };
  static constexpr std::size_t kAhead = 16;

  void add(const Pending& block);
  void flush();
  // The first report's names go into the index unsearched, all at once when
  // it ends; a name given twice in it means doing them again one by one.
  void index_first_report();

  static constexpr std::uint32_t kLargeReport = 1u << 16;

  bool first_report_unindexed_ = false;
  std::size_t most_blocks_ = 0;  // that the input can hold, when its size is known
  std::string name_;             // the name being added, in UTF-8

  Pending pending_[kAhead];
  std::size_t first_pending_ = 0, pending_count_ = 0;
  AreaIndex index_;
  LargeVector<std::uint32_t> last_report_;  // per area: the last report it appeared in
  // Each value and its area, in the order read; in the first report the
  // areas are the values' own numbers and not noted.
  LargeVector<std::uint32_t> sample_areas_;
  LargeVector<std::uint64_t> sample_values_;
  LargeVector<std::uint64_t> grouped_;
  LargeVector<std::size_t> starts_;  // of each area's values; empty when each has one
  std::size_t reports_ = 0;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_RUN_TABLE_H
