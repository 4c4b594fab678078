#include "native_u64.h"

namespace native {

u64 add(const u64& a, const u64& b) {
  u64 sum;
  return __builtin_add_overflow(a, b, &sum) ? ~u64{0} : sum;
}
u64 sub(const u64& a, const u64& b) {
  u64 difference;
  return __builtin_sub_overflow(a, b, &difference) ? 0 : difference;
}
u64 mul(const u64& a, const u64& b) {
  u64 product;
  return __builtin_mul_overflow(a, b, &product) ? ~u64{0} : product;
}
u64 div(const u64& a, const u64& b) { return a / b; }
u64 mod(const u64& a, const u64& b) { return a % b; }
u64& inc(u64& v) {
  if (v != ~u64{0}) ++v;
  return v;
}
u64& dec(u64& v) {
  if (v != 0) --v;
  return v;
}
bool eq(const u64& a, const u64& b) { return a == b; }
bool ne(const u64& a, const u64& b) { return a != b; }
bool lt(const u64& a, const u64& b) { return a < b; }
bool le(const u64& a, const u64& b) { return a <= b; }
bool gt(const u64& a, const u64& b) { return a > b; }
bool ge(const u64& a, const u64& b) { return a >= b; }
u64 shl(const u64& a, const u64& count) { return a << (count & 63); }
u64 shr(const u64& a, const u64& count) { return a >> (count & 63); }

}  // namespace native
