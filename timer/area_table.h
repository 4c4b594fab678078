// The table of a timer's areas: every name given at construction with its
// record, in ascending byte order of the names. Entries are never added or
// removed afterwards; marks only change the records.
#ifndef VYKPAV_TIMER_AREA_TABLE_H
#define VYKPAV_TIMER_AREA_TABLE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/compiler.h"
#include "platform/large_pages.h"
#include "timer/address_slot.h"
#include "timer/area_record.h"
#include "timer/kept_file_texts.h"
#include "timer/name_index.h"
#include "timer/same_text.h"
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

  // The record of the area whose name is exactly `name`, or null. In a
  // table of a few areas the home slot of the name's address is tried
  // first: a mark whose name comes from the same address as before mostly
  // reaches its record there, with one compare of the bytes and no hash of
  // them. A larger table goes to the index at once.
  VYS_BD* find(const char* name) noexcept {
    if (VYKPAV_LIKELY(remembers_addresses_)) {
      const RecentLookup& recent = recent_[address_slot<kRecentBits>(name)];
      if (VYKPAV_LIKELY(recent.address == name && same_text(recent.name, recent.length, name)))
        return recent.record;
      return find_and_remember(name);
    }
    return find_in_index(name);
  }

  // All areas in ascending name order (bytes compared as unsigned values,
  // a prefix before its extensions).
  const Areas& areas() const noexcept { return areas_; }

  // Where the records' file texts are kept.
  KeptFileTexts& kept_file_texts() noexcept { return kept_file_texts_; }

 private:
  void add_named_areas(std::uint32_t count, const char* const* names);
  void add_numbered_areas(std::uint32_t count);

  VYS_BD* find_and_remember(const char* name) noexcept;
  // Out of line, as the address lookups' misses are: the marks keep fewer
  // registers, and under Wine a pair with a 100-byte file text costs less.
  VYS_BD* find_in_index(const char* name) noexcept;

  TextArena arena_;
  KeptFileTexts kept_file_texts_{arena_};
  Areas areas_;
  NameIndex index_;

  // Hosts pass the same literal for an area each time, so in a table of a
  // few areas each area found is remembered under the address of the name
  // that found it, in a small open-addressing table (the next slot after a
  // taken one). Its bytes are still compared, since the same address may
  // hold another name later.
  struct RecentLookup {
    const char* address = nullptr;
    const char* name = nullptr;  // the area's own, zero-terminated
    std::size_t length = 0;      // of the name
    VYS_BD* record = nullptr;
  };
  // 512 slots (16 KiB), at most half of them taken, so a name is seldom far
  // from its home slot; a host whose names keep coming from new addresses
  // fills them, and then all are forgotten at once. A table of more areas
  // uses the index alone. Measured with 1024 areas at random: 2048 slots
  // (64 KiB, past the fastest cache) made a pair of marks about a tenth
  // cheaper for literal names and a tenth dearer for names copied anew for
  // each mark, whose address always holds another name by then.
  static constexpr int kRecentBits = 9;
  static constexpr std::size_t kRecentSlots = std::size_t{1} << kRecentBits;
  static constexpr std::size_t kMostRemembered = kRecentSlots / 2;
  bool remembers_addresses_ = false;
  std::array<RecentLookup, kRecentSlots> recent_{};
  std::size_t remembered_ = 0;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_AREA_TABLE_H
