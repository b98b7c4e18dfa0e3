// The lifecycle: start, loading windows (modal and not), the message loop, closing, the end
// sequence and the fatal error.
#include "runtime/runtime.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/error_box.h"

namespace runtime {
namespace {

Runtime* g_current = nullptr;

}  // namespace

Runtime::Runtime(platform::Platform* platform, RuntimeConfig config)
    : platform_(platform), config_(std::move(config)) {
  g_current = this;
  if (platform_) {
    platform_->SetActivationHook([this](platform::WindowId top) { OnActivationOfDisabled(top); });
    platform_->SetKeyHook([this](const platform::Message& m) { return PreTranslateKey(m); });
  }
}

Runtime::Runtime(platform::Platform* platform, RuntimeConfig config, FormsRead forms)
    : Runtime(platform, std::move(config)) {
  forms_read_ahead_ = std::move(forms);
}

Runtime::~Runtime() {
  // Windows still open hold handlers that point here: they go first, without events.
  ++suppression_counter_;
  if (platform_) {
    std::vector<platform::WindowId> open;
    for (auto& [n, w] : loaded_windows_) open.push_back(w.id);
    for (platform::WindowId id : open) platform_->Destroy(id);
    if (invisible_owner_window_) platform_->Destroy(invisible_owner_window_);
    platform_->SetActivationHook(nullptr);
    platform_->SetKeyHook(nullptr);
  }
  if (g_current == this) g_current = nullptr;
}

Runtime* Runtime::Current() { return g_current; }

// ---- start ----

void Runtime::InitRuntime() {
  if (config_.change_directory) {
    // The directory of the executable: its full path without the last separator and what follows.
    char path[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0) {
      std::string dir(path, size_t(n));
      dir.erase(dir.rfind('/') == 0 ? 1 : dir.rfind('/'));
      if (chdir(dir.c_str()) != 0) std::perror("lanshaji-gifts: cannot change directory");
    }
  }
  if (!platform_) FatalError("cannot open the display: is DISPLAY set?");
  platform::TopLevelSpec owner{"", "", {}, {0, 0, 0, 0}};
  owner.style.frame = platform::FrameKind::kNone;
  owner.style.caption = owner.style.system_menu = owner.style.minimize_box = false;
  owner.style.tool_window = true;
  owner.style.taskbar_button = false;
  owner.invisible = true;
  invisible_owner_window_ = platform_->CreateTopLevel(std::move(owner));
  std::string error;
  if (!invisible_owner_window_) FatalError("cannot create the owner window");
  FormsRead read = forms_read_ahead_ ? std::move(*forms_read_ahead_) : ReadForms(config_);
  forms_read_ahead_.reset();
  if (!read.error.empty()) FatalError("the form descriptions cannot be read: " + read.error);
  form_descriptions_ = std::move(read.forms);
  if (!ResolveHandlers(&error)) FatalError(error);
}

bool Runtime::ResolveHandlers(std::string* error) {
  for (FormDescription& form : form_descriptions_) {
    for (Unit& unit : form.units) {
      for (EventBinding& b : unit.bindings) {
        if (b.handler_key == kNoHandler) continue;
        auto it = std::find_if(config_.handlers.begin(), config_.handlers.end(),
                               [&](const HandlerEntry& h) { return h.key == b.handler_key; });
        std::string where = form.file + ":" + std::to_string(b.line) + ": unit " +
                            (unit.name.empty() ? "(the window)" : unit.name) + ", event " +
                            std::to_string(b.event_index);
        if (it == config_.handlers.end()) {
          *error = where + ": no handler has key " + Hex(b.handler_key);
          return false;
        }
        const EventDef* event = FindEvent(unit.Kind(), b.event_index);
        if (it->arity != event->arg_count) {
          *error = where + ": " + it->name + " takes " + std::to_string(it->arity) +
                   " arguments, the event gives " + std::to_string(event->arg_count);
          return false;
        }
        b.handler = it->thunk;
      }
    }
  }
  return true;
}

void Runtime::RegisterExitRoutine(void (*routine)()) {
  if (std::find(exit_routines_.begin(), exit_routines_.end(), routine) == exit_routines_.end())
    exit_routines_.push_back(routine);
}

void Runtime::LoadStartWindow(uint32_t window_number) {
  const FormDescription* form = FindForm(window_number);
  if (!form || !LoadWindow({window_number, form->Own().number}, std::nullopt, false))
    FatalError("loading the start-up window " + Hex(window_number) + " failed");
}

// ---- loading ----

const FormDescription* Runtime::FindForm(uint32_t number) const {
  for (const FormDescription& f : form_descriptions_)
    if (f.window_number == number) return &f;
  return nullptr;
}

const LoadedWindow* Runtime::Loaded(uint32_t number) const {
  auto it = loaded_windows_.find(number);
  return it == loaded_windows_.end() ? nullptr : &it->second;
}

LoadedWindow* Runtime::Loaded(uint32_t number) {
  auto it = loaded_windows_.find(number);
  return it == loaded_windows_.end() ? nullptr : &it->second;
}

LoadedWindow* Runtime::LoadedById(platform::WindowId top) {
  for (auto& [n, w] : loaded_windows_)
    if (w.id == top) return &w;
  return nullptr;
}

bool Runtime::LoadWindow(WindowRef window, std::optional<WindowRef> owner, bool modal) {
  if (!platform_) return false;
  if (owner && !Loaded(owner->window_number)) return false;
  const FormDescription* form = FindForm(window.window_number);
  if (!form) return false;
  if (LoadedWindow* w = Loaded(window.window_number)) {
    // Already open: bring it forward; nothing is built, raised or waited for.
    if (platform_->IsMinimized(w->id))
      platform_->Show(w->id, platform::ShowMode::kRestore);
    else
      platform_->Activate(w->id);
    return true;
  }
  if (modal) owner.reset();
  platform::WindowId owner_id = platform::kNoWindow;
  if (owner) {
    owner_id = Loaded(owner->window_number)->id;
    if (!platform_->Exists(owner_id)) return false;
  } else if (modal || !form->Own().Int(window::kShowInTaskBar)) {
    owner_id = invisible_owner_window_;
  }

  SuppressEvents();
  bool built = Build(*form, owner_id, owner.has_value());
  ResumeEvents();
  if (!built) return false;

  const uint32_t number = window.window_number;
  auto raise = [&](int32_t index) {
    if (!Loaded(number)) return false;
    EventNotice n{number, 0, index};
    RaiseEvent(n);
    return true;
  };
  raise(event::kCreated) && raise(event::kMoved) && raise(event::kResized);

  const Unit& own = form->Own();
  if (LoadedWindow* w = Loaded(number); w && own.Int(common::kVisible)) {
    int start = own.Int(window::kStartPosition);
    platform_->Show(w->id, start == 2   ? platform::ShowMode::kMinimized
                           : start == 3 ? platform::ShowMode::kMaximized
                                        : platform::ShowMode::kNormal);
  }
  if (modal) {
    LoadedWindow* w = Loaded(number);
    if (!w) return true;
    w->modal_mark = true;
    for (auto& [other_number, other] : loaded_windows_) {
      if (other_number == number || other.explicit_owner) continue;
      w->disabled_list.emplace_back(other.id, platform_->IsEnabled(other.id));
      platform_->Enable(other.id, false);
    }
    if (own.Int(common::kVisible) && Loaded(number)) ModalWait(number);
  }
  return true;
}

void Runtime::ModalWait(uint32_t number) {
  std::optional<uint32_t> saved = current_modal_window_;
  current_modal_window_ = number;
  platform::Message m;
  while (current_modal_window_) {
    if (!platform_->GetMessage(&m)) {
      // A quit request cannot reach a modal wait in this program; if one does (the input source
      // has gone), the wait ends and the request stays for the outer loop.
      platform_->PostQuit(m.code);
      break;
    }
    platform_->DispatchMessage(m);
  }
  current_modal_window_ = saved;
}

void Runtime::RunMessageLoop() {
  loop_entered_ = true;
  if (loaded_windows_.empty()) return;
  platform::Message m;
  while (platform_->GetMessage(&m)) platform_->DispatchMessage(m);
  quit_code_ = m.code;
}

// ---- activation, closing, destroying ----

void Runtime::OnWindowActivated(uint32_t number) {
  if (LoadedWindow* w = Loaded(number)) w->has_been_active = true;
}

void Runtime::OnActivationOfDisabled(platform::WindowId top) {
  // A disabled window the user tries to activate hands the activation to the modal window
  // that disabled it.
  LoadedWindow* w = LoadedById(top);
  if (!w || w->explicit_owner || !w->has_been_active) return;
  for (const FormDescription& f : form_descriptions_) {
    const LoadedWindow* m = Loaded(f.window_number);
    if (m && m->modal_mark && !m->explicit_owner && platform_->IsVisible(m->id) &&
        platform_->IsEnabled(m->id)) {
      if (platform_->IsMinimized(m->id))
        platform_->Show(m->id, platform::ShowMode::kRestore);
      else
        platform_->Activate(m->id);
      return;
    }
  }
}

void Runtime::CloseWindow(uint32_t number) {
  LoadedWindow* w = Loaded(number);
  if (!w) return;
  EventNotice closing{number, 0, event::kClosing};
  RaiseEvent(closing);
  w = Loaded(number);
  if (!w || (closing.result_present && closing.result != 0)) return;  // refused
  std::vector<platform::WindowId> enabled_again;
  if (w->modal_mark) {
    for (auto [id, was_enabled] : w->disabled_list) {
      if (!platform_->Exists(id)) continue;
      platform_->Enable(id, was_enabled);
      if (was_enabled) enabled_again.push_back(id);
    }
    w->disabled_list.clear();
    w->modal_mark = false;
  }
  platform_->Destroy(w->id);
  // The window that was disabled takes the activation back explicitly: without a window
  // manager nobody else would give it the focus.
  for (platform::WindowId id : enabled_again)
    if (platform_->IsVisible(id) && !platform_->IsMinimized(id) && platform_->Activate(id)) break;
}

void Runtime::OnWindowDestroyed(uint32_t number) {
  if (!Loaded(number)) return;
  EventNotice destroyed{number, 0, event::kDestroyed};
  RaiseEvent(destroyed);
  loaded_windows_.erase(number);
  if (current_modal_window_ == number) current_modal_window_.reset();
  if (loaded_windows_.empty() && loop_entered_) platform_->PostQuit(0);
}

// ---- end ----

int Runtime::RunProgram(int32_t (*start_up)()) {
  start_up();
  EndSequence();
  return quit_code_;
}

void Runtime::EndSequence() {
  ++suppression_counter_;  // for good
  std::vector<void (*)()> routines;
  routines.swap(exit_routines_);
  for (auto routine : routines) {
    called_exit_routines_.push_back(routine);
    routine();
  }
  // Windows still open (after a fatal error) go without close events: events are suppressed.
  if (platform_) {
    std::vector<uint32_t> open;
    for (auto& [n, w] : loaded_windows_) open.push_back(n);
    for (uint32_t n : open)
      if (LoadedWindow* w = Loaded(n)) platform_->Destroy(w->id);
    if (invisible_owner_window_) platform_->Destroy(invisible_owner_window_);
  }
  loaded_windows_.clear();
  form_descriptions_.clear();
  invisible_owner_window_ = platform::kNoWindow;
}

void Runtime::FatalError(std::string_view message) {
  ++suppression_counter_;  // for good
  platform::ShowErrorBox(platform_, "蓝砂纪礼包大全", message);
  exit_routines_.clear();
  EndSequence();
  std::fflush(nullptr);
  std::exit(-1);
}

// ---- the program's interface ----

void InitRuntime() { Runtime::Current()->InitRuntime(); }
void RegisterExitRoutine(void (*routine)()) { Runtime::Current()->RegisterExitRoutine(routine); }
void LoadStartWindow(uint32_t n) { Runtime::Current()->LoadStartWindow(n); }
bool LoadWindow(WindowRef window, std::optional<WindowRef> owner, bool modal) {
  return Runtime::Current()->LoadWindow(window, owner, modal);
}
void RunMessageLoop() { Runtime::Current()->RunMessageLoop(); }
void FatalError(std::string_view message) { Runtime::Current()->FatalError(message); }

}  // namespace runtime
