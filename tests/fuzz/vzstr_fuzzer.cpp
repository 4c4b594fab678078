// VzStr on arbitrary bytes: the first four bytes of the input are the format
// word, the rest is the text.
//
// The text is copied into a heap block that ends exactly where the text
// ends: after the given length, or just after the first terminator or zero
// byte (a zero byte is added when the text has neither), so AddressSanitizer
// reports any read past that end. The outcome is checked against a model
// that follows the documented backward scan, and the same text is read
// again with each other way of marking its end. Two properties are checked
// on their own first: a text not starting with a digit leaves the value
// alone, and plain decimal digits that VzStr accepts are what VsStr writes
// back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "selvorin/vyknb64.h"
#include "support/printable.h"
#include "support/reference.h"

namespace {

using Selvorin::ulong32;
using Selvorin::VYKNB64;
using u64 = std::uint64_t;

constexpr u64 kMax = ~u64{0};
// What the number holds before each read: a value no short text reads as,
// so that a read that wrongly leaves it shows.
constexpr u64 kStart = 0x5EC0DE5EC0DE5EC0ull;

using reference::make;
using reference::value_of;

struct Outcome {
  bool ok;
  u64 value;
  bool operator==(const Outcome& o) const { return ok == o.ok && value == o.value; }
};

[[noreturn]] void fail(const char* what, const std::string& text, ulong32 format,
                       const std::string& detail) {
  std::fprintf(stderr, "%s\n  text \"%s\" (%zu bytes), format 0x%08X\n  %s\n", what,
               printable(text).c_str(), text.size(), unsigned(format), printable(detail).c_str());
  std::abort();
}

std::string outcomes(Outcome got, Outcome want) {
  return "got " + std::to_string(got.ok) + "/" + std::to_string(got.value) + ", want " +
         std::to_string(want.ok) + "/" + std::to_string(want.value);
}

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

// The documented reading of the text `t` (its end already found), starting
// from `value`. Where the description leaves a choice, this follows the
// library's: one digit alone and a separator as second character are
// decimal text, a prefix letter as second character chooses the radix even
// when it is the separator too, and a prefix without digits gives false
// and 0.
Outcome model(const std::string& t, unsigned char separator, u64 value) {
  if (t.empty() || !is_digit(t[0])) return {false, value};
  unsigned bits = 0;  // 0: decimal
  if (t.size() >= 2 && !is_digit(t[1])) {
    switch (t[1]) {
      case 'x':
      case 'X': bits = 4; break;
      case 'o':
      case 'O': bits = 3; break;
      case 'b':
      case 'B': bits = 1; break;
      default:
        if (static_cast<unsigned char>(t[1]) != separator) return {false, value};
    }
  }
  if (bits == 0) {
    // From the last character back: the first digit replaces the value,
    // each further one adds digit * 10^k, all saturating.
    bool have_digit = false;
    u64 power = 1;  // 10^k, or kMax once past 2^64 - 1
    for (std::size_t i = t.size(); i-- > 0;) {
      const unsigned char c = static_cast<unsigned char>(t[i]);
      if (c == separator) continue;
      if (!is_digit(c)) return {false, value};
      const unsigned __int128 term = static_cast<unsigned __int128>(c - '0') * power;
      const unsigned __int128 sum = (have_digit ? value : 0) + term;
      value = sum > kMax ? kMax : u64(sum);
      have_digit = true;
      power = power > kMax / 10 ? kMax : power * 10;
    }
    return {true, value};
  }
  // Prefixed: each digit or-ed in at its bit position, positions of 64 and
  // more ignored, bits beyond 63 lost.
  value = 0;
  unsigned position = 0;
  for (std::size_t i = t.size(); i-- > 2;) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c == separator) continue;
    unsigned d = 16;
    if (is_digit(c))
      d = unsigned(c - '0');
    else if (c >= 'a' && c <= 'f')
      d = unsigned(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      d = unsigned(c - 'A' + 10);
    if (d >= (1u << bits)) return {false, value};
    const unsigned shift = bits * position;
    if (shift < 64) value |= u64(d) << shift;
    ++position;
  }
  return {position > 0, value};
}

// VzStr on exactly the bytes of `block`, in a heap block of exactly its size.
Outcome read(const std::string& block, ulong32 format) {
  std::unique_ptr<unsigned char[]> copy(new unsigned char[block.size()]);
  std::memcpy(copy.get(), block.data(), block.size());
  VYKNB64 v = make(kStart);
  const bool ok = v.VzStr(copy.get(), format);
  return {ok, value_of(v)};
}

void expect(const char* what, const std::string& block, ulong32 format, Outcome want) {
  const Outcome got = read(block, format);
  if (!(got == want)) fail(what, block, format, outcomes(got, want));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  ulong32 format = ulong32(data[0] | data[1] << 8 | data[2] << 16 | ulong32(data[3]) << 24);
  const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const unsigned char separator = (format >> 8 & 0xFF) != 0 ? (format >> 8 & 0xFF) : ' ';
  const unsigned char terminator = format >> 16 & 0xFF;

  // The text as VzStr sees it, and the block that holds it.
  std::string text, block;
  if ((format & 0xFF) != 0) {
    // A length beyond the input is cut to the input; no input, no text.
    std::size_t length = format & 0xFF;
    if (length > rest.size()) {
      if (rest.empty()) return 0;
      length = rest.size();
      format = (format & ~ulong32(0xFF)) | ulong32(length);
    }
    text = block = rest.substr(0, length);
  } else {
    const std::size_t end =
        terminator != 0 ? rest.find_first_of(std::string{'\0', char(terminator)}) : rest.find('\0');
    if (end == std::string::npos) {
      text = rest;
      block = rest + '\0';
    } else {
      text = rest.substr(0, end);
      block = rest.substr(0, end + 1);
    }
  }

  // Two documented properties first, each with its own message.
  const Outcome got = read(block, format);
  if ((text.empty() || !is_digit(text[0])) && !(got == Outcome{false, kStart}))
    fail("a text not starting with a digit changed the value", text, format,
         outcomes(got, {false, kStart}));

  // Accepted decimal digits alone, without a leading zero: VsStr writes the
  // same digits back, unless the number is above 2^64 - 1 and saturated.
  const bool plain = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
                     text.find(char(separator)) == std::string::npos &&
                     (text[0] != '0' || text.size() == 1);
  if (got.ok && plain) {
    const std::string largest = "18446744073709551615";
    const bool above =
        text.size() > largest.size() || (text.size() == largest.size() && text > largest);
    VYKNB64 v = make(got.value);
    unsigned char written[44];
    const int length = v.VsStr(written, 0, 10);
    const std::string back(reinterpret_cast<const char*>(written),
                           std::size_t(length > 0 ? length : 0));
    if (above ? got.value != kMax : back != text)
      fail("accepted decimal text is not what VsStr writes back", text, format,
           "read as " + std::to_string(got.value) + ", written back as \"" + back + "\"");
  }

  const Outcome want = model(text, separator, kStart);
  if (!(got == want))
    fail("VzStr differs from the documented reading", text, format, outcomes(got, want));

  // The same text with its end marked each other way: a given length, a
  // zero byte, another terminator. A zero byte inside the text can only be
  // part of it with a given length.
  const ulong32 separator_field = format & 0xFF00;
  if (!text.empty() && text.size() <= 255)
    expect("VzStr with a given length", text, separator_field | ulong32(text.size()), want);
  if (text.find('\0') == std::string::npos) {
    expect("VzStr on a zero-terminated text", text + '\0', separator_field, want);
    // Any byte the text lacks will do as its terminator.
    unsigned char other = static_cast<unsigned char>(terminator != 0 ? terminator : ';');
    for (int tries = 0; tries < 256 && (other == 0 || text.find(char(other)) != std::string::npos);
         ++tries)
      ++other;
    if (other != 0 && text.find(char(other)) == std::string::npos)
      expect("VzStr with a terminator", text + char(other), separator_field | ulong32(other) << 16,
             want);
  }
  return 0;
}
