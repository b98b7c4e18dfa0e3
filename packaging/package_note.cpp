// The executable's version and product data as an ELF package-metadata note (.note.package,
// owner "FDO"), the convention systemd-coredump and readelf read.
#include <cstdint>

namespace {

constexpr char kMetadata[] =
    "{\"type\":\"deb\",\"os\":\"debian\",\"name\":\"lanshaji-gifts\",\"version\":\"1.0.0.0\","
    "\"productName\":\"蓝砂纪礼包大全\",\"language\":\"zh-CN\"}";
constexpr uint32_t kDescSize = sizeof kMetadata;
constexpr uint32_t kPadded = (kDescSize + 3) & ~3u;

struct PackageNote {
  uint32_t name_size = 4;
  uint32_t desc_size = kDescSize;
  uint32_t type = 0xcafe1a7e;  // FDO packaging metadata
  char name[4] = {'F', 'D', 'O', 0};
  char desc[kPadded];
};

constexpr PackageNote MakeNote() {
  PackageNote n{};
  for (uint32_t i = 0; i < kPadded; ++i) n.desc[i] = i < kDescSize ? kMetadata[i] : 0;
  return n;
}

}  // namespace

// The address sanitizer would pad and realign the note like any global: readers expect it packed.
#if defined(__clang__)
__attribute__((no_sanitize("address")))
#endif
__attribute__((section(".note.package"), used, aligned(4))) const PackageNote kPackageNote =
    MakeNote();
