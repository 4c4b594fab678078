// Numbers for people: times in the unit that fits and ratios, to three
// significant digits, p-values, and counts of things.
#ifndef VYKPAV_TOOLS_REPORT_NUMBER_TEXT_H
#define VYKPAV_TOOLS_REPORT_NUMBER_TEXT_H

#include <cstddef>
#include <string>

namespace vykpav::report {

// `value` (at least 0) to three significant digits, no exponent ("0.523",
// "1.00", "12.3", "150"); from 999.5 up whole, rounded to three significant
// digits ("1230").
std::string three_digits(double value);

// Microseconds as three_digits in µs below 999.5 µs, in ms below 999.5 ms,
// in s from there on ("850 µs", "62.8 ms", "1.23 s", "1230 s").
std::string duration_text(double microseconds);

// A p-value: three significant digits, "<0.0001" below that.
std::string p_value_text(double p);

// "1 area", "2 areas".
std::string count_text(std::size_t n, const char* one, const char* many);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_NUMBER_TEXT_H
