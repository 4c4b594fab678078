// The buffered writer hands out whole UTF-8 characters only, so a Windows
// console, which is given UTF-16, never shows a character split across two
// writes as two wrong ones; at the end everything put is written, in order.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/report/writer.h"

namespace {

using vykpav::report::Writer;

TEST(Writer, WritesWholeCharactersWhenItsBufferFills) {
  struct Row {
    const char* name;
    std::string character;  // put a byte at a time, the buffer filling on its `fills_on`th
    std::size_t fills_on;
    std::size_t held;  // its bytes not yet written then
  };
  const Row rows[] = {
      {"2 bytes, split", "\xD0\xA0", 1, 1},
      {"2 bytes, whole", "\xD0\xA0", 2, 0},
      {"3 bytes, split after 1", "\xE2\x96\x88", 1, 1},
      {"3 bytes, split after 2", "\xE2\x96\x88", 2, 2},
      {"3 bytes, whole", "\xE2\x96\x88", 3, 0},
      {"4 bytes, split after 3", "\xF0\x9F\x93\x8A", 3, 3},
      {"4 bytes, whole", "\xF0\x9F\x93\x8A", 4, 0},
      {"ASCII", "a", 1, 0},
      // Malformed: nothing whole to wait for.
      {"a stray continuation byte", "\x80", 1, 0},
      {"four continuation bytes", "\x80\x80\x80\x80", 4, 0},
      {"a lead byte with too many", "\xD0\xA0\xA0", 3, 0},
  };
  const std::string path =
      (std::filesystem::path(testing::TempDir()) / "vykpav_writer_test.txt").string();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::FILE* file = std::fopen(path.c_str(), "w+b");
    ASSERT_NE(file, nullptr);
    const std::string filler(Writer::kFlushAt - row.fills_on, 'x');
    {
      Writer out(file);
      out.put(filler);
      for (std::size_t i = 0; i < row.character.size(); ++i) {
        out.put(row.character[i]);
        if (i + 1 == row.fills_on) {
          EXPECT_EQ(std::ftell(file), static_cast<long>(Writer::kFlushAt - row.held));
        }
      }
      EXPECT_TRUE(out.flush());
    }
    std::fclose(file);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              filler + row.character);
  }
  std::remove(path.c_str());
}

}  // namespace
