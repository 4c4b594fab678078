#include "timer/area_table.h"

#include <algorithm>
#include <cstring>

#include "number/text_format.h"
#include "selvorin/vyknb64.h"

namespace vykpav::timer {

AreaTable::AreaTable(std::uint32_t count, const char* const* names) {
  if (names == nullptr) {
    add_numbered_areas(count);
  } else {
    add_named_areas(count, names);
  }
  index_ = NameIndex(areas_.size());
  for (std::size_t place = 0; place < areas_.size(); ++place)
    index_.add(areas_[place].name, static_cast<std::uint32_t>(place));
  remembers_addresses_ = areas_.size() <= kMostRemembered;
}

void AreaTable::add_named_areas(std::uint32_t count, const char* const* names) {
  // Sorted and made unique as pointers to the caller's texts, so that each
  // name is copied once, straight into its area. strcmp compares bytes as
  // unsigned values, a prefix first: the table's own order.
  std::vector<const char*> keys;
  keys.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i)
    if (names[i] != nullptr) keys.push_back(names[i]);
  std::sort(keys.begin(), keys.end(),
            [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
  keys.erase(std::unique(keys.begin(), keys.end(),
                         [](const char* a, const char* b) { return std::strcmp(a, b) == 0; }),
             keys.end());
  // All names in one block, in table order.
  std::size_t name_bytes = 0;
  for (const char* key : keys) name_bytes += std::strlen(key) + 1;
  arena_.reserve(name_bytes);
  areas_.reserve(keys.size());
  for (const char* key : keys) areas_.push_back(Area{arena_.copy(key), VYS_BD{}});
}

// "0" to "count - 1" made in byte order ("0", "1", "10", "100", ..., "11",
// ..., "2", ...): the walk of the tree of decimal digits, depth first, so
// nothing needs sorting.
void AreaTable::add_numbered_areas(std::uint32_t count) {
  areas_.reserve(count);
  if (count == 0) return;
  // All names in one block: every number has a first digit and a zero byte,
  // and those from 10^k on a digit more for each k.
  std::size_t name_bytes = 2 * std::size_t{count};
  for (std::uint64_t power = 10; power < count; power *= 10)
    name_bytes += static_cast<std::size_t>(count - power);  // below count: it fits
  arena_.reserve(name_bytes);
  std::uint64_t n = 0;
  for (std::uint32_t made = 0; made < count; ++made) {
    // Plain decimal, the digits of "%u": VsStr is the one decimal writer,
    // the report's for line numbers too.
    unsigned char digits[number::kDecimalRoom];
    Selvorin::VYKNB64 number(n);
    const int length = number.VsStr(digits, 0, 10);
    const std::string_view key(reinterpret_cast<const char*>(digits),
                               static_cast<std::size_t>(length));
    areas_.push_back(Area{arena_.copy(key), VYS_BD{}});
    if (n == 0) {
      n = 1;  // "0" has no extensions among the numbers
    } else if (n * 10 < count) {
      n *= 10;  // down: the first extension
    } else {
      // Up past every level whose last digit is 9 or whose next number is
      // out of range, then on to the next sibling.
      while (n % 10 == 9 || n + 1 >= count) n /= 10;
      ++n;
    }
  }
}

VYS_BD* AreaTable::find_in_index(const char* name) noexcept {
  const std::uint32_t place = index_.find(name);
  return place == NameIndex::kNone ? nullptr : &areas_[place].record;
}

VYS_BD* AreaTable::find_and_remember(const char* name) noexcept {
  std::size_t slot = address_slot<kRecentBits>(name);
  for (; recent_[slot].address != nullptr; slot = (slot + 1) % kRecentSlots) {
    if (recent_[slot].address != name) continue;
    if (same_text(recent_[slot].name, recent_[slot].length, name)) return recent_[slot].record;
    break;  // the address holds another name now: its slot is this name's
  }
  const std::uint32_t place = index_.find(name);
  if (place == NameIndex::kNone) return nullptr;
  Area& area = areas_[place];
  if (recent_[slot].address == nullptr) {
    if (remembered_ == kMostRemembered) {
      recent_.fill(RecentLookup{});
      remembered_ = 0;
      slot = address_slot<kRecentBits>(name);
    }
    ++remembered_;
  }
  recent_[slot] = RecentLookup{name, area.name.data(), area.name.size(), &area.record};
  return &area.record;
}

}  // namespace vykpav::timer
