// The arena of a timer's texts: copies stay whole and apart across blocks.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "timer/text_arena.h"

namespace {

using vykpav::timer::TextArena;

TEST(TextArena, CopiesOfManySizesStayWholeAcrossBlocks) {
  TextArena arena;
  std::vector<std::string> texts;
  std::vector<std::string_view> copies;
  // Lengths from 0 up past the first blocks, one large enough for a block
  // of its own in the middle.
  for (int i = 0; i < 3000; ++i) {
    const std::size_t length = i == 1500 ? 100000 : static_cast<std::size_t>(i * 7 % 301);
    texts.emplace_back(length, static_cast<char>('a' + i % 26));
    copies.push_back(arena.copy(texts.back()));
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(copies[i], texts[i]) << "copy " << i;
    ASSERT_EQ(copies[i].data()[copies[i].size()], '\0') << "copy " << i;
  }
}

}  // namespace
