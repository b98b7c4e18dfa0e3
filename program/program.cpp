// The program's own routines: the entry routine, the two that do nothing, and the handlers.
#include "program/program.h"

#include "runtime/runtime.h"

namespace {
constexpr uint32_t kMainWindow = 0x52010001;
constexpr runtime::WindowRef kGiftSourcesWindow{0x52010008, 0x06010007, runtime::kWindowKind};
}  // namespace

int32_t StartUp() {
  runtime::InitRuntime();
  InitGlobals();
  runtime::RegisterExitRoutine(ProgramExit);
  runtime::LoadStartWindow(kMainWindow);
  runtime::RunMessageLoop();
  return 0;
}

void InitGlobals() {}

void ProgramExit() {}

void MainWindowCreated() {}

void Label4Request(int32_t, int32_t) {}

void Button1Clicked() { runtime::LoadWindow(kGiftSourcesWindow, std::nullopt, true); }
