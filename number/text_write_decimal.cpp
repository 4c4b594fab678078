// Decimal text. The digit count, fill included, is known before any digit is
// made, so text ungrouped or in groups of 3 is written straight to its final
// place in the caller's buffer, from its last character back, three digits
// at a time from a table of three-digit texts: one word for each group and,
// in groups of 3, the separator in front of it. Other group sizes make the
// digits in a small local array, two at a time from a table of digit pairs,
// and copy them out group by group.
#include <cstring>

#include "base/compiler.h"
#include "number/text_write.h"

namespace vykpav::number {

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

// t = bit length * 1233 / 4096 (1233 / 4096 is log10(2) to four places) is
// the digit count of every value of that bit length or one less; one
// comparison settles which. The value 0 counts as one digit.
inline unsigned decimal_digit_count(u64 v) noexcept {
  const unsigned t = (bit_length(v) * 1233u) >> 12;
  return t + ((v | 1) >= kPowersOf10[t]);
}

inline void put_pair(unsigned char* at, u32 pair) noexcept {
  std::memcpy(at, kDigitPairs + 2 * pair, 2);
}

// n digits of v, the last one just before `end`; v has at most n digits and
// the rest are leading zeros. Above 2^32 the value goes in eight-digit chunks
// so that the digit pairs are made with 32-bit arithmetic (one instruction on
// 32-bit targets too).
inline void put_decimal(unsigned char* end, u64 v, unsigned n) noexcept {
  unsigned char* const start = end - n;
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
    end -= 2;
    put_pair(end, w);
  } else {
    *--end = static_cast<unsigned char>('0' + w);
  }
  if (end > start) std::memset(start, '0', std::size_t(end - start));
}

inline void store_word(unsigned char* at, u64 w) noexcept { std::memcpy(at, &w, 8); }
inline void store_half(unsigned char* at, u32 w) noexcept { std::memcpy(at, &w, 4); }

// v / d for a constant d. Where that is a call to a division routine (a
// 32-bit target), a number that fits in 32 bits, as most do, is divided in
// 32 bits.
template <u64 d>
inline u64 divided(u64 v) noexcept {
#if !defined(VYKPAV_HAS_64BIT_REGISTERS)
  if (v <= 0xFFFFFFFFu) return d > 0xFFFFFFFFu ? 0 : u32(v) / u32(d);
#endif
  return v / d;
}

// The three digit characters of each number below 1000, leading zeros
// included, as the low three bytes of a word, the first in its lowest.
struct Triples {
  u32 text[1000];
};
constexpr Triples make_triples() {
  Triples t{};
  for (u32 i = 0; i < 1000; ++i)
    t.text[i] = u32('0' + i / 100) | u32('0' + i / 10 % 10) << 8 | u32('0' + i % 10) << 16;
  return t;
}
constexpr Triples kTriples = make_triples();

// The group g (below 1000) with the separator in front, as the four
// characters of a word.
inline u32 group_block(u32 g, unsigned char separator) noexcept {
  return kTriples.text[g] << 8 | separator;
}

// n decimal digits of v (v below 10^n, n from 4 to 20) in groups of 3, from
// `out` to just before `end`. Each full group, counted from the right, goes
// out as one word with its separator in front; the first group (1 to 3
// digits) goes out in one word with the start of the group after it, so that
// nothing before `out` is written. Leading zeros come from the groups
// themselves, so the zero fill needs no step of its own.
inline void put_decimal_by_3(unsigned char* out, unsigned char* end, u64 v, unsigned n,
                             unsigned char separator) noexcept {
  unsigned full = (n - 1) / 3;
  const unsigned first = n - 3 * full;
  u32 block;
  do {
    const u64 q = divided<1000>(v);
    block = group_block(u32(v - q * 1000), separator);
    end -= 4;
    store_half(end, block);
    v = q;
  } while (--full != 0);
  store_half(out, kTriples.text[v] >> (8 * (3 - first)) | block << (8 * first));
}

// The three groups of x (below 10^9) with their separators, twelve bytes.
inline void put_nine_by_3(unsigned char* at, u32 x, unsigned char separator) noexcept {
  const u32 millions = x / 1000000;
  const u32 thousands = x / 1000;
  store_word(at, group_block(millions, separator) |
                     u64{group_block(thousands - millions * 1000, separator)} << 32);
  store_half(at + 8, group_block(x - thousands * 1000, separator));
}

// n decimal digits of v (v below 10^n, n from 1 to 20) and the zero byte at
// `out`, three digits at a time from the right, from the table of
// three-digit texts. Each group goes out as one word that also covers the
// last digit of the group before it, which that group, written next, puts
// right; the first group (1 to 3 digits) goes out with the start of the one
// after it, so that nothing before `out` is written.
inline void put_decimal_triples(unsigned char* out, u64 v, unsigned n) noexcept {
  if (n <= 3) {
    // One word cut to the digits, its zero byte after them.
    const u32 text = kTriples.text[v] >> (8 * (3 - n));
    if (n == 3) {
      store_half(out, text);
    } else {
      const std::uint16_t first_two = std::uint16_t(text);
      std::memcpy(out, &first_two, 2);
      out[n] = 0;
    }
    return;
  }
  unsigned full = (n - 1) / 3;
  const unsigned first = n - 3 * full;
  unsigned char* at = out + n;
  *at = 0;
  u32 group;
  do {
    const u64 q = divided<1000>(v);
    group = kTriples.text[v - q * 1000];
    at -= 3;
    store_half(at - 1, group << 8);
    v = q;
  } while (--full != 0);
  store_half(out, kTriples.text[v] >> (8 * (3 - first)) | group << (8 * first));
}

// 19 or 20 digits in groups of 3, as the report's head lines have: every
// group at a place of its own, from two parts of nine digits and the first
// group, each part divided out of v itself so that no division waits for
// another.
VYKPAV_NOINLINE int write_decimal_19_or_20_by_3(unsigned char* buffer, u64 v, unsigned n,
                                                unsigned char separator) {
  const unsigned first = n - 18;                    // 1 or 2 digits
  const u64 top = divided<1000000000000000000>(v);  // below 19
  const u64 high = divided<1000000000>(v);
  const u32 middle = u32(high - top * 1000000000);
  unsigned char* const at = buffer + first;
  put_nine_by_3(at, middle, separator);
  put_nine_by_3(at + 12, u32(v - high * 1000000000), separator);
  store_half(buffer, kTriples.text[top] >> (8 * (3 - first)) |
                         group_block(middle / 1000000, separator) << (8 * first));
  return finish(buffer, first + 24);
}

VYKPAV_NOINLINE int write_decimal_by_3(unsigned char* buffer, u64 v, unsigned n,
                                       unsigned char separator) {
  const unsigned length = n + (n - 1) / 3;
  put_decimal_by_3(buffer, buffer + length, v, n, separator);
  return finish(buffer, length);
}

// Other group sizes, apart: the small array and the copying out need a
// stack frame that the two common ways of writing above do without.
VYKPAV_NOINLINE int write_decimal_grouped(unsigned char* buffer, u64 v, unsigned n,
                                          ulong32 format) {
  unsigned char local[20];
  put_decimal(local + n, v, n);
  return put_grouped(buffer, local, n, format);
}

}  // namespace

VYKPAV_NOINLINE int write_decimal(unsigned char* buffer, u64 v, ulong32 format) {
  const unsigned n = text_digit_count(decimal_digit_count(v), format, 20);
  const unsigned group = group_size(format);
  if (group == 0 || group >= n) {
    put_decimal_triples(buffer, v, n);
    return int(n);
  }
  if (group == 3) {
    if (n >= 19) return write_decimal_19_or_20_by_3(buffer, v, n, separator_of(format));
    return write_decimal_by_3(buffer, v, n, separator_of(format));
  }
  return write_decimal_grouped(buffer, v, n, format);
}

}  // namespace vykpav::number
