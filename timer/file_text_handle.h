// A record's handle to its file text.
#ifndef VYKPAV_TIMER_FILE_TEXT_HANDLE_H
#define VYKPAV_TIMER_FILE_TEXT_HANDLE_H

#include <cstddef>
#include <cstring>
#include <string_view>

#include "timer/kept_file_texts.h"

namespace vykpav::timer {

// A record's file text: a kept text of its timer, or, once the timer keeps
// no more, a copy in room of the record's own, written over in place while
// it fits. Room given up for a longer text is not reused: each new room is
// at least twice the last, so what a record leaves behind stays below what
// it holds.
class FileTextHandle {
 public:
  std::string_view view() const noexcept { return {data_, size_}; }
  const char* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }

  // A host passes the same file for an area each time: then this is a
  // string length and one comparison with the text the record holds.
  void assign(const char* text, KeptFileTexts& texts) {
    const std::size_t length = std::strlen(text);
    if (length == size_ && std::memcmp(data_, text, length) == 0) return;
    assign_other(text, length, texts);
  }

  friend bool operator==(const FileTextHandle& a, std::string_view b) noexcept {
    return a.view() == b;
  }
  friend bool operator!=(const FileTextHandle& a, std::string_view b) noexcept { return !(a == b); }

 private:
  void assign_other(const char* text, std::size_t length, KeptFileTexts& texts);

  const char* data_ = "";
  std::size_t size_ = 0;
  // Bytes of own room at data_; 0 while the text is a kept one (or none).
  std::size_t room_ = 0;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_FILE_TEXT_HANDLE_H
