#include "timer/kept_file_texts.h"

namespace vykpav::timer {

std::string_view KeptFileTexts::find_and_remember(const char* text, Recent& recent) {
  const std::string_view wanted(text);
  const std::size_t length = wanted.size();
  auto it = kept_.find(wanted);
  if (it == kept_.end()) {
    if (kept_.size() >= most_texts_ || length > most_bytes_ - kept_bytes_) {
      refused_ = true;
      return {};
    }
    it = kept_.insert(arena_.copy(wanted)).first;
    kept_bytes_ += length;
  }
  recent = Recent{text, *it};
  return *it;
}

}  // namespace vykpav::timer
