// Independent models of VsStr and VzStr that follow the described backward
// scans literally, a character at a time: writing from the end of the work
// area with a group counter, reading from the last character back with
// saturating decimal sums and prefixed digits placed at their bit positions.
#ifndef VYKPAV_TESTS_SUPPORT_TEXT_REFERENCE_H
#define VYKPAV_TESTS_SUPPORT_TEXT_REFERENCE_H

#include <cstddef>
#include <string>
#include <utility>

#include "selvorin/vyknb64.h"
#include "support/reference.h"

namespace reference {

using Selvorin::ulong32;

// The most digits of a value in the radix, and the room VsStr asks for.
inline unsigned largest_digits(int radix) {
  return radix == 10 ? 20 : radix == 16 ? 16 : radix == 8 ? 22 : 64;
}
inline std::size_t work_area(int radix) { return 2 * largest_digits(radix) + 4; }

// Writing as described: backwards from the end of the work area, a group
// counter that puts the separator in front after every full group, zero fill
// counted into the groups, and no separator in front of the first digit.
inline std::string model_text(u64 value, ulong32 format, int radix) {
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

// Reading as described: the radix from the second character, then a scan
// from the last character back, with saturating decimal sums and prefixed
// digits placed at their bit positions.
inline std::pair<bool, u64> model_read(const std::string& text, unsigned char separator,
                                       u64 value) {
  auto decimal = [](char c) { return c >= '0' && c <= '9'; };
  if (text.empty() || !decimal(text[0])) return {false, value};
  unsigned bits = 0;
  if (text.size() > 1 && !decimal(text[1])) {
    const char c = text[1];
    bits = c == 'x' || c == 'X' ? 4 : c == 'o' || c == 'O' ? 3 : c == 'b' || c == 'B' ? 1 : 0;
    if (bits == 0 && c != char(separator)) return {false, value};
  }
  if (bits == 0) {
    u64 power = 1;
    for (std::size_t i = text.size(); i-- > 0;) {
      if (text[i] == char(separator)) continue;
      if (!decimal(text[i])) return {false, value};
      const u64 term = mul(u64(text[i] - '0'), power);
      value = power == 1 ? term : add(value, term);
      power = mul(power, 10);
    }
    return {true, value};
  }
  const std::string digits = "0123456789abcdef";
  value = 0;
  unsigned position = 0;
  for (std::size_t i = text.size(); i-- > 2;) {
    const char c = text[i];
    if (c == char(separator)) continue;
    const std::size_t d = digits.find(char(c >= 'A' && c <= 'F' ? c + 32 : c));
    if (d == std::string::npos || d >= (1u << bits)) return {false, value};
    if (bits * position < 64) value |= u64(d) << (bits * position);
    ++position;
  }
  return {position > 0, value};
}

}  // namespace reference

#endif  // VYKPAV_TESTS_SUPPORT_TEXT_REFERENCE_H
