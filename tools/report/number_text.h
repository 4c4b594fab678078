// Numbers for people: to three significant digits (times and ratios), and
// p-values.
#ifndef VYKPAV_TOOLS_REPORT_NUMBER_TEXT_H
#define VYKPAV_TOOLS_REPORT_NUMBER_TEXT_H

#include <string>

namespace vykpav::report {

// `value` (at least 0) to three significant digits, no exponent ("0.523",
// "1.00", "12.3", "150"); from 999.5 up whole, rounded to three significant
// digits ("1230").
std::string three_digits(double value);

// A p-value: three significant digits, "<0.0001" below that.
std::string p_value_text(double p);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_NUMBER_TEXT_H
