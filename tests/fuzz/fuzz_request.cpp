// Any sequence of cross-process requests to the running program's main window: each is
// answered or ignored, and the program stays as it was.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "program/program.h"
#include "runtime/program_interface.h"
#include "runtime/resources.h"
#include "tests/test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static test::HeadlessPlatform* h = [] {
    auto* harness = new test::HeadlessPlatform();
    runtime::RuntimeConfig config = runtime::EmbeddedConfig(ProgramHandlers());
    config.change_directory = false;
    auto* rt = new runtime::Runtime(harness->platform.get(), std::move(config));
    rt->InitRuntime();
    rt->LoadStartWindow(0x52010001);
    return harness;
  }();
  platform::Platform& p = *h->platform;
  const platform::WindowId main = runtime::Runtime::Current()->Loaded(0x52010001)->id;
  for (size_t at = 0; at + 13 <= size; at += 13) {
    int32_t v[3];
    std::memcpy(v, data + at + 1, sizeof v);
    platform::WindowId target = data[at] & 1 ? main : platform::WindowId(data[at]);
    h->backend->Request(target, v[0], v[1], v[2], uint32_t(at));
  }
  platform::Message m;
  while (p.HasPendingMessages() && p.GetMessage(&m)) p.DispatchMessage(m);
  if (!p.IsVisible(main) || !p.IsEnabled(main)) __builtin_trap();
  h->backend->answers.clear();
  return 0;
}
