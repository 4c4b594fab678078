// The tool's outputs: an aligned table for a terminal, CSV and JSON, each
// for a summary and for a comparison. Names are UTF-8 throughout.
#ifndef VYKPAV_TOOLS_REPORT_OUTPUT_H
#define VYKPAV_TOOLS_REPORT_OUTPUT_H

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/report/comparison.h"

namespace vykpav::report {

// Text gathered in a buffer and written out in large pieces: a summary of a
// million areas is a million rows.
class Output {
 public:
  explicit Output(std::FILE* file) : file_(file) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output() { flush(); }

  void put(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= kFlushAt) flush();
  }
  void put(char c) { buffer_ += c; }
  void pad(std::size_t spaces) { buffer_.append(spaces, ' '); }
  // Writes out what is held; false once any write has failed.
  bool flush();

 private:
  static constexpr std::size_t kFlushAt = 1 << 20;
  std::FILE* file_;
  std::string buffer_;
  bool failed_ = false;
};

enum class Format { kText, kCsv, kJson };

void write_summary(Output& out, Format format, const SummaryResult& summary);
void write_comparison(Output& out, Format format, const ComparisonResult& comparison, double alpha);

// The pieces of each format, one file per format.
void write_summary_text(Output& out, const SummaryResult& summary);
void write_comparison_text(Output& out, const ComparisonResult& comparison, double alpha);
void write_summary_csv(Output& out, const SummaryResult& summary);
void write_comparison_csv(Output& out, const ComparisonResult& comparison);
void write_summary_json(Output& out, const SummaryResult& summary);
void write_comparison_json(Output& out, const ComparisonResult& comparison);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_OUTPUT_H
