// The number tests only mean what they say on the target the build was
// configured for: a cross build must really produce code for its target
// (on Windows ulong32 is unsigned long; long double is checked in
// target_long_double_test.cpp).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <type_traits>

#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

// The target as the compiler sees it, spelled as CMake names it.
std::string compiled_for() {
#if defined(_WIN32) && defined(__i386__)
  return "Windows/x86";
#elif defined(_WIN32) && defined(__x86_64__)
  return "Windows/AMD64";
#elif defined(__linux__) && defined(__x86_64__)
  return "Linux/x86_64";
#elif defined(__linux__) && defined(__i386__)
  return "Linux/i686";
#elif defined(__linux__) && defined(__aarch64__)
  return "Linux/aarch64";
#else
  return "";
#endif
}

TEST(NumberTarget, CompiledForTheConfiguredTarget) {
  const std::string configured = VYKPAV_CONFIGURED_TARGET;
  if (compiled_for().empty()) GTEST_SKIP() << "no known macros for " << configured;
  EXPECT_EQ(compiled_for(), configured);
}

TEST(NumberTarget, WordAndPointerWidthsAreThoseOfTheTarget) {
#if defined(_WIN32)
  EXPECT_TRUE((std::is_same<ulong32, unsigned long>::value));
#else
  EXPECT_TRUE((std::is_same<ulong32, std::uint32_t>::value));
#endif
  EXPECT_EQ(sizeof(ulong32) * CHAR_BIT, 32u);
#if defined(__i386__)
  EXPECT_EQ(sizeof(void*), 4u);
#elif defined(__x86_64__) || defined(__aarch64__)
  EXPECT_EQ(sizeof(void*), 8u);
#endif
}

}  // namespace
