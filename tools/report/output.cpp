#include "tools/report/output.h"

namespace vykpav::report {

bool Output::flush() {
  if (!buffer_.empty() && !failed_)
    failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
  buffer_.clear();
  if (!failed_) failed_ = std::fflush(file_) != 0;
  return !failed_;
}

void write_summary(Output& out, Format format, const SummaryResult& summary) {
  switch (format) {
    case Format::kText: write_summary_text(out, summary); break;
    case Format::kCsv: write_summary_csv(out, summary); break;
    case Format::kJson: write_summary_json(out, summary); break;
  }
}

void write_comparison(Output& out, Format format, const ComparisonResult& comparison,
                      double alpha) {
  switch (format) {
    case Format::kText: write_comparison_text(out, comparison, alpha); break;
    case Format::kCsv: write_comparison_csv(out, comparison); break;
    case Format::kJson: write_comparison_json(out, comparison); break;
  }
}

}  // namespace vykpav::report
