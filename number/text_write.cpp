// VYKNB64::VsStr: the value as digits in radix 2, 8, 10 or 16, with optional
// grouping, zero fill and a letter offset for the hexadecimal digits.
//
// The digit count, fill included, is known before any digit is made, so
// decimal text, ungrouped or in groups of 3, is written straight to its final
// place in the caller's buffer, from its last character back: two digits at
// a time from a table of digit pairs, or a group of three at a time.
// Hexadecimal digits are made all sixteen at once from the value's nibbles.
// Other cases make the digits in a small local array and copy them out,
// group by group where grouped. Only the text and its zero byte ever reach
// the buffer.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "number/compiler.h"
#include "number/text_format.h"
#include "number/u64.h"

namespace Selvorin {

using vykpav::number::group_size;
using vykpav::number::letter_offset;
using vykpav::number::minimum_digits;
using vykpav::number::separator_of;
using vykpav::number::to_u64;

namespace {

namespace compiler = vykpav::compiler;
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

inline unsigned bit_length(u64 v) noexcept {
  return 64u - unsigned(compiler::leading_zeros(v | 1));
}

// t = bit length * 1233 / 4096 (1233 / 4096 is log10(2) to four places) is
// the digit count of every value of that bit length or one less; one
// comparison settles which. The value 0 counts as one digit.
inline unsigned decimal_digit_count(u64 v) noexcept {
  const unsigned t = (bit_length(v) * 1233u) >> 12;
  return t + ((v | 1) >= kPowersOf10[t]);
}

// The digits of the text: those of the value, zero-filled on the left up to
// the minimum of byte 2, which is first cut to the radix's largest count.
inline unsigned text_digit_count(unsigned value_digits, ulong32 format, unsigned largest) noexcept {
  unsigned minimum = minimum_digits(format);
  if (minimum > largest) minimum = largest;
  return value_digits > minimum ? value_digits : minimum;
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

// All digits of v in radix 2^Shift, the last one just before `end`.
template <unsigned Shift>
inline void put_binary_power(unsigned char* end, u64 v, const unsigned char* digits) noexcept {
  do {
    *--end = digits[v & ((1u << Shift) - 1)];
    v >>= Shift;
  } while (v != 0);
}

#if !defined(__SSE2__)
constexpr u64 kEachByte = 0x0101010101010101ull;

// The eight nibbles of x, least significant first, one to a byte.
inline u64 spread_nibbles(u64 x) noexcept {
  x = (x | x << 16) & 0x0000FFFF0000FFFFull;
  x = (x | x << 8) & 0x00FF00FF00FF00FFull;
  return (x | x << 4) & 0x0F0F0F0F0F0F0F0Full;
}

// Each byte's digit (0 to 15) as its character: "0" plus the digit, and for
// 10 to 15 a further 7 plus the offset, added modulo 256 byte by byte.
inline u64 hex_characters(u64 nibbles, unsigned offset) noexcept {
  const u64 is_letter = ((nibbles + 6 * kEachByte) >> 4) & kEachByte;
  const u64 base = nibbles + '0' * kEachByte;  // at most 63 a byte: no carry
  const u64 extra = is_letter * ((7u + offset) & 0xFFu);
  const u64 low7 = 0x7F * kEachByte;
  return ((base & low7) + (extra & low7)) ^ ((base ^ extra) & (0x80 * kEachByte));
}
#endif

// All sixteen hexadecimal digits of v, leading zeros included, most
// significant first, with no branch per digit.
inline void hex_digits(unsigned char out[16], u64 v, unsigned offset) noexcept {
#if defined(__SSE2__)
  // The bytes of v in reading order, each split into its two nibbles side by
  // side, every nibble made its character at once: '0' plus the digit, and
  // for 10 to 15 a further 7 plus the offset, added modulo 256.
  const u64 reading_order = compiler::byte_swap(v);
  const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&reading_order));
  const __m128i low_nibble = _mm_set1_epi8(0x0F);
  const __m128i nibbles = _mm_unpacklo_epi8(_mm_and_si128(_mm_srli_epi16(bytes, 4), low_nibble),
                                            _mm_and_si128(bytes, low_nibble));
  const __m128i letters = _mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9));
  const __m128i extra = _mm_and_si128(letters, _mm_set1_epi8(static_cast<char>(7 + offset)));
  const __m128i characters = _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), extra);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), characters);
#else
  const u64 high = compiler::byte_swap(hex_characters(spread_nibbles(v >> 32), offset));
  const u64 low = compiler::byte_swap(hex_characters(spread_nibbles(v & 0xFFFFFFFFu), offset));
  std::memcpy(out, &high, 8);
  std::memcpy(out + 8, &low, 8);
#endif
}

// Copies n <= 16 bytes with at most two overlapping fixed-size moves, all
// inside the destination's n bytes.
inline void copy_short(unsigned char* to, const unsigned char* from, unsigned n) noexcept {
  if (n >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + n - 8, from + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + n - 4, from + n - 4, 4);
  } else {
    for (unsigned i = 0; i < n; ++i) to[i] = from[i];
  }
}

// Copies n digits out with the separator in front of every full group
// counted from the right, then the zero byte; the caller makes sure that
// group < n.
template <unsigned Group>
inline int put_grouped(unsigned char* out, const unsigned char* digits, unsigned n, unsigned group,
                       unsigned char separator) noexcept {
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

inline int put_grouped(unsigned char* out, const unsigned char* digits, unsigned n,
                       ulong32 format) noexcept {
  const unsigned group = group_size(format);
  if (group == 4) return put_grouped<4>(out, digits, n, group, separator_of(format));
  return put_grouped<0>(out, digits, n, group, separator_of(format));
}

inline int finish(unsigned char* buffer, unsigned length) noexcept {
  buffer[length] = 0;
  return int(length);
}

// One function per radix, each entered by a jump from VsStr, so the common
// ungrouped case sets up no more than it uses.
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

VYKPAV_NOINLINE int write_hexadecimal(unsigned char* buffer, u64 v, ulong32 format) {
  const unsigned n = text_digit_count((bit_length(v) + 3) / 4, format, 16);
  const unsigned group = group_size(format);
  const unsigned offset = letter_offset(format);
  // All sixteen digits at once: the fill digits are the leading zeros. A
  // text of all sixteen, the usual one for large values, is made in place.
  if (n == 16 && (group == 0 || group >= n)) {
    hex_digits(buffer, v, offset);
    return finish(buffer, n);
  }
  unsigned char local[16];
  hex_digits(local, v, offset);
  if (group == 0 || group >= n) {
    copy_short(buffer, local + 16 - n, n);
    return finish(buffer, n);
  }
  return put_grouped(buffer, local + 16 - n, n, format);
}

template <unsigned Shift, unsigned Largest>
VYKPAV_NOINLINE int write_octal_or_binary(unsigned char* buffer, u64 v, ulong32 format) {
  const unsigned value_digits = (bit_length(v) + Shift - 1) / Shift;
  const unsigned n = text_digit_count(value_digits, format, Largest);
  const unsigned group = group_size(format);
  const bool grouped = group != 0 && group < n;
  unsigned char local[Largest];
  unsigned char* const digits = grouped ? local : buffer;
  put_binary_power<Shift>(digits + n, v, reinterpret_cast<const unsigned char*>("01234567"));
  if (n > value_digits) std::memset(digits, '0', n - value_digits);
  if (!grouped) return finish(buffer, n);
  return put_grouped(buffer, local, n, format);
}

}  // namespace

int VYKNB64::VsStr(unsigned char* buffer, ulong32 format, int radix) {
  if (buffer == nullptr) return 0;
  const u64 value = to_u64(*this);
  switch (radix) {
    case 10: return write_decimal(buffer, value, format);
    case 16: return write_hexadecimal(buffer, value, format);
    case 8: return write_octal_or_binary<3, 22>(buffer, value, format);
    case 2: return write_octal_or_binary<1, 64>(buffer, value, format);
    default:
      buffer[0] = 0;  // no defined text for another radix: an empty one
      return 0;
  }
}

}  // namespace Selvorin
