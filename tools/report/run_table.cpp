#include "tools/report/run_table.h"

#include <algorithm>

#include "tools/report/area_name.h"

namespace vykpav::report {

void RunTable::report(const ReportHeader&) {
  if (first_report_unindexed_) {
    index_first_report();
    // Values from here on name their areas and reports.
    if (sample_areas_.empty()) {
      sample_areas_.resize(sample_values_.size());
      for (std::size_t i = 0; i < sample_areas_.size(); ++i)
        sample_areas_[i] = static_cast<std::uint32_t>(i);
      last_report_.assign(index_.size(), 1);
    }
  }
  ++reports_;
  first_report_unindexed_ = reports_ == 1;
}

// In the first report, area k has value k, and no more: its values need
// neither their areas nor their report noted, unless more reports follow.
void RunTable::index_first_report() {
  if (!first_report_unindexed_) return;
  first_report_unindexed_ = false;
  if (index_.index_added()) return;
  AreaIndex names = std::move(index_);
  index_ = AreaIndex();
  LargeVector<std::uint64_t> values;
  values.swap(sample_values_);
  sample_areas_.clear();
  last_report_.clear();
  for (std::uint32_t area = 0; area < names.size(); ++area) {
    const std::string_view name = names.name(area);
    add({std::string(name), AreaIndex::hash(name), values[area], 1});
  }
}

void RunTable::input_size(std::uint64_t bytes) {
  // An area block is well over 150 bytes; room for four million at most.
  constexpr std::uint64_t kSmallestBlock = 150, kMostReserved = 1u << 22;
  const auto blocks = static_cast<std::size_t>(std::min(bytes / kSmallestBlock, kMostReserved));
  most_blocks_ = blocks;
  if (blocks <= sample_values_.capacity() - sample_values_.size()) return;
  sample_values_.reserve(sample_values_.size() + blocks);
}

void RunTable::area(const AreaBlock& block) {
  if (first_report_unindexed_) {
    std::string_view name = block.name;  // kept as it is when it is UTF-8
    if (!is_utf8(name)) {
      assign_utf8_name(name_, name);
      name = name_;
    }
    const std::uint32_t area = index_.add_unsearched(name, AreaIndex::hash(name));
    sample_values_.push_back(block.microseconds);
    // A large first report: room for the areas the file can hold, names as
    // long as these, so that the index is not copied as it grows.
    if (area + 1 == kLargeReport && most_blocks_ > kLargeReport)
      index_.reserve(most_blocks_, index_.name_bytes() / kLargeReport + 1);
    return;
  }
  if (pending_count_ == kAhead) {
    add(pending_[first_pending_]);
    first_pending_ = (first_pending_ + 1) % kAhead;
    --pending_count_;
  }
  Pending& next = pending_[(first_pending_ + pending_count_) % kAhead];
  ++pending_count_;
  assign_utf8_name(next.name, block.name);
  next.hash = AreaIndex::hash(next.name);
  next.microseconds = block.microseconds;
  next.report = static_cast<std::uint32_t>(reports_);
  index_.prefetch(next.hash);
}

void RunTable::add(const Pending& block) {
  const std::uint32_t area = index_.find_or_add(block.name, block.hash);
  if (area == last_report_.size()) {
    last_report_.push_back(block.report);
  } else if (last_report_[area] == block.report) {
    return;
  } else {
    last_report_[area] = block.report;
  }
  sample_areas_.push_back(area);
  sample_values_.push_back(block.microseconds);
}

void RunTable::flush() {
  for (; pending_count_ > 0; --pending_count_) {
    add(pending_[first_pending_]);
    first_pending_ = (first_pending_ + 1) % kAhead;
  }
}

void RunTable::group() {
  index_first_report();
  flush();
  const std::size_t areas = index_.size(), samples = sample_values_.size();
  // One report, or areas that each appeared once: already one value each,
  // in the order of the areas.
  bool one_each = samples == areas;
  for (std::size_t i = 0; one_each && i < sample_areas_.size(); ++i)
    one_each = sample_areas_[i] == i;
  if (one_each) {
    grouped_.swap(sample_values_);
  } else {
    // A counting sort by area: one pass to count, one to place.
    grouped_.resize(samples);
    starts_.assign(areas + 1, 0);
    for (const std::uint32_t area : sample_areas_) ++starts_[area + 1];
    for (std::size_t i = 1; i < starts_.size(); ++i) starts_[i] += starts_[i - 1];
    LargeVector<std::size_t> next(starts_.begin(), starts_.end() - 1);
    for (std::size_t i = 0; i < samples; ++i)
      grouped_[next[sample_areas_[i]]++] = sample_values_[i];
    for (std::size_t area = 0; area < areas; ++area)
      std::sort(grouped_.data() + starts_[area], grouped_.data() + starts_[area + 1]);
  }
  LargeVector<std::uint32_t>().swap(sample_areas_);
  LargeVector<std::uint64_t>().swap(sample_values_);
}

}  // namespace vykpav::report
