// The format word of VsStr and VzStr, one byte a field, decoded in one
// place for both:
//   VsStr: byte 0 the group size (0: no groups), byte 1 the separator,
//          byte 2 the least number of digits (zero fill), byte 3 the offset
//          added to the letters of the hexadecimal digits.
//   VzStr: byte 0 the text's length (0: not given), byte 1 the separator,
//          byte 2 the terminator character (0: none but the zero byte).
// A separator byte of 0 means a space, in both.
#ifndef VYKPAV_NUMBER_TEXT_FORMAT_H
#define VYKPAV_NUMBER_TEXT_FORMAT_H

#include <cstddef>

#include "selvorin/vyknb64.h"

namespace vykpav::number {

using Selvorin::ulong32;

inline unsigned group_size(ulong32 format) noexcept { return unsigned(format & 0xFFu); }
inline unsigned given_length(ulong32 format) noexcept { return unsigned(format & 0xFFu); }

inline unsigned char separator_of(ulong32 format) noexcept {
  return (format & 0xFF00u) != 0 ? static_cast<unsigned char>(format >> 8) : ' ';
}

inline unsigned minimum_digits(ulong32 format) noexcept { return unsigned((format >> 16) & 0xFFu); }
inline unsigned char terminator_of(ulong32 format) noexcept {
  return static_cast<unsigned char>(format >> 16);
}

inline unsigned letter_offset(ulong32 format) noexcept { return unsigned(format >> 24); }

// The room VsStr asks for in radix 10, whatever the number: 2 * 20 + 4.
inline constexpr std::size_t kDecimalRoom = 44;

}  // namespace vykpav::number

#endif  // VYKPAV_NUMBER_TEXT_FORMAT_H
