// Times for people: microseconds in the unit that fits, to three significant
// digits ("62.8 ms", "133 ms", "1.23 s", "850 µs").
#ifndef VYKPAV_TOOLS_REPORT_DURATION_TEXT_H
#define VYKPAV_TOOLS_REPORT_DURATION_TEXT_H

#include <string>

namespace vykpav::report {

// µs below 999.5 µs, ms below 999.5 ms, s from there on; past 999.5 s the
// seconds are rounded to three significant digits and written whole
// ("1230 s").
std::string duration_text(double microseconds);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_DURATION_TEXT_H
