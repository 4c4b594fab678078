// An independent model of VYKNB64 for differential tests: every rule is
// written from its definition on plain uint64_t (overflow checked by
// comparison, shifts done on the two words), never with the library's code.
#ifndef VYKPAV_TESTS_SUPPORT_REFERENCE_H
#define VYKPAV_TESTS_SUPPORT_REFERENCE_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "selvorin/vyknb64.h"

namespace reference {

using u64 = std::uint64_t;
using u32 = std::uint32_t;
constexpr u64 kMax = 0xFFFFFFFFFFFFFFFFull;
constexpr u32 kMax32 = 0xFFFFFFFFu;

inline u64 value_of(const Selvorin::VYKNB64& v) { return (u64(v.high) << 32) | u64(v.low); }
inline Selvorin::VYKNB64 make(u64 x) {
  Selvorin::VYKNB64 v;
  v.low = static_cast<Selvorin::ulong32>(x & 0xFFFFFFFFu);
  v.high = static_cast<Selvorin::ulong32>(x >> 32);
  return v;
}

inline u64 add(u64 a, u64 b) { return a > kMax - b ? kMax : a + b; }
inline u64 sub(u64 a, u64 b) { return b > a ? 0 : a - b; }
inline u64 mul(u64 a, u64 b) { return (b != 0 && a > kMax / b) ? kMax : a * b; }

// Rows in their order of precedence: a < d, a = d, d = 0, d = 1, otherwise.
inline u64 div(u64 a, u64 d) {
  if (a < d) return 0;
  if (a == d) return 1;
  if (d == 0) return a;
  if (d == 1) return a;
  return a / d;
}
inline u64 mod(u64 a, u64 d) {
  if (a < d) return a;
  if (a == d) return 0;
  if (d == 0) return a;
  if (d == 1) return 0;
  return a % d;
}

// Shifts on the two words, the count reduced to bits 0-5.
inline u64 shl(u64 x, u64 count) {
  unsigned s = unsigned(count & 63);
  u32 lo = u32(x), hi = u32(x >> 32);
  if (s >= 32) {
    hi = lo << (s - 32);
    lo = 0;
  } else if (s > 0) {
    hi = (hi << s) | (lo >> (32 - s));
    lo = lo << s;
  }
  return (u64(hi) << 32) | lo;
}
inline u64 shr(u64 x, u64 count) {
  unsigned s = unsigned(count & 63);
  u32 lo = u32(x), hi = u32(x >> 32);
  if (s >= 32) {
    lo = hi >> (s - 32);
    hi = 0;
  } else if (s > 0) {
    lo = (lo >> s) | (hi << (32 - s));
    hi = hi >> s;
  }
  return (u64(hi) << 32) | lo;
}

// Compound forms storing into a 32-bit word.
inline u32 word_add(u32 n, u64 v) {
  return (v >> 32) != 0 || u64(n) + u32(v) > kMax32 ? kMax32 : n + u32(v);
}
inline u32 word_sub(u32 n, u64 v) { return (v >> 32) != 0 || u32(v) > n ? 0 : n - u32(v); }
inline u32 word_mul(u32 n, u64 v) {
  if (n == 0) return 0;
  if ((v >> 32) != 0) return kMax32;
  u64 p = u64(n) * u32(v);
  return p > kMax32 ? kMax32 : u32(p);
}
inline u32 word_shl(u32 n, u64 count) {
  unsigned s = unsigned(count & 63);
  return s >= 32 ? 0 : n << s;
}
inline u32 word_shr(u32 n, u64 count) {
  unsigned s = unsigned(count & 63);
  return s >= 32 ? 0 : n >> s;
}
inline u32 word_div(u32 n, u64 d) {
  if ((d >> 32) != 0) return 0;
  if (d == 0) return n;
  return n / u32(d);
}
inline u32 word_mod(u32 n, u64 d) {
  if ((d >> 32) != 0) return n;
  if (d == 0) return n;
  return n % u32(d);
}

// Values where carries, borrows, saturation and word boundaries happen.
inline const std::vector<u64>& boundary_values() {
  // clang-format off
  static const std::vector<u64> values = {
      0, 1, 2, 3, 10, 0xFFFFFFFFull, 0x100000000ull, 0x100000001ull,
      0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, 0x8000000000000001ull,
      0xFFFFFFFFFFFFFFFEull, 0xFFFFFFFFFFFFFFFFull};
  // clang-format on
  return values;
}

// Repeatable operands, each drawn from one of three families at random: full
// 64-bit, 32-bit, and mixed magnitudes (a random bit length, so small and
// large values meet).
class OperandSource {
 public:
  explicit OperandSource(u64 start) : engine_(start) {}
  u64 next() {
    switch (engine_() % 3) {
      case 0: return engine_();
      case 1: return engine_() & 0xFFFFFFFFu;
      default: {
        unsigned bits = unsigned(engine_() % 65);
        return bits == 0 ? 0 : engine_() >> (64 - bits);
      }
    }
  }

 private:
  std::mt19937_64 engine_;
};

inline constexpr int kRandomPairs = 1000000;

// Calls check(a, b) for every pair of boundary values and for kRandomPairs
// random pairs.
template <class Check>
void for_each_pair(Check check, u64 start = 20261208) {
  for (u64 a : boundary_values())
    for (u64 b : boundary_values()) check(a, b);
  OperandSource source(start);
  for (int i = 0; i < kRandomPairs; ++i) {
    u64 a = source.next();
    u64 b = source.next();
    check(a, b);
  }
}

// Counts mismatches and keeps the first few for the failure message, so a
// million checks do not each go through a gtest assertion.
class Mismatches {
 public:
  // A result against the reference's, for the operands a and b.
  template <class Got, class Want>
  void check(const char* what, u64 a, u64 b, Got got, Want want) {
    if (got == want) return;
    add(std::string(what) + " a=" + std::to_string(a) + " b=" + std::to_string(b) + " got " +
        std::to_string(got) + " want " + std::to_string(want));
  }
  // A check that holds or not, for operands the caller describes.
  void check(const char* what, const std::string& operands, bool holds) {
    if (!holds) add(std::string(what) + " with " + operands);
  }
  u64 count() const { return count_; }
  const std::string& text() const { return text_; }

 private:
  void add(const std::string& line) {
    if (++count_ <= 10) text_ += line + "\n";
  }

  u64 count_ = 0;
  std::string text_;
};

}  // namespace reference

#endif  // VYKPAV_TESTS_SUPPORT_REFERENCE_H
