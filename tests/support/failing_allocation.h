// A test program's own operator new: it counts every allocation and fails
// the one a case picks, as memory running out would. It defines the
// program's operator new and delete, so one source file of a program
// includes it, and no other.
#ifndef VYKPAV_TESTS_SUPPORT_FAILING_ALLOCATION_H
#define VYKPAV_TESTS_SUPPORT_FAILING_ALLOCATION_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace testing_support {

// Read and written on the test's one thread only.
inline std::size_t g_allocations = 0;  // made so far, failed ones included
inline std::size_t g_fail_at = SIZE_MAX;
inline std::size_t g_live_allocations = 0;  // blocks not released yet

// Fails the allocation `index` counted from now (0: the next one) while it
// lives; says afterwards whether that allocation was reached.
class FailingAllocation {
 public:
  explicit FailingAllocation(std::size_t index) { g_fail_at = g_allocations + index; }
  ~FailingAllocation() { g_fail_at = SIZE_MAX; }
  bool struck() const { return g_allocations > g_fail_at; }
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;
};

// Fails each allocation of `call` in turn: for index 0, 1, ... it runs
// `prepare()`, then `call()` with allocation `index` failing, then
// `check_failed(index)`, until a call reaches no failing allocation; that
// last call has had all its memory. Returns the number of calls that failed.
template <class Prepare, class Call, class CheckFailed>
std::size_t fail_each_allocation(Prepare prepare, Call call, CheckFailed check_failed) {
  for (std::size_t index = 0;; ++index) {
    prepare();
    bool struck = false;
    {
      FailingAllocation failing(index);
      call();
      struck = failing.struck();
    }
    if (!struck) return index;
    check_failed(index);
  }
}

inline void* counted_allocation(std::size_t size) {
  if (g_allocations++ == g_fail_at) throw std::bad_alloc();
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  ++g_live_allocations;
  return block;
}

inline void counted_release(void* block) noexcept {
  if (block == nullptr) return;
  --g_live_allocations;
  std::free(block);
}

}  // namespace testing_support

void* operator new(std::size_t size) { return testing_support::counted_allocation(size); }
void* operator new[](std::size_t size) { return testing_support::counted_allocation(size); }
void operator delete(void* block) noexcept { testing_support::counted_release(block); }
void operator delete[](void* block) noexcept { testing_support::counted_release(block); }
void operator delete(void* block, std::size_t) noexcept { testing_support::counted_release(block); }
void operator delete[](void* block, std::size_t) noexcept {
  testing_support::counted_release(block);
}

#endif  // VYKPAV_TESTS_SUPPORT_FAILING_ALLOCATION_H
