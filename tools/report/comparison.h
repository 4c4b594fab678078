// What the tool concludes: each area's summary over its runs, and for two
// sets of runs, each area's change with its verdict. Ordered as every output
// shows them: by median ascending (for a comparison the after median, or the
// before median for an area only before), then by name.
#ifndef VYKPAV_TOOLS_REPORT_COMPARISON_H
#define VYKPAV_TOOLS_REPORT_COMPARISON_H

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "tools/report/run_table.h"
#include "tools/report/statistics.h"

namespace vykpav::report {

struct SummarizedArea {
  std::string_view name;
  Summary summary;
};

// The areas of a summary in order, each summed up when it is asked for: a
// million areas would otherwise be a million records more to hold.
class SummarizedAreas {
 public:
  class Iterator {
   public:
    Iterator(const SummarizedAreas* areas, std::size_t i) : areas_(areas), i_(i) {}
    SummarizedArea operator*() const { return (*areas_)[i_]; }
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return i_ != other.i_; }

   private:
    const SummarizedAreas* areas_;
    std::size_t i_;
  };

  std::size_t size() const noexcept { return order_.size(); }
  bool empty() const noexcept { return order_.empty(); }
  SummarizedArea operator[](std::size_t i) const {
    const AreaRuns runs = table_->run(order_[i]);
    return {runs.name, summarize(runs.values, runs.count)};
  }
  // The name alone, without summing up.
  std::string_view name(std::size_t i) const noexcept { return table_->index().name(order_[i]); }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, order_.size()}; }

 private:
  friend struct SummaryResult summarize(RunTable& table);
  const RunTable* table_ = nullptr;
  LargeVector<std::uint32_t> order_;  // the areas' numbers in the table
};

struct SummaryResult {
  std::size_t reports = 0;
  SummarizedAreas areas;
};

// Groups the values of `table` (see RunTable::group); the result reads them
// from the table, which must outlive it.
SummaryResult summarize(RunTable& table);

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
  LargeVector<ComparedArea> areas;
};

// `alpha` in (0, 1). The verdict is faster or slower when p < alpha (the
// side whose values rank lower is the faster); no change when p >= alpha;
// too few runs when even the smallest p the two run counts allow is not
// below alpha (three runs against three never reach 0.05).
ComparisonResult compare(RunTable& before, RunTable& after, double alpha);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_COMPARISON_H
