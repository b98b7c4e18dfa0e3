// Keys a window handles before its controls see them (Escape, Enter, Tab, F1, Alt with a
// mnemonic), and where the focus goes inside a window.
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/canvas.h"
#include "runtime/units.h"

extern char** environ;

namespace runtime {
namespace {

using platform::WindowId;

// The controls that can take the focus now, in focus order; among equal focus orders the one
// stored last comes first.
std::vector<size_t> FocusCandidates(platform::Platform& p, const LoadedWindow& w) {
  std::vector<size_t> out;
  for (size_t i = 1; i < w.controls.size(); ++i) {
    const Unit& u = w.form->units[i];
    WindowId c = w.controls[i];
    if (u.takes_focus && u.kind != kLabelKind && p.IsVisible(c) && p.IsEnabled(c)) out.push_back(i);
  }
  std::stable_sort(out.begin(), out.end(), [&](size_t a, size_t b) {
    uint32_t fa = w.form->units[a].focus_order, fb = w.form->units[b].focus_order;
    return fa != fb ? fa < fb : a > b;
  });
  return out;
}

size_t IndexOf(const LoadedWindow& w, WindowId id) {
  auto it = std::find(w.controls.begin(), w.controls.end(), id);
  return it == w.controls.end() ? 0 : size_t(it - w.controls.begin());
}

bool IsDefaultButton(platform::Platform& p, const LoadedWindow& w, size_t i) {
  const Unit& u = w.form->units[i];
  return i > 0 && u.kind == kButtonKind && u.Int(button::kButtonType) == 1 &&
         p.IsEnabled(w.controls[i]);
}

void OpenHelp(const Unit& own) {
  std::string file = own.Text(window::kHelpFile);
  if (file.empty()) {
    // The program's own file name with its extension replaced by "hlp", in the current directory.
    char path[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return;
    std::string name(path, size_t(n));
    name = name.substr(name.rfind('/') + 1);
    size_t dot = name.rfind('.');
    file = (dot == std::string::npos ? name : name.substr(0, dot)) + ".hlp";
  }
  struct stat st;
  if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;  // no help file: nothing
  // The viewer runs on its own; the program does not wait for it. xdg-open opens a file, not a
  // topic inside it, so the help context cannot be passed on.
  char* argv[] = {const_cast<char*>("xdg-open"), file.data(), nullptr};
  pid_t pid;
  posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ);
}

}  // namespace

void Runtime::PassFocusOn(uint32_t number) {
  LoadedWindow* w = Loaded(number);
  if (!w) return;
  auto candidates = FocusCandidates(*platform_, *w);
  if (!candidates.empty()) platform_->SetFocus(w->controls[candidates.front()]);
}

bool Runtime::PreTranslateKey(const platform::Message& m) {
  platform::Platform& p = *platform_;
  WindowId top = p.TopLevelOf(m.window);
  LoadedWindow* w = LoadedById(top);
  if (!w) return false;
  const uint32_t number = w->number;
  const Unit& own = w->form->Own();
  const uint32_t mods = m.modifiers;
  const size_t focused = IndexOf(*w, m.window);
  // No control kind of this run time claims any of these keys for itself.
  auto click = [&](size_t i) {
    RaiseSimple(*this, number, w->form->units[i].number, event::kClicked);
  };
  auto move_focus = [&](int step) {
    auto c = FocusCandidates(p, *w);
    if (c.empty()) return;
    auto at = std::find(c.begin(), c.end(), focused);
    long n = long(c.size());
    long next = at == c.end() ? (step > 0 ? 0 : n - 1) : ((at - c.begin()) + step + n) % n;
    p.SetFocus(w->controls[c[size_t(next)]]);
  };

  switch (m.code) {
    case platform::key::kEscape:
      if (mods || own.Int(window::kEscCloses) != 1) return false;
      CloseWindow(number);
      return true;
    case platform::key::kReturn: {
      if (mods) return false;
      if (focused && IsDefaultButton(p, *w, focused)) {
        click(focused);
        return true;
      }
      if (own.Int(window::kEnterMovesFocus) == 1) {
        move_focus(+1);
        return true;
      }
      for (size_t i = 1; i < w->controls.size(); ++i)
        if (IsDefaultButton(p, *w, i)) {
          click(i);
          return true;
        }
      return false;
    }
    case platform::key::kTab:
      if (mods != 0 && mods != platform::kShift) return false;
      move_focus(mods ? -1 : +1);
      return true;
    case platform::key::kF1:
      if (mods || own.Int(window::kF1OpensHelp) != 1) return false;
      OpenHelp(own);
      return true;
    default:
      break;
  }
  // Alt with a letter or digit: the first visible, enabled unit whose caption marks it.
  const bool letter_or_digit = (m.code >= 'A' && m.code <= 'Z') || (m.code >= '0' && m.code <= '9');
  if (mods != platform::kAlt || !letter_or_digit) return false;
  for (size_t i = 1; i < w->controls.size(); ++i) {
    const Unit& u = w->form->units[i];
    const std::string& caption =
        u.kind == kButtonKind ? u.Text(button::kCaption) : u.Text(label::kCaption);
    if (!p.IsVisible(w->controls[i]) || !p.IsEnabled(w->controls[i])) continue;
    if (platform::MnemonicOf(caption) != char32_t(m.code)) continue;
    if (u.kind == kButtonKind) click(i);
    return true;
  }
  return false;
}

}  // namespace runtime
