#include "platform/platform.h"

namespace vykpav::platform {

namespace {
Platform* g_override = nullptr;
}  // namespace

Platform& current_platform() { return g_override != nullptr ? *g_override : system_platform(); }

ScopedPlatformOverride::ScopedPlatformOverride(Platform& replacement) : previous_(g_override) {
  g_override = &replacement;
}

ScopedPlatformOverride::~ScopedPlatformOverride() { g_override = previous_; }

}  // namespace vykpav::platform
