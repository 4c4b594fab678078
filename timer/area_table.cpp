#include "timer/area_table.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

namespace vykpav::timer {

namespace {

// True when the zero-terminated `text` holds exactly the bytes of `name`.
// Stops at the first difference, so it never reads past `text`'s end.
inline bool same_text(const std::string& name, const char* text) noexcept {
  const char* expected = name.c_str();  // ends in a zero byte too
  for (;; ++expected, ++text) {
    if (*expected != *text) return false;
    if (*expected == '\0') return true;
  }
}

inline std::size_t recent_slot(const char* name, std::size_t slots) noexcept {
  const std::uint64_t address = reinterpret_cast<std::uintptr_t>(name);
  return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15ull) >> 58) & (slots - 1);
}

}  // namespace

AreaTable::AreaTable(std::uint32_t count, const char* const* names) {
  std::vector<std::string> keys;
  keys.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (names == nullptr) {
      std::string key;
      platform::append_unsigned(key, i);
      keys.push_back(std::move(key));
    } else if (names[i] != nullptr) {
      keys.emplace_back(names[i]);
    }
  }
  // std::string orders its bytes as unsigned values, a prefix first.
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  areas_.reserve(keys.size());
  for (std::string& key : keys) areas_.push_back(Area{std::move(key), VYS_BD{}});
}

VYS_BD* AreaTable::find(const char* name) noexcept {
  RecentLookup& recent = recent_[recent_slot(name, recent_.size())];
  if (recent.name == name && same_text(recent.area->name, name)) return &recent.area->record;
  Area* area = search(name);
  if (area == nullptr) return nullptr;
  recent = RecentLookup{name, area};
  return &area->record;
}

Area* AreaTable::search(const char* name) noexcept {
  // strcmp compares bytes as unsigned values: the table's own order.
  const auto it = std::lower_bound(areas_.begin(), areas_.end(), name,
                                   [](const Area& area, const char* key) {
                                     return std::strcmp(area.name.c_str(), key) < 0;
                                   });
  if (it == areas_.end() || std::strcmp(it->name.c_str(), name) != 0) return nullptr;
  return &*it;
}

}  // namespace vykpav::timer
