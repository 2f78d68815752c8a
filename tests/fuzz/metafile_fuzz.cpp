// Feeds arbitrary bytes to the metafile reader: the whole-file check, then for sound files
// playback onto a small bitmap and into a metafile DC, whose recording must read back.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/os/gdi.h"
#include "platform/os/gdi_metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  const std::span<const uint8_t> bytes(data, size);
  metafile::Info info;
  if (metafile::Examine(bytes, info) != metafile::Check::Ok) return 0;
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 32;
  bi.bmiHeader.biHeight = -24;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bm);
  metafile::Play(dc, bytes, RECT{0, 0, 32, 24});
  metafile::Play(dc, bytes, RECT{30, 20, -10, -4});  // mirrored and shrunk
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);

  RECT frame{0, 0, 847, 635};
  HDC rec = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  metafile::Play(rec, bytes, RECT{0, 0, 32, 24});
  HENHMETAFILE again = CloseEnhMetaFile(rec);
  std::vector<uint8_t> recorded(GetEnhMetaFileBits(again, 0, nullptr));
  GetEnhMetaFileBits(again, static_cast<UINT>(recorded.size()), recorded.data());
  DeleteEnhMetaFile(again);
  if (metafile::Examine(recorded, info) != metafile::Check::Ok) __builtin_trap();
  return 0;
}
