// main() belongs to the run time: it starts the platform, hands control to the program's
// StartUp and, when that returns, runs the end sequence and ends with the quit request's code.
#include <clocale>

#include "platform/open_backend.h"
#include "runtime/program_interface.h"
#include "runtime/resources.h"
#include "runtime/runtime.h"

int main() {
  std::setlocale(LC_ALL, "");
  std::unique_ptr<platform::Platform> platform;
  if (auto backend = platform::OpenDefaultBackend())
    platform = std::make_unique<platform::Platform>(std::move(backend));
  runtime::Runtime rt(platform.get(), runtime::EmbeddedConfig(ProgramHandlers()));
  return rt.RunProgram(StartUp);
}
