// Conveniences for hosts of VYK_PAV: marks that pass the file and line for
// you, and a guard that times the rest of a scope.
//
//   VYK_PAV_BEGIN(timer, "parse");     // timer._nachalo("parse", __FILE__, __LINE__)
//   parse();
//   VYK_PAV_END(timer, "parse");       // timer._konec("parse", __FILE__, __LINE__)
//
//   {
//     VYK_PAV_SCOPE(timer, "solve");   // begins here, ends when the scope closes
//     solve();
//   }
//
// Define VYK_PAV_DISABLE before including this header (or on the compiler's
// command line) to compile all three macros out: they then evaluate nothing.
#ifndef SELVORIN_MARKS_H
#define SELVORIN_MARKS_H

#include "selvorin/vyk_pav.h"

namespace Selvorin {

// Begins `area` on construction and ends it on destruction, both marks
// recording the file and line where the guard was made.
class VYK_PAV_Scope {
 public:
  VYK_PAV_Scope(VYK_PAV& timer, const char* area, const char* file, int line)
      : timer_(timer), area_(area), file_(file), line_(line) {
    timer_._nachalo(area_, file_, line_);
  }
  ~VYK_PAV_Scope() { timer_._konec(area_, file_, line_); }

  VYK_PAV_Scope(const VYK_PAV_Scope&) = delete;
  VYK_PAV_Scope& operator=(const VYK_PAV_Scope&) = delete;

 private:
  VYK_PAV& timer_;
  const char* area_;
  const char* file_;
  int line_;
};

}  // namespace Selvorin

#define VYK_PAV_CONCAT_INNER(a, b) a##b
#define VYK_PAV_CONCAT(a, b) VYK_PAV_CONCAT_INNER(a, b)

#if defined(VYK_PAV_DISABLE)
#define VYK_PAV_BEGIN(timer, area) static_cast<void>(0)
#define VYK_PAV_END(timer, area) static_cast<void>(0)
#define VYK_PAV_SCOPE(timer, area) static_cast<void>(0)
#else
#define VYK_PAV_BEGIN(timer, area) (timer)._nachalo((area), __FILE__, __LINE__)
#define VYK_PAV_END(timer, area) (timer)._konec((area), __FILE__, __LINE__)
#define VYK_PAV_SCOPE(timer, area)                                                              \
  ::Selvorin::VYK_PAV_Scope VYK_PAV_CONCAT(vyk_pav_scope_, __LINE__)((timer), (area), __FILE__, \
                                                                     __LINE__)
#endif

#endif  // SELVORIN_MARKS_H
