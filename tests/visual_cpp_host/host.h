// The Visual C++ host: a program built by clang for Visual C++ (32-bit x86
// or x64, from the same sources) from the public headers, linked against
// vykpav.lib and run under Wine. It
// checks every export of the library against its own arithmetic, and the
// reports of real timers. It has no C runtime: the helpers below are all it
// has besides the library and a few Windows functions.
#ifndef VYKPAV_TESTS_VISUAL_CPP_HOST_HOST_H
#define VYKPAV_TESTS_VISUAL_CPP_HOST_HOST_H

#include <selvorin/marks.h>
#include <selvorin/vyk_pav.h>

namespace host {

using u64 = unsigned long long;
using u32 = Selvorin::ulong32;
using Selvorin::VYKNB64;
constexpr u64 kMax64 = ~0ull;
constexpr u32 kMax32 = 0xFFFFFFFFul;

inline u64 value_of(const VYKNB64& v) { return (u64{v.high} << 32) | v.low; }

// Standard output.
void print(const char* text);
void print_number(u64 n);

// Checks, counted by group. A failing check prints what it was, with its
// operands; after the first 30 failures only the counts go on.
void begin_group(const char* name);
void end_group();
bool check(bool ok, const char* what);
bool check_value(u64 got, u64 expected, const char* what, u64 a, u64 b);
unsigned long total_failures();

// Pseudo-random numbers from a fixed start: all 64 bits, or a value of a
// random bit length (0 to 64 bits), so that small and large values come
// equally often.
u64 random64();
u64 random_sized();

// Zero-terminated texts.
unsigned long length(const char* text);
bool same(const char* a, const char* b);

// A text being put together, with room for a report line.
struct Line {
  char text[512];
  unsigned long size = 0;
  Line() { text[0] = 0; }
  Line& add(const char* part);
  Line& add(const char* part, unsigned long count);
  Line& add_grouped(u64 n);  // decimal, groups of three digits apart
  Line& add_unsigned(u64 n);
  Line& add_hex(u64 n);
};

// The whole content of a file; false when it cannot be read.
bool read_file(const char* name, char* buffer, unsigned long room, unsigned long* size);

// The floating-point controls, as a thread of a Visual C++ program starts
// with them: the x87 control word (precision in bits 8-9, rounding in bits
// 10-11) and the SSE unit's MXCSR (rounding in bits 13-14).
unsigned short control_word();
void set_control_word(unsigned short word);
constexpr unsigned short kVisualCppControlWord = 0x027F;  // 53 bits, to nearest, all masked
unsigned mxcsr();
void set_mxcsr(unsigned word);
constexpr unsigned kVisualCppMxcsr = 0x1F80;  // to nearest, all masked

// The groups of checks.
void check_numbers();
void check_texts();
void check_floats();
void check_reports(bool russian);

}  // namespace host

#endif  // VYKPAV_TESTS_VISUAL_CPP_HOST_HOST_H
