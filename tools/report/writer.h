// Text gathered in a buffer and written to a file in large pieces: a
// summary of a million areas is a million rows of small pieces.
#ifndef VYKPAV_TOOLS_REPORT_WRITER_H
#define VYKPAV_TOOLS_REPORT_WRITER_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace vykpav::report {

class Writer {
 public:
  explicit Writer(std::FILE* file) : file_(file) {}
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  ~Writer() { flush(); }

  void put(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kFlushAt) flush();
  }
  void put(char c) { put(std::string_view(&c, 1)); }
  void pad(std::size_t spaces) { buffer_.append(spaces, ' '); }

  // Writes out what is held; false once any write has failed.
  bool flush() {
    if (!failed_) failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
    buffer_.clear();
    if (!failed_) failed_ = std::fflush(file_) != 0;
    return !failed_;
  }

 private:
  static constexpr std::size_t kFlushAt = 1 << 16;

  std::FILE* file_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_WRITER_H
