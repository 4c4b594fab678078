#include "tools/report/output.h"

namespace vykpav::report {

void Output::write(const char* data, std::size_t size) {
  if (!failed_) failed_ = std::fwrite(data, 1, size, file_) != size;
}

bool Output::flush() {
  write(buffer_.get(), used_);
  used_ = 0;
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
