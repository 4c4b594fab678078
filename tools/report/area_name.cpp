#include "tools/report/area_name.h"

#include <cstdint>

#include "platform/cp1251.h"

namespace vykpav::report {

namespace {

bool is_continuation(unsigned char byte) noexcept { return (byte & 0xC0) == 0x80; }

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t word_at(std::string_view text, std::size_t i) noexcept {
  std::uint64_t word;
  __builtin_memcpy(&word, text.data() + i, 8);
  return word;
}

// Whether the eight bytes are all printable ASCII, 0x20 to 0x7E. A byte
// below 0x20 sets its high bit in the difference, 0x7F in the sum, one of
// 0x80 and up its own; a borrow or carry comes only from such a byte.
bool printable_ascii(std::uint64_t word) noexcept {
  return (((word - 0x2020202020202020ull) | (word + 0x0101010101010101ull) | word) & kHighBits) ==
         0;
}

// The length of the start of `text` that is printable ASCII, in whole
// words, and all of it when the rest is too: most names are so.
std::size_t printable_ascii_start(std::string_view text) noexcept {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (n - i >= 8 && printable_ascii(word_at(text, i))) i += 8;
  // The last few bytes as the end of a word that overlaps the one before.
  if (i != n && n - i < 8 && n >= 8 && printable_ascii(word_at(text, n - 8))) i = n;
  return i;
}

// The length of the well-formed sequence that starts at text[i], 0 when none
// does.
std::size_t sequence_length(std::string_view text, std::size_t i) noexcept {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong below U+10000
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (!is_continuation(byte(k))) return 0;
  return length;
}

}  // namespace

bool is_utf8(std::string_view bytes) noexcept {
  std::size_t i = 0;
  while (i < bytes.size()) {
    // Names are mostly ASCII: eight bytes at a time while they are, the
    // last few as the end of a word.
    while (bytes.size() - i >= 8 && (word_at(bytes, i) & kHighBits) == 0) i += 8;
    if (i == bytes.size()) break;
    if (bytes.size() - i < 8 && bytes.size() >= 8 &&
        (word_at(bytes, bytes.size() - 8) & kHighBits) == 0)
      break;
    const std::size_t length = sequence_length(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

void assign_utf8_name(std::string& out, std::string_view bytes) {
  if (is_utf8(bytes)) {
    out.assign(bytes.data(), bytes.size());
  } else {
    out = platform::cp1251_to_utf8(bytes);
  }
}

std::string printable_name(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out += c;
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::size_t display_width(std::string_view utf8) noexcept {
  std::size_t columns = 0;
  for (const char c : utf8)
    if (!is_continuation(static_cast<unsigned char>(c))) ++columns;
  return columns;
}

std::size_t printable_width(std::string_view utf8, bool* plain) noexcept {
  const std::size_t ascii = printable_ascii_start(utf8);
  std::size_t columns = ascii;
  bool controls = false;
  for (const char c : utf8.substr(ascii)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      columns += c == '\r' || c == '\n' || c == '\t' ? 2 : 4;
      controls = true;
    } else if (!is_continuation(byte)) {
      ++columns;
    }
  }
  if (plain != nullptr) *plain = !controls;
  return columns;
}

std::string shortened(std::string_view utf8, std::size_t columns) {
  if (columns == 0 || display_width(utf8) <= columns) return std::string(utf8);
  std::size_t kept = 0, end = 0;
  while (end < utf8.size()) {
    if (!is_continuation(static_cast<unsigned char>(utf8[end]))) {
      if (kept == columns - 1) break;
      ++kept;
    }
    ++end;
  }
  return std::string(utf8.substr(0, end)) + "\u2026";
}

}  // namespace vykpav::report
