// Form descriptions: the loader's checks, and windows built from small test forms.
#include "runtime/form_loader.h"
#include "tests/runtime_support.h"

namespace {

using namespace test;
using runtime::Bytes;

// A 24-bit BMP whose pixel (x, y) has the colour f(x, y) (0x00BBGGRR).
template <typename F>
Bytes MakeBmp(int w, int h, F f) {
  const int stride = (w * 3 + 3) & ~3;
  Bytes b(54 + size_t(stride) * h, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  b[26] = 1, b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = f(x, y);
      size_t at = 54 + size_t(h - 1 - y) * stride + size_t(x) * 3;
      b[at] = uint8_t(c >> 16), b[at + 1] = uint8_t(c >> 8), b[at + 2] = uint8_t(c);
    }
  return b;
}

constexpr uint32_t kTest = 0x52010077;

// A harness with one test window whose own unit carries the given settings.
void UseTestWindow(RuntimeHarness& t, const std::string& settings,
                   const std::string& controls = "") {
  t.form_texts = {
      {"test.toml", "window = 0x52010077\n[[unit]]\nnumber = 0x06010070\nkind = \"window\"\n" +
                        settings + "\n" + controls}};
}

struct BrokenForm {
  const char* text;
  const char* error;
};

TEST(FormLoaderTest, BrokenFormsAreRefusedWithFileAndLine) {
  const std::string head =
      "window = 0x52010077\n[[unit]]\nnumber = 0x06010070\nkind = \"window\"\n";
  const BrokenForm cases[] = {
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\ncolour = 3\n",
       "f.toml:5: unknown key \"colour\" for a window"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\ntitle = 3\n",
       "f.toml:5: title must be a text"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\nborder_style = 7\n",
       "f.toml:5: border_style must be 0 to 6, not 7"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\n[[unit]]\nnumber = 1\nkind = "
       "\"label\"\n",
       "f.toml:5: unit number 0x1 is used twice"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"slider\"\n",
       "f.toml:4: unknown kind \"slider\""},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\nbackground_picture = "
       "\"nope.jpg\"\n",
       "f.toml:5: unknown asset \"nope.jpg\""},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\n[[unit]]\nnumber = 2\nkind = "
       "\"label\"\nfont = \"0011\"\n",
       "f.toml:8: a font record must be 60 bytes, not 2"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\nvisible = \"yes\"\n",
       "f.toml:5: visible must be true or false"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\nbackground_colour = "
       "0x01000000\n",
       "f.toml:5: background_colour must be 0x00BBGGRR or 0xFF000000"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\nevents = [{ event = 9, key = "
       "1 }]\n",
       "f.toml:5: a window has no event 9"},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"label\"\n",
       "f.toml:2: the first unit must be the window itself"},
      {"window = 0x52010077\ntitle = 1\n", "f.toml:2: unknown key \"title\""},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\ntitle = \"unclosed\n",
       "f.toml:5: "},
      {"window = 0x52010077\n[[unit]]\nnumber = 1\nkind = \"window\"\nleft = 4294967296\n",
       "f.toml:5: left does not fit 32 bits"},
  };
  auto assets = [](std::string_view) -> const Bytes* { return nullptr; };
  for (const BrokenForm& c : cases) {
    runtime::FormLoadResult r = runtime::LoadForm("f.toml", c.text, assets);
    EXPECT_FALSE(r.form) << c.text;
    EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << "got: " << r.error;
  }
}

TEST(FormLoaderTest, TheRealFormsHoldEveryValue) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  const runtime::FormDescription* main = rt.FindForm(kMain);
  ASSERT_TRUE(main);
  ASSERT_EQ(main->units.size(), 6u);
  EXPECT_EQ(main->Own().Text(runtime::window::kTitle), "蓝砂纪礼包大全");
  EXPECT_EQ(main->Own().Int(runtime::window::kPictureLayout), 1);
  EXPECT_EQ(main->Own().Int(runtime::window::kBorderStyle), 2) << "the default";
  const runtime::Unit& button = main->units[4];
  EXPECT_EQ(button.name, "按钮1");
  EXPECT_EQ(button.bindings.at(0).handler_key, 0x0Bu);
  EXPECT_EQ(main->units[1].bindings.at(0).handler_key, 0x00u) << "key 0 is a real binding";
  EXPECT_TRUE(main->units[1].bindings.at(0).handler);
  for (const auto& [number, value] : main->units[3].given)
    EXPECT_LE(number, 8) << "标签2 gives nothing of its own";
  EXPECT_EQ(main->units[3].Text(runtime::label::kCaption), "标签");
  const runtime::FormDescription* gifts = rt.FindForm(kGifts);
  ASSERT_TRUE(gifts);
  EXPECT_EQ(gifts->units.size(), 12u);
  EXPECT_EQ(gifts->Own().Text(runtime::window::kTitle), "部分礼包仅供参考");
}

TEST(WindowBuildTest, CaptionRulesForEmptyTitles) {
  struct Case {
    const char* settings;
    bool caption, system_menu;
  };
  for (Case c :
       {Case{"title = \"\"", true, true}, Case{"title = \"\"\ncontrol_box = false", false, false},
        Case{"title = \"t\"\ncontrol_box = false", true, false},
        Case{"border_style = 0\ntitle = \"t\"", false, false}}) {
    RuntimeHarness t;
    UseTestWindow(t, std::string("width = 200\nheight = 100\n") + c.settings);
    runtime::Runtime& rt = t.Start();
    rt.InitRuntime();
    ASSERT_TRUE(rt.LoadWindow({kTest, 0x06010070}, std::nullopt, false));
    const platform::WindowStyle* s = t.p().Style(t.Top(kTest));
    EXPECT_EQ(s->caption, c.caption) << c.settings;
    EXPECT_EQ(s->system_menu, c.system_menu) << c.settings;
  }
}

TEST(WindowBuildTest, PictureLayouts) {
  const uint32_t kBack = 0x00123456;
  auto coded = [](int x, int y) { return platform::Rgb(uint8_t(x), uint8_t(y), 7); };
  struct Case {
    const char* name;
    int pw, ph, layout, cw, ch;
    std::vector<std::pair<platform::Point, uint32_t>> pixels;
  };
  const Case cases[] = {
      {"tiled, smaller than the client",
       100,
       60,
       1,
       250,
       150,
       {{{0, 0}, coded(0, 0)},
        {{99, 59}, coded(99, 59)},
        {{100, 60}, coded(0, 0)},
        {{249, 149}, coded(49, 29)},
        {{210, 130}, coded(10, 10)}}},
      {"tiled, exactly as large",
       250,
       150,
       1,
       250,
       150,
       {{{249, 149}, coded(249, 149)}, {{0, 0}, coded(0, 0)}}},
      {"natural size at the top left",
       100,
       60,
       0,
       250,
       150,
       {{{99, 59}, coded(99, 59)}, {{100, 10}, kBack}, {{10, 60}, kBack}}},
      {"1000 x 200 shrunk into 500 x 400",
       1000,
       200,
       2,
       500,
       400,
       {{{250, 149}, kBack},
        {{250, 250}, kBack},
        {{0, 150}, coded(0, 0)},
        {{2, 248}, coded(4, 196)}}},
      {"stretched", 50, 50, 3, 250, 150, {{{0, 0}, coded(0, 0)}, {{249, 149}, coded(49, 49)}}},
      {"any other layout", 50, 50, 9, 250, 150, {{{0, 0}, kBack}, {{249, 149}, kBack}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RuntimeHarness t(platform::Size{1280, 1024}, 8);  // 8 bits: nearest scaling, exact pixels
    t.assets["p.bmp"] = MakeBmp(c.pw, c.ph, [&](int x, int y) { return coded(x % 256, y % 256); });
    UseTestWindow(
        t, "width = " + std::to_string(c.cw + 6) + "\nheight = " + std::to_string(c.ch + 25) +
               "\nbackground_picture = \"p.bmp\"\nbackground_colour = 0x123456\npicture_layout = " +
               std::to_string(c.layout));
    runtime::Runtime& rt = t.Start();
    rt.InitRuntime();
    ASSERT_TRUE(rt.LoadWindow({kTest, 0x06010070}, std::nullopt, false));
    EXPECT_EQ(t.p().ClientRect(t.Top(kTest)), (platform::Rect{0, 0, c.cw, c.ch}));
    for (auto [p, colour] : c.pixels)
      EXPECT_EQ(t.Pixel(kTest, p.x, p.y), colour) << p.x << "," << p.y;
  }
}

TEST(WindowBuildTest, AnUndecodablePictureLeavesTheBackgroundColour) {
  RuntimeHarness t;
  t.assets["bad.jpg"] = {0xFF, 0xD8, 0xFF, 0x00, 0x01};
  UseTestWindow(
      t,
      "width = 106\nheight = 125\nbackground_picture = \"bad.jpg\"\nbackground_colour = 0x00FF00");
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  ASSERT_TRUE(rt.LoadWindow({kTest, 0x06010070}, std::nullopt, false));
  EXPECT_EQ(t.Pixel(kTest, 50, 50), 0x00FF00u);
}

TEST(WindowBuildTest, TheMainWindowPictureTilesIntoTheRowsBelowIt) {
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  rt.LoadStartWindow(kMain);
  auto image = t.p().CaptureClient(t.Top(kMain));
  ASSERT_TRUE(image);
  for (int y : {444, 446, 448})
    for (int x : {5, 200, 579}) {
      if ((x == 5 && y > 415) || (x == 579 && y < 441)) continue;  // 标签3 and 按钮1 lie there
      EXPECT_EQ(image->At(x, y), image->At(x, y - 444)) << x << "," << y;
    }
}

}  // namespace

namespace {

TEST(WindowBuildTest, ShapesDragAnywhereAndTopmost) {
  RuntimeHarness t;
  UseTestWindow(t,
                "width = 106\nheight = 125\nshape = 3\ndrag_anywhere = true\nalways_on_top = true\n"
                "border_style = 0");
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  ASSERT_TRUE(rt.LoadWindow({kTest, 0x06010070}, std::nullopt, false));
  const auto* record = t.backend().Find(t.Top(kTest));
  ASSERT_TRUE(record);
  EXPECT_TRUE(record->spec.style.topmost);
  // A ring: the middle row has two spans, left and right of the hole; the top row one.
  int middle = 0, top = 0;
  for (const platform::Rect& r : record->shape) {
    middle += r.y == 62;
    top += r.y == 0;
  }
  EXPECT_EQ(middle, 2);
  EXPECT_EQ(top, 1);
  t.backend().Then([&] { t.backend().Click(t.Top(kTest), {50, 10}); });
  t.h.RunLoop();
  EXPECT_EQ(t.backend().move_drags, 1) << "a press on the client area moves the window";
}

TEST(WindowBuildTest, TabMovesTheFocusInFocusOrder) {
  RuntimeHarness t;
  std::string buttons;
  for (int i = 1; i <= 3; ++i)
    buttons += "[[unit]]\nnumber = " + std::to_string(i) + "\nkind = \"button\"\nname = \"按钮" +
               std::to_string(i) + "\"\nleft = " + std::to_string(i * 30) +
               "\ntop = 0\nwidth = 20\nheight = 20\ntakes_focus = true\n"
               "focus_order = " +
               std::to_string(3 - i) + "\n";
  UseTestWindow(t, "width = 206\nheight = 125", buttons);
  runtime::Runtime& rt = t.Start();
  rt.InitRuntime();
  ASSERT_TRUE(rt.LoadWindow({kTest, 0x06010070}, std::nullopt, false));
  std::vector<platform::WindowId> seen;
  auto focus = [&] { seen.push_back(t.p().Focus()); };
  focus();
  // Each key is handled after its step; the next step sees where the focus went.
  for (uint32_t mods : {0u, 0u, 0u, uint32_t(platform::kShift)}) {
    t.backend().Then([&, mods] { t.backend().Key(platform::key::kTab, mods); });
    t.backend().Then(focus);
  }
  t.h.RunLoop();
  auto b = [&](const char* name) { return t.Control(kTest, name); };
  EXPECT_EQ(seen, (std::vector<platform::WindowId>{b("按钮3"), b("按钮2"), b("按钮1"), b("按钮3"),
                                                   b("按钮1")}));
}

}  // namespace
