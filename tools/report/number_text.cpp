#include "tools/report/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vykpav::report {

namespace {

// `value` rounded to `decimals` places (0 to 3), half up, without an exponent.
std::string fixed(double value, int decimals) {
  static constexpr double kScale[] = {1, 10, 100, 1000};
  const double rounded = std::round(value * kScale[decimals]) / kScale[decimals];
  char text[400];  // room for the largest double's digits
  const auto end =
      std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, decimals);
  return std::string(text, end.ptr);
}

}  // namespace

std::string three_digits(double value) {
  if (value >= 999.5) {
    const double scale = std::pow(10.0, std::floor(std::log10(value)) - 2);
    return fixed(std::round(value / scale) * scale, 0);
  }
  // The places that leave three digits after rounding: 9.996 is "10.0".
  const int decimals = value < 0.9995 ? 3 : value < 9.995 ? 2 : value < 99.95 ? 1 : 0;
  return fixed(value, decimals);
}

std::string duration_text(double microseconds) {
  if (microseconds == 0) return "0 \u00B5s";
  if (microseconds < 999.5) return three_digits(microseconds) + " \u00B5s";
  if (microseconds < 999.5e3) return three_digits(microseconds / 1e3) + " ms";
  return three_digits(microseconds / 1e6) + " s";
}

std::string p_value_text(double p) {
  if (p < 0.0001) return "<0.0001";
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", p);
  return text;
}

std::string count_text(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace vykpav::report
