// For tests of the files a report writes: a fresh, empty folder that is the
// current directory while a test runs, and a file read back whole.
#ifndef VYKPAV_TESTS_SUPPORT_SCRATCH_DIRECTORY_H
#define VYKPAV_TESTS_SUPPORT_SCRATCH_DIRECTORY_H

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_support {

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The folder `prefix` and the current test's name in the system's temporary
// folder, made empty and entered; left and removed again at the end. Each
// test has a folder of its own, so test programs may run side by side.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& prefix)
      : path_(std::filesystem::temp_directory_path() /
              (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        previous_(std::filesystem::current_path()) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;  // a destructor cannot report a failure
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace testing_support

#endif  // VYKPAV_TESTS_SUPPORT_SCRATCH_DIRECTORY_H
