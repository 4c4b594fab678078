// Writing a VYKNB64 to a std::ostream, as the stream writes a std::uint64_t
// but never grouped:
//
//   std::cout << v;                           // 18446744073709551615
//   std::cout << std::hex << std::showbase << v;  // 0xffffffffffffffff
//
// A separate header, so that the number type itself needs no iostreams.
#ifndef SELVORIN_VYKNB64_OSTREAM_H
#define SELVORIN_VYKNB64_OSTREAM_H

#include <cstdint>
#include <ostream>

#include "selvorin/vyknb64.h"

namespace Selvorin {

// The digits in the radix that basefield names (decimal when it names none or
// several), upper case under uppercase. Under showbase a nonzero value gets
// the prefix 0x, 0X or 0 (none in decimal). The text is padded to width()
// with fill(): after it for left, after a 0x or 0X for internal, else before
// it; then width() is reset to 0. No digit grouping, whatever the stream's
// locale says, and no sign, as for any unsigned value.
inline std::ostream& operator<<(std::ostream& os, const VYKNB64& v) {
  const std::ios_base::fmtflags flags = os.flags();
  const std::ios_base::fmtflags base = flags & std::ios_base::basefield;
  const unsigned radix = base == std::ios_base::hex ? 16u : base == std::ios_base::oct ? 8u : 10u;
  const bool upper = (flags & std::ios_base::uppercase) != 0;
  const char* const digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";

  std::uint64_t x = static_cast<std::uint64_t>(v);
  const bool prefixed = (flags & std::ios_base::showbase) != 0 && x != 0 && radix != 10;
  const char* const prefix = !prefixed ? "" : radix == 8 ? "0" : upper ? "0X" : "0x";
  const std::streamsize prefix_length = !prefixed ? 0 : radix == 8 ? 1 : 2;

  char text[22];  // 22 octal digits at most
  char* const end = text + sizeof text;
  char* first = end;
  do {
    *--first = digits[x % radix];
    x /= radix;
  } while (x != 0);

  const std::streamsize length = prefix_length + (end - first);
  const std::streamsize padding = os.width() > length ? os.width() - length : 0;
  const std::ios_base::fmtflags adjust = flags & std::ios_base::adjustfield;
  const bool pad_after = adjust == std::ios_base::left;
  const bool pad_inside = adjust == std::ios_base::internal && prefix_length == 2;

  const std::ostream::sentry ready(os);
  if (ready) {
    std::streambuf& out = *os.rdbuf();
    const char fill = os.fill();
    bool written = true;
    const auto pad = [&] {
      for (std::streamsize i = 0; i < padding && written; ++i)
        written = !std::ostream::traits_type::eq_int_type(out.sputc(fill),
                                                          std::ostream::traits_type::eof());
    };
    if (!pad_after && !pad_inside) pad();
    written = written && out.sputn(prefix, prefix_length) == prefix_length;
    if (pad_inside) pad();
    written = written && out.sputn(first, end - first) == end - first;
    if (pad_after) pad();
    if (!written) os.setstate(std::ios_base::badbit);
    os.width(0);
  }
  return os;
}

}  // namespace Selvorin

#endif  // SELVORIN_VYKNB64_OSTREAM_H
