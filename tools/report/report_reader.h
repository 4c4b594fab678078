// Reads every report in a file in one pass: a default report file holds one,
// a named file as many as hosts appended. Only the piece being read is held,
// so memory does not grow with the file.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_READER_H
#define VYKPAV_TOOLS_REPORT_REPORT_READER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/report/report_parser.h"

namespace vykpav::report {

// What the reader finds, in file order. The texts of a block stay valid
// only during the call.
class ReportVisitor {
 public:
  virtual ~ReportVisitor() = default;
  virtual void report(const ReportHeader& header) = 0;
  virtual void area(const AreaBlock& block) = 0;
  // Before the first report, when the input's size is known (a regular
  // file): room may be made for what it can hold.
  virtual void input_size(std::uint64_t bytes) { (void)bytes; }
};

// Input that holds no report, or that cannot be opened or read: one line
// naming the file and, where there is one, the line.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ReadResult {
  std::size_t reports = 0;    // the ones with their first four lines whole
  std::size_t cut_short = 0;  // of those, the ones that stop part way
  std::vector<std::string> warnings;
};

// Reads `file` to its end; `name` is what messages call it. Throws
// ReadError. A report cut short gives its complete blocks and a warning.
ReadResult read_reports(std::FILE* file, const std::string& name, ReportVisitor& visitor);

// Opens `path` ("-" is standard input) and reads it.
ReadResult read_report_file(const std::string& path, ReportVisitor& visitor);

// What messages call the input at `path`.
std::string input_name(const std::string& path);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_READER_H
