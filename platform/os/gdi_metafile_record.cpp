// Recording enhanced metafiles: a metafile DC keeps its state like any DC, draws nowhere and
// writes one record for each call made on it.
#include <algorithm>
#include <mutex>
#include <set>
#include <unordered_map>

#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile_internal.h"

namespace qd::gdi {

namespace {

// The reference device of recorded pictures: 96 DPI.
constexpr SIZEL kRefDevice{1920, 1440};
constexpr SIZEL kRefMillimeters{508, 381};
constexpr SIZEL kRefMicrometers{508000, 381000};
constexpr int64_t kMaxRecordedPixels = int64_t(1) << 24;

}  // namespace

struct MetaRecorder {
  std::vector<uint8_t> out;  // the records after the header
  uint32_t records = 0;
  std::unordered_map<HGDIOBJ, uint32_t> objects;  // recorded objects and their slots
  std::vector<bool> used{true};                   // slot 0 stands for the metafile itself
  bool hasFrame = false;
  RECTL frame;
  std::u16string description;
  bool hasBounds = false;
  RECTL bounds;

  void Word(uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  // Starts a record; returns its offset so that the size can be patched.
  size_t Begin(DWORD type) {
    size_t at = out.size();
    Word(type);
    Word(0);
    return at;
  }
  void End(size_t at) {
    while (out.size() % 4) out.push_back(0);
    const auto size = static_cast<uint32_t>(out.size() - at);
    for (int i = 0; i < 4; ++i) out[at + 4 + i] = static_cast<uint8_t>(size >> (8 * i));
    ++records;
  }
  void Bytes(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
  }
  void Rect(const RECTL& r) {
    Word(static_cast<uint32_t>(r.left));
    Word(static_cast<uint32_t>(r.top));
    Word(static_cast<uint32_t>(r.right));
    Word(static_cast<uint32_t>(r.bottom));
  }
  uint32_t NewSlot() {
    for (size_t i = 1; i < used.size(); ++i)
      if (!used[i]) {
        used[i] = true;
        return static_cast<uint32_t>(i);
      }
    used.push_back(true);
    return static_cast<uint32_t>(used.size() - 1);
  }
  void Include(double x0, double y0, double x1, double y1) {
    RECTL r{RoundCoord(std::min(x0, x1)), RoundCoord(std::min(y0, y1)), RoundCoord(std::max(x0, x1)),
            RoundCoord(std::max(y0, y1))};
    if (!hasBounds) {
      bounds = r;
      hasBounds = true;
      return;
    }
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  }
};

namespace {

std::mutex& RecordersLock() {
  static std::mutex m;
  return m;
}
std::set<MetaRecorder*>& Recorders() {
  static std::set<MetaRecorder*> s;
  return s;
}

// Adds a logical rectangle (inclusive of its last pixel) to the recorded bounds, widened by
// the pen when it draws an outline.
void Touch(Dc& dc, double l, double t, double r, double b, bool pen = true) {
  Transform tr = DeviceTransform(dc);
  double xs[4] = {l, r, l, r}, ys[4] = {t, t, b, b};
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (int i = 0; i < 4; ++i) {
    double x = xs[i] * tr.m11 + ys[i] * tr.m21 + tr.dx, y = xs[i] * tr.m12 + ys[i] * tr.m22 + tr.dy;
    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  }
  double grow = 0;
  if (pen)
    if (Pen* p = CurrentPen(dc); p && p->Style() != PS_NULL) grow = std::max(1, p->width) / 2.0;
  dc.meta->Include(x0 - grow, y0 - grow, x1 + grow, y1 + grow);
}

void TouchPoints(Dc& dc, const POINT* p, size_t n) {
  if (!n) return;
  int64_t l = p[0].X, t = p[0].Y, r = l, b = t;
  for (size_t i = 1; i < n; ++i) {
    l = std::min<int64_t>(l, p[i].X), r = std::max<int64_t>(r, p[i].X);
    t = std::min<int64_t>(t, p[i].Y), b = std::max<int64_t>(b, p[i].Y);
  }
  Touch(dc, double(l), double(t), double(r), double(b));
}

int StockIndex(HGDIOBJ object) {
  for (int i = 0; i <= DC_PEN; ++i)
    if (StockObject(i) == object) return i;
  return -1;
}

// Writes the record that creates `object` and answers its slot (0 when it cannot be recorded).
uint32_t Define(Dc& dc, HGDIOBJ object) {
  MetaRecorder& m = *dc.meta;
  if (auto it = m.objects.find(object); it != m.objects.end()) return it->second;
  Object* o = FindObject(object);
  if (!o) return 0;
  uint32_t slot = 0;
  if (o->kind == Kind::Pen) {
    const auto* p = static_cast<Pen*>(o);
    slot = m.NewSlot();
    if (!p->ext) {
      size_t at = m.Begin(EMR_CREATEPEN);
      m.Word(slot);
      m.Word(p->style);
      m.Word(static_cast<uint32_t>(p->width));
      m.Word(0);
      m.Word(p->color);
      m.End(at);
    } else {
      size_t at = m.Begin(EMR_EXTCREATEPEN);
      m.Word(slot);
      for (int i = 0; i < 4; ++i) m.Word(0);  // no brush bitmap
      m.Word(p->style);
      m.Word(static_cast<uint32_t>(p->width));
      m.Word(p->brushStyle);
      m.Word(p->color);
      m.Word(static_cast<uint32_t>(p->hatch));
      m.Word(static_cast<uint32_t>(p->userStyle.size()));
      for (DWORD v : p->userStyle) m.Word(v);
      m.End(at);
    }
  } else if (o->kind == Kind::Brush) {
    const auto* b = static_cast<Brush*>(o);
    slot = m.NewSlot();
    const COLORREF color = BrushColor(dc, *b);
    if (b->style == BS_PATTERN || b->style == BS_DIBPATTERN || b->style == BS_DIBPATTERNPT) {
      // The pattern as a 32-bit bitmap (a monochrome one takes the DC's colours now).
      const int32_t w = std::max(b->patWidth, 1), h = std::max(b->patHeight, 1);
      size_t at = m.Begin(EMR_CREATEDIBPATTERNBRUSHPT);
      m.Word(slot);
      m.Word(DIB_RGB_COLORS);
      m.Word(32);
      m.Word(40);
      m.Word(72);
      m.Word(static_cast<uint32_t>(w * h * 4));
      BITMAPINFOHEADER bih;
      bih.biWidth = w;
      bih.biHeight = -h;
      bih.biBitCount = 32;
      m.Bytes(&bih, sizeof bih);
      for (int32_t i = 0; i < w * h; ++i) {
        uint32_t v = static_cast<size_t>(i) < b->pattern.size() ? b->pattern[static_cast<size_t>(i)] : 0;
        if (b->patMono) v = ColorToArgb(v ? dc.s.bkColor : dc.s.textColor);
        m.Word(v & 0xFFFFFF);
      }
      m.End(at);
    } else {
      size_t at = m.Begin(EMR_CREATEBRUSHINDIRECT);
      m.Word(slot);
      m.Word(b->style == BS_HATCHED || b->style == BS_NULL ? b->style : BS_SOLID);
      m.Word(color);
      m.Word(static_cast<uint32_t>(b->hatch));
      m.End(at);
    }
  } else if (o->kind == Kind::Font) {
    const auto* f = static_cast<Font*>(o);
    slot = m.NewSlot();
    LOGFONTW lf = f->Logical();
    size_t at = m.Begin(EMR_EXTCREATEFONTINDIRECTW);
    m.Word(slot);
    m.Bytes(&lf, sizeof lf);
    m.End(at);
  } else {
    return 0;
  }
  m.objects[object] = slot;
  return slot;
}

// A 32-bit top-down copy of part of a DC's pixels.
bool Capture(HDC src, int x, int y, int w, int h, std::vector<uint32_t>& px) {
  if (w <= 0 || h <= 0 || int64_t(w) * h > kMaxRecordedPixels) return false;
  HDC mem = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bm && bits) {
    HGDIOBJ old = SelectObject(mem, bm);
    ok = BitBlt(mem, 0, 0, w, h, src, x, y, SRCCOPY) != FALSE;
    px.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + size_t(w) * h);
    SelectObject(mem, old);
  }
  if (bm) DeleteObject(bm);
  DeleteDC(mem);
  return ok;
}

// Sizes of a packed bitmap's header (with colours) and bits, or false.
bool DibSizes(const BITMAPINFO* info, UINT usage, size_t& head, size_t& bits) {
  if (!info || usage != DIB_RGB_COLORS) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < 40 || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
  uint64_t colors = 0;
  if (h.biBitCount <= 8) colors = h.biClrUsed ? std::min<uint32_t>(h.biClrUsed, 256) : (1u << h.biBitCount);
  if (h.biCompression == BI_BITFIELDS && h.biSize == 40) colors = 3;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
  head = static_cast<size_t>(h.biSize + colors * 4);
  const uint64_t rows = static_cast<uint64_t>(h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight);
  const uint64_t stride = ((uint64_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  if (stride * rows > (uint64_t(1) << 30)) return false;
  bits = static_cast<size_t>(stride * rows);
  return true;
}

void WriteBlt(MetaRecorder& m, DWORD type, int xd, int yd, int wd, int hd, DWORD rop, int xs, int ys,
              COLORREF bk, const std::vector<uint32_t>* px, int ws, int hs) {
  size_t at = m.Begin(type);
  m.Rect({xd, yd, xd + wd - 1, yd + hd - 1});
  m.Word(static_cast<uint32_t>(xd));
  m.Word(static_cast<uint32_t>(yd));
  m.Word(static_cast<uint32_t>(wd));
  m.Word(static_cast<uint32_t>(hd));
  m.Word(rop);
  m.Word(static_cast<uint32_t>(xs));
  m.Word(static_cast<uint32_t>(ys));
  XFORM identity;
  m.Bytes(&identity, sizeof identity);
  m.Word(bk);
  m.Word(DIB_RGB_COLORS);
  const uint32_t fixed = type == EMR_BITBLT ? 100 : 108;
  const uint32_t bitsBytes = px ? static_cast<uint32_t>(px->size() * 4) : 0;
  m.Word(px ? fixed : 0);
  m.Word(px ? 40 : 0);
  m.Word(px ? fixed + 40 : 0);
  m.Word(bitsBytes);
  if (type != EMR_BITBLT) {
    m.Word(static_cast<uint32_t>(ws));
    m.Word(static_cast<uint32_t>(hs));
  }
  if (px) {
    BITMAPINFOHEADER bih;
    bih.biWidth = ws;
    bih.biHeight = -hs;
    bih.biBitCount = 32;
    m.Bytes(&bih, sizeof bih);
    m.Bytes(px->data(), bitsBytes);
  }
  m.End(at);
}

}  // namespace

Dc* RecordingDc(HDC h) {
  Dc* dc = FindDc(h);
  return dc && dc->meta ? dc : nullptr;
}

void MetaRecord(Dc& dc, DWORD type, std::initializer_list<int32_t> params) {
  MetaRecorder& m = *dc.meta;
  const int32_t* p = params.begin();
  if (type == EMR_LINETO && params.size() == 2)
    Touch(dc, dc.s.curPos.X, dc.s.curPos.Y, p[0], p[1]);
  else if (type == EMR_SETPIXELV && params.size() == 3)
    Touch(dc, p[0], p[1], p[0], p[1], false);
  size_t at = m.Begin(type);
  for (int32_t v : params) m.Word(static_cast<uint32_t>(v));
  if (type == EMR_EOF) {
    m.Word(16);
    m.Word(20);
  }
  m.End(at);
}

void MetaRecordPoly(Dc& dc, DWORD type, const POINT* points, size_t count) {
  MetaRecorder& m = *dc.meta;
  std::vector<POINT> all(points, points + count);
  if (type == EMR_POLYLINETO || type == EMR_POLYBEZIERTO) all.insert(all.begin(), dc.s.curPos);
  TouchPoints(dc, all.data(), all.size());
  size_t at = m.Begin(type);
  m.Rect(m.bounds);
  m.Word(static_cast<uint32_t>(count));
  for (size_t i = 0; i < count; ++i) {
    m.Word(static_cast<uint32_t>(points[i].X));
    m.Word(static_cast<uint32_t>(points[i].Y));
  }
  m.End(at);
}

void MetaRecordPolyPoly(Dc& dc, DWORD type, const POINT* points, const DWORD* counts, size_t polys) {
  MetaRecorder& m = *dc.meta;
  size_t total = 0;
  for (size_t i = 0; i < polys; ++i) total += counts[i];
  TouchPoints(dc, points, total);
  size_t at = m.Begin(type);
  m.Rect(m.bounds);
  m.Word(static_cast<uint32_t>(polys));
  m.Word(static_cast<uint32_t>(total));
  for (size_t i = 0; i < polys; ++i) m.Word(counts[i]);
  for (size_t i = 0; i < total; ++i) {
    m.Word(static_cast<uint32_t>(points[i].X));
    m.Word(static_cast<uint32_t>(points[i].Y));
  }
  m.End(at);
}

void MetaRecordShape(Dc& dc, DWORD type, const RECT& r, std::initializer_list<int32_t> more) {
  MetaRecorder& m = *dc.meta;
  RECT n = Normalized(r);
  Touch(dc, n.Left, n.Top, n.Right - 1, n.Bottom - 1);
  size_t at = m.Begin(type);
  m.Rect({r.Left, r.Top, r.Right, r.Bottom});
  for (int32_t v : more) m.Word(static_cast<uint32_t>(v));
  m.End(at);
}

void MetaRecordSelect(Dc& dc, HGDIOBJ object) {
  MetaRecorder& m = *dc.meta;
  uint32_t index;
  if (int s = StockIndex(object); s >= 0) {
    index = 0x80000000u | static_cast<uint32_t>(s);
  } else {
    index = Define(dc, object);
    if (!index) return;
  }
  size_t at = m.Begin(EMR_SELECTOBJECT);
  m.Word(index);
  m.End(at);
}

void MetaRecordDelete(HGDIOBJ object) {
  std::lock_guard g(RecordersLock());
  for (MetaRecorder* m : Recorders()) {
    auto it = m->objects.find(object);
    if (it == m->objects.end()) continue;
    size_t at = m->Begin(EMR_DELETEOBJECT);
    m->Word(it->second);
    m->End(at);
    m->used[it->second] = false;
    m->objects.erase(it);
  }
}

void MetaRecordXform(Dc& dc, DWORD type, const XFORM& x, DWORD mode) {
  MetaRecorder& m = *dc.meta;
  size_t at = m.Begin(type);
  m.Bytes(&x, sizeof x);
  if (type == EMR_MODIFYWORLDTRANSFORM) m.Word(mode);
  m.End(at);
}

void MetaRecordText(Dc& dc, int x, int y, UINT options, const RECT* rect, const char16_t* s, size_t n,
                    const INT* dx, UINT align) {
  MetaRecorder& m = *dc.meta;
  HDC h = static_cast<HDC>(dc.handle);
  std::vector<INT> adv(n);
  SIZE ext;
  if (dx) {
    adv.assign(dx, dx + n * ((options & ETO_PDY) ? 2 : 1));
  } else if (n) {
    std::vector<INT> partial(n);
    int fit = 0;
    GetTextExtentExPointW(h, s, static_cast<int>(n), 0, &fit, partial.data(), &ext);
    for (size_t i = 0; i < n; ++i) adv[i] = partial[i] - (i ? partial[i - 1] : 0);
  }
  GetTextExtentPoint32W(h, s, static_cast<int>(n), &ext);
  Touch(dc, x - ext.cx, y - ext.cy, x + ext.cx, y + ext.cy, false);
  const UINT own = dc.s.textAlign;
  if (align != own) MetaRecord(dc, EMR_SETTEXTALIGN, {static_cast<int32_t>(align)});
  size_t at = m.Begin(EMR_EXTTEXTOUTW);
  m.Rect(m.bounds);
  m.Word(static_cast<uint32_t>(dc.s.graphicsMode));
  float one = 1;
  m.Bytes(&one, 4);
  m.Bytes(&one, 4);
  m.Word(static_cast<uint32_t>(x));
  m.Word(static_cast<uint32_t>(y));
  m.Word(static_cast<uint32_t>(n));
  const uint32_t offString = 76;
  const uint32_t offDx = offString + static_cast<uint32_t>((n * 2 + 3) / 4 * 4);
  m.Word(offString);
  m.Word(options);
  RECT rc = rect ? *rect : RECT{};
  m.Rect({rc.Left, rc.Top, rc.Right, rc.Bottom});
  m.Word(offDx);
  for (size_t i = 0; i < n; ++i) {
    m.out.push_back(static_cast<uint8_t>(s[i] & 0xFF));
    m.out.push_back(static_cast<uint8_t>(s[i] >> 8));
  }
  while ((m.out.size() - at) % 4) m.out.push_back(0);
  for (INT v : adv) m.Word(static_cast<uint32_t>(v));
  m.End(at);
  if (align != own) MetaRecord(dc, EMR_SETTEXTALIGN, {static_cast<int32_t>(own)});
}

void MetaRecordDib(Dc& dc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, const void* bits,
                   const BITMAPINFO* info, UINT usage, DWORD rop) {
  size_t head = 0, size = 0;
  if (!bits || !DibSizes(info, usage, head, size)) return;
  MetaRecorder& m = *dc.meta;
  Touch(dc, xd, yd, double(xd) + wd - 1, double(yd) + hd - 1, false);
  const size_t paddedHead = (head + 3) / 4 * 4;
  size_t at = m.Begin(EMR_STRETCHDIBITS);
  m.Rect({xd, yd, xd + wd - 1, yd + hd - 1});
  for (int v : {xd, yd, xs, ys, ws, hs}) m.Word(static_cast<uint32_t>(v));
  m.Word(80);
  m.Word(static_cast<uint32_t>(head));
  m.Word(static_cast<uint32_t>(80 + paddedHead));
  m.Word(static_cast<uint32_t>(size));
  m.Word(DIB_RGB_COLORS);
  m.Word(rop);
  m.Word(static_cast<uint32_t>(wd));
  m.Word(static_cast<uint32_t>(hd));
  m.Bytes(info, head);
  while ((m.out.size() - at) % 4) m.out.push_back(0);
  m.Bytes(bits, size);
  m.End(at);
}

void MetaRecordBlt(Dc& dc, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs, DWORD rop,
                   const BLENDFUNCTION* blend) {
  MetaRecorder& m = *dc.meta;
  Touch(dc, xd, yd, double(xd) + wd - 1, double(yd) + hd - 1, false);
  const bool usesSource = blend || RopUsesS(static_cast<uint8_t>((rop >> 16) & 0xFF));
  if (!usesSource || !src) {
    WriteBlt(m, EMR_BITBLT, xd, yd, wd, hd, rop, 0, 0, 0, nullptr, 0, 0);
    return;
  }
  std::vector<uint32_t> px;
  if (!Capture(src, xs, ys, ws, hs, px)) return;
  DWORD code = rop;
  if (blend)
    code = DWORD(blend->BlendOp) | DWORD(blend->BlendFlags) << 8 | DWORD(blend->SourceConstantAlpha) << 16 |
           DWORD(blend->AlphaFormat) << 24;
  WriteBlt(m, blend ? EMR_ALPHABLEND : EMR_STRETCHBLT, xd, yd, wd, hd, code, 0, 0, GetBkColor(src), &px, ws,
           hs);
}

void MetaRecordBrushRects(Dc& dc, HBRUSH brush, const RECT* rects, size_t n, DWORD rop) {
  MetaRecorder& m = *dc.meta;
  HGDIOBJ current = dc.s.brush;
  if (brush && brush != current) MetaRecordSelect(dc, brush);
  for (size_t i = 0; i < n; ++i) {
    const RECT& r = rects[i];
    Touch(dc, r.Left, r.Top, double(r.Right) - 1, double(r.Bottom) - 1, false);
    WriteBlt(m, EMR_BITBLT, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, rop, 0, 0, 0, nullptr, 0, 0);
  }
  if (brush && brush != current && current) MetaRecordSelect(dc, current);
}

void MetaRecordClip(Dc& dc, HRGN region, int mode) {
  MetaRecorder& m = *dc.meta;
  std::vector<uint8_t> data;
  if (region) {
    data.resize(GetRegionData(region, 0, nullptr));
    if (data.empty() ||
        !GetRegionData(region, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())))
      return;
  }
  size_t at = m.Begin(EMR_EXTSELECTCLIPRGN);
  m.Word(static_cast<uint32_t>(data.size()));
  m.Word(static_cast<uint32_t>(mode));
  m.Bytes(data.data(), data.size());
  m.End(at);
}

}  // namespace qd::gdi

namespace qd {

using gdi::Dc;
using gdi::MetaRecorder;

HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description) {
  if (fileName || (reference && !gdi::FindDc(reference))) return nullptr;
  HDC h = CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr);
  Dc* dc = gdi::FindDc(h);
  if (!dc) return nullptr;
  auto rec = std::make_shared<MetaRecorder>();
  if (frame) {
    rec->hasFrame = true;
    rec->frame = {frame->Left, frame->Top, frame->Right, frame->Bottom};
  }
  if (description)
    for (const char16_t* p = description; *p && rec->description.size() < 4096; ++p) rec->description += *p;
  {
    std::lock_guard g(gdi::RecordersLock());
    gdi::Recorders().insert(rec.get());
  }
  dc->meta = std::move(rec);
  return h;
}

HENHMETAFILE CloseEnhMetaFile(HDC h) {
  Dc* dc = gdi::FindDc(h);
  if (!dc || !dc->meta) return nullptr;
  std::shared_ptr<MetaRecorder> rec = dc->meta;
  gdi::MetaRecord(*dc, EMR_EOF, {0});
  {
    std::lock_guard g(gdi::RecordersLock());
    gdi::Recorders().erase(rec.get());
  }
  dc->meta.reset();
  DeleteDC(h);

  ENHMETAHEADER hd;
  std::vector<uint8_t> desc;
  if (!rec->description.empty()) {
    for (char16_t c : rec->description) {
      desc.push_back(static_cast<uint8_t>(c & 0xFF));
      desc.push_back(static_cast<uint8_t>(c >> 8));
    }
    desc.push_back(0);
    desc.push_back(0);
    while (desc.size() % 4) desc.push_back(0);
    hd.nDescription = static_cast<DWORD>(rec->description.size() + 1);
    hd.offDescription = sizeof(ENHMETAHEADER);
  }
  hd.nSize = static_cast<DWORD>(sizeof(ENHMETAHEADER) + desc.size());
  hd.rclBounds = rec->hasBounds ? rec->bounds : RECTL{0, 0, -1, -1};
  if (rec->hasFrame) {
    hd.rclFrame = rec->frame;
  } else if (rec->hasBounds) {
    auto mm = [](int64_t px) {
      return static_cast<LONG>(std::clamp(std::llround(px * 2540.0 / 96), -(1LL << 31), (1LL << 31) - 1));
    };
    hd.rclFrame = {mm(rec->bounds.left), mm(rec->bounds.top), mm(int64_t(rec->bounds.right) + 1),
                   mm(int64_t(rec->bounds.bottom) + 1)};
  }
  hd.nBytes = static_cast<DWORD>(hd.nSize + rec->out.size());
  hd.nRecords = rec->records + 1;
  hd.nHandles = static_cast<WORD>(std::min<size_t>(rec->used.size(), 0xFFFF));
  hd.szlDevice = gdi::kRefDevice;
  hd.szlMillimeters = gdi::kRefMillimeters;
  hd.szlMicrometers = gdi::kRefMicrometers;
  std::vector<uint8_t> bytes(hd.nBytes);
  std::memcpy(bytes.data(), &hd, sizeof hd);
  if (!desc.empty()) std::memcpy(bytes.data() + sizeof hd, desc.data(), desc.size());
  std::memcpy(bytes.data() + hd.nSize, rec->out.data(), rec->out.size());
  return gdi::meta::NewEnhMetaFile(std::move(bytes));
}

}  // namespace qd
