// Decimal text. The digit count, fill included, is known before any digit is
// made, so text ungrouped or in groups of 3 is written straight to its final
// place in the caller's buffer: ungrouped in eight-digit words, in groups of
// 3 from its last character back, a group of three at a time. Other group
// sizes make the digits in a small local array, two at a time from a table
// of digit pairs, and copy them out group by group.
#include <cstring>

#include "number/compiler.h"
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

// Three digits of r < 1000 at `at`.
inline void put_triple(unsigned char* at, u32 r) noexcept {
  const u32 hundreds = r / 100;
  at[0] = static_cast<unsigned char>('0' + hundreds);
  put_pair(at + 1, r - hundreds * 100);
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

// n decimal digits of v in groups of 3, ending just before `end`: each group
// is the remainder modulo 1000, leading zeros included, so the zero fill
// needs no step of its own.
inline void put_decimal_by_3(unsigned char* end, u64 v, unsigned n,
                             unsigned char separator) noexcept {
  while (v > 0xFFFFFFFFu) {  // then n > 9, so a full group and more follow
    const u64 q = v / 1000;
    end -= 3;
    put_triple(end, u32(v - q * 1000));
    *--end = separator;
    n -= 3;
    v = q;
  }
  u32 w = u32(v);
  for (; n > 3; n -= 3) {
    const u32 q = w / 1000;
    end -= 3;
    put_triple(end, w - q * 1000);
    *--end = separator;
    w = q;
  }
  // The first group: 1 to 3 digits, and w < 10^n.
  if (n == 3) {
    end -= 3;
    put_triple(end, w);
  } else if (n == 2) {
    end -= 2;
    put_pair(end, w);
  } else {
    *--end = static_cast<unsigned char>('0' + w);
  }
}

// The eight decimal digits of x < 10^8, zero-filled, as the characters of
// one word, the first in its lowest byte. x is cut into two halves of four
// digits, the halves into pairs, the pairs into digits, every lane of the
// word at once: a multiplication and a shift divide all lanes by 100, then
// by 10, as each lane's product stays inside the lane.
inline u64 eight_digit_characters(u32 x) noexcept {
  const u64 halves = (x / 10000) | (u64(x % 10000) << 32);                // 32-bit lanes
  const u64 hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Full;  // lane / 100
  const u64 pairs = hundreds | ((halves - 100 * hundreds) << 16);         // 16-bit lanes
  const u64 tens = ((pairs * 103) >> 10) & 0x000F000F000F000Full;         // lane / 10
  const u64 digits = tens | ((pairs - 10 * tens) << 8);                   // 8-bit lanes
  return digits + 0x3030303030303030ull;
}

inline void store_word(unsigned char* at, u64 w) noexcept { std::memcpy(at, &w, 8); }
inline void store_half(unsigned char* at, u32 w) noexcept { std::memcpy(at, &w, 4); }

// The last n characters of the word w (n from 1 to 8) at `at`, nothing
// beyond them: at most two stores, the second overlapping the first.
inline void store_last(unsigned char* at, u64 w, unsigned n) noexcept {
  w >>= 8 * (8 - n);  // the wanted characters now start at the lowest byte
  if (n >= 4) {
    store_half(at, u32(w));
    store_half(at + n - 4, u32(w >> (8 * (n - 4))));
  } else {
    at[0] = static_cast<unsigned char>(w);
    if (n >= 2) {
      const std::uint16_t last_two = std::uint16_t(w >> (8 * (n - 2)));
      std::memcpy(at + n - 2, &last_two, 2);
    }
  }
}

// n decimal digits of v (v below 10^n, n from 1 to 20) at `at`, leading
// zeros included: the value in eight-digit words, each written whole, the
// first word cut to what the text needs. A word stored first and partly
// overwritten by the next is never written past the text.
inline void put_decimal_words(unsigned char* at, u64 v, unsigned n) noexcept {
  if (n > 16) {
    const u64 top = v / 10000000000000000ull;  // below 1845
    const u64 rest = v - top * 10000000000000000ull;
    const u32 middle = u32(rest / 100000000u);
    const u32 low = u32(rest - u64(middle) * 100000000u);
    const unsigned k = n - 16;  // 1 to 4
    store_half(at, u32(eight_digit_characters(u32(top)) >> 32 >> (8 * (4 - k))));
    store_word(at + k, eight_digit_characters(middle));
    store_word(at + k + 8, eight_digit_characters(low));
  } else if (n > 8) {
    const u32 high = u32(v / 100000000u);
    const u32 low = u32(v - u64(high) * 100000000u);
    const unsigned k = n - 8;  // 1 to 8
    store_word(at, eight_digit_characters(high) >> (8 * (8 - k)));
    store_word(at + k, eight_digit_characters(low));
  } else {
    store_last(at, eight_digit_characters(u32(v)), n);
  }
}

}  // namespace

VYKPAV_NOINLINE int write_decimal(unsigned char* buffer, u64 v, ulong32 format) {
  const unsigned n = text_digit_count(decimal_digit_count(v), format, 20);
  const unsigned group = group_size(format);
  if (group == 0 || group >= n) {
    put_decimal_words(buffer, v, n);
    return finish(buffer, n);
  }
  if (group == 3) {
    const unsigned length = n + (n - 1) / 3;
    put_decimal_by_3(buffer + length, v, n, separator_of(format));
    return finish(buffer, length);
  }
  unsigned char local[20];
  put_decimal(local + n, v, n);
  return put_grouped(buffer, local, n, format);
}

}  // namespace vykpav::number
