// Hexadecimal, octal and binary text: digits of a few bits each, taken from
// the value's bits. Hexadecimal digits are made all sixteen at once from the
// value's nibbles and cut to the text; octal and binary digits are made one
// at a time from the last, straight into the buffer where the text is not
// grouped.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/compiler.h"
#include "number/text_write.h"

namespace vykpav::number {

namespace {

using u64 = std::uint64_t;

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
  const u64 reading_order = base::byte_swap(v);
  const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&reading_order));
  const __m128i low_nibble = _mm_set1_epi8(0x0F);
  const __m128i nibbles = _mm_unpacklo_epi8(_mm_and_si128(_mm_srli_epi16(bytes, 4), low_nibble),
                                            _mm_and_si128(bytes, low_nibble));
  const __m128i letters = _mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9));
  const __m128i extra = _mm_and_si128(letters, _mm_set1_epi8(static_cast<char>(7 + offset)));
  const __m128i characters = _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), extra);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), characters);
#else
  const u64 high = base::byte_swap(hex_characters(spread_nibbles(v >> 32), offset));
  const u64 low = base::byte_swap(hex_characters(spread_nibbles(v & 0xFFFFFFFFu), offset));
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

template <unsigned Shift, unsigned Largest>
inline int write_octal_or_binary(unsigned char* buffer, u64 v, ulong32 format) {
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

VYKPAV_NOINLINE int write_octal(unsigned char* buffer, u64 v, ulong32 format) {
  return write_octal_or_binary<3, 22>(buffer, v, format);
}

VYKPAV_NOINLINE int write_binary(unsigned char* buffer, u64 v, ulong32 format) {
  return write_octal_or_binary<1, 64>(buffer, v, format);
}

}  // namespace vykpav::number
