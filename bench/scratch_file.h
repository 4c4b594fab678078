// Where the report benchmarks write their files: a directory in memory when
// the system has one. They write hundreds of megabytes again and again; on a
// disk the system's writeback of the earlier reports throttles the later
// ones after a while, and the figures then measure the disk, not the report.
#ifndef VYKPAV_BENCH_SCRATCH_FILE_H
#define VYKPAV_BENCH_SCRATCH_FILE_H

#include <unistd.h>

#include <string>

inline std::string scratch_file(const char* stem) {
  const char* directory = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(directory) + "/" + stem + "-" + std::to_string(getpid()) + ".txt";
}

#endif  // VYKPAV_BENCH_SCRATCH_FILE_H
