#include "platform/large_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vykpav::platform {

#if defined(__linux__) && defined(MADV_HUGEPAGE)
namespace {
// The large page is what one entry of the page table's middle level maps:
// as many small pages as a small page holds 8-byte entries. 2 MiB on
// x86-64 and on aarch64 with 4 KiB pages; 32 MiB with aarch64's 16 KiB
// pages, 512 MiB with its 64 KiB ones.
std::uintptr_t large_page_bytes() noexcept {
  static const std::uintptr_t bytes = [] {
    const long small = sysconf(_SC_PAGESIZE);
    const std::uintptr_t page = small > 0 ? static_cast<std::uintptr_t>(small) : 4096;
    return page / 8 * page;
  }();
  return bytes;
}
}  // namespace
#endif

void advise_large_pages(void* data, std::size_t bytes) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // A block must be twice a large page to be sure to hold a whole one
  // wherever it starts.
  const std::uintptr_t large_page = large_page_bytes();
  if (bytes < 2 * large_page) return;
  // Only pages wholly inside the block: the memory around it is not ours.
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + large_page - 1) & ~(large_page - 1);
  const std::uintptr_t last = (begin + bytes) & ~(large_page - 1);
  if (last > first)
    (void)madvise(static_cast<char*>(data) + (first - begin), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace vykpav::platform
