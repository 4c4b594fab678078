#include "tools/report/chart_scale.h"

#include <algorithm>
#include <cmath>

#include <cstdio>

namespace vykpav::report {

namespace {

// Above this ratio of the largest time to the smallest, short areas would be
// slivers on a linear axis.
constexpr double kLogarithmicSpread = 50;
constexpr int kLinearTicks = 6;

// A round time as a tick's label: "1 µs", "20 ms", "0.5 s".
std::string tick_label(double microseconds) {
  const char* unit = " \u00B5s";
  double value = microseconds;
  if (microseconds >= 1e6) {
    value = microseconds / 1e6;
    unit = " s";
  } else if (microseconds >= 1e3) {
    value = microseconds / 1e3;
    unit = " ms";
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text + std::string(unit);
}

// The least of 1, 2 and 5 times a power of ten that is at least `value`.
double round_up(double value) {
  const double power = std::pow(10.0, std::floor(std::log10(value)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (factor * power >= value * (1 - 1e-12)) return factor * power;
  return 10 * power;
}

}  // namespace

ChartScale::ChartScale(double largest, double smallest_above_zero, double width) : width_(width) {
  if (largest <= 0) largest = 1;
  logarithmic_ = smallest_above_zero > 0 && largest / smallest_above_zero > kLogarithmicSpread;
  if (logarithmic_) {
    // From the decade below the shortest time to a round time above the
    // longest; labels at the decades, grid lines at 2 and 5 times them.
    low_ = std::pow(10.0, std::floor(std::log10(smallest_above_zero)));
    high_ = std::max(round_up(largest), 2 * low_);
    for (double decade = low_; decade <= high_ * 1.0001; decade *= 10)
      for (const double factor : {1.0, 2.0, 5.0})
        if (decade * factor <= high_ * 1.0001)
          ticks_.push_back({decade * factor, factor == 1 ? tick_label(decade) : ""});
    return;
  }
  // A step of 1, 2 or 5 times a power of ten, about kLinearTicks of them.
  const double rough = largest / kLinearTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    step = factor * power;
    if (step >= rough) break;
  }
  low_ = 0;
  high_ = std::ceil(largest / step) * step;
  for (int i = 0; i * step <= high_ * 1.0001; ++i)
    ticks_.push_back({i * step, i == 0 ? "0" : tick_label(i * step)});
}

double ChartScale::x(double microseconds) const noexcept {
  if (logarithmic_) {
    if (microseconds <= low_) return 0;
    return width_ * std::log(microseconds / low_) / std::log(high_ / low_);
  }
  return width_ * std::clamp(microseconds / high_, 0.0, 1.0);
}

}  // namespace vykpav::report
