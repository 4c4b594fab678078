// Reads every report in a file in one pass: a default report file holds one,
// a named file as many as hosts appended. Only the piece being read is held,
// so memory does not grow with the file.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_READER_H
#define VYKPAV_TOOLS_REPORT_REPORT_READER_H

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/report/report_parser.h"

namespace vykpav::report {

// What the reader finds, in file order. The texts stay valid only during
// the call.
class ReportVisitor {
 public:
  virtual ~ReportVisitor() = default;
  virtual void report(const ReportOpening& opening) = 0;
  virtual void area(const AreaBlock& block) = 0;
};

// Input that holds no report, or that cannot be opened or read: one line
// naming the file and, where there is one, the line.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ReadResult {
  std::size_t reports = 0;  // the ones with their first four lines whole
  // Reports that stop part way: of those above, and those left out, cut in
  // their first lines. One warning each.
  std::size_t cut_short = 0;
  std::vector<std::string> warnings;
};

// The bytes read at a time: pieces that stay in the processor's cache while
// they are parsed. What the reader finds does not depend on it.
inline constexpr std::size_t kReadSize = 256 * 1024;

// Reads `file` to its end; `name` is what messages call it. Throws
// ReadError. A report cut short gives its complete blocks and a warning.
ReadResult read_reports(std::FILE* file, const std::string& name, ReportVisitor& visitor,
                        std::size_t read_size = kReadSize);

// Opens `path` ("-" is standard input) and reads it.
ReadResult read_report_file(const std::string& path, ReportVisitor& visitor);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_READER_H
