// Area names, each kept once, numbered in the order they are first seen.
// An open-addressing table over one block of name bytes: a report may hold
// a million areas, and a node and a string per name would cost more than
// reading them.
#ifndef VYKPAV_TOOLS_REPORT_AREA_INDEX_H
#define VYKPAV_TOOLS_REPORT_AREA_INDEX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vykpav::report {

class AreaIndex {
 public:
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  // The number of `name`, given the next one when the name is new.
  std::uint32_t find_or_add(std::string_view name);
  // The number of `name`, or kNone.
  std::uint32_t find(std::string_view name) const noexcept;

  std::string_view name(std::uint32_t area) const noexcept {
    const Entry& entry = entries_[area];
    return {names_.data() + entry.offset, entry.length};
  }
  std::size_t size() const noexcept { return entries_.size(); }

 private:
  struct Entry {
    std::uint64_t hash;
    std::size_t offset;
    std::size_t length;
  };

  static std::uint64_t hash(std::string_view name) noexcept;
  std::size_t slot_of(std::string_view name, std::uint64_t hash) const noexcept;
  void grow();

  std::string names_;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // 0: empty, else an area's number + 1
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_AREA_INDEX_H
