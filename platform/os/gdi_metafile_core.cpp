// Metafiles: the player state shared by both formats, bitmaps inside records, the metafile
// handles and the public functions.
#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile_internal.h"

namespace qd::gdi::meta {

// ---- Bitmaps inside records ------------------------------------------------------------------

bool ReadDib(const Rd& r, uint64_t offBmi, uint64_t cbBmi, uint64_t offBits, uint64_t cbBits, Dib& out) {
  if (!r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits) || cbBmi < 40) return false;
  Rd h(r.p + offBmi, cbBmi);
  const uint32_t size = h.U32(0);
  const int32_t w = h.I32(4), ht = h.I32(8);
  const uint16_t planes = h.U16(12), bpp = h.U16(14);
  const uint32_t compression = h.U32(16), clrUsed = h.U32(32);
  if (size < 40 || size > cbBmi || w <= 0 || ht == 0 || ht == INT32_MIN || planes != 1) return false;
  const uint64_t absH = static_cast<uint64_t>(ht < 0 ? -int64_t(ht) : int64_t(ht));
  if (w > (1 << 16) || absH > (1 << 16)) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  uint64_t colors = 0;
  if (compression == BI_RGB) {
    if (bpp <= 8) colors = clrUsed ? clrUsed : (1u << bpp);
    if (colors > 256) return false;
  } else if (compression == BI_BITFIELDS) {
    if (bpp != 16 && bpp != 32) return false;
    if (size == 40) colors = 3;  // the three masks follow the header
  } else {
    return false;  // compressed bitmaps are not played
  }
  const uint64_t infoBytes = size + colors * 4;
  if (infoBytes > cbBmi) return false;
  const uint64_t stride = ((uint64_t(w) * bpp + 31) / 32) * 4;
  const uint64_t need = stride * absH;
  if (need > cbBits) return false;
  // Room for a full colour table: the bitmap functions may look at 2^bpp entries.
  out.info.assign(std::max<uint64_t>(infoBytes, size + (bpp <= 8 ? (4u << bpp) : 12)) + 8, 0);
  std::memcpy(out.info.data(), h.p, infoBytes);
  // Only the entries that are present count.
  {
    uint32_t n = compression == BI_RGB && bpp <= 8 ? static_cast<uint32_t>(colors) : 0;
    std::memcpy(out.info.data() + 32, &n, 4);
  }
  out.bits = r.p + offBits;
  out.bitsSize = static_cast<size_t>(need);
  out.headSize = static_cast<size_t>(infoBytes);
  return true;
}

std::vector<uint8_t> Dib::Packed() const {
  std::vector<uint8_t> v(headSize + bitsSize);
  std::memcpy(v.data(), info.data(), headSize);
  std::memcpy(v.data() + headSize, bits, bitsSize);
  return v;
}

// ---- Player state ----------------------------------------------------------------------------

PlayerCore::PlayerCore(HDC dc, size_t handles) : dc_(dc), objects_(handles, nullptr) {}

PlayerCore::~PlayerCore() {
  End();
}

bool PlayerCore::Begin(const Affine& pictureToTarget, double dpiX, double dpiY) {
  Dc* d = FindDc(dc_);
  if (!d) return false;
  // The target's own logical-to-device transform.
  Transform t = DeviceTransform(*d);
  Affine own{t.m11, t.m12, t.m21, t.m22, t.dx, t.dy};
  toTarget_ = Affine::Then(pictureToTarget, own);
  dpiX_ = dpiX > 0 ? dpiX : 96;
  dpiY_ = dpiY > 0 ? dpiY : 96;
  if (d->s.clip) {
    origClip_ = CreateRectRgn(0, 0, 0, 0);
    GetClipRgn(dc_, origClip_);
  }
  saved_ = SaveDC(dc_);
  if (!saved_) return false;
  // The picture starts with the defaults of a new DC.
  SetTextColor(dc_, 0);
  SetBkColor(dc_, 0xFFFFFF);
  SetBkMode(dc_, OPAQUE);
  SetROP2(dc_, R2_COPYPEN);
  SetPolyFillMode(dc_, ALTERNATE);
  SetTextAlign(dc_, TA_LEFT | TA_TOP);
  SetStretchBltMode(dc_, BLACKONWHITE);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  MoveToEx(dc_, 0, 0, nullptr);
  Apply();
  return true;
}

void PlayerCore::End() {
  if (saved_) {
    RestoreDC(dc_, saved_);
    saved_ = 0;
  }
  for (HGDIOBJ o : objects_)
    if (o) DeleteObject(o);
  for (HGDIOBJ o : dead_) DeleteObject(o);
  objects_.clear();
  dead_.clear();
  if (origClip_) DeleteObject(origClip_);
  origClip_ = nullptr;
}

Affine PlayerCore::Page() const {
  const Mapping& m = st_.map;
  double sx = 1, sy = 1;
  switch (m.mapMode) {
    case MM_LOMETRIC:
      sx = dpiX_ / 254, sy = -dpiY_ / 254;
      break;
    case MM_HIMETRIC:
      sx = dpiX_ / 2540, sy = -dpiY_ / 2540;
      break;
    case MM_LOENGLISH:
      sx = dpiX_ / 100, sy = -dpiY_ / 100;
      break;
    case MM_HIENGLISH:
      sx = dpiX_ / 1000, sy = -dpiY_ / 1000;
      break;
    case MM_TWIPS:
      sx = dpiX_ / 1440, sy = -dpiY_ / 1440;
      break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
      sx = m.winExtX ? m.vpExtX / m.winExtX : 1;
      sy = m.winExtY ? m.vpExtY / m.winExtY : 1;
      if (m.mapMode == MM_ISOTROPIC) {
        double s = std::min(std::fabs(sx), std::fabs(sy));
        sx = std::copysign(s, sx);
        sy = std::copysign(s, sy);
      }
      break;
    default:
      break;
  }
  return {sx, 0, 0, sy, m.vpOrgX - m.winOrgX * sx, m.vpOrgY - m.winOrgY * sy};
}

void PlayerCore::Apply() {
  Affine c = Affine::Then(Affine::Then(Affine::Of(st_.world), Page()), toTarget_);
  degenerate_ = !c.Finite() || c.Det() == 0 || std::fabs(c.dx) > 1e8 || std::fabs(c.dy) > 1e8;
  if (degenerate_) return;
  auto whole = [](double v) { return std::fabs(v - std::nearbyint(v)) < 1e-6; };
  ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
  SetWindowOrgEx(dc_, 0, 0, nullptr);
  if (c.m11 == 1 && c.m12 == 0 && c.m21 == 0 && c.m22 == 1 && whole(c.dx) && whole(c.dy)) {
    SetGraphicsMode(dc_, GM_COMPATIBLE);
    SetViewportOrgEx(dc_, static_cast<int>(std::nearbyint(c.dx)), static_cast<int>(std::nearbyint(c.dy)),
                     nullptr);
    advanced_ = false;
  } else {
    SetViewportOrgEx(dc_, 0, 0, nullptr);
    SetGraphicsMode(dc_, GM_ADVANCED);
    XFORM x = c.Xform();
    SetWorldTransform(dc_, &x);
    advanced_ = true;
  }
}

RECT PlayerCore::Shape(int32_t l, int32_t t, int32_t r, int32_t b) const {
  RECT n = Normalized(ClampRect({l, t, r, b}));
  if (advanced_) {
    if (n.Right > n.Left) --n.Right;
    if (n.Bottom > n.Top) --n.Bottom;
  }
  return n;
}

void PlayerCore::Save() {
  stack_.push_back(st_);
  SaveDC(dc_);
}

void PlayerCore::Restore(int32_t relative) {
  // Only states the picture saved itself can be restored.
  int64_t n = relative < 0 ? -int64_t(relative) : 0;
  if (n <= 0 || n > static_cast<int64_t>(stack_.size())) return;
  for (int64_t i = 1; i < n; ++i) stack_.pop_back();
  st_ = stack_.back();
  stack_.pop_back();
  RestoreDC(dc_, -static_cast<int>(n));
  Apply();
}

void PlayerCore::Put(uint32_t i, HGDIOBJ object) {
  if (!ValidSlot(i)) {
    if (object) DeleteObject(object);
    return;
  }
  if (objects_[i]) dead_.push_back(objects_[i]);
  objects_[i] = object;
}

void PlayerCore::Delete(uint32_t i) {
  // Objects may still be selected: they are deleted once the target is restored.
  if (!ValidSlot(i) || !objects_[i]) return;
  dead_.push_back(objects_[i]);
  objects_[i] = nullptr;
}

int64_t PlayerCore::FreeSlot() const {
  for (size_t i = 0; i < objects_.size(); ++i)
    if (!objects_[i]) return static_cast<int64_t>(i);
  return -1;
}

void PlayerCore::Select(HGDIOBJ object) {
  if (object) SelectObject(dc_, object);
}

void PlayerCore::ClampClip() {
  if (origClip_) ExtSelectClipRgn(dc_, origClip_, RGN_AND);
}

void PlayerCore::SelectClip(HRGN pictureRegion, int mode) {
  if (!pictureRegion) {
    if (mode == RGN_COPY) {
      SelectClipRgn(dc_, origClip_);
    }
    return;
  }
  // Region data is in the picture's device units; bring it into the target's.
  HRGN mapped = pictureRegion;
  std::vector<uint8_t> data(GetRegionData(pictureRegion, 0, nullptr));
  if (!data.empty() && GetRegionData(pictureRegion, static_cast<DWORD>(data.size()),
                                     reinterpret_cast<RGNDATA*>(data.data()))) {
    XFORM x = toTarget_.Xform();
    if (HRGN r =
            ExtCreateRegion(&x, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())))
      mapped = r;
  }
  ExtSelectClipRgn(dc_, mapped, mode);
  ClampClip();
  if (mapped != pictureRegion) DeleteObject(mapped);
}

}  // namespace qd::gdi::meta

// ---- Handles and public functions ------------------------------------------------------------

namespace qd {

namespace {

struct MetaObject {
  metafile::Kind kind = metafile::Kind::Emf;
  std::vector<uint8_t> bytes;
};

std::mutex& MetaLock() {
  static std::mutex m;
  return m;
}
std::unordered_map<const void*, std::unique_ptr<MetaObject>>& MetaTable() {
  static std::unordered_map<const void*, std::unique_ptr<MetaObject>> t;
  return t;
}

void* AddMeta(metafile::Kind kind, std::vector<uint8_t> bytes) {
  auto o = std::make_unique<MetaObject>();
  o->kind = kind;
  o->bytes = std::move(bytes);
  void* key = o.get();
  std::lock_guard g(MetaLock());
  MetaTable()[key] = std::move(o);
  return key;
}

// A copy of the object's bytes (handles may be deleted by another thread meanwhile).
bool MetaBytes(const void* h, std::vector<uint8_t>& bytes, metafile::Kind* kind) {
  std::lock_guard g(MetaLock());
  auto it = MetaTable().find(h);
  if (!h || it == MetaTable().end()) return false;
  bytes = it->second->bytes;
  if (kind) *kind = it->second->kind;
  return true;
}

bool RemoveMeta(const void* h) {
  std::lock_guard g(MetaLock());
  return h && MetaTable().erase(h) > 0;
}

void* LoadChecked(UINT size, const BYTE* data, metafile::Kind want) {
  if (!data || !size) return nullptr;
  std::span<const uint8_t> d(data, size);
  metafile::Info info;
  if (metafile::Examine(d, info) != metafile::Check::Ok || info.kind != want) return nullptr;
  return AddMeta(want, std::vector<uint8_t>(d.begin(), d.end()));
}

UINT CopyOut(const std::vector<uint8_t>& bytes, UINT size, void* data) {
  if (!data) return static_cast<UINT>(bytes.size());
  if (size < bytes.size()) return 0;
  std::memcpy(data, bytes.data(), bytes.size());
  return static_cast<UINT>(bytes.size());
}

}  // namespace

HENHMETAFILE gdi::meta::NewEnhMetaFile(std::vector<uint8_t> bytes) {
  return static_cast<HENHMETAFILE>(AddMeta(metafile::Kind::Emf, std::move(bytes)));
}

namespace metafile {

bool Recognise(std::span<const uint8_t> data, Kind* kind) {
  gdi::meta::Rd r(data.data(), data.size());
  if (r.Has(0, 44) && r.U32(0) == EMR_HEADER && r.U32(40) == 0x464D4520) {
    if (kind) *kind = Kind::Emf;
    return true;
  }
  if (r.U32(0) == 0x9AC6CDD7 ||
      ((r.U16(0) == 1 || r.U16(0) == 2) && r.U16(2) == 9 && (r.U16(4) == 0x0100 || r.U16(4) == 0x0300))) {
    if (kind) *kind = Kind::Wmf;
    return true;
  }
  return false;
}

Check Examine(std::span<const uint8_t> data, Info& info) {
  info = Info{};
  Kind kind;
  if (!Recognise(data, &kind)) return Check::NotMetafile;
  Check c = kind == Kind::Emf ? gdi::meta::ExamineEmf(data, info) : gdi::meta::ExamineWmf(data, info);
  if (c != Check::Ok) info = Info{};
  info.kind = kind;
  return c;
}

bool Play(HDC dc, std::span<const uint8_t> data, const RECT& rect) {
  Kind kind;
  if (!Recognise(data, &kind)) return false;
  return kind == Kind::Emf ? gdi::meta::PlayEmf(dc, data, rect) : gdi::meta::PlayWmf(dc, data, &rect);
}

bool BytesOf(HENHMETAFILE metafile, std::vector<uint8_t>& bytes, Kind* kind) {
  return MetaBytes(metafile, bytes, kind);
}

}  // namespace metafile

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
  return static_cast<HENHMETAFILE>(LoadChecked(size, data, metafile::Kind::Emf));
}

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC, const void*) {
  return static_cast<HENHMETAFILE>(LoadChecked(size, data, metafile::Kind::Wmf));
}

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data) {
  std::vector<uint8_t> bytes;
  metafile::Kind kind;
  if (!MetaBytes(metafile, bytes, &kind) || kind != metafile::Kind::Emf) return 0;
  return CopyOut(bytes, size, data);
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header) {
  std::vector<uint8_t> bytes;
  metafile::Kind kind;
  if (!MetaBytes(metafile, bytes, &kind)) return 0;
  if (!header) return sizeof(ENHMETAHEADER);
  ENHMETAHEADER h;
  if (kind == metafile::Kind::Emf) {
    gdi::meta::Rd r(bytes.data(), bytes.size());
    size_t n = std::min<size_t>({r.U32(4), sizeof h, bytes.size()});
    std::memcpy(&h, bytes.data(), n);
    if (n < sizeof h) std::memset(reinterpret_cast<uint8_t*>(&h) + n, 0, sizeof h - n);
  } else {
    // An old-style picture described as an enhanced one at 96 DPI.
    metafile::Info info;
    metafile::Examine(bytes, info);
    h.rclBounds = {0, 0, info.width - 1, info.height - 1};
    h.rclFrame = {0, 0, static_cast<LONG>(std::lround(info.width * 2540.0 / 96)),
                  static_cast<LONG>(std::lround(info.height * 2540.0 / 96))};
    h.nBytes = static_cast<DWORD>(bytes.size());
    h.nRecords = info.records;
    h.szlDevice = {1920, 1440};
    h.szlMillimeters = {508, 381};
    h.szlMicrometers = {508000, 381000};
  }
  size_t n = std::min<size_t>(size, sizeof h);
  std::memcpy(header, &h, n);
  return static_cast<UINT>(n);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
  return RemoveMeta(metafile) ? TRUE : FALSE;
}

HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE metafile, LPCWSTR fileName) {
  std::vector<uint8_t> bytes;
  metafile::Kind kind;
  if (fileName || !MetaBytes(metafile, bytes, &kind)) return nullptr;
  return static_cast<HENHMETAFILE>(AddMeta(kind, std::move(bytes)));
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
  std::vector<uint8_t> bytes;
  metafile::Kind kind;
  if (!rect || !MetaBytes(metafile, bytes, &kind)) return FALSE;
  bool ok = kind == metafile::Kind::Emf ? gdi::meta::PlayEmf(dc, bytes, *rect)
                                        : gdi::meta::PlayWmf(dc, bytes, rect);
  return ok ? TRUE : FALSE;
}

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data) {
  return static_cast<HMETAFILE>(LoadChecked(size, data, metafile::Kind::Wmf));
}

UINT GetMetaFileBitsEx(HMETAFILE metafile, UINT size, void* data) {
  std::vector<uint8_t> bytes;
  metafile::Kind kind;
  if (!MetaBytes(metafile, bytes, &kind) || kind != metafile::Kind::Wmf) return 0;
  return CopyOut(bytes, size, data);
}

BOOL DeleteMetaFile(HMETAFILE metafile) {
  return RemoveMeta(metafile) ? TRUE : FALSE;
}

BOOL PlayMetaFile(HDC dc, HMETAFILE metafile) {
  std::vector<uint8_t> bytes;
  metafile::Kind kind;
  if (!MetaBytes(metafile, bytes, &kind) || kind != metafile::Kind::Wmf) return FALSE;
  return gdi::meta::PlayWmf(dc, bytes, nullptr) ? TRUE : FALSE;
}

}  // namespace qd
