// The record kept for one area: its latest begin and end readings with the
// file and line of each mark, and the handles through which it holds those
// file texts, mostly the timer's kept copies.
#ifndef VYKPAV_TIMER_AREA_RECORD_H
#define VYKPAV_TIMER_AREA_RECORD_H

#include <cstddef>
#include <string_view>

#include "base/compiler.h"
#include "selvorin/vyknb64.h"
#include "timer/kept_file_texts.h"
#include "timer/same_text.h"

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

  // While the timer keeps every text it is given, no record has room of its
  // own, and the kept copy is all a record needs: it is found among the
  // timer's few recent texts and stored without reading what the record
  // held, so that a mark reads nothing of its record (which, among many
  // areas, is far from the caches).
  void assign(const char* text, KeptFileTexts& texts) {
    if (VYKPAV_LIKELY(texts.keeps_every_text())) {
      const std::string_view kept = texts.find(text);
      if (VYKPAV_LIKELY(kept.data() != nullptr)) {
        data_ = kept.data();
        size_ = kept.size();
        return;
      }
    }
    if (same_text(data_, size_, text)) return;
    assign_other(text, texts);
  }

  friend bool operator==(const FileTextHandle& a, std::string_view b) noexcept {
    return a.view() == b;
  }
  friend bool operator!=(const FileTextHandle& a, std::string_view b) noexcept { return !(a == b); }

 private:
  void assign_other(const char* text, KeptFileTexts& texts);

  // Always followed by a zero byte.
  const char* data_ = "";
  std::size_t size_ = 0;
  // Bytes of own room at data_, its zero byte included; 0 while the text is
  // a kept one (or none).
  std::size_t room_ = 0;
};

// A fresh record has both readings zero, both texts empty, both lines zero; a
// zero begin reading means the area was never begun.
struct VYS_BD {
  Selvorin::VYKNB64 start_ticks;
  FileTextHandle start_file;
  int start_line = 0;
  Selvorin::VYKNB64 end_ticks;
  FileTextHandle end_file;
  int end_line = 0;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_AREA_RECORD_H
