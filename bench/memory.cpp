// The heap a timer holds for N areas: right after construction, and after
// every area has been begun and ended once with this file's __FILE__ as the
// file text. Every operator new of the process is counted here; the figures
// are the differences around the timer. Prints bytes per area.
//
//   vykpav_memory [N]      (N defaults to 100000)
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "scratch_file.h"
#include "timer/timer.h"

namespace {

// Each block carries its requested size in front, so that operator delete
// knows what it gives back.
struct alignas(alignof(std::max_align_t)) BlockHeader {
  std::size_t size;
};

std::size_t g_live_bytes = 0;
std::size_t g_live_blocks = 0;
std::size_t g_live_chunk_bytes = 0;
std::size_t g_peak_bytes = 0;

// What glibc's malloc takes for a request on a 64-bit system: the request
// and its 8-byte size field rounded up to 16, at least 32.
std::size_t malloc_chunk(std::size_t n) {
  const std::size_t chunk = (n + 8 + 15) & ~std::size_t{15};
  return chunk < 32 ? 32 : chunk;
}

void* allocate(std::size_t n) {
  void* raw = std::malloc(sizeof(BlockHeader) + n);
  if (raw == nullptr) throw std::bad_alloc();
  static_cast<BlockHeader*>(raw)->size = n;
  g_live_bytes += n;
  g_live_chunk_bytes += malloc_chunk(n);
  ++g_live_blocks;
  if (g_live_bytes > g_peak_bytes) g_peak_bytes = g_live_bytes;
  return static_cast<BlockHeader*>(raw) + 1;
}

void release(void* p) noexcept {
  if (p == nullptr) return;
  BlockHeader* header = static_cast<BlockHeader*>(p) - 1;
  g_live_bytes -= header->size;
  g_live_chunk_bytes -= malloc_chunk(header->size);
  --g_live_blocks;
  std::free(header);
}

struct Usage {
  std::size_t bytes, blocks, chunk_bytes;
};
Usage usage() { return Usage{g_live_bytes, g_live_blocks, g_live_chunk_bytes}; }

void print(const char* what, const Usage& before, const Usage& after, std::size_t n,
           std::size_t name_bytes) {
  const double per_area = double(after.bytes - before.bytes) / double(n);
  std::printf(
      "%-34s %12zu bytes in %8zu blocks: %7.1f an area, %7.1f beyond the name; "
      "with malloc's own overhead %7.1f an area\n",
      what, after.bytes - before.bytes, after.blocks - before.blocks, per_area,
      per_area - double(name_bytes) / double(n),
      double(after.chunk_bytes - before.chunk_bytes) / double(n));
}

}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

int main(int argc, char** argv) {
  const std::uint32_t n = argc > 1 ? std::uint32_t(std::strtoul(argv[1], nullptr, 10)) : 100000;
  std::vector<std::string> names(n);
  std::size_t name_bytes = 0;  // each name with its zero byte
  for (std::uint32_t i = 0; i < n; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "area %07u", unsigned(i));
    names[i] = name;
    name_bytes += names[i].size() + 1;
  }
  std::vector<const char*> pointers(n);
  for (std::uint32_t i = 0; i < n; ++i) pointers[i] = names[i].c_str();

  std::printf("%u areas named \"area 0000000\" and on (12 bytes); file text \"%s\" (%zu bytes)\n",
              unsigned(n), __FILE__, std::strlen(__FILE__));
  std::printf("sizeof: Area %zu, VYS_BD %zu, std::string %zu\n", sizeof(vykpav::timer::Area),
              sizeof(vykpav::timer::VYS_BD), sizeof(std::string));

  const Usage start = usage();
  g_peak_bytes = g_live_bytes;
  auto timer = std::make_unique<vykpav::timer::Timer>(n, pointers.data(),
                                                      vykpav::platform::system_platform());
  const Usage built = usage();
  const std::size_t peak = g_peak_bytes - start.bytes;
  print("after construction", start, built, n, name_bytes);
  std::printf("%-34s %12zu bytes: %7.1f an area\n", "peak during construction", peak,
              double(peak) / double(n));

  for (const char* name : pointers) {
    timer->begin(name, __FILE__, __LINE__);
    timer->end(name, __FILE__, __LINE__);
  }
  const Usage marked = usage();
  print("after one begin and end per area", start, marked, n, name_bytes);

  // A report: what it takes at its peak beside the timer, and what the
  // library's shared text buffer keeps after it.
  const std::string file = scratch_file("vykpav-memory-report");
  g_peak_bytes = g_live_bytes;
  timer->report(file.c_str());
  std::remove(file.c_str());
  const std::size_t report_peak = g_peak_bytes - marked.bytes;
  std::printf("%-34s %12zu bytes: %7.1f an area\n", "peak during a report", report_peak,
              double(report_peak) / double(n));
  std::printf("%-34s %12zu bytes\n", "kept after it", usage().bytes - marked.bytes);
  return 0;
}
