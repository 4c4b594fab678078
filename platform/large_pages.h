// Large pages, where the system offers them: a block of memory backed by a
// few large pages instead of many small ones, so that reads spread over it
// take fewer misses of the address translation cache. Where the system has
// no large pages, the block is an ordinary one.
#ifndef VYKPAV_PLATFORM_LARGE_PAGES_H
#define VYKPAV_PLATFORM_LARGE_PAGES_H

#include <cstddef>
#include <memory>

namespace vykpav::platform {

// Asks the system to back the whole large pages of [data, data + bytes) with
// large pages. A hint: where the system has none to give, or the block is
// smaller than a few of them, nothing changes.
void advise_large_pages(void* data, std::size_t bytes) noexcept;

// The standard allocator, with that advice for each block it hands out.
template <class T>
struct LargePageAllocator {
  using value_type = T;

  LargePageAllocator() = default;
  template <class U>
  LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    T* data = std::allocator<T>().allocate(count);
    advise_large_pages(data, count * sizeof(T));
    return data;
  }
  void deallocate(T* data, std::size_t count) noexcept {
    std::allocator<T>().deallocate(data, count);
  }

  template <class U>
  bool operator==(const LargePageAllocator<U>&) const noexcept {
    return true;
  }
  template <class U>
  bool operator!=(const LargePageAllocator<U>&) const noexcept {
    return false;
  }
};

}  // namespace vykpav::platform

#endif  // VYKPAV_PLATFORM_LARGE_PAGES_H
