// Start-up, statuses of failing calls, matrices and the module table.
#include <cmath>
#include <fstream>
#include <sstream>

#include "gdip_test_util.h"
#include "platform/os/modules.h"
#include "platform/os/kernel.h"

namespace qd::gdiplus::test {
namespace {

TEST(GdipStartup, InputOutputAndShutdown) {
  GpSolidFill* brush = nullptr;
  EXPECT_EQ(GdipCreateSolidFill(0xFF000000, &brush), GdiplusNotInitialized);
  EXPECT_EQ(GdipAlloc(16), nullptr);

  ULONG_PTR token = 0;
  GdiplusStartupInput in;
  in.GdiplusVersion = 7;
  EXPECT_EQ(GdiplusStartup(&token, &in, nullptr), UnsupportedGdiplusVersion);
  in.GdiplusVersion = 1;
  in.SuppressBackgroundThread = TRUE;
  EXPECT_EQ(GdiplusStartup(&token, &in, nullptr), InvalidParameter);  // the hook has nowhere to go
  EXPECT_EQ(GdiplusStartup(nullptr, &in, nullptr), InvalidParameter);

  GdiplusStartupOutput out;
  ASSERT_EQ(GdiplusStartup(&token, &in, &out), Ok);
  ASSERT_NE(out.NotificationHook, nullptr);
  ASSERT_NE(out.NotificationUnhook, nullptr);
  ULONG_PTR hook = 0;
  EXPECT_EQ(out.NotificationHook(&hook), Ok);
  EXPECT_NE(hook, 0u);
  void* mem = GdipAlloc(64);
  EXPECT_NE(mem, nullptr);
  GdipFree(mem);
  ASSERT_EQ(GdipCreateSolidFill(0xFF000000, &brush), Ok);
  out.NotificationUnhook(hook);
  GdiplusShutdown(token);
  // Deleting after shut-down still frees the object.
  EXPECT_EQ(GdipDeleteBrush(brush), Ok);
  GpSolidFill* again = nullptr;
  EXPECT_EQ(GdipCreateSolidFill(0, &again), GdiplusNotInitialized);
}

using GdipStatus = GdipTest;

TEST_F(GdipStatus, FailuresAreStatuses) {
  const float nan = std::nanf("");
  Canvas c(8, 8);
  GpSolidFill* deleted = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0xFF000000, &deleted), Ok);
  ASSERT_EQ(GdipDeleteBrush(deleted), Ok);
  GpPath* path = nullptr;
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  GpMatrix* m = nullptr;
  ASSERT_EQ(GdipCreateMatrix(&m), Ok);
  Brush brush(0xFF000000);
  Pen pen(0xFF000000);
  GpFontFamily* family = nullptr;
  GpFont* font = nullptr;
  GpBitmap* bitmap = nullptr;
  GpRegion* region = nullptr;
  GpImage* image = nullptr;
  REAL f = 0;
  BOOL flag = 0;
  struct Case {
    const char* what;
    Status got;
    Status want;
  };
  const Case cases[] = {
      {"null graphics", GdipFillRectangleI(nullptr, brush, 0, 0, 1, 1), InvalidParameter},
      {"null brush", GdipFillRectangleI(c.g, nullptr, 0, 0, 1, 1), InvalidParameter},
      {"stale brush", GdipFillRectangleI(c.g, deleted, 0, 0, 1, 1), InvalidParameter},
      {"brush passed as pen", GdipDrawLineI(c.g, reinterpret_cast<GpPen*>(brush.b), 0, 0, 1, 1),
       InvalidParameter},
      {"NaN rectangle", GdipFillRectangle(c.g, brush, nan, 0, 1, 1), InvalidParameter},
      {"NaN line", GdipDrawLine(c.g, pen, 0, 0, nan, 1), InvalidParameter},
      {"huge coordinates", GdipFillRectangle(c.g, brush, 0, 0, 1e20f, 1e20f), ValueOverflow},
      {"one-point lines", GdipDrawLinesI(c.g, pen, nullptr, 1), InvalidParameter},
      {"stale matrix", (GdipDeleteMatrix(m), GdipSetWorldTransform(c.g, m)), InvalidParameter},
      {"singular world transform", GdipScaleWorldTransform(c.g, 0, 1, MatrixOrderAppend), InvalidParameter},
      {"invalid smoothing", GdipSetSmoothingMode(c.g, SmoothingModeInvalid), InvalidParameter},
      {"invalid interpolation", GdipSetInterpolationMode(c.g, InterpolationModeInvalid), InvalidParameter},
      {"page unit world", GdipSetPageUnit(c.g, UnitWorld), InvalidParameter},
      {"zero page scale", GdipSetPageScale(c.g, 0), InvalidParameter},
      {"zero-size bitmap", GdipCreateBitmapFromScan0(0, 5, 0, PixelFormat32bppARGB, nullptr, &bitmap),
       InvalidParameter},
      {"unknown pixel format", GdipCreateBitmapFromScan0(5, 5, 0, 0x1234, nullptr, &bitmap),
       InvalidParameter},
      {"giant bitmap", GdipCreateBitmapFromScan0(1 << 20, 1 << 20, 0, PixelFormat32bppARGB, nullptr, &bitmap),
       OutOfMemory},
      {"bad stride",
       GdipCreateBitmapFromScan0(5, 5, 6, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(c.px.data()),
                                 &bitmap),
       InvalidParameter},
      {"null image", GdipGetImageWidth(nullptr, nullptr), InvalidParameter},
      {"unknown family", GdipCreateFontFamilyFromName(u"No Such Family Here", nullptr, &family),
       FontFamilyNotFound},
      {"font on null family", GdipCreateFont(nullptr, 10, 0, UnitPoint, &font), InvalidParameter},
      {"null font height", GdipGetFontHeight(nullptr, c.g, &f), InvalidParameter},
      {"null stream", GdipLoadImageFromStream(nullptr, &image), InvalidParameter},
      {"path point outside", GdipIsVisiblePathPoint(path, nan, 0, nullptr, &flag), Ok},
      {"region of stale path", (GdipDeletePath(path), GdipCreateRegionPath(path, &region)), InvalidParameter},
      {"bad combine mode", GdipSetClipRectI(c.g, 0, 0, 1, 1, static_cast<CombineMode>(9)), InvalidParameter},
      {"release DC never got", GdipReleaseDC(c.g, reinterpret_cast<HDC>(&f)), InvalidParameter},
  };
  for (const Case& k : cases) EXPECT_EQ(k.got, k.want) << k.what;
  EXPECT_EQ(family, nullptr);
  EXPECT_EQ(flag, FALSE);
  // Nothing was drawn by the failing calls.
  EXPECT_EQ(c.Mask(), Rows({"........", "........", "........", "........", "........", "........",
                            "........", "........"}));
}

TEST_F(GdipStatus, BusyWhileTheDcIsOut) {
  Canvas c(4, 4);
  Brush brush(0xFF112233);
  HDC dc = nullptr;
  ASSERT_EQ(GdipGetDC(c.g, &dc), Ok);
  EXPECT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 2, 2), ObjectBusy);
  EXPECT_EQ(GdipDeleteGraphics(c.g), ObjectBusy);
  HDC second = nullptr;
  EXPECT_EQ(GdipGetDC(c.g, &second), ObjectBusy);
  EXPECT_EQ(GdipReleaseDC(c.g, dc), Ok);
  EXPECT_EQ(GdipFillRectangleI(c.g, brush, 0, 0, 2, 2), Ok);
}

using GdipMatrix = GdipTest;

TEST_F(GdipMatrix, ComposesInGdiplusOrder) {
  GpMatrix* m = nullptr;
  ASSERT_EQ(GdipCreateMatrix(&m), Ok);
  // Prepend applies the new operation first: scale then translate.
  ASSERT_EQ(GdipTranslateMatrix(m, 10, 20, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipScaleMatrix(m, 2, 3, MatrixOrderPrepend), Ok);
  GpPointF p[1] = {{1, 1}};
  ASSERT_EQ(GdipTransformMatrixPoints(m, p, 1), Ok);
  EXPECT_FLOAT_EQ(p[0].X, 12);
  EXPECT_FLOAT_EQ(p[0].Y, 23);
  // Rotation by 90 degrees turns +x into +y (clockwise on screen).
  ASSERT_EQ(GdipSetMatrixElements(m, 1, 0, 0, 1, 0, 0), Ok);
  ASSERT_EQ(GdipRotateMatrix(m, 90, MatrixOrderAppend), Ok);
  REAL e[6];
  ASSERT_EQ(GdipGetMatrixElements(m, e), Ok);
  EXPECT_EQ(e[0], 0);
  EXPECT_EQ(e[1], 1);
  EXPECT_EQ(e[2], -1);
  EXPECT_EQ(e[3], 0);
  ASSERT_EQ(GdipInvertMatrix(m), Ok);
  GpPoint q[1] = {{0, 5}};
  ASSERT_EQ(GdipTransformMatrixPointsI(m, q, 1), Ok);
  EXPECT_EQ(q[0].X, 5);
  EXPECT_EQ(q[0].Y, 0);
  BOOL identity = TRUE;
  ASSERT_EQ(GdipIsMatrixIdentity(m, &identity), Ok);
  EXPECT_FALSE(identity);
  ASSERT_EQ(GdipSetMatrixElements(m, 1, 2, 2, 4, 0, 0), Ok);
  EXPECT_EQ(GdipInvertMatrix(m), InvalidParameter);
  BOOL invertible = TRUE;
  ASSERT_EQ(GdipIsMatrixInvertible(m, &invertible), Ok);
  EXPECT_FALSE(invertible);
  GdipDeleteMatrix(m);
}

TEST_F(GdipMatrix, GraphicsTransformPointsBetweenSpaces) {
  Canvas c(4, 4);
  ASSERT_EQ(GdipTranslateWorldTransform(c.g, 5, 0, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipSetPageUnit(c.g, UnitInch), Ok);  // 96 pixels per inch on this bitmap
  GpPointF p[1] = {{1, 0}};
  ASSERT_EQ(GdipTransformPoints(c.g, CoordinateSpaceDevice, CoordinateSpaceWorld, p, 1), Ok);
  EXPECT_FLOAT_EQ(p[0].X, 6 * 96);
  ASSERT_EQ(GdipTransformPoints(c.g, CoordinateSpaceWorld, CoordinateSpaceDevice, p, 1), Ok);
  EXPECT_FLOAT_EQ(p[0].X, 1);
  GraphicsState state = 0;
  ASSERT_EQ(GdipSaveGraphics(c.g, &state), Ok);
  ASSERT_EQ(GdipResetWorldTransform(c.g), Ok);
  ASSERT_EQ(GdipSetPageUnit(c.g, UnitPixel), Ok);
  ASSERT_EQ(GdipRestoreGraphics(c.g, state), Ok);
  Unit unit = UnitPixel;
  ASSERT_EQ(GdipGetPageUnit(c.g, &unit), Ok);
  EXPECT_EQ(unit, UnitInch);
}

// Every entry point the header declares is in the module table under its own name.
TEST(GdipModule, ExportsEveryDeclaredEntryPoint) {
  os::ScopedModuleTable keep;
  RegisterModule();
  std::ifstream in(std::string(QD_SOURCE_DIR) + "/platform/gdiplus/gdiplus.h");
  std::stringstream text;
  text << in.rdbuf();
  std::string s = text.str();
  int count = 0;
  std::string line;
  std::istringstream lines(s);
  while (std::getline(lines, line)) {
    // Declarations start a line with the result type and the entry point's name.
    size_t name = 0;
    for (const char* result : {"Status ", "void* ", "void ", "UINT "})
      if (line.rfind(result, 0) == 0) name = std::char_traits<char>::length(result);
    if (name == 0 || line.compare(name, 4, "Gdip") != 0) continue;
    std::string entry = line.substr(name, line.find('(') - name);
    EXPECT_TRUE(os::HasExport("gdiplus.dll", entry)) << entry;
    ++count;
  }
  EXPECT_GT(count, 300);
  // The library binds by name through the ordinary loader.
  HMODULE module = LoadLibraryW(u"gdiplus.dll");
  ASSERT_NE(module, nullptr);
  auto startup = reinterpret_cast<decltype(&GdiplusStartup)>(GetProcAddress(module, "GdiplusStartup"));
  EXPECT_EQ(startup, &GdiplusStartup);
  EXPECT_NE(GetProcAddress(module, "GdipSetPenDashCap197819"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "GdipNoSuchFunction"), nullptr);
}

}  // namespace
}  // namespace qd::gdiplus::test
