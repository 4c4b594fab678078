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
    const char* from = text.data();
    const std::size_t n = text.size();
    // Hidden from the optimiser, which would otherwise follow a short
    // literal down the branch for longer texts and warn of reads past it.
    asm("" : "+r"(from));
    // Most pieces are a few bytes: copied here, as two words that may
    // overlap, rather than through a call.
    if (n >= 8 && n <= 16) {
      copy_word<8>(to, from);
      copy_word<8>(to + n - 8, from + n - 8);
    } else if (n >= 4 && n < 8) {
      copy_word<4>(to, from);
      copy_word<4>(to + n - 4, from + n - 4);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
    } else {
      std::memcpy(to, from, n);
    }
    used_ += n;
  }
  void put(char c) { put(std::string_view(&c, 1)); }
  void pad(std::size_t spaces) {
    static constexpr std::string_view kSpaces = "                                ";
    for (; spaces > kSpaces.size(); spaces -= kSpaces.size()) put(kSpaces);
    put(kSpaces.substr(0, spaces));
  }
  // Room for `n` bytes (a row's worth, far below the buffer's size) after
  // what is held, to be written directly; wrote() then takes them up to
  // `end`. Bytes past `end` may be written too: they are not taken.
  char* room(std::size_t n) {
    if (n > kSize - used_) flush();
    return buffer_.get() + used_;
  }
  void wrote(const char* end) noexcept { used_ = static_cast<std::size_t>(end - buffer_.get()); }
  // Writes out what is held; false once any write has failed.
  bool flush();

 private:
  static constexpr std::size_t kSize = 1 << 20;
  template <std::size_t kBytes>
  static void copy_word(char* to, const char* from) noexcept {
    char word[kBytes];
    std::memcpy(word, from, kBytes);
    std::memcpy(to, word, kBytes);
  }
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
