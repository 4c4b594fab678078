// Assignment from every one of the 2^32 float bit patterns, against a model
// that decodes the float's fields by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::VYKNB64;

constexpr u64 kBefore = 7;

// Sign, exponent and fraction taken apart: value = significand * 2^(exp - 150).
u64 assigned_from_bits(u32 bits) {
  const u32 exponent = (bits >> 23) & 0xFF;
  const u32 fraction = bits & 0x7FFFFF;
  const bool negative = (bits >> 31) != 0;
  if (exponent == 0xFF) {
    if (fraction != 0) return kBefore;  // NaN
    return negative ? 0 : kMax;         // infinities
  }
  if (negative || (exponent == 0 && fraction == 0)) return 0;
  if (exponent == 0) return 0;  // subnormals are far below 1
  const u64 significand = fraction | 0x800000u;
  const int scale = int(exponent) - 150;
  if (scale >= 0) return scale + 24 > 64 ? kMax : significand << scale;
  return -scale >= 24 ? 0 : significand >> -scale;
}

u64 mismatches_in(u64 first, u64 last) {
  u64 count = 0;
  for (u64 b = first; b < last; ++b) {
    const u32 bits = u32(b);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    VYKNB64 v = make(kBefore);
    v = f;
    if (value_of(v) != assigned_from_bits(bits)) ++count;
  }
  return count;
}

TEST(NumberFloatExhaustive, EveryFloatBitPatternAssignsLikeTheModel) {
  const u64 total = u64{1} << 32;
  const unsigned workers = std::max(2u, std::thread::hardware_concurrency());
  std::vector<u64> found(workers);
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < workers; ++w)
    threads.emplace_back(
        [&, w] { found[w] = mismatches_in(total * w / workers, total * (w + 1) / workers); });
  for (auto& t : threads) t.join();
  u64 sum = 0;
  for (u64 c : found) sum += c;
  EXPECT_EQ(sum, 0u);
}

}  // namespace
