// The report's text, assembled from the timer's readings without touching
// the clock, the locale or any file, so its exact bytes can be tested.
#ifndef VYKPAV_TIMER_REPORT_COMPOSER_H
#define VYKPAV_TIMER_REPORT_COMPOSER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "selvorin/vyknb64.h"
#include "timer/area_table.h"
#include "timer/messages.h"

namespace vykpav::timer {

struct OrderedArea {
  std::uint64_t microseconds;
  const Area* area;
};

struct OrderedAreas {
  std::vector<OrderedArea> areas;
  // The bytes of their names and file texts, together.
  std::size_t text_bytes = 0;
};

// The begun areas (begin reading not zero) in report order: by the bytes of
// their head lines, that is ascending microseconds, then the names.
OrderedAreas order_areas(const AreaTable& table, const Selvorin::VYKNB64& frequency);

struct ReportHeader {
  Selvorin::VYKNB64 frequency;
  Language language;
  std::string_view date;
  std::string_view time;
};

// Replaces `out` by the whole report: header, one block per ordered area,
// closing notice. Lines end in CR LF; the notice ends the text.
void compose_report(std::string& out, const ReportHeader& header, const OrderedAreas& areas);

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_REPORT_COMPOSER_H
