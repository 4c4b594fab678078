#include "timer/area_table.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

namespace vykpav::timer {

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

VYS_BD* AreaTable::find_and_remember(const char* name, RecentLookup& recent) noexcept {
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
