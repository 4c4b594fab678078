// VYKNB64::VzStr: a value from decimal text, or from hexadecimal, octal or
// binary text behind a two-character prefix.
//
// The rules are stated as a scan from the last character back to the first,
// but the text's end is only known after reading it all. One forward pass
// gives the same results and reads every character once:
//  * decimal: acc * 10^k + (the next k digits), saturating once and then
//    staying saturated, equals the saturated sum of d * 10^position, leading
//    zeros adding nothing either way;
//  * prefixed: (acc << bits) | d keeps the low 64 bits of the number, as
//    placing each digit at its bit position and dropping the rest does;
//  * a rejected character restarts the number, so at the end it holds the
//    digits right of the last (rightmost) rejected character: the partial
//    value a backward scan leaves when it stops there.
#include <cstring>

#include "base/compiler.h"
#include "number/text_format.h"
#include "number/u64.h"

namespace Selvorin {

using vykpav::number::from_u64;
using vykpav::number::kMax64;

namespace {

namespace base = vykpav::base;
using u64 = std::uint64_t;

constexpr u64 kSmallPowersOf10[8] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

inline bool is_decimal_digit(unsigned char c) noexcept { return unsigned(c - '0') < 10u; }

// acc followed by a block of digits worth `block`, scale being 10 to the
// number of digits: saturating at 2^64 - 1, where it then stays, as any
// further scaling overflows again. The scale is a constant at every call, so
// the overflow test folds to one comparison that stays off the chain of
// multiplications.
inline u64 append_block(u64 acc, u64 block, u64 scale) noexcept {
  const u64 result = acc * scale + block;
  if (VYKPAV_UNLIKELY(acc > (kMax64 - (scale - 1)) / scale)) {
    u64 scaled;
    if (base::multiply_overflows(acc, scale, scaled) || base::add_overflows(scaled, block, acc))
      return kMax64;
    return acc;
  }
  return result;
}

// Whether all eight bytes of v are digits: each high nibble is 3, and still
// is after adding 6 to the byte.
inline bool eight_are_digits(u64 v) noexcept {
  const u64 high = 0xF0F0F0F0F0F0F0F0ull;
  return ((v & high) | (((v + 0x0606060606060606ull) & high) >> 4)) == 0x3333333333333333ull;
}

// Eight digit characters, first in the lowest byte, as one number: the
// digits are paired, then the pairs combined, in a few multiplications of
// one word instead of a multiplication per digit.
inline u64 eight_digits(u64 v) noexcept {
  v -= 0x3030303030303030ull;
  v = v * 10 + (v >> 8);  // byte 2k: 10 * digit 2k + digit 2k + 1
  const u64 pairs = 0x000000FF000000FFull;
  return ((v & pairs) * (100 + (1000000ull << 32)) +
          ((v >> 16) & pairs) * (1 + (10000ull << 32))) >>
         32;
}

// Where the text ends: after a given number of characters, or at the
// terminator character or the first zero byte, whichever comes first. No
// character past that end is ever read.
//
// Each kind also appends a run of digits to a number in its own quickest
// way: loop trips and mispredicted exits, more than arithmetic, bound the
// speed here, so the digits are taken in blocks, each block's value made
// apart from the running number, and each way out of a trip finishes its own
// last digits.
struct GivenLength {
  const unsigned char* end;
  bool at_end(const unsigned char* p) const noexcept { return p == end; }
  const unsigned char* append_run(u64& acc, const unsigned char* p) const noexcept {
    for (u64 v; end - p >= 8; p += 8) {  // eight characters inside the text
      std::memcpy(&v, p, 8);
      if (!eight_are_digits(v)) break;
      acc = append_block(acc, eight_digits(v), 100000000);
    }
    for (; p != end && is_decimal_digit(*p); ++p) acc = append_block(acc, unsigned(*p - '0'), 10);
    return p;
  }
};
struct ZeroTerminated {
  bool at_end(const unsigned char* p) const noexcept { return *p == 0; }
  // A digit is never the end, so the character after one may be read. Eight
  // to a trip; the block's value grows digit by digit beside the running
  // number, and a trip that meets a non-digit appends what it has.
  const unsigned char* append_run(u64& acc, const unsigned char* p) const noexcept {
    for (;; p += 8) {
      std::uint32_t block = 0;
#pragma GCC unroll 8
      for (unsigned i = 0; i < 8; ++i) {
        const unsigned d = unsigned(p[i] - '0');
        if (d >= 10) {
          if (i != 0) acc = append_block(acc, block, kSmallPowersOf10[i]);
          return p + i;
        }
        block = block * 10 + d;
      }
      acc = append_block(acc, block, 100000000);
    }
  }
};
struct Terminated {
  unsigned char terminator;
  bool at_end(const unsigned char* p) const noexcept { return *p == terminator || *p == 0; }
  const unsigned char* append_run(u64& acc, const unsigned char* p) const noexcept {
    for (; !at_end(p) && is_decimal_digit(*p); ++p) acc = append_block(acc, unsigned(*p - '0'), 10);
    return p;
  }
};

// A digit's value in radix 2^Bits, or 16 or more when c is not one.
template <unsigned Bits>
inline unsigned digit_value(unsigned char c) noexcept {
  const unsigned d = unsigned(c - '0');
  if (Bits < 4 || d < 10) return d < (1u << Bits) ? d : 16u;
  const unsigned letter = unsigned((c | 0x20) - 'a');  // either case
  return letter < 6 ? 10 + letter : 16u;
}

// The whole text, first character included. The separator test comes before
// the digit test, so a separator is skipped even when it is a digit; when it
// is not one the order does not matter, and each run of digits is found
// first and then converted. Without any digit after the last rejected
// character the value keeps what it was. The scan may start further in,
// with the number read so far.
template <bool SeparatorFirst, class End>
bool read_decimal(VYKNB64& value, const unsigned char* p, End end, unsigned char separator,
                  u64 acc = 0, bool have_digit = false) noexcept {
  bool rejected = false;
  for (;;) {
    if (!SeparatorFirst) {
      const unsigned char* run_end = end.append_run(acc, p);
      if (run_end != p) {
        have_digit = true;
        p = run_end;
      }
    }
    if (end.at_end(p)) break;
    const unsigned char c = *p++;
    if (SeparatorFirst && c == separator) continue;
    if (is_decimal_digit(c)) {
      acc = append_block(acc, unsigned(c - '0'), 10);
      have_digit = true;
    } else if (SeparatorFirst || c != separator) {
      rejected = true;
      acc = 0;
      have_digit = false;
    }
  }
  if (have_digit) value = from_u64(acc);
  return !rejected;
}

template <class End>
bool read_decimal(VYKNB64& value, const unsigned char* p, End end,
                  unsigned char separator) noexcept {
  if (is_decimal_digit(separator)) return read_decimal<true>(value, p, end, separator);
  return read_decimal<false>(value, p, end, separator);
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
  value = from_u64(acc);
  return !rejected && have_digit;
}

template <class End>
bool read_text(VYKNB64& value, const unsigned char* text, End end,
               unsigned char separator) noexcept {
  if (end.at_end(text) || !is_decimal_digit(text[0])) return false;
  // One digit alone is a decimal text; the end test keeps text[1] unread.
  if (end.at_end(text + 1)) return read_decimal(value, text, end, separator);
  const unsigned char second = text[1];
  if (is_decimal_digit(second)) {
    // Two digits, neither of them the separator: the scan goes on after them.
    if (is_decimal_digit(separator)) return read_decimal<true>(value, text, end, separator);
    return read_decimal<false>(value, text + 2, end, separator,
                               (text[0] - '0') * 10u + (second - '0'), true);
  }
  switch (second) {
    case 'x':
    case 'X': return read_prefixed<4>(value, text + 2, end, separator);
    case 'o':
    case 'O': return read_prefixed<3>(value, text + 2, end, separator);
    case 'b':
    case 'B': return read_prefixed<1>(value, text + 2, end, separator);
    default: break;
  }
  // A one-digit first group, as VsStr writes seven digits in groups of 3.
  if (second == separator) return read_decimal(value, text, end, separator);
  return false;
}

// The text most callers pass: up to 20 decimal digits, then the zero byte.
// Read in one straight pass, 19 digits without any test of overflow (no 19
// digits exceed 2^64 - 1) and a 20th with it; true when the text was of that
// kind, and then the value is read. Each character is read only after the
// one before it was found to be a digit, so never past the zero byte.
inline bool read_plain_decimal(VYKNB64& value, const unsigned char* text) noexcept {
  constexpr u64 kZeroByte = u64{0} - '0';  // what a zero byte gives below
  u64 acc = 0;
#pragma GCC unroll 19
  for (unsigned i = 0; i < 19; ++i) {
    const u64 d = u64{text[i]} - '0';  // huge for a character below '0'
    if (d >= 10) {
      if (i == 0 || d != kZeroByte) return false;
      value = from_u64(acc);
      return true;
    }
    acc = acc * 10 + d;
  }
  const u64 d = u64{text[19]} - '0';
  if (d < 10) {
    if (text[20] != 0) return false;
    acc = append_block(acc, d, 10);
  } else if (d != kZeroByte) {
    return false;
  }
  value = from_u64(acc);
  return true;
}

// The same for a text of a given length up to 20, in the same shape: the
// length stops the pass where the zero byte does above.
inline bool read_plain_decimal(VYKNB64& value, const unsigned char* text,
                               unsigned length) noexcept {
  if (length > 20) return false;
  u64 acc = 0;
#pragma GCC unroll 19
  for (unsigned i = 0; i < 19; ++i) {
    if (i == length) {
      value = from_u64(acc);
      return true;
    }
    const u64 d = u64{text[i]} - '0';
    if (d > 9) return false;
    acc = acc * 10 + d;
  }
  if (length == 20) {
    const u64 d = u64{text[19]} - '0';
    if (d > 9) return false;
    acc = append_block(acc, d, 10);
  }
  value = from_u64(acc);
  return true;
}

// Every other text, and every other format word.
VYKPAV_NOINLINE VYKPAV_FLATTEN bool read_any(VYKNB64& value, const unsigned char* text,
                                             ulong32 format) noexcept {
  const unsigned length = vykpav::number::given_length(format);
  const unsigned char separator = vykpav::number::separator_of(format);
  const unsigned char terminator = vykpav::number::terminator_of(format);
  if (length != 0) return read_text(value, text, GivenLength{text + length}, separator);
  if (terminator == 0) return read_text(value, text, ZeroTerminated{}, separator);
  return read_text(value, text, Terminated{terminator}, separator);
}

}  // namespace

bool VYKNB64::VzStr(const unsigned char* text, ulong32 format) {
  if (text == nullptr) return false;
  // Plain digits mean what they say while the separator is no digit, and
  // the text ends where its length says or at its zero byte alone.
  if (!is_decimal_digit(static_cast<unsigned char>(format >> 8))) {
    const unsigned length = vykpav::number::given_length(format);
    if (length != 0) {
      if (read_plain_decimal(*this, text, length)) return true;
    } else if (vykpav::number::terminator_of(format) == 0) {
      if (read_plain_decimal(*this, text)) return true;
    }
  }
  return read_any(*this, text, format);
}

}  // namespace Selvorin
