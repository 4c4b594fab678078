// VsStr then VzStr: a value and a format from the input are written as text,
// the text is checked byte by byte, then read back after the radix's prefix
// and must give the value again.
//
// Input bytes (missing ones count as 0):
//   0-7   the value, least significant byte first
//   8     group size           9   separator        10  minimum digits
//   11    letter offset
//   12    bits 0-1 the radix (10, 16, 8, 2); bits 2-5 the prefix's first
//         digit (taken modulo 10); bit 6 an upper-case prefix letter
//   13    the terminator for the read with a terminator
//
// VsStr writes into a heap block of exactly the radix's work area, filled
// beforehand with a marker byte, so AddressSanitizer reports a write past
// the block and the markers show a write past the text's zero byte.
#include <algorithm>
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

using reference::make;
using reference::value_of;

unsigned largest_digits(int radix) {
  return radix == 10 ? 20 : radix == 16 ? 16 : radix == 8 ? 22 : 64;
}
std::size_t work_area(int radix) { return 2 * largest_digits(radix) + 4; }

[[noreturn]] void fail(const char* what, u64 value, ulong32 format, int radix,
                       const std::string& detail) {
  std::fprintf(stderr, "%s\n  value %llu, format 0x%08X, radix %d\n  %s\n", what,
               static_cast<unsigned long long>(value), unsigned(format), radix,
               printable(detail).c_str());
  std::abort();
}

// The text as described: the value's digits in the radix, zero-filled to the
// minimum (cut to the radix's largest digit count), letters 'A' + offset on,
// and the separator (space when 0) before every full group counted from the
// right, never in front of the first digit.
std::string expected_text(u64 value, ulong32 format, int radix) {
  const unsigned group = format & 0xFF;
  const char separator = char((format >> 8 & 0xFF) != 0 ? format >> 8 & 0xFF : ' ');
  const unsigned minimum = std::min<unsigned>(format >> 16 & 0xFF, largest_digits(radix));
  const unsigned offset = format >> 24;
  std::string digits;  // least significant first
  do {
    const unsigned d = unsigned(value % unsigned(radix));
    digits += char(d < 10 ? '0' + d : ('A' + (d - 10) + offset) & 0xFF);
    value /= unsigned(radix);
  } while (value != 0);
  while (digits.size() < minimum) digits += '0';
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (group != 0 && i != 0 && i % group == 0) text += separator;
    text += digits[i];
  }
  return std::string(text.rbegin(), text.rend());
}

// VsStr into a block of exactly the work area, once per marker byte (a write
// of the marker itself past the text would hide from one of them), checked
// against the text as described. Returns the text.
std::string write_checked(u64 value, ulong32 format, int radix) {
  const std::string want = expected_text(value, format, radix);
  const std::size_t size = work_area(radix);
  for (unsigned char marker : {0xA5, 0x5A}) {
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[size]);
    std::memset(buffer.get(), marker, size);
    VYKNB64 v = make(value);
    const int length = v.VsStr(buffer.get(), format, radix);
    if (value_of(v) != value) fail("VsStr changed the value", value, format, radix, "");
    if (length < 0 || std::size_t(length) >= size)
      fail("VsStr returned a length outside the work area", value, format, radix,
           std::to_string(length));
    const std::string got(reinterpret_cast<const char*>(buffer.get()), std::size_t(length));
    if (got != want)
      fail("VsStr wrote another text", value, format, radix,
           "got \"" + got + "\" want \"" + want + "\"");
    if (buffer[std::size_t(length)] != 0)
      fail("no zero byte after the text", value, format, radix, got);
    for (std::size_t i = std::size_t(length) + 1; i < size; ++i)
      if (buffer[i] != marker)
        fail("VsStr wrote past the text's zero byte", value, format, radix,
             "byte " + std::to_string(i) + " of " + std::to_string(size));
  }
  return want;
}

// VzStr on exactly the bytes of `block`, in a heap block of exactly its size,
// from a start value that differs from `value`.
void read_checked(const std::string& block, ulong32 format, u64 value, const char* how) {
  std::unique_ptr<unsigned char[]> copy(new unsigned char[block.size()]);
  std::memcpy(copy.get(), block.data(), block.size());
  VYKNB64 v = make(~value);
  const bool ok = v.VzStr(copy.get(), format);
  if (!ok || value_of(v) != value)
    fail(how, value, format, 0,
         "text \"" + block + "\" read as " + (ok ? "true " : "false ") +
             std::to_string(value_of(v)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t in[14] = {};
  std::memcpy(in, data, size < sizeof in ? size : sizeof in);
  u64 value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | in[i];
  const unsigned group = in[8], separator_field = in[9], minimum = in[10], offset = in[11];
  static const int kRadices[] = {10, 16, 8, 2};
  const int radix = kRadices[in[12] & 3];
  const char prefix_digit = char('0' + (in[12] >> 2 & 15) % 10);
  const bool upper_prefix = (in[12] & 0x40) != 0;

  const ulong32 format =
      ulong32(group | separator_field << 8 | minimum << 16 | ulong32(offset) << 24);
  const std::string first = write_checked(value, format, radix);

  // VzStr reads letters only as A-F or a-f: read back the text written in
  // upper case, or in lower case when the offset asks for that.
  const unsigned read_offset = offset == 32 ? 32 : 0;

  // The separator is given to both operations, and the round trip only
  // means something when VzStr can tell it from the text's own characters:
  //  - not a digit VsStr writes in this radix, in its letter case (VzStr
  //    skips the separator before it looks for a digit, so such digits
  //    would vanish);
  //  - in decimal, not x, X, o, O, b or B: a one-digit first group puts the
  //    separator second, where those letters choose the radix. Behind a
  //    prefix the second character is always the prefix letter.
  // The zero field means the space for both operations and is kept. Any
  // other separator is replaced by the space.
  const unsigned char separator = separator_field != 0 ? separator_field : ' ';
  std::string own = radix == 10  ? "0123456789xXoObB"
                    : radix == 8 ? "01234567"
                    : radix == 2 ? "01"
                                 : "";
  if (radix == 16) own = read_offset == 32 ? "0123456789abcdef" : "0123456789ABCDEF";
  const unsigned read_separator =
      own.find(char(separator)) == std::string::npos ? separator_field : 0;

  const ulong32 read_format =
      ulong32(group | read_separator << 8 | minimum << 16 | ulong32(read_offset) << 24);
  const std::string written =
      read_format == format ? first : write_checked(value, read_format, radix);
  std::string text;
  if (radix != 10) {
    text += prefix_digit;
    const char letter = radix == 16 ? 'x' : radix == 8 ? 'o' : 'b';
    text += upper_prefix ? char(letter - 32) : letter;
  }
  text += written;

  const ulong32 separator_word = ulong32(read_separator) << 8;
  read_checked(text, separator_word | ulong32(text.size()), value, "read back with its length");
  read_checked(text + '\0', separator_word, value, "read back zero-terminated");
  // A terminator that the text does not hold.
  const unsigned char terminator = in[13];
  if (terminator != 0 && text.find(char(terminator)) == std::string::npos)
    read_checked(text + char(terminator), separator_word | ulong32(terminator) << 16, value,
                 "read back up to a terminator");
  return 0;
}
