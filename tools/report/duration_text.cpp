#include "tools/report/duration_text.h"

#include "tools/report/number_text.h"

namespace vykpav::report {

std::string duration_text(double microseconds) {
  if (microseconds == 0) return "0 \u00B5s";
  if (microseconds < 999.5) return three_digits(microseconds) + " \u00B5s";
  if (microseconds < 999.5e3) return three_digits(microseconds / 1e3) + " ms";
  return three_digits(microseconds / 1e6) + " s";
}

}  // namespace vykpav::report
