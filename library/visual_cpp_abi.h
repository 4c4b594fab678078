// The interface for hosts built with Visual C++ (32-bit x86), which link
// against vykpav.lib. visual_cpp_exports.def gives each function of this
// layer the decorated name that compiler gives the member or operator it
// stands for; here the functions carry plain names, and say in their
// signatures what that compiler passes and expects, where MinGW differs:
//
//  * A function that returns a VYKNB64 gets a hidden pointer to the result
//    and gives it back in EAX: a member after `this` (in ECX), a free
//    function as its first argument. MinGW returns the value in EDX:EAX.
//  * `long double` is the 8-byte double there.
//  * A constructor gives `this` back in EAX.
//
// Both compilers pass `this` in ECX, pop a member's arguments in the callee
// and a free function's in the caller, pass references as pointers, and
// return bool in AL, float and double in ST(0).
//
// The two runtimes unwind differently, so no exception leaves this layer.
// Where a timer runs out of memory the call does less, and says nothing:
//
//  * a constructor leaves an inert timer (no error box; everything after it
//    does nothing);
//  * a mark is dropped and its area keeps what it had;
//  * a report is dropped, and its file stays as it was.
#ifndef VYKPAV_LIBRARY_VISUAL_CPP_ABI_H
#define VYKPAV_LIBRARY_VISUAL_CPP_ABI_H

#include "selvorin/vyk_pav.h"

#if defined(__MINGW32__) && defined(__i386__)

namespace vykpav::timer {
class Timer;
}  // namespace vykpav::timer

// `this` in ECX, the rest on the stack, popped by the callee. GCC gives a
// function outside a class this convention too, as its manual says, but
// warns about it in C++; each file of this layer turns that warning off
// (-Wattributes) where it declares such functions.
#define VYKPAV_VC_THISCALL __attribute__((thiscall))

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

#endif  // defined(__MINGW32__) && defined(__i386__)

#endif  // VYKPAV_LIBRARY_VISUAL_CPP_ABI_H
