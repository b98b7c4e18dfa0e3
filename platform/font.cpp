#include "platform/font.h"

#include <iconv.h>
#include <pango/pango.h>

#include <cerrno>
#include <cstring>

#include "platform/metrics.h"

namespace platform {
namespace {

int32_t ReadI32(std::span<const uint8_t> b, size_t at) {
  return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                 uint32_t(b[at + 3]) << 24);
}

void WriteI32(uint8_t* out, int32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(uint32_t(v) >> (8 * i));
}

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == size_t(-1)) return std::nullopt;
  out.resize(out.size() - dst_left);
  return out;
}

}  // namespace

std::optional<FontRecord> ParseFontRecord(std::span<const uint8_t> b) {
  if (b.size() != kFontRecordSize) return std::nullopt;
  FontRecord r;
  r.height = ReadI32(b, 0);
  r.width = ReadI32(b, 4);
  r.escapement = ReadI32(b, 8);
  r.orientation = ReadI32(b, 12);
  r.weight = ReadI32(b, 16);
  r.italic = b[20];
  r.underline = b[21];
  r.strike_out = b[22];
  r.char_set = b[23];
  r.out_precision = b[24];
  r.clip_precision = b[25];
  r.quality = b[26];
  r.pitch_and_family = b[27];
  const auto* face = reinterpret_cast<const char*>(b.data() + 28);
  r.face_cp936.assign(face, strnlen(face, kFaceNameSize));
  return r;
}

std::optional<std::array<uint8_t, kFontRecordSize>> EncodeFontRecord(const FontRecord& r) {
  if (r.face_cp936.size() >= kFaceNameSize) return std::nullopt;
  std::array<uint8_t, kFontRecordSize> out{};
  WriteI32(&out[0], r.height);
  WriteI32(&out[4], r.width);
  WriteI32(&out[8], r.escapement);
  WriteI32(&out[12], r.orientation);
  WriteI32(&out[16], r.weight);
  out[20] = r.italic;
  out[21] = r.underline;
  out[22] = r.strike_out;
  out[23] = r.char_set;
  out[24] = r.out_precision;
  out[25] = r.clip_precision;
  out[26] = r.quality;
  out[27] = r.pitch_and_family;
  std::memcpy(&out[28], r.face_cp936.data(), r.face_cp936.size());
  return out;
}

std::optional<std::string> Cp936ToUtf8(std::string_view cp936) {
  return Convert("UTF-8", "CP936", cp936);
}

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
  return Convert("CP936", "UTF-8", utf8);
}

std::string FamilyForFace(std::string_view face) {
  static constexpr std::string_view kSerif[] = {"宋体", "SimSun", "新宋体", "NSimSun"};
  static constexpr std::string_view kSans[] = {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei"};
  if (face.empty()) return kDefaultGuiFace;
  for (auto s : kSerif)
    if (face == s) return "Noto Serif CJK SC";
  for (auto s : kSans)
    if (face == s) return "Noto Sans CJK SC";
  return std::string(face);
}

Font Font::DefaultGui() {
  static const Font font = [] {
    Font f;
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, kDefaultGuiFace);
    pango_font_description_set_absolute_size(d, kDefaultGuiFontPixels * PANGO_SCALE);
    f.desc_.reset(d, pango_font_description_free);
    f.pixel_height_ = kDefaultGuiFontPixels;
    f.family_ = kDefaultGuiFace;
    return f;
  }();
  return font;
}

Font Font::FromRecord(const FontRecord& record) {
  // Character set, precisions, quality and pitch are forced when a stored font is made; none of
  // them changes which face Pango picks, so only the remaining fields matter here.
  auto face = Cp936ToUtf8(record.face_cp936);
  if (!face) return DefaultGui();
  // In 64 bits: any stored height, INT32_MIN included, must be read without overflow.
  int64_t pixels = record.height < 0 ? -int64_t(record.height) : int64_t(record.height);
  // A positive height is a cell height: the character height is about 7/8 of it for CJK faces.
  if (record.height > 0) pixels = (pixels * 7 + 4) / 8;
  if (record.height == 0) pixels = kDefaultGuiFontPixels;
  if (pixels <= 0 || pixels > 4096) return DefaultGui();

  Font f;
  f.family_ = FamilyForFace(*face);
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, f.family_.c_str());
  pango_font_description_set_absolute_size(d, double(pixels) * PANGO_SCALE);
  int weight = record.weight <= 0 ? 400 : std::min(record.weight, 1000);
  pango_font_description_set_weight(d, PangoWeight(weight));
  if (record.italic) pango_font_description_set_style(d, PANGO_STYLE_ITALIC);
  f.desc_.reset(d, pango_font_description_free);
  f.underline_ = record.underline != 0;
  f.strike_out_ = record.strike_out != 0;
  f.pixel_height_ = int(pixels);
  return f;
}

}  // namespace platform
