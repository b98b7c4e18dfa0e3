// A run time on the headless backend, built from the real forms or from test forms.
#pragma once

#include <map>
#include <string>

#include "runtime/runtime.h"
#include "tests/test_support.h"

namespace test {

constexpr uint32_t kMain = 0x52010001;
constexpr uint32_t kGifts = 0x52010008;

// The embedded forms, each with its text changed by (from, to) replacements.
std::vector<std::pair<std::string, std::string>> EmbeddedFormTexts();

struct RuntimeHarness {
  HeadlessPlatform h;
  std::map<std::string, runtime::Bytes, std::less<>> assets;
  std::vector<std::pair<std::string, std::string>> form_texts;
  std::vector<runtime::HandlerEntry> handlers;
  std::unique_ptr<runtime::Runtime> rt;

  explicit RuntimeHarness(platform::Size screen = {1280, 1024}, int depth = 24);
  // Makes the run time from form_texts, assets and handlers (call after changing them).
  runtime::Runtime& Start();
  platform::Platform& p() { return *h.platform; }
  platform::HeadlessBackend& backend() { return *h.backend; }
  platform::WindowId Top(uint32_t number) const;
  platform::WindowId Control(uint32_t number, const std::string& name) const;
  // A pixel of a window's client area as 0x00BBGGRR.
  uint32_t Pixel(uint32_t number, int x, int y);
  void Click(uint32_t number, const std::string& control);
};

}  // namespace test
