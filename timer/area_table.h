// The table of a timer's areas: every name given at construction with its
// record, in ascending byte order of the names. Entries are never added or
// removed afterwards; marks only change the records.
#ifndef VYKPAV_TIMER_AREA_TABLE_H
#define VYKPAV_TIMER_AREA_TABLE_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "timer/area_record.h"

namespace vykpav::timer {

struct Area {
  std::string name;
  VYS_BD record;
};

class AreaTable {
 public:
  // Areas named names[0..count-1], one per distinct name, null entries
  // skipped; or "0", "1", ... "count-1" when `names` is null.
  AreaTable(std::uint32_t count, const char* const* names);

  AreaTable(const AreaTable&) = delete;
  AreaTable& operator=(const AreaTable&) = delete;

  // The record of the area whose name is exactly `name`, or null.
  VYS_BD* find(const char* name) noexcept;

  // All areas in ascending name order (bytes compared as unsigned values,
  // a prefix before its extensions).
  const std::vector<Area>& areas() const noexcept { return areas_; }

 private:
  Area* search(const char* name) noexcept;

  std::vector<Area> areas_;

  // Hosts pass the same literal for an area each time, so the area last found
  // for a name's address is tried first; its bytes are compared, since the
  // same address may hold another name later.
  struct RecentLookup {
    const char* name = nullptr;
    Area* area = nullptr;
  };
  std::array<RecentLookup, 64> recent_{};
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_AREA_TABLE_H
