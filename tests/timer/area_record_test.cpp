// A record's file text: the timer's kept copy while it keeps texts, and the
// record's own room once the limit is reached.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "timer/area_record.h"
#include "timer/kept_file_texts.h"
#include "timer/text_arena.h"

namespace {

using vykpav::timer::FileTextHandle;
using vykpav::timer::KeptFileTexts;
using vykpav::timer::TextArena;

TEST(FileTextHandle, RecordsShareKeptTexts) {
  TextArena arena;
  KeptFileTexts texts(arena);
  FileTextHandle a, b;
  EXPECT_EQ(a, "");
  a.assign("worker.cpp", texts);
  b.assign(std::string("worker.cpp").c_str(), texts);
  EXPECT_EQ(a, "worker.cpp");
  EXPECT_EQ(a.data(), b.data());
  b.assign("", texts);
  EXPECT_EQ(b, "");
  EXPECT_EQ(a, "worker.cpp");
}

// Each mark compares the text it is given with the one its record holds:
// texts that only begin alike, or the same bytes at another address, are
// told apart or recognised.
TEST(FileTextHandle, ATextIsComparedToTheLastByte) {
  TextArena arena;
  KeptFileTexts texts(arena);
  FileTextHandle handle;
  char buffer[32] = "worker.cpp";
  const char* const steps[] = {"worker.cpp", "worker.cp", "worker.cppx", "worker.cpq", "w", ""};
  for (const char* step : steps) {
    SCOPED_TRACE(step);
    handle.assign(step, texts);
    EXPECT_EQ(handle, step);
    std::strcpy(buffer, step);  // the same bytes in the caller's own buffer
    handle.assign(buffer, texts);
    EXPECT_EQ(handle, step);
  }
}

TEST(FileTextHandle, OnceNothingMoreIsKeptARecordWritesOverItsOwnRoom) {
  TextArena arena;
  KeptFileTexts texts(arena, 1, 1000);
  FileTextHandle kept, own, other;
  kept.assign("kept.cpp", texts);

  struct Step {
    const char* assigned;
    bool moves;
  };
  const Step steps[] = {
      {"first own.cpp", true},  // room for 13 bytes and the zero byte
      {"short.cpp", false},     // fits
      {"kept.cpp", false},      // a kept text, copied all the same
      {"exactly 13 by", false},
      {"fourteen bytes", true},  // room of 28 now
      {"twenty-six bytes of text.", false},
      {"", false},
  };
  const char* last = nullptr;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.assigned);
    own.assign(step.assigned, texts);
    EXPECT_EQ(own, step.assigned);
    EXPECT_EQ(own.data()[own.size()], '\0') << "a held text ends in a zero byte";
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
