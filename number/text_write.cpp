// VYKNB64::VsStr: the value as digits in radix 2, 8, 10 or 16, with optional
// grouping, zero fill and a letter offset for the hexadecimal digits.
//
// The digit count, fill included, is known before any digit is made, so an
// ungrouped text is written straight to its final place in the caller's
// buffer. A grouped text is made in a small local array first and then copied
// out group by group: only the text and its zero byte ever reach the buffer.
#include <cstring>

#include "number/u64.h"

namespace Selvorin {

using vykpav::number::to_u64;

namespace {

using u64 = std::uint64_t;
using u32 = std::uint32_t;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

constexpr u64 kPowersOf10[20] = {1ull,
                                 10ull,
                                 100ull,
                                 1000ull,
                                 10000ull,
                                 100000ull,
                                 1000000ull,
                                 10000000ull,
                                 100000000ull,
                                 1000000000ull,
                                 10000000000ull,
                                 100000000000ull,
                                 1000000000000ull,
                                 10000000000000ull,
                                 100000000000000ull,
                                 1000000000000000ull,
                                 10000000000000000ull,
                                 100000000000000000ull,
                                 1000000000000000000ull,
                                 10000000000000000000ull};

constexpr unsigned kMostDigits = 64;  // radix 2; every other radix needs fewer

inline unsigned bit_length(u64 v) noexcept { return 64u - unsigned(__builtin_clzll(v | 1)); }

// 1233 / 4096 is just above log10(2), so t is the digit count or one less;
// one comparison settles which. The value 0 counts as one digit.
inline unsigned decimal_digit_count(u64 v) noexcept {
  const unsigned t = (bit_length(v) * 1233u) >> 12;
  return t + ((v | 1) >= kPowersOf10[t]);
}

inline void put_pair(unsigned char* at, u32 pair) noexcept {
  std::memcpy(at, kDigitPairs + 2 * pair, 2);
}

// All decimal digits of v, the last one just before `end`. Above 2^32 the
// value is split into eight-digit chunks, so the digit pairs are made with
// 32-bit arithmetic (a single instruction on 32-bit targets too).
inline void put_decimal(unsigned char* end, u64 v) noexcept {
  while (v > 0xFFFFFFFFu) {
    const u64 q = v / 100000000u;
    u32 chunk = u32(v - q * 100000000u);
    for (int i = 0; i < 4; ++i) {
      const u32 cq = chunk / 100;
      end -= 2;
      put_pair(end, chunk - cq * 100);
      chunk = cq;
    }
    v = q;
  }
  u32 w = u32(v);
  while (w >= 100) {
    const u32 q = w / 100;
    end -= 2;
    put_pair(end, w - q * 100);
    w = q;
  }
  if (w >= 10) {
    put_pair(end - 2, w);
  } else {
    end[-1] = static_cast<unsigned char>('0' + w);
  }
}

// All digits of v in radix 2^shift, the last one just before `end`.
inline void put_binary_power(unsigned char* end, u64 v, unsigned shift,
                             const unsigned char* digits) noexcept {
  const unsigned mask = (1u << shift) - 1;
  do {
    *--end = digits[v & mask];
    v >>= shift;
  } while (v != 0);
}

// Copies n digits out with `separator` in front of every full group counted
// from the right, then the zero byte; the caller makes sure group < n.
template <unsigned Group>
inline int put_grouped(unsigned char* out, const unsigned char* digits, unsigned n,
                       unsigned group, unsigned char separator) noexcept {
  if (Group != 0) group = Group;  // a constant size lets the copies inline
  unsigned first = n % group;
  if (first == 0) first = group;
  std::memcpy(out, digits, first);
  unsigned char* at = out + first;
  for (unsigned i = first; i < n; i += group) {
    *at = separator;
    std::memcpy(at + 1, digits + i, group);
    at += group + 1;
  }
  *at = 0;
  return int(at - out);
}

}  // namespace

int VYKNB64::VsStr(unsigned char* buffer, ulong32 format, int radix) {
  if (buffer == nullptr) return 0;
  const u64 value = to_u64(*this);
  const unsigned group = unsigned(format & 0xFFu);
  const unsigned char separator =
      (format & 0xFF00u) != 0 ? static_cast<unsigned char>(format >> 8) : ' ';
  const unsigned minimum = unsigned((format >> 16) & 0xFFu);

  unsigned shift;    // bits per digit; 0 for radix 10
  unsigned largest;  // digits of 2^64 - 1, the limit of the zero fill
  switch (radix) {
    case 10: shift = 0; largest = 20; break;
    case 16: shift = 4; largest = 16; break;
    case 8: shift = 3; largest = 22; break;
    case 2: shift = 1; largest = 64; break;
    default:
      buffer[0] = 0;  // no defined text for another radix: an empty one
      return 0;
  }
  const unsigned value_digits = shift == 0 ? decimal_digit_count(value)
                                           : (bit_length(value) + shift - 1) / shift;
  const unsigned fill_to = minimum < largest ? minimum : largest;
  const unsigned n = value_digits > fill_to ? value_digits : fill_to;

  // Ungrouped, or one group that holds every digit: the text goes straight
  // to the buffer. Otherwise it is made locally and copied with separators.
  const bool grouped = group != 0 && group < n;
  unsigned char local[kMostDigits];
  unsigned char* const digits = grouped ? local : buffer;

  if (shift == 0) {
    put_decimal(digits + n, value);
  } else {
    // The letters are "A" plus the offset, kept to a byte as any character.
    unsigned char table[16];
    std::memcpy(table, "0123456789", 10);
    const unsigned letter_a = 'A' + (format >> 24);
    for (unsigned d = 0; d < 6; ++d) table[10 + d] = static_cast<unsigned char>(letter_a + d);
    put_binary_power(digits + n, value, shift, table);
  }
  std::memset(digits, '0', n - value_digits);

  if (!grouped) {
    buffer[n] = 0;
    return int(n);
  }
  if (group == 3) return put_grouped<3>(buffer, local, n, group, separator);
  if (group == 4) return put_grouped<4>(buffer, local, n, group, separator);
  return put_grouped<0>(buffer, local, n, group, separator);
}

}  // namespace Selvorin
