// Times for people: microseconds in the unit that fits, to three significant
// digits ("62.8 ms", "133 ms", "1.23 s", "850 µs").
#ifndef VYKPAV_TOOLS_REPORT_DURATION_TEXT_H
#define VYKPAV_TOOLS_REPORT_DURATION_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace vykpav::report {

// µs below 999.5 µs, ms below 999.5 ms, s from there on; past 999.5 s the
// seconds are rounded to three significant digits and written whole
// ("1230 s").
std::string duration_text(double microseconds);

// The same text in a buffer of its own, for tables of a million rows.
struct DurationText {
  char bytes[32];
  std::size_t size;
  std::size_t columns;  // on a terminal: "µ" is two bytes, one column
  std::string_view view() const noexcept { return {bytes, size}; }
};
DurationText format_duration(double microseconds) noexcept;

// A ratio to three significant digits ("0.52", "1.00", "12.3", "150").
std::string ratio_text(double ratio);

// A p-value: three significant digits, "<0.0001" below that.
std::string p_value_text(double p);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_DURATION_TEXT_H
