// Large blocks are offered to the system for large pages, whole pages only;
// small ones are left as they are. Read back from the flags the kernel shows
// for each mapping of the process.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/large_pages.h"

namespace {

using vykpav::platform::LargePageAllocator;

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

// True when the mapping holding `address` is marked for large pages ("hg").
bool advised(const void* address) {
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream maps("/proc/self/smaps");
  std::string line;
  bool inside = false;
  while (std::getline(maps, line)) {
    std::uintptr_t begin = 0, end = 0;
    char dash = 0;
    std::istringstream range(line);
    if (range >> std::hex >> begin >> dash >> end && dash == '-') {
      inside = begin <= at && at < end;
    } else if (inside && line.rfind("VmFlags:", 0) == 0) {
      return (line + " ").find(" hg ") != std::string::npos;
    }
  }
  ADD_FAILURE() << "no mapping holds " << address;
  return false;
}

bool kernel_has_large_pages() {
  return std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled").good();
}

TEST(LargePages, ALargeBlockIsAdvisedOnItsWholePagesOnly) {
  if (!kernel_has_large_pages()) GTEST_SKIP() << "this kernel has no transparent large pages";
  const std::size_t size = 24 << 20;
  LargePageAllocator<char> allocator;
  char* block = allocator.allocate(size);
  const auto begin = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (begin + size) & ~(kLargePage - 1);
  EXPECT_TRUE(advised(block + (first - begin)));
  EXPECT_TRUE(advised(block + (last - begin) - 1));
  // Part pages at either end stay with the mapping around them.
  if (first != begin) {
    EXPECT_FALSE(advised(block));
  }
  if (last != begin + size) {
    EXPECT_FALSE(advised(block + size - 1));
  }
  allocator.deallocate(block, size);
}

TEST(LargePages, ASmallBlockIsLeftAlone) {
  if (!kernel_has_large_pages()) GTEST_SKIP() << "this kernel has no transparent large pages";
  LargePageAllocator<int> allocator;
  for (std::size_t count : {1u, 1000u, 500000u}) {
    int* block = allocator.allocate(count);
    EXPECT_FALSE(advised(block)) << count << " ints";
    allocator.deallocate(block, count);
  }
}

}  // namespace
