// Fonts: the 60-byte font record the form descriptions store, and the face it becomes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace platform {

constexpr size_t kFontRecordSize = 60;
constexpr size_t kFaceNameSize = 32;

// The fields of a font record; the face name is kept as stored, in code page 936.
struct FontRecord {
  int32_t height = 0;  // negative: character height in pixels; positive: cell height
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strike_out = 0;
  uint8_t char_set = 1;
  uint8_t out_precision = 0;
  uint8_t clip_precision = 0;
  uint8_t quality = 2;
  uint8_t pitch_and_family = 0;
  std::string face_cp936;
  friend bool operator==(const FontRecord&, const FontRecord&) = default;
};

// Nothing unless the bytes are exactly one record; the face name stops at its first NUL.
std::optional<FontRecord> ParseFontRecord(std::span<const uint8_t> bytes);
// Nothing when the face name does not fit its 32 bytes with the terminating NUL.
std::optional<std::array<uint8_t, kFontRecordSize>> EncodeFontRecord(const FontRecord& record);

// Text conversion between UTF-8 and code page 936; nothing when a byte sequence is invalid.
std::optional<std::string> Cp936ToUtf8(std::string_view cp936);
std::optional<std::string> Utf8ToCp936(std::string_view utf8);

// The installed family that draws a face name given in UTF-8: the Chinese system faces map to
// the Noto CJK faces; an empty name gives the default face.
std::string FamilyForFace(std::string_view face_utf8);

// A font ready for drawing. Cheap to copy.
class Font {
 public:
  // The default GUI font: 12-pixel CJK sans.
  static Font DefaultGui();
  // A font made from a record, with character set, precisions, quality and pitch forced as the
  // platform makes every stored font; the default GUI font when the record cannot be made.
  static Font FromRecord(const FontRecord& record);

  const PangoFontDescription* Description() const { return desc_.get(); }
  bool underline() const { return underline_; }
  bool strike_out() const { return strike_out_; }
  int pixel_height() const { return pixel_height_; }
  const std::string& family() const { return family_; }

 private:
  std::shared_ptr<PangoFontDescription> desc_;
  bool underline_ = false;
  bool strike_out_ = false;
  int pixel_height_ = 0;
  std::string family_;
};

}  // namespace platform
