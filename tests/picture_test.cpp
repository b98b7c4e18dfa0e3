// Picture decoding against files written by another tool (ImageMagick), and bad data of every
// format.
#include <random>

#include "platform/picture/decode.h"
#include "tests/test_support.h"

namespace {

using namespace platform;

class PictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = test::TempDir() + "/pictures";
    const std::string d = dir_;
    ASSERT_TRUE(test::Run(
        "mkdir -p " + d + " && cd " + d +
        " && convert -size 64x48 gradient:red-blue -fill '#20C040' -draw 'rectangle 8,8 30,20' "
        "ref.png"
        " && convert ref.png -interlace JPEG -quality 100 -sampling-factor 1x1 progressive.jpg"
        " && convert ref.png -interlace none -quality 100 -sampling-factor 1x1 baseline.jpg"
        " && convert ref.png -type TrueColor BMP3:truecolour.bmp"
        " && convert ref.png -colors 16 -type Palette BMP3:palette.bmp"
        " && convert palette.bmp palette.png"
        " && convert ref.png -define icon:auto-resize=32,16 icon.ico"
        " && convert ref.png -colors 64 first.gif"
        " && convert first.gif gif.png"
        " && convert ref.png -strip stripped.png"
        " && convert ref.png pcx.pcx"
        " && convert pcx.pcx pcx.png"));
  }
  static std::vector<uint8_t> File(const std::string& name) {
    return test::ReadFile(dir_ + "/" + name);
  }
  static Image Decoded(const std::string& name) {
    auto bytes = File(name);
    auto image = DecodePicture(bytes);
    EXPECT_TRUE(image) << name;
    return image ? *image : Image();
  }
  static int MaxDifference(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) return 1000;
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
      for (int c = 0; c < 32; c += 8)
        worst =
            std::max(worst, std::abs(int(a.pixels[i] >> c & 0xFF) - int(b.pixels[i] >> c & 0xFF)));
    return worst;
  }
  static inline std::string dir_;
};

TEST_F(PictureTest, EveryFormatDecodesToTheSamePixelsAsAnotherTool) {
  Image ref = Decoded("ref.png");
  ASSERT_EQ(ref.width, 64);
  ASSERT_EQ(ref.height, 48);
  EXPECT_EQ(DetectPictureFormat(File("progressive.jpg")), PictureFormat::kJpeg);
  EXPECT_LE(MaxDifference(Decoded("progressive.jpg"), ref), 6) << "within JPEG rounding";
  EXPECT_LE(MaxDifference(Decoded("baseline.jpg"), ref), 6);
  EXPECT_EQ(MaxDifference(Decoded("truecolour.bmp"), ref), 0);
  EXPECT_EQ(MaxDifference(Decoded("palette.bmp"), Decoded("palette.png")), 0);
  EXPECT_EQ(MaxDifference(Decoded("first.gif"), Decoded("gif.png")), 0);
  EXPECT_EQ(MaxDifference(Decoded("pcx.pcx"), Decoded("pcx.png")), 0);
  auto icons = DecodeIconImages(File("icon.ico"));
  ASSERT_EQ(icons.size(), 2u);
  EXPECT_EQ(icons[0].width, 32);
  EXPECT_EQ(icons[1].width, 16);
  EXPECT_EQ(IconImageForSize(File("icon.ico"), 16)->width, 16);
  EXPECT_EQ(IconImageForSize(File("icon.ico"), 24)->width, 24) << "scaled from the 32 x 32 image";
}

TEST_F(PictureTest, BadOrTruncatedDataGivesNothing) {
  for (const char* name : {"progressive.jpg", "baseline.jpg", "stripped.png", "truecolour.bmp",
                           "palette.bmp", "icon.ico", "first.gif", "pcx.pcx"}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> whole = File(name);
    ASSERT_GT(whole.size(), 200u);
    for (size_t keep : {size_t(8), size_t(64), whole.size() / 2, whole.size() * 9 / 10}) {
      std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(keep));
      EXPECT_FALSE(DecodePicture(cut)) << "cut to " << keep << " bytes";
    }
    // Flipped bytes must never crash; what they decode to does not matter.
    std::mt19937 random(42);
    for (int round = 0; round < 200; ++round) {
      std::vector<uint8_t> damaged = whole;
      for (int i = 0; i < 4; ++i) damaged[random() % damaged.size()] ^= uint8_t(1 + random() % 255);
      (void)DecodePicture(damaged);
    }
  }
  for (std::vector<uint8_t> junk :
       {std::vector<uint8_t>{}, std::vector<uint8_t>{0xFF, 0xD8, 0xFF},
        std::vector<uint8_t>{'B', 'M', 0, 0}, std::vector<uint8_t>(300, 0),
        std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF}})
    EXPECT_FALSE(DecodePicture(junk));
}

}  // namespace
