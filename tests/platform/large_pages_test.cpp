// Large blocks are offered to the system for large pages, whole pages only;
// small ones are left as they are. Read back from the flags the kernel shows
// for each mapping of the process, with the large page's size the kernel
// gives (2 MiB on x86-64, more on aarch64 with larger small pages).
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/mman.h>

#include "platform/large_pages.h"

namespace {

using vykpav::platform::LargePageAllocator;

// True when the mapping holding `address` is marked for large pages ("hg");
// false, and a failure unless `must_be_mapped` is false, when no mapping
// holds it.
bool advised(const void* address, bool must_be_mapped = true) {
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
  if (must_be_mapped) ADD_FAILURE() << "no mapping holds " << address;
  return false;
}

// The kernel's large page, or 0 when it has none.
std::uintptr_t kernel_large_page() {
  std::uintptr_t bytes = 0;
  std::ifstream("/sys/kernel/mm/transparent_hugepage/hpage_pmd_size") >> bytes;
  return bytes;
}

// Whether the advice shows in the mappings' flags at all: not under an
// emulator such as qemu-user, which takes the advice and passes it on to
// nobody.
bool advice_shows(std::uintptr_t large_page) {
  const std::size_t size = 3 * large_page;
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return false;
  const auto begin = reinterpret_cast<std::uintptr_t>(block);
  char* first =
      static_cast<char*>(block) + (((begin + large_page - 1) & ~(large_page - 1)) - begin);
  const bool shows = madvise(first, large_page, MADV_HUGEPAGE) == 0 && advised(first, false);
  munmap(block, size);
  return shows;
}

// The large page where the advice can be seen, or 0 (and the test skips).
std::uintptr_t seen_large_page() {
  const std::uintptr_t large_page = kernel_large_page();
  return large_page != 0 && advice_shows(large_page) ? large_page : 0;
}

TEST(LargePages, ALargeBlockIsAdvisedOnItsWholePagesOnly) {
  const std::uintptr_t kLargePage = seen_large_page();
  if (kLargePage == 0) GTEST_SKIP() << "no transparent large pages whose advice shows here";
  const std::size_t size = 5 * kLargePage;
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
  if (seen_large_page() == 0) GTEST_SKIP() << "no transparent large pages whose advice shows here";
  LargePageAllocator<int> allocator;
  for (std::size_t count : {1u, 1000u, 500000u}) {
    int* block = allocator.allocate(count);
    EXPECT_FALSE(advised(block)) << count << " ints";
    allocator.deallocate(block, count);
  }
}

}  // namespace
