// Bytes of a failing input or output made readable in a fuzzer's message:
// printable ASCII as it is, everything else as \xHH.
#ifndef VYKPAV_TESTS_SUPPORT_PRINTABLE_H
#define VYKPAV_TESTS_SUPPORT_PRINTABLE_H

#include <cstdio>
#include <string>
#include <string_view>

inline std::string printable(std::string_view text) {
  std::string out;
  for (const char byte : text) {
    const unsigned char c = static_cast<unsigned char>(byte);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

#endif  // VYKPAV_TESTS_SUPPORT_PRINTABLE_H
