#include "tools/report/duration_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vykpav::report {

namespace {

// Writes `value` rounded to `decimals` places, without an exponent; returns
// the end.
char* put_fixed(char* out, double value, int decimals) noexcept {
  static constexpr double kScale[] = {1, 10, 100, 1000};
  // Values here are below 10^6 times the scale: a cast after adding one half
  // rounds as llround does, without the call.
  const double scaled_value = value * kScale[decimals];
  const auto scaled = scaled_value < 9e15 ? static_cast<std::uint64_t>(scaled_value + 0.5)
                                          : static_cast<std::uint64_t>(std::llround(scaled_value));
  char digits[24];
  const auto count =
      static_cast<int>(std::to_chars(digits, digits + sizeof digits, scaled).ptr - digits);
  if (decimals == 0) return std::copy(digits, digits + count, out);
  if (count <= decimals) {
    *out++ = '0';
    *out++ = '.';
    for (int i = count; i < decimals; ++i) *out++ = '0';
    return std::copy(digits, digits + count, out);
  }
  out = std::copy(digits, digits + count - decimals, out);
  *out++ = '.';
  return std::copy(digits + count - decimals, digits + count, out);
}

// `value` (at least 0) to three significant digits, no exponent; from 999.5
// up whole, rounded to three significant digits.
char* put_three_digits(char* out, double value) noexcept {
  if (value >= 999.5) {
    const double scale = std::pow(10.0, std::floor(std::log10(value)) - 2);
    return put_fixed(out, std::round(value / scale) * scale, 0);
  }
  // The places that leave three digits after rounding: 9.996 is "10.0".
  const int decimals = value < 0.9995 ? 3 : value < 9.995 ? 2 : value < 99.95 ? 1 : 0;
  return put_fixed(out, value, decimals);
}

char* put(char* out, const char* text) noexcept {
  const std::size_t n = std::strlen(text);
  std::memcpy(out, text, n);
  return out + n;
}

}  // namespace

DurationText format_duration(double microseconds) noexcept {
  DurationText text;
  char* end = text.bytes;
  bool micro = false;
  if (microseconds < 999.5) {
    end = microseconds == 0 ? put(end, "0") : put_three_digits(end, microseconds);
    end = put(end, " \u00B5s");
    micro = true;
  } else if (microseconds < 999.5e3) {
    end = put(put_three_digits(end, microseconds / 1e3), " ms");
  } else {
    end = put(put_three_digits(end, microseconds / 1e6), " s");
  }
  text.size = static_cast<std::size_t>(end - text.bytes);
  text.columns = text.size - (micro ? 1 : 0);
  return text;
}

std::string duration_text(double microseconds) {
  return std::string(format_duration(microseconds).view());
}

std::string ratio_text(double ratio) {
  char text[32];
  return std::string(text, put_three_digits(text, ratio));
}

std::string p_value_text(double p) {
  if (p < 0.0001) return "<0.0001";
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", p);
  return text;
}

}  // namespace vykpav::report
