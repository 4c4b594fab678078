// The texts a timer keeps (its area names and the file texts of the marks),
// copied into a few large blocks of its own rather than one heap block each.
// A report reads the names in the order of the times, far apart; together
// they take a handful of large pages instead of a small page, and a
// translation miss, each.
#ifndef VYKPAV_TIMER_TEXT_ARENA_H
#define VYKPAV_TIMER_TEXT_ARENA_H

#include <cstddef>
#include <string_view>
#include <vector>

namespace vykpav::timer {

class TextArena {
 public:
  TextArena();
  ~TextArena();
  TextArena(const TextArena&) = delete;
  TextArena& operator=(const TextArena&) = delete;

  // Room for `size` bytes, kept until the arena goes; never moved.
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
  std::size_t next_block_;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_TEXT_ARENA_H
