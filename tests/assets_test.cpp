// The committed pictures have every property the program promises of them.
#include "platform/picture/decode.h"
#include "tests/test_support.h"

namespace {

std::vector<uint8_t> Asset(const std::string& name) {
  return test::ReadFile(std::string(SOURCE_DIR) + "/assets/" + name);
}

// The segments of a JPEG file up to the start of scan: (marker, payload).
std::vector<std::pair<uint8_t, std::vector<uint8_t>>> Segments(const std::vector<uint8_t>& j) {
  std::vector<std::pair<uint8_t, std::vector<uint8_t>>> out;
  size_t at = 2;
  while (at + 4 <= j.size() && j[at] == 0xFF) {
    uint8_t marker = j[at + 1];
    size_t length = size_t(j[at + 2]) << 8 | j[at + 3];
    out.emplace_back(
        marker, std::vector<uint8_t>(j.begin() + long(at) + 4, j.begin() + long(at + 2 + length)));
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return out;
}

TEST(AssetsTest, TheMainPictureIsAProgressiveJfifJpegOfTheRightSize) {
  auto j = Asset("main_window.jpg");
  ASSERT_EQ(j.size(), 42739u);
  ASSERT_EQ(j[0], 0xFF);
  ASSERT_EQ(j[1], 0xD8);
  auto segments = Segments(j);
  ASSERT_FALSE(segments.empty());
  ASSERT_EQ(segments[0].first, 0xE0) << "APP0 comes first";
  const auto& app0 = segments[0].second;
  EXPECT_EQ(std::string(app0.begin(), app0.begin() + 5), std::string("JFIF\0", 5));
  EXPECT_EQ(app0[5], 1);  // version 1.01
  EXPECT_EQ(app0[6], 1);
  EXPECT_EQ(app0[7], 1);  // dots per inch
  EXPECT_EQ(app0[8] << 8 | app0[9], 96);
  EXPECT_EQ(app0[10] << 8 | app0[11], 96);
  bool progressive = false, baseline = false;
  for (const auto& [marker, payload] : segments) {
    if (marker == 0xC0) baseline = true;
    if (marker == 0xC2) {
      progressive = true;
      EXPECT_EQ(payload[1] << 8 | payload[2], 444);
      EXPECT_EQ(payload[3] << 8 | payload[4], 580);
      EXPECT_EQ(payload[5], 3) << "three components";
    }
  }
  EXPECT_TRUE(progressive);
  EXPECT_FALSE(baseline);
  auto image = platform::DecodeJpeg(j);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 580);
  EXPECT_EQ(image->height, 444);
}

TEST(AssetsTest, TheIconIsOneOpaque64By64ImageOf32Bits) {
  auto ico = Asset("program_icon.ico");
  ASSERT_GE(ico.size(), 22u);
  EXPECT_EQ(ico[2] | ico[3] << 8, 1) << "an icon file";
  EXPECT_EQ(ico[4] | ico[5] << 8, 1) << "one image";
  EXPECT_EQ(ico[6], 64);
  EXPECT_EQ(ico[7], 64);
  EXPECT_EQ(ico[12] | ico[13] << 8, 32) << "32 bits per pixel";
  auto images = platform::DecodeIconImages(ico);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 64);
  EXPECT_EQ(images[0].height, 64);
  for (uint32_t p : images[0].pixels) ASSERT_EQ(p >> 24, 0xFFu) << "fully opaque";
  for (int size : {16, 32}) EXPECT_EQ(platform::IconImageForSize(ico, size)->width, size);
}

}  // namespace
