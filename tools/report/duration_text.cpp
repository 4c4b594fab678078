#include "tools/report/duration_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vykpav::report {

namespace {

// `value` rounded to `decimals` places, written without an exponent.
void append_fixed(std::string& out, double value, int decimals) {
  static constexpr double kScale[] = {1, 10, 100, 1000};
  const auto scaled = static_cast<std::uint64_t>(std::llround(value * kScale[decimals]));
  char digits[24];
  const auto count =
      static_cast<int>(std::to_chars(digits, digits + sizeof digits, scaled).ptr - digits);
  if (decimals == 0) {
    out.append(digits, static_cast<std::size_t>(count));
    return;
  }
  if (count <= decimals) {
    out += "0.";
    out.append(static_cast<std::size_t>(decimals - count), '0');
    out.append(digits, static_cast<std::size_t>(count));
    return;
  }
  out.append(digits, static_cast<std::size_t>(count - decimals));
  out += '.';
  out.append(digits + count - decimals, static_cast<std::size_t>(decimals));
}

// `value` (at least 0) to three significant digits, no exponent; from 999.5
// up whole, rounded to three significant digits.
void append_three_digits(std::string& out, double value) {
  if (value >= 999.5) {
    const double scale = std::pow(10.0, std::floor(std::log10(value)) - 2);
    append_fixed(out, std::round(value / scale) * scale, 0);
    return;
  }
  // The places that leave three digits after rounding: 9.996 is "10.0".
  const int decimals = value < 0.9995 ? 3 : value < 9.995 ? 2 : value < 99.95 ? 1 : 0;
  append_fixed(out, value, decimals);
}

}  // namespace

std::string duration_text(double microseconds) {
  std::string out;
  if (microseconds < 999.5) {
    if (microseconds == 0) return "0 \u00B5s";
    append_three_digits(out, microseconds);
    out += " \u00B5s";
  } else if (microseconds < 999.5e3) {
    append_three_digits(out, microseconds / 1e3);
    out += " ms";
  } else {
    append_three_digits(out, microseconds / 1e6);
    out += " s";
  }
  return out;
}

std::string ratio_text(double ratio) {
  std::string out;
  append_three_digits(out, ratio);
  return out;
}

std::string p_value_text(double p) {
  if (p < 0.0001) return "<0.0001";
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", p);
  return text;
}

}  // namespace vykpav::report
