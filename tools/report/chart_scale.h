// The time axis of a chart: where a time falls, and the ticks to label. A
// wide spread of times (a thousand microseconds beside a second) gets a
// logarithmic axis, on which every area's bar stays visible; a narrow one a
// linear axis from zero, on which lengths compare directly.
#ifndef VYKPAV_TOOLS_REPORT_CHART_SCALE_H
#define VYKPAV_TOOLS_REPORT_CHART_SCALE_H

#include <string>
#include <vector>

namespace vykpav::report {

struct Tick {
  double microseconds;
  std::string label;  // empty for a minor grid line
};

class ChartScale {
 public:
  // The largest time to show and the smallest one above zero (0 when none).
  ChartScale(double largest, double smallest_above_zero, double width);

  bool logarithmic() const noexcept { return logarithmic_; }
  // The x offset of a time from the axis' start, 0 to width.
  double x(double microseconds) const noexcept;
  const std::vector<Tick>& ticks() const noexcept { return ticks_; }

 private:
  bool logarithmic_;
  double low_, high_;  // the axis' ends, in microseconds (log: decades)
  double width_;
  std::vector<Tick> ticks_;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_CHART_SCALE_H
