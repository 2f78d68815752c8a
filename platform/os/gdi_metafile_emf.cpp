// Enhanced metafiles: the check of a whole file and the player.
#include <algorithm>
#include <string>

#include "platform/base/strings.h"
#include "platform/os/gdi_internal.h"
#include "platform/os/gdi_metafile_internal.h"

namespace qd::gdi::meta {

namespace {

constexpr uint32_t kEmfSignature = 0x464D4520;
constexpr uint32_t kMaxEmfHandles = 0xFFFF;

// The smallest size of each record type that the player reads (0: no fixed part checked).
uint32_t EmfMinSize(uint32_t type) {
  switch (type) {
    case EMR_EOF:
      return 20;
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return 28;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
      return 32;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX:
    case EMR_MOVETOEX:
    case EMR_LINETO:
    case EMR_OFFSETCLIPRGN:
      return 16;
    case EMR_SETPIXELV:
      return 20;
    case EMR_SETMAPMODE:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_RESTOREDC:
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_SETARCDIRECTION:
    case EMR_SELECTCLIPPATH:
    case EMR_SETLAYOUT:
      return 12;
    case EMR_EXCLUDECLIPRECT:
    case EMR_INTERSECTCLIPRECT:
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
      return 24;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
      return 24;
    case EMR_SETWORLDTRANSFORM:
      return 32;
    case EMR_MODIFYWORLDTRANSFORM:
      return 36;
    case EMR_CREATEPEN:
      return 28;
    case EMR_CREATEBRUSHINDIRECT:
      return 24;
    case EMR_ANGLEARC:
      return 28;
    case EMR_ROUNDRECT:
      return 32;
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE:
      return 40;
    case EMR_FILLRGN:
      return 32;
    case EMR_FRAMERGN:
      return 40;
    case EMR_PAINTRGN:
    case EMR_INVERTRGN:
      return 28;
    case EMR_EXTSELECTCLIPRGN:
      return 16;
    case EMR_BITBLT:
      return 100;
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
      return 108;
    case EMR_SETDIBITSTODEVICE:
      return 76;
    case EMR_STRETCHDIBITS:
      return 80;
    case EMR_EXTCREATEFONTINDIRECTW:
      return 104;
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA:
      return 76;
    case EMR_CREATEDIBPATTERNBRUSHPT:
      return 32;
    case EMR_EXTCREATEPEN:
      return 52;
    default:
      return 8;
  }
}

// Points of a poly record: 32-bit (POINTL) or 16-bit (POINTS) pairs.
bool ReadPoints(const Rd& r, uint64_t off, uint64_t count, bool small, std::vector<POINT>& out) {
  const uint64_t each = small ? 4 : 8;
  if (count > r.n / each || !r.Has(off, count * each)) return false;
  out.resize(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t at = off + i * each;
    out[i] =
        small ? POINT{r.I16(at), r.I16(at + 2)} : POINT{ClampCoord(r.I32(at)), ClampCoord(r.I32(at + 4))};
  }
  return true;
}

// A region from RGNDATA inside a record, in the picture's device units.
HRGN ReadRegion(const Rd& r, uint64_t off, uint64_t size) {
  if (!r.Has(off, size) || size < 32) return nullptr;
  Rd h(r.p + off, size);
  uint32_t count = h.U32(8);
  if (h.U32(0) != 32 || count > (size - 32) / 16) return nullptr;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  for (uint32_t i = 0; i < count; ++i) {
    uint64_t at = 32 + uint64_t(i) * 16;
    HRGN box = CreateRectRgn(ClampCoord(h.I32(at)), ClampCoord(h.I32(at + 4)), ClampCoord(h.I32(at + 8)),
                             ClampCoord(h.I32(at + 12)));
    CombineRgn(rgn, rgn, box, RGN_OR);
    DeleteObject(box);
  }
  return rgn;
}

bool ValidXformRecord(const XFORM& x) {
  return std::isfinite(x.eM11) && std::isfinite(x.eM12) && std::isfinite(x.eM21) && std::isfinite(x.eM22) &&
         std::isfinite(x.eDx) && std::isfinite(x.eDy);
}

XFORM ReadXform(const Rd& r, uint64_t off) {
  return {r.F32(off), r.F32(off + 4), r.F32(off + 8), r.F32(off + 12), r.F32(off + 16), r.F32(off + 20)};
}

class EmfPlayer {
 public:
  EmfPlayer(HDC dc, size_t handles) : core_(dc, handles) {}
  PlayerCore& core() { return core_; }
  void Record(const Rd& r);

 private:
  void Poly(const Rd& r, uint32_t type);
  void PolyPoly(const Rd& r, uint32_t type);
  void Text(const Rd& r, bool wide);
  void Blit(const Rd& r, uint32_t type);
  PlayerCore core_;
};

void EmfPlayer::Poly(const Rd& r, uint32_t type) {
  const bool small = type >= EMR_POLYBEZIER16 && type <= EMR_POLYLINETO16;
  std::vector<POINT> pts;
  if (!ReadPoints(r, 28, r.U32(24), small, pts)) return;
  HDC dc = core_.dc();
  const auto n = static_cast<DWORD>(pts.size());
  switch (small ? type - EMR_POLYBEZIER16 + EMR_POLYBEZIER : type) {
    case EMR_POLYBEZIER:
      if (n >= 4 && (n - 1) % 3 == 0) PolyBezier(dc, pts.data(), n);
      break;
    case EMR_POLYGON:
      Polygon(dc, pts.data(), static_cast<int>(n));
      break;
    case EMR_POLYLINE:
      Polyline(dc, pts.data(), static_cast<int>(n));
      break;
    case EMR_POLYBEZIERTO:
      if (n >= 3 && n % 3 == 0) PolyBezierTo(dc, pts.data(), n);
      break;
    case EMR_POLYLINETO:
      PolylineTo(dc, pts.data(), n);
      break;
  }
}

void EmfPlayer::PolyPoly(const Rd& r, uint32_t type) {
  const bool small = type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
  const uint32_t polys = r.U32(24), total = r.U32(28);
  if (polys == 0 || polys > r.n / 4 || !r.Has(32, uint64_t(polys) * 4)) return;
  std::vector<INT> counts(polys);
  uint64_t sum = 0;
  for (uint32_t i = 0; i < polys; ++i) {
    counts[i] = static_cast<INT>(std::min<uint32_t>(r.U32(32 + uint64_t(i) * 4), INT32_MAX));
    sum += static_cast<uint32_t>(counts[i]);
  }
  if (sum != total) return;
  std::vector<POINT> pts;
  if (!ReadPoints(r, 32 + uint64_t(polys) * 4, total, small, pts)) return;
  if (type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16) {
    PolyPolygon(core_.dc(), pts.data(), counts.data(), static_cast<int>(polys));
  } else {
    std::vector<DWORD> c(counts.begin(), counts.end());
    PolyPolyline(core_.dc(), pts.data(), c.data(), polys);
  }
}

void EmfPlayer::Text(const Rd& r, bool wide) {
  // rclBounds, iGraphicsMode, exScale, eyScale, then the text record at 36.
  const int32_t x = r.I32(36), y = r.I32(40);
  const uint32_t chars = r.U32(44), offString = r.U32(48), options = r.U32(52);
  RECT rc{ClampCoord(r.I32(56)), ClampCoord(r.I32(60)), ClampCoord(r.I32(64)), ClampCoord(r.I32(68))};
  const uint32_t offDx = r.U32(72);
  const uint64_t charBytes = wide ? 2 : 1;
  if (chars > r.n || !r.Has(offString, uint64_t(chars) * charBytes)) return;
  std::u16string s(chars, u'\0');
  if (wide) {
    for (uint32_t i = 0; i < chars; ++i) s[i] = static_cast<char16_t>(r.U16(offString + uint64_t(i) * 2));
  } else {
    s = DecodeCodePage(std::string_view(reinterpret_cast<const char*>(r.p + offString), chars),
                       CP_WINDOWS1252);
  }
  std::vector<INT> dx;
  const uint64_t perChar = (options & ETO_PDY) ? 2 : 1;
  if (offDx && s.size() == chars && r.Has(offDx, uint64_t(chars) * perChar * 4)) {
    dx.resize(static_cast<size_t>(chars * perChar));
    for (size_t i = 0; i < dx.size(); ++i) dx[i] = r.I32(offDx + uint64_t(i) * 4);
  }
  const UINT keep = ETO_OPAQUE | ETO_CLIPPED | ETO_RTLREADING | (dx.empty() ? 0 : (options & ETO_PDY));
  ExtTextOutW(core_.dc(), ClampCoord(x), ClampCoord(y), options & keep,
              (options & (ETO_OPAQUE | ETO_CLIPPED)) ? &rc : nullptr, s.data(), static_cast<UINT>(s.size()),
              dx.empty() ? nullptr : dx.data());
}

void EmfPlayer::Blit(const Rd& r, uint32_t type) {
  HDC dc = core_.dc();
  if (type == EMR_STRETCHDIBITS) {
    Dib dib;
    if (r.U32(64) != DIB_RGB_COLORS || !ReadDib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60), dib)) return;
    StretchDIBits(dc, ClampCoord(r.I32(24)), ClampCoord(r.I32(28)), ClampCoord(r.I32(72)),
                  ClampCoord(r.I32(76)), ClampCoord(r.I32(32)), ClampCoord(r.I32(36)), ClampCoord(r.I32(40)),
                  ClampCoord(r.I32(44)), dib.bits, dib.Info(), DIB_RGB_COLORS, r.U32(68));
    return;
  }
  if (type == EMR_SETDIBITSTODEVICE) {
    Dib dib;
    if (r.U32(64) != DIB_RGB_COLORS || !ReadDib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60), dib)) return;
    const BITMAPINFOHEADER& h = dib.Info()->bmiHeader;
    const uint32_t rows = static_cast<uint32_t>(h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight);
    const uint32_t start = r.U32(68), lines = std::min(r.U32(72), rows);
    if (start >= rows || lines > rows - start) return;
    SetDIBitsToDevice(dc, ClampCoord(r.I32(24)), ClampCoord(r.I32(28)),
                      std::min<uint32_t>(r.U32(40), 1 << 16), std::min<uint32_t>(r.U32(44), 1 << 16),
                      ClampCoord(r.I32(32)), ClampCoord(r.I32(36)), start, lines, dib.bits, dib.Info(),
                      DIB_RGB_COLORS);
    return;
  }
  // BITBLT, STRETCHBLT and ALPHABLEND share their layout up to the source size.
  const int32_t x = ClampCoord(r.I32(24)), y = ClampCoord(r.I32(28)), cx = ClampCoord(r.I32(32)),
                cy = ClampCoord(r.I32(36));
  const uint32_t rop = r.U32(40);
  const int32_t xSrc = ClampCoord(r.I32(44)), ySrc = ClampCoord(r.I32(48));
  const uint32_t cbBmi = r.U32(88);
  if (cbBmi == 0) {
    if (type != EMR_ALPHABLEND) PatBlt(dc, x, y, cx, cy, rop);
    return;
  }
  Dib dib;
  if (r.U32(80) != DIB_RGB_COLORS || !ReadDib(r, r.U32(84), cbBmi, r.U32(92), r.U32(96), dib)) return;
  const BITMAPINFOHEADER& h = dib.Info()->bmiHeader;
  int32_t cxSrc = cx, cySrc = cy;
  if (type != EMR_BITBLT) {
    cxSrc = ClampCoord(r.I32(100));
    cySrc = ClampCoord(r.I32(104));
  }
  if (type != EMR_ALPHABLEND) {
    StretchDIBits(dc, x, y, cx, cy, xSrc, ySrc, cxSrc, cySrc, dib.bits, dib.Info(), DIB_RGB_COLORS, rop);
    return;
  }
  // Alpha blending needs a source DC: the bitmap as a DIB section.
  HDC mem = CreateCompatibleDC(dc);
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(mem, dib.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bm && bits) {
    const uint32_t rows = static_cast<uint32_t>(h.biHeight < 0 ? -int64_t(h.biHeight) : h.biHeight);
    SetDIBits(mem, bm, 0, rows, dib.bits, dib.Info(), DIB_RGB_COLORS);
    HGDIOBJ old = SelectObject(mem, bm);
    BLENDFUNCTION bf;
    bf.BlendOp = static_cast<BYTE>(rop & 0xFF);
    bf.BlendFlags = static_cast<BYTE>((rop >> 8) & 0xFF);
    bf.SourceConstantAlpha = static_cast<BYTE>((rop >> 16) & 0xFF);
    bf.AlphaFormat = static_cast<BYTE>((rop >> 24) & 0xFF);
    AlphaBlend(dc, x, y, cx, cy, mem, xSrc, ySrc, cxSrc, cySrc, bf);
    SelectObject(mem, old);
  }
  if (bm) DeleteObject(bm);
  DeleteDC(mem);
}

void EmfPlayer::Record(const Rd& r) {
  HDC dc = core_.dc();
  const uint32_t type = r.U32(0);
  Mapping& m = core_.mapping();
  auto stock = [](uint32_t i) -> HGDIOBJ {
    return (i & 0x7FFFFFFF) <= DC_PEN ? GetStockObject(static_cast<int>(i & 0x7FFFFFFF)) : nullptr;
  };
  auto i32 = [&](uint64_t off) { return ClampCoord(r.I32(off)); };
  const bool drawing = !core_.Degenerate();
  switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      if (drawing) Poly(r, type);
      break;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
      if (drawing) PolyPoly(r, type);
      break;
    case EMR_SETWINDOWEXTEX:
      if (r.I32(8) && r.I32(12)) {
        m.winExtX = r.I32(8), m.winExtY = r.I32(12);
        core_.Apply();
      }
      break;
    case EMR_SETWINDOWORGEX:
      m.winOrgX = r.I32(8), m.winOrgY = r.I32(12);
      core_.Apply();
      break;
    case EMR_SETVIEWPORTEXTEX:
      if (r.I32(8) && r.I32(12)) {
        m.vpExtX = r.I32(8), m.vpExtY = r.I32(12);
        core_.Apply();
      }
      break;
    case EMR_SETVIEWPORTORGEX:
      m.vpOrgX = r.I32(8), m.vpOrgY = r.I32(12);
      core_.Apply();
      break;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: {
      const int32_t xn = r.I32(8), xd = r.I32(12), yn = r.I32(16), yd = r.I32(20);
      if (!xn || !xd || !yn || !yd) break;
      double& ex = type == EMR_SCALEVIEWPORTEXTEX ? m.vpExtX : m.winExtX;
      double& ey = type == EMR_SCALEVIEWPORTEXTEX ? m.vpExtY : m.winExtY;
      ex = ex * xn / xd;
      ey = ey * yn / yd;
      core_.Apply();
      break;
    }
    case EMR_SETMAPMODE:
      if (r.U32(8) >= MM_TEXT && r.U32(8) <= MM_ANISOTROPIC) {
        m.mapMode = static_cast<int>(r.U32(8));
        core_.Apply();
      }
      break;
    case EMR_SETWORLDTRANSFORM: {
      XFORM x = ReadXform(r, 8);
      if (ValidXformRecord(x)) {
        core_.world() = x;
        core_.Apply();
      }
      break;
    }
    case EMR_MODIFYWORLDTRANSFORM: {
      XFORM x = ReadXform(r, 8);
      const uint32_t mode = r.U32(32);
      if (!ValidXformRecord(x)) break;
      Affine cur = Affine::Of(core_.world()), a = Affine::Of(x);
      if (mode == MWT_IDENTITY)
        core_.world() = XFORM{};
      else if (mode == MWT_LEFTMULTIPLY)
        core_.world() = Affine::Then(a, cur).Xform();
      else if (mode == MWT_RIGHTMULTIPLY)
        core_.world() = Affine::Then(cur, a).Xform();
      else if (mode == 4)  // MWT_SET
        core_.world() = x;
      core_.Apply();
      break;
    }
    case EMR_SETBRUSHORGEX:
      SetBrushOrgEx(dc, i32(8), i32(12), nullptr);
      break;
    case EMR_SETPIXELV:
      if (drawing) SetPixelV(dc, i32(8), i32(12), r.U32(16));
      break;
    case EMR_SETBKMODE:
      SetBkMode(dc, static_cast<int>(r.U32(8)));
      break;
    case EMR_SETPOLYFILLMODE:
      SetPolyFillMode(dc, static_cast<int>(r.U32(8)));
      break;
    case EMR_SETROP2:
      SetROP2(dc, static_cast<int>(r.U32(8)));
      break;
    case EMR_SETSTRETCHBLTMODE:
      SetStretchBltMode(dc, static_cast<int>(r.U32(8)));
      break;
    case EMR_SETTEXTALIGN:
      SetTextAlign(dc, r.U32(8));
      break;
    case EMR_SETTEXTCOLOR:
      SetTextColor(dc, r.U32(8) & 0xFFFFFF);
      break;
    case EMR_SETBKCOLOR:
      SetBkColor(dc, r.U32(8) & 0xFFFFFF);
      break;
    case EMR_SETARCDIRECTION:
      SetArcDirection(dc, static_cast<int>(r.U32(8)));
      break;
    case EMR_OFFSETCLIPRGN:
      OffsetClipRgn(dc, i32(8), i32(12));
      break;
    case EMR_MOVETOEX:
      MoveToEx(dc, i32(8), i32(12), nullptr);
      break;
    case EMR_LINETO:
      if (drawing) LineTo(dc, i32(8), i32(12));
      break;
    case EMR_EXCLUDECLIPRECT:
      ExcludeClipRect(dc, i32(8), i32(12), i32(16), i32(20));
      break;
    case EMR_INTERSECTCLIPRECT:
      IntersectClipRect(dc, i32(8), i32(12), i32(16), i32(20));
      break;
    case EMR_SAVEDC:
      core_.Save();
      break;
    case EMR_RESTOREDC:
      core_.Restore(r.I32(8));
      break;
    case EMR_SELECTOBJECT: {
      uint32_t i = r.U32(8);
      core_.Select((i & 0x80000000) ? stock(i) : core_.At(i));
      break;
    }
    case EMR_DELETEOBJECT:
      core_.Delete(r.U32(8));
      break;
    case EMR_CREATEPEN: {
      LOGPEN lp;
      lp.lopnStyle = r.U32(12);
      lp.lopnWidth = {std::clamp(r.I32(16), 0, 1 << 16), 0};
      lp.lopnColor = r.U32(24) & 0xFFFFFF;
      core_.Put(r.U32(8), CreatePenIndirect(&lp));
      break;
    }
    case EMR_EXTCREATEPEN: {
      // ihPen, offBmi, cbBmi, offBits, cbBits, then EXTLOGPEN32 at 28.
      LOGBRUSH lb;
      lb.lbStyle = r.U32(36);
      lb.lbColor = r.U32(40) & 0xFFFFFF;
      lb.lbHatch = r.U32(44);
      if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED) lb.lbStyle = BS_SOLID;
      const uint32_t entries = r.U32(48);
      std::vector<DWORD> styles;
      const DWORD style = r.U32(28);
      if ((style & PS_STYLE_MASK) == PS_USERSTYLE && entries <= 16 && r.Has(52, uint64_t(entries) * 4))
        for (uint32_t k = 0; k < entries; ++k) styles.push_back(r.U32(52 + uint64_t(k) * 4));
      HPEN pen = ExtCreatePen(style, std::min<uint32_t>(r.U32(32), 1 << 16), &lb,
                              static_cast<DWORD>(styles.size()), styles.empty() ? nullptr : styles.data());
      if (!pen) {
        LOGPEN lp;
        lp.lopnStyle = style & PS_STYLE_MASK;
        lp.lopnWidth = {static_cast<int32_t>(std::min<uint32_t>(r.U32(32), 1 << 16)), 0};
        lp.lopnColor = lb.lbColor;
        pen = CreatePenIndirect(&lp);
      }
      core_.Put(r.U32(8), pen);
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      LOGBRUSH lb;
      lb.lbStyle = r.U32(12);
      lb.lbColor = r.U32(16) & 0xFFFFFF;
      lb.lbHatch = r.U32(20);
      if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED) lb.lbStyle = BS_SOLID;
      core_.Put(r.U32(8), CreateBrushIndirect(&lb));
      break;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: {
      Dib dib;
      HBRUSH b = nullptr;
      if (r.U32(12) == DIB_RGB_COLORS && ReadDib(r, r.U32(16), r.U32(20), r.U32(24), r.U32(28), dib)) {
        std::vector<uint8_t> packed = dib.Packed();
        b = CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
      }
      core_.Put(r.U32(8), b ? b : CreateSolidBrush(0));
      break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
      LOGFONTW lf;
      std::memcpy(&lf, r.p + 12, sizeof lf);
      lf.lfFaceName[LF_FACESIZE - 1] = 0;
      lf.lfHeight = std::clamp<LONG>(lf.lfHeight, -(1 << 16), 1 << 16);
      lf.lfWidth = std::clamp<LONG>(lf.lfWidth, 0, 1 << 16);
      core_.Put(r.U32(8), CreateFontIndirectW(&lf));
      break;
    }
    case EMR_ANGLEARC: {
      const float start = r.F32(20), sweep = r.F32(24);
      if (drawing && std::isfinite(start) && std::isfinite(sweep))
        AngleArc(dc, i32(8), i32(12), std::min<uint32_t>(r.U32(16), 1 << 24), start, sweep);
      break;
    }
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ROUNDRECT: {
      if (!drawing) break;
      RECT s = core_.Shape(i32(8), i32(12), i32(16), i32(20));
      if (type == EMR_ELLIPSE)
        Ellipse(dc, s.Left, s.Top, s.Right, s.Bottom);
      else if (type == EMR_RECTANGLE)
        Rectangle(dc, s.Left, s.Top, s.Right, s.Bottom);
      else
        RoundRect(dc, s.Left, s.Top, s.Right, s.Bottom, i32(24), i32(28));
      break;
    }
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE: {
      if (!drawing) break;
      RECT s = core_.Shape(i32(8), i32(12), i32(16), i32(20));
      const int32_t x1 = i32(24), y1 = i32(28), x2 = i32(32), y2 = i32(36);
      if (type == EMR_ARC)
        Arc(dc, s.Left, s.Top, s.Right, s.Bottom, x1, y1, x2, y2);
      else if (type == EMR_ARCTO)
        ArcTo(dc, s.Left, s.Top, s.Right, s.Bottom, x1, y1, x2, y2);
      else if (type == EMR_CHORD)
        Chord(dc, s.Left, s.Top, s.Right, s.Bottom, x1, y1, x2, y2);
      else
        Pie(dc, s.Left, s.Top, s.Right, s.Bottom, x1, y1, x2, y2);
      break;
    }
    case EMR_BEGINPATH:
      BeginPath(dc);
      break;
    case EMR_ENDPATH:
      EndPath(dc);
      break;
    case EMR_CLOSEFIGURE:
      CloseFigure(dc);
      break;
    case EMR_FILLPATH:
      if (drawing) FillPath(dc);
      break;
    case EMR_STROKEANDFILLPATH:
      if (drawing) StrokeAndFillPath(dc);
      break;
    case EMR_STROKEPATH:
      if (drawing) StrokePath(dc);
      break;
    case EMR_FLATTENPATH:
      FlattenPath(dc);
      break;
    case EMR_WIDENPATH:
      WidenPath(dc);
      break;
    case EMR_ABORTPATH:
      AbortPath(dc);
      break;
    case EMR_SELECTCLIPPATH:
      SelectClipPath(dc, static_cast<int>(r.U32(8)));
      break;
    case EMR_FILLRGN:
    case EMR_FRAMERGN:
    case EMR_PAINTRGN:
    case EMR_INVERTRGN: {
      // Region records carry the region in logical units after their fixed part.
      const bool withBrush = type == EMR_FILLRGN || type == EMR_FRAMERGN;
      const uint64_t fixed = type == EMR_FRAMERGN ? 40 : withBrush ? 32 : 28;
      HRGN rgn = ReadRegion(r, fixed, std::min<uint64_t>(r.U32(24), r.n));
      if (!rgn) break;
      // The region's boxes are drawn as rectangles so that the picture's transform applies.
      std::vector<uint8_t> data(GetRegionData(rgn, 0, nullptr));
      if (drawing && !data.empty() &&
          GetRegionData(rgn, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()))) {
        const auto* rd = reinterpret_cast<const RGNDATA*>(data.data());
        const auto* boxes = reinterpret_cast<const RECT*>(rd->Buffer);
        HBRUSH brush = withBrush ? static_cast<HBRUSH>(core_.At(r.U32(28))) : nullptr;
        for (DWORD k = 0; k < rd->rdh.nCount; ++k) {
          RECT b = boxes[k];
          if (type == EMR_FILLRGN && brush)
            FillRect(dc, &b, brush);
          else if (type == EMR_FRAMERGN && brush)
            FrameRect(dc, &b, brush);
          else if (type == EMR_PAINTRGN)
            PatBlt(dc, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, PATCOPY);
          else if (type == EMR_INVERTRGN)
            InvertRect(dc, &b);
        }
      }
      DeleteObject(rgn);
      break;
    }
    case EMR_EXTSELECTCLIPRGN: {
      const uint32_t size = r.U32(8);
      const int mode = static_cast<int>(r.U32(12));
      if (mode < RGN_AND || mode > RGN_COPY) break;
      HRGN rgn = size ? ReadRegion(r, 16, size) : nullptr;
      if (size && !rgn) break;
      core_.SelectClip(rgn, mode);
      if (rgn) DeleteObject(rgn);
      break;
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE:
      if (drawing) Blit(r, type);
      break;
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA:
      if (drawing) Text(r, type == EMR_EXTTEXTOUTW);
      break;
    case EMR_SETLAYOUT:
      SetLayout(dc, r.U32(8));
      break;
    default:
      // Comments, palettes, colour management and the rest draw nothing here.
      break;
  }
}

// Whether the counts, offsets and bitmaps inside a record agree with its size.
bool EmfRecordSound(const Rd& r) {
  const uint32_t type = r.U32(0);
  auto points = [&](uint64_t off, uint64_t count, uint64_t each) {
    return count <= r.n && r.Has(off, count * each);
  };
  auto dib = [&](uint64_t offBmi, uint64_t cbBmi, uint64_t offBits, uint64_t cbBits) {
    Dib d;
    return ReadDib(r, r.U32(offBmi), r.U32(cbBmi), r.U32(offBits), r.U32(cbBits), d);
  };
  switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      return points(28, r.U32(24), 8);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return points(28, r.U32(24), 4);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
      const uint64_t polys = r.U32(24), total = r.U32(28);
      if (!points(32, polys, 4)) return false;
      uint64_t sum = 0;
      for (uint64_t i = 0; i < polys; ++i) sum += r.U32(32 + i * 4);
      const bool small = type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
      return sum == total && points(32 + polys * 4, total, small ? 4 : 8);
    }
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA: {
      const uint64_t chars = r.U32(44);
      if (!points(r.U32(48), chars, type == EMR_EXTTEXTOUTW ? 2 : 1)) return false;
      const uint32_t offDx = r.U32(72);
      return !offDx || !chars || points(offDx, chars, (r.U32(52) & ETO_PDY) ? 8 : 4);
    }
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE:
      return dib(48, 52, 56, 60);
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
      return r.U32(88) == 0 || dib(84, 88, 92, 96);
    case EMR_CREATEDIBPATTERNBRUSHPT:
      return dib(16, 20, 24, 28);
    case EMR_EXTCREATEPEN:
      return points(52, r.U32(48), 4);
    case EMR_FILLRGN:
    case EMR_FRAMERGN:
    case EMR_PAINTRGN:
    case EMR_INVERTRGN: {
      const uint64_t fixed = type == EMR_FRAMERGN ? 40 : (type == EMR_FILLRGN ? 32 : 28);
      const uint64_t size = r.U32(24);
      return r.Has(fixed, size) && size >= 32 && r.U32(fixed + 8) <= (size - 32) / 16;
    }
    case EMR_EXTSELECTCLIPRGN: {
      const uint64_t size = r.U32(8);
      return size == 0 || (r.Has(16, size) && size >= 32 && r.U32(24) <= (size - 32) / 16);
    }
    default:
      return true;
  }
}

}  // namespace

bool EmfFrame(Bytes data, Frame& f) {
  Rd h(data.data(), data.size());
  if (!h.Has(0, 88)) return false;
  double devX = h.I32(72), devY = h.I32(76), mmX = h.I32(80), mmY = h.I32(84);
  const uint32_t headerSize = h.U32(4);
  if (headerSize >= 108 && h.I32(100) > 0 && h.I32(104) > 0) {
    mmX = h.I32(100) / 1000.0;
    mmY = h.I32(104) / 1000.0;
  }
  f.dpiX = devX > 0 && mmX > 0 ? devX * 25.4 / mmX : 96;
  f.dpiY = devY > 0 && mmY > 0 ? devY * 25.4 / mmY : 96;
  if (!(f.dpiX >= 1 && f.dpiX <= 100000) || !(f.dpiY >= 1 && f.dpiY <= 100000)) f.dpiX = f.dpiY = 96;
  const int64_t fl = h.I32(24), ft = h.I32(28), fr = h.I32(32), fb = h.I32(36);
  if (fr > fl && fb > ft) {
    f.x = fl * f.dpiX / 2540;
    f.y = ft * f.dpiY / 2540;
    f.w = (fr - fl) * f.dpiX / 2540;
    f.h = (fb - ft) * f.dpiY / 2540;
  } else {
    // No frame: the bounds (inclusive device units).
    const int64_t bl = h.I32(8), bt = h.I32(12), br = h.I32(16), bb = h.I32(20);
    if (br < bl || bb < bt) return false;
    f.x = double(bl), f.y = double(bt), f.w = double(br - bl + 1), f.h = double(bb - bt + 1);
  }
  return f.w >= 0.5 && f.h >= 0.5 && f.w < 1e7 && f.h < 1e7;
}

metafile::Check ExamineEmf(Bytes data, metafile::Info& info) {
  Rd h(data.data(), data.size());
  const uint32_t headerSize = h.U32(4);
  if (!h.Has(0, 88) || headerSize < 88 || headerSize % 4 || !h.Has(0, headerSize) ||
      h.U32(40) != kEmfSignature)
    return metafile::Check::Damaged;
  // The file may be followed by other bytes; it must not be shorter than it says.
  const uint32_t total = h.U32(48);
  if (total < headerSize || total > data.size()) return metafile::Check::Damaged;
  Frame f;
  if (!EmfFrame(data, f)) return metafile::Check::Damaged;
  uint64_t at = headerSize;
  uint32_t records = 1;
  bool eof = false;
  while (at < total && !eof) {
    if (total - at < 8) return metafile::Check::Damaged;
    Rd r(data.data() + at, total - at);
    const uint32_t type = r.U32(0), size = r.U32(4);
    if (size < 8 || size % 4 || size > total - at || type == EMR_HEADER) return metafile::Check::Damaged;
    if (size < EmfMinSize(type) || !EmfRecordSound(Rd(data.data() + at, size)))
      return metafile::Check::Damaged;
    eof = type == EMR_EOF;
    at += size;
    ++records;
  }
  if (!eof) return metafile::Check::Damaged;
  info.width = std::max<int32_t>(1, static_cast<int32_t>(std::lround(f.w)));
  info.height = std::max<int32_t>(1, static_cast<int32_t>(std::lround(f.h)));
  info.dpiX = f.dpiX;
  info.dpiY = f.dpiY;
  info.records = records;
  return metafile::Check::Ok;
}

bool PlayEmf(HDC dc, Bytes data, const RECT& rect) {
  metafile::Info info;
  if (ExamineEmf(data, info) != metafile::Check::Ok) return false;
  Frame f;
  EmfFrame(data, f);
  Rd h(data.data(), data.size());
  const double dw = double(rect.Right) - rect.Left, dh = double(rect.Bottom) - rect.Top;
  // Frame pixels -> the rectangle; a scale within half a pixel of 1 is taken as 1.
  double sx = dw / f.w, sy = dh / f.h;
  if (std::fabs(dw - f.w) < 0.5) sx = 1;
  if (std::fabs(dh - f.h) < 0.5) sy = 1;
  Affine base{sx, 0, 0, sy, rect.Left - f.x * sx, rect.Top - f.y * sy};
  if (std::fabs(base.dx - std::nearbyint(base.dx)) < 1e-3) base.dx = std::nearbyint(base.dx);
  if (std::fabs(base.dy - std::nearbyint(base.dy)) < 1e-3) base.dy = std::nearbyint(base.dy);
  const size_t handles = std::min<uint32_t>(std::max<uint32_t>(h.U16(56), 1), kMaxEmfHandles);
  EmfPlayer player(dc, handles);
  if (!player.core().Begin(base, f.dpiX, f.dpiY)) return false;
  const uint32_t total = h.U32(48);
  for (uint64_t at = h.U32(4); at + 8 <= total;) {
    Rd r(data.data() + at, h.U32(at + 4));
    if (r.U32(0) == EMR_EOF) break;
    player.Record(r);
    at += r.n;
  }
  player.core().End();
  return true;
}

}  // namespace qd::gdi::meta
