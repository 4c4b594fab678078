// The digit writers behind VsStr, one per way of writing, and what they
// share. Each writes the text and its zero byte at `buffer` and returns the
// text's length; only the text and its zero byte ever reach the buffer. Each
// is kept out of line and entered by a jump from VsStr, so the common
// ungrouped case sets up no more than it uses.
#ifndef VYKPAV_NUMBER_TEXT_WRITE_H
#define VYKPAV_NUMBER_TEXT_WRITE_H

#include <cstdint>
#include <cstring>

#include "base/compiler.h"
#include "number/text_format.h"

namespace vykpav::number {

int write_decimal(unsigned char* buffer, std::uint64_t v, ulong32 format);      // radix 10
int write_hexadecimal(unsigned char* buffer, std::uint64_t v, ulong32 format);  // radix 16
int write_octal(unsigned char* buffer, std::uint64_t v, ulong32 format);        // radix 8
int write_binary(unsigned char* buffer, std::uint64_t v, ulong32 format);       // radix 2

inline unsigned bit_length(std::uint64_t v) noexcept {
  return 64u - unsigned(base::leading_zeros(v | 1));
}

// The digits of the text: those of the value, zero-filled on the left up to
// the minimum of byte 2, which is first cut to the radix's largest count.
inline unsigned text_digit_count(unsigned value_digits, ulong32 format, unsigned largest) noexcept {
  unsigned minimum = minimum_digits(format);
  if (minimum > largest) minimum = largest;
  return value_digits > minimum ? value_digits : minimum;
}

// Copies n digits out with the separator in front of every full group
// counted from the right, then the zero byte; the caller makes sure that
// group < n.
template <unsigned Group>
inline int put_grouped(unsigned char* out, const unsigned char* digits, unsigned n, unsigned group,
                       unsigned char separator) noexcept {
  if (Group != 0) group = Group;  // a constant size lets the copies inline
  unsigned first = n % group;
  if (first == 0) first = group;
  std::memcpy(out, digits, first);
  unsigned char* at = out + first;
  for (unsigned i = first; i < n; i += group) {
    *at = separator;
    std::memcpy(at + 1, digits + i, group);
    at += group + 1;
  }
  *at = 0;
  return int(at - out);
}

inline int put_grouped(unsigned char* out, const unsigned char* digits, unsigned n,
                       ulong32 format) noexcept {
  const unsigned group = group_size(format);
  if (group == 4) return put_grouped<4>(out, digits, n, group, separator_of(format));
  return put_grouped<0>(out, digits, n, group, separator_of(format));
}

inline int finish(unsigned char* buffer, unsigned length) noexcept {
  buffer[length] = 0;
  return int(length);
}

}  // namespace vykpav::number

#endif  // VYKPAV_NUMBER_TEXT_WRITE_H
