// The texts a timer keeps (its area names and the file texts of the marks),
// copied into a few large blocks of its own rather than one heap block each.
// A report reads them in the order of the times, far apart; together they
// take a handful of large pages instead of a small page, and a translation
// miss, each.
#ifndef VYKPAV_TIMER_TEXT_STORE_H
#define VYKPAV_TIMER_TEXT_STORE_H

#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

namespace vykpav::timer {

class TextStore {
 public:
  TextStore() = default;
  ~TextStore();
  TextStore(const TextStore&) = delete;
  TextStore& operator=(const TextStore&) = delete;

  // Room for `size` bytes, kept until the store goes; never moved.
  char* allocate(std::size_t size);

  // Makes sure the next `size` bytes allocated come from one block.
  void reserve(std::size_t size);

  // A copy of `text` followed by a zero byte.
  std::string_view copy(std::string_view text);

 private:
  struct Block {
    char* data;
    std::size_t size;
  };
  std::vector<Block> blocks_;
  char* free_ = nullptr;
  std::size_t free_size_ = 0;
};

// A text copied into a store, written over in place while it fits the room
// it was given. Room given up for a longer text is not reused: each new room
// is at least twice the last, so what a record leaves behind stays below
// what it holds.
class StoredText {
 public:
  std::string_view view() const noexcept { return {data_, size_}; }
  const char* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }

  // A host passes the same file for an area each time: then this is a
  // string length and one copy, without allocation.
  void assign(const char* text, TextStore& store) {
    const std::size_t length = std::strlen(text);
    if (length > room_) make_room(length, store);
    std::memcpy(data_, text, length);
    size_ = length;
  }

  friend bool operator==(const StoredText& a, std::string_view b) noexcept {
    return a.view() == b;
  }
  friend bool operator!=(const StoredText& a, std::string_view b) noexcept {
    return !(a == b);
  }

 private:
  void make_room(std::size_t length, TextStore& store);

  // Never null, so that an empty text copies from and to a valid address.
  char* data_ = empty_;
  std::size_t size_ = 0;
  std::size_t room_ = 0;
  static char empty_[1];
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_TEXT_STORE_H
