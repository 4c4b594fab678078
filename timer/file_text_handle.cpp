#include "timer/file_text_handle.h"

#include <algorithm>

namespace vykpav::timer {

void FileTextHandle::assign_other(const char* text, std::size_t length, KeptFileTexts& texts) {
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
    data_ = texts.arena().allocate(room);
    room_ = room;
  }
  std::memcpy(const_cast<char*>(data_), text, length);
  size_ = length;
}

}  // namespace vykpav::timer
