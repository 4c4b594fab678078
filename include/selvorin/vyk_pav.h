// VYK_PAV: a timer for named areas of a host program's code.
//
//   const char* names[] = {"parse", "solve"};
//   Selvorin::VYK_PAV timer(2, names);
//   timer._nachalo("parse", __FILE__, __LINE__);
//   parse();
//   timer._konec("parse", __FILE__, __LINE__);
//   timer.pokaz(nullptr);  // writes VYK_PAV.txt in the current directory
//
// Each mark takes one reading of the high-resolution counter: _nachalo as its
// last step, _konec as its first, so the span holds the host's code and as
// little of the timer as possible. pokaz writes a report of every area begun
// so far, fastest first: to `file_name` (appended) or, given a null pointer,
// to "VYK_PAV.txt" (replaced). Texts are Russian (code page 1251) when the
// system's default language is Russian, English otherwise.
//
// Unknown area names and null arguments are ignored. When the system has no
// high-resolution counter the constructor shows an error box and the timer
// does nothing afterwards. All calls on one timer must come from one thread
// at a time; reports of different timers may run on different threads.
//
// <selvorin/marks.h> has macros that pass __FILE__ and __LINE__ for you and a
// scoped guard.
#ifndef SELVORIN_VYK_PAV_H
#define SELVORIN_VYK_PAV_H

#include <cstddef>

#include "selvorin/export.h"
#include "selvorin/vyknb64.h"

namespace vykpav::timer {
class Timer;
}  // namespace vykpav::timer

namespace Selvorin {

class VYK_PAV {
 public:
  // `count` areas named by `names[0..count-1]`, or "0", "1", ... when `names`
  // is null. Duplicate names make one area; null entries are skipped.
  VYKPAV_API VYK_PAV(ulong32 count, const char** names);
  VYKPAV_API VYK_PAV(ulong32 count, char** names);
  VYK_PAV(ulong32 count, std::nullptr_t) : VYK_PAV(count, static_cast<const char**>(nullptr)) {}
  VYKPAV_API ~VYK_PAV();

  VYK_PAV(const VYK_PAV&) = delete;
  VYK_PAV& operator=(const VYK_PAV&) = delete;

  // Begin and end marks of the area `area`, recording the file and line of
  // the mark. The texts are copied; the caller may reuse them at once.
  VYKPAV_API void _nachalo(const char* area, const char* file, int line);
  VYKPAV_API void _konec(const char* area, const char* file, int line);

  // Writes the report; see above.
  VYKPAV_API void pokaz(const char* file_name);

 private:
  vykpav::timer::Timer* timer_;  // owned
};

}  // namespace Selvorin

#endif  // SELVORIN_VYK_PAV_H
