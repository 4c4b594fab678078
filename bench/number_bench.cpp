// VYKNB64 against plain uint64_t. Each operator is called through the
// library's exported function and compared with the same saturating operation
// behind an exported function of a small library of the benchmarks
// (native_u64.h), so a ratio near 1 means the number class costs what the
// call itself costs. The text conversions are compared with std::to_chars and
// std::from_chars, which the compiler inlines into the loop.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <random>
#include <vector>

#include <selvorin/vyknb64.h>

#include "native_u64.h"

namespace {

using Selvorin::ulong32;
using Selvorin::VYKNB64;
using u64 = std::uint64_t;

constexpr std::size_t kCount = 1024;  // operands per benchmark iteration

VYKNB64 to_vyk(u64 x) { return VYKNB64(x); }

// Operands for the arithmetic: full-range values cut to a random bit length,
// so sums, differences and products sometimes saturate and sometimes do not.
// Divisors are never 0 (the native division would trap); shift counts run to
// 127, which both sides take modulo 64. Both sides of a ratio get the same
// operands.
struct Operands {
  std::vector<u64> a, b, counts;
  std::vector<VYKNB64> va, vb, vcounts;
};

const Operands& operands() {
  static const Operands o = [] {
    std::mt19937_64 engine(20261208);  // fixed start value: every run sees the same data
    Operands result;
    for (std::size_t i = 0; i < kCount; ++i) {
      const u64 a = engine() >> (engine() % 64);
      const u64 b = (engine() >> (engine() % 64)) | 1u;  // a divisor: never 0
      const u64 count = engine() % 128;                  // used modulo 64 by both
      result.a.push_back(a);
      result.b.push_back(b);
      result.counts.push_back(count);
      result.va.push_back(to_vyk(a));
      result.vb.push_back(to_vyk(b));
      result.vcounts.push_back(to_vyk(count));
    }
    return result;
  }();
  return o;
}

// Values spread evenly over the whole 64-bit range, as text conversions
// meet them in the worst case: almost all have 19 or 20 decimal digits.
const std::vector<u64>& full_range_values() {
  static const std::vector<u64> values = [] {
    std::mt19937_64 engine(4096);
    std::vector<u64> v(kCount);
    for (u64& x : v) x = engine();
    return v;
  }();
  return values;
}

// Values of every magnitude, as a report prints them (a few digits of
// microseconds, line numbers, seconds, and now and then a long count): as
// many of each digit count from 1 to 20, each drawn evenly among the numbers
// of that count, in a shuffled order so that no length follows from the last.
const std::vector<u64>& spread_values() {
  static const std::vector<u64> values = [] {
    std::mt19937_64 engine(2026);
    std::vector<u64> v(kCount);
    for (std::size_t i = 0; i < kCount; ++i) {
      const unsigned digits = 1 + unsigned(i % 20);
      u64 low = 1;
      for (unsigned d = 1; d < digits; ++d) low *= 10;
      const u64 high = digits == 20 ? ~u64{0} : low * 10 - 1;
      v[i] = std::uniform_int_distribution<u64>(digits == 1 ? 0 : low, high)(engine);
    }
    std::shuffle(v.begin(), v.end(), engine);
    return v;
  }();
  return values;
}

template <class Op>
void binary_on_vyknb64(benchmark::State& state, const std::vector<VYKNB64>& a,
                       const std::vector<VYKNB64>& b, Op op) {
  std::vector<VYKNB64> out(kCount);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kCount; ++i) out[i] = op(a[i], b[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

template <class Op>
void binary_on_u64(benchmark::State& state, const std::vector<u64>& a, const std::vector<u64>& b,
                   Op op) {
  std::vector<u64> out(kCount);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kCount; ++i) out[i] = op(a[i], b[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

template <class T, class Op>
void compare(benchmark::State& state, const std::vector<T>& a, const std::vector<T>& b, Op op) {
  for (auto _ : state) {
    unsigned trues = 0;
    for (std::size_t i = 0; i < kCount; ++i) trues += op(a[i], b[i]) ? 1u : 0u;
    benchmark::DoNotOptimize(trues);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

template <class T, class Op>
void step_in_place(benchmark::State& state, std::vector<T> values, Op op) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < kCount; ++i) op(values[i]);
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

// One pair of benchmarks per operator: Number/<name>/vyknb64 and
// Number/<name>/native.
#define VYKPAV_BINARY_PAIR(name, vyk_expr, native_fn)                                  \
  void BM_Number_##name##_vyknb64(benchmark::State& state) {                           \
    binary_on_vyknb64(state, operands().va, operands().vb,                             \
                      [](const VYKNB64& x, const VYKNB64& y) { return vyk_expr; });    \
  }                                                                                    \
  void BM_Number_##name##_native(benchmark::State& state) {                            \
    binary_on_u64(state, operands().a, operands().b,                                   \
                  [](const u64& x, const u64& y) { return native::native_fn(x, y); }); \
  }                                                                                    \
  BENCHMARK(BM_Number_##name##_vyknb64)->Name("Number/" #name "/vyknb64");             \
  BENCHMARK(BM_Number_##name##_native)->Name("Number/" #name "/native");

#define VYKPAV_SHIFT_PAIR(name, vyk_expr, native_fn)                                   \
  void BM_Number_##name##_vyknb64(benchmark::State& state) {                           \
    binary_on_vyknb64(state, operands().va, operands().vcounts,                        \
                      [](const VYKNB64& x, const VYKNB64& y) { return vyk_expr; });    \
  }                                                                                    \
  void BM_Number_##name##_native(benchmark::State& state) {                            \
    binary_on_u64(state, operands().a, operands().counts,                              \
                  [](const u64& x, const u64& y) { return native::native_fn(x, y); }); \
  }                                                                                    \
  BENCHMARK(BM_Number_##name##_vyknb64)->Name("Number/" #name "/vyknb64");             \
  BENCHMARK(BM_Number_##name##_native)->Name("Number/" #name "/native");

#define VYKPAV_COMPARE_PAIR(name, op, native_fn)                                 \
  void BM_Number_##name##_vyknb64(benchmark::State& state) {                     \
    compare(state, operands().va, operands().vb,                                 \
            [](const VYKNB64& x, const VYKNB64& y) { return x op y; });          \
  }                                                                              \
  void BM_Number_##name##_native(benchmark::State& state) {                      \
    compare(state, operands().a, operands().b,                                   \
            [](const u64& x, const u64& y) { return native::native_fn(x, y); }); \
  }                                                                              \
  BENCHMARK(BM_Number_##name##_vyknb64)->Name("Number/" #name "/vyknb64");       \
  BENCHMARK(BM_Number_##name##_native)->Name("Number/" #name "/native");

// clang-format off: it takes x * y in a macro argument for a declaration.
VYKPAV_BINARY_PAIR(add, x + y, add)
VYKPAV_BINARY_PAIR(subtract, x - y, sub)
VYKPAV_BINARY_PAIR(multiply, x* y, mul)
VYKPAV_BINARY_PAIR(divide, x / y, div)
VYKPAV_BINARY_PAIR(remainder, x % y, mod)
VYKPAV_SHIFT_PAIR(shift_left, x << y, shl)
VYKPAV_SHIFT_PAIR(shift_right, x >> y, shr)
VYKPAV_COMPARE_PAIR(equal, ==, eq)
VYKPAV_COMPARE_PAIR(not_equal, !=, ne)
VYKPAV_COMPARE_PAIR(less, <, lt)
VYKPAV_COMPARE_PAIR(less_equal, <=, le)
VYKPAV_COMPARE_PAIR(greater, >, gt)
VYKPAV_COMPARE_PAIR(greater_equal, >=, ge)
// clang-format on

void BM_Number_increment_vyknb64(benchmark::State& state) {
  step_in_place(state, operands().va, [](VYKNB64& v) { ++v; });
}
void BM_Number_increment_native(benchmark::State& state) {
  step_in_place(state, operands().a, [](u64& v) { native::inc(v); });
}
void BM_Number_decrement_vyknb64(benchmark::State& state) {
  step_in_place(state, operands().va, [](VYKNB64& v) { --v; });
}
void BM_Number_decrement_native(benchmark::State& state) {
  step_in_place(state, operands().a, [](u64& v) { native::dec(v); });
}
BENCHMARK(BM_Number_increment_vyknb64)->Name("Number/increment/vyknb64");
BENCHMARK(BM_Number_increment_native)->Name("Number/increment/native");
BENCHMARK(BM_Number_decrement_vyknb64)->Name("Number/decrement/vyknb64");
BENCHMARK(BM_Number_decrement_native)->Name("Number/decrement/native");

// Text. Both sides write into (or read from) the same buffers and make their
// results observable the same way.
template <class Write>
void write_text(benchmark::State& state, const std::vector<u64>& values, Write write) {
  std::vector<VYKNB64> numbers;
  for (u64 v : values) numbers.push_back(to_vyk(v));
  unsigned char buffer[80];
  for (auto _ : state) {
    unsigned length = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
      length += write(buffer, values[i], numbers[i]);
      benchmark::DoNotOptimize(buffer);
    }
    benchmark::DoNotOptimize(length);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

unsigned to_chars_length(unsigned char* buffer, u64 v, int base) {
  char* const text = reinterpret_cast<char*>(buffer);
  return unsigned(std::to_chars(text, text + 64, v, base).ptr - text);
}

// VsStr with a format word in radix 10, and to_chars in base 10.
auto vs_str(ulong32 format) {
  return [format](unsigned char* b, u64, VYKNB64& n) { return unsigned(n.VsStr(b, format, 10)); };
}
unsigned decimal_to_chars(unsigned char* b, u64 v, VYKNB64&) { return to_chars_length(b, v, 10); }

// The two format words of the report: groups of three (3); and groups of
// three, at least twenty digits (1310723).
void BM_Text_decimal_VsStr(benchmark::State& state) {
  write_text(state, full_range_values(), vs_str(0));
}
void BM_Text_decimal_to_chars(benchmark::State& state) {
  write_text(state, full_range_values(), decimal_to_chars);
}
void BM_Text_grouped_VsStr(benchmark::State& state) {
  write_text(state, full_range_values(), vs_str(3));
}
void BM_Text_head_VsStr(benchmark::State& state) {
  write_text(state, full_range_values(), vs_str(1310723));
}
void BM_Text_hexadecimal_VsStr(benchmark::State& state) {
  write_text(state, full_range_values(),
             [](unsigned char* b, u64, VYKNB64& n) { return unsigned(n.VsStr(b, 0, 16)); });
}
void BM_Text_hexadecimal_to_chars(benchmark::State& state) {
  write_text(state, full_range_values(),
             [](unsigned char* b, u64 v, VYKNB64&) { return to_chars_length(b, v, 16); });
}
BENCHMARK(BM_Text_decimal_VsStr)->Name("Text/decimal/VsStr");
BENCHMARK(BM_Text_decimal_to_chars)->Name("Text/decimal/to_chars");
BENCHMARK(BM_Text_grouped_VsStr)->Name("Text/grouped_3/VsStr");
BENCHMARK(BM_Text_head_VsStr)->Name("Text/grouped_3_fill_20/VsStr");
BENCHMARK(BM_Text_hexadecimal_VsStr)->Name("Text/hexadecimal/VsStr");
BENCHMARK(BM_Text_hexadecimal_to_chars)->Name("Text/hexadecimal/to_chars");

// The same on values of every magnitude.
void BM_Text_spread_decimal_VsStr(benchmark::State& state) {
  write_text(state, spread_values(), vs_str(0));
}
void BM_Text_spread_decimal_to_chars(benchmark::State& state) {
  write_text(state, spread_values(), decimal_to_chars);
}
void BM_Text_spread_grouped_VsStr(benchmark::State& state) {
  write_text(state, spread_values(), vs_str(3));
}
void BM_Text_spread_head_VsStr(benchmark::State& state) {
  write_text(state, spread_values(), vs_str(1310723));
}
BENCHMARK(BM_Text_spread_decimal_VsStr)->Name("Text/spread_decimal/VsStr");
BENCHMARK(BM_Text_spread_decimal_to_chars)->Name("Text/spread_decimal/to_chars");
BENCHMARK(BM_Text_spread_grouped_VsStr)->Name("Text/spread_grouped_3/VsStr");
BENCHMARK(BM_Text_spread_head_VsStr)->Name("Text/spread_grouped_3_fill_20/VsStr");

// Decimal texts of some values, each ending in a zero byte.
struct Texts {
  std::vector<std::array<char, 24>> text;
  std::vector<unsigned> length;
};

Texts decimal_texts(const std::vector<u64>& values) {
  Texts t;
  for (u64 v : values) {
    std::array<char, 24> text{};
    const unsigned length =
        unsigned(std::to_chars(text.data(), text.data() + 23, v).ptr - text.data());
    t.text.push_back(text);
    t.length.push_back(length);
  }
  return t;
}

const Texts& full_range_texts() {
  static const Texts texts = decimal_texts(full_range_values());
  return texts;
}
const Texts& spread_texts() {
  static const Texts texts = decimal_texts(spread_values());
  return texts;
}

template <class Read>
void read_text(benchmark::State& state, const Texts& texts, Read read) {
  for (auto _ : state) {
    u64 sum = 0;
    for (std::size_t i = 0; i < kCount; ++i) sum += read(texts.text[i].data(), texts.length[i]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

u64 value_of(const VYKNB64& v) { return (u64{v.high} << 32) | v.low; }

// Format word 0: the text ends at its zero byte.
u64 vz_str_to_zero(const char* text, unsigned) {
  VYKNB64 v;
  v.VzStr(text, 0);
  return value_of(v);
}
// Byte 0 of the format word gives the length, as from_chars is given it.
u64 vz_str_given_length(const char* text, unsigned length) {
  VYKNB64 v;
  v.VzStr(text, length);
  return value_of(v);
}
u64 from_chars_value(const char* text, unsigned length) {
  u64 v = 0;
  std::from_chars(text, text + length, v);
  return v;
}

void BM_Text_read_decimal_VzStr(benchmark::State& state) {
  read_text(state, full_range_texts(), vz_str_to_zero);
}
void BM_Text_read_decimal_length_VzStr(benchmark::State& state) {
  read_text(state, full_range_texts(), vz_str_given_length);
}
void BM_Text_read_decimal_from_chars(benchmark::State& state) {
  read_text(state, full_range_texts(), from_chars_value);
}
BENCHMARK(BM_Text_read_decimal_VzStr)->Name("Text/read_decimal/VzStr");
BENCHMARK(BM_Text_read_decimal_length_VzStr)->Name("Text/read_decimal_given_length/VzStr");
BENCHMARK(BM_Text_read_decimal_from_chars)->Name("Text/read_decimal/from_chars");

void BM_Text_read_spread_VzStr(benchmark::State& state) {
  read_text(state, spread_texts(), vz_str_to_zero);
}
void BM_Text_read_spread_length_VzStr(benchmark::State& state) {
  read_text(state, spread_texts(), vz_str_given_length);
}
void BM_Text_read_spread_from_chars(benchmark::State& state) {
  read_text(state, spread_texts(), from_chars_value);
}
BENCHMARK(BM_Text_read_spread_VzStr)->Name("Text/read_spread/VzStr");
BENCHMARK(BM_Text_read_spread_length_VzStr)->Name("Text/read_spread_given_length/VzStr");
BENCHMARK(BM_Text_read_spread_from_chars)->Name("Text/read_spread/from_chars");

}  // namespace
