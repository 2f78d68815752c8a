// Old-style metafiles (WMF): the check of a whole file and the player.
#include <algorithm>
#include <string>

#include "platform/base/strings.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile_internal.h"

namespace qd::gdi::meta {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;

enum : uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_REALIZEPALETTE = 0x0035,
  META_SETPALENTRIES = 0x0037,
  META_CREATEPALETTE = 0x00F7,
  META_SETBKMODE = 0x0102,
  META_SETMAPMODE = 0x0103,
  META_SETROP2 = 0x0104,
  META_SETRELABS = 0x0105,
  META_SETPOLYFILLMODE = 0x0106,
  META_SETSTRETCHBLTMODE = 0x0107,
  META_RESTOREDC = 0x0127,
  META_SELECTCLIPREGION = 0x012C,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_DIBCREATEPATTERNBRUSH = 0x0142,
  META_DELETEOBJECT = 0x01F0,
  META_CREATEPATTERNBRUSH = 0x01F9,
  META_SETBKCOLOR = 0x0201,
  META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_SETVIEWPORTORG = 0x020D,
  META_SETVIEWPORTEXT = 0x020E,
  META_OFFSETWINDOWORG = 0x020F,
  META_OFFSETVIEWPORTORG = 0x0211,
  META_LINETO = 0x0213,
  META_MOVETO = 0x0214,
  META_OFFSETCLIPRGN = 0x0220,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416,
  META_ELLIPSE = 0x0418,
  META_RECTANGLE = 0x041B,
  META_SETPIXEL = 0x041F,
  META_TEXTOUT = 0x0521,
  META_POLYPOLYGON = 0x0538,
  META_ROUNDRECT = 0x061C,
  META_PATBLT = 0x061D,
  META_CREATEREGION = 0x06FF,
  META_ARC = 0x0817,
  META_PIE = 0x081A,
  META_CHORD = 0x0830,
  META_DIBBITBLT = 0x0940,
  META_EXTTEXTOUT = 0x0A32,
  META_DIBSTRETCHBLT = 0x0B41,
  META_SETDIBTODEV = 0x0D33,
  META_STRETCHDIB = 0x0F43,
};

// Where the records start and how large the object table is.
struct WmfLayout {
  bool placeable = false;
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  uint16_t inch = 0;
  size_t records = 0;  // offset of the first record
  size_t end = 0;      // offset after the data
  uint16_t objects = 0;
};

bool Layout(Bytes data, WmfLayout& l) {
  Rd d(data.data(), data.size());
  size_t at = 0;
  if (d.U32(0) == kPlaceableKey) {
    if (!d.Has(0, kPlaceableSize)) return false;
    l.placeable = true;
    l.left = d.I16(6), l.top = d.I16(8), l.right = d.I16(10), l.bottom = d.I16(12);
    l.inch = d.U16(14);
    at = kPlaceableSize;
  }
  if (!d.Has(at, kWmfHeaderSize)) return false;
  const uint16_t type = d.U16(at), words = d.U16(at + 2);
  if ((type != 1 && type != 2) || words != 9) return false;
  const uint64_t size = uint64_t(d.U32(at + 6)) * 2;
  l.objects = d.U16(at + 10);
  l.records = at + kWmfHeaderSize;
  // Some writers leave the size at 0 or too small; the records themselves are checked.
  l.end = size >= kWmfHeaderSize && size <= data.size() - at ? at + static_cast<size_t>(size) : data.size();
  return true;
}

// The smallest record size (bytes) each function needs.
uint32_t WmfMinSize(uint16_t f) {
  switch (f) {
    case META_SETBKMODE:
    case META_SETMAPMODE:
    case META_SETROP2:
    case META_SETPOLYFILLMODE:
    case META_SETSTRETCHBLTMODE:
    case META_RESTOREDC:
    case META_SELECTCLIPREGION:
    case META_SELECTOBJECT:
    case META_SETTEXTALIGN:
    case META_DELETEOBJECT:
    case META_POLYGON:
    case META_POLYLINE:
    case META_POLYPOLYGON:
    case META_TEXTOUT:
      return 8;
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR:
    case META_SETWINDOWORG:
    case META_SETWINDOWEXT:
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
    case META_OFFSETWINDOWORG:
    case META_OFFSETVIEWPORTORG:
    case META_LINETO:
    case META_MOVETO:
    case META_OFFSETCLIPRGN:
      return 10;
    case META_CREATEPENINDIRECT:
      return 16;
    case META_CREATEBRUSHINDIRECT:
      return 14;
    case META_CREATEFONTINDIRECT:
      return 24;
    case META_EXCLUDECLIPRECT:
    case META_INTERSECTCLIPRECT:
    case META_ELLIPSE:
    case META_RECTANGLE:
      return 14;
    case META_SETPIXEL:
      return 14;
    case META_ROUNDRECT:
      return 18;
    case META_PATBLT:
      return 18;
    case META_ARC:
    case META_PIE:
    case META_CHORD:
      return 22;
    case META_EXTTEXTOUT:
      return 14;
    case META_DIBBITBLT:
      return 22;
    case META_DIBSTRETCHBLT:
      return 26;
    case META_STRETCHDIB:
      return 28;
    case META_SETDIBTODEV:
      return 24;
    case META_DIBCREATEPATTERNBRUSH:
      return 10;
    default:
      return 6;
  }
}

bool CreatesObject(uint16_t f) {
  return f == META_CREATEPENINDIRECT || f == META_CREATEFONTINDIRECT || f == META_CREATEBRUSHINDIRECT ||
         f == META_CREATEPALETTE || f == META_CREATEREGION || f == META_CREATEPATTERNBRUSH ||
         f == META_DIBCREATEPATTERNBRUSH;
}

// Whether the counts and bitmaps inside a record agree with its size.
bool WmfRecordSound(const Rd& r) {
  const uint16_t f = r.U16(4);
  auto dibAt = [&](uint64_t at) {
    Dib d;
    return r.n <= at || ReadDib(r, at, r.n - at, at, r.n - at, d) || !r.Has(at, 40);
  };
  switch (f) {
    case META_POLYGON:
    case META_POLYLINE:
      return r.Has(8, uint64_t(r.U16(6)) * 4);
    case META_POLYPOLYGON: {
      const uint64_t polys = r.U16(6);
      if (!r.Has(8, polys * 2)) return false;
      uint64_t total = 0;
      for (uint64_t i = 0; i < polys; ++i) total += r.U16(8 + i * 2);
      return r.Has(8 + polys * 2, total * 4);
    }
    case META_TEXTOUT:
      return r.Has(8, ((uint64_t(r.U16(6)) + 1) & ~uint64_t(1)) + 4);
    case META_EXTTEXTOUT: {
      const uint64_t rect = (r.U16(12) & (ETO_OPAQUE | ETO_CLIPPED)) ? 8 : 0;
      return r.Has(14 + rect, r.U16(10));
    }
    case META_STRETCHDIB:
      return dibAt(28);
    case META_DIBSTRETCHBLT:
      return dibAt(26);
    case META_DIBBITBLT:
      return dibAt(22);
    case META_SETDIBTODEV:
      return dibAt(24);
    default:
      return true;
  }
}

class WmfPlayer {
 public:
  WmfPlayer(HDC dc, size_t objects, bool own) : core_(dc, objects), own_(own) {}
  PlayerCore& core() { return core_; }
  void Record(const Rd& r);

 private:
  void Points(const Rd& r, uint16_t f);
  void Text(const Rd& r, uint16_t f);
  void Blit(const Rd& r, uint16_t f);
  void Create(const Rd& r, uint16_t f);
  void MapChanged() { core_.Apply(); }

  PlayerCore core_;
  bool own_;  // the player maps the picture itself (else the DC's mapping is used as it is)
};

// A parameter word by index (after the 6-byte record header).
int16_t P(const Rd& r, uint64_t i) {
  return r.I16(6 + i * 2);
}

void WmfPlayer::Points(const Rd& r, uint16_t f) {
  HDC dc = core_.dc();
  if (f == META_POLYPOLYGON) {
    const uint16_t polys = r.U16(6);
    if (!polys || !r.Has(8, uint64_t(polys) * 2)) return;
    std::vector<INT> counts(polys);
    uint64_t total = 0;
    for (uint16_t i = 0; i < polys; ++i) total += counts[i] = r.U16(8 + uint64_t(i) * 2);
    const uint64_t off = 8 + uint64_t(polys) * 2;
    if (!r.Has(off, total * 4)) return;
    std::vector<POINT> pts(static_cast<size_t>(total));
    for (uint64_t i = 0; i < total; ++i) pts[i] = {r.I16(off + i * 4), r.I16(off + i * 4 + 2)};
    PolyPolygon(dc, pts.data(), counts.data(), polys);
    return;
  }
  const uint16_t n = r.U16(6);
  if (!r.Has(8, uint64_t(n) * 4)) return;
  std::vector<POINT> pts(n);
  for (uint16_t i = 0; i < n; ++i) pts[i] = {r.I16(8 + uint64_t(i) * 4), r.I16(10 + uint64_t(i) * 4)};
  if (f == META_POLYGON)
    Polygon(dc, pts.data(), n);
  else
    Polyline(dc, pts.data(), n);
}

void WmfPlayer::Text(const Rd& r, uint16_t f) {
  HDC dc = core_.dc();
  auto decode = [&](uint64_t off, uint16_t n) {
    return DecodeCodePage(std::string_view(reinterpret_cast<const char*>(r.p + off), n), CP_WINDOWS1252);
  };
  if (f == META_TEXTOUT) {
    const uint16_t n = r.U16(6);
    const uint64_t padded = (uint64_t(n) + 1) & ~uint64_t(1);
    if (!r.Has(8, padded + 4)) return;
    String s = decode(8, n);
    TextOutW(dc, r.I16(8 + padded + 2), r.I16(8 + padded), s.data(), static_cast<int>(s.size()));
    return;
  }
  const int16_t y = P(r, 0), x = P(r, 1);
  const uint16_t n = r.U16(10), options = r.U16(12);
  uint64_t off = 14;
  RECT rc;
  const bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
  if (hasRect) {
    if (!r.Has(off, 8)) return;
    rc = {r.I16(off), r.I16(off + 2), r.I16(off + 4), r.I16(off + 6)};
    off += 8;
  }
  if (!r.Has(off, n)) return;
  String s = decode(off, n);
  off += (uint64_t(n) + 1) & ~uint64_t(1);
  std::vector<INT> dx;
  if (s.size() == n && r.Has(off, uint64_t(n) * 2)) {
    dx.resize(n);
    for (uint16_t i = 0; i < n; ++i) dx[i] = r.I16(off + uint64_t(i) * 2);
  }
  ExtTextOutW(dc, x, y, options & (ETO_OPAQUE | ETO_CLIPPED), hasRect ? &rc : nullptr, s.data(),
              static_cast<UINT>(s.size()), dx.empty() ? nullptr : dx.data());
}

void WmfPlayer::Blit(const Rd& r, uint16_t f) {
  HDC dc = core_.dc();
  if (f == META_PATBLT) {
    const DWORD rop = r.U32(6);
    PatBlt(dc, P(r, 5), P(r, 4), P(r, 3), P(r, 2), rop);
    return;
  }
  // The parameters stand in reverse order; the bitmap follows them.
  const DWORD rop = r.U32(6);
  int32_t xd, yd, wd, hd, xs, ys, ws, hs;
  uint64_t dibAt;
  UINT usage = DIB_RGB_COLORS;
  if (f == META_STRETCHDIB) {
    usage = r.U16(10);
    hs = P(r, 3), ws = P(r, 4), ys = P(r, 5), xs = P(r, 6), hd = P(r, 7), wd = P(r, 8), yd = P(r, 9),
    xd = P(r, 10);
    dibAt = 28;
  } else if (f == META_DIBSTRETCHBLT) {
    hs = P(r, 2), ws = P(r, 3), ys = P(r, 4), xs = P(r, 5), hd = P(r, 6), wd = P(r, 7), yd = P(r, 8),
    xd = P(r, 9);
    dibAt = 26;
  } else if (f == META_DIBBITBLT) {
    ys = P(r, 2), xs = P(r, 3), hd = P(r, 4), wd = P(r, 5), yd = P(r, 6), xd = P(r, 7);
    ws = wd, hs = hd;
    dibAt = 22;
  } else {  // META_SETDIBTODEV
    usage = r.U16(6);
    const uint16_t lines = r.U16(8), start = r.U16(10);
    ys = P(r, 3), xs = P(r, 4), hd = P(r, 5), wd = P(r, 6), yd = P(r, 7), xd = P(r, 8);
    Dib dib;
    if (usage != DIB_RGB_COLORS || !ReadDib(r, 24, r.n - 24, 24, r.n - 24, dib)) return;
    const BITMAPINFOHEADER& h = dib.Info()->bmiHeader;
    const size_t head = dib.headSize;
    if (!ReadDib(r, 24, r.n - 24, 24 + head, r.n - 24 - head, dib)) return;
    const uint32_t rows = static_cast<uint32_t>(h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight);
    if (start >= rows || lines > rows - start || wd < 0 || hd < 0) return;
    SetDIBitsToDevice(dc, xd, yd, static_cast<DWORD>(wd), static_cast<DWORD>(hd), xs, ys, start, lines,
                      dib.bits, dib.Info(), DIB_RGB_COLORS);
    return;
  }
  if (!r.Has(dibAt, 40)) {
    PatBlt(dc, xd, yd, wd, hd, rop);
    return;
  }
  if (usage != DIB_RGB_COLORS) return;
  // The bits follow the header and its colour table inside the record.
  Dib probe;
  if (!ReadDib(r, dibAt, r.n - dibAt, dibAt, r.n - dibAt, probe)) return;
  const size_t head = probe.headSize;
  Dib dib;
  if (head > r.n - dibAt || !ReadDib(r, dibAt, r.n - dibAt, dibAt + head, r.n - dibAt - head, dib)) return;
  StretchDIBits(dc, xd, yd, wd, hd, xs, ys, ws, hs, dib.bits, dib.Info(), DIB_RGB_COLORS, rop);
}

void WmfPlayer::Create(const Rd& r, uint16_t f) {
  HGDIOBJ o = nullptr;
  switch (f) {
    case META_CREATEPENINDIRECT: {
      LOGPEN lp;
      lp.lopnStyle = r.U16(6);
      lp.lopnWidth = {std::max<int32_t>(r.I16(8), 0), 0};
      lp.lopnColor = r.U32(12) & 0xFFFFFF;
      o = CreatePenIndirect(&lp);
      break;
    }
    case META_CREATEBRUSHINDIRECT: {
      LOGBRUSH lb;
      lb.lbStyle = r.U16(6);
      lb.lbColor = r.U32(8) & 0xFFFFFF;
      lb.lbHatch = r.U16(12);
      if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED) lb.lbStyle = BS_SOLID;
      o = CreateBrushIndirect(&lb);
      break;
    }
    case META_CREATEFONTINDIRECT: {
      LOGFONTW lf;
      lf.lfHeight = r.I16(6);
      lf.lfWidth = std::max<int16_t>(r.I16(8), 0);
      lf.lfEscapement = r.I16(10);
      lf.lfOrientation = r.I16(12);
      lf.lfWeight = r.I16(14);
      const uint8_t* b = r.p + 16;
      lf.lfItalic = b[0], lf.lfUnderline = b[1], lf.lfStrikeOut = b[2], lf.lfCharSet = b[3];
      lf.lfOutPrecision = b[4], lf.lfClipPrecision = b[5], lf.lfQuality = b[6], lf.lfPitchAndFamily = b[7];
      size_t len = 0;
      const size_t room = std::min<size_t>(r.n - 24, LF_FACESIZE - 1);
      while (len < room && r.p[24 + len]) ++len;
      String face =
          DecodeCodePage(std::string_view(reinterpret_cast<const char*>(r.p + 24), len), CP_WINDOWS1252);
      for (size_t i = 0; i < face.size() && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
      o = CreateFontIndirectW(&lf);
      break;
    }
    case META_DIBCREATEPATTERNBRUSH: {
      Dib probe, dib;
      const uint64_t at = 10;
      if (r.U16(8) == DIB_RGB_COLORS && r.n > at && ReadDib(r, at, r.n - at, at, r.n - at, probe)) {
        const size_t head = probe.headSize;
        if (head <= r.n - at && ReadDib(r, at, r.n - at, at + head, r.n - at - head, dib)) {
          std::vector<uint8_t> packed = dib.Packed();
          o = CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
        }
      }
      if (!o) o = CreateSolidBrush(0);
      break;
    }
    default:
      // Palettes, regions and old pattern brushes take a slot but draw nothing here.
      o = CreateSolidBrush(0);
      break;
  }
  const int64_t slot = core_.FreeSlot();
  if (slot < 0) {
    if (o) DeleteObject(o);
    return;
  }
  core_.Put(static_cast<uint32_t>(slot), o);
}

void WmfPlayer::Record(const Rd& r) {
  HDC dc = core_.dc();
  const uint16_t f = r.U16(4);
  Mapping& m = core_.mapping();
  const bool drawing = !core_.Degenerate();
  switch (f) {
    case META_SETBKMODE:
      SetBkMode(dc, r.U16(6));
      break;
    case META_SETMAPMODE:
      if (!own_) break;
      if (r.U16(6) >= MM_TEXT && r.U16(6) <= MM_ANISOTROPIC) m.mapMode = r.U16(6);
      MapChanged();
      break;
    case META_SETROP2:
      SetROP2(dc, r.U16(6));
      break;
    case META_SETPOLYFILLMODE:
      SetPolyFillMode(dc, r.U16(6));
      break;
    case META_SETSTRETCHBLTMODE:
      SetStretchBltMode(dc, r.U16(6));
      break;
    case META_SETTEXTALIGN:
      SetTextAlign(dc, r.U16(6));
      break;
    case META_SETBKCOLOR:
      SetBkColor(dc, r.U32(6) & 0xFFFFFF);
      break;
    case META_SETTEXTCOLOR:
      SetTextColor(dc, r.U32(6) & 0xFFFFFF);
      break;
    case META_SETWINDOWORG:
      m.winOrgY = P(r, 0), m.winOrgX = P(r, 1);
      MapChanged();
      break;
    case META_OFFSETWINDOWORG:
      m.winOrgY += P(r, 0), m.winOrgX += P(r, 1);
      MapChanged();
      break;
    case META_SETWINDOWEXT:
      if (own_ && P(r, 0) && P(r, 1)) m.winExtY = P(r, 0), m.winExtX = P(r, 1);
      MapChanged();
      break;
    case META_SETVIEWPORTORG:
    case META_OFFSETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
      // The picture's viewport is the target rectangle.
      break;
    case META_LINETO:
      if (drawing) LineTo(dc, P(r, 1), P(r, 0));
      break;
    case META_MOVETO:
      MoveToEx(dc, P(r, 1), P(r, 0), nullptr);
      break;
    case META_OFFSETCLIPRGN:
      OffsetClipRgn(dc, P(r, 1), P(r, 0));
      break;
    case META_EXCLUDECLIPRECT:
      ExcludeClipRect(dc, P(r, 3), P(r, 2), P(r, 1), P(r, 0));
      break;
    case META_INTERSECTCLIPRECT:
      IntersectClipRect(dc, P(r, 3), P(r, 2), P(r, 1), P(r, 0));
      break;
    case META_SELECTCLIPREGION:
      // Regions are not kept; selecting one resets the clip.
      core_.SelectClip(nullptr, RGN_COPY);
      break;
    case META_SAVEDC:
      core_.Save();
      break;
    case META_RESTOREDC:
      core_.Restore(P(r, 0));
      break;
    case META_SELECTOBJECT:
      core_.Select(core_.At(r.U16(6)));
      break;
    case META_DELETEOBJECT:
      core_.Delete(r.U16(6));
      break;
    case META_SETPIXEL:
      if (drawing) SetPixelV(dc, P(r, 3), P(r, 2), r.U32(6) & 0xFFFFFF);
      break;
    case META_ELLIPSE:
    case META_RECTANGLE: {
      if (!drawing) break;
      RECT s = core_.Shape(P(r, 3), P(r, 2), P(r, 1), P(r, 0));
      if (f == META_ELLIPSE)
        Ellipse(dc, s.Left, s.Top, s.Right, s.Bottom);
      else
        Rectangle(dc, s.Left, s.Top, s.Right, s.Bottom);
      break;
    }
    case META_ROUNDRECT: {
      if (!drawing) break;
      RECT s = core_.Shape(P(r, 5), P(r, 4), P(r, 3), P(r, 2));
      RoundRect(dc, s.Left, s.Top, s.Right, s.Bottom, P(r, 1), P(r, 0));
      break;
    }
    case META_ARC:
    case META_PIE:
    case META_CHORD: {
      if (!drawing) break;
      RECT s = core_.Shape(P(r, 7), P(r, 6), P(r, 5), P(r, 4));
      const int32_t xs = P(r, 3), ys = P(r, 2), xe = P(r, 1), ye = P(r, 0);
      if (f == META_ARC)
        Arc(dc, s.Left, s.Top, s.Right, s.Bottom, xs, ys, xe, ye);
      else if (f == META_PIE)
        Pie(dc, s.Left, s.Top, s.Right, s.Bottom, xs, ys, xe, ye);
      else
        Chord(dc, s.Left, s.Top, s.Right, s.Bottom, xs, ys, xe, ye);
      break;
    }
    case META_POLYGON:
    case META_POLYLINE:
    case META_POLYPOLYGON:
      if (drawing) Points(r, f);
      break;
    case META_TEXTOUT:
    case META_EXTTEXTOUT:
      if (drawing) Text(r, f);
      break;
    case META_PATBLT:
    case META_DIBBITBLT:
    case META_DIBSTRETCHBLT:
    case META_STRETCHDIB:
    case META_SETDIBTODEV:
      if (drawing) Blit(r, f);
      break;
    default:
      if (CreatesObject(f)) Create(r, f);
      break;
  }
}

}  // namespace

metafile::Check ExamineWmf(Bytes data, metafile::Info& info) {
  WmfLayout l;
  if (!Layout(data, l)) return metafile::Check::Damaged;
  Rd d(data.data(), l.end);
  uint32_t records = 0;
  bool eof = false;
  int32_t extX = 0, extY = 0;
  for (uint64_t at = l.records; at < l.end && !eof;) {
    if (!d.Has(at, 6)) return metafile::Check::Damaged;
    const uint64_t size = uint64_t(d.U32(at)) * 2;
    const uint16_t f = d.U16(at + 4);
    if (f == META_EOF) {
      eof = true;
      break;
    }
    if (size < 6 || !d.Has(at, size) || size < WmfMinSize(f) || !WmfRecordSound(Rd(data.data() + at, size)))
      return metafile::Check::Damaged;
    if (f == META_SETWINDOWEXT && !extX) {
      extX = std::abs(int32_t(d.I16(at + 8)));
      extY = std::abs(int32_t(d.I16(at + 6)));
    }
    at += size;
    ++records;
  }
  if (!eof) return metafile::Check::Damaged;
  if (l.placeable) {
    const double inch = l.inch ? l.inch : 1440;
    info.width = static_cast<int32_t>(std::lround(std::abs(int32_t(l.right) - l.left) * 96.0 / inch));
    info.height = static_cast<int32_t>(std::lround(std::abs(int32_t(l.bottom) - l.top) * 96.0 / inch));
  } else {
    info.width = extX;
    info.height = extY;
  }
  info.records = records;
  return metafile::Check::Ok;
}

bool PlayWmf(HDC dc, Bytes data, const RECT* rect) {
  metafile::Info info;
  if (ExamineWmf(data, info) != metafile::Check::Ok) return false;
  WmfLayout l;
  Layout(data, l);
  WmfPlayer player(dc, std::max<uint16_t>(l.objects, 1), rect != nullptr);
  Affine base;
  if (rect) {
    // The picture's window (or the placeable bounds) is mapped onto the rectangle.
    double x = 0, y = 0, w = info.width, h = info.height;
    Mapping& m = player.core().mapping();
    if (l.placeable) {
      x = l.left, y = l.top, w = double(l.right) - l.left, h = double(l.bottom) - l.top;
    }
    if (!w || !h) w = h = 1;
    m.mapMode = MM_ANISOTROPIC;
    m.winOrgX = x, m.winOrgY = y, m.winExtX = w, m.winExtY = h;
    m.vpExtX = double(rect->Right) - rect->Left;
    m.vpExtY = double(rect->Bottom) - rect->Top;
    base = {1, 0, 0, 1, double(rect->Left), double(rect->Top)};
  }
  if (!player.core().Begin(base, 96, 96)) return false;
  Rd d(data.data(), l.end);
  for (uint64_t at = l.records; at + 6 <= l.end;) {
    const uint64_t size = uint64_t(d.U32(at)) * 2;
    if (d.U16(at + 4) == META_EOF || size < 6) break;
    player.Record(Rd(data.data() + at, static_cast<size_t>(size)));
    at += size;
  }
  player.core().End();
  return true;
}

}  // namespace qd::gdi::meta
