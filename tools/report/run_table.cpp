#include "tools/report/run_table.h"

#include <algorithm>
#include <functional>

#include "tools/report/area_name.h"

namespace vykpav::report {

void RunTable::report(const ReportOpening&) { ++reports_; }

std::string_view RunTable::name(std::size_t area) const noexcept {
  const std::size_t start = area == 0 ? 0 : name_ends_[area - 1];
  return std::string_view(names_).substr(start, name_ends_[area] - start);
}

std::size_t RunTable::slot_of(std::string_view name, std::size_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const auto [slot_hash, number] = slots_[slot];
    if (number == 0 || (slot_hash == hash && this->name(number - 1) == name)) return slot;
  }
}

// Kept at most half full, so that a search ends soon.
void RunTable::grow() {
  const std::vector<std::pair<std::size_t, std::size_t>> old = std::move(slots_);
  slots_.assign(std::max<std::size_t>(1024, 2 * old.size()), {0, 0});
  const std::size_t mask = slots_.size() - 1;
  for (const auto& entry : old) {
    if (entry.second == 0) continue;
    std::size_t slot = entry.first & mask;
    while (slots_[slot].second != 0) slot = (slot + 1) & mask;
    slots_[slot] = entry;
  }
}

void RunTable::area(const AreaBlock& block) {
  if (2 * (areas() + 1) > slots_.size()) grow();
  assign_utf8_name(name_, block.name);
  const std::size_t hash = std::hash<std::string_view>()(name_);
  auto& [slot_hash, number] = slots_[slot_of(name_, hash)];
  if (number == 0) {
    names_ += name_;
    name_ends_.push_back(names_.size());
    last_report_.push_back(reports_);
    slot_hash = hash;
    number = areas();
  } else if (last_report_[number - 1] == reports_) {
    return;
  } else {
    last_report_[number - 1] = reports_;
  }
  samples_.emplace_back(number - 1, block.microseconds);
}

std::size_t RunTable::find(std::string_view name) const noexcept {
  if (slots_.empty()) return areas();
  const std::size_t number = slots_[slot_of(name, std::hash<std::string_view>()(name))].second;
  return number == 0 ? areas() : number - 1;
}

// A counting sort by area: one pass to count, one to place.
void RunTable::group() {
  starts_.assign(areas() + 1, 0);
  for (const auto& sample : samples_) ++starts_[sample.first + 1];
  for (std::size_t area = 0; area < areas(); ++area) starts_[area + 1] += starts_[area];
  std::vector<std::size_t> next(starts_.begin(), starts_.end() - 1);
  grouped_.resize(samples_.size());
  for (const auto& [area, value] : samples_) grouped_[next[area]++] = value;
  decltype(samples_)().swap(samples_);
  for (std::size_t area = 0; area < areas(); ++area)
    std::sort(grouped_.begin() + static_cast<std::ptrdiff_t>(starts_[area]),
              grouped_.begin() + static_cast<std::ptrdiff_t>(starts_[area + 1]));
}

}  // namespace vykpav::report
