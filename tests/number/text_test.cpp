// VsStr: the documented tables and edge cases, and a simple model that builds
// the text backwards as described, over every format field and radix.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reference.h"

namespace {

using namespace reference;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

constexpr unsigned char kSentinel = 0xA5;

ulong32 format_word(unsigned byte0, unsigned byte1 = 0, unsigned byte2 = 0,
                    unsigned byte3 = 0) {
  return ulong32(byte0 | byte1 << 8 | byte2 << 16 | u32(byte3) << 24);
}

unsigned largest_digits(int radix) {
  return radix == 10 ? 20 : radix == 16 ? 16 : radix == 8 ? 22 : 64;
}
std::size_t work_area(int radix) { return 2 * largest_digits(radix) + 4; }

// Writing as described: backwards from the end of the work area, a group
// counter that puts the separator in front after every full group, zero fill
// counted into the groups, and no separator in front of the first digit.
std::string model_text(u64 value, ulong32 format, int radix) {
  const unsigned group = format & 0xFF, offset = format >> 24;
  const char separator = char((format >> 8 & 0xFF) != 0 ? format >> 8 & 0xFF : ' ');
  unsigned minimum = format >> 16 & 0xFF;
  std::string work(work_area(radix), '?');
  std::size_t at = work.size();
  unsigned written = 0, counter = group;
  auto put = [&](unsigned digit) {
    work[--at] = char(digit < 10 ? '0' + digit : 'A' + (digit - 10) + offset);
    ++written;
    if (group != 0 && --counter == 0) {
      work[--at] = separator;
      counter = group;
    }
  };
  u64 copy = value;
  do {
    put(unsigned(copy % unsigned(radix)));
    copy /= unsigned(radix);
  } while (copy != 0);
  if (minimum > largest_digits(radix)) minimum = largest_digits(radix);
  while (written < minimum) put(0);
  if (group != 0 && written % group == 0) ++at;
  return work.substr(at);
}

// VsStr into a buffer of exactly the work area (so the sanitizer sees any
// write past it), filled with a sentinel. Returns the text, or what went
// wrong: a changed value, a result without a zero byte there, a byte written
// past the zero byte.
std::string written_text(u64 value, ulong32 format, int radix) {
  std::vector<unsigned char> buffer(work_area(radix), kSentinel);
  VYKNB64 v = make(value);
  const int length = v.VsStr(buffer.data(), format, radix);
  if (value_of(v) != value) return "<value changed>";
  if (length < 0 || std::size_t(length) >= buffer.size() || buffer[length] != 0)
    return "<no zero byte at result " + std::to_string(length) + ">";
  for (std::size_t i = std::size_t(length) + 1; i < buffer.size(); ++i)
    if (buffer[i] != kSentinel) return "<byte " + std::to_string(i) + " written past the text>";
  return std::string(buffer.begin(), buffer.begin() + length);
}

TEST(NumberVsStr, DocumentedTexts) {
  struct Row {
    u64 value;
    ulong32 format;
    int radix;
    std::string text;
  };
  const std::string zeros20 = "00 000 000 000 000 000 000";
  const Row rows[] = {
      {0, 3, 10, "0"},
      {123, 3, 10, "123"},
      {1234, 3, 10, "1 234"},
      {123456, 3, 10, "123 456"},
      {1234567, 3, 10, "1 234 567"},
      {kMax, 0, 10, "18446744073709551615"},
      {kMax, 3, 10, "18 446 744 073 709 551 615"},
      {1234567, 1310723, 10, "00 000 000 000 001 234 567"},
      {0, 1310723, 10, zeros20},
      {kMax, 1310723, 10, "18 446 744 073 709 551 615"},
      {5, format_word(0, 0, 5), 10, "00005"},
      {255, 0, 16, "FF"},
      {255, format_word(0, 0, 0, 32), 16, "ff"},
      {5, format_word(4, 0, 8), 2, "0000 0101"},
      {kMax, 0, 8, "1777777777777777777777"},
      {kMax, 0, 2, std::string(64, '1')},
      {0, 0, 16, "0"},
      {0, 0, 8, "0"},
      {0, 0, 2, "0"},
      {0, format_word(4, '.', 8), 16, "0000.0000"},
      // A minimum above the radix's largest digit count gives that count.
      {7, format_word(0, 0, 255), 10, std::string(19, '0') + "7"},
      {0, format_word(0, 0, 21), 10, std::string(20, '0')},
      {0, format_word(0, 0, 17), 16, std::string(16, '0')},
      {0, format_word(0, 0, 23), 8, std::string(22, '0')},
      {1, format_word(0, 0, 65), 2, std::string(63, '0') + "1"},
      // Six digits in groups of 3: no separator in front, whatever it is.
      {123456, format_word(3, '.'), 10, "123.456"},
      {123456, format_word(3, '0'), 10, "1230456"},
      {123456, format_word(3, 0xFF), 10, "123\xFF" "456"},
      {123456, format_word(2, ','), 10, "12,34,56"},
      // Group sizes of 1, of the digit count, and above it.
      {1234, format_word(1, ','), 10, "1,2,3,4"},
      {1234, format_word(4, ','), 10, "1234"},
      {1234, format_word(200, ','), 10, "1234"},
      // The letter offset moves the letters only.
      {0x1A2B3C, format_word(0, 0, 0, 32), 16, "1a2b3c"},
      {0xABCDEF, format_word(0, 0, 0, 1), 16, "BCDEFG"},
      {0xDEADBEEF, format_word(4, '\'', 16, 32), 16, "0000'0000'dead'beef"},
      {0x9F, format_word(0, 0, 0, 255), 16, "9E"},  // 'F' + 255 kept to a byte
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("value " + std::to_string(row.value) + " format " +
                 std::to_string(row.format) + " radix " + std::to_string(row.radix));
    EXPECT_EQ(written_text(row.value, row.format, row.radix), row.text);
  }
}

TEST(NumberVsStr, NullBufferAndOtherRadices) {
  for (int radix : {2, 8, 10, 16, 0, 3}) {
    VYKNB64 v = make(1234);
    EXPECT_EQ(v.VsStr(static_cast<unsigned char*>(nullptr), 3, radix), 0) << radix;
  }
  for (int radix : {0, 1, 3, 9, 11, 15, 17, 36, -10}) {
    SCOPED_TRACE("radix " + std::to_string(radix));
    std::vector<unsigned char> buffer(140, kSentinel);
    VYKNB64 v = make(kMax - 5);
    EXPECT_EQ(v.VsStr(buffer.data(), 1310723, radix), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(std::count(buffer.begin() + 1, buffer.end(), kSentinel), 139);
    EXPECT_EQ(value_of(v), kMax - 5);
  }
}

// Values where the digit count changes in any radix, the documented
// boundaries, and repeatable random values, in every radix with every
// combination of the format's fields around their limits.
TEST(NumberVsStr, MatchesModelForAllFormatFields) {
  std::vector<u64> values = boundary_values();
  for (u64 p = 1; p != 0; p <<= 1) values.insert(values.end(), {p - 1, p});
  for (u64 p = 10; p < kMax / 10; p *= 10) values.insert(values.end(), {p - 1, p, p + 1});
  values.push_back(10000000000000000000ull);
  OperandSource source(4711);
  for (int i = 0; i < 60; ++i) values.push_back(source.next());

  const unsigned groups[] = {0, 1, 2, 3, 4, 7, 16, 21, 65, 255};
  const unsigned separators[] = {0, '.', 0xFF};
  const unsigned minimums[] = {0, 1, 5, 15, 16, 17, 20, 21, 22, 23, 63, 64, 65, 255};
  int failures = 0;
  for (int radix : {10, 16, 8, 2}) {
    const std::vector<unsigned> offsets =
        radix == 16 ? std::vector<unsigned>{0, 32, 1, 186, 255} : std::vector<unsigned>{0, 32};
    for (unsigned group : groups)
      for (unsigned separator : separators)
        for (unsigned minimum : minimums)
          for (unsigned offset : offsets) {
            const ulong32 format = format_word(group, separator, minimum, offset);
            for (u64 value : values) {
              const std::string want = model_text(value, format, radix);
              const std::string got = written_text(value, format, radix);
              if (got != want && ++failures <= 10)
                ADD_FAILURE() << "value " << value << " format " << format << " radix "
                              << radix << ": got \"" << got << "\" want \"" << want << "\"";
            }
          }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
