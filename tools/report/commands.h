// The two commands, apart from the command line so that tests and
// benchmarks run them as the program does.
#ifndef VYKPAV_TOOLS_REPORT_COMMANDS_H
#define VYKPAV_TOOLS_REPORT_COMMANDS_H

#include <cstdio>
#include <string>
#include <vector>

#include "tools/report/output_formats.h"

namespace vykpav::report {

struct Options {
  Format format = Format::kText;
  std::string svg;  // the chart's file; none when empty
  double alpha = 0.05;
};

// Each returns the exit status: 0, or 2 after a one-line message on `err`
// (input that holds no report, a file that cannot be opened, read or
// written). Warnings (a report cut short) go to `err` too and leave it 0.
int run_summary(const std::vector<std::string>& files, const Options& options, std::FILE* out,
                std::FILE* err);
int run_compare(const std::string& before, const std::string& after, const Options& options,
                std::FILE* out, std::FILE* err);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_COMMANDS_H
