// VsStr and VzStr: the documented tables and edge cases, both operations
// against simple models that follow the described backward scans literally,
// and round trips from value to text and back in every radix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/reference.h"
#include "support/text_reference.h"

namespace {

using namespace reference;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

constexpr unsigned char kSentinel = 0xA5;
constexpr u64 kKept = 777;  // start value that shows a rejected text kept it

ulong32 format_word(unsigned byte0, unsigned byte1 = 0, unsigned byte2 = 0, unsigned byte3 = 0) {
  return ulong32(byte0 | byte1 << 8 | byte2 << 16 | u32(byte3) << 24);
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
      {123456, format_word(3, 0xFF), 10,
       "123\xFF"
       "456"},
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
    SCOPED_TRACE("value " + std::to_string(row.value) + " format " + std::to_string(row.format) +
                 " radix " + std::to_string(row.radix));
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

// Line numbers and the names of numbered areas are written so: the digits
// "%u" gives.
TEST(NumberVsStr, PlainDecimalMatchesPercentU) {
  for (std::uint32_t n : {0u, 7u, 4294967295u, 2147483648u}) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%u", static_cast<unsigned>(n));
    EXPECT_EQ(written_text(n, 0, 10), expected);
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
                ADD_FAILURE() << "value " << value << " format " << format << " radix " << radix
                              << ": got \"" << got << "\" want \"" << want << "\"";
            }
          }
  }
  EXPECT_EQ(failures, 0);
}

// VzStr on a heap copy of exactly the given bytes (plus a zero byte when the
// format asks for a terminator), so the sanitizer sees any read past them.
std::pair<bool, u64> read_text(const std::string& bytes, ulong32 format, u64 start = kKept) {
  const bool terminated = (format & 0xFF) == 0;
  std::unique_ptr<unsigned char[]> text(new unsigned char[bytes.size() + terminated]);
  std::memcpy(text.get(), bytes.data(), bytes.size());
  if (terminated) text[bytes.size()] = 0;
  VYKNB64 v = make(start);
  const bool ok = v.VzStr(text.get(), format);
  return {ok, value_of(v)};
}

TEST(NumberVzStr, DocumentedAndDecidedTexts) {
  struct Row {
    std::string text;
    ulong32 format;
    bool ok;
    u64 value;
  };
  using std::string;
  const Row rows[] = {
      {"1234", 0, true, 1234},
      {"12 34", 0, true, 1234},
      {"1 234 567", 0, true, 1234567},  // separator as second character
      {"1_234", format_word(0, '_'), true, 1234},
      {"0", 0, true, 0},
      {"7", 0, true, 7},
      {"00000000000000000000000000000042", 0, true, 42},
      {"18446744073709551615", 0, true, kMax},
      {"18446744073709551614", 0, true, kMax - 1},
      {"18446744073709551616", 0, true, kMax},
      {"99999999999999999999", 0, true, kMax},
      // Around 19 and 20 digits, where plain digits stop being read apart.
      {"9999999999999999999", 0, true, 9999999999999999999ull},
      {"9999999999999999999a", 0, false, kKept},
      {"99999999999999999999a", 0, false, kKept},
      {"1844674407370955161 5", 0, true, kMax},
      {"018446744073709551615", 0, true, kMax},
      {"018446744073709551616", 0, true, kMax},
      {"1 ", 0, true, 1},
      {"0x1F", 0, true, 31},
      {"0X1f", 0, true, 31},
      {"0x1 f", 0, true, 31},
      {"9x1F", 0, true, 31},
      {"0o17", 0, true, 15},
      {"0O17", 0, true, 15},
      {"0b101", 0, true, 5},
      {"0B1 01", 0, true, 5},
      {"0xfedcba9876543210", 0, true, 0xFEDCBA9876543210},
      {"0x123456789abcdef01", 0, true, 0x23456789ABCDEF01},  // 17 digits: low 16
      {"0x" + string(40, 'F'), 0, true, kMax},
      {"0o1777777777777777777777", 0, true, kMax},
      {"0o3777777777777777777777", 0, true, kMax},  // bit 64 lost
      {"0o2000000000000000000000", 0, true, 0},
      {"0o3" + string(21, '0'), 0, true, 1ull << 63},
      {"0o7" + string(22, '0'), 0, true, 0},  // bit position 66: ignored
      {"0b" + string(64, '1'), 0, true, kMax},
      {"0b11" + string(63, '0'), 0, true, 1ull << 63},
      {"0b1" + string(64, '0'), 0, true, 0},
      // The separator is tested before the digits and after x/o/b.
      {"1525", format_word(0, '5'), true, 12},
      {"0xa1a", format_word(0, 'a'), true, 1},
      {"1x2", format_word(0, 'x'), true, 2},
      // Rejected before the radix is chosen: the value is kept.
      {"", 0, false, kKept},
      {" 1", 0, false, kKept},
      {"+1", 0, false, kKept},
      {"a1", 0, false, kKept},
      {"1a", 0, false, kKept},
      {"1-2", 0, false, kKept},
      {"0y1", 0, false, kKept},
      {"1 234", format_word(0, '_'), false, kKept},
      {";123", format_word(0, 0, ';'), false, kKept},
      {"5", format_word(0, 0, '5'), false, kKept},  // ends at once
      // Rejected later: the digits right of the rightmost rejected character.
      {"12a", 0, false, kKept},
      {"12a3", 0, false, 3},
      {"12a3b45", 0, false, 45},
      {"12a3b 4 5", 0, false, 45},
      {"11a99999999999999999999", 0, false, kMax},
      {"99999999999999999999a1", 0, false, 1},
      {"0xz1", 0, false, 1},
      {"0x1z", 0, false, 0},
      {"0x 1 z", 0, false, 0},
      {"0xg12z34", 0, false, 0x34},
      {"0b102", 0, false, 0},
      {"0b12 1", 0, false, 1},
      {"0o81", 0, false, 1},
      {"0o18", 0, false, 0},
      // A prefix without digits.
      {"0x", 0, false, 0},
      {"0b   ", 0, false, 0},
      {"0o__", format_word(0, '_'), false, 0},
      {"0x;", format_word(0, 0, ';'), false, 0},
      // A given length cuts the text and ignores the terminator.
      {"7", 1, true, 7},
      {"5?", 1, true, 5},
      {"12345", 3, true, 123},
      {"0x1Fzz", 4, true, 31},
      {"0x", 2, false, 0},
      {"0x1", 2, false, 0},
      {"1 ", 2, true, 1},
      {"12;3", format_word(4, 0, ';'), false, 3},
      {string("12\0"
              "34",
              5),
       5, false, 34},
      {string(255, '0') + "9", 255, true, 0},
      {string(254, '0') + "9", 255, true, 9},
      // The text ends at the terminator or a zero byte, whichever is first.
      {"123;456", format_word(0, 0, ';'), true, 123},
      {"12 3;x", format_word(0, 0, ';'), true, 123},
      {"0x1F;zz", format_word(0, 0, ';'), true, 31},
      {string("12\0;9", 5), format_word(0, 0, ';'), true, 12},
      {string("4\0"
              "1;",
              4),
       format_word(0, 0, ';'), true, 4},
      {string("0\0x1", 4), 0, true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("\"" + row.text + "\" format " + std::to_string(row.format));
    const auto got = read_text(row.text, row.format);
    EXPECT_EQ(got.first, row.ok);
    EXPECT_EQ(got.second, row.value);
  }
  VYKNB64 v = make(kKept);
  EXPECT_FALSE(v.VzStr(static_cast<const unsigned char*>(nullptr), 0));
  EXPECT_EQ(value_of(v), kKept);
}

// Random short texts over the characters that matter: digits, letters,
// prefixes, separators, terminators and zero bytes.
TEST(NumberVzStr, MatchesModelOnRandomTexts) {
  const std::string alphabet = std::string("0123456789abcfABFgxXoObB _;5/:", 30) + '\0';
  const unsigned char separators[] = {' ', '_', '5'};
  const unsigned char terminators[] = {0, ';', '7'};  // a digit one too
  std::mt19937_64 engine(2024);
  int failures = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string text(static_cast<std::size_t>(engine() % 30), '0');
    for (std::size_t j = 0; j < text.size(); ++j) {
      const u64 r = engine();
      // Mostly digits, so that many texts get far before a rejection.
      text[j] = r % 3 == 0 ? alphabet[static_cast<std::size_t>(r / 3 % alphabet.size())]
                           : char('0' + r / 3 % 10);
    }
    const unsigned char separator = separators[engine() % 3];
    const unsigned char terminator = terminators[engine() % 3];
    const bool given = !text.empty() && engine() % 2 == 0;
    const ulong32 format = format_word(given ? unsigned(text.size()) : 0,
                                       separator == ' ' ? 0 : separator, terminator);
    const u64 start = engine();
    const std::string delimited =
        given ? text : text.substr(0, text.find_first_of(std::string(1, char(terminator)) + '\0'));
    const auto want = model_read(delimited, separator, start);
    const auto got = read_text(text, format, start);
    if (got != want && ++failures <= 10)
      ADD_FAILURE() << "\"" << text << "\" format " << format << " start " << start << ": got "
                    << got.first << "/" << got.second << " want " << want.first << "/"
                    << want.second;
  }
  EXPECT_EQ(failures, 0);
}

// Text written with grouping and zero fill reads back to the same value once
// a prefix is put in front, with the separator given to both operations.
TEST(NumberVzStr, ReadsBackWhatVsStrWrites) {
  struct Radix {
    int radix;
    const char* prefix;
  };
  const Radix radices[] = {{10, ""},  {16, "0x"}, {16, "7X"}, {8, "0o"},
                           {8, "0O"}, {2, "0b"},  {2, "1B"}};
  OperandSource source(99);
  int failures = 0;
  for (int i = 0; i < 4000; ++i) {
    const u64 value = i < 13 ? boundary_values()[std::size_t(i)] : source.next();
    for (const Radix& r : radices)
      for (unsigned separator : {0u, unsigned('_'), unsigned('\'')})
        for (unsigned group : {0u, 1u, 3u, 4u})
          for (unsigned minimum : {0u, 21u}) {
            std::vector<unsigned char> buffer(work_area(r.radix));
            VYKNB64 v = make(value);
            const int length = v.VsStr(
                buffer.data(), format_word(group, separator, minimum, i % 2 ? 32 : 0), r.radix);
            const std::string text =
                r.prefix + std::string(buffer.begin(), buffer.begin() + length);
            for (bool given : {false, true}) {
              const ulong32 format = format_word(given ? unsigned(text.size()) : 0, separator);
              const auto got = read_text(text, format, ~value);
              if ((!got.first || got.second != value) && ++failures <= 10)
                ADD_FAILURE() << "\"" << text << "\" format " << format << " read as " << got.second
                              << " want " << value;
            }
          }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
