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

#include "platform/large_pages.h"

namespace vykpav::report {

// A vector whose large blocks the system may back with large pages: a
// million areas take tens of megabytes, and page faults on small pages
// would cost as much as reading the file.
template <class T>
using LargeVector = std::vector<T, platform::LargePageAllocator<T>>;

class AreaIndex {
 public:
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  static std::uint64_t hash(std::string_view name) noexcept;

  // Asks for the slot where a name of this hash starts its search, so that
  // a later find_or_add finds it at hand.
  void prefetch(std::uint64_t hash) const noexcept {
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  }
  // The number of `name` (of hash `h`), given the next one when it is new.
  std::uint32_t find_or_add(std::string_view name, std::uint64_t h);
  std::uint32_t find_or_add(std::string_view name) { return find_or_add(name, hash(name)); }
  // The number of `name`, or kNone.
  std::uint32_t find(std::string_view name) const noexcept;

  // Adds the next area without a search, for names taken to be new: those
  // of a table's first report, where names are distinct. index_added()
  // must follow before any search.
  std::uint32_t add_unsearched(std::string_view name, std::uint64_t h);
  // Enters every area in the table at once; false, and the table unusable,
  // when two have the same name (which only a file the library did not
  // write holds).
  bool index_added();

  std::string_view name(std::uint32_t area) const noexcept {
    const Entry& entry = entries_[area];
    return {names_.data() + entry.offset, entry.length};
  }
  std::size_t size() const noexcept { return entries_.size(); }
  std::size_t name_bytes() const noexcept { return names_.size(); }
  // Room for `areas` areas in all, with names of `bytes_each`, reserved.
  void reserve(std::size_t areas, std::size_t bytes_each) {
    entries_.reserve(areas);
    names_.reserve(areas * bytes_each);
  }

 private:
  // 16 bytes: names of 4 GiB in all are far beyond any report's.
  struct Entry {
    std::uint64_t hash;
    std::uint32_t offset;  // of the name in names_
    std::uint32_t length;
  };

  std::size_t slot_of(std::string_view name, std::uint64_t hash) const noexcept;
  std::uint32_t append(std::string_view name, std::uint64_t h);
  void grow();

  std::basic_string<char, std::char_traits<char>, platform::LargePageAllocator<char>> names_;
  LargeVector<Entry> entries_;
  // 0: empty; else the hash's upper half, then the area's number + 1, so a
  // search passes other names without reading their entries.
  LargeVector<std::uint64_t> slots_;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_AREA_INDEX_H
