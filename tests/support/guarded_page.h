// A page of memory followed by one that may not be read: a text placed so
// that its zero byte is the page's last byte ends exactly where reading must
// stop, and a read past it ends the test program.
#ifndef VYKPAV_TESTS_SUPPORT_GUARDED_PAGE_H
#define VYKPAV_TESTS_SUPPORT_GUARDED_PAGE_H

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace testing_support {

class GuardedPage {
 public:
  GuardedPage() {
#if defined(_WIN32)
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    size_ = info.dwPageSize;
    base_ = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * size_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old_protection;
    guarded_ = base_ != nullptr &&
               VirtualProtect(base_ + size_, size_, PAGE_NOACCESS, &old_protection) != 0;
#else
    size_ = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* map =
        mmap(nullptr, 2 * size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = map == MAP_FAILED ? nullptr : static_cast<char*>(map);
    guarded_ = base_ != nullptr && mprotect(base_ + size_, size_, PROT_NONE) == 0;
#endif
    EXPECT_TRUE(guarded_) << "no guarded page";
  }
  ~GuardedPage() {
    if (base_ == nullptr) return;
#if defined(_WIN32)
    VirtualFree(base_, 0, MEM_RELEASE);
#else
    munmap(base_, 2 * size_);
#endif
  }
  GuardedPage(const GuardedPage&) = delete;
  GuardedPage& operator=(const GuardedPage&) = delete;

  bool usable() const noexcept { return guarded_; }

  // `text` copied to the end of the readable page, its zero byte last.
  const char* place_at_end(const std::string& text) {
    char* at = base_ + size_ - text.size() - 1;
    std::memcpy(at, text.c_str(), text.size() + 1);
    return at;
  }

 private:
  std::size_t size_ = 0;
  char* base_ = nullptr;
  bool guarded_ = false;
};

}  // namespace testing_support

#endif  // VYKPAV_TESTS_SUPPORT_GUARDED_PAGE_H
