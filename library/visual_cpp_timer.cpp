// VYK_PAV for Visual C++ hosts: its constructors, destructor, marks and
// report in that compiler's convention (see visual_cpp_abi.h), on the same
// timer as the MinGW class. Each call stops any exception here: the two
// runtimes unwind differently, and a host built with Visual C++ could not
// catch one anyway. The only one a timer raises is the allocation failure.
#include "library/visual_cpp_abi.h"

#if VYKPAV_VISUAL_CPP_LAYER

#pragma GCC diagnostic ignored "-Wattributes"  // thiscall outside a class

#include "platform/platform.h"
#include "timer/timer.h"

using vykpav::library::VisualCppTimer;
using vykpav::timer::Timer;

// Without the memory for a timer the host gets an inert one: the null
// pointer, which every call below checks first.
extern "C" VisualCppTimer* VYKPAV_VC_THISCALL vykpav_vc_timer_construct(
    VisualCppTimer* self, Selvorin::ulong32 count, const char** names) noexcept {
  self->timer = nullptr;
  try {
    self->timer = new Timer(count, names, vykpav::platform::current_platform());
  } catch (...) {
  }
  return self;
}

extern "C" VisualCppTimer* VYKPAV_VC_THISCALL vykpav_vc_timer_construct_nonconst(
    VisualCppTimer* self, Selvorin::ulong32 count, char** names) noexcept {
  return vykpav_vc_timer_construct(self, count, const_cast<const char**>(names));
}

extern "C" void VYKPAV_VC_THISCALL vykpav_vc_timer_destroy(VisualCppTimer* self) noexcept {
  delete self->timer;
}

// A mark that runs out of memory copying a new file text leaves its area as
// it was.
extern "C" void VYKPAV_VC_THISCALL vykpav_vc_timer_begin(VisualCppTimer* self, const char* area,
                                                         const char* file, int line) noexcept {
  if (self->timer == nullptr) return;
  try {
    self->timer->begin(area, file, line);
  } catch (...) {
  }
}

extern "C" void VYKPAV_VC_THISCALL vykpav_vc_timer_end(VisualCppTimer* self, const char* area,
                                                       const char* file, int line) noexcept {
  if (self->timer == nullptr) return;
  try {
    self->timer->end(area, file, line);
  } catch (...) {
  }
}

// A report allocates all it needs before it opens its file, so one that runs
// out of memory leaves the file untouched.
extern "C" void VYKPAV_VC_THISCALL vykpav_vc_timer_report(VisualCppTimer* self,
                                                          const char* file_name) noexcept {
  if (self->timer == nullptr) return;
  try {
    self->timer->report(file_name);
  } catch (...) {
  }
}

#endif  // VYKPAV_VISUAL_CPP_LAYER
