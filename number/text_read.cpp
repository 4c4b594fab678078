// VYKNB64::VzStr: a value from decimal text, or from hexadecimal, octal or
// binary text behind a two-character prefix.
//
// The rules are stated as a scan from the last character back to the first,
// but the text's end is only known after reading it all. One forward pass
// gives the same results and reads every character once:
//  * decimal: acc * 10 + d with saturation kept once reached equals the
//    saturated sum of d * 10^k, leading zeros adding nothing either way;
//  * prefixed: (acc << bits) | d keeps the low 64 bits of the number, as
//    placing each digit at its bit position and dropping the rest does;
//  * a rejected character restarts the number, so at the end it holds the
//    digits right of the last (rightmost) rejected character: the partial
//    value a backward scan leaves when it stops there.
#include "number/u64.h"

namespace Selvorin {

using vykpav::number::kMax64;
using vykpav::number::store_u64;

namespace {

using u64 = std::uint64_t;

// Where the text ends: after a given number of characters, or at the
// terminator character or the first zero byte, whichever comes first. No
// character past that end is ever read.
struct GivenLength {
  const unsigned char* end;
  bool at_end(const unsigned char* p) const noexcept { return p == end; }
};
struct Terminated {
  unsigned char terminator;
  bool at_end(const unsigned char* p) const noexcept {
    return *p == terminator || *p == 0;
  }
};

inline bool is_decimal_digit(unsigned char c) noexcept { return unsigned(c - '0') < 10u; }

// A digit's value in radix 2^Bits, or 16 or more when c is not one.
template <unsigned Bits>
inline unsigned digit_value(unsigned char c) noexcept {
  const unsigned d = unsigned(c - '0');
  if (Bits < 4 || d < 10) return d < (1u << Bits) ? d : 16u;
  const unsigned letter = unsigned((c | 0x20) - 'a');  // either case
  return letter < 6 ? 10 + letter : 16u;
}

// The whole text, first character included. The separator test comes before
// the digit test, so a separator is skipped even when it is a digit. Without
// any digit after the last rejected character the value keeps what it was.
template <class End>
bool read_decimal(VYKNB64& value, const unsigned char* p, End end,
                  unsigned char separator) noexcept {
  u64 acc = 0;
  bool have_digit = false;
  bool rejected = false;
  for (; !end.at_end(p); ++p) {
    const unsigned char c = *p;
    if (c == separator) continue;
    if (is_decimal_digit(c)) {
      u64 times_ten;
      if (__builtin_mul_overflow(acc, u64{10}, &times_ten) ||
          __builtin_add_overflow(times_ten, u64(c - '0'), &acc))
        acc = kMax64;  // and stays there: kMax64 * 10 overflows again
      have_digit = true;
    } else {
      rejected = true;
      acc = 0;
      have_digit = false;
    }
  }
  if (have_digit) store_u64(value, acc);
  return !rejected;
}

// The characters after the prefix. The value starts at 0, so a prefix with
// nothing valid after it leaves 0; it is accepted only with a digit.
template <unsigned Bits, class End>
bool read_prefixed(VYKNB64& value, const unsigned char* p, End end,
                   unsigned char separator) noexcept {
  u64 acc = 0;
  bool have_digit = false;
  bool rejected = false;
  for (; !end.at_end(p); ++p) {
    const unsigned char c = *p;
    if (c == separator) continue;
    const unsigned d = digit_value<Bits>(c);
    if (d < (1u << Bits)) {
      acc = (acc << Bits) | d;
      have_digit = true;
    } else {
      rejected = true;
      acc = 0;
      have_digit = false;
    }
  }
  store_u64(value, acc);
  return !rejected && have_digit;
}

template <class End>
bool read_text(VYKNB64& value, const unsigned char* text, End end,
               unsigned char separator) noexcept {
  if (end.at_end(text) || !is_decimal_digit(text[0])) return false;
  // One digit alone is a decimal text; the end test keeps text[1] unread.
  if (end.at_end(text + 1)) return read_decimal(value, text, end, separator);
  const unsigned char second = text[1];
  if (is_decimal_digit(second)) return read_decimal(value, text, end, separator);
  switch (second) {
    case 'x': case 'X': return read_prefixed<4>(value, text + 2, end, separator);
    case 'o': case 'O': return read_prefixed<3>(value, text + 2, end, separator);
    case 'b': case 'B': return read_prefixed<1>(value, text + 2, end, separator);
    default: break;
  }
  // A one-digit first group, as VsStr writes seven digits in groups of 3.
  if (second == separator) return read_decimal(value, text, end, separator);
  return false;
}

}  // namespace

bool VYKNB64::VzStr(const unsigned char* text, ulong32 format) {
  if (text == nullptr) return false;
  const unsigned length = unsigned(format & 0xFFu);
  const unsigned char separator =
      (format & 0xFF00u) != 0 ? static_cast<unsigned char>(format >> 8) : ' ';
  if (length != 0) return read_text(*this, text, GivenLength{text + length}, separator);
  return read_text(*this, text, Terminated{static_cast<unsigned char>(format >> 16)},
                   separator);
}

}  // namespace Selvorin
