#include "timer/timer.h"

#include <string>
#include <string_view>

#include "timer/messages.h"
#include "timer/report_buffer.h"
#include "timer/report_composer.h"
#include "timer/report_file.h"

namespace vykpav::timer {

Timer::Timer(std::uint32_t count, const char* const* names, platform::Platform& platform)
    : platform_(platform), reads_system_counter_(&platform == &platform::system_platform()) {
  std::uint64_t ticks_per_second = 0;
  // A counter that claims zero ticks per second could never time anything:
  // it counts as no counter.
  if (!platform_.counter_frequency(ticks_per_second) || ticks_per_second == 0) {
    const Messages& text = messages(message_language(platform_.default_language_id()));
    platform_.show_error_box(text.error_caption, text.error_text);
    return;
  }
  frequency_ = number::from_u64(ticks_per_second);
  area_table_.emplace(count, names);
}

void Timer::report(const char* file_name) {
  const Language language = message_language(platform_.default_language_id());
  if (frequency_ == 0u) return;
  const OrderedAreas areas = order_areas(*area_table_, frequency_);
  // Date and time describe the moment after the ordering pass.
  const std::string date = platform_.local_date_text();
  const std::string time = platform_.local_time_text();
  LockedReportBuffer buffer;
  ReportFile file(file_name);
  compose_report(buffer.text(), ReportHeader{frequency_, language, date, time}, areas, kReportPiece,
                 [&file](std::string_view piece) { file.write(piece); });
  file.write(buffer.text());
}

}  // namespace vykpav::timer
