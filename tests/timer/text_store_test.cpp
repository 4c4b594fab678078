// The store of a timer's texts: copies stay whole and apart across blocks,
// and a record's text is written over in place while it fits.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "timer/text_store.h"

namespace {

using vykpav::timer::StoredText;
using vykpav::timer::TextStore;

TEST(TextStore, CopiesOfManySizesStayWholeAcrossBlocks) {
  TextStore store;
  std::vector<std::string> texts;
  std::vector<std::string_view> copies;
  // Lengths from 0 up past the first blocks, one large enough for a block
  // of its own in the middle.
  for (int i = 0; i < 3000; ++i) {
    const std::size_t length = i == 1500 ? 100000 : static_cast<std::size_t>(i * 7 % 301);
    texts.emplace_back(length, static_cast<char>('a' + i % 26));
    copies.push_back(store.copy(texts.back()));
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(copies[i], texts[i]) << "copy " << i;
    ASSERT_EQ(copies[i].data()[copies[i].size()], '\0') << "copy " << i;
  }
}

TEST(StoredText, KeepsItsRoomForTextsThatFitAndMovesForLongerOnes) {
  TextStore store;
  StoredText text;
  EXPECT_EQ(text, "");

  struct Step {
    const char* assigned;
    bool moves;
  };
  const Step steps[] = {
      {"main.cpp", true},                 // the first copy takes room
      {"io.cpp", false},                  // shorter: written over in place
      {"", false},                        // empty
      {"parser.cpp", true},               // longer than the room of 8: 16 now
      {"0123456789abcdef", false},        // exactly the new room
      {"0123456789abcdefg", true},        // one byte more: 32
      {"x", false},
  };
  const char* last = text.data();
  for (const Step& step : steps) {
    SCOPED_TRACE(step.assigned);
    text.assign(step.assigned, store);
    EXPECT_EQ(text, step.assigned);
    EXPECT_EQ(text.data() != last, step.moves);
    last = text.data();
  }
}

TEST(StoredText, TextsOfOneStoreDoNotOverlap) {
  TextStore store;
  StoredText a, b;
  a.assign("first file text", store);
  b.assign("second file text", store);
  a.assign("a longer first file text than before", store);
  b.assign("second", store);
  EXPECT_EQ(a, "a longer first file text than before");
  EXPECT_EQ(b, "second");
}

}  // namespace
