// Small readers of a report's bytes that the parser's files share.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_BYTES_H
#define VYKPAV_TOOLS_REPORT_REPORT_BYTES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/compiler.h"  // little-endian: a word's first byte is its lowest

namespace vykpav::report {

inline bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether byte i of the head line's number is a separator.
inline bool is_head_separator(std::size_t i) noexcept { return i % 4 == 2; }

// value * 10 + digit, false when that passes 2^64 - 1.
inline bool push_digit(std::uint64_t& value, char digit) noexcept {
  const auto d = static_cast<std::uint64_t>(digit - '0');
  return !__builtin_mul_overflow(value, 10u, &value) && !__builtin_add_overflow(value, d, &value);
}

// Eight or four bytes at `p`, in the machine's order.
inline std::uint64_t load8(const char* p) noexcept {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}
inline std::uint32_t load4(const char* p) noexcept {
  std::uint32_t word;
  std::memcpy(&word, p, 4);
  return word;
}

// Whether the `n` bytes at `a` and `b` are the same. Most pieces of a report
// are a few dozen bytes: compared a word at a time here, never reading
// outside either, rather than through a call.
inline bool same_bytes(const char* a, const char* b, std::size_t n) noexcept {
  if (n >= 16) {
    if (n > 64) return std::memcmp(a, b, n) == 0;
    std::uint64_t differ = 0;
    for (std::size_t i = 0; i + 16 < n; i += 16)
      differ |= (load8(a + i) ^ load8(b + i)) | (load8(a + i + 8) ^ load8(b + i + 8));
    // The last two words overlap those before.
    return (differ | (load8(a + n - 16) ^ load8(b + n - 16)) |
            (load8(a + n - 8) ^ load8(b + n - 8))) == 0;
  }
  if (n >= 8) return ((load8(a) ^ load8(b)) | (load8(a + n - 8) ^ load8(b + n - 8))) == 0;
  if (n >= 4) return ((load4(a) ^ load4(b)) | (load4(a + n - 4) ^ load4(b + n - 4))) == 0;
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Whether a word holds a byte of `byte`'s value.
inline bool has_byte(std::uint64_t word, unsigned char byte) noexcept {
  const std::uint64_t x = word ^ (0x0101010101010101ull * byte);
  return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

// Texts seldom hold a line feed: a short one is looked at a word at a time,
// a longer one passed over by memchr.
inline std::size_t line_feeds(std::string_view text) noexcept {
  const std::size_t n = text.size();
  if (n >= 8 && n <= 16 && !has_byte(load8(text.data()), '\n') &&
      !has_byte(load8(text.data() + n - 8), '\n'))
    return 0;
  if (n == 0) return 0;
  std::size_t count = 0;
  for (const char *at = text.data(), *end = at + n;
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) !=
       nullptr;
       ++at)
    ++count;
  return count;
}

// The offset of the first digit 1 to 9 among the `n` digits and spaces at
// `text`, or `n` when there is none. The head line's number is zero-filled:
// its text without the filling, as VsStr writes the other numbers of the
// block, starts there.
inline std::size_t first_nonzero_digit(const char* text, std::size_t n) noexcept {
  // A byte above '0' gets its high bit from the sum; no sum of a digit or a
  // space carries into the next byte.
  constexpr std::uint64_t kAboveZero = 0x4F4F4F4F4F4F4F4Full, kHigh = 0x8080808080808080ull;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8)
    if (const std::uint64_t above = (load8(text + i) + kAboveZero) & kHigh; above != 0)
      return i + static_cast<std::size_t>(__builtin_ctzll(above)) / 8;
  for (; i < n; ++i)
    if (text[i] > '0') return i;
  return n;
}

// The head line's number as VsStr writes the block's other numbers: from
// its first digit that is not 0 (`digits`, from first_nonzero_digit), or
// its last digit when it is 0.
inline std::string_view unfilled(std::string_view head, std::size_t digits) noexcept {
  return head.substr(digits < head.size() ? digits : head.size() - 1);
}

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_BYTES_H
