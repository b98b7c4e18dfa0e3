// The windowing layer on the headless backend: input rules, the push button, the queue,
// stacking, and the canvas to the pixel.
#include <cairo.h>

#include "platform/metrics.h"
#include "platform/push_button.h"
#include "tests/test_support.h"

namespace {

using namespace platform;
using test::ColourOf;
using test::HeadlessPlatform;

// Records the messages it receives and fills itself with one colour.
struct Recorder : WindowHandler {
  std::vector<Message>* log;
  Colour colour;
  Recorder(std::vector<Message>* l, Colour c) : log(l), colour(c) {}
  int32_t OnMessage(Platform&, const Message& m) override {
    log->push_back(m);
    return 1;
  }
  void Paint(Platform& p, WindowId id, Canvas& c) override { c.FillRect(p.ClientRect(id), colour); }
};

int Count(const std::vector<Message>& log, MessageType t) {
  return int(std::count_if(log.begin(), log.end(), [t](const Message& m) { return m.type == t; }));
}

WindowId MakeTop(Platform& p, std::unique_ptr<WindowHandler> h = nullptr) {
  TopLevelSpec spec{"窗口", "", {}, {100, 100, 206, 125}};
  spec.handler = std::move(h);
  return p.CreateTopLevel(std::move(spec));
}

TEST(PlatformTest, ClientAreaFollowsTheFixedMetrics) {
  EXPECT_EQ(ClientRectFor({}, {0, 0, 586, 474}), (Rect{3, 22, 580, 449}));
  WindowStyle none;
  none.frame = FrameKind::kNone;
  EXPECT_EQ(ClientRectFor(none, {0, 0, 586, 474}), (Rect{0, 0, 586, 474}));
  WindowStyle tool;
  tool.frame = FrameKind::kSizable;
  tool.tool_window = true;
  tool.client_edge = true;
  EXPECT_EQ(ClientRectFor(tool, {0, 0, 100, 100}), (Rect{6, 22, 88, 72}));
}

TEST(PlatformTest, DisabledWindowsGetNoInputAtAll) {
  std::vector<Message> top_log, child_log;
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId top = MakeTop(p, std::make_unique<Recorder>(&top_log, 0));
  WindowId child = p.CreateChild(
      {top, {10, 10, 50, 20}, 0, false, true, std::make_unique<Recorder>(&child_log, 0)});
  p.Show(child, ShowMode::kNormal);
  p.Show(top, ShowMode::kNormal);
  p.SetFocus(child);
  auto input = [&] {
    h.backend->Click(top, {20, 15});
    h.backend->Click(top, {150, 80});
    h.backend->Key(key::kSpace, 0, " ");
    h.backend->MouseMove(top, {30, 15});
  };
  auto input_count = [](const std::vector<Message>& log) {
    int n = 0;
    for (auto t : {MessageType::kMouseDown, MessageType::kMouseUp, MessageType::kKeyDown,
                   MessageType::kKeyUp, MessageType::kChar, MessageType::kMouseMove})
      n += Count(log, t);
    return n;
  };
  int activations = 0;
  p.SetActivationHook([&](WindowId) { ++activations; });

  p.Enable(top, false);
  h.backend->Then(input);
  h.RunLoop();
  EXPECT_EQ(input_count(top_log) + input_count(child_log), 0);
  EXPECT_EQ(activations, 4) << "the activation and the press of each click both ask";

  p.Enable(top, true);
  p.Enable(child, false);
  top_log.clear();
  child_log.clear();
  h.backend->Then(input);
  h.RunLoop();
  EXPECT_EQ(input_count(child_log), 0);
  EXPECT_EQ(Count(top_log, MessageType::kMouseDown), 1) << "only the click beside the child";

  p.Enable(top, false);
  h.backend->Then([&] { h.backend->Close(top); });
  h.RunLoop();
  EXPECT_EQ(Count(top_log, MessageType::kCloseRequest), 0) << "a disabled window refuses to close";
  EXPECT_EQ(activations, 5);
}

struct ButtonCase {
  const char* name;
  bool disabled;
  std::function<void(HeadlessBackend&, WindowId)> input;
  int clicks;
};

TEST(PlatformTest, PushButtonReportsClicksOnlyForCompletePresses) {
  const ButtonCase cases[] = {
      {"press and release inside", false,
       [](auto& b, WindowId t) {
         b.Click(t, {30, 20});
       },
       1},
      {"space with the focus", false, [](auto& b, WindowId) { b.Key(key::kSpace, 0, " "); }, 1},
      {"released outside", false,
       [](auto& b, WindowId t) {
         b.MouseDown(t, {30, 20});
         b.MouseMove(t, {150, 100});
         b.MouseUp(t, {150, 100});
       },
       0},
      {"left and back before release", false,
       [](auto& b, WindowId t) {
         b.MouseDown(t, {30, 20});
         b.MouseMove(t, {150, 100});
         b.MouseMove(t, {31, 21});
         b.MouseUp(t, {31, 21});
       },
       1},
      {"right button", false,
       [](auto& b, WindowId t) {
         b.Click(t, {30, 20}, MouseButton::kRight);
       },
       0},
      {"space never released", false, [](auto& b, WindowId) { b.KeyDown(key::kSpace, 0, " "); }, 0},
      {"disabled, click", true,
       [](auto& b, WindowId t) {
         b.Click(t, {30, 20});
       },
       0},
      {"disabled, space", true, [](auto& b, WindowId) { b.Key(key::kSpace, 0, " "); }, 0},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Message> log;  // outlives the platform, which reports destruction into it
    HeadlessPlatform h;
    Platform& p = *h.platform;
    WindowId top = MakeTop(p, std::make_unique<Recorder>(&log, 0));
    WindowId button = p.CreateChild({top,
                                     {10, 10, 80, 30},
                                     100,
                                     c.disabled,
                                     true,
                                     std::make_unique<PushButton>(PushButtonLook{"按钮"})});
    p.Show(button, ShowMode::kNormal);
    p.Show(top, ShowMode::kNormal);
    p.SetFocus(button);
    h.backend->Then([&] { c.input(*h.backend, top); });
    h.RunLoop();
    EXPECT_EQ(Count(log, MessageType::kCommand), c.clicks);
    if (c.clicks) {
      EXPECT_EQ(WindowId(log.back().arg0), button);
    }
  }
}

TEST(PlatformTest, PressedButtonLooksPressedUntilReleased) {
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId top = MakeTop(p);
  WindowId button = p.CreateChild(
      {top, {10, 10, 80, 30}, 100, false, true, std::make_unique<PushButton>(PushButtonLook{""})});
  p.Show(button, ShowMode::kNormal);
  p.Show(top, ShowMode::kNormal);
  auto corner = [&] { return ColourOf(p.CaptureClient(top)->At(10, 10)); };
  EXPECT_EQ(corner(), kLight3D) << "raised: light outer top-left";
  h.backend->Then([&] { h.backend->MouseDown(top, {30, 20}); });
  h.RunLoop();
  EXPECT_EQ(corner(), kWindowFrame) << "pressed: dark frame";
  h.backend->Then([&] { h.backend->MouseUp(top, {30, 20}); });
  h.RunLoop();
  EXPECT_EQ(corner(), kLight3D);
}

TEST(PlatformTest, PostedMessagesArriveInOrderAndQuitEndsTheLoop) {
  std::vector<Message> log;
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId top = MakeTop(p, std::make_unique<Recorder>(&log, 0));
  log.clear();
  for (int i = 0; i < 5; ++i) p.Post({.type = MessageType::kCommand, .window = top, .code = i});
  p.PostQuit(7);
  p.Post({.type = MessageType::kCommand, .window = top, .code = 5});
  Message m;
  std::vector<int> codes;
  while (p.GetMessage(&m)) {
    p.DispatchMessage(m);
    codes.push_back(m.code);
  }
  EXPECT_EQ(codes, (std::vector<int>{0, 1, 2, 3, 4, 5})) << "quit waits for what is queued";
  EXPECT_EQ(m.type, MessageType::kQuit);
  EXPECT_EQ(m.code, 7);
  EXPECT_FALSE(p.GetMessage(&m)) << "with nothing left, waiting ends";
  EXPECT_EQ(m.code, 1);
}

TEST(PlatformTest, StackingDecidesPaintingAndHitTesting) {
  std::vector<Message> a_log, b_log;
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId top = MakeTop(p);
  WindowId a = p.CreateChild(
      {top, {0, 0, 40, 40}, 1, false, false, std::make_unique<Recorder>(&a_log, Rgb(255, 0, 0))});
  WindowId b = p.CreateChild(
      {top, {20, 20, 40, 40}, 2, false, false, std::make_unique<Recorder>(&b_log, Rgb(0, 0, 255))});
  p.Show(a, ShowMode::kNormal);
  p.Show(b, ShowMode::kNormal);
  p.Show(top, ShowMode::kNormal);
  auto probe = [&](WindowId expected, Colour colour) {
    a_log.clear();
    b_log.clear();
    h.backend->Then([&] { h.backend->Click(top, {30, 30}); });
    h.RunLoop();
    EXPECT_EQ(Count(expected == a ? a_log : b_log, MessageType::kMouseDown), 1);
    EXPECT_EQ(Count(expected == a ? b_log : a_log, MessageType::kMouseDown), 0);
    EXPECT_EQ(ColourOf(p.CaptureClient(top)->At(30, 30)), colour);
  };
  probe(b, Rgb(0, 0, 255));  // created last: on top
  p.PlaceBelow(b, a);
  probe(a, Rgb(255, 0, 0));
  p.PlaceBelow(b, kNoWindow);
  probe(b, Rgb(0, 0, 255));
  EXPECT_EQ(ColourOf(p.CaptureClient(top)->At(5, 5)), Rgb(255, 0, 0));
}

TEST(PlatformTest, AWindowDestroyedInsideItsOwnHandlerStaysUntilTheHandlerReturns) {
  struct SelfDestroyer : WindowHandler {
    std::string payload = "still here";
    std::string* seen;
    explicit SelfDestroyer(std::string* s) : seen(s) {}
    int32_t OnMessage(Platform& p, const Message& m) override {
      if (m.type != MessageType::kCommand) return 0;
      p.Destroy(m.window);
      *seen = payload;  // the handler object must still be alive here
      return 0;
    }
  };
  std::string seen;
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId top = MakeTop(p, std::make_unique<SelfDestroyer>(&seen));
  p.Send({.type = MessageType::kCommand, .window = top});
  EXPECT_EQ(seen, "still here");
  EXPECT_FALSE(p.Exists(top));
  EXPECT_FALSE(p.Show(top, ShowMode::kNormal));
  EXPECT_EQ(p.Send({.type = MessageType::kCommand, .window = top}), 0);
}

TEST(PlatformTest, ActivationAndFocus) {
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId one = MakeTop(p), two = MakeTop(p);
  WindowId child = p.CreateChild({two, {0, 0, 10, 10}, 1, false, true, nullptr});
  p.Show(child, ShowMode::kNormal);
  EXPECT_FALSE(p.Activate(one)) << "a hidden window is never active";
  p.Show(one, ShowMode::kNormal);
  EXPECT_EQ(p.ActiveWindow(), one);
  p.Show(two, ShowMode::kNormal);
  p.SetFocus(child);
  EXPECT_EQ(p.Focus(), child);
  EXPECT_TRUE(p.Activate(one));
  EXPECT_EQ(p.Focus(), one);
  p.Enable(two, false);
  EXPECT_FALSE(p.Activate(two));
  p.Enable(two, true);
  EXPECT_TRUE(p.Activate(two));
  EXPECT_EQ(p.Focus(), child) << "the focus comes back where it was";
}

// Notes, for each time it paints, whether it had the focus then.
struct FocusPainter : WindowHandler {
  std::vector<bool>* painted_focused;
  explicit FocusPainter(std::vector<bool>* log) : painted_focused(log) {}
  int32_t OnMessage(Platform&, const Message&) override { return 0; }
  void Paint(Platform& p, WindowId id, Canvas&) override {
    painted_focused->push_back(p.Focus() == id);
  }
};

// Hands the focus to its first control when it gets it, as the run time's windows do.
struct PassesFocusOn : WindowHandler {
  WindowId* control;
  explicit PassesFocusOn(WindowId* c) : control(c) {}
  int32_t OnMessage(Platform& p, const Message& m) override {
    if (m.type == MessageType::kFocusGained && m.window != *control) p.SetFocus(*control);
    return 0;
  }
  void Paint(Platform&, WindowId, Canvas&) override {}
};

TEST(PlatformTest, TheFirstFrameAlreadyShowsWhereTheFocusIs) {
  HeadlessPlatform h;
  Platform& p = *h.platform;
  WindowId control = kNoWindow;
  std::vector<bool> painted_focused;
  WindowId top = MakeTop(p, std::make_unique<PassesFocusOn>(&control));
  control = p.CreateChild(
      {top, {0, 0, 10, 10}, 1, false, true, std::make_unique<FocusPainter>(&painted_focused)});
  p.Show(control, ShowMode::kNoActivate);
  p.Show(top, ShowMode::kNormal);
  EXPECT_EQ(p.Focus(), control);
  EXPECT_EQ(painted_focused, std::vector<bool>{true})
      << "the window is activated before its first frame, so nothing changes once it is seen";
}

// ---- canvas ----

struct Surface {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 12);
  ~Surface() { cairo_surface_destroy(s); }
  Colour At(int x, int y) {
    cairo_surface_flush(s);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) +
                                            y * cairo_image_surface_get_stride(s));
    return ColourOf(row[x]);
  }
};

TEST(CanvasTest, FillsAndEdgesAreExact) {
  Surface s;
  {
    Canvas c(s.s, {0, 0}, {0, 0, 20, 12});
    c.FillRect({0, 0, 20, 12}, kButtonFace);
    c.FillRect({2, 3, 4, 5}, Rgb(1, 2, 3));
  }
  EXPECT_EQ(s.At(2, 3), Rgb(1, 2, 3));
  EXPECT_EQ(s.At(5, 7), Rgb(1, 2, 3));
  EXPECT_EQ(s.At(6, 7), kButtonFace);
  EXPECT_EQ(s.At(5, 8), kButtonFace);

  struct EdgeCase {
    Edge edge;
    Colour outer_tl, outer_br, inner_tl, inner_br;
  };
  for (auto e : {EdgeCase{Edge::kSunken, kShadow3D, kHighlight3D, kDarkShadow3D, kLight3D},
                 EdgeCase{Edge::kRaised, kLight3D, kDarkShadow3D, kHighlight3D, kShadow3D}}) {
    Canvas c(s.s, {0, 0}, {0, 0, 20, 12});
    c.FillRect({0, 0, 20, 12}, kButtonFace);
    c.DrawEdge({0, 0, 20, 12}, e.edge);
    EXPECT_EQ(s.At(0, 0), e.outer_tl);
    EXPECT_EQ(s.At(18, 0), e.outer_tl);
    EXPECT_EQ(s.At(19, 0), e.outer_br) << "the bottom-right colour owns the top-right corner";
    EXPECT_EQ(s.At(0, 11), e.outer_br);
    EXPECT_EQ(s.At(19, 11), e.outer_br);
    EXPECT_EQ(s.At(1, 1), e.inner_tl);
    EXPECT_EQ(s.At(18, 10), e.inner_br);
    EXPECT_EQ(s.At(2, 2), kButtonFace);
  }
}

TEST(CanvasTest, DrawingStaysInsideTheClipAndOrigin) {
  Surface s;
  {
    Canvas c(s.s, {0, 0}, {0, 0, 20, 12});
    c.FillRect({0, 0, 20, 12}, 0);
  }
  {
    Canvas c(s.s, {5, 2}, {0, 0, 4, 4});  // a 4 x 4 child at (5, 2)
    c.FillRect({-10, -10, 100, 100}, Rgb(9, 9, 9));
    c.FillPixels({0, 0, 50, 50}, [](int x, int y) { return Rgb(uint8_t(x), uint8_t(y), 0); });
  }
  EXPECT_EQ(s.At(5, 2), Rgb(0, 0, 0) | Rgb(0, 0, 0));
  EXPECT_EQ(s.At(8, 5), Rgb(3, 3, 0));
  EXPECT_EQ(s.At(9, 5), 0u);
  EXPECT_EQ(s.At(4, 2), 0u);
}

TEST(CanvasTest, TextIsClippedAndMnemonicsAreStripped) {
  EXPECT_EQ(StripMnemonics("&&").text, "&");
  EXPECT_EQ(StripMnemonics("a&&b&c").text, "a&bc");
  EXPECT_EQ(StripMnemonics("a&&b&c").underline_begin, 3);
  EXPECT_EQ(StripMnemonics("单击&我").underline_end - StripMnemonics("单击&我").underline_begin, 3);
  EXPECT_EQ(StripMnemonics("end&").text, "end");
  EXPECT_EQ(MnemonicOf("&open"), U'O');
  EXPECT_EQ(MnemonicOf("单击我获取礼包"), 0u);

  Surface s;
  {
    Canvas c(s.s, {0, 0}, {0, 0, 20, 12});
    c.FillRect({0, 0, 20, 12}, Rgb(255, 255, 255));
    c.DrawText("礼包礼包礼包", {0, 0, 10, 12}, Font::DefaultGui(), 0, {});
  }
  bool ink_inside = false, ink_outside = false;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      (x < 10 ? ink_inside : ink_outside) |= s.At(x, y) != Rgb(255, 255, 255);
  EXPECT_TRUE(ink_inside);
  EXPECT_FALSE(ink_outside) << "text that does not fit is cut at the rectangle";
}

TEST(FontTest, RecordsRoundTripAndMapChineseFaces) {
  FontRecord r;
  r.height = -12;
  r.underline = 1;
  r.face_cp936 = *Utf8ToCp936("宋体");
  auto bytes = EncodeFontRecord(r);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 60u);
  EXPECT_EQ((*bytes)[28], 0xCB);  // 宋 in code page 936 is CB CE
  EXPECT_EQ((*bytes)[29], 0xCE);
  auto back = ParseFontRecord(*bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, r);
  EXPECT_FALSE(ParseFontRecord(std::span(bytes->data(), 59)));
  Font f = Font::FromRecord(r);
  EXPECT_EQ(f.family(), "Noto Serif CJK SC");
  EXPECT_EQ(f.pixel_height(), 12);
  EXPECT_TRUE(f.underline());
  EXPECT_EQ(FamilyForFace("微软雅黑"), "Noto Sans CJK SC");
  EXPECT_EQ(FamilyForFace(""), kDefaultGuiFace);
  FontRecord too_long;
  too_long.face_cp936 = std::string(32, 'a');
  EXPECT_FALSE(EncodeFontRecord(too_long));
}

}  // namespace
