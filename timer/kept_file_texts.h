// The file texts of a timer's marks. Hosts pass __FILE__, so a timer sees a
// handful of distinct texts however many areas it has: each is kept once, in
// the timer's arena, and the records point to it. A report then reads the
// same few copies for every block instead of two texts of each record, far
// apart, and records hold no copies of their own (unless a timer has kept
// as many texts as it will).
#ifndef VYKPAV_TIMER_KEPT_FILE_TEXTS_H
#define VYKPAV_TIMER_KEPT_FILE_TEXTS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_set>

#include "timer/address_slot.h"
#include "timer/same_text.h"
#include "timer/text_arena.h"

namespace vykpav::timer {

class KeptFileTexts {
 public:
  // Chosen bounds, not measured: far above the few __FILE__ texts of any
  // host, and low enough that a host making up a text for every mark stops
  // at 16 MiB of them.
  static constexpr std::size_t kMostTexts = std::size_t{1} << 16;
  static constexpr std::size_t kMostBytes = std::size_t{16} << 20;

  // At most `most_texts` distinct texts of `most_bytes` bytes together are
  // kept: a host that makes up a new text for every mark must not make the
  // timer grow without end.
  explicit KeptFileTexts(TextArena& arena, std::size_t most_texts = kMostTexts,
                         std::size_t most_bytes = kMostBytes)
      : arena_(arena), most_texts_(most_texts), most_bytes_(most_bytes) {}

  KeptFileTexts(const KeptFileTexts&) = delete;
  KeptFileTexts& operator=(const KeptFileTexts&) = delete;

  // The kept copy of the zero-terminated `text`, kept now if need be; a
  // null view once no more can be kept. The text at the address last seen
  // for it is tried first, and its bytes compared, since the same address
  // may hold another text later.
  std::string_view find(const char* text) {
    Recent& recent = recent_[address_slot<kRecentBits>(text)];
    if (recent.address == text && same_text(recent.kept.data(), recent.kept.size(), text))
      return recent.kept;
    return find_and_remember(text, recent);
  }

  // False once a text could not be kept.
  bool keeps_every_text() const noexcept { return !refused_; }

  TextArena& arena() noexcept { return arena_; }

 private:
  struct Recent {
    const char* address = nullptr;
    std::string_view kept;
  };

  std::string_view find_and_remember(const char* text, Recent& recent);

  TextArena& arena_;
  std::size_t most_texts_;
  std::size_t most_bytes_;
  std::size_t kept_bytes_ = 0;
  bool refused_ = false;
  std::unordered_set<std::string_view> kept_;
  // Chosen, not measured: hosts pass __FILE__, a handful of texts, and 16
  // slots hold them.
  static constexpr int kRecentBits = 4;
  std::array<Recent, std::size_t{1} << kRecentBits> recent_{};
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_KEPT_FILE_TEXTS_H
