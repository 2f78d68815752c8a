#pragma once
// Internals of the metafile reader, player and recorder. Not for use outside platform/os.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "platform/os/gdi_metafile.h"

namespace qd::gdi::meta {

using Bytes = std::span<const uint8_t>;

// Little-endian reads that answer 0 outside the data; `Has` tells whether a range is inside.
struct Rd {
  const uint8_t* p = nullptr;
  size_t n = 0;
  Rd() = default;
  Rd(const uint8_t* data, size_t size) : p(data), n(size) {}
  bool Has(uint64_t off, uint64_t len) const { return off <= n && len <= n - off; }
  uint32_t U32(uint64_t off) const {
    if (!Has(off, 4)) return 0;
    return uint32_t(p[off]) | uint32_t(p[off + 1]) << 8 | uint32_t(p[off + 2]) << 16 |
           uint32_t(p[off + 3]) << 24;
  }
  int32_t I32(uint64_t off) const { return static_cast<int32_t>(U32(off)); }
  uint16_t U16(uint64_t off) const {
    if (!Has(off, 2)) return 0;
    return static_cast<uint16_t>(p[off] | p[off + 1] << 8);
  }
  int16_t I16(uint64_t off) const { return static_cast<int16_t>(U16(off)); }
  float F32(uint64_t off) const {
    uint32_t v = U32(off);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
  }
};

// A device-independent bitmap found inside a record, checked against the record: a
// BITMAPINFOHEADER (40 bytes or more) with its colour table or masks, and enough bits.
struct Dib {
  std::vector<uint8_t> info;  // the header and colour table, aligned for BITMAPINFO
  const uint8_t* bits = nullptr;
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
  // The packed form (header, colours, bits) that pattern brushes take.
  std::vector<uint8_t> Packed() const;
  size_t bitsSize = 0;
  size_t headSize = 0;  // the header with its colour table or masks
};
// False when the parts are missing, inconsistent or too large.
bool ReadDib(const Rd& r, uint64_t offBmi, uint64_t cbBmi, uint64_t offBits, uint64_t cbBits, Dib& out);

// The logical-to-device mapping of a DC in the original's terms.
struct Mapping {
  int mapMode = MM_TEXT;
  double winOrgX = 0, winOrgY = 0, winExtX = 1, winExtY = 1;
  double vpOrgX = 0, vpOrgY = 0, vpExtX = 1, vpExtY = 1;
};

// 2-D affine transform in GDI's order: x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
struct Affine {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  // a then b.
  static Affine Then(const Affine& a, const Affine& b) {
    return {a.m11 * b.m11 + a.m12 * b.m21,      a.m11 * b.m12 + a.m12 * b.m22,
            a.m21 * b.m11 + a.m22 * b.m21,      a.m21 * b.m12 + a.m22 * b.m22,
            a.dx * b.m11 + a.dy * b.m21 + b.dx, a.dx * b.m12 + a.dy * b.m22 + b.dy};
  }
  static Affine Of(const XFORM& x) { return {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}; }
  XFORM Xform() const {
    return {static_cast<float>(m11), static_cast<float>(m12), static_cast<float>(m21),
            static_cast<float>(m22), static_cast<float>(dx),  static_cast<float>(dy)};
  }
  bool Finite() const {
    return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) && std::isfinite(m22) &&
           std::isfinite(dx) && std::isfinite(dy);
  }
  double Det() const { return m11 * m22 - m12 * m21; }
};

// The state the players share: the target DC, the mapping from the picture's device space
// to the target, the picture's own mapping and world transform, and its object table.
class PlayerCore {
 public:
  PlayerCore(HDC dc, size_t handles);
  ~PlayerCore();
  PlayerCore(const PlayerCore&) = delete;
  PlayerCore& operator=(const PlayerCore&) = delete;

  bool Begin(const Affine& pictureToTarget, double dpiX, double dpiY);
  void End();

  HDC dc() const { return dc_; }
  Mapping& mapping() { return st_.map; }
  XFORM& world() { return st_.world; }
  // Re-applies the combined transform to the target after a mapping or world change.
  void Apply();
  // Rectangles of shapes: the target may draw with right and bottom edges included when it
  // needs a general transform; this takes them off again.
  RECT Shape(int32_t l, int32_t t, int32_t r, int32_t b) const;
  bool Degenerate() const { return degenerate_; }

  void Save();
  void Restore(int32_t relative);

  // Object table.
  bool ValidSlot(uint32_t i) const { return i < objects_.size(); }
  void Put(uint32_t i, HGDIOBJ object);
  HGDIOBJ At(uint32_t i) const { return ValidSlot(i) ? objects_[i] : nullptr; }
  void Delete(uint32_t i);
  // The lowest free slot (old-style metafiles), or -1.
  int64_t FreeSlot() const;
  void Select(HGDIOBJ object);

  // Clip regions given in the picture's device units: mapped to the target and kept inside
  // the target's own clip.
  void SelectClip(HRGN pictureRegion, int mode);

 private:
  struct State {
    Mapping map;
    XFORM world;
  };
  Affine Page() const;
  void ClampClip();

  HDC dc_;
  int saved_ = 0;
  Affine toTarget_;  // picture device pixels -> target device pixels
  double dpiX_ = 96, dpiY_ = 96;
  State st_;
  std::vector<State> stack_;
  std::vector<HGDIOBJ> objects_;
  std::vector<HGDIOBJ> dead_;
  HRGN origClip_ = nullptr;  // the target's clip when playing began (device), null for none
  bool advanced_ = false;
  bool degenerate_ = false;
};

// Checks and players of the two formats.
metafile::Check ExamineEmf(Bytes data, metafile::Info& info);
metafile::Check ExamineWmf(Bytes data, metafile::Info& info);
bool PlayEmf(HDC dc, Bytes data, const RECT& rect);
// `rect` null: the records use the DC's own mapping (PlayMetaFile).
bool PlayWmf(HDC dc, Bytes data, const RECT* rect);

// The picture's frame in pixels of its device: left, top, width, height.
struct Frame {
  double x = 0, y = 0, w = 0, h = 0, dpiX = 96, dpiY = 96;
};
bool EmfFrame(Bytes data, Frame& f);

// A handle for recorded bytes (not checked again).
HENHMETAFILE NewEnhMetaFile(std::vector<uint8_t> bytes);

}  // namespace qd::gdi::meta
