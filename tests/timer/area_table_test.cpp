// The area table's lookups by the address of the caller's name: names whose
// addresses share a slot of the remembered lookups, names from more
// addresses than it remembers, and names changed in place.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "timer/address_slot.h"
#include "timer/area_table.h"

namespace {

using vykpav::timer::address_slot;
using vykpav::timer::AreaTable;
using vykpav::timer::VYS_BD;

const char* const kNames[] = {"parse", "lex tokens", "resolve names", "type check", "lower"};
constexpr int kCount = 5;

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

TEST(AreaTable, NamesWhoseAddressesShareASlotAreEachFound) {
  AreaTable table(kCount, kNames);
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
      EXPECT_EQ(table.find(names[i]), record_of(table, kNames[i]));
    }
  }
  // A name that moved away from its slot, changed in place: the bytes
  // decide, not the address.
  std::strcpy(names[3], kNames[4]);
  EXPECT_EQ(table.find(names[3]), record_of(table, kNames[4]));
  std::strcpy(names[2], "not an area");
  EXPECT_EQ(table.find(names[2]), nullptr);
  std::strcpy(names[2], kNames[0]);
  EXPECT_EQ(table.find(names[2]), record_of(table, kNames[0]));
  EXPECT_EQ(table.find(names[0]), record_of(table, kNames[0]));
}

TEST(AreaTable, NamesFromMoreAddressesThanItRemembersAreEachFound) {
  AreaTable table(kCount, kNames);
  // Every name at many addresses, far more than the lookups remembered.
  std::vector<std::string> copies;
  for (int copy = 0; copy < 200; ++copy)
    for (const char* name : kNames) copies.push_back(name);
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < copies.size(); ++i) {
      SCOPED_TRACE(copies[i]);
      ASSERT_EQ(table.find(copies[i].c_str()), record_of(table, copies[i].c_str()));
      ASSERT_EQ(table.find(kNames[i % kCount]), record_of(table, kNames[i % kCount]));
    }
  }
  EXPECT_EQ(table.find("lex"), nullptr) << "a prefix of a name";
  EXPECT_EQ(table.find("lex tokens!"), nullptr) << "an extension of a name";
}

}  // namespace
