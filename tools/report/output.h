// The tool's outputs: an aligned table for a terminal, CSV and JSON, each
// for a summary and for a comparison. Names are UTF-8 throughout.
#ifndef VYKPAV_TOOLS_REPORT_OUTPUT_H
#define VYKPAV_TOOLS_REPORT_OUTPUT_H

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "tools/report/comparison.h"

namespace vykpav::report {

// Text gathered in a buffer and written out in large pieces: a summary of a
// million areas is a million rows.
class Output {
 public:
  explicit Output(std::FILE* file) : file_(file), buffer_(new char[kSize]) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output() { flush(); }

  void put(std::string_view text) {
    if (text.size() > kSize - used_) {
      flush();
      if (text.size() > kSize) {
        write(text.data(), text.size());
        return;
      }
    }
    char* to = buffer_.get() + used_;
    if (text.size() <= 16) {  // most pieces: copied here rather than through a call
      for (std::size_t i = 0; i < text.size(); ++i) to[i] = text[i];
    } else {
      std::memcpy(to, text.data(), text.size());
    }
    used_ += text.size();
  }
  void put(char c) { put(std::string_view(&c, 1)); }
  void pad(std::size_t spaces) {
    static constexpr std::string_view kSpaces = "                                ";
    for (; spaces > kSpaces.size(); spaces -= kSpaces.size()) put(kSpaces);
    put(kSpaces.substr(0, spaces));
  }
  // Writes out what is held; false once any write has failed.
  bool flush();

 private:
  static constexpr std::size_t kSize = 1 << 20;
  void write(const char* data, std::size_t size);

  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
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
