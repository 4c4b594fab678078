// The file texts a timer keeps: one copy of each distinct text whatever its
// address, and a limit to how many.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "timer/kept_file_texts.h"
#include "timer/text_arena.h"

namespace {

using vykpav::timer::KeptFileTexts;
using vykpav::timer::TextArena;

std::string_view find(KeptFileTexts& texts, const char* text) { return texts.find(text); }

TEST(KeptFileTexts, EachDistinctTextIsKeptOnceWhateverItsAddress) {
  TextArena arena;
  KeptFileTexts texts(arena);
  char buffer[32] = "src/main.cpp";
  const std::string_view main_cpp = find(texts, "src/main.cpp");
  EXPECT_EQ(main_cpp, "src/main.cpp");
  EXPECT_EQ(main_cpp.data()[main_cpp.size()], '\0');
  EXPECT_EQ(find(texts, buffer).data(), main_cpp.data()) << "same bytes at another address";
  EXPECT_EQ(find(texts, buffer).data(), main_cpp.data()) << "and again, now remembered";

  // The caller's buffer changes under the same address.
  std::strcpy(buffer, "src/main.cp");
  EXPECT_EQ(find(texts, buffer), "src/main.cp");
  std::strcpy(buffer, "src/main.cpx");
  EXPECT_EQ(find(texts, buffer), "src/main.cpx") << "same length, other bytes";
  std::strcpy(buffer, "src/main.cpp");
  EXPECT_EQ(find(texts, buffer).data(), main_cpp.data());

  EXPECT_EQ(find(texts, "").size(), 0u);
  EXPECT_NE(find(texts, "").data(), nullptr) << "the empty text is kept too";
}

TEST(KeptFileTexts, KeepsNoMoreThanItsLimits) {
  TextArena arena;
  KeptFileTexts by_count(arena, 2, 1000);
  EXPECT_NE(find(by_count, "a.cpp").data(), nullptr);
  EXPECT_NE(find(by_count, "b.cpp").data(), nullptr);
  EXPECT_EQ(find(by_count, "c.cpp").data(), nullptr);
  EXPECT_EQ(find(by_count, "a.cpp"), "a.cpp") << "kept ones are still found";

  KeptFileTexts by_bytes(arena, 100, 10);
  EXPECT_NE(find(by_bytes, "123456").data(), nullptr);
  EXPECT_EQ(find(by_bytes, "12345").data(), nullptr) << "11 bytes in all";
  EXPECT_NE(find(by_bytes, "1234").data(), nullptr) << "exactly 10";
}

}  // namespace
