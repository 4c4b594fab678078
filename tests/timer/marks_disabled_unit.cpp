// Compiled with the helpers switched off: the macros must vanish, arguments
// and all.
#define VYK_PAV_DISABLE
#include "selvorin/marks.h"

namespace {
int evaluations = 0;
[[maybe_unused]] const char* counted_area() {
  ++evaluations;
  return "area";
}
}  // namespace

int evaluations_in_disabled_unit() {
  VYK_PAV_BEGIN(no_such_timer, counted_area());
  VYK_PAV_SCOPE(no_such_timer, counted_area());
  VYK_PAV_END(no_such_timer, counted_area());
  return evaluations;
}
