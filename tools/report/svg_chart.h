// The charts: one row per area in time order, a horizontal bar at its
// median and a whisker from its minimum to its maximum, on a time axis
// labelled in µs, ms and s. A comparison shows before and after side by side
// in each row, with the ratio and the verdict.
#ifndef VYKPAV_TOOLS_REPORT_SVG_CHART_H
#define VYKPAV_TOOLS_REPORT_SVG_CHART_H

#include "tools/report/comparison.h"
#include "tools/report/summary.h"
#include "tools/report/writer.h"

namespace vykpav::report {

void write_summary_svg(Writer& out, const SummaryResult& summary);
void write_comparison_svg(Writer& out, const ComparisonResult& comparison, double alpha);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_SVG_CHART_H
