// A host program built the way a user of the library builds one (see
// run.sh): it times two areas with the marks from <selvorin/marks.h>, checks
// a little VYKNB64 arithmetic and text conversion against std::uint64_t, and
// writes the report.
//
//   consumer_host <report file> <area name>
//
// The second area is named "<area name> (scope)". Prints the version its
// headers give. Exits with 1 when a result is wrong, 2 on bad arguments;
// run.sh checks the report and the version itself.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>

#include <selvorin/marks.h>
#include <selvorin/version.h>
#include <selvorin/vyk_pav.h>
#include <selvorin/vyknb64.h>
#include <selvorin/vyknb64_ostream.h>

namespace {

int failures = 0;

void expect(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "consumer_host: wrong result: %s\n", what);
    ++failures;
  }
}

// The value as the built-in type, read through the documented layout.
std::uint64_t value_of(const Selvorin::VYKNB64& v) {
  return (static_cast<std::uint64_t>(v.high) << 32) | v.low;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: consumer_host <report file> <area name>\n");
    return 2;
  }
  const std::string area = argv[2];
  const std::string scoped_area = area + " (scope)";
  const char* areas[] = {area.c_str(), scoped_area.c_str()};
  Selvorin::VYK_PAV timer(2, areas);

  // Operands from the command line's length, so the compiler cannot fold
  // the arithmetic away and every operator really crosses into the library.
  const std::uint64_t a = 1000000000u + area.size();
  const std::uint64_t b = 3000000000u + scoped_area.size();
  const std::uint64_t max = std::numeric_limits<std::uint64_t>::max();

  Selvorin::VYKNB64 product;
  Selvorin::VYKNB64 quotient;
  Selvorin::VYKNB64 remainder;
  VYK_PAV_BEGIN(timer, area.c_str());
  product = Selvorin::VYKNB64(a) * Selvorin::VYKNB64(b);
  quotient = product / Selvorin::VYKNB64(b);
  remainder = (product + 5u) % static_cast<Selvorin::ulong32>(b);
  VYK_PAV_END(timer, area.c_str());

  expect(value_of(product) == a * b, "a * b");
  expect(product == Selvorin::VYKNB64(a * b), "a * b compared as VYKNB64");
  expect(value_of(quotient) == a, "a * b / b");
  expect(value_of(remainder) == (a * b + 5) % b, "(a * b + 5) % b");

  {
    VYK_PAV_SCOPE(timer, scoped_area.c_str());
    Selvorin::VYKNB64 top(max);
    expect(value_of(top + 1u) == max, "2^64 - 1 + 1 saturates");
    expect(value_of(++top) == max, "++(2^64 - 1) saturates");
    expect(value_of(Selvorin::VYKNB64(a) - Selvorin::VYKNB64(b)) == 0, "a - b stops at 0");
    expect(value_of(Selvorin::VYKNB64(a) << 32u) == a << 32, "a << 32");
  }

  char digits[44] = {};
  const int written = product.VsStr(digits, 0, 10);
  expect(std::string(digits) == std::to_string(a * b), "a * b as decimal text");
  expect(written == static_cast<int>(std::to_string(a * b).size()), "digit count");

  // Groups of three with the default separator, and read back.
  std::string grouped_expected = std::to_string(a * b);
  for (std::size_t i = grouped_expected.size(); i > 3; i -= 3) grouped_expected.insert(i - 3, " ");
  char grouped[44] = {};
  product.VsStr(grouped, 3, 10);
  expect(std::string(grouped) == grouped_expected, "a * b as grouped decimal text");
  Selvorin::VYKNB64 read_back;
  expect(read_back.VzStr(grouped, 0) && read_back == product, "grouped text read back");

  // Integers of other widths count with their full value.
  expect(value_of(Selvorin::VYKNB64(a) * b) == a * b, "VYKNB64 * std::uint64_t");
  expect(static_cast<std::uint64_t>(product) == a * b, "explicit conversion to std::uint64_t");
  // The stream inserter, from its own installed header.
  std::ostringstream hex;
  hex << std::hex << std::showbase << Selvorin::VYKNB64(max);
  expect(hex.str() == "0xffffffffffffffff", "VYKNB64 on a std::ostream");

  std::printf("vykpav %s\n", VYKPAV_VERSION_STRING);

  timer.pokaz(argv[1]);
  return failures == 0 ? 0 : 1;
}
