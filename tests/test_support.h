// Helpers shared by the headless tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

namespace test {

// A platform on the headless backend, with the backend kept at hand for the test.
struct HeadlessPlatform {
  platform::HeadlessBackend* backend;
  std::unique_ptr<platform::Platform> platform;

  explicit HeadlessPlatform(platform::Size screen = {1280, 1024}, int depth = 24) {
    auto b = std::make_unique<platform::HeadlessBackend>(screen, depth);
    backend = b.get();
    platform = std::make_unique<platform::Platform>(std::move(b));
  }
  // Runs the loop until the script is done or a quit arrives; returns the exit code.
  int RunLoop() {
    platform::Message m;
    while (platform->GetMessage(&m)) platform->DispatchMessage(m);
    return m.code;
  }
};

// The colour (0x00BBGGRR) of an opaque pixel.
inline uint32_t ColourOf(uint32_t argb) {
  return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

std::vector<uint8_t> ReadFile(const std::string& path);
// Runs a shell command; true when it exits 0.
bool Run(const std::string& command);
std::string TempDir();

}  // namespace test
