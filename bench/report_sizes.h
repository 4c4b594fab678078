// The timer sizes every report benchmark runs at, 10^3 to 10^6 areas, in
// milliseconds of wall time: a report's file counts, and the time lost to
// writing it is the report's.
#ifndef VYKPAV_BENCH_REPORT_SIZES_H
#define VYKPAV_BENCH_REPORT_SIZES_H

#include <benchmark/benchmark.h>

inline void report_sizes(benchmark::internal::Benchmark* sizes) {
  sizes->Arg(1000)
      ->Arg(10000)
      ->Arg(100000)
      ->Arg(1000000)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

#endif  // VYKPAV_BENCH_REPORT_SIZES_H
