#include "platform/large_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vykpav::platform {

#if defined(__linux__) && defined(MADV_HUGEPAGE)
namespace {
// x86-64's large page. A block must be twice that to be sure to hold a
// whole one wherever it starts.
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
constexpr std::size_t kSmallestAdvised = 2 * kLargePage;
}  // namespace
#endif

void advise_large_pages(void* data, std::size_t bytes) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (bytes < kSmallestAdvised) return;
  // Only pages wholly inside the block: the memory around it is not ours.
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
  if (last > first)
    (void)madvise(static_cast<char*>(data) + (first - begin), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace vykpav::platform
