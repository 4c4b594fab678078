// Every operator of VYKNB64, called through the names and conventions of
// Visual C++, against the host's own 64-bit arithmetic: each operand form of
// each family on all pairs of boundary values and on random pairs from a
// fixed start.
#include "host.h"

namespace host {

namespace {

// The host's own rules, on native 64-bit integers. An unsigned long operand
// stands for the value with a zero high word; a shift count is taken modulo
// 64; a zero divisor gives the dividend, and 0 / 0 gives 1.
u64 add(u64 a, u64 b) { return a + b < a ? kMax64 : a + b; }
u64 sub(u64 a, u64 b) { return a < b ? 0 : a - b; }
u64 mul(u64 a, u64 b) { return a != 0 && b > kMax64 / a ? kMax64 : a * b; }
u64 quotient(u64 a, u64 d) { return d == 0 ? (a == 0 ? 1 : a) : a / d; }
u64 remainder(u64 a, u64 d) { return d == 0 ? a : a % d; }
u64 shl(u64 a, u64 count) { return a << (count & 63); }
u64 shr(u64 a, u64 count) { return a >> (count & 63); }
u64 bit_or(u64 a, u64 b) { return a | b; }
u64 bit_xor(u64 a, u64 b) { return a ^ b; }
u64 bit_and(u64 a, u64 b) { return a & b; }

// The same into a 32-bit word: a 32-bit result, saturating at 2^32 - 1.
u64 clamp32(u64 x) { return x > kMax32 ? kMax32 : x; }
u64 word_shl(u64 n, u64 count) { return (count & 63) >= 32 ? 0 : (n << (count & 63)) & kMax32; }
u64 word_shr(u64 n, u64 count) { return (count & 63) >= 32 ? 0 : n >> (count & 63); }
u64 word_add(u64 n, u64 v) { return clamp32(add(n, v)); }
u64 word_sub(u64 n, u64 v) { return sub(n, v); }
u64 word_mul(u64 n, u64 v) { return clamp32(mul(n, v)); }
// A word divided by a value: by 32-bit division, a wider divisor gives 0
// (remainder n), a zero divisor gives n for both.
u64 word_quotient(u64 n, u64 d) { return d > kMax32 ? 0 : d == 0 ? n : n / d; }
u64 word_remainder(u64 n, u64 d) { return d > kMax32 || d == 0 ? n : n % d; }

struct Compound {
  const char* name;
  VYKNB64& (*by_value)(VYKNB64&, const VYKNB64&);
  VYKNB64& (*by_word)(VYKNB64&, u32);
  u32& (*into_word)(u32&, const VYKNB64&);
  u64 (*reference)(u64, u64);
  u64 (*word_reference)(u64, u64);
};

// clang-format off
#define HOST_COMPOUND(op, reference, word_reference)                         \
  Compound{#op,                                                              \
           [](VYKNB64& a, const VYKNB64& b) -> VYKNB64& { return a op b; },  \
           [](VYKNB64& a, u32 b) -> VYKNB64& { return a op b; },             \
           [](u32& n, const VYKNB64& v) -> u32& { return n op v; },          \
           reference, word_reference}
// clang-format on

const Compound kCompounds[] = {
    HOST_COMPOUND(<<=, shl, word_shl),
    HOST_COMPOUND(>>=, shr, word_shr),
    HOST_COMPOUND(+=, add, word_add),
    HOST_COMPOUND(-=, sub, word_sub),
    HOST_COMPOUND(*=, mul, word_mul),
    HOST_COMPOUND(/=, quotient, word_quotient),
    HOST_COMPOUND(%=, remainder, word_remainder),
};

// Members of a value and a value or a word, and the free form with a word
// on the left: bitwise, shift and comparison operators.
template <class Result>
struct Binary {
  const char* name;
  Result (*by_value)(const VYKNB64&, const VYKNB64&);
  Result (*by_word)(const VYKNB64&, u32);
  Result (*word_first)(u32, const VYKNB64&);
  u64 (*reference)(u64, u64);
};

// clang-format off
#define HOST_BINARY(Result, op, reference)                                      \
  Binary<Result>{#op,                                                           \
                 [](const VYKNB64& a, const VYKNB64& b) -> Result { return a op b; }, \
                 [](const VYKNB64& a, u32 b) -> Result { return a op b; },      \
                 [](u32 n, const VYKNB64& v) -> Result { return n op v; },      \
                 reference}
// clang-format on

const Binary<VYKNB64> kBitwise[] = {
    HOST_BINARY(VYKNB64, |, bit_or),  HOST_BINARY(VYKNB64, ^, bit_xor),
    HOST_BINARY(VYKNB64, &, bit_and), HOST_BINARY(VYKNB64, <<, shl),
    HOST_BINARY(VYKNB64, >>, shr),
};

const Binary<bool> kComparisons[] = {
    HOST_BINARY(bool, ==, [](u64 a, u64 b) -> u64 { return a == b; }),
    HOST_BINARY(bool, !=, [](u64 a, u64 b) -> u64 { return a != b; }),
    HOST_BINARY(bool, <, [](u64 a, u64 b) -> u64 { return a < b; }),
    HOST_BINARY(bool, <=, [](u64 a, u64 b) -> u64 { return a <= b; }),
    HOST_BINARY(bool, >, [](u64 a, u64 b) -> u64 { return a > b; }),
    HOST_BINARY(bool, >=, [](u64 a, u64 b) -> u64 { return a >= b; }),
};

// Free operators of two operands: value and value, value and word, word and
// value.
struct Arithmetic {
  const char* name;
  VYKNB64 (*values)(const VYKNB64&, const VYKNB64&);
  VYKNB64 (*value_word)(const VYKNB64&, u32);
  VYKNB64 (*word_value)(u32, const VYKNB64&);
  u64 (*reference)(u64, u64);
  u64 (*word_first_reference)(u64, u64);
};

// clang-format off
#define HOST_ARITHMETIC(op, reference, word_first_reference)                     \
  Arithmetic{#op,                                                                \
             [](const VYKNB64& a, const VYKNB64& b) -> VYKNB64 { return a op b; }, \
             [](const VYKNB64& a, u32 b) -> VYKNB64 { return a op b; },          \
             [](u32 a, const VYKNB64& b) -> VYKNB64 { return a op b; },          \
             reference, word_first_reference}
// clang-format on

const Arithmetic kArithmetic[] = {
    HOST_ARITHMETIC(+, add, add),
    HOST_ARITHMETIC(-, sub, sub),
    HOST_ARITHMETIC(*, mul, mul),
    HOST_ARITHMETIC(/, quotient, word_quotient),
    HOST_ARITHMETIC(%, remainder, word_remainder),
};

// clang-format off
const u64 kBoundaries[] = {
    0, 1, 2, 3, 5, 7, 10, 31, 32, 33, 63, 64, 65, 0xFF,
    0x7FFFFFFFull, 0x80000000ull, 0xFFFFFFFEull, 0xFFFFFFFFull,
    0x100000000ull, 0x100000001ull, 0x100000003ull, 0x1FFFFFFFFull,
    1ull << 53, (1ull << 53) + 1,
    0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, 0x8000000000000001ull,
    0xFFFFFFFF00000000ull, kMax64 - 1, kMax64};
// clang-format on

void check_pair(u64 a, u64 b) {
  const u32 w = static_cast<u32>(b);  // the word operand: b's low half
  const u64 wide_w = w;
  for (const Compound& c : kCompounds) {
    VYKNB64 x(a);
    const VYKNB64 y(b);
    check(&c.by_value(x, y) == &x, c.name);
    check_value(value_of(x), c.reference(a, b), c.name, a, b);
    check_value(value_of(y), b, "operand kept", a, b);
    VYKNB64 z(a);
    check(&c.by_word(z, w) == &z, c.name);
    check_value(value_of(z), c.reference(a, wide_w), c.name, a, wide_w);
    u32 n = static_cast<u32>(a);
    check(&c.into_word(n, y) == &n, c.name);
    check_value(n, c.word_reference(a & kMax32, b), c.name, a & kMax32, b);
  }
  const VYKNB64 x(a), y(b);
  for (const Binary<VYKNB64>& c : kBitwise) {
    check_value(value_of(c.by_value(x, y)), c.reference(a, b), c.name, a, b);
    check_value(value_of(c.by_word(x, w)), c.reference(a, wide_w), c.name, a, wide_w);
    check_value(value_of(c.word_first(w, y)), c.reference(wide_w, b), c.name, wide_w, b);
  }
  for (const Binary<bool>& c : kComparisons) {
    check_value(c.by_value(x, y), c.reference(a, b), c.name, a, b);
    check_value(c.by_word(x, w), c.reference(a, wide_w), c.name, a, wide_w);
    check_value(c.word_first(w, y), c.reference(wide_w, b), c.name, wide_w, b);
  }
  for (const Arithmetic& c : kArithmetic) {
    check_value(value_of(c.values(x, y)), c.reference(a, b), c.name, a, b);
    check_value(value_of(c.value_word(x, w)), c.reference(a, wide_w), c.name, a, wide_w);
    check_value(value_of(c.word_value(w, y)), c.word_first_reference(wide_w, b), c.name, wide_w, b);
  }
  check_value(value_of(x), a, "operand kept", a, b);
  check_value(value_of(y), b, "operand kept", a, b);
}

void check_unary(u64 a) {
  VYKNB64 x(a);
  check_value(value_of(~x), ~a, "~", a, 0);
  check_value(value_of(x), a, "~ keeps its operand", a, 0);
  check(&++x == &x, "++ returns its operand");
  check_value(value_of(x), add(a, 1), "++", a, 0);
  VYKNB64 y(a);
  check(&--y == &y, "-- returns its operand");
  check_value(value_of(y), sub(a, 1), "--", a, 0);
}

}  // namespace

void check_numbers() {
  begin_group("VYKNB64 operators");
  for (u64 a : kBoundaries) {
    check_unary(a);
    for (u64 b : kBoundaries) check_pair(a, b);
  }
  for (int i = 0; i < 20000; ++i) {
    check_unary(random_sized());
    check_pair(random_sized(), random_sized());
  }
  end_group();
}

}  // namespace host
