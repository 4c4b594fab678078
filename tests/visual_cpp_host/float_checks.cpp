// The six floating-point members through the names and conventions of
// Visual C++, whose long double is the 8-byte double, with the x87 precision
// control at 53 bits as such programs run. Each of the four rounding modes
// in turn, set where that compiler's runtime sets it: the conversions to
// float, double and long double round once in that mode, the assignments
// truncate in every mode, and no call changes the floating-point controls.
// The host's answers come from the bits alone.
#include "host.h"

namespace host {

namespace {

// The bytes of `from` read as a `To` of the same size: a float or double
// as its bits, or bits as the float or double they encode.
template <typename To, typename From>
To bits_as(const From& from) {
  static_assert(sizeof(To) == sizeof(From), "the same bytes");
  To to;
  __builtin_memcpy(&to, &from, sizeof to);
  return to;
}

int top_bit(u64 v) { return 63 - __builtin_clzll(v); }

// Rounding modes, as the x87 control word's bits 10-11 and MXCSR's bits
// 13-14 hold them.
enum Mode { kNearest = 0, kDown = 1, kUp = 2, kTowardZero = 3 };

// v rounded to a significand of `bits` bits in `mode`, as its exponent and
// significand (the leading bit included): the value is significand * 2^shift.
struct Rounded {
  u64 significand;
  int shift;
};
Rounded round_to(u64 v, int bits, Mode mode) {
  if (v == 0 || top_bit(v) < bits) return {v, 0};
  const int shift = top_bit(v) + 1 - bits;
  u64 significand = v >> shift;
  const u64 rest = v & ((1ull << shift) - 1), half = 1ull << (shift - 1);
  const bool up = mode == kNearest ? rest > half || (rest == half && (significand & 1) != 0)
                                   : mode == kUp && rest != 0;
  if (!up) return {significand, shift};
  if (++significand == 1ull << bits) return {significand >> 1, shift + 1};
  return {significand, shift};
}

// The bits of the double or float whose value is significand * 2^shift.
u64 double_bits(Rounded r) {
  if (r.significand == 0) return 0;
  const int top = top_bit(r.significand);
  const u64 fraction = (r.significand << (52 - top)) & ((1ull << 52) - 1);
  return (u64(1023 + top + r.shift) << 52) | fraction;
}
unsigned float_bits(Rounded r) {
  if (r.significand == 0) return 0;
  const int top = top_bit(r.significand);
  const u64 fraction = (r.significand << (23 - top)) & ((1ull << 23) - 1);
  return static_cast<unsigned>((u64(127 + top + r.shift) << 23) | fraction);
}

// A floating-point value of the given widths truncated toward zero and
// clamped to [0, 2^64 - 1]; a NaN leaves `previous`.
u64 truncated(u64 bits, int exponent_bits, int fraction_bits, u64 previous) {
  const u64 fraction = bits & ((1ull << fraction_bits) - 1);
  const u64 biased = (bits >> fraction_bits) & ((1ull << exponent_bits) - 1);
  const bool negative = (bits >> (exponent_bits + fraction_bits)) & 1;
  const u64 all_ones = (1ull << exponent_bits) - 1;
  if (biased == all_ones) return fraction != 0 ? previous : negative ? 0 : kMax64;
  const long long exponent = static_cast<long long>(biased) - static_cast<long long>(all_ones >> 1);
  if (negative || biased == 0 || exponent < 0) return 0;
  if (exponent >= 64) return kMax64;
  const u64 significand = fraction | (1ull << fraction_bits);
  return exponent >= fraction_bits ? significand << (exponent - fraction_bits)
                                   : significand >> (fraction_bits - exponent);
}

// The one value a double of `bits` gives, its truncation when it is one.
u64 from_double(u64 bits, u64 previous) { return truncated(bits, 11, 52, previous); }
u64 from_float(unsigned bits, u64 previous) { return truncated(bits, 8, 23, previous); }

// The mode as the runtime's _controlfp sets it: on x86 in both units, on
// x64 in MXCSR alone, the x87 unit staying at nearest (and at 53 bits).
unsigned short g_word = kVisualCppControlWord;
unsigned g_mxcsr = kVisualCppMxcsr;
void set_rounding(Mode mode) {
#if defined(__i386__)
  g_word = static_cast<unsigned short>((kVisualCppControlWord & ~0x0C00) | (mode << 10));
#endif
  g_mxcsr = (kVisualCppMxcsr & ~0x6000u) | (static_cast<unsigned>(mode) << 13);
  set_control_word(g_word);
  set_mxcsr(g_mxcsr);
}
// MXCSR's bits 0-5 are flags that arithmetic raises, not controls.
void check_controls_kept(const char* call) {
  check(control_word() == g_word && (mxcsr() & ~0x3Fu) == g_mxcsr, call);
}

void check_conversions(u64 v, Mode mode) {
  const VYKNB64 x(v);
  const u64 expected_double = double_bits(round_to(v, 53, mode));
  const double as_double = static_cast<double>(x);
  check_controls_kept("operator double keeps the controls");
  check_value(bits_as<u64>(as_double), expected_double, "operator double", v, mode);
  const long double as_long_double = static_cast<long double>(x);
  check_controls_kept("operator long double keeps the controls");
  check_value(bits_as<u64>(static_cast<double>(as_long_double)), expected_double,
              "operator long double", v, mode);
  const float as_float = static_cast<float>(x);
  check_controls_kept("operator float keeps the controls");
  check_value(bits_as<unsigned>(as_float), float_bits(round_to(v, 24, mode)), "operator float", v,
              mode);

  // Back again: the double is whole, or 2^64, which clamps.
  VYKNB64 y(1u);
  y = as_long_double;
  check_controls_kept("operator=(long double) keeps the controls");
  check_value(value_of(y), from_double(expected_double, 1), "long double round trip", v, mode);
}

void check_assignments(u64 bits, unsigned narrow, Mode mode) {
  const u64 previous = random64();
  const double d = bits_as<double>(bits);
  VYKNB64 x(previous);
  check(&(x = d) == &x, "operator=(double) returns the value");
  check_controls_kept("operator=(double) keeps the controls");
  check_value(value_of(x), from_double(bits, previous), "operator=(double)", bits, mode);
  const long double ld = d;
  VYKNB64 y(previous);
  check(&(y = ld) == &y, "operator=(long double) returns the value");
  check_controls_kept("operator=(long double) keeps the controls");
  check_value(value_of(y), from_double(bits, previous), "operator=(long double)", bits, mode);
  const float f = bits_as<float>(narrow);
  VYKNB64 z(previous);
  check(&(z = f) == &z, "operator=(float) returns the value");
  check_controls_kept("operator=(float) keeps the controls");
  check_value(value_of(z), from_float(narrow, previous), "operator=(float)", narrow, mode);
}

// A double or a float with a random significand and a binary exponent from
// 0 to 65, where truncation and the halving for 2^63 and above do their work.
u64 random_double_in_range() {
  const u64 exponent = 1023 + random64() % 66;
  return (exponent << 52) | (random64() & ((1ull << 52) - 1));
}
unsigned random_float_in_range() {
  const u64 exponent = 127 + random64() % 66;
  return static_cast<unsigned>((exponent << 23) | (random64() & ((1ull << 23) - 1)));
}

// clang-format off
const u64 kValues[] = {
    0, 1, (1ull << 24) + 1, (1ull << 24) + 3, (1ull << 53) + 1, (1ull << 53) + 3,
    0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, 0x8000000000000400ull, 0x8000000000000C00ull,
    kMax64 - 2048, kMax64 - 1024, kMax64};
// clang-format on

// The same values as a double and as a float, where a float has them.
struct Special {
  u64 double_bits;
  unsigned float_bits;
};
const Special kSpecials[] = {
    {0x0000000000000000ull, 0x00000000u},  // 0.0
    {0x8000000000000000ull, 0x80000000u},  // -0.0
    {0xBFF8000000000000ull, 0xBFC00000u},  // -1.5
    {0x3FEFF7CED916872Bull, 0x3F7FBE77u},  // 0.999
    {0x3FFFFBE76C8B4396ull, 0x3FFFDF3Bu},  // 1.999
    {0x400599999999999Aull, 0x402CCCCDu},  // 2.7
    {0x0000000000000001ull, 0x00000001u},  // the smallest subnormal
    {0x43E0000000000000ull, 0x5F000000u},  // 2^63
    {0x43DFFFFFFFFFFFFFull, 0x5EFFFFFFu},  // the largest below 2^63
    {0x43EFFFFFFFFFFFFFull, 0x5F7FFFFFu},  // the largest below 2^64: 2^64 - 2048, 2^64 - 2^40
    {0x43F0000000000000ull, 0x5F800000u},  // 2^64
    {0x7FF0000000000000ull, 0x7F800000u},  // infinity
    {0xFFF0000000000000ull, 0xFF800000u},  // negative infinity
    {0x7FF8000000000000ull, 0x7FC00000u},  // a NaN
    {0xFFF8000000000001ull, 0xFFC00001u},  // another NaN
};

}  // namespace

void check_floats() {
  begin_group("VYKNB64 floating point, 53-bit precision control");
  const Mode kModes[] = {kNearest, kDown, kUp, kTowardZero};
  for (Mode mode : kModes) {
    set_rounding(mode);
    for (u64 v : kValues) check_conversions(v, mode);
    for (const Special& s : kSpecials) check_assignments(s.double_bits, s.float_bits, mode);
    for (int i = 0; i < 20000; ++i) {
      check_conversions(random_sized(), mode);
      check_assignments(random64(), static_cast<unsigned>(random64()), mode);
      check_assignments(random_double_in_range(), random_float_in_range(), mode);
    }
  }
  set_rounding(kNearest);
  // Two of the answers in figures, apart from the host's own reading of bits.
  VYKNB64 x;
  x = bits_as<double>(0x43EFFFFFFFFFFFFFull);
  check_value(value_of(x), 18446744073709549568ull, "the largest double below 2^64", 0, 0);
  x = bits_as<float>(0x5F7FFFFFu);
  check_value(value_of(x), 18446742974197923840ull, "the largest float below 2^64", 0, 0);
  end_group();
}

}  // namespace host
