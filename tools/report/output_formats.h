// The tool's outputs, each for a summary and for a comparison, one file
// each: an aligned table for a terminal (text_output.cpp), CSV
// (csv_output.cpp), JSON (json_output.cpp) and an SVG chart (svg_chart.cpp).
// Names are UTF-8 throughout.
#ifndef VYKPAV_TOOLS_REPORT_OUTPUT_FORMATS_H
#define VYKPAV_TOOLS_REPORT_OUTPUT_FORMATS_H

#include "tools/report/comparison.h"
#include "tools/report/summary.h"
#include "tools/report/writer.h"

namespace vykpav::report {

enum class Format { kText, kCsv, kJson };

void write_table(Writer& out, const SummaryResult& summary);
void write_table(Writer& out, const ComparisonResult& comparison);
void write_csv(Writer& out, const SummaryResult& summary);
void write_csv(Writer& out, const ComparisonResult& comparison);
void write_json(Writer& out, const SummaryResult& summary);
void write_json(Writer& out, const ComparisonResult& comparison);

// One row per area in time order, a horizontal bar at its median and a
// whisker from its minimum to its maximum, on a time axis labelled in µs, ms
// and s; a comparison shows before and after side by side in each row, with
// the ratio and the verdict.
void write_chart(Writer& out, const SummaryResult& summary);
void write_chart(Writer& out, const ComparisonResult& comparison);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_OUTPUT_FORMATS_H
