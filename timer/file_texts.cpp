#include "timer/file_texts.h"

#include <algorithm>

namespace vykpav::timer {

std::string_view FileTexts::find_and_remember(const char* text, std::size_t length,
                                              Recent& recent) {
  const std::string_view wanted(text, length);
  auto it = kept_.find(wanted);
  if (it == kept_.end()) {
    if (kept_.size() >= most_texts_ || length > most_bytes_ - kept_bytes_) return {};
    it = kept_.insert(store_.copy(wanted)).first;
    kept_bytes_ += length;
  }
  recent = Recent{text, *it};
  return *it;
}

void StoredText::copy_into_own_room(const char* text, std::size_t length, TextStore& store) {
  if (length > room_ || room_ == 0) {
    room_ = std::max({length, 2 * room_, std::size_t{1}});
    data_ = store.allocate(room_);
  }
  std::memcpy(const_cast<char*>(data_), text, length);
  size_ = length;
}

}  // namespace vykpav::timer
