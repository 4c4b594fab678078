// VsStr and VzStr through the names and conventions of Visual C++: the text
// of every radix, grouping, fill and letter case against the host's own
// writing of the digits, and reading back what was written, with a prefix
// where the radix needs one, plus texts that are rejected.
#include "host.h"

namespace host {

namespace {

unsigned largest_digit_count(int radix) {
  return radix == 10 ? 20 : radix == 16 ? 16 : radix == 8 ? 22 : 64;
}

// The host's own writing: the digits from the last, "A" plus the letter
// offset for 10 to 15, zeros up to the minimum (cut to the radix's largest
// count), and the separator between groups counted from the right.
unsigned long write_digits(u64 v, u32 format, int radix, char* out) {
  const unsigned group = format & 0xFF;
  const char separator = (format & 0xFF00) != 0 ? static_cast<char>(format >> 8) : ' ';
  unsigned minimum = (format >> 16) & 0xFF;
  if (minimum > largest_digit_count(radix)) minimum = largest_digit_count(radix);
  const unsigned char offset = static_cast<unsigned char>(format >> 24);
  char digits[64];
  unsigned count = 0;
  do {
    const unsigned d = static_cast<unsigned>(v % static_cast<unsigned>(radix));
    v /= static_cast<unsigned>(radix);
    digits[count++] =
        static_cast<char>(d < 10 ? '0' + d : static_cast<unsigned char>('A' + (d - 10) + offset));
  } while (v != 0);
  while (count < minimum) digits[count++] = '0';
  char reversed[140];
  unsigned long size = 0;
  for (unsigned i = 0; i < count; ++i) {
    if (group != 0 && i != 0 && i % group == 0) reversed[size++] = separator;
    reversed[size++] = digits[i];
  }
  for (unsigned long i = 0; i < size; ++i) out[i] = reversed[size - 1 - i];
  out[size] = 0;
  return size;
}

u32 random_format() {
  static const unsigned char kSeparators[] = {0, ',', '_', '\''};
  static const unsigned char kOffsets[] = {0, 32, 1};
  const u64 r = random64();
  return static_cast<u32>(r % 6) | (u32{kSeparators[(r >> 8) % 4]} << 8) |
         (static_cast<u32>((r >> 16) % 70) << 16) | (u32{kOffsets[(r >> 24) % 3]} << 24);
}

void check_writing(u64 v, u32 format, int radix) {
  unsigned char buffer[160];
  char expected[160];
  for (unsigned char& byte : buffer) byte = 0xCC;
  VYKNB64 x(v);
  const int size = x.VsStr(buffer, format, radix);
  const unsigned long expected_size = write_digits(v, format, radix, expected);
  check_value(static_cast<u64>(size), expected_size, "VsStr length", v, format);
  check(same(reinterpret_cast<const char*>(buffer), expected), "VsStr text");
  check_value(value_of(x), v, "VsStr keeps the value", v, format);
}

// What VsStr wrote is read back: decimal as it is, the others after their
// prefix, the separator given to both. A decimal text of one digit, or one
// whose second character is the separator, is left out: whether it reads
// as decimal is the library's own choice.
void check_reading(u64 v, u32 format, int radix) {
  const u32 separator = format & 0xFF00;
  const u32 written = (format & 0x00FFFFFF) & ~0xFF0000ul;  // no fill: the text stays short
  char text[160] = {'0', radix == 16 ? 'x' : radix == 8 ? 'o' : 'b'};
  char* digits = radix == 10 ? text : text + 2;
  write_digits(v, written, radix, digits);
  if (radix == 10 && (text[1] < '0' || text[1] > '9')) return;
  VYKNB64 x(12345u);
  check(x.VzStr(reinterpret_cast<const unsigned char*>(text), separator), "VzStr accepts");
  check_value(value_of(x), v, "VzStr reads back", v, format);
  // The same text, its length given in byte 0.
  const unsigned long size = length(text);
  if (size < 256) {
    VYKNB64 y;
    check(y.VzStr(text, separator | size), "VzStr with a length");
    check_value(value_of(y), v, "VzStr with a length", v, size);
  }
}

struct Reading {
  const char* text;
  u32 format;
  bool accepted;
  u64 value;  // from an earlier value of 7
};

const Reading kReadings[] = {
    {"1234", 0, true, 1234},
    {"12 34", 0, true, 1234},
    {"12a", 0, false, 7},
    {"1a2", 0, false, 7},  // "a" cannot choose a radix
    {"12a3", 0, false, 3},
    {" 12", 0, false, 7},
    {"-12", 0, false, 7},
    {"99999999999999999999", 0, true, kMax64},
    {"18446744073709551615", 0, true, kMax64},
    {"00000000000000000000000000042", 0, true, 42},
    {"0x1F", 0, true, 31},
    {"0X1f", 0, true, 31},
    {"0x1 f", 0, true, 31},
    {"0o17", 0, true, 15},
    {"0b101", 0, true, 5},
    {"0x123456789ABCDEF01", 0, true, 0x23456789ABCDEF01ull},
    {"0x1g2", 0, false, 2},
    {"0z12", 0, false, 7},
    {"12,345", ',' << 8, true, 12345},
    {"123;456", ';' << 16, true, 123},
    {"12345", 3, true, 123},
};

}  // namespace

void check_texts() {
  begin_group("VYKNB64 text");
  const int kRadices[] = {10, 16, 8, 2};
  const u64 values[] = {0, 1, 5, 255, 1234567, 0xFFFFFFFFull, 1ull << 32, kMax64};
  // None, the report's two, lower case in groups of 4, a fill of 5, and ','
  // between groups of 4 with a fill of 8.
  const u32 kFormats[] = {0, 3, 1310723, 0x20000004, 0x00050000, 0x00082C04};
  for (int radix : kRadices) {
    for (u64 v : values) {
      for (u32 format : kFormats) {
        check_writing(v, format, radix);
        check_reading(v, format, radix);
      }
    }
    for (int i = 0; i < 3000; ++i) {
      const u64 v = random_sized();
      const u32 format = random_format();
      check_writing(v, format, radix);
      check_reading(v, format, radix);
    }
  }
  VYKNB64 x(7u);
  check(x.VsStr(static_cast<unsigned char*>(nullptr), 3, 10) == 0, "VsStr of a null buffer");
  check(!x.VzStr(static_cast<const unsigned char*>(nullptr), 0), "VzStr of a null text");
  check_value(value_of(x), 7, "VzStr of a null text keeps the value", 7, 0);
  for (const Reading& r : kReadings) {
    VYKNB64 y(7u);
    check(y.VzStr(r.text, r.format) == r.accepted, r.text);
    check_value(value_of(y), r.value, r.text, 7, r.format);
  }
  end_group();
}

}  // namespace host
