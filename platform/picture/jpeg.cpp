// JPEG through the libjpeg API: baseline and progressive, grey, RGB and CMYK.

#include <csetjmp>
#include <cstdio>

// clang-format off: jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>
// clang-format on

#include "platform/picture/decode.h"

namespace platform {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  bool truncated;
};

extern "C" void OnJpegError(j_common_ptr info) {
  // Never return to libjpeg and never throw through it: jump back to the decoder's frame.
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings stay quiet, but data that ends early is bad data: libjpeg would fill the rest grey.
extern "C" void OnJpegMessage(j_common_ptr info, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && err->base.msg_code == JWRN_JPEG_EOF) err->truncated = true;
}

// Everything that outlives a longjmp lives in the caller's frame: this function holds only
// plain C state between setjmp and the end.
bool DecodeInto(Bytes data, jpeg_decompress_struct* info, ErrorManager* err,
                std::vector<uint32_t>* pixels, int* width, int* height) {
  info->err = jpeg_std_error(&err->base);
  err->base.error_exit = OnJpegError;
  err->base.emit_message = OnJpegMessage;
  if (setjmp(err->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  if (err->truncated) return false;
  if (info->num_components == 4)
    info->out_color_space = JCS_CMYK;
  else
    info->out_color_space = info->num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  if (!PlausibleSize(info->image_width, info->image_height)) return false;
  jpeg_start_decompress(info);
  *width = int(info->output_width);
  *height = int(info->output_height);
  int comps = info->output_components;
  pixels->resize(size_t(*width) * size_t(*height));
  // The row buffer comes from libjpeg's own pool, so a longjmp leaves nothing to clean up here.
  JSAMPARRAY rows = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                               JDIMENSION(*width) * JDIMENSION(comps), 1);
  JSAMPROW row = rows[0];
  while (info->output_scanline < info->output_height) {
    size_t y = info->output_scanline;
    if (jpeg_read_scanlines(info, rows, 1) != 1) return false;
    uint32_t* out = pixels->data() + y * size_t(*width);
    for (int x = 0; x < *width; ++x) {
      const JSAMPLE* p = row + size_t(x) * size_t(comps);
      uint32_t r, g, b;
      if (comps == 1) {
        r = g = b = p[0];
      } else if (comps == 4) {  // Adobe's inverted CMYK
        r = uint32_t(p[0]) * p[3] / 255;
        g = uint32_t(p[1]) * p[3] / 255;
        b = uint32_t(p[2]) * p[3] / 255;
      } else {
        r = p[0], g = p[1], b = p[2];
      }
      out[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  }
  jpeg_finish_decompress(info);
  return !err->truncated;
}

}  // namespace

std::optional<Image> DecodeJpeg(Bytes data) {
  jpeg_decompress_struct info{};
  ErrorManager err{};
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  bool ok = DecodeInto(data, &info, &err, &pixels, &width, &height);
  jpeg_destroy_decompress(&info);
  if (!ok) return std::nullopt;
  Image image;
  image.width = width;
  image.height = height;
  image.pixels = std::move(pixels);
  return image;
}

}  // namespace platform
