#include "timer/text_arena.h"

#include <algorithm>
#include <cstring>

#include "platform/large_pages.h"

namespace vykpav::timer {

namespace {
// Blocks double from the first size up to the last, so a small timer takes
// little and a large one takes few blocks, big enough for large pages.
// Chosen: a small page first, sixteen 2 MiB large pages at the most.
constexpr std::size_t kFirstBlock = std::size_t{4} << 10;
constexpr std::size_t kLargestBlock = std::size_t{32} << 20;
}  // namespace

TextArena::TextArena() : next_block_(kFirstBlock) {}

TextArena::~TextArena() {
  for (const Block& block : blocks_)
    platform::LargePageAllocator<char>().deallocate(block.data, block.size);
}

void TextArena::reserve(std::size_t size) {
  if (size <= free_size_) return;
  // A block asked for by size (all names at once) does not speed up the
  // growth of those that follow.
  const std::size_t block_size = std::max(size, next_block_);
  next_block_ = std::min(2 * next_block_, kLargestBlock);
  // Room in the list first, so that the block cannot be lost to a failure.
  if (blocks_.size() == blocks_.capacity()) blocks_.reserve(2 * blocks_.size() + 4);
  char* data = platform::LargePageAllocator<char>().allocate(block_size);
  blocks_.push_back(Block{data, block_size});
  free_ = data;
  free_size_ = block_size;
}

char* TextArena::allocate(std::size_t size) {
  reserve(size);
  char* room = free_;
  free_ += size;
  free_size_ -= size;
  return room;
}

std::string_view TextArena::copy(std::string_view text) {
  char* room = allocate(text.size() + 1);
  std::memcpy(room, text.data(), text.size());
  room[text.size()] = '\0';
  return {room, text.size()};
}

}  // namespace vykpav::timer
