// The interface for hosts built with Visual C++, 32-bit x86 and x64, which
// link against vykpav.lib. visual_cpp_exports.def (x86) and
// visual_cpp_exports_x64.def give each member and operator the decorated
// name that compiler gives it, and name the function that serves it: one of
// this layer, which carries a plain name and says in its signature what that
// compiler passes and expects, or, on x64 where both compilers agree, the
// library's own member or operator.
//
// 32-bit x86. Both compilers pass `this` in ECX, pop a member's arguments in
// the callee and a free function's in the caller, pass references as
// pointers, and return bool in AL, float and double in ST(0). Every name is
// served by this layer. Where they differ:
//
//  * A function that returns a VYKNB64 gets a hidden pointer to the result
//    and gives it back in EAX: a member after `this` (in ECX), a free
//    function as its first argument. MinGW returns the value in EDX:EAX.
//  * `long double` is the 8-byte double there.
//  * A constructor gives `this` back in EAX.
//
// x64. Both compilers follow the Microsoft x64 convention: one convention for
// members and free functions, `this` and the first arguments in RCX, RDX, R8,
// R9, cleaned up by the caller; references as pointers; integers, pointers
// and bool back in RAX (AL), float and double in XMM0. `unsigned long` is 32
// bits in both. So the compound assignments, comparisons, ++ and --, the
// float and double members and VsStr and VzStr, none of which can throw,
// are exported as they are, under both names. Where they differ:
//
//  * A function that returns a VYKNB64 gets a hidden pointer to the result
//    and gives it back in RAX: a member always, after `this` (RCX `this`,
//    RDX the result, R8 the operand); a free function too, as its first
//    argument, because the class has user-provided constructors (only a type
//    without them comes back in RAX). MinGW returns the 8 bytes in RAX.
//  * `long double` is the 8-byte double there, passed by a pointer to 8
//    bytes and returned in XMM0; MinGW's is the x87 80-bit format.
//  * A constructor gives `this` back in RAX.
//  * Its rounding mode is the SSE unit's alone (MXCSR); the x87 unit stays at
//    53-bit precision, rounding to nearest. The library's float and double
//    conversions round with SSE on x64, and a Visual C++ host's long double
//    being the double, nothing of theirs is computed on the x87 unit.
//
// On both widths the two runtimes unwind differently, so no exception leaves
// a timer's call; the host's VYK_PAV is this layer's VisualCppTimer, which
// may be inert, so its destructor is the layer's too. Where a timer runs out
// of memory the call does less, and says nothing:
//
//  * a constructor leaves an inert timer (no error box; everything after it
//    does nothing);
//  * a mark is dropped and its area keeps what it had;
//  * a report is dropped, and its file stays as it was.
#ifndef VYKPAV_LIBRARY_VISUAL_CPP_ABI_H
#define VYKPAV_LIBRARY_VISUAL_CPP_ABI_H

#include "selvorin/vyk_pav.h"

// The widths this layer serves.
#if defined(__MINGW32__) && (defined(__i386__) || defined(__x86_64__))
#define VYKPAV_VISUAL_CPP_LAYER 1
#else
#define VYKPAV_VISUAL_CPP_LAYER 0
#endif

#if VYKPAV_VISUAL_CPP_LAYER

namespace vykpav::timer {
class Timer;
}  // namespace vykpav::timer

#if defined(__i386__)
// `this` in ECX, the rest on the stack, popped by the callee. GCC gives a
// function outside a class this convention too, as its manual says, but
// warns about it in C++; each file of this layer turns that warning off
// (-Wattributes) where it declares such functions.
#define VYKPAV_VC_THISCALL __attribute__((thiscall))
#else
// x64 has the one convention, `this` first.
#define VYKPAV_VC_THISCALL
#endif

namespace vykpav::library {

// What a Visual C++ host's VYK_PAV holds: the class's one pointer, to its
// timer, or null when there was no memory for one.
struct VisualCppTimer {
  timer::Timer* timer;
};
static_assert(sizeof(VisualCppTimer) == sizeof(Selvorin::VYK_PAV),
              "a host's VYK_PAV is the one pointer");

}  // namespace vykpav::library

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
extern "C" {

vykpav::library::VisualCppTimer* VYKPAV_VC_THISCALL vykpav_vc_timer_construct(
    vykpav::library::VisualCppTimer* self, Selvorin::ulong32 count, const char** names) noexcept;
vykpav::library::VisualCppTimer* VYKPAV_VC_THISCALL vykpav_vc_timer_construct_nonconst(
    vykpav::library::VisualCppTimer* self, Selvorin::ulong32 count, char** names) noexcept;
void VYKPAV_VC_THISCALL vykpav_vc_timer_destroy(vykpav::library::VisualCppTimer* self) noexcept;
void VYKPAV_VC_THISCALL vykpav_vc_timer_begin(vykpav::library::VisualCppTimer* self,
                                              const char* area, const char* file,
                                              int line) noexcept;
void VYKPAV_VC_THISCALL vykpav_vc_timer_end(vykpav::library::VisualCppTimer* self, const char* area,
                                            const char* file, int line) noexcept;
void VYKPAV_VC_THISCALL vykpav_vc_timer_report(vykpav::library::VisualCppTimer* self,
                                               const char* file_name) noexcept;

}  // extern "C"
#pragma GCC diagnostic pop

#endif  // VYKPAV_VISUAL_CPP_LAYER

#endif  // VYKPAV_LIBRARY_VISUAL_CPP_ABI_H
