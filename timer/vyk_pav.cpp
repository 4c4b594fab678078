// The exported timer class: a thin shell over the internal Timer.
#include "selvorin/vyk_pav.h"

#include "platform/platform.h"
#include "timer/timer.h"

namespace Selvorin {

VYK_PAV::VYK_PAV(ulong32 count, const char** names)
    : timer_(new vykpav::timer::Timer(count, names, vykpav::platform::current_platform())) {}

VYK_PAV::VYK_PAV(ulong32 count, char** names) : VYK_PAV(count, const_cast<const char**>(names)) {}

VYK_PAV::~VYK_PAV() { delete timer_; }

void VYK_PAV::_nachalo(const char* area, const char* file, int line) {
  timer_->begin(area, file, line);
}

void VYK_PAV::_konec(const char* area, const char* file, int line) {
  timer_->end(area, file, line);
}

void VYK_PAV::pokaz(const char* file_name) { timer_->report(file_name); }

}  // namespace Selvorin
