// Start, loading, the modal wait, closing and the end, on the headless backend.
#include "program/program.h"
#include "runtime/program_interface.h"
#include "tests/runtime_support.h"

namespace {

using namespace test;
using platform::key::kEscape;

std::vector<std::string> g_log;

void Log(const char* what) { g_log.push_back(what); }
void GiftsCreated() { Log("gifts created"); }
void GiftsMoved() { Log("gifts moved"); }
void GiftsResized() { Log("gifts resized"); }
void MainCreated() { Log("main created"); }
void MainMoved() { Log("main moved"); }
void MainResized() { Log("main resized"); }
void RecordedButton1Clicked() {
  Log("click begins");
  Button1Clicked();
  Log("click ends");
}

// The real forms, with the window events of both windows bound to recorders.
void BindWindowEvents(RuntimeHarness& t) {
  for (auto& [name, text] : t.form_texts) {
    auto at = text.find("events = [{ event = 0, key = 0x45 }]");
    if (at != std::string::npos)
      text.replace(at, 37,
                   "events = [{ event = 0, key = 0x101 }, { event = 3, key = 0x102 }, { event = 4, "
                   "key = 0x103 }]");
    at = text.find("title = \"部分礼包仅供参考\"");
    if (at != std::string::npos)
      text.insert(text.find('\n', at) + 1,
                  "events = [{ event = 0, key = 0x201 }, { event = 3, key = 0x202 }, { event = 4, "
                  "key = 0x203 }]\n");
  }
  t.handlers = {runtime::Handler<&Label4Request>(0x00, "Label4Request"),
                runtime::Handler<&RecordedButton1Clicked>(0x0B, "Button1Clicked"),
                runtime::Handler<&MainCreated>(0x101, "MainCreated"),
                runtime::Handler<&MainMoved>(0x102, "MainMoved"),
                runtime::Handler<&MainResized>(0x103, "MainResized"),
                runtime::Handler<&GiftsCreated>(0x201, "GiftsCreated"),
                runtime::Handler<&GiftsMoved>(0x202, "GiftsMoved"),
                runtime::Handler<&GiftsResized>(0x203, "GiftsResized")};
}

TEST(LifecycleTest, NormalRunOpensAndClosesTheGiftSourcesWindowThreeTimes) {
  g_log.clear();
  RuntimeHarness t;
  BindWindowEvents(t);
  runtime::Runtime& rt = t.Start();
  std::vector<bool> main_enabled_while_open, main_enabled_after;
  for (int round = 0; round < 3; ++round) {
    t.backend().Then([&] {
      EXPECT_TRUE(t.p().IsEnabled(t.Top(kMain)));
      EXPECT_EQ(t.p().Focus(), t.Control(kMain, "按钮1")) << "the button holds the focus";
      t.Click(kMain, "按钮1");
    });
    t.backend().Then([&] {
      main_enabled_while_open.push_back(t.p().IsEnabled(t.Top(kMain)));
      EXPECT_EQ(t.p().ActiveWindow(), t.Top(kGifts));
      EXPECT_EQ(g_log.back(), "gifts resized") << "the click has not returned yet";
      t.backend().Key(kEscape);
    });
    t.backend().Then([&] {
      main_enabled_after.push_back(t.p().IsEnabled(t.Top(kMain)));
      EXPECT_EQ(t.p().ActiveWindow(), t.Top(kMain));
    });
  }
  t.backend().Then([&] { t.backend().Key(kEscape); });

  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_EQ(rt.called_exit_routines(), (std::vector<void (*)()>{ProgramExit}));
  EXPECT_EQ(main_enabled_while_open, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(main_enabled_after, (std::vector<bool>{true, true, true}));
  std::vector<std::string> expected = {"main created", "main moved", "main resized"};
  for (int round = 0; round < 3; ++round)
    expected.insert(expected.end(), {"click begins", "gifts created", "gifts moved",
                                     "gifts resized", "click ends"});
  EXPECT_EQ(g_log, expected);
  EXPECT_EQ(t.backend().StepsLeft(), 0u);
}

TEST(LifecycleTest, ClosingTheMainWindowAtOnceEndsWithZero) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  t.backend().Then([&] { t.backend().Close(t.Top(kMain)); });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_EQ(rt.called_exit_routines().size(), 1u);
}

TEST(LifecycleTest, WindowsAreCentredWhateverTheScreen) {
  struct Case {
    platform::Size screen;
    platform::Rect main;
  };
  for (Case c : {Case{{1280, 1024}, {347, 275, 586, 474}}, Case{{1024, 768}, {219, 147, 586, 474}},
                 Case{{500, 400}, {-43, -37, 586, 474}}}) {
    RuntimeHarness t(c.screen);
    runtime::Runtime& rt = t.Start();
    rt.InitRuntime();
    rt.LoadStartWindow(kMain);
    EXPECT_EQ(t.p().OuterRect(t.Top(kMain)), c.main) << c.screen.w;
    EXPECT_EQ(t.p().ClientRect(t.Top(kMain)), (platform::Rect{0, 0, 580, 449}));
  }
}

TEST(LifecycleTest, LoadWindowEdgeCases) {
  RuntimeHarness t;
  g_log.clear();
  BindWindowEvents(t);
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  rt.LoadStartWindow(kMain);
  const runtime::WindowRef main{kMain, 0x06010000};
  const size_t events = g_log.size();

  // Already loaded: brought forward, true, nothing raised, no wait even when modal.
  t.backend().Minimize(t.Top(kMain));
  EXPECT_TRUE(t.p().IsMinimized(t.Top(kMain)));
  EXPECT_TRUE(rt.LoadWindow(main, std::nullopt, true));
  EXPECT_FALSE(t.p().IsMinimized(t.Top(kMain)));
  EXPECT_TRUE(rt.LoadWindow(main, std::nullopt, false));
  EXPECT_EQ(t.p().ActiveWindow(), t.Top(kMain));
  EXPECT_EQ(g_log.size(), events);
  EXPECT_FALSE(rt.current_modal_window());

  // Unknown window, owner not loaded: false, nothing changes.
  const auto tops = t.p().TopLevels();
  EXPECT_FALSE(rt.LoadWindow({0x52019999, 0x06019999}, std::nullopt, false));
  EXPECT_FALSE(rt.LoadWindow({kGifts, 0x06010007}, runtime::WindowRef{kGifts, 0x06010007}, false));
  EXPECT_EQ(t.p().TopLevels(), tops);
  EXPECT_TRUE(t.p().IsEnabled(t.Top(kMain)));

  // Not modal, with the main window as owner: owned by it, no task-bar button, nothing disabled.
  EXPECT_TRUE(rt.LoadWindow({kGifts, 0x06010007}, main, false));
  EXPECT_EQ(t.p().Owner(t.Top(kGifts)), t.Top(kMain));
  EXPECT_TRUE(t.p().IsEnabled(t.Top(kMain)));
  EXPECT_EQ(t.backend().TaskBar(), std::vector<platform::WindowId>{t.Top(kMain)});
}

TEST(LifecycleTest, ActivatingTheDisabledMainWindowBringsTheModalOneForward) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  t.backend().Then([&] { t.Click(kMain, "按钮1"); });
  t.backend().Then([&] {
    EXPECT_EQ(t.backend().TaskBar(), std::vector<platform::WindowId>{t.Top(kMain)})
        << "one task-bar entry, the main window's";
    EXPECT_EQ(t.p().Owner(t.Top(kGifts)), rt.invisible_owner());
    t.backend().Minimize(t.Top(kGifts));
    t.backend().ActivateFromTaskBar(t.Top(kMain));
    EXPECT_EQ(t.p().ActiveWindow(), t.Top(kGifts));
    EXPECT_FALSE(t.p().IsMinimized(t.Top(kGifts)));
    EXPECT_EQ(t.backend().WmActive(), t.Top(kGifts));
    t.backend().Close(t.Top(kMain));  // refused: the main window is disabled
  });
  t.backend().Then([&] {
    EXPECT_TRUE(t.Top(kMain));
    EXPECT_EQ(t.p().ActiveWindow(), t.Top(kGifts));
    t.backend().Close(t.Top(kGifts));
  });
  t.backend().Then([&] { t.backend().Key(kEscape); });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
}

TEST(LifecycleTest, TheMainWindowDestroyedFromOutsideWhileTheModalOneIsOpen) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  bool gone = false;
  t.backend().Then([&] { t.Click(kMain, "按钮1"); });
  t.backend().Then([&] { t.backend().DestroyFromOutside(t.Top(kMain)); });
  t.backend().Then([&] {
    gone = !rt.Loaded(kMain);
    EXPECT_TRUE(t.p().IsVisible(t.Top(kGifts))) << "the program goes on";
    t.backend().Key(kEscape);
  });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_TRUE(gone);
}

TEST(LifecycleTest, TheLoopReturnsAtOnceWhenNoWindowIsLeft) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  rt.RunMessageLoop();  // the backend's script is empty: waiting would end with code 1
  EXPECT_EQ(rt.QuitCode(), 0);
}

TEST(LifecycleDeathTest, UnreadableDescriptionsAndAMissingStartWindowAreFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RuntimeHarness t;
        t.form_texts[0].second += "\n[[unit]]\nnumber = \"twelve\"\n";
        t.Start().RunProgram(StartUp);
      },
      ::testing::ExitedWithCode(255),
      "the form descriptions cannot be read: .*toml:[0-9]+: number must be an integer");
  EXPECT_EXIT(
      {
        RuntimeHarness t;
        t.form_texts.erase(std::remove_if(t.form_texts.begin(), t.form_texts.end(),
                                          [](auto& f) { return f.first == "main_window.toml"; }),
                           t.form_texts.end());
        t.Start().RunProgram(StartUp);
      },
      ::testing::ExitedWithCode(255), "loading the start-up window 0x52010001 failed");
  EXPECT_EXIT(
      {
        RuntimeHarness t;
        t.handlers.pop_back();  // 0x45 no longer resolves
        t.Start().RunProgram(StartUp);
      },
      ::testing::ExitedWithCode(255),
      "main_window.toml:[0-9]+: unit \\(the window\\), event 0: no handler has key 0x45");
  EXPECT_EXIT(
      {
        runtime::Runtime rt(nullptr, {});
        rt.RunProgram(StartUp);
      },
      ::testing::ExitedWithCode(255), "cannot open the display");
}

}  // namespace
