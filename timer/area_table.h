// The table of a timer's areas: every name given at construction with its
// record, in ascending byte order of the names. Entries are never added or
// removed afterwards; marks only change the records.
#ifndef VYKPAV_TIMER_AREA_TABLE_H
#define VYKPAV_TIMER_AREA_TABLE_H

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/large_pages.h"
#include "timer/address_slot.h"
#include "timer/area_record.h"
#include "timer/kept_file_texts.h"
#include "timer/text_arena.h"

namespace vykpav::timer {

struct Area {
  // A copy in the table's arena, followed by a zero byte.
  std::string_view name;
  VYS_BD record;
};

// On large pages: each report reads the areas in an order of its own (that
// of the times), one record here and the next one megabytes away; on small
// pages nearly every such read also misses the address translation cache,
// and that miss costs more than the read itself.
using Areas = std::vector<Area, platform::LargePageAllocator<Area>>;

class AreaTable {
 public:
  // Areas named names[0..count-1], one per distinct name, null entries
  // skipped; or "0", "1", ... "count-1" when `names` is null.
  AreaTable(std::uint32_t count, const char* const* names);

  AreaTable(const AreaTable&) = delete;
  AreaTable& operator=(const AreaTable&) = delete;

  // The record of the area whose name is exactly `name`, or null. The check
  // of the recent lookups is inline: a mark whose name comes from the same
  // address as before reaches its record without a further call.
  VYS_BD* find(const char* name) noexcept {
    RecentLookup& recent = recent_[address_slot<kRecentBits>(name)];
    if (recent.name == name && same_text(recent.area->name, name)) return &recent.area->record;
    return find_and_remember(name, recent);
  }

  // All areas in ascending name order (bytes compared as unsigned values,
  // a prefix before its extensions).
  const Areas& areas() const noexcept { return areas_; }

  // Where the records' file texts are kept.
  KeptFileTexts& kept_file_texts() noexcept { return kept_file_texts_; }

 private:
  // True when the zero-terminated `text` holds exactly the bytes of `name`.
  // Stops at the first difference, so it never reads past `text`'s end.
  static bool same_text(std::string_view name, const char* text) noexcept {
    const char* expected = name.data();  // ends in a zero byte too
    for (;; ++expected, ++text) {
      if (*expected != *text) return false;
      if (*expected == '\0') return true;
    }
  }

  void add_numbered_areas(std::uint32_t count);

  struct RecentLookup;
  VYS_BD* find_and_remember(const char* name, RecentLookup& recent) noexcept;
  Area* search(const char* name) noexcept;

  TextArena arena_;
  KeptFileTexts kept_file_texts_{arena_};
  Areas areas_;

  // Hosts pass the same literal for an area each time, so the area last found
  // for a name's address is tried first; its bytes are compared, since the
  // same address may hold another name later.
  struct RecentLookup {
    const char* name = nullptr;
    Area* area = nullptr;
  };
  // Chosen, not measured: 64 slots (1 KiB) hold the names of a host's busy
  // loops; a name beyond them only costs the search.
  static constexpr int kRecentBits = 6;
  std::array<RecentLookup, std::size_t{1} << kRecentBits> recent_{};
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_AREA_TABLE_H
