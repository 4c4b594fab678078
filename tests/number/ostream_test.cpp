// operator<< of VYKNB64 on a std::ostream: the text a stream writes for a
// std::uint64_t of the same value under every format row, but never grouped.
#include <gtest/gtest.h>

#include <ios>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "selvorin/vyknb64_ostream.h"
#include "support/reference.h"

namespace {

using reference::make;
using reference::u64;
using Selvorin::VYKNB64;

using Flags = std::ios_base::fmtflags;
const Flags kNone = Flags();

struct Format {
  const char* name;
  Flags flags;
  std::streamsize width;
  char fill;
};

// Every basefield (none and two at once included), with and without showbase
// and uppercase, and each adjustment with a width wider than some values.
// clang-format off
const Format kFormats[] = {
    {"default", kNone, 0, ' '},
    {"dec", std::ios_base::dec, 0, ' '},
    {"hex", std::ios_base::hex, 0, ' '},
    {"oct", std::ios_base::oct, 0, ' '},
    {"hex and oct", std::ios_base::hex | std::ios_base::oct, 0, ' '},
    {"dec showbase", std::ios_base::dec | std::ios_base::showbase, 0, ' '},
    {"hex showbase", std::ios_base::hex | std::ios_base::showbase, 0, ' '},
    {"hex uppercase", std::ios_base::hex | std::ios_base::uppercase, 0, ' '},
    {"hex showbase uppercase", std::ios_base::hex | std::ios_base::showbase | std::ios_base::uppercase, 0, ' '},
    {"oct showbase", std::ios_base::oct | std::ios_base::showbase, 0, ' '},
    {"showpos", std::ios_base::showpos, 0, ' '},
    {"width 25", kNone, 25, ' '},
    {"width 1", kNone, 1, ' '},
    {"left", std::ios_base::left, 12, '*'},
    {"right", std::ios_base::right, 12, '*'},
    {"internal", std::ios_base::internal, 12, '*'},
    {"hex showbase left", std::ios_base::hex | std::ios_base::showbase | std::ios_base::left, 12, '.'},
    {"hex showbase right", std::ios_base::hex | std::ios_base::showbase | std::ios_base::right, 12, '.'},
    {"hex showbase internal", std::ios_base::hex | std::ios_base::showbase | std::ios_base::internal, 12, '0'},
    {"oct showbase internal", std::ios_base::oct | std::ios_base::showbase | std::ios_base::internal, 12, '_'},
};
// clang-format on

void set_format(std::ostream& os, const Format& format) {
  os.flags(format.flags);
  os.width(format.width);
  os.fill(format.fill);
}

// What the stream writes, followed by one more field, a 0 in any base, that shows whether the
// width was used up.
template <class Value>
std::string written(const Format& format, const Value& value, const std::locale& locale) {
  std::ostringstream os;
  os.imbue(locale);
  set_format(os, format);
  os << value << '|' << 0;
  return os.str();
}

TEST(NumberOstream, WritesWhatAStreamWritesForTheSameUint64) {
  std::vector<u64> values = reference::boundary_values();
  reference::OperandSource source(31);
  for (int i = 0; i < 300; ++i) values.push_back(source.next());
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.name);
    int mismatches = 0;
    for (u64 x : values) {
      const std::string want =
          written(format, static_cast<unsigned long long>(x), std::locale::classic());
      const std::string got = written(format, make(x), std::locale::classic());
      if (got != want && ++mismatches <= 3)
        ADD_FAILURE() << x << ": got " << got << " want " << want;
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(NumberOstream, Examples) {
  const struct {
    const char* name;
    Format format;
    u64 value;
    const char* text;
  } rows[] = {
      {"largest", {"", kNone, 0, ' '}, ~u64{0}, "18446744073709551615|0"},
      {"0x", {"", std::ios_base::hex | std::ios_base::showbase, 0, ' '}, 31, "0x1f|0"},
      {"0X",
       {"", std::ios_base::hex | std::ios_base::showbase | std::ios_base::uppercase, 0, ' '},
       ~u64{0},
       "0XFFFFFFFFFFFFFFFF|0"},
      {"no prefix on 0", {"", std::ios_base::hex | std::ios_base::showbase, 0, ' '}, 0, "0|0"},
      {"octal prefix", {"", std::ios_base::oct | std::ios_base::showbase, 0, ' '}, 8, "010|0"},
      {"internal after 0x",
       {"", std::ios_base::hex | std::ios_base::showbase | std::ios_base::internal, 8, '0'},
       31,
       "0x00001f|0"},
      {"left", {"", std::ios_base::left, 5, '*'}, 42, "42***|0"},
      {"right", {"", kNone, 5, '*'}, 42, "***42|0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(written(row.format, make(row.value), std::locale::classic()), row.text);
  }
}

// A locale that groups digits by three with commas.
struct Thousands : std::numpunct<char> {
  char do_thousands_sep() const override { return ','; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(NumberOstream, NeverGroupsDigitsWhateverTheLocale) {
  const std::locale grouping(std::locale::classic(), new Thousands);
  const Format plain{"", kNone, 0, ' '};
  // The stream itself groups a std::uint64_t there; VYKNB64 keeps the digits.
  EXPECT_EQ(written(plain, 1234567ull, grouping), "1,234,567|0");
  EXPECT_EQ(written(plain, make(1234567), grouping), "1234567|0");
  EXPECT_EQ(written(plain, make(~u64{0}), grouping), "18446744073709551615|0");
}

TEST(NumberOstream, AFailedStreamGetsNothingAndAFullOneTurnsBad) {
  std::ostringstream failed;
  failed.setstate(std::ios_base::failbit);
  failed << make(5);
  EXPECT_EQ(failed.str(), "");
  EXPECT_TRUE(failed.fail());

  struct Full : std::streambuf {};  // the default overflow refuses every character
  Full full;
  std::ostream os(&full);
  os << make(5);
  EXPECT_TRUE(os.bad());
}

}  // namespace
