// Marks allocate nothing once each area has had its first begin and its
// first end and the timer has seen each file text once: a record points to
// the one copy its timer keeps of a text, and a name is looked up without
// building a string. Every operator new of this test program is counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "selvorin/vyk_pav.h"
#include "support/fake_platform.h"
#include "support/timer_table.h"
#include "timer/timer.h"

namespace {
// Read and written on the test's one thread only.
std::size_t g_allocations = 0;
bool g_fail_allocations = false;

void* counted_allocation(std::size_t size) {
  ++g_allocations;
  if (g_fail_allocations) throw std::bad_alloc();
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return counted_allocation(size); }
void* operator new[](std::size_t size) { return counted_allocation(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

using testing_support::area_record;
using testing_support::FakePlatform;
using vykpav::timer::FileTextHandle;
using vykpav::timer::KeptFileTexts;
using vykpav::timer::TextArena;
using vykpav::timer::Timer;
using vykpav::timer::VYS_BD;

// Sixteen names of up to 15 bytes, and one too long to live inside its
// string, as a host might pass them.
// clang-format off
const char* const kNames[17] = {
    "parse",           "lex tokens",     "resolve names", "type check",
    "lower",           "optimise loops", "inline calls",  "allocate regs",
    "schedule",        "emit code",      "link objects",  "write output",
    "hash table load", "sort results",   "compress",      "checksum blocks",
    "an area name long enough to need storage of its own"};
// clang-format on

// File texts as a host's __FILE__ gives them.
const char kLongFile[] = "/home/someone/projects/host/src/some_module/worker.cpp";
const char kShorterFile[] = "/home/someone/projects/host/main.cpp";

TEST(MarkAllocation, OnlyAFileTextNotSeenBeforeIsKept) {
  // Also shows that this program's counting sees the library's allocations.
  FakePlatform fake;
  Timer timer(17, kNames, fake);
  const std::string huge_file(64 * 1024, 'f');
  const std::size_t before = g_allocations;
  timer.begin(kNames[0], huge_file.c_str(), 1);
  const std::size_t after_begin = g_allocations;
  timer.end(kNames[1], huge_file.c_str(), 2);
  EXPECT_GT(after_begin, before) << "a new text is copied, in a block of its own";
  EXPECT_EQ(g_allocations, after_begin) << "another area marked from the same file";
  EXPECT_EQ(area_record(timer, kNames[1]).end_file, huge_file);
}

TEST(MarkAllocation, LaterMarksAllocateNothing) {
  FakePlatform fake;
  Timer timer(17, kNames, fake);
  for (const char* name : kNames) {
    timer.begin(name, kLongFile, 1);
    timer.end(name, kLongFile, 2);
  }
  timer.begin(kNames[0], kShorterFile, 3);
  timer.end(kNames[0], "", 4);

  // The same names and file text at other addresses: each lookup misses the
  // cache of recent addresses and searches the table.
  char name_copy[64];
  char file_copy[sizeof kLongFile];
  std::memcpy(file_copy, kLongFile, sizeof kLongFile);

  const std::size_t before = g_allocations;
  for (int round = 0; round < 100; ++round) {
    for (const char* name : kNames) {
      timer.begin(name, kLongFile, 10);
      timer.end(name, kLongFile, 11);
    }
  }
  for (const char* name : kNames) {
    std::strcpy(name_copy, name);
    timer.begin(name_copy, file_copy, 20);
    timer.end(name_copy, file_copy, 21);
  }
  // Texts the timer has seen, for other areas.
  for (const char* name : kNames) {
    timer.begin(name, kShorterFile, 30);
    timer.end(name, "", 31);
  }
  // Marks that apply to no area.
  timer.begin("not an area", kLongFile, 40);
  timer.end(nullptr, kLongFile, 41);
  timer.begin(kNames[0], nullptr, 42);
  const std::size_t after = g_allocations;

  EXPECT_EQ(after - before, 0u);
  // The marks did their work.
  for (const char* name : kNames) {
    SCOPED_TRACE(name);
    EXPECT_EQ(area_record(timer, name).start_file, kShorterFile);
    EXPECT_EQ(area_record(timer, name).start_line, 30);
    EXPECT_EQ(area_record(timer, name).end_file, "");
    EXPECT_EQ(area_record(timer, name).end_line, 31);
  }
  EXPECT_EQ(fake.counter_reads, 2 * 17 * (1 + 100 + 1 + 1) + 2);
}

// A table too large to remember addresses: its lookups go by the bytes alone.
TEST(MarkAllocation, InATableOfManyAreasLaterMarksAllocateNothing) {
  FakePlatform fake;
  constexpr std::uint32_t kCount = 5000;
  Timer timer(kCount, nullptr, fake);
  std::vector<std::string> names;
  for (std::uint32_t i = 0; i < kCount; ++i) names.push_back(std::to_string(i));
  for (const std::string& name : names) {
    timer.begin(name.c_str(), kLongFile, 1);
    timer.end(name.c_str(), kLongFile, 2);
  }
  timer.end(names[0].c_str(), kShorterFile, 2);  // a text seen once
  char name_copy[16];
  const std::size_t before = g_allocations;
  for (const std::string& name : names) {
    std::strcpy(name_copy, name.c_str());
    timer.begin(name_copy, kLongFile, 3);
    timer.end(name.c_str(), kShorterFile, 4);
  }
  timer.begin("5000", kLongFile, 5);
  EXPECT_EQ(g_allocations - before, 0u);
  EXPECT_EQ(fake.counter_reads, 4 * static_cast<int>(kCount) + 1);
  EXPECT_EQ(area_record(timer, "4999").start_line, 3);
  EXPECT_EQ(area_record(timer, "4999").end_file, kShorterFile);
}

TEST(MarkAllocation, ThroughTheExportedClassLaterMarksAllocateNothing) {
  FakePlatform fake;
  vykpav::platform::ScopedPlatformOverride use_fake(fake);
  Selvorin::VYK_PAV timer(17, const_cast<const char**>(kNames));
  for (const char* name : kNames) {
    timer._nachalo(name, kLongFile, 1);
    timer._konec(name, kShorterFile, 2);
  }
  const std::size_t before = g_allocations;
  for (int round = 0; round < 100; ++round) {
    for (const char* name : kNames) {
      timer._nachalo(name, kLongFile, 3);
      timer._konec(name, kShorterFile, 4);
    }
  }
  const std::size_t after = g_allocations;
  EXPECT_EQ(after - before, 0u);
  EXPECT_EQ(fake.counter_reads, 2 * 17 * 101);
}

// Exhausted memory propagates to the host; the record it struck keeps its
// last text and room, and the records around it keep theirs.
TEST(MarkAllocation, AFailedAllocationLeavesTheRecordAsItWas) {
  TextArena arena;
  KeptFileTexts keeps_none(arena, 0, 0);  // every record copies into room of its own
  FileTextHandle struck, neighbour;
  struck.assign("a.cpp", keeps_none);
  neighbour.assign("neighbour.cpp", keeps_none);
  const std::string longer(64 * 1024, 'x');  // more than the arena has left
  g_fail_allocations = true;
  EXPECT_THROW(struck.assign(longer.c_str(), keeps_none), std::bad_alloc);
  g_fail_allocations = false;
  EXPECT_EQ(struck, "a.cpp");
  struck.assign("b.cpp ten", keeps_none);  // longer than the room it kept
  EXPECT_EQ(struck, "b.cpp ten");
  EXPECT_EQ(neighbour, "neighbour.cpp");
}

// A mark that runs out of memory copying a file text the timer has not kept
// yet propagates the failure and leaves its area exactly as it was: the end
// mark's reading, taken first, is not stored either.
TEST(MarkAllocation, AMarkThatRunsOutOfMemoryChangesNothing) {
  FakePlatform fake;
  Timer timer(17, kNames, fake);
  timer.begin(kNames[0], kShorterFile, 1);
  fake.now = 2000;
  timer.end(kNames[0], kShorterFile, 2);
  fake.now = 3000;
  struct Row {
    const char* what;
    void (Timer::*mark)(const char*, const char*, int);
  };
  for (const Row& row : {Row{"begin", &Timer::begin}, Row{"end", &Timer::end}}) {
    SCOPED_TRACE(row.what);
    const int reads_before = fake.counter_reads;
    g_fail_allocations = true;
    EXPECT_THROW((timer.*row.mark)(kNames[0], kLongFile, 99), std::bad_alloc);
    g_fail_allocations = false;
    EXPECT_LE(fake.counter_reads - reads_before, 1);
    const VYS_BD& record = area_record(timer, kNames[0]);
    EXPECT_EQ(record.start_ticks, 1000u);
    EXPECT_EQ(record.start_file, kShorterFile);
    EXPECT_EQ(record.start_line, 1);
    EXPECT_EQ(record.end_ticks, 2000u);
    EXPECT_EQ(record.end_file, kShorterFile);
    EXPECT_EQ(record.end_line, 2);
  }
}

}  // namespace
