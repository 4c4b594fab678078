#include "platform/cp1251.h"

namespace vykpav::platform {

std::string cp1251_to_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    std::uint32_t code = byte < 0x80 ? byte : kCp1251HighHalf[byte - 0x80];
    if (code == 0 && byte != 0) code = 0xFFFD;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace vykpav::platform
