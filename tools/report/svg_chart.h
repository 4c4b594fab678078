// The charts: one row per area in time order, a horizontal bar at its
// median and a whisker from its minimum to its maximum, on a time axis
// labelled in µs, ms and s. A comparison shows before and after side by side
// in each row, with the ratio and the verdict.
#ifndef VYKPAV_TOOLS_REPORT_SVG_CHART_H
#define VYKPAV_TOOLS_REPORT_SVG_CHART_H

#include "tools/report/comparison.h"
#include "tools/report/output.h"

namespace vykpav::report {

void write_summary_svg(Output& out, const SummaryResult& summary);
void write_comparison_svg(Output& out, const ComparisonResult& comparison, double alpha);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_SVG_CHART_H
