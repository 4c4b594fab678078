// VYKNB64 for Visual C++ hosts: each of its 80 exported operators and
// members in that compiler's convention (see visual_cpp_abi.h), calling the
// one implementation. Families of operators share one form, so each form is
// written once, as a macro, and the families are listed below it. The
// families whose convention is the same for both compilers on x64 are
// exported there as they are, and come here on 32-bit x86 only.
#include "library/visual_cpp_abi.h"

#if VYKPAV_VISUAL_CPP_LAYER

#pragma GCC diagnostic ignored "-Wattributes"  // thiscall outside a class

using Selvorin::ulong32;
using Selvorin::VYKNB64;

// Const members returning a new value, through the hidden pointer after
// `this`, and the free form with a word on the left, through the hidden
// pointer before its operands.
#define VYKPAV_VC_BITWISE(name, op)                                          \
  extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_##name##_v(               \
      const VYKNB64& self, VYKNB64* result, const VYKNB64& other) noexcept { \
    *result = self op other;                                                 \
    return result;                                                           \
  }                                                                          \
  extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_##name##_u(               \
      const VYKNB64& self, VYKNB64* result, ulong32 other) noexcept {        \
    *result = self op other;                                                 \
    return result;                                                           \
  }                                                                          \
  extern "C" VYKNB64* vykpav_vc_##name##_uv(VYKNB64* result, ulong32 n,      \
                                            const VYKNB64& v) noexcept {     \
    *result = n op v;                                                        \
    return result;                                                           \
  }

VYKPAV_VC_BITWISE(bit_or, |)
VYKPAV_VC_BITWISE(bit_xor, ^)
VYKPAV_VC_BITWISE(bit_and, &)
VYKPAV_VC_BITWISE(shl, <<)
VYKPAV_VC_BITWISE(shr, >>)

// Free operators of two operands, each returning through the hidden pointer.
#define VYKPAV_VC_ARITHMETIC(name, op)                                         \
  extern "C" VYKNB64* vykpav_vc_##name##_vv(VYKNB64* result, const VYKNB64& a, \
                                            const VYKNB64& b) noexcept {       \
    *result = a op b;                                                          \
    return result;                                                             \
  }                                                                            \
  extern "C" VYKNB64* vykpav_vc_##name##_vu(VYKNB64* result, const VYKNB64& a, \
                                            ulong32 b) noexcept {              \
    *result = a op b;                                                          \
    return result;                                                             \
  }                                                                            \
  extern "C" VYKNB64* vykpav_vc_##name##_uv(VYKNB64* result, ulong32 a,        \
                                            const VYKNB64& b) noexcept {       \
    *result = a op b;                                                          \
    return result;                                                             \
  }

VYKPAV_VC_ARITHMETIC(add, +)
VYKPAV_VC_ARITHMETIC(sub, -)
VYKPAV_VC_ARITHMETIC(mul, *)
VYKPAV_VC_ARITHMETIC(div, /)
VYKPAV_VC_ARITHMETIC(mod, %)

// ~ is a member that is not const.
extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_complement(VYKNB64& self,
                                                            VYKNB64* result) noexcept {
  *result = ~self;
  return result;
}

// Visual C++'s long double is the double, so its forms take and give a
// double; the conversions do not depend on the x87 precision control, which
// such hosts set to 53 bits.
extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_assign_long_double(VYKNB64& self,
                                                                    const double& x) noexcept {
  return &(self = x);
}
extern "C" double VYKPAV_VC_THISCALL vykpav_vc_to_long_double(const VYKNB64& self) noexcept {
  return static_cast<double>(self);
}

// The rest on 32-bit x86 alone: on x64 both compilers pass and return these
// alike, and the library's own members and operators serve their names.
#if defined(__i386__)

// Compound assignments. The members return the value itself; the free form
// with a word on the left returns the word.
#define VYKPAV_VC_COMPOUND(name, op)                                                           \
  extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_##name##_v(VYKNB64& self,                   \
                                                              const VYKNB64& other) noexcept { \
    return &(self op other);                                                                   \
  }                                                                                            \
  extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_##name##_u(VYKNB64& self,                   \
                                                              ulong32 other) noexcept {        \
    return &(self op other);                                                                   \
  }                                                                                            \
  extern "C" ulong32* vykpav_vc_word_##name(ulong32& n, const VYKNB64& v) noexcept {           \
    return &(n op v);                                                                          \
  }

VYKPAV_VC_COMPOUND(shl_assign, <<=)
VYKPAV_VC_COMPOUND(shr_assign, >>=)
VYKPAV_VC_COMPOUND(add_assign, +=)
VYKPAV_VC_COMPOUND(sub_assign, -=)
VYKPAV_VC_COMPOUND(mul_assign, *=)
VYKPAV_VC_COMPOUND(div_assign, /=)
VYKPAV_VC_COMPOUND(mod_assign, %=)

// Comparisons: const members and the free form, bool in AL.
#define VYKPAV_VC_COMPARISON(name, op)                                                     \
  extern "C" bool VYKPAV_VC_THISCALL vykpav_vc_##name##_v(const VYKNB64& self,             \
                                                          const VYKNB64& other) noexcept { \
    return self op other;                                                                  \
  }                                                                                        \
  extern "C" bool VYKPAV_VC_THISCALL vykpav_vc_##name##_u(const VYKNB64& self,             \
                                                          ulong32 other) noexcept {        \
    return self op other;                                                                  \
  }                                                                                        \
  extern "C" bool vykpav_vc_##name##_uv(ulong32 n, const VYKNB64& v) noexcept { return n op v; }

VYKPAV_VC_COMPARISON(eq, ==)
VYKPAV_VC_COMPARISON(ne, !=)
VYKPAV_VC_COMPARISON(lt, <)
VYKPAV_VC_COMPARISON(le, <=)
VYKPAV_VC_COMPARISON(gt, >)
VYKPAV_VC_COMPARISON(ge, >=)

// ++ and -- are free, prefix, and return their operand.
extern "C" VYKNB64* vykpav_vc_increment(VYKNB64& v) noexcept { return &++v; }
extern "C" VYKNB64* vykpav_vc_decrement(VYKNB64& v) noexcept { return &--v; }

// Floating point.
extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_assign_float(VYKNB64& self,
                                                              const float& x) noexcept {
  return &(self = x);
}
extern "C" VYKNB64* VYKPAV_VC_THISCALL vykpav_vc_assign_double(VYKNB64& self,
                                                               const double& x) noexcept {
  return &(self = x);
}
extern "C" float VYKPAV_VC_THISCALL vykpav_vc_to_float(const VYKNB64& self) noexcept {
  return static_cast<float>(self);
}
extern "C" double VYKPAV_VC_THISCALL vykpav_vc_to_double(const VYKNB64& self) noexcept {
  return static_cast<double>(self);
}

// Text.
extern "C" int VYKPAV_VC_THISCALL vykpav_vc_vsstr(VYKNB64& self, unsigned char* buffer,
                                                  ulong32 format, int radix) noexcept {
  return self.VsStr(buffer, format, radix);
}
extern "C" bool VYKPAV_VC_THISCALL vykpav_vc_vzstr(VYKNB64& self, const unsigned char* text,
                                                   ulong32 format) noexcept {
  return self.VzStr(text, format);
}

#endif  // defined(__i386__)

#endif  // VYKPAV_VISUAL_CPP_LAYER
