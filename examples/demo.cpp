// A host program that times several real pieces of work with VYK_PAV and
// prints the report it wrote to VYK_PAV.txt in the current directory.
//
//   vykpav_demo              writes VYK_PAV.txt (replaced) and prints it
//   vykpav_demo FILE         appends the report to FILE and says so
//                            (run it several times, then vykpav-report summary FILE)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <selvorin/marks.h>
#include <selvorin/vyk_pav.h>

namespace {

std::vector<int> random_integers(std::size_t count) {
  std::mt19937 engine(2026);
  std::vector<int> values(count);
  for (int& v : values) v = static_cast<int>(engine());
  return values;
}

void insertion_sort(std::vector<int>& values) {
  for (std::size_t i = 1; i < values.size(); ++i) {
    const int v = values[i];
    std::size_t j = i;
    for (; j > 0 && values[j - 1] > v; --j) values[j] = values[j - 1];
    values[j] = v;
  }
}

std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  const char* named_file = argc > 1 ? argv[1] : nullptr;
  const char* areas[] = {"std::sort, 1M ints",  "std::stable_sort, 1M ints",
                         "heap sort, 1M ints",  "insertion sort, 20k ints",
                         "FNV-1a over 32 MB",   "std::hash of 1M strings",
                         "string += 1M pieces", "ostringstream << 1M pieces"};
  Selvorin::VYK_PAV timer(sizeof areas / sizeof areas[0], areas);

  const std::vector<int> input = random_integers(1000000);
  std::uint64_t checksum = 0;  // keeps the optimiser from dropping the work

  {
    std::vector<int> v = input;
    VYK_PAV_SCOPE(timer, "std::sort, 1M ints");
    std::sort(v.begin(), v.end());
    checksum += static_cast<std::uint64_t>(v[v.size() / 2]);
  }
  {
    std::vector<int> v = input;
    VYK_PAV_BEGIN(timer, "std::stable_sort, 1M ints");
    std::stable_sort(v.begin(), v.end());
    VYK_PAV_END(timer, "std::stable_sort, 1M ints");
    checksum += static_cast<std::uint64_t>(v[v.size() / 3]);
  }
  {
    std::vector<int> v = input;
    VYK_PAV_BEGIN(timer, "heap sort, 1M ints");
    std::make_heap(v.begin(), v.end());
    std::sort_heap(v.begin(), v.end());
    VYK_PAV_END(timer, "heap sort, 1M ints");
    checksum += static_cast<std::uint64_t>(v[v.size() / 4]);
  }
  {
    std::vector<int> v(input.begin(), input.begin() + 20000);
    VYK_PAV_SCOPE(timer, "insertion sort, 20k ints");
    insertion_sort(v);
    checksum += static_cast<std::uint64_t>(v[v.size() / 5]);
  }
  {
    const std::string bytes(32u << 20, 'x');
    VYK_PAV_SCOPE(timer, "FNV-1a over 32 MB");
    checksum += fnv1a(bytes);
  }
  {
    std::vector<std::string> words;
    for (int i = 0; i < 1000000; ++i) words.push_back("word" + std::to_string(input[i]));
    VYK_PAV_SCOPE(timer, "std::hash of 1M strings");
    for (const std::string& w : words) checksum += std::hash<std::string>{}(w);
  }
  {
    VYK_PAV_BEGIN(timer, "string += 1M pieces");
    std::string text;
    for (int i = 0; i < 1000000; ++i) text += std::to_string(i);
    VYK_PAV_END(timer, "string += 1M pieces");
    checksum += text.size();
  }
  {
    VYK_PAV_BEGIN(timer, "ostringstream << 1M pieces");
    std::ostringstream out;
    for (int i = 0; i < 1000000; ++i) out << i;
    VYK_PAV_END(timer, "ostringstream << 1M pieces");
    checksum += out.str().size();
  }

  if (named_file != nullptr) {
    timer.pokaz(named_file);  // appended
    std::cout << "report appended to " << named_file << " (checksum " << checksum << ")\n";
    return 0;
  }
  timer.pokaz(nullptr);  // VYK_PAV.txt in the current directory, replaced

  std::ifstream report("VYK_PAV.txt", std::ios::binary);
  if (!report) {
    std::cerr << "VYK_PAV.txt was not written\n";
    return 1;
  }
  std::cout << report.rdbuf() << "\n\n(checksum " << checksum << ")\n";
  return 0;
}
