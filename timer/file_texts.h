// The file texts of a timer's marks. Hosts pass __FILE__, so a timer sees a
// handful of distinct texts however many areas it has: each is kept once, in
// the timer's store, and the records point to it. A report then reads the
// same few copies for every block instead of two texts of each record, far
// apart, and records hold no copies of their own (unless a timer has kept
// as many texts as it will).
#ifndef VYKPAV_TIMER_FILE_TEXTS_H
#define VYKPAV_TIMER_FILE_TEXTS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_set>

#include "timer/address_slot.h"
#include "timer/text_store.h"

namespace vykpav::timer {

class FileTexts {
 public:
  // At most `most_texts` distinct texts of `most_bytes` bytes together are
  // kept: a host that makes up a new text for every mark must not make the
  // timer grow without end.
  explicit FileTexts(TextStore& store, std::size_t most_texts = std::size_t{1} << 16,
                     std::size_t most_bytes = std::size_t{16} << 20)
      : store_(store), most_texts_(most_texts), most_bytes_(most_bytes) {}

  FileTexts(const FileTexts&) = delete;
  FileTexts& operator=(const FileTexts&) = delete;

  // The kept copy of the zero-terminated `text`, kept now if need be; a
  // null view once no more can be kept. The text at the address last seen
  // for it is tried first, and its bytes compared, since the same address
  // may hold another text later: one pass that stops at the first
  // difference or zero byte, so it never reads past the caller's text.
  std::string_view find(const char* text) {
    Recent& recent = recent_[address_slot<kRecentBits>(text)];
    if (recent.address == text &&
        std::strncmp(recent.kept.data(), text, recent.kept.size() + 1) == 0)
      return recent.kept;
    return find_and_remember(text, recent);
  }

  TextStore& store() noexcept { return store_; }

 private:
  struct Recent {
    const char* address = nullptr;
    std::string_view kept;
  };

  std::string_view find_and_remember(const char* text, Recent& recent);

  TextStore& store_;
  std::size_t most_texts_;
  std::size_t most_bytes_;
  std::size_t kept_bytes_ = 0;
  std::unordered_set<std::string_view> kept_;
  static constexpr int kRecentBits = 4;
  std::array<Recent, std::size_t{1} << kRecentBits> recent_{};
};

// A record's file text: a kept text of its timer, or, once the timer keeps
// no more, a copy in room of the record's own, written over in place while
// it fits. Room given up for a longer text is not reused: each new room is
// at least twice the last, so what a record leaves behind stays below what
// it holds.
class StoredText {
 public:
  std::string_view view() const noexcept { return {data_, size_}; }
  const char* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }

  // A host passes the same file for an area each time: then this is a
  // string length and one comparison with the text the record holds.
  void assign(const char* text, FileTexts& texts) {
    const std::size_t length = std::strlen(text);
    if (length == size_ && std::memcmp(data_, text, length) == 0) return;
    assign_other(text, length, texts);
  }

  friend bool operator==(const StoredText& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator!=(const StoredText& a, std::string_view b) noexcept { return !(a == b); }

 private:
  void assign_other(const char* text, std::size_t length, FileTexts& texts);

  const char* data_ = "";
  std::size_t size_ = 0;
  // Bytes of own room at data_; 0 while the text is a kept one (or none).
  std::size_t room_ = 0;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_FILE_TEXTS_H
