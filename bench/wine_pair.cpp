// The Windows build's figure: a begin+end pair of the DLL against two bare
// QueryPerformanceCounter calls, the counter the DLL reads. Runs rounds that
// time both side by side, in alternating order, and prints the median of the
// per-round ratios. Not a test: nothing here passes or fails.
//
//   cmake/wine-run.sh "$PWD/build/mingw/wineprefix" build/mingw/bin/vykpav_wine_pair.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <selvorin/vyk_pav.h>

#include "mark_areas.h"

namespace {

constexpr int kPerRound = 100000;

long long now() { return static_cast<long long>(clock_ticks()); }

long long time_pairs(Selvorin::VYK_PAV& timer) {
  const long long start = now();
  for (int i = 0; i < kPerRound; ++i) {
    const char* area = kAreas[i & 15];
    timer._nachalo(area, __FILE__, __LINE__);
    timer._konec(area, __FILE__, __LINE__);
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

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 31;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  Selvorin::VYK_PAV timer(16, kAreas);
  time_pairs(timer);  // warm up: the areas' first marks allocate their texts
  time_bare_reads();
  std::vector<double> ratios, pair_ns, bare_ns;
  for (int r = 0; r < rounds; ++r) {
    long long pairs, bare;
    if (r % 2 == 0) {
      pairs = time_pairs(timer);
      bare = time_bare_reads();
    } else {
      bare = time_bare_reads();
      pairs = time_pairs(timer);
    }
    const double ns_per_tick = 1e9 / double(frequency.QuadPart);
    ratios.push_back(double(pairs) / double(bare));
    pair_ns.push_back(double(pairs) * ns_per_tick / kPerRound);
    bare_ns.push_back(double(bare) * ns_per_tick / kPerRound);
  }
  std::printf("counter frequency %lld Hz, %d rounds of %d\n", frequency.QuadPart, rounds,
              kPerRound);
  std::printf("begin+end pair: median %.1f ns\n", median(pair_ns));
  std::printf("two bare QueryPerformanceCounter calls: median %.1f ns\n", median(bare_ns));
  std::printf("ratio (median of rounds): %.3f\n", median(ratios));
  return 0;
}
