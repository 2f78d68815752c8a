// Draws every part of every theme class in every state into a PNG, one row per part, with
// the class, part and state names, for looking at the theme by eye.
//
//   theme_gallery OUT.png [--dpi N] [--class NAME] [--crop X,Y,W,H] [--zoom N]
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/os/gdi.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"

using namespace qd;

namespace {

struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int w = 0, h = 0;
  Canvas(int width, int height) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    void* p = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

struct View {
  int x = 0, y = 0, w = 0, h = 0;  // a part of the picture (all of it when w or h is 0)
  int zoom = 1;                    // nearest-neighbour magnification
};

bool WritePng(const char* path, const Canvas& c, View v) {
  if (v.w <= 0 || v.h <= 0) v = {0, 0, c.w, c.h, v.zoom};
  v.x = std::clamp(v.x, 0, c.w - 1);
  v.y = std::clamp(v.y, 0, c.h - 1);
  v.w = std::min(v.w, c.w - v.x);
  v.h = std::min(v.h, c.h - v.y);
  int z = std::max(1, v.zoom);
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(v.w * z), static_cast<png_uint_32>(v.h * z), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(v.w) * z * 3);
  for (int y = 0; y < v.h * z; ++y) {
    for (int x = 0; x < v.w * z; ++x) {
      uint32_t px = c.bits[static_cast<size_t>(v.y + y / z) * c.w + v.x + x / z];
      row[x * 3] = static_cast<png_byte>(px >> 16);
      row[x * 3 + 1] = static_cast<png_byte>(px >> 8);
      row[x * 3 + 2] = static_cast<png_byte>(px);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

bool Contains(const std::string& s, const char* what) {
  return s.find(what) != std::string::npos;
}

// The rectangle a part is shown in (96-DPI pixels).
SIZE CellSize(const os::ThemePartInfo& p) {
  int w = p.trueSize.cx, h = p.trueSize.cy;
  if (!p.stretches) return {w, h};
  const std::string& n = p.name;
  // Lines across a bar: a vertical one for separators of horizontal bars, and the other way.
  bool line = Contains(n, "SEPARATOR") || Contains(n, "TICS") || Contains(n, "SPLITTER") ||
              Contains(n, "BRANCH") || Contains(n, "GROUPHEADERLINE");
  if (Contains(n, "GUTTER")) return {28, 48};
  if (line) {
    bool horizontalLine = Contains(n, "VERT") || Contains(n, "MENU") || Contains(n, "PROGLIST") ||
                          Contains(n, "PLACESLIST") || Contains(n, "GROUPHEADERLINE");
    if (Contains(n, "SPLITTERVERT")) horizontalLine = true;
    return horizontalLine ? SIZE{56, 12} : SIZE{12, 32};
  }
  bool vertical = (Contains(n, "VERT") || Contains(n, "FRAMELEFT") || Contains(n, "FRAMERIGHT") ||
                   Contains(n, "BACKGROUNDLEFT") || Contains(n, "BACKGROUNDRIGHT") ||
                   Contains(n, "SIZINGBARLEFT") || Contains(n, "SIZINGBARRIGHT")) &&
                  !Contains(n, "GRIPPER");
  if (vertical) return {w > 0 ? w : 17, 56};
  if (Contains(n, "HORZ") && !Contains(n, "SPNP") && !Contains(n, "PGRP")) return {72, h > 0 ? h : 17};
  if (w > 0 && h > 0) return {std::max(w, 17), std::max(h, 12)};
  if (w > 0) return {w, 48};
  if (h > 0) return {110, h};
  return {76, 26};
}

// Text parts get room for their content margins and a line of text.
SIZE CellSizeFor(HTHEME theme, const os::ThemePartInfo& p) {
  SIZE cell = CellSize(p);
  MARGINS m;
  if (p.textPart && p.stretches &&
      SUCCEEDED(GetThemeMargins(theme, nullptr, p.part, 1, TMT_CONTENTMARGINS, nullptr, &m))) {
    cell.cy = std::max<int>(cell.cy, m.cyTopHeight + m.cyBottomHeight + 16);
    cell.cx = std::max<int>(cell.cx, m.cxLeftWidth + m.cxRightWidth + 40);
  }
  return cell;
}

std::u16string U(const std::string& s) {
  return Utf8ToString(s);
}

void Text(HDC dc, const std::string& s, RECT r, UINT flags, COLORREF color) {
  SetTextColor(dc, color);
  std::u16string t = U(s);
  DrawTextW(dc, t.data(), static_cast<int>(t.size()), &r, flags | DT_NOPREFIX);
}

}  // namespace

int main(int argc, char** argv) {
  const char* out = nullptr;
  UINT dpi = 96;
  std::string only;
  View view;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--crop") && i + 1 < argc)
      std::sscanf(argv[++i], "%d,%d,%d,%d", &view.x, &view.y, &view.w, &view.h);
    else if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc)
      view.zoom = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--dpi") && i + 1 < argc)
      dpi = static_cast<UINT>(std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--class") && i + 1 < argc)
      only = argv[++i];
    else
      out = argv[i];
  }
  if (!out) {
    std::fprintf(stderr,
                 "usage: theme_gallery OUT.png [--dpi N] [--class NAME] [--crop X,Y,W,H] [--zoom N]\n");
    return 2;
  }
  os::RegisterThemeModules();
  auto S = [dpi](int v) { return MulDiv(v, static_cast<int>(dpi), 96); };
  std::vector<os::ThemeClassInfo> classes = os::ThemeCatalogue();
  if (!only.empty())
    classes.erase(std::remove_if(classes.begin(), classes.end(), [&](auto& c) { return c.name != only; }),
                  classes.end());

  const int labelW = S(230), colW = S(96), pad = S(8), stateH = S(14), headerH = S(26);
  // Layout pass: the height of every row and the widest row.
  int width = labelW, height = pad;
  for (const auto& c : classes) {
    height += headerH;
    std::u16string cname = U(c.name);
    HTHEME plain = OpenThemeData(nullptr, cname.c_str());
    for (const auto& p : c.parts) {
      SIZE cell = CellSizeFor(plain, p);
      int cw = std::max(colW, S(cell.cx) + pad);
      width = std::max(width, labelW + cw * static_cast<int>(p.states.size()) + pad);
      height += S(cell.cy) + stateH + pad * 3;
    }
    CloseThemeData(plain);
    height += pad;
  }
  Canvas canvas(width, height);
  RECT all{0, 0, width, height};
  HBRUSH page = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(canvas.dc, &all, page);
  DeleteObject(page);
  SetBkMode(canvas.dc, TRANSPARENT);
  HFONT small = CreateFontW(-S(10), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Segoe UI");
  HFONT bold = CreateFontW(-S(14), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Segoe UI");
  HFONT normal = CreateFontW(-S(12), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Segoe UI");
  HGDIOBJ oldFont = SelectObject(canvas.dc, normal);

  int y = pad;
  for (const auto& c : classes) {
    SelectObject(canvas.dc, bold);
    Text(canvas.dc, c.name, {pad, y, width, y + headerH}, DT_SINGLELINE | DT_VCENTER, RGB(20, 20, 20));
    y += headerH;
    std::u16string name = U(c.name);
    HTHEME theme = OpenThemeDataForDpi(nullptr, name.c_str(), dpi);
    HTHEME plain = OpenThemeData(nullptr, name.c_str());
    for (const auto& p : c.parts) {
      SIZE cell = CellSizeFor(plain, p);
      int cw = std::max(colW, S(cell.cx) + pad);
      int rowH = S(cell.cy) + stateH + pad * 3;
      SelectObject(canvas.dc, normal);
      Text(canvas.dc, std::to_string(p.part) + "  " + p.name, {pad * 2, y, labelW, y + S(cell.cy) + pad * 2},
           DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, RGB(60, 60, 60));
      for (size_t s = 0; s < p.states.size(); ++s) {
        int x = labelW + static_cast<int>(s) * cw;
        RECT r{x + (cw - S(cell.cx)) / 2, y + pad, 0, 0};
        r.Right = r.Left + S(cell.cx);
        r.Bottom = r.Top + S(cell.cy);
        int state = static_cast<int>(s) + 1;
        // A light checkerboard under the part shows what it leaves transparent.
        for (int cy = r.Top; cy < r.Bottom; cy += S(4))
          for (int cx = r.Left; cx < r.Right; cx += S(4)) {
            bool dark = ((cx - r.Left) / S(4) + (cy - r.Top) / S(4)) % 2;
            for (int yy = cy; yy < std::min<int>(cy + S(4), r.Bottom); ++yy)
              for (int xx = cx; xx < std::min<int>(cx + S(4), r.Right); ++xx)
                canvas.bits[static_cast<size_t>(yy) * canvas.w + xx] = dark ? 0xFFEDEDEDu : 0xFFFFFFFFu;
          }
        // Overlays are shown over what they overlay.
        if (c.name == "Progress" && Contains(p.name, "OVERLAY"))
          DrawThemeBackground(theme, canvas.dc, Contains(p.name, "VERT") ? PP_FILLVERT : PP_FILL, 1, &r,
                              nullptr);
        DrawThemeBackground(theme, canvas.dc, p.part, state, &r, nullptr);
        RECT content;
        GetThemeBackgroundContentRect(theme, canvas.dc, p.part, state, &r, &content);
        if (p.textPart && content.Height() >= S(12) && content.Width() >= S(20)) {
          SelectObject(canvas.dc, normal);
          DrawThemeText(theme, canvas.dc, p.part, state, u"Text", -1,
                        DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS, 0, &content);
        }
        SelectObject(canvas.dc, small);
        Text(canvas.dc, std::to_string(state) + " " + p.states[s],
             {x + 2, y + pad + S(cell.cy) + S(2), x + cw - 2, y + rowH},
             DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS, RGB(110, 110, 110));
      }
      y += rowH;
    }
    CloseThemeData(theme);
    CloseThemeData(plain);
    y += pad;
  }
  SelectObject(canvas.dc, oldFont);
  DeleteObject(small);
  DeleteObject(bold);
  DeleteObject(normal);
  if (!WritePng(out, canvas, view)) {
    std::fprintf(stderr, "cannot write %s\n", out);
    return 1;
  }
  std::printf("%s: %d x %d\n", out, width, height);
  return 0;
}
