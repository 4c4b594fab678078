// The file texts a timer keeps: one copy of each distinct text whatever its
// address, a limit to how many, and a record's own room once it is reached.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "timer/file_texts.h"
#include "timer/text_store.h"

namespace {

using vykpav::timer::FileTexts;
using vykpav::timer::StoredText;
using vykpav::timer::TextStore;

std::string_view find(FileTexts& texts, const char* text) { return texts.find(text); }

TEST(FileTexts, EachDistinctTextIsKeptOnceWhateverItsAddress) {
  TextStore store;
  FileTexts texts(store);
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

TEST(FileTexts, KeepsNoMoreThanItsLimits) {
  TextStore store;
  FileTexts by_count(store, 2, 1000);
  EXPECT_NE(find(by_count, "a.cpp").data(), nullptr);
  EXPECT_NE(find(by_count, "b.cpp").data(), nullptr);
  EXPECT_EQ(find(by_count, "c.cpp").data(), nullptr);
  EXPECT_EQ(find(by_count, "a.cpp"), "a.cpp") << "kept ones are still found";

  FileTexts by_bytes(store, 100, 10);
  EXPECT_NE(find(by_bytes, "123456").data(), nullptr);
  EXPECT_EQ(find(by_bytes, "12345").data(), nullptr) << "11 bytes in all";
  EXPECT_NE(find(by_bytes, "1234").data(), nullptr) << "exactly 10";
}

TEST(StoredText, RecordsShareKeptTexts) {
  TextStore store;
  FileTexts texts(store);
  StoredText a, b;
  EXPECT_EQ(a, "");
  a.assign("worker.cpp", texts);
  b.assign(std::string("worker.cpp").c_str(), texts);
  EXPECT_EQ(a, "worker.cpp");
  EXPECT_EQ(a.data(), b.data());
  b.assign("", texts);
  EXPECT_EQ(b, "");
  EXPECT_EQ(a, "worker.cpp");
}

TEST(StoredText, OnceNothingMoreIsKeptARecordWritesOverItsOwnRoom) {
  TextStore store;
  FileTexts texts(store, 1, 1000);
  StoredText kept, own, other;
  kept.assign("kept.cpp", texts);

  struct Step {
    const char* assigned;
    bool moves;
  };
  const Step steps[] = {
      {"first own.cpp", true},  // 13 bytes of room
      {"short.cpp", false},     // fits
      {"kept.cpp", false},      // a kept text, copied all the same
      {"exactly 13 by", false},
      {"fourteen bytes", true},  // room of 26 now
      {"twenty-six bytes of text.", false},
      {"", false},
  };
  const char* last = nullptr;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.assigned);
    own.assign(step.assigned, texts);
    EXPECT_EQ(own, step.assigned);
    if (last != nullptr) {
      EXPECT_EQ(own.data() != last, step.moves);
    }
    last = own.data();
    other.assign("other.cpp", texts);
  }
  EXPECT_EQ(kept, "kept.cpp");
  EXPECT_EQ(other, "other.cpp") << "rooms of different records do not overlap";
}

}  // namespace
