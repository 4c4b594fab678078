// Code page 1251 (Windows Cyrillic), the encoding of the library's Russian
// texts: converted from UTF-8 source literals at compile time, and to UTF-8
// for terminals that expect it.
#ifndef VYKPAV_PLATFORM_CP1251_H
#define VYKPAV_PLATFORM_CP1251_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vykpav::platform {

// Unicode code points of the bytes 0x80-0xFF; 0 marks the one unassigned byte.
inline constexpr std::uint16_t kCp1251HighHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// A fixed text in cp1251, made at compile time from a UTF-8 literal.
template <std::size_t Capacity>
struct Cp1251Text {
  char bytes[Capacity] = {};
  std::size_t size = 0;
  constexpr std::string_view view() const { return {bytes, size}; }
  constexpr const char* c_str() const { return bytes; }
};

namespace detail {
// Not constexpr on purpose: reaching it during constant evaluation makes a
// literal with a character outside cp1251 a compile error.
inline void character_outside_cp1251() {}
}  // namespace detail

// Converts a UTF-8 literal of ASCII and Cyrillic characters to cp1251.
template <std::size_t N>
constexpr Cp1251Text<N> to_cp1251(const char (&utf8)[N]) {
  Cp1251Text<N> out{};
  std::size_t i = 0;
  while (i + 1 < N) {  // the literal's own terminating zero is not copied
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    std::uint32_t code = lead;
    if (lead >= 0xE0) {
      code = ((lead & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
             (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      i += 3;
    } else if (lead >= 0xC0) {
      code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      i += 2;
    } else {
      i += 1;
    }
    char byte = 0;
    if (code < 0x80) {
      byte = static_cast<char>(code);
    } else {
      std::size_t k = 0;
      while (k < 128 && kCp1251HighHalf[k] != code) ++k;
      if (k == 128) detail::character_outside_cp1251();
      byte = static_cast<char>(0x80 + k);
    }
    out.bytes[out.size++] = byte;
  }
  return out;
}

// cp1251 bytes as UTF-8; the unassigned byte becomes U+FFFD.
std::string cp1251_to_utf8(std::string_view text);

}  // namespace vykpav::platform

#endif  // VYKPAV_PLATFORM_CP1251_H
