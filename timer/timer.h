// The timer behind VYK_PAV: its counter frequency, its area table, the marks
// and the report. The platform it reads is fixed at construction.
#ifndef VYKPAV_TIMER_TIMER_H
#define VYKPAV_TIMER_TIMER_H

#include <cstdint>
#include <optional>

#include "base/compiler.h"
#include "number/u64.h"
#include "platform/platform.h"
#include "platform/system_counter.h"
#include "selvorin/vyknb64.h"
#include "timer/area_table.h"

namespace vykpav::timer {

class Timer {
 public:
  // Asks for the counter frequency once; without a counter it shows the error
  // box and stays inert (no table; marks and reports do nothing).
  Timer(std::uint32_t count, const char* const* names, platform::Platform& platform);

  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // The counter is read last, after the file and line are recorded.
  void begin(const char* area, const char* file, int line) {
    VYS_BD* record = record_for(area, file);
    if (record == nullptr) return;
    record->start_file.assign(file, area_table_->kept_file_texts());
    record->start_line = line;
    record->start_ticks = number::from_u64(counter_ticks());
  }

  // The counter is read first, before the file and line are recorded. The
  // reading is stored once the file text is in place, so that a mark which
  // runs out of memory copying it changes nothing, as a begin mark does.
  void end(const char* area, const char* file, int line) {
    VYS_BD* record = record_for(area, file);
    if (record == nullptr) return;
    const std::uint64_t ticks = counter_ticks();
    record->end_file.assign(file, area_table_->kept_file_texts());
    record->end_ticks = number::from_u64(ticks);
    record->end_line = line;
  }

  // Writes the report to `file_name` (appended) or to the default file
  // (replaced) when it is null.
  void report(const char* file_name);

  const Selvorin::VYKNB64& frequency() const noexcept { return frequency_; }
  // Null for an inert timer.
  const AreaTable* area_table() const noexcept {
    return area_table_.has_value() ? &*area_table_ : nullptr;
  }

 private:
  // An inert timer (no counter, zero frequency) has no table.
  VYS_BD* record_for(const char* area, const char* file) noexcept {
    if (area == nullptr || file == nullptr || !area_table_.has_value()) return nullptr;
    return area_table_->find(area);
  }

  // The system's counter is read directly, not through its provider: the
  // marks' reading then costs what a bare one does.
  std::uint64_t counter_ticks() {
    if (VYKPAV_LIKELY(reads_system_counter_)) return platform::system_counter_ticks();
    return platform_.counter_ticks();
  }

  platform::Platform& platform_;
  const bool reads_system_counter_;
  Selvorin::VYKNB64 frequency_;
  // Inside the timer, not behind a pointer of its own: one load less before
  // a mark reaches its record.
  std::optional<AreaTable> area_table_;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_TIMER_H
