// The window run time: it builds live windows from form descriptions, runs the message loop,
// raises events and calls the program's handlers.
//
// To understand the run time, start with main() in main.cpp: it reads the forms, starts setting
// up their fonts on another thread, opens the platform, makes the one Runtime object and calls the
// program's StartUp, which uses the operations declared at the end of this file. Window building is in window_build.cpp, the kinds' live units in *_unit.cpp, event
// dispatch in dispatch.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font.h"
#include "platform/platform.h"
#include "runtime/form_loader.h"
#include "runtime/form_model.h"
#include "runtime/handlers.h"

namespace runtime {

// A window as the program names it: window number, own unit number, kind.
struct WindowRef {
  uint32_t window_number;
  uint32_t unit_number;
  uint32_t kind = kWindowKind;
};

// What an event carries to the dispatcher and back.
struct EventNotice {
  uint32_t window_number = 0;
  uint32_t unit_number = 0;  // 0: the window's own unit
  int32_t event_index = 0;
  int32_t arg_count = 0;
  int32_t args[5] = {0, 0, 0, 0, 0};
  uint32_t result_present = 0;
  int32_t result = 0;
};

struct SourceFile {
  std::string name;
  std::string_view text;
};

struct RuntimeConfig {
  std::vector<SourceFile> forms;
  AssetLookup assets;
  std::span<const HandlerEntry> handlers;
  const Bytes* default_icon = nullptr;  // the program's icon resource
  bool change_directory = true;         // to the executable's directory, at start
};

// The form descriptions of a configuration, or why they cannot be read.
struct FormsRead {
  std::vector<FormDescription> forms;
  std::string error;  // empty when all were read
};
FormsRead ReadForms(const RuntimeConfig& config);
// The fonts the units of these forms draw with, each once, the default GUI font first.
std::vector<platform::Font> FontsOf(const std::vector<FormDescription>& forms);

// A window that exists now, built from its description.
struct LoadedWindow {
  uint32_t number = 0;
  const FormDescription* form = nullptr;
  platform::WindowId id = platform::kNoWindow;
  bool explicit_owner = false;
  bool modal_mark = false;
  bool has_been_active = false;
  std::vector<std::pair<platform::WindowId, bool>> disabled_list;  // (window, was enabled)
  std::vector<platform::WindowId> controls;  // by stored index; [0] is the window itself
};

class Runtime {
 public:
  // platform may be null when there is no display: then only FatalError works.
  Runtime(platform::Platform* platform, RuntimeConfig config);
  // With the forms already read from config (InitRuntime then reports their error, if any).
  Runtime(platform::Platform* platform, RuntimeConfig config, FormsRead forms);
  ~Runtime();
  static Runtime* Current();

  // The operations of the program's interface (see the free functions below).
  void InitRuntime();
  void RegisterExitRoutine(void (*routine)());
  void LoadStartWindow(uint32_t window_number);
  bool LoadWindow(WindowRef window, std::optional<WindowRef> owner, bool modal);
  void RunMessageLoop();
  [[noreturn]] void FatalError(std::string_view message);

  // main(): StartUp, then the end sequence; gives the exit code.
  int RunProgram(int32_t (*start_up)());
  void EndSequence();

  // Events.
  bool RaiseEvent(EventNotice& notice);
  void SuppressEvents() { ++suppression_counter_; }
  void ResumeEvents() {
    if (suppression_counter_ > 0) --suppression_counter_;
  }
  int suppression_counter() const { return suppression_counter_; }

  // For the kinds' live units.
  platform::Platform& platform() { return *platform_; }
  const LoadedWindow* Loaded(uint32_t window_number) const;
  LoadedWindow* Loaded(uint32_t window_number);
  LoadedWindow* LoadedById(platform::WindowId top);
  const FormDescription* FindForm(uint32_t window_number) const;
  const Bytes* DefaultIcon() const { return config_.default_icon; }
  void CloseWindow(uint32_t window_number);
  void OnWindowDestroyed(uint32_t window_number);
  void OnWindowActivated(uint32_t window_number);
  void PassFocusOn(uint32_t window_number);  // the window got the focus: hand it to a control
  int32_t QuitCode() const { return quit_code_; }
  // Routines the end sequence has called, in order (the program can observe nothing else).
  const std::vector<void (*)()>& called_exit_routines() const { return called_exit_routines_; }
  platform::WindowId invisible_owner() const { return invisible_owner_window_; }
  std::optional<uint32_t> current_modal_window() const { return current_modal_window_; }

 private:
  bool ResolveHandlers(std::string* error);
  bool Build(const FormDescription& form, platform::WindowId owner, bool explicit_owner);
  void ModalWait(uint32_t window_number);
  bool PreTranslateKey(const platform::Message& m);
  void OnActivationOfDisabled(platform::WindowId top);

  platform::Platform* platform_;
  RuntimeConfig config_;
  std::optional<FormsRead> forms_read_ahead_;

  // The state the run time keeps, named as the behaviour names it.
  std::vector<FormDescription> form_descriptions_;
  std::vector<void (*)()> exit_routines_;
  bool loop_entered_ = false;
  std::optional<uint32_t> current_modal_window_;
  int suppression_counter_ = 0;
  platform::WindowId invisible_owner_window_ = platform::kNoWindow;
  std::map<uint32_t, LoadedWindow> loaded_windows_;

  int32_t quit_code_ = 0;
  std::vector<void (*)()> called_exit_routines_;
};

// The program's interface to the run time.
void InitRuntime();
void RegisterExitRoutine(void (*routine)());
void LoadStartWindow(uint32_t window_number);
bool LoadWindow(WindowRef window, std::optional<WindowRef> owner, bool modal);
void RunMessageLoop();
[[noreturn]] void FatalError(std::string_view message);

}  // namespace runtime
