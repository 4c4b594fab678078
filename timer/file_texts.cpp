#include "timer/file_texts.h"

#include <algorithm>

namespace vykpav::timer {

std::string_view FileTexts::find_and_remember(const char* text, Recent& recent) {
  const std::string_view wanted(text);
  const std::size_t length = wanted.size();
  auto it = kept_.find(wanted);
  if (it == kept_.end()) {
    if (kept_.size() >= most_texts_ || length > most_bytes_ - kept_bytes_) return {};
    it = kept_.insert(store_.copy(wanted)).first;
    kept_bytes_ += length;
  }
  recent = Recent{text, *it};
  return *it;
}

void StoredText::assign_other(const char* text, std::size_t length, FileTexts& texts) {
  if (room_ == 0) {
    const std::string_view kept = texts.find(text);
    if (kept.data() != nullptr) {
      data_ = kept.data();
      size_ = kept.size();
      return;
    }
  }
  if (length > room_ || room_ == 0) {
    // The record changes only once the room is there.
    const std::size_t room = std::max({length, 2 * room_, std::size_t{1}});
    data_ = texts.store().allocate(room);
    room_ = room;
  }
  std::memcpy(const_cast<char*>(data_), text, length);
  size_ = length;
}

}  // namespace vykpav::timer
