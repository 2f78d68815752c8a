#pragma once
// Test helpers for metafiles: a writer of hand-shaped EMF and WMF files, and a sample scene
// (shapes, a path, text and a bitmap) drawn through plain GDI calls, so that the same scene
// can be drawn directly and recorded.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "platform/os/gdi.h"
#include "platform/os/gdi_metafile.h"

namespace qd::testing {

// Little-endian record writer.
struct Words {
  std::vector<uint8_t> b;
  Words& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Words& U16(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Words& I32s(std::initializer_list<int32_t> v) {
    for (int32_t x : v) U32(static_cast<uint32_t>(x));
    return *this;
  }
  Words& I16s(std::initializer_list<int16_t> v) {
    for (int16_t x : v) U16(static_cast<uint16_t>(x));
    return *this;
  }
  Words& Raw(const void* p, size_t n) {
    const auto* c = static_cast<const uint8_t*>(p);
    b.insert(b.end(), c, c + n);
    return *this;
  }
};

// An EMF of `width` x `height` pixels at 96 DPI: the header, the records added, then EOF.
struct EmfBuilder {
  int width, height;
  std::vector<std::vector<uint8_t>> records;
  EmfBuilder(int w, int h) : width(w), height(h) {}
  EmfBuilder& Add(uint32_t type, const Words& body) {
    Words r;
    r.U32(type).U32(static_cast<uint32_t>(8 + body.b.size()));
    r.b.insert(r.b.end(), body.b.begin(), body.b.end());
    records.push_back(r.b);
    return *this;
  }
  std::vector<uint8_t> Bytes(bool eof = true) const {
    std::vector<uint8_t> body;
    for (const auto& r : records) body.insert(body.end(), r.begin(), r.end());
    if (eof) {
      Words e;
      e.U32(EMR_EOF).U32(20).U32(0).U32(16).U32(20);
      body.insert(body.end(), e.b.begin(), e.b.end());
    }
    ENHMETAHEADER h;
    h.rclBounds = {0, 0, width - 1, height - 1};
    h.rclFrame = {0, 0, static_cast<LONG>(width * 2540 / 96), static_cast<LONG>(height * 2540 / 96)};
    h.nBytes = static_cast<DWORD>(sizeof h + body.size());
    h.nRecords = static_cast<DWORD>(records.size() + 2);
    h.nHandles = 8;
    h.szlDevice = {1920, 1440};
    h.szlMillimeters = {508, 381};
    h.szlMicrometers = {508000, 381000};
    std::vector<uint8_t> out(sizeof h);
    std::memcpy(out.data(), &h, sizeof h);
    out.insert(out.end(), body.begin(), body.end());
    return out;
  }
};

// A placeable WMF of `width` x `height` logical units at 96 units per inch.
struct WmfBuilder {
  int width, height;
  uint16_t objects = 4;
  std::vector<uint8_t> records;
  WmfBuilder(int w, int h) : width(w), height(h) {}
  WmfBuilder& Add(uint16_t function, const Words& params) {
    Words r;
    r.U32(static_cast<uint32_t>(3 + params.b.size() / 2)).U16(function);
    r.b.insert(r.b.end(), params.b.begin(), params.b.end());
    records.insert(records.end(), r.b.begin(), r.b.end());
    return *this;
  }
  std::vector<uint8_t> Bytes() const {
    Words f;
    f.U32(0x9AC6CDD7)
        .U16(0)
        .I16s({0, 0, static_cast<int16_t>(width), static_cast<int16_t>(height)})
        .U16(96)
        .U32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(f.b[i] | f.b[i + 1] << 8);
    f.U16(sum);
    const uint32_t words = static_cast<uint32_t>(9 + records.size() / 2 + 3);
    f.U16(1).U16(9).U16(0x0300).U32(words).U16(objects).U32(6).U16(0);
    f.Raw(records.data(), records.size());
    f.U32(3).U16(0);  // the end record
    return f.b;
  }
};

// A 4 x 4 32-bit top-down bitmap: red, green, blue and white quarters.
inline std::vector<uint32_t> QuarterPixels() {
  std::vector<uint32_t> px(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      px[y * 4 + x] = y < 2 ? (x < 2 ? 0xFF0000u : 0x00FF00u) : (x < 2 ? 0x0000FFu : 0xFFFFFFu);
  return px;
}

// Draws the sample scene (within 80 x 60) through plain GDI calls.
inline void DrawSampleScene(HDC dc) {
  HBRUSH blue = CreateSolidBrush(0xC04000);
  HPEN red = CreatePen(PS_SOLID, 1, 0x0000FF);
  HGDIOBJ oldBrush = SelectObject(dc, blue);
  HGDIOBJ oldPen = SelectObject(dc, red);
  Rectangle(dc, 2, 2, 30, 20);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, 34, 2, 60, 24);
  SelectObject(dc, red);
  POINT tri[3] = {{4, 50}, {24, 30}, {40, 56}};
  Polygon(dc, tri, 3);
  MoveToEx(dc, 62, 4, nullptr);
  LineTo(dc, 78, 20);
  BeginPath(dc);
  MoveToEx(dc, 50, 30, nullptr);
  LineTo(dc, 70, 30);
  LineTo(dc, 60, 44);
  CloseFigure(dc);
  EndPath(dc);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  FillPath(dc);
  RECT fill{44, 48, 52, 56};
  HBRUSH green = CreateSolidBrush(0x00A000);
  FillRect(dc, &fill, green);
  std::vector<uint32_t> px = QuarterPixels();
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 4;
  bi.bmiHeader.biHeight = -4;
  bi.bmiHeader.biBitCount = 32;
  StretchDIBits(dc, 56, 48, 8, 8, 0, 0, 4, 4, px.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 66, 44, 80, 60);
  Rectangle(dc, 60, 40, 90, 70);
  RestoreDC(dc, saved);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(blue);
  DeleteObject(green);
  DeleteObject(red);
}

// The text part of the scene: a line of text in a known font.
inline void DrawSampleText(HDC dc) {
  LOGFONTW lf;
  lf.lfHeight = -12;
  const char16_t* face = u"DejaVu Sans";
  for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0x800000);
  TextOutW(dc, 4, 60, u"Metafile", 8);
  SelectObject(dc, old);
  DeleteObject(font);
}

// A file as office programs write them: anisotropic mapping of a logical window, 16-bit
// polygons, a font and positioned text.
inline std::vector<uint8_t> RealWorldShapedEmf() {
  EmfBuilder b(100, 50);
  b.Add(EMR_SETMAPMODE, Words().U32(MM_ANISOTROPIC));
  b.Add(EMR_SETWINDOWEXTEX, Words().I32s({1000, 500}));
  b.Add(EMR_SETVIEWPORTEXTEX, Words().I32s({100, 50}));
  b.Add(EMR_CREATEBRUSHINDIRECT, Words().U32(1).U32(BS_SOLID).U32(0x00C000).U32(0));
  b.Add(EMR_SELECTOBJECT, Words().U32(1));
  b.Add(EMR_SELECTOBJECT, Words().U32(0x80000000u | NULL_PEN));
  b.Add(EMR_POLYGON16, Words().I32s({0, 0, 0, 0}).U32(4).I16s({0, 0, 500, 0, 500, 500, 0, 500}));
  LOGFONTW lf;
  lf.lfHeight = -120;
  const char16_t* face = u"DejaVu Sans";
  for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
  b.Add(EMR_EXTCREATEFONTINDIRECTW, Words().U32(2).Raw(&lf, sizeof lf));
  b.Add(EMR_SELECTOBJECT, Words().U32(2));
  b.Add(EMR_SETTEXTCOLOR, Words().U32(0x0000FF));
  b.Add(EMR_SETBKMODE, Words().U32(TRANSPARENT));
  Words text;
  text.I32s({0, 0, 0, 0}).U32(GM_COMPATIBLE).U32(0x3F800000).U32(0x3F800000);
  text.I32s({600, 100}).U32(2).U32(76).U32(0).I32s({0, 0, 0, 0}).U32(80);
  text.U16(u'W').U16(u'W').I32s({100, 100});
  b.Add(EMR_EXTTEXTOUTW, text);
  return b.Bytes();
}

// An old-style picture with a font, text, a polygon, a polyline and a bitmap.
inline std::vector<uint8_t> SampleWmf() {
  WmfBuilder w(64, 64);
  w.Add(0x020C, Words().I16s({64, 64}));                            // window extent
  w.Add(0x02FC, Words().U16(BS_SOLID).U32(0x00A0FF).U16(0));        // brush, slot 0
  w.Add(0x02FA, Words().U16(PS_SOLID).I16s({2, 0}).U32(0x800000));  // pen, slot 1
  Words font;
  font.I16s({-12, 0, 0, 0, 400}).Raw("\0\0\0\0\0\0\0\0", 8).Raw("DejaVu Sans\0", 12);
  w.Add(0x02FB, font);  // font, slot 2
  w.Add(0x012D, Words().U16(0));
  w.Add(0x012D, Words().U16(1));
  w.Add(0x012D, Words().U16(2));
  w.Add(0x0324, Words().U16(3).I16s({2, 40, 20, 4, 38, 40}));  // polygon
  w.Add(0x0325, Words().U16(3).I16s({40, 4, 60, 4, 60, 20}));  // polyline
  w.Add(0x0102, Words().U16(TRANSPARENT));
  w.Add(0x0521, Words().U16(4).Raw("Text", 4).I16s({46, 30}));  // text at (30, 46)
  std::vector<uint32_t> px = QuarterPixels();
  BITMAPINFOHEADER bih;
  bih.biWidth = 4;
  bih.biHeight = 4;
  bih.biBitCount = 32;
  Words dib;
  dib.U32(SRCCOPY)
      .U16(DIB_RGB_COLORS)
      .I16s({4, 4, 0, 0, 8, 8, 24, 40})
      .Raw(&bih, sizeof bih)
      .Raw(px.data(), 64);
  w.Add(0x0F43, dib);             // StretchDIBits
  w.Add(0x01F0, Words().U16(2));  // delete the font
  return w.Bytes();
}

// The sample scene recorded into an EMF of `w` x `h` pixels.
inline std::vector<uint8_t> RecordSample(int w, int h, bool text) {
  RECT frame{0, 0, w * 2540 / 96, h * 2540 / 96};
  HDC rec = CreateEnhMetaFileW(nullptr, nullptr, &frame, u"sample");
  DrawSampleScene(rec);
  if (text) DrawSampleText(rec);
  HENHMETAFILE mf = CloseEnhMetaFile(rec);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(mf, 0, nullptr));
  GetEnhMetaFileBits(mf, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteEnhMetaFile(mf);
  return bytes;
}

}  // namespace qd::testing
