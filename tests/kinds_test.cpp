// The label and button kinds: the gradient rule, borders, captions, stacking.
#include "platform/metrics.h"
#include "program/program.h"
#include "runtime/gradient.h"
#include "tests/runtime_support.h"

namespace {

using namespace test;
using runtime::GradientColour;
using runtime::UsableColours;

constexpr uint32_t kTest = 0x52010077;

void UseTestWindow(RuntimeHarness& t, const std::string& controls) {
  t.form_texts = {{"test.toml",
                   "window = 0x52010077\n[[unit]]\nnumber = 0x06010070\nkind = \"window\"\n"
                   "width = 406\nheight = 225\nbackground_colour = 0x00FF00\n" +
                       controls}};
}

RuntimeHarness& Loaded(RuntimeHarness& t) {
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  EXPECT_TRUE(rt.LoadWindow({kTest, 0x06010070}, std::nullopt, false));
  return t;
}

std::string Label(int number, const std::string& rect, const std::string& settings = "") {
  return "[[unit]]\nnumber = " + std::to_string(number) + "\nkind = \"label\"\nname = \"标签" +
         std::to_string(number) + "\"\n" + rect + "\n" + settings + "\n";
}

TEST(GradientTest, TheWorkedExample) {
  auto c = UsableColours({0x00000080, 0x00808000, 0x00808000});
  auto row = [&](int y) { return GradientColour(1, 100, 32, 0, y, c); };
  EXPECT_EQ(row(0), platform::Rgb(128, 0, 0));
  EXPECT_EQ(row(8), platform::Rgb(64, 64, 64));
  EXPECT_EQ(row(15), platform::Rgb(8, 120, 120));
  EXPECT_EQ(row(16), platform::Rgb(0, 128, 128));
  EXPECT_EQ(row(31), platform::Rgb(0, 128, 128));
  for (int y = 0; y < 16; ++y)
    EXPECT_EQ(row(y), platform::Rgb(uint8_t(128 - 8 * y), uint8_t(8 * y), uint8_t(8 * y)));
}

TEST(GradientTest, AllDirectionsAndEdgeCases) {
  // Black to white over a 10 x 6 rectangle: the pixel where each direction starts is black, and
  // the position grows away from it.
  const auto bw = UsableColours({0x000000, 0xFFFFFF});
  struct Case {
    int direction, x, y;
    uint8_t grey;
  };
  const Case cases[] = {
      {1, 3, 0, 0}, {1, 3, 3, 127}, {1, 0, 5, 212},  // s = 6: p = y
      {2, 0, 2, 0}, {2, 5, 2, 127}, {2, 9, 0, 229},  // s = 10: p = x
      {3, 0, 0, 0}, {3, 3, 3, 127}, {3, 9, 5, 255},  // s = 12: p = x + y, past the end: last
      {4, 9, 0, 0}, {4, 0, 0, 191},                  // p = (w - 1 - x) + y
      {5, 0, 5, 0}, {5, 0, 0, 212},                  // p = h - 1 - y
      {6, 9, 0, 0}, {6, 0, 0, 229},                  // p = w - 1 - x
      {7, 9, 5, 0}, {7, 6, 2, 127},                  // p = (w - 1 - x) + (h - 1 - y)
      {8, 0, 5, 0}, {8, 3, 2, 127},                  // p = x + (h - 1 - y)
  };
  for (const Case& c : cases)
    EXPECT_EQ(GradientColour(c.direction, 10, 6, c.x, c.y, bw),
              platform::Rgb(c.grey, c.grey, c.grey))
        << "direction " << c.direction << " at " << c.x << "," << c.y;

  EXPECT_EQ(UsableColours({0x123456, runtime::kDefaultColour, 0x654321}),
            (std::vector<uint32_t>{0x123456, 0x654321}))
      << "0xFF000000 entries are skipped";
  // A span smaller than the number of segments: seg = 0, every pixel the first colour.
  const auto three = UsableColours({0x0000FF, 0x00FF00, 0xFF0000});
  EXPECT_EQ(GradientColour(1, 5, 1, 2, 0, three), 0x0000FFu);
  EXPECT_EQ(GradientColour(3, 5, 0, 0, 0, bw), 0x000000u) << "zero span";
  // Channels truncate toward zero going down as well as up.
  EXPECT_EQ(GradientColour(2, 3, 1, 1, 0, UsableColours({0x0000FF, 0x000000})),
            0x0000AAu);  // 255 - 85
}

TEST(LabelTest, OnlyOneUsableGradientColourGivesThePlainBackground) {
  RuntimeHarness t;
  UseTestWindow(t, Label(1, "left = 0\ntop = 0\nwidth = 40\nheight = 20",
                         "caption = \"\"\ngradient = 2\nbackground_colour = 0x010203\n"
                         "gradient_colour_1 = 0xFF000000\ngradient_colour_2 = 0x00FFFFFF\n"
                         "gradient_colour_3 = 0xFF000000"));
  Loaded(t);
  EXPECT_EQ(t.Pixel(kTest, 0, 0), 0x010203u);
  EXPECT_EQ(t.Pixel(kTest, 39, 19), 0x010203u);
}

TEST(LabelTest, BorderStyleOneLeavesATextAreaFourPixelsSmaller) {
  RuntimeHarness t;
  UseTestWindow(t, Label(1, "left = 10\ntop = 10\nwidth = 40\nheight = 20",
                         "caption = \"\"\nborder_style = 1\nbackground_colour = 0x010203"));
  Loaded(t);
  using namespace platform;
  EXPECT_EQ(t.Pixel(kTest, 10, 10), kShadow3D);
  EXPECT_EQ(t.Pixel(kTest, 11, 11), kDarkShadow3D);
  EXPECT_EQ(t.Pixel(kTest, 12, 12), 0x010203u) << "text area from (2, 2)";
  EXPECT_EQ(t.Pixel(kTest, 47, 27), 0x010203u) << "to width - 3, height - 3";
  EXPECT_EQ(t.Pixel(kTest, 48, 28), kLight3D);
  EXPECT_EQ(t.Pixel(kTest, 49, 29), kHighlight3D);
}

TEST(LabelTest, GradientFrameBandsAreMitredAtTheCorners) {
  RuntimeHarness t;
  UseTestWindow(
      t,
      Label(
          1, "left = 0\ntop = 0\nwidth = 20\nheight = 12",
          "caption = \"\"\nborder_style = 6\nframe_width = 4\nframe_colour_1 = 0\n"
          "frame_colour_2 = 0xFFFFFF\nframe_colour_3 = 0xFF000000\nbackground_colour = 0x010203"));
  Loaded(t);
  auto grey = [](uint8_t g) { return platform::Rgb(g, g, g); };
  struct Probe {
    int x, y;
    uint32_t colour;
  };
  const Probe probes[] = {
      {0, 0, grey(0)},     {1, 0, grey(0)},     {0, 1, grey(0)},
      {1, 1, grey(63)},    {3, 3, grey(191)},   {19, 0, grey(0)},
      {19, 1, grey(191)},  {18, 1, grey(63)},  // top band wins the diagonal
      {19, 11, grey(191)}, {18, 11, grey(191)}, {19, 10, grey(191)},
      {0, 11, grey(191)},  {0, 10, grey(0)},    {4, 4, 0x010203},
      {15, 7, 0x010203},   {16, 7, grey(0)},    {19, 7, grey(191)},
  };
  for (const Probe& p : probes) EXPECT_EQ(t.Pixel(kTest, p.x, p.y), p.colour) << p.x << "," << p.y;
}

// The columns and rows of a rectangle that hold anything but the background colour.
struct Ink {
  int left = INT32_MAX, right = -1, top = INT32_MAX, bottom = -1;
};
Ink InkIn(RuntimeHarness& t, uint32_t window, platform::Rect r, uint32_t background) {
  auto image = t.p().CaptureClient(t.Top(window));
  Ink ink;
  for (int y = r.y; y < r.Bottom(); ++y)
    for (int x = r.x; x < r.Right(); ++x)
      if (ColourOf(image->At(x, y)) != background) {
        ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      }
  return ink;
}

TEST(LabelTest, ALabelWithNoSettingsShowsItsDefaultCaption) {
  RuntimeHarness t;
  UseTestWindow(t, Label(1, "left = 10\ntop = 10\nwidth = 100\nheight = 32"));
  Loaded(t);
  Ink ink = InkIn(t, kTest, {10, 10, 100, 32}, platform::kButtonFace);
  EXPECT_EQ(t.Pixel(kTest, 109, 41), platform::kButtonFace);
  EXPECT_LE(ink.left, 11) << "left-aligned";
  EXPECT_LT(ink.right, 10 + 30) << "two 12-pixel characters";
  EXPECT_LE(std::abs((ink.top - 10) - (41 - ink.bottom)), 3) << "vertically centred";
  auto image = t.p().CaptureClient(t.Top(kTest));
  uint32_t darkest = 0xFF;
  for (int y = 10; y < 42; ++y)
    for (int x = 10; x < 40; ++x) darkest = std::min(darkest, ColourOf(image->At(x, y)) & 0xFF);
  EXPECT_LT(darkest, 0x20u) << "black text";
}

TEST(LabelTest, LongCaptionsAreCutWithoutEllipsisAndDoubleAmpersandsDrawOne) {
  RuntimeHarness t;
  const std::string text = "caption = \"礼包礼包礼包礼包礼包\"\nbackground_colour = 0xFFFFFF";
  UseTestWindow(t, Label(1, "left = 0\ntop = 0\nwidth = 30\nheight = 20", text) +
                       Label(2, "left = 0\ntop = 40\nwidth = 300\nheight = 20", text) +
                       Label(3, "left = 0\ntop = 80\nwidth = 100\nheight = 20",
                             "caption = \"A&&B\"\nbackground_colour = 0xFFFFFF") +
                       Label(4, "left = 0\ntop = 120\nwidth = 100\nheight = 20",
                             "caption = \"A&B\"\nbackground_colour = 0xFFFFFF"));
  Loaded(t);
  auto image = t.p().CaptureClient(t.Top(kTest));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(image->At(x, y), image->At(x, y + 40)) << "the short label shows the long one cut";
  Ink amp = InkIn(t, kTest, {0, 80, 100, 20}, 0xFFFFFF);
  Ink mnemonic = InkIn(t, kTest, {0, 120, 100, 20}, 0xFFFFFF);
  EXPECT_GT(amp.right - amp.left, mnemonic.right - mnemonic.left) << "\"A&B\" is wider than \"AB\"";
}

TEST(LabelTest, TheHeadingsShowTheirGradients) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  t.backend().Then([&] { t.Click(kMain, "按钮1"); });
  t.backend().Then([&] {
    struct Probe {
      uint32_t window;
      const char* label;
      int x, y;
      uint32_t colour;
    };
    const Probe probes[] = {
        {kMain, "标签1", 0, 0, platform::Rgb(128, 0, 0)},
        {kMain, "标签1", 1, 8, platform::Rgb(64, 64, 64)},
        {kMain, "标签1", 1, 16, platform::Rgb(0, 128, 128)},
        {kMain, "标签1", 511, 31, platform::Rgb(0, 128, 128)},
        {kMain, "标签3", 103, 0, platform::Rgb(255, 0, 0)},
        {kMain, "标签3", 51, 0, platform::Rgb(255, 255, 255)},
        {kGifts, "标签1", 0, 0, platform::Rgb(0, 128, 128)},
        {kGifts, "标签1", 0, 8, platform::Rgb(255, 255, 255)},
        {kGifts, "标签1", 0, 15, platform::Rgb(144, 32, 32)},
        {kGifts, "标签3", 0, 0, platform::Rgb(0, 255, 255)},
        {kGifts, "标签3", 92, 0, platform::Rgb(255, 255, 255)},
        {kGifts, "标签3", 183, 0, platform::Rgb(3, 130, 130)},
        {kGifts, "标签5", 191, 0, platform::Rgb(128, 128, 128)},
        {kGifts, "标签5", 95, 0, platform::Rgb(255, 255, 255)},
        {kGifts, "标签5", 0, 0, platform::Rgb(130, 130, 130)},
        {kGifts, "标签8", 671, 0, platform::Rgb(255, 0, 0)},
        {kGifts, "标签8", 335, 0, platform::Rgb(0, 128, 128)},
        {kGifts, "标签10", 551, 0, platform::Rgb(0, 128, 128)},
        {kGifts, "标签10", 551, 20, platform::Rgb(255, 255, 255)},
        {kGifts, "标签10", 551, 39, platform::Rgb(135, 135, 135)},
    };
    for (const Probe& p : probes) {
      platform::Rect r = t.p().ChildRect(t.Control(p.window, p.label));
      EXPECT_EQ(t.Pixel(p.window, r.x + p.x, r.y + p.y), p.colour)
          << p.label << " " << p.x << "," << p.y;
    }
    // 标签4: a sunken edge around a button-face box with magenta text.
    platform::Rect r = t.p().ChildRect(t.Control(kMain, "标签4"));
    EXPECT_EQ(t.Pixel(kMain, r.x, r.y), platform::kShadow3D);
    EXPECT_EQ(t.Pixel(kMain, r.Right() - 3, r.y + 2), platform::kButtonFace);
    t.backend().Key(platform::key::kEscape);
  });
  t.backend().Then([&] { t.backend().Key(platform::key::kEscape); });
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
}

std::vector<int> g_presses;
void FirstPressed(int32_t, int32_t, int32_t) { g_presses.push_back(1); }
void SecondPressed(int32_t, int32_t, int32_t) { g_presses.push_back(2); }

TEST(LabelTest, TheControlStoredFirstIsOnTopForPaintingAndTheMouse) {
  g_presses.clear();
  RuntimeHarness t;
  UseTestWindow(
      t,
      Label(1, "left = 0\ntop = 0\nwidth = 40\nheight = 40",
            "caption = \"\"\nbackground_colour = 0x0000FF\nevents = [{ event = -1, key = 1 }]") +
          Label(
              2, "left = 20\ntop = 20\nwidth = 40\nheight = 40",
              "caption = \"\"\nbackground_colour = 0xFF0000\nevents = [{ event = -1, key = 2 }]"));
  t.handlers = {runtime::Handler<&FirstPressed>(1, "FirstPressed"),
                runtime::Handler<&SecondPressed>(2, "SecondPressed")};
  Loaded(t);
  EXPECT_EQ(t.Pixel(kTest, 30, 30), 0x0000FFu);
  EXPECT_EQ(t.Pixel(kTest, 50, 50), 0xFF0000u);
  t.backend().Then([&] {
    t.backend().Click(t.Top(kTest), {30, 30});
    t.backend().Click(t.Top(kTest), {50, 50});
  });
  t.h.RunLoop();
  EXPECT_EQ(g_presses, (std::vector<int>{1, 2}));
}

TEST(LabelTest, MousePointersFollowTheUnitUnderThePointer) {
  RuntimeHarness t;
  UseTestWindow(t, Label(1, "left = 0\ntop = 0\nwidth = 40\nheight = 40", "mouse_pointer = 14") +
                       Label(2, "left = 100\ntop = 0\nwidth = 40\nheight = 40",
                             "mouse_pointer = \"program_icon.ico\""));
  Loaded(t);
  auto pointer_at = [&](platform::Point p) {
    t.backend().MouseMove(t.Top(kTest), p);
    return t.backend().Find(t.Top(kTest))->cursor;
  };
  EXPECT_EQ(pointer_at({10, 10}).stock, 14) << "the hand";
  EXPECT_TRUE(pointer_at({110, 10}).image) << "a custom cursor file";
  EXPECT_EQ(pointer_at({300, 100}).stock, 0) << "the window's own: the class arrow";
  EXPECT_FALSE(pointer_at({300, 100}).image);
}

TEST(ButtonTest, PicturesAndDefaultButtons) {
  RuntimeHarness t;
  t.assets["bad.png"] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3};
  UseTestWindow(
      t,
      "[[unit]]\nnumber = 1\nkind = \"button\"\nleft = 0\ntop = 0\nwidth = 80\nheight = 30\n"
      "button_type = 1\ncaption = \"&OK\"\n"
      "[[unit]]\nnumber = 2\nkind = \"button\"\nleft = 100\ntop = 0\nwidth = 80\nheight = 30\n"
      "picture = \"program_icon.ico\"\n"
      "[[unit]]\nnumber = 3\nkind = \"button\"\nleft = 200\ntop = 0\nwidth = 80\nheight = 30\n"
      "picture = \"bad.png\"\ncaption = \"text\"\n");
  Loaded(t);
  EXPECT_EQ(t.Pixel(kTest, 0, 0), platform::kWindowFrame) << "the default button's dark frame";
  EXPECT_EQ(t.Pixel(kTest, 100, 0), platform::kLight3D) << "a normal button's raised edge";
  Ink icon = InkIn(t, kTest, {102, 2, 76, 26}, platform::kButtonFace);
  EXPECT_GE(icon.right - icon.left, 20) << "the icon is drawn";
  Ink text = InkIn(t, kTest, {202, 2, 76, 26}, platform::kButtonFace);
  EXPECT_GT(text.right, text.left) << "undecodable data leaves a text button";
}

}  // namespace
