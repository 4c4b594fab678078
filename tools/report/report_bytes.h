// Small readers of a report's bytes that the parser's files share.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_BYTES_H
#define VYKPAV_TOOLS_REPORT_REPORT_BYTES_H

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vykpav::report {

inline bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether byte i of the head line's number is a separator.
inline bool is_head_separator(std::size_t i) noexcept { return i % 4 == 2; }

// value * 10 + digit, false when that passes 2^64 - 1.
inline bool push_digit(std::uint64_t& value, char digit) noexcept {
  const auto d = static_cast<std::uint64_t>(digit - '0');
  return !__builtin_mul_overflow(value, 10u, &value) && !__builtin_add_overflow(value, d, &value);
}

// Writes `value` in decimal, in groups of three separated by spaces, at
// `out`; returns its length (at most 26).
inline std::size_t append_grouped(char* out, std::uint64_t value) {
  char digits[20];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto count = static_cast<std::size_t>(end - digits);
  std::size_t n = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (i != 0 && (count - i) % 3 == 0) out[n++] = ' ';
    out[n++] = digits[i];
  }
  return n;
}

// Texts seldom hold a line feed: memchr passes over them fast.
inline std::size_t line_feeds(std::string_view text) noexcept {
  if (text.empty()) return 0;
  std::size_t count = 0;
  for (const char *at = text.data(), *end = at + text.size();
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) !=
       nullptr;
       ++at)
    ++count;
  return count;
}

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_BYTES_H
