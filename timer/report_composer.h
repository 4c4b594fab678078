// The report's text, assembled from the timer's readings without touching
// the clock, the locale or any file, so its exact bytes can be tested.
#ifndef VYKPAV_TIMER_REPORT_COMPOSER_H
#define VYKPAV_TIMER_REPORT_COMPOSER_H

#include <cstddef>
#include <cstdint>
#include <functional>
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
  // The bytes of their names and file texts, together, and the most one
  // area has of them.
  std::size_t text_bytes = 0;
  std::size_t largest_text_bytes = 0;
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

// A report goes to its file in pieces of about this many bytes, each
// written while it is still in the caches. A report of up to some 10,000
// areas is one piece, written to its file in one call.
inline constexpr std::size_t kReportPiece = std::size_t{4} << 20;

// Takes each piece of a report as it is composed, to write it out.
using PieceWriter = std::function<void(std::string_view)>;

// Replaces `out` by the report: header, one block per ordered area, closing
// notice. Lines end in CR LF; the notice ends the text. With a writer, each
// time `out` holds `piece` bytes or more they go to `write` and `out` starts
// again empty, so a report of any size takes about a piece of memory and
// leaves each piece to be written while it is still in the caches; the last
// piece stays in `out`. Room for all `out` will hold is taken first: nothing
// is allocated once the first piece has gone.
void compose_report(std::string& out, const ReportHeader& header, const OrderedAreas& areas,
                    std::size_t piece = SIZE_MAX, const PieceWriter& write = {});

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_REPORT_COMPOSER_H
