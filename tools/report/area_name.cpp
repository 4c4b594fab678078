#include "tools/report/area_name.h"

#include "platform/cp1251.h"

namespace vykpav::report {

namespace {

bool is_continuation(unsigned char byte) noexcept { return (byte & 0xC0) == 0x80; }

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
  for (std::size_t i = 0, length = 0; i < bytes.size(); i += length)
    if ((length = sequence_length(bytes, i)) == 0) return false;
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
  std::size_t columns = 0;
  bool controls = false;
  for (const char c : utf8) {
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
