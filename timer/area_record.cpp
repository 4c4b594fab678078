#include "timer/area_record.h"

#include <algorithm>
#include <cstring>

namespace vykpav::timer {

void FileTextHandle::assign_other(const char* text, KeptFileTexts& texts) {
  if (room_ == 0) {
    const std::string_view kept = texts.find(text);
    if (kept.data() != nullptr) {
      data_ = kept.data();
      size_ = kept.size();
      return;
    }
  }
  const std::size_t length = std::strlen(text);
  if (length >= room_) {
    // The record changes only once the room is there.
    const std::size_t room = std::max(length + 1, 2 * room_);
    data_ = texts.arena().allocate(room);
    room_ = room;
  }
  std::memcpy(const_cast<char*>(data_), text, length + 1);
  size_ = length;
}

}  // namespace vykpav::timer
