// Events and handlers: when the bound events are raised, the dispatch rule, requests.
#include "program/program.h"
#include "tests/runtime_support.h"

namespace {

using namespace test;
using platform::key::kEscape;

RuntimeHarness* g_harness = nullptr;
std::vector<std::string> g_seen;

void CheckedMainWindowCreated() {
  platform::WindowId top = g_harness->Top(kMain);
  g_seen.push_back("created: " + std::to_string(g_harness->p().Children(top).size()) +
                   " controls, " + (g_harness->p().IsVisible(top) ? "visible" : "hidden"));
}
void RecordingButton1Clicked() {
  g_seen.push_back("click begins");
  bool loaded = runtime::LoadWindow({kGifts, 0x06010007}, std::nullopt, true);
  g_seen.push_back(loaded ? "click ends, loaded" : "click ends, not loaded");
}
int32_t Answer42(int32_t a, int32_t b) { return a * 10 + b; }
void Pressed(int32_t, int32_t, int32_t) { g_seen.push_back("pressed"); }
void PressedAgain(int32_t, int32_t, int32_t) { g_seen.push_back("pressed again"); }

void UseRecorders(RuntimeHarness& t) {
  g_harness = &t;
  g_seen.clear();
  t.handlers = {runtime::Handler<&Label4Request>(0x00, "Label4Request"),
                runtime::Handler<&RecordingButton1Clicked>(0x0B, "Button1Clicked"),
                runtime::Handler<&CheckedMainWindowCreated>(0x45, "MainWindowCreated")};
}

TEST(EventsTest, MainWindowCreatedRunsOnceWithAllControlsBeforeTheWindowShows) {
  RuntimeHarness t;
  UseRecorders(t);
  runtime::Runtime& rt = t.Start();
  t.backend().Then([&] { t.backend().Key(kEscape); });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_EQ(g_seen, std::vector<std::string>{"created: 5 controls, hidden"});
}

TEST(EventsTest, ClickAndSpaceOpenTheModalWindowAndReturnWhenItCloses) {
  for (bool by_space : {false, true}) {
    RuntimeHarness t;
    UseRecorders(t);
    runtime::Runtime& rt = t.Start();
    t.backend().Then([&] {
      if (by_space)
        t.backend().Key(platform::key::kSpace, 0, " ");
      else
        t.Click(kMain, "按钮1");
    });
    t.backend().Then([&] {
      EXPECT_EQ(g_seen.back(), "click begins") << "the handler waits while the window is open";
      t.Click(kMain, "按钮1");  // ignored: the main window is disabled
      t.backend().Key(platform::key::kSpace, 0, " ");
    });
    t.backend().Then([&] {
      EXPECT_EQ(std::count(g_seen.begin(), g_seen.end(), "click begins"), 1);
      t.backend().Key(kEscape);
    });
    t.backend().Then([&] {
      EXPECT_EQ(g_seen.back(), "click ends, loaded");
      EXPECT_TRUE(t.p().IsEnabled(t.Top(kMain)));
      t.backend().Key(kEscape);
    });
    EXPECT_EQ(rt.RunProgram(StartUp), 0) << (by_space ? "space" : "click");
  }
}

TEST(EventsTest, EnterAndAltClickNothing) {
  RuntimeHarness t;
  UseRecorders(t);
  runtime::Runtime& rt = t.Start();
  t.backend().Then([&] {
    t.backend().Key(platform::key::kReturn);
    for (int k = '0'; k <= 'Z'; ++k)
      if (k <= '9' || k >= 'A') t.backend().Key(k, platform::kAlt);
  });
  t.backend().Then([&] {
    EXPECT_FALSE(rt.Loaded(kGifts));
    t.backend().Key(kEscape);
  });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_EQ(g_seen.size(), 1u) << "only created";
}

TEST(EventsTest, NoticesThatDoNotDispatch) {
  RuntimeHarness t;
  UseRecorders(t);
  // 标签3 gets a real binding for a left press, and an empty one (-1) for a right press.
  for (auto& [name, text] : t.form_texts) {
    auto at = text.find("name = \"标签3\"");
    if (name == "main_window.toml")
      text.insert(text.find('\n', at) + 1,
                  "events = [{ event = -1, key = 0x300 }, { event = -4, key = -1 }, { event = -1, "
                  "key = 0x301 }]\n");
  }
  t.handlers.push_back(runtime::Handler<&Pressed>(0x300, "Pressed"));
  t.handlers.push_back(runtime::Handler<&PressedAgain>(0x301, "PressedAgain"));
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  rt.LoadStartWindow(kMain);
  g_seen.clear();
  struct Case {
    const char* name;
    runtime::EventNotice notice;
    bool suppressed;
    bool dispatched;
  };
  const Case cases[] = {
      {"bound", {kMain, 0x1601000A, -1, 3}, false, true},
      {"suppressed", {kMain, 0x1601000A, -1, 3}, true, false},
      {"unbound event", {kMain, 0x1601000A, -6, 3}, false, false},
      {"empty binding", {kMain, 0x1601000A, -4, 3}, false, false},
      {"unit without bindings", {kMain, 0x16010009, 0}, false, false},
      {"the window's own unit by 0", {kMain, 0, 0}, false, true},
  };
  for (Case c : cases) {
    if (c.suppressed) rt.SuppressEvents();
    EXPECT_EQ(rt.RaiseEvent(c.notice), c.dispatched) << c.name;
    EXPECT_EQ(c.notice.result_present, 0u) << c.name;
    if (c.suppressed) rt.ResumeEvents();
  }
  EXPECT_EQ(g_seen, (std::vector<std::string>{"pressed", "created: 5 controls, visible"}))
      << "the first matching binding counts; nothing else ran";
  rt.ResumeEvents();
  rt.ResumeEvents();
  EXPECT_EQ(rt.suppression_counter(), 0) << "never below 0";
}

TEST(EventsDeathTest, NoticesForMissingWindowsOrUnitsAreFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto raise = [](runtime::EventNotice n) {
    RuntimeHarness t;
    runtime::Runtime& rt = t.Start();
    rt.InitRuntime();
    rt.LoadStartWindow(kMain);
    rt.RaiseEvent(n);
  };
  EXPECT_EXIT(raise({kGifts, 0, 0}), ::testing::ExitedWithCode(255),
              "window 0x52010008, which is not open");
  EXPECT_EXIT(raise({kMain, 0x16019999, 0}), ::testing::ExitedWithCode(255), "unit 0x16019999");
}

TEST(EventsTest, RequestsToALabelAreAnswered) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  t.backend().Then([&] {
    platform::WindowId top = t.Top(kMain);
    int32_t label4 = t.p().ControlId(t.Control(kMain, "标签4"));
    EXPECT_EQ(label4, 140) << "the fifth control created, from the last stored";
    t.backend().Request(top, label4, 5, 6, 1);
    t.backend().Request(top, 999, 5, 6, 2);  // no such control: ignored
    t.backend().Request(top, t.p().ControlId(t.Control(kMain, "标签3")), 5, 6, 3);  // unbound: 0
  });
  t.backend().Then([&] { t.backend().Key(kEscape); });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_EQ(t.backend().answers, (std::vector<std::pair<uint32_t, int32_t>>{{1, 0}, {3, 0}}));

  RuntimeHarness answering;
  answering.handlers[0] = runtime::Handler<&Answer42>(0x00, "Answer42");
  runtime::Runtime& rt2 = answering.Start();
  answering.backend().Then([&] {
    answering.backend().Request(answering.Top(kMain), 140, 4, 2, 9);
    answering.backend().Key(kEscape);
  });
  EXPECT_EQ(rt2.RunProgram(StartUp), 0);
  EXPECT_EQ(answering.backend().answers, (std::vector<std::pair<uint32_t, int32_t>>{{9, 42}}));
}

TEST(EventsDeathTest, AHandlerOfTheWrongShapeStopsTheStart) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RuntimeHarness t;
        t.handlers[0] = runtime::Handler<&ProgramExit>(0x00, "ProgramExit");
        t.Start().RunProgram(StartUp);
      },
      ::testing::ExitedWithCode(255), "ProgramExit takes 0 arguments, the event gives 2");
}

}  // namespace
