// The tool's outputs, one file each: an aligned table for a terminal
// (text_output.cpp), CSV (csv_output.cpp) and JSON (json_output.cpp), each
// for a summary and for a comparison. Names are UTF-8 throughout.
#ifndef VYKPAV_TOOLS_REPORT_OUTPUT_FORMATS_H
#define VYKPAV_TOOLS_REPORT_OUTPUT_FORMATS_H

#include "tools/report/comparison.h"
#include "tools/report/summary.h"
#include "tools/report/writer.h"

namespace vykpav::report {

enum class Format { kText, kCsv, kJson };

void write_summary_text(Writer& out, const SummaryResult& summary);
void write_comparison_text(Writer& out, const ComparisonResult& comparison, double alpha);
void write_summary_csv(Writer& out, const SummaryResult& summary);
void write_comparison_csv(Writer& out, const ComparisonResult& comparison);
void write_summary_json(Writer& out, const SummaryResult& summary);
void write_comparison_json(Writer& out, const ComparisonResult& comparison);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_OUTPUT_FORMATS_H
