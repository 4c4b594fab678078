// The index of area names: a name is found at its place by its bytes alone,
// whatever its length; names that only share bytes with it (a prefix, an
// extension, one byte changed, the same first and last eight bytes) are not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "timer/name_index.h"
#include "timer/text_arena.h"

namespace {

using vykpav::timer::name_key;
using vykpav::timer::NameIndex;
using vykpav::timer::NameKey;
using vykpav::timer::TextArena;

// The key as its definition states it, byte by byte: up to 16 bytes, all of
// them from the lowest byte of head on, zero after; a longer name's first 8
// in head and last 8 in tail.
NameKey reference_key(const std::string& name) {
  NameKey key{0, 0};
  const auto put = [](std::uint64_t& word, int at, char c) {
    word |= std::uint64_t{static_cast<unsigned char>(c)} << (8 * at);
  };
  if (name.size() <= 16) {
    for (std::size_t i = 0; i < name.size(); ++i)
      put(i < 8 ? key.head : key.tail, static_cast<int>(i % 8), name[i]);
  } else {
    for (int i = 0; i < 8; ++i) {
      put(key.head, i, name[static_cast<std::size_t>(i)]);
      put(key.tail, i, name[name.size() - 8 + static_cast<std::size_t>(i)]);
    }
  }
  return key;
}

// An index of `names` at their places in the list, over copies of them kept
// as a table keeps its own.
struct IndexedNames {
  explicit IndexedNames(std::vector<std::string> list)
      : names(std::move(list)), index(names.size()) {
    for (std::size_t i = 0; i < names.size(); ++i)
      index.add(arena.copy(names[i]), static_cast<std::uint32_t>(i));
  }
  std::vector<std::string> names;
  TextArena arena;
  NameIndex index;
};

std::string bytes_1_to_255(std::mt19937& random, std::size_t length) {
  std::uniform_int_distribution<int> byte(1, 255);
  std::string text(length, ' ');
  for (char& c : text) c = static_cast<char>(byte(random));
  return text;
}

TEST(NameKey, HoldsTheBytesOfEveryLength) {
  std::mt19937 random(22);
  for (std::size_t length = 0; length <= 40; ++length) {
    for (int draw = 0; draw < 50; ++draw) {
      const std::string name = bytes_1_to_255(random, length);
      SCOPED_TRACE(testing::Message() << "length " << length << ", draw " << draw);
      const NameKey key = name_key(name.c_str(), name.size());
      const NameKey expected = reference_key(name);
      ASSERT_EQ(key.head, expected.head);
      ASSERT_EQ(key.tail, expected.tail);
    }
  }
}

// Sets of names that differ little, each name looked up through a copy at an
// address of its own, and the names beside each that are not in the set.
TEST(NameIndex, FindsEachNameByItsBytesAndNoNameBesideIt) {
  std::vector<std::string> every_length;
  for (std::size_t length = 0; length <= 40; ++length)
    every_length.push_back(std::string(length, 'n'));
  std::vector<std::string> same_ends;  // long names alike in their first and last 8 bytes
  for (char middle = 'a'; middle <= 'z'; ++middle)
    same_ends.push_back("first 8-" + std::string(9, middle) + "-last 8!");
  same_ends.push_back("first 8--last 8!");  // the two words alone, 16 bytes
  std::vector<std::string> numbered;
  for (int i = 0; i < 20000; ++i) numbered.push_back(std::to_string(i));
  const std::pair<const char*, std::vector<std::string>> sets[] = {
      {"every length, one byte repeated", every_length},
      {"long names with the same ends", same_ends},
      {"numbered", numbered},
      {"high bytes and case", {"\xE0", "\xE0\xFF", "\xFF\xE0", "Area", "area", "AREA", "a", ""}},
  };
  for (const auto& [what, names] : sets) {
    SCOPED_TRACE(what);
    const IndexedNames indexed(names);
    std::unordered_map<std::string, std::uint32_t> places;
    for (std::size_t i = 0; i < names.size(); ++i) places[names[i]] = static_cast<std::uint32_t>(i);
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string& name = names[i];
      SCOPED_TRACE(name);
      const std::string copy = name;
      ASSERT_EQ(indexed.index.find(copy.c_str()), i);
      std::vector<std::string> beside = {name + "x", name + std::string(1, '\xFF')};
      if (!name.empty()) beside.push_back(name.substr(0, name.size() - 1));
      for (std::size_t at = 0; at < name.size(); at += 7) {
        std::string changed = name;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        beside.push_back(changed);
      }
      for (const std::string& other : beside) {
        const auto found = places.find(other);
        ASSERT_EQ(indexed.index.find(other.c_str()),
                  found == places.end() ? NameIndex::kNone : found->second)
            << "beside it: " << other;
      }
    }
  }
}

// Tables of every small size, of names from a small alphabet (so that many
// share a beginning): names pushed past the last home slot are found too.
TEST(NameIndex, SmallTablesOfRandomNames) {
  std::mt19937 random(2022);
  std::uniform_int_distribution<std::size_t> length(0, 30);
  std::uniform_int_distribution<int> letter('a', 'c');
  for (std::size_t count = 0; count <= 64; ++count) {
    SCOPED_TRACE(count);
    std::vector<std::string> names;
    std::vector<std::string> others;
    while (names.size() < count || others.size() < count + 1) {
      std::string name(length(random), ' ');
      for (char& c : name) c = static_cast<char>(letter(random));
      const bool known = std::find(names.begin(), names.end(), name) != names.end() ||
                         std::find(others.begin(), others.end(), name) != others.end();
      if (known) continue;
      (names.size() < count ? names : others).push_back(name);
    }
    const IndexedNames indexed(names);
    for (std::size_t i = 0; i < names.size(); ++i)
      ASSERT_EQ(indexed.index.find(names[i].c_str()), i) << names[i];
    for (const std::string& other : others)
      ASSERT_EQ(indexed.index.find(other.c_str()), NameIndex::kNone) << other;
  }
}

TEST(NameIndex, AnEmptyIndexFindsNothing) {
  const NameIndex none;
  EXPECT_EQ(none.find(""), NameIndex::kNone);
  EXPECT_EQ(none.find("name"), NameIndex::kNone);
}

}  // namespace
