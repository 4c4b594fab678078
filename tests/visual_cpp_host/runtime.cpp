// What a C runtime would give the Visual C++ host: its entry point, output,
// files, counting of checks, and the few symbols the compiler expects.
#include "host.h"
#include "system.h"

extern "C" {
// The compiler asks for this symbol in every program that uses floating
// point, and for these functions where it copies or clears memory.
int _fltused = 0;

void* memset(void* to, int byte, decltype(sizeof 0) size) {
  auto* p = static_cast<unsigned char*>(to);
  while (size-- != 0) *p++ = static_cast<unsigned char>(byte);
  return to;
}

void* memcpy(void* to, const void* from, decltype(sizeof 0) size) {
  auto* p = static_cast<unsigned char*>(to);
  const auto* q = static_cast<const unsigned char*>(from);
  while (size-- != 0) *p++ = *q++;
  return to;
}
}  // extern "C"

namespace host {

namespace {
const char* g_group = "";
unsigned long g_checks = 0, g_group_failures = 0, g_failures = 0;
constexpr unsigned long kFailuresShown = 30;
u64 g_random = 0x9E3779B97F4A7C15ull;  // a fixed start: every run checks the same values
}  // namespace

void print(const char* text) {
  unsigned long written = 0;
  WriteFile(GetStdHandle(kStdOutput), text, length(text), &written, nullptr);
}

void print_number(u64 n) {
  Line line;
  line.add_unsigned(n);
  print(line.text);
}

void begin_group(const char* name) {
  g_group = name;
  g_checks = 0;
  g_group_failures = 0;
}

void end_group() {
  print(g_group);
  print(": ");
  print_number(g_checks);
  print(" checks, ");
  print_number(g_group_failures);
  print(g_group_failures == 0 ? " mismatches\n" : " mismatches  <-- FAILED\n");
}

bool check(bool ok, const char* what) {
  ++g_checks;
  if (ok) return true;
  ++g_group_failures;
  if (++g_failures <= kFailuresShown) {
    print("FAIL ");
    print(g_group);
    print(": ");
    print(what);
    print("\n");
  }
  return false;
}

bool check_value(u64 got, u64 expected, const char* what, u64 a, u64 b) {
  if (got == expected) return check(true, what);
  Line line;
  line.add(what).add(" with ").add_unsigned(a).add(", ").add_unsigned(b);
  line.add(": got ").add_unsigned(got).add(", expected ").add_unsigned(expected);
  return check(false, line.text);
}

unsigned long total_failures() { return g_failures; }

u64 random64() {
  // xorshift64*
  g_random ^= g_random >> 12;
  g_random ^= g_random << 25;
  g_random ^= g_random >> 27;
  return g_random * 0x2545F4914F6CDD1Dull;
}

u64 random_sized() {
  const unsigned bits = static_cast<unsigned>(random64() % 65);
  return bits == 0 ? 0 : random64() >> (64 - bits);
}

unsigned long length(const char* text) {
  unsigned long n = 0;
  while (text[n] != 0) ++n;
  return n;
}

bool same(const char* a, const char* b) {
  for (; *a == *b; ++a, ++b)
    if (*a == 0) return true;
  return false;
}

Line& Line::add(const char* part, unsigned long count) {
  for (unsigned long i = 0; i < count && size + 1 < sizeof text; ++i) text[size++] = part[i];
  text[size] = 0;
  return *this;
}

Line& Line::add(const char* part) { return add(part, length(part)); }

Line& Line::add_unsigned(u64 n) {
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (count > 0) add(&digits[--count], 1);
  return *this;
}

Line& Line::add_hex(u64 n) {
  char digits[16];
  int count = 0;
  do {
    digits[count++] = "0123456789ABCDEF"[n & 15];
    n >>= 4;
  } while (n != 0);
  add("0x");
  while (count > 0) add(&digits[--count], 1);
  return *this;
}

Line& Line::add_grouped(u64 n) {
  Line plain;
  plain.add_unsigned(n);
  for (unsigned long i = 0; i < plain.size; ++i) {
    if (i > 0 && (plain.size - i) % 3 == 0) add(" ");
    add(&plain.text[i], 1);
  }
  return *this;
}

bool read_file(const char* name, char* buffer, unsigned long room, unsigned long* size) {
  void* file = CreateFileA(name, kGenericRead, 1, nullptr, kOpenExisting, 0, nullptr);
  if (file == kInvalidHandle) return false;
  *size = 0;
  unsigned long got = 0;
  while (*size < room && ReadFile(file, buffer + *size, room - *size, &got, nullptr) && got > 0)
    *size += got;
  CloseHandle(file);
  return *size < room;
}

unsigned short control_word() {
  unsigned short word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

void set_control_word(unsigned short word) { __asm__ volatile("fldcw %0" : : "m"(word)); }

unsigned mxcsr() {
  unsigned word;
  __asm__ volatile("stmxcsr %0" : "=m"(word));
  return word;
}

void set_mxcsr(unsigned word) { __asm__ volatile("ldmxcsr %0" : : "m"(word)); }

}  // namespace host

// The entry point (lld-link /entry): the floating-point controls Visual C++
// programs run with, the x87 unit at 53-bit precision, then every group of
// checks. The exit code says whether all passed.
extern "C" void __stdcall host_main() {
  char language[8] = {};
  GetEnvironmentVariableA("VYKPAV_E2E_LANGUAGE", language, sizeof language);
  const bool russian = host::same(language, "ru");
  if (!russian && !host::same(language, "en")) {
    host::print("set VYKPAV_E2E_LANGUAGE to en or ru\n");
    ExitProcess(2);
  }
  host::Line controls;
  controls.add("x87 control word and MXCSR at entry: ").add_hex(host::control_word());
  controls.add(", ").add_hex(host::mxcsr()).add("; the checks run with ");
  controls.add_hex(host::kVisualCppControlWord).add(", ").add_hex(host::kVisualCppMxcsr);
  host::print(controls.add("\n").text);
  host::set_control_word(host::kVisualCppControlWord);
  host::set_mxcsr(host::kVisualCppMxcsr);

  host::check_numbers();
  host::check_texts();
  host::check_floats();
  host::check_reports(russian);

  const unsigned long failures = host::total_failures();
  host::print(failures == 0 ? "all checks passed\n" : "checks FAILED\n");
  ExitProcess(failures == 0 ? 0 : 1);
}
