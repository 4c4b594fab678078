// Reading is streamed: the heap the reader and the run table take while
// reading a file of many appended reports stays far below the file's size.
// Every operator new of this program is counted.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <new>
#include <string>

#include "support/host_runs.h"
#include "tools/report/run_table.h"

namespace {

// Bytes held now and at most, by the allocator's own size of each block (a
// block's own pointer is handed out, so memory checkers see it whole).
std::size_t held = 0, peak = 0;

std::size_t block_size(void* block) noexcept {
#ifdef _WIN32
  return _msize(block);
#else
  return malloc_usable_size(block);
#endif
}

void* take(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  held += block_size(block);
  if (held > peak) peak = held;
  return block;
}

void give(void* p) noexcept {
  if (p == nullptr) return;
  held -= block_size(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return take(size); }
void* operator new[](std::size_t size) { return take(size); }
void operator delete(void* p) noexcept { give(p); }
void operator delete[](void* p) noexcept { give(p); }
void operator delete(void* p, std::size_t) noexcept { give(p); }
void operator delete[](void* p, std::size_t) noexcept { give(p); }

namespace {

TEST(ReaderMemory, StaysFarBelowTheFileSize) {
  const std::string path = testing::TempDir() + "vykpav_report_memory.txt";
  std::remove(path.c_str());
  report_testing::HostRun run;
  for (unsigned i = 0; i < 300; ++i) run.areas.push_back({"area " + std::to_string(i), 7u * i});
  for (int report = 0; report < 60; ++report) report_testing::append_report(path, run);
  const std::size_t file_size = report_testing::file_text(path).size();
  ASSERT_GT(file_size, 5u << 20);

  const std::size_t before = held;
  peak = held;
  std::size_t reports = 0, values = 0;
  {
    vykpav::report::RunTable table;
    reports = vykpav::report::read_report_file(path, table).reports;
    table.group();
    for (std::size_t k = 0; k < table.areas(); ++k) values += table.runs(k).count;
  }
  const std::size_t used = peak - before;
  std::remove(path.c_str());
  EXPECT_EQ(reports, 60u);
  EXPECT_EQ(values, 60u * 300u);
  // The window of input (a few hundred KiB) and 16 bytes a value.
  EXPECT_LT(used, 2u << 20) << "a file of " << file_size << " bytes";
  EXPECT_LT(used, file_size / 3);
}

}  // namespace
