// What a begin+end pair costs as a host's area count grows, against the
// floor any timer must pay: the same walk over the same areas with two bare
// readings of the clock the library reads, stored into a slot of the area's
// own. The areas are taken at random or in turn; their names come as
// literals (fixed addresses) or as std::string copies made for each mark,
// whose addresses change from mark to mark (and whose bytes change at each
// address). The floor makes the same copies: they are the host's work.
//
// Also the building of a timer of 10^6 areas, per area.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <selvorin/vyk_pav.h>

#include "mark_areas.h"

namespace {

enum class Walk { kRandom, kInTurn };
enum class Names { kLiteral, kCopied };

// The next area of a walk over `count` areas (a power of two). At random:
// xorshift64, cheap enough to leave the floor a floor, and no table of its
// own to fill the caches.
template <Walk walk>
struct Walker {
  explicit Walker(std::uint32_t count) : mask(count - 1) {}
  std::uint32_t next() noexcept {
    if constexpr (walk == Walk::kInTurn) {
      at = (at + 1) & mask;
    } else {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      at = static_cast<std::uint32_t>(state >> 32) & mask;
    }
    return at;
  }
  std::uint32_t mask;
  std::uint32_t at = 0;
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
};

// A host's N areas and the two ways it passes their names.
class Host {
 public:
  explicit Host(std::uint32_t count)
      : names_(many_area_names(count)), literals_(names_), copies_(kCopies) {
    for (std::string& copy : copies_)
      copy.reserve(64);  // on the heap, each at an address of its own
  }

  const std::vector<const char*>& literals() const { return literals_.pointers; }

  // The area's name for the next mark.
  template <Names names>
  const char* name(std::uint32_t area) {
    if constexpr (names == Names::kLiteral) {
      return literals_.pointers[area];
    } else {
      std::string& copy = copies_[next_copy_++ % kCopies];
      copy.assign(names_[area]);
      return copy.c_str();
    }
  }

 private:
  static constexpr unsigned kCopies = 8;
  std::vector<std::string> names_;
  LiteralNames literals_;
  std::vector<std::string> copies_;
  unsigned next_copy_ = 0;
};

// Kept for the whole run: the largest take a while to make.
Host& host(std::uint32_t count) {
  static std::map<std::uint32_t, std::unique_ptr<Host>> hosts;
  std::unique_ptr<Host>& made = hosts[count];
  if (!made) made = std::make_unique<Host>(count);
  return *made;
}

template <Walk walk, Names names>
void mark_pairs(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Host& areas = host(count);
  Selvorin::VYK_PAV timer(count, const_cast<const char**>(areas.literals().data()));
  // Every area's first marks, which keep the file text, before the timing.
  for (std::uint32_t k = 0; k < count; ++k) {
    timer._nachalo(areas.name<names>(k), __FILE__, __LINE__);
    timer._konec(areas.name<names>(k), __FILE__, __LINE__);
  }
  Walker<walk> walker(count);
  for (auto _ : state) {
    const std::uint32_t k = walker.next();
    timer._nachalo(areas.name<names>(k), __FILE__, __LINE__);
    timer._konec(areas.name<names>(k), __FILE__, __LINE__);
  }
}

struct Readings {
  std::uint64_t start;
  std::uint64_t end;
};

template <Walk walk, Names names>
void floor_readings(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Host& areas = host(count);
  std::vector<Readings> slots(count, Readings{0, 0});
  Walker<walk> walker(count);
  for (auto _ : state) {
    const std::uint32_t k = walker.next();
    benchmark::DoNotOptimize(areas.name<names>(k));
    slots[k].start = clock_ticks();
    benchmark::DoNotOptimize(areas.name<names>(k));
    slots[k].end = clock_ticks();
  }
  benchmark::DoNotOptimize(slots.data());
}

void area_counts(benchmark::internal::Benchmark* counts) {
  counts->Arg(16)->Arg(128)->Arg(1024)->Arg(16384)->Arg(65536);
}

// And 2^20 areas, in one shape, for what the caches and the address
// translation do with a table of that size.
BENCHMARK(mark_pairs<Walk::kRandom, Names::kLiteral>)
    ->Name("Areas/pair/random/literal")
    ->Apply(area_counts)
    ->Arg(1 << 20);
BENCHMARK(floor_readings<Walk::kRandom, Names::kLiteral>)
    ->Name("Areas/floor/random/literal")
    ->Apply(area_counts)
    ->Arg(1 << 20);
BENCHMARK(mark_pairs<Walk::kRandom, Names::kCopied>)
    ->Name("Areas/pair/random/copied")
    ->Apply(area_counts);
BENCHMARK(floor_readings<Walk::kRandom, Names::kCopied>)
    ->Name("Areas/floor/random/copied")
    ->Apply(area_counts);
BENCHMARK(mark_pairs<Walk::kInTurn, Names::kLiteral>)
    ->Name("Areas/pair/in_turn/literal")
    ->Apply(area_counts);
BENCHMARK(floor_readings<Walk::kInTurn, Names::kLiteral>)
    ->Name("Areas/floor/in_turn/literal")
    ->Apply(area_counts);
BENCHMARK(mark_pairs<Walk::kInTurn, Names::kCopied>)
    ->Name("Areas/pair/in_turn/copied")
    ->Apply(area_counts);
BENCHMARK(floor_readings<Walk::kInTurn, Names::kCopied>)
    ->Name("Areas/floor/in_turn/copied")
    ->Apply(area_counts);

// Marks whose names are in no area, among 16 or 65,536 areas: each is
// ignored, at a cost that does not grow with the table.
void BM_UnknownNames(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Host& areas = host(count);
  Selvorin::VYK_PAV timer(count, const_cast<const char**>(areas.literals().data()));
  std::vector<std::string> unknown;
  for (const char* name : kAreas) unknown.push_back(std::string(name) + " (no area)");
  Walker<Walk::kRandom> walker(16);
  for (auto _ : state) {
    const char* area = unknown[walker.next()].c_str();
    timer._nachalo(area, __FILE__, __LINE__);
    timer._konec(area, __FILE__, __LINE__);
  }
}
BENCHMARK(BM_UnknownNames)->Name("Areas/unknown_names")->Arg(16)->Arg(65536);

// Building a timer of N areas from a host's list of names (not in byte
// order), per area; the timer is destroyed outside the timing.
void BM_Build(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  Host& areas = host(count);
  for (auto _ : state) {
    auto timer = std::make_unique<Selvorin::VYK_PAV>(
        count, const_cast<const char**>(areas.literals().data()));
    state.PauseTiming();
    timer.reset();
    state.ResumeTiming();
  }
  state.counters["per_area"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_Build)
    ->Name("Areas/build")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
