// VYKNB64::VsStr: the value as digits in radix 2, 8, 10 or 16, with optional
// grouping, zero fill and a letter offset for the hexadecimal digits. Each
// radix has its writer: decimal in text_write_decimal.cpp, hexadecimal,
// octal and binary in text_write_power_of_two.cpp.
#include "number/text_write.h"
#include "number/u64.h"

namespace Selvorin {

int VYKNB64::VsStr(unsigned char* buffer, ulong32 format, int radix) {
  namespace number = vykpav::number;
  if (buffer == nullptr) return 0;
  const std::uint64_t value = number::to_u64(*this);
  switch (radix) {
    case 10: return number::write_decimal(buffer, value, format);
    case 16: return number::write_hexadecimal(buffer, value, format);
    case 8: return number::write_octal(buffer, value, format);
    case 2: return number::write_binary(buffer, value, format);
    default:
      buffer[0] = 0;  // no defined text for another radix: an empty one
      return 0;
  }
}

}  // namespace Selvorin
