// The Windows build's figures: a begin+end pair of the DLL against two bare
// QueryPerformanceCounter calls, the counter the DLL reads, for sixteen areas
// in rotation, one area in a hot loop and a 100-byte file text; and a pair
// among 1,024 areas taken at random against one among 16 taken at random.
// Runs rounds that time both sides of a figure side by side, in alternating
// order, and prints the median of the per-round ratios. Not a test: nothing
// here passes or fails.
//
//   cmake/wine-run.sh "$PWD/build/mingw/wineprefix" build/mingw/bin/vykpav_wine_pair.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <selvorin/vyk_pav.h>

#include "mark_areas.h"

namespace {

constexpr int kPerRound = 100000;

long long now() { return static_cast<long long>(clock_ticks()); }

// The first `areas` of the sixteen (1 or 16) taken in turn, each mark
// passing `file`.
long long time_pairs(Selvorin::VYK_PAV& timer, int areas, const char* file) {
  const int mask = areas - 1;
  const long long start = now();
  for (int i = 0; i < kPerRound; ++i) {
    const char* area = kAreas[i & mask];
    timer._nachalo(area, file, __LINE__);
    timer._konec(area, file, __LINE__);
  }
  return now() - start;
}

long long time_bare_reads() {
  volatile long long sink = 0;
  const long long start = now();
  for (int i = 0; i < kPerRound; ++i) {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    sink = t.QuadPart;
    QueryPerformanceCounter(&t);
    sink = t.QuadPart;
  }
  (void)sink;
  return now() - start;
}

// Pairs of the areas of `names` (a power of two of them) taken at random.
long long time_random_pairs(Selvorin::VYK_PAV& timer, const std::vector<const char*>& names) {
  const std::uint32_t mask = static_cast<std::uint32_t>(names.size()) - 1;
  std::uint32_t state = 2463534242u;  // xorshift32
  const long long start = now();
  for (int i = 0; i < kPerRound; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    const char* area = names[state & mask];
    timer._nachalo(area, __FILE__, __LINE__);
    timer._konec(area, __FILE__, __LINE__);
  }
  return now() - start;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Medians over `rounds` of two workloads timed side by side, each round
// swapping which runs first so that neither always finds the other's warm
// caches: a's and b's nanoseconds per pair, and the ratio a / b.
struct SideBySide {
  double a_ns, b_ns, ratio;
};

template <class A, class B>
SideBySide side_by_side(int rounds, double ns_per_tick, A a, B b) {
  std::vector<double> ratios, a_ns, b_ns;
  for (int r = 0; r < rounds; ++r) {
    long long ta, tb;
    if (r % 2 == 0) {
      ta = a();
      tb = b();
    } else {
      tb = b();
      ta = a();
    }
    ratios.push_back(double(ta) / double(tb));
    a_ns.push_back(double(ta) * ns_per_tick / kPerRound);
    b_ns.push_back(double(tb) * ns_per_tick / kPerRound);
  }
  return {median(a_ns), median(b_ns), median(ratios)};
}

struct Shape {
  const char* name;
  int areas;
  const char* file;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 31;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double ns_per_tick = 1e9 / double(frequency.QuadPart);
  std::printf("counter frequency %lld Hz, %d rounds of %d\n", frequency.QuadPart, rounds,
              kPerRound);
  const Shape shapes[] = {{"16 areas in rotation", 16, __FILE__},
                          {"one area in a hot loop", 1, __FILE__},
                          {"16 areas, 100-byte file", 16, kLongFile}};
  for (const Shape& shape : shapes) {
    Selvorin::VYK_PAV timer(16, kAreas);
    time_pairs(timer, shape.areas, shape.file);  // warm up: the first marks keep their texts
    time_bare_reads();
    const SideBySide figure = side_by_side(
        rounds, ns_per_tick, [&] { return time_pairs(timer, shape.areas, shape.file); },
        time_bare_reads);
    std::printf(
        "%s: begin+end pair %.1f ns, two bare QueryPerformanceCounter calls %.1f ns, "
        "ratio (median of rounds) %.3f\n",
        shape.name, figure.a_ns, figure.b_ns, figure.ratio);
  }

  // Names as literals lie, 16 and 1,024 of them; each timer's first marks
  // before the rounds.
  const std::vector<std::string> many = many_area_names(1024);
  const LiteralNames literals(many);
  const std::vector<const char*> first_16(literals.pointers.begin(),
                                          literals.pointers.begin() + 16);
  const std::vector<const char*>& all_1024 = literals.pointers;
  Selvorin::VYK_PAV few(16, const_cast<const char**>(first_16.data()));
  Selvorin::VYK_PAV more(1024, const_cast<const char**>(all_1024.data()));
  time_random_pairs(few, first_16);
  time_random_pairs(more, all_1024);
  const SideBySide figure = side_by_side(
      rounds, ns_per_tick, [&] { return time_random_pairs(more, all_1024); },
      [&] { return time_random_pairs(few, first_16); });
  std::printf(
      "areas at random: begin+end pair among 1024 %.1f ns, among 16 %.1f ns, "
      "ratio (median of rounds) %.3f\n",
      figure.a_ns, figure.b_ns, figure.ratio);
  return 0;
}
