// What compiles with VYKNB64, pinned at compile time: which conversions are
// implicit, explicit or absent, which expressions with integers of every type
// are well formed and what they yield, and that none of them is ambiguous.
// Then the conveniences of a number type: integer conversions,
// std::numeric_limits and std::hash.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "support/reference.h"

namespace {

using reference::make;
using reference::u64;
using reference::value_of;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

// The type of Op<Args...>, or Ill when that is ill formed (ambiguous
// included), so that a static_assert can say which it is.
struct Ill {};
template <class Void, template <class...> class Op, class... Args>
struct Detect {
  using type = Ill;
};
template <template <class...> class Op, class... Args>
struct Detect<std::void_t<Op<Args...>>, Op, Args...> {
  using type = Op<Args...>;
};
template <template <class...> class Op, class... Args>
using TypeOf = typename Detect<void, Op, Args...>::type;
template <template <class...> class Op, class... Args>
constexpr bool kCompiles = !std::is_same<TypeOf<Op, Args...>, Ill>::value;

template <class T>
T&& value();  // an operand of type T, only ever in decltype
template <class T>
T& lvalue();

// clang-format off
template <class L, class R> using Plus = decltype(value<L>() + value<R>());
template <class L, class R> using Minus = decltype(value<L>() - value<R>());
template <class L, class R> using Times = decltype(value<L>() * value<R>());
template <class L, class R> using Over = decltype(value<L>() / value<R>());
template <class L, class R> using Modulo = decltype(value<L>() % value<R>());
template <class L, class R> using Or = decltype(value<L>() | value<R>());
template <class L, class R> using Xor = decltype(value<L>() ^ value<R>());
template <class L, class R> using And = decltype(value<L>() & value<R>());
template <class L, class R> using ShiftLeft = decltype(value<L>() << value<R>());
template <class L, class R> using ShiftRight = decltype(value<L>() >> value<R>());
template <class L, class R> using Equal = decltype(value<L>() == value<R>());
template <class L, class R> using NotEqual = decltype(value<L>() != value<R>());
template <class L, class R> using Less = decltype(value<L>() < value<R>());
template <class L, class R> using LessEqual = decltype(value<L>() <= value<R>());
template <class L, class R> using Greater = decltype(value<L>() > value<R>());
template <class L, class R> using GreaterEqual = decltype(value<L>() >= value<R>());
template <class L, class R> using PlusAssign = decltype(lvalue<L>() += value<R>());
template <class L, class R> using MinusAssign = decltype(lvalue<L>() -= value<R>());
template <class L, class R> using TimesAssign = decltype(lvalue<L>() *= value<R>());
template <class L, class R> using OverAssign = decltype(lvalue<L>() /= value<R>());
template <class L, class R> using ModuloAssign = decltype(lvalue<L>() %= value<R>());
template <class L, class R> using ShiftLeftAssign = decltype(lvalue<L>() <<= value<R>());
template <class L, class R> using ShiftRightAssign = decltype(lvalue<L>() >>= value<R>());
template <class L, class R> using OrAssign = decltype(lvalue<L>() |= value<R>());
template <class L, class R> using XorAssign = decltype(lvalue<L>() ^= value<R>());
template <class L, class R> using AndAssign = decltype(lvalue<L>() &= value<R>());
template <class T> using Negate = decltype(-value<T>());
template <class T> using Not = decltype(!value<T>());
template <class T> using PostIncrement = decltype(lvalue<T>()++);
template <class T> using PostDecrement = decltype(lvalue<T>()--);
template <class T> using WriteToNull = decltype(lvalue<T>().VsStr(nullptr, 3, 10));
template <class T> using ReadFromNull = decltype(lvalue<T>().VzStr(nullptr, 0));
// clang-format on

template <template <class...> class Op, class L, class R, class Result>
constexpr bool kYields = std::is_same<TypeOf<Op, L, R>, Result>::value;

// Every binary operator, with the integer on either side, yields a VYKNB64
// (bool for comparisons); every compound form on a VYKNB64 returns it.
template <class Integer>
constexpr bool mixes_both_ways() {
  using V = VYKNB64;
  return kYields<Plus, V, Integer, V> && kYields<Plus, Integer, V, V> &&
         kYields<Minus, V, Integer, V> && kYields<Minus, Integer, V, V> &&
         kYields<Times, V, Integer, V> && kYields<Times, Integer, V, V> &&
         kYields<Over, V, Integer, V> && kYields<Over, Integer, V, V> &&
         kYields<Modulo, V, Integer, V> && kYields<Modulo, Integer, V, V> &&
         kYields<Or, V, Integer, V> && kYields<Or, Integer, V, V> && kYields<Xor, V, Integer, V> &&
         kYields<Xor, Integer, V, V> && kYields<And, V, Integer, V> &&
         kYields<And, Integer, V, V> && kYields<ShiftLeft, V, Integer, V> &&
         kYields<ShiftLeft, Integer, V, V> && kYields<ShiftRight, V, Integer, V> &&
         kYields<ShiftRight, Integer, V, V> && kYields<Equal, V, Integer, bool> &&
         kYields<Equal, Integer, V, bool> && kYields<NotEqual, V, Integer, bool> &&
         kYields<NotEqual, Integer, V, bool> && kYields<Less, V, Integer, bool> &&
         kYields<Less, Integer, V, bool> && kYields<LessEqual, V, Integer, bool> &&
         kYields<LessEqual, Integer, V, bool> && kYields<Greater, V, Integer, bool> &&
         kYields<Greater, Integer, V, bool> && kYields<GreaterEqual, V, Integer, bool> &&
         kYields<GreaterEqual, Integer, V, bool> && kYields<PlusAssign, V, Integer, V&> &&
         kYields<MinusAssign, V, Integer, V&> && kYields<TimesAssign, V, Integer, V&> &&
         kYields<OverAssign, V, Integer, V&> && kYields<ModuloAssign, V, Integer, V&> &&
         kYields<ShiftLeftAssign, V, Integer, V&> && kYields<ShiftRightAssign, V, Integer, V&>;
}

// n op= v exists for the 32-bit word alone, and returns it; never |=, ^=, &=.
template <class Integer>
constexpr bool compound_into_integer_is_for_the_word_alone() {
  using V = VYKNB64;
  constexpr bool word = std::is_same<Integer, ulong32>::value;
  return kCompiles<PlusAssign, Integer, V> == word && kCompiles<MinusAssign, Integer, V> == word &&
         kCompiles<TimesAssign, Integer, V> == word && kCompiles<OverAssign, Integer, V> == word &&
         kCompiles<ModuloAssign, Integer, V> == word &&
         kCompiles<ShiftLeftAssign, Integer, V> == word &&
         kCompiles<ShiftRightAssign, Integer, V> == word && !kCompiles<OrAssign, Integer, V> &&
         !kCompiles<XorAssign, Integer, V> && !kCompiles<AndAssign, Integer, V> &&
         !kCompiles<OrAssign, V, Integer> && !kCompiles<XorAssign, V, Integer> &&
         !kCompiles<AndAssign, V, Integer>;
}

template <class Integer>
constexpr bool converts_explicitly_both_ways() {
  return std::is_convertible<Integer, VYKNB64>::value &&
         std::is_assignable<VYKNB64&, Integer>::value &&
         std::is_constructible<Integer, VYKNB64>::value &&
         !std::is_convertible<VYKNB64, Integer>::value &&
         !std::is_assignable<Integer&, VYKNB64>::value;
}

template <class Integer>
constexpr bool pinned() {
  return mixes_both_ways<Integer>() && compound_into_integer_is_for_the_word_alone<Integer>() &&
         converts_explicitly_both_ways<Integer>();
}

static_assert(pinned<signed char>(), "signed char");
static_assert(pinned<unsigned char>(), "unsigned char");
static_assert(pinned<char>(), "char");
static_assert(pinned<wchar_t>(), "wchar_t");
static_assert(pinned<char16_t>(), "char16_t");
static_assert(pinned<char32_t>(), "char32_t");
static_assert(pinned<short>(), "short");
static_assert(pinned<unsigned short>(), "unsigned short");
static_assert(pinned<int>(), "int");
static_assert(pinned<unsigned>(), "unsigned");
static_assert(pinned<long>(), "long");
static_assert(pinned<unsigned long>(), "unsigned long");
static_assert(pinned<long long>(), "long long");
static_assert(pinned<unsigned long long>(), "unsigned long long");
static_assert(pinned<std::size_t>() && pinned<std::int64_t>() && pinned<std::uint64_t>(),
              "aliases");
static_assert(pinned<ulong32>(), "the 32-bit word");

// VYKNB64 v = 5; v == 5; and the other forms between two values.
static_assert(std::is_convertible<int, VYKNB64>::value, "VYKNB64 v = 5 compiles");
static_assert(kYields<Equal, VYKNB64, int, bool>, "v == 5 compiles");
static_assert(mixes_both_ways<VYKNB64>(), "two values");

// Floating point: assigned, and converted back explicitly only.
static_assert(!std::is_convertible<VYKNB64, double>::value, "double d = v does not compile");
static_assert(std::is_constructible<double, VYKNB64>::value, "static_cast<double>(v) compiles");
static_assert(std::is_constructible<float, VYKNB64>::value &&
                  std::is_constructible<long double, VYKNB64>::value,
              "static_cast<float>(v), static_cast<long double>(v)");
static_assert(std::is_assignable<VYKNB64&, double>::value, "v = 1.5 truncates");
static_assert(!std::is_constructible<VYKNB64, double>::value, "no VYKNB64 from double");
static_assert(!std::is_assignable<double&, VYKNB64>::value, "d = v does not compile");

// No conversion to bool, no unary minus, logical not or postfix forms.
static_assert(!std::is_constructible<bool, VYKNB64>::value, "no if (v)");
static_assert(!kCompiles<Not, VYKNB64>, "no !v");
static_assert(!kCompiles<Negate, VYKNB64>, "no -v");
static_assert(!kCompiles<PostIncrement, VYKNB64> && !kCompiles<PostDecrement, VYKNB64>,
              "no v++, v--");
// bool takes the word forms, as true is 1.
static_assert(kYields<Plus, VYKNB64, bool, VYKNB64> && kYields<Less, bool, VYKNB64, bool>,
              "v + true");

// A null text or buffer picks one overload.
static_assert(std::is_same<TypeOf<WriteToNull, VYKNB64>, int>::value, "v.VsStr(nullptr, 3, 10)");
static_assert(std::is_same<TypeOf<ReadFromNull, VYKNB64>, bool>::value, "v.VzStr(nullptr, 0)");

// Construction and the integer conversions are constant expressions.
constexpr VYKNB64 kBig = u64{1} << 40;
static_assert(static_cast<u64>(kBig) == u64{1} << 40 && kBig.high == 256 && kBig.low == 0,
              "constexpr VYKNB64");
static_assert(static_cast<int>(VYKNB64(-5)) == 0, "a negative integer constructs 0");
static_assert(static_cast<u64>(std::numeric_limits<VYKNB64>::max()) == ~u64{0}, "max()");

TEST(NumberTraits, NullBufferAndNullTextGiveZeroAndFalse) {
  VYKNB64 v = make(123456789);
  EXPECT_EQ(v.VsStr(nullptr, 3, 10), 0);
  EXPECT_FALSE(v.VzStr(nullptr, 0));
  EXPECT_EQ(value_of(v), 123456789u);
}

// static_cast to an integer type gives what static_cast of the 64-bit value
// gives: its low bits, in two's complement for a signed type.
template <class Integer>
int conversion_mismatches() {
  int mismatches = 0;
  for (u64 x : reference::boundary_values()) {
    const Integer got = static_cast<Integer>(make(x)), want = static_cast<Integer>(x);
    if (got != want) ++mismatches;
  }
  return mismatches;
}

TEST(NumberTraits, IntegerConversionsAreThoseOfTheValue) {
  EXPECT_EQ(conversion_mismatches<signed char>(), 0);
  EXPECT_EQ(conversion_mismatches<unsigned char>(), 0);
  EXPECT_EQ(conversion_mismatches<char>(), 0);
  EXPECT_EQ(conversion_mismatches<short>(), 0);
  EXPECT_EQ(conversion_mismatches<unsigned short>(), 0);
  EXPECT_EQ(conversion_mismatches<int>(), 0);
  EXPECT_EQ(conversion_mismatches<unsigned>(), 0);
  EXPECT_EQ(conversion_mismatches<long>(), 0);
  EXPECT_EQ(conversion_mismatches<unsigned long>(), 0);
  EXPECT_EQ(conversion_mismatches<long long>(), 0);
  EXPECT_EQ(conversion_mismatches<unsigned long long>(), 0);
  EXPECT_EQ(static_cast<std::uint64_t>(make(0x123456789ABCDEF0u)), 0x123456789ABCDEF0u);
  EXPECT_EQ(static_cast<std::int64_t>(make(~u64{0})), -1);
  EXPECT_EQ(static_cast<ulong32>(make(0x123456789ABCDEF0u)), 0x9ABCDEF0u);
}

TEST(NumberTraits, NumericLimitsDescribeASaturatingUnsigned64BitInteger) {
  using Limits = std::numeric_limits<VYKNB64>;
  using Native = std::numeric_limits<std::uint64_t>;
  EXPECT_TRUE(Limits::is_specialized);
  EXPECT_EQ(Limits::is_signed, Native::is_signed);
  EXPECT_EQ(Limits::is_integer, Native::is_integer);
  EXPECT_EQ(Limits::is_exact, Native::is_exact);
  EXPECT_EQ(Limits::is_bounded, Native::is_bounded);
  EXPECT_EQ(Limits::digits, Native::digits);
  EXPECT_EQ(Limits::digits10, Native::digits10);
  EXPECT_EQ(Limits::radix, Native::radix);
  EXPECT_EQ(Limits::round_style, Native::round_style);
  EXPECT_EQ(value_of(Limits::min()), Native::min());
  EXPECT_EQ(value_of(Limits::lowest()), Native::lowest());
  EXPECT_EQ(value_of(Limits::max()), Native::max());
  // Where it is not a std::uint64_t: nothing wraps, a zero divisor never traps.
  EXPECT_FALSE(Limits::is_modulo);
  EXPECT_FALSE(Limits::traps);
  EXPECT_EQ(value_of(Limits::max() + 1), Native::max());
  EXPECT_EQ(value_of(Limits::min() - 1), 0u);
  EXPECT_EQ(value_of(Limits::max() / Limits::min()), Native::max());
}

TEST(NumberTraits, EqualValuesHashAlikeAndTheHighWordCounts) {
  const std::hash<VYKNB64> hash;
  std::unordered_set<std::size_t> low_only, high_only;
  for (u64 i = 0; i < 1000; ++i) {
    EXPECT_EQ(hash(make(i << 32 | i)), hash(VYKNB64(i << 32 | i)));
    low_only.insert(hash(make(i)));
    high_only.insert(hash(make(i << 32)));
  }
  EXPECT_EQ(low_only.size(), 1000u);
  EXPECT_EQ(high_only.size(), 1000u);

  std::unordered_set<VYKNB64, std::hash<VYKNB64>> set;
  set.insert(make(~u64{0}));
  set.insert(VYKNB64(~u64{0}));
  set.insert(make(u64{1} << 32));
  EXPECT_EQ(set.size(), 2u);
  EXPECT_EQ(set.count(make(u64{1} << 32)), 1u);
  EXPECT_EQ(set.count(make(1)), 0u);
}

}  // namespace
