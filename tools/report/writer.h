// Text gathered in a buffer and written to a file in large pieces: a
// summary of a million areas is a million rows of small pieces.
#ifndef VYKPAV_TOOLS_REPORT_WRITER_H
#define VYKPAV_TOOLS_REPORT_WRITER_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "tools/report/system_io.h"

namespace vykpav::report {

class Writer {
 public:
  explicit Writer(std::FILE* file) : file_(file) {}
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  ~Writer() { flush(); }

  void put(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kFlushAt) write_out(whole_characters());
  }
  void put(char c) { put(std::string_view(&c, 1)); }
  void pad(std::size_t spaces) { buffer_.append(spaces, ' '); }

  // Writes out what is held; false once any write has failed.
  bool flush() {
    write_out(buffer_.size());
    if (!failed_) failed_ = std::fflush(file_) != 0;
    return !failed_;
  }

  // The bytes held that make the buffer write out.
  static constexpr std::size_t kFlushAt = 1 << 16;

 private:
  // The bytes held up to the end of the last whole UTF-8 character: the
  // ones a write may take without splitting a character, which a Windows
  // console would show as two wrong ones (write_text).
  std::size_t whole_characters() const noexcept {
    std::size_t lead = buffer_.size();
    while (lead > 0 && buffer_.size() - lead < 3 && is_continuation(buffer_[lead - 1])) --lead;
    if (lead == 0) return buffer_.size();
    const auto first = static_cast<unsigned char>(buffer_[lead - 1]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return buffer_.size() - (lead - 1) < length ? lead - 1 : buffer_.size();
  }

  static bool is_continuation(char byte) noexcept {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
  }

  // Writes out the first `size` bytes held.
  void write_out(std::size_t size) {
    if (!failed_) failed_ = !write_text(file_, std::string_view(buffer_).substr(0, size));
    buffer_.erase(0, size);
  }

  std::FILE* file_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_WRITER_H
