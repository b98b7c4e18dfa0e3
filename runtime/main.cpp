// main() belongs to the run time: it starts the platform, hands control to the program's
// StartUp and, when that returns, runs the end sequence and ends with the quit request's code.
#include <clocale>

#include "platform/open_backend.h"
#include "platform/text_setup.h"
#include "runtime/program_interface.h"
#include "runtime/resources.h"
#include "runtime/runtime.h"

int main() {
  std::setlocale(LC_ALL, "");
  runtime::RuntimeConfig config = runtime::EmbeddedConfig(ProgramHandlers());
  // The forms are read first: the fonts they draw with are set up on another thread while the
  // display opens and the first window is built.
  runtime::FormsRead forms = runtime::ReadForms(config);
  platform::StartTextSetUp(runtime::FontsOf(forms.forms));
  std::unique_ptr<platform::Platform> platform;
  if (auto backend = platform::OpenDefaultBackend())
    platform = std::make_unique<platform::Platform>(std::move(backend));
  runtime::Runtime rt(platform.get(), std::move(config), std::move(forms));
  return rt.RunProgram(StartUp);
}
