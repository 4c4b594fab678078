// The area table's lookups, in a table of a few areas (which remembers the
// addresses names came from) and in one of many (which goes by the bytes
// alone): names whose addresses share a slot of the remembered lookups,
// names from more addresses than it remembers, names changed in place, and
// names that end where the caller's memory ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/guarded_page.h"
#include "timer/address_slot.h"
#include "timer/area_table.h"
#include "timer/timer.h"

namespace {

using testing_support::FakePlatform;
using vykpav::timer::address_slot;
using vykpav::timer::AreaTable;
using vykpav::timer::Timer;
using vykpav::timer::VYS_BD;

const char* const kNames[] = {"parse", "lex tokens", "resolve names", "type check", "lower"};
constexpr int kCount = 5;

// The five names alone, and with as many more as make the table too large to
// remember addresses.
struct TableSize {
  const char* what;
  int more;
};
constexpr TableSize kSizes[] = {{"a few areas", 0}, {"many areas", 5000}};

// Owns the names of a table of the five and `more` others.
struct Names {
  explicit Names(int more) {
    for (const char* name : kNames) texts.push_back(name);
    for (int i = 0; i < more; ++i) texts.push_back("more " + std::to_string(i));
    for (const std::string& text : texts) pointers.push_back(text.c_str());
  }
  std::uint32_t count() const { return static_cast<std::uint32_t>(pointers.size()); }
  std::vector<std::string> texts;
  std::vector<const char*> pointers;
};

const VYS_BD* record_of(const AreaTable& table, const char* name) {
  for (const auto& area : table.areas())
    if (area.name == name) return &area.record;
  return nullptr;
}

// Offsets into a buffer of `size` bytes, 16 apart, whose addresses all take
// the same slot at `bits` bits of the address hash, and so at fewer bits too.
std::vector<std::size_t> offsets_sharing_a_slot(const char* buffer, std::size_t size,
                                                std::size_t wanted) {
  constexpr int kBits = 12;  // more than any table uses: a shared slot at any size
  std::vector<std::vector<std::size_t>> by_slot(std::size_t{1} << kBits);
  for (std::size_t offset = 0; offset + 16 <= size; offset += 16) {
    std::vector<std::size_t>& same = by_slot[address_slot<kBits>(buffer + offset)];
    same.push_back(offset);
    if (same.size() == wanted) return same;
  }
  return {};
}

// The records of the five, found by walking the table.
struct FiveRecords {
  explicit FiveRecords(const AreaTable& table) {
    for (int i = 0; i < kCount; ++i) of[i] = record_of(table, kNames[i]);
  }
  const VYS_BD* of[kCount];
};

void names_sharing_a_slot_are_each_found(AreaTable& table) {
  const FiveRecords records(table);
  std::vector<char> buffer(1 << 20);
  const std::vector<std::size_t> offsets = offsets_sharing_a_slot(buffer.data(), buffer.size(), 4);
  ASSERT_EQ(offsets.size(), 4u);
  std::vector<char*> names;
  for (int i = 0; i < 4; ++i) {
    names.push_back(buffer.data() + offsets[i]);
    std::strcpy(names.back(), kNames[i]);
  }
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(kNames[i]);
      EXPECT_EQ(table.find(names[i]), records.of[i]);
    }
  }
  // A name that moved away from its slot, changed in place: the bytes
  // decide, not the address.
  std::strcpy(names[3], kNames[4]);
  EXPECT_EQ(table.find(names[3]), records.of[4]);
  std::strcpy(names[2], "not an area");
  EXPECT_EQ(table.find(names[2]), nullptr);
  std::strcpy(names[2], kNames[0]);
  EXPECT_EQ(table.find(names[2]), records.of[0]);
  EXPECT_EQ(table.find(names[0]), records.of[0]);
}

void names_from_many_addresses_are_each_found(AreaTable& table) {
  const FiveRecords records(table);
  // Every name at many addresses, far more than the lookups remembered.
  std::vector<std::string> copies;
  for (int copy = 0; copy < 200; ++copy)
    for (const char* name : kNames) copies.push_back(name);
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < copies.size(); ++i) {
      SCOPED_TRACE(copies[i]);
      ASSERT_EQ(table.find(copies[i].c_str()), records.of[i % kCount]);
      ASSERT_EQ(table.find(kNames[i % kCount]), records.of[i % kCount]);
    }
  }
  EXPECT_EQ(table.find("lex"), nullptr) << "a prefix of a name";
  EXPECT_EQ(table.find("lex tokens!"), nullptr) << "an extension of a name";
}

TEST(AreaTable, NamesWhoseAddressesShareASlotAreEachFound) {
  for (const TableSize& size : kSizes) {
    SCOPED_TRACE(size.what);
    const Names all(size.more);
    AreaTable table(all.count(), all.pointers.data());
    names_sharing_a_slot_are_each_found(table);
  }
}

TEST(AreaTable, NamesFromMoreAddressesThanItRemembersAreEachFound) {
  for (const TableSize& size : kSizes) {
    SCOPED_TRACE(size.what);
    const Names all(size.more);
    AreaTable table(all.count(), all.pointers.data());
    names_from_many_addresses_are_each_found(table);
  }
}

// Names, and a file text, whose zero byte is the last byte the caller's
// memory holds: found, or not, without a read past it.
TEST(AreaTable, ATextEndingWhereMemoryEndsIsReadNoFurther) {
  testing_support::GuardedPage page;
  if (!page.usable()) return;
  for (const TableSize& size : kSizes) {
    SCOPED_TRACE(size.what);
    Names all(size.more);
    for (std::size_t length = 0; length <= 40; ++length)
      all.texts.push_back(std::string(length, 'g'));
    all.pointers.clear();
    for (const std::string& text : all.texts) all.pointers.push_back(text.c_str());
    AreaTable table(all.count(), all.pointers.data());
    FakePlatform fake;
    Timer timer(all.count(), all.pointers.data(), fake);
    for (std::size_t length = 0; length <= 40; ++length) {
      SCOPED_TRACE(length);
      const std::string name(length, 'g');
      for (int round = 0; round < 2; ++round)  // the second one remembered, in a few areas
        EXPECT_EQ(table.find(page.place_at_end(name)), record_of(table, name.c_str()));
      EXPECT_EQ(table.find(page.place_at_end(name + 'h')), nullptr) << "an extension";
      const int reads = fake.counter_reads;
      timer.begin(page.place_at_end(name), "f.cpp", 1);
      timer.end(all.pointers[0], page.place_at_end(std::string(length, 'f')), 2);
      EXPECT_EQ(fake.counter_reads, reads + 2);
      EXPECT_EQ(record_of(*timer.area_table(), kNames[0])->end_file, std::string(length, 'f'));
    }
  }
}

}  // namespace
