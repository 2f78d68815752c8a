// The GDI+ binding: by-name lookup, missing names and failing start-ups, errors, codecs.
#include <gtest/gtest.h>

#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {
namespace {

class GdipApiTest : public testing::GraphicsTest {
 protected:
  void SetUp() override {
    testing::GraphicsTest::SetUp();
    gdiplus::RegisterModule();
    GdiPlusUnload();
  }
  void TearDown() override {
    GdiPlusUnload();
    testing::GraphicsTest::TearDown();
  }
};

TEST_F(GdipApiTest, LoadsBindsEveryEntryAndUnloads) {
  EXPECT_TRUE(CheckGdiPlus(false));
  EXPECT_NE(GdipCreateSolidFill, nullptr);
  const int bound = dxGpBoundEntryCount();
  EXPECT_EQ(bound, dxGpEntryCount);
  EXPECT_GT(bound, 150);
  // A usable binding: GDI+ answers through the variables.
  GpBrush* brush = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0xFF00FF00, reinterpret_cast<gdiplus::GpSolidFill**>(&brush)), gdiplus::Ok);
  GdipCheck(GdipDeleteBrush(brush));
  GdiPlusUnload();
  EXPECT_EQ(dxGpBoundEntryCount(), 0);
  EXPECT_TRUE(CheckGdiPlus(false));  // loads again on the next use
}

TEST_F(GdipApiTest, AMissingNameOrModuleMakesGdiPlusUnavailable) {
  for (const char* name :
       {"GdipAlloc", "GdipCreatePen2", "GdipSetStringFormatMeasurableCharacterRanges", "GdipSetPenWidth",
        "GdipCreatePathGradient", "GdipDrawString", "GdipBeginContainer2"}) {
    SCOPED_TRACE(name);
    os::ScopedModuleTable saved;
    ASSERT_TRUE(os::RemoveExport("gdiplus.dll", name));
    EXPECT_FALSE(CheckGdiPlus(false));
    EXPECT_FALSE(CheckGdiPlus(false));  // retried, still missing, no crash
    TdxGpClassID id{};
    EXPECT_EQ(GetEncoderID(u"image/png", id), gdiplus::GenericError);
    EXPECT_FALSE(IsCodecIDValid(id));
    GdiPlusUnload();
  }
  {
    os::ScopedModuleTable saved;
    ASSERT_TRUE(os::RemoveModule("gdiplus.dll"));
    EXPECT_FALSE(CheckGdiPlus(false));
  }
  EXPECT_TRUE(CheckGdiPlus(false));  // the table restored
}

// The wrappers call GDI+ only through the bound variables, never the platform's functions
// directly: a replaced variable sees the calls.
Status (*GdipApiTestSavedPenWidth)(GpPen*, gdiplus::REAL) = nullptr;
int GdipApiTestPenWidthCalls = 0;

TEST_F(GdipApiTest, WrapperCallsGoThroughTheBoundVariables) {
  ASSERT_TRUE(CheckGdiPlus(false));
  GdipApiTestSavedPenWidth = GdipSetPenWidth;
  GdipApiTestPenWidthCalls = 0;
  GdipSetPenWidth = [](GpPen* APen, gdiplus::REAL AWidth) {
    ++GdipApiTestPenWidthCalls;
    return GdipApiTestSavedPenWidth(APen, AWidth);
  };
  {
    TdxGPPen pen(0xFF000000, 1);
    pen.HandleNeeded();
    pen.SetWidth(3);
  }
  GdipSetPenWidth = GdipApiTestSavedPenWidth;
  EXPECT_EQ(GdipApiTestPenWidthCalls, 1);
}

// A start-up whose notification hook fails: the binding must stop GDI+ again.
int gdipApiTestShutdowns = 0;
Status GdipApiTestFailingHook(gdiplus::ULONG_PTR*) {
  return gdiplus::GenericError;
}
Status GdipApiTestStartup(gdiplus::ULONG_PTR* token, const gdiplus::GdiplusStartupInput* input,
                          gdiplus::GdiplusStartupOutput* output) {
  EXPECT_EQ(input->GdiplusVersion, 1u);
  EXPECT_TRUE(input->SuppressBackgroundThread);
  EXPECT_FALSE(input->SuppressExternalCodecs);
  const Status s = gdiplus::GdiplusStartup(token, input, output);
  output->NotificationHook = &GdipApiTestFailingHook;
  return s;
}
void GdipApiTestShutdown(gdiplus::ULONG_PTR token) {
  ++gdipApiTestShutdowns;
  gdiplus::GdiplusShutdown(token);
}

TEST_F(GdipApiTest, AFailingHookShutsGdiPlusDownAgain) {
  os::ScopedModuleTable saved;
  os::RegisterExport("gdiplus.dll", "GdiplusStartup", &GdipApiTestStartup);
  os::RegisterExport("gdiplus.dll", "GdiplusShutdown", &GdipApiTestShutdown);
  gdipApiTestShutdowns = 0;
  EXPECT_FALSE(CheckGdiPlus(false));
  EXPECT_EQ(gdipApiTestShutdowns, 1);
  EXPECT_FALSE(CheckGdiPlus(false));
  EXPECT_EQ(gdipApiTestShutdowns, 2);  // every start that was made is stopped again
  // The platform's GDI+ is left stopped: a plain call reports that it is not initialised.
  GpMatrix* m = nullptr;
  EXPECT_EQ(gdiplus::GdipCreateMatrix(&m), gdiplus::GdiplusNotInitialized);
}

TEST_F(GdipApiTest, StatusesBecomeExceptionsWithTheirTexts) {
  EXPECT_NO_THROW(GdipCheck(gdiplus::Ok));
  struct Case {
    Status status;
    DWORD lastError;
    const char16_t* text;
  } cases[] = {
      {gdiplus::InvalidParameter, 0, u"Invalid operation in GDI+ (Code: 2)"},
      {gdiplus::Win32Error, 5, u"Invalid operation in GDI+ (Win32 error code: 5)"},
      {gdiplus::Win32Error, 0, u"Invalid operation in GDI+ (Code: 7)"},
      {gdiplus::OutOfMemory, 5, u"Invalid operation in GDI+ (Code: 3)"},
  };
  for (const Case& c : cases) {
    SetLastError(c.lastError);
    try {
      GdipCheck(c.status);
      ADD_FAILURE() << "no exception for " << c.status;
    } catch (const EdxGdipException& e) {
      EXPECT_EQ(e.Message(), String(c.text));
      EXPECT_EQ(e.GetStatus(), c.status);
    }
  }
  SetLastError(0);
}

TEST_F(GdipApiTest, CodecsAreFoundByMimeTypeWithoutRegardToCase) {
  TdxGpClassID upper{}, lower{};
  EXPECT_EQ(GetEncoderID(u"IMAGE/PNG", upper), gdiplus::Ok);
  EXPECT_EQ(GetEncoderID(u"image/png", lower), gdiplus::Ok);
  EXPECT_TRUE(IsCodecIDValid(upper));
  EXPECT_EQ(upper, lower);
  TdxGpClassID none{};
  EXPECT_EQ(GetDecoderID(u"image/x-unknown", none), gdiplus::GenericError);
  EXPECT_FALSE(IsCodecIDValid(none));
  // An identifier already set is kept without a search.
  TdxGpClassID preset{1, 0, 0, {}};
  EXPECT_EQ(CheckEncoder(u"image/x-unknown", preset), gdiplus::Ok);
  EXPECT_EQ(preset.Data1, 1u);

  EXPECT_NO_THROW(CheckImageCodecs());
  EXPECT_TRUE(IsCodecIDValid(PNGEncoder));
  EXPECT_TRUE(IsCodecIDValid(PNGDecoder));
  EXPECT_TRUE(IsCodecIDValid(JPEGDecoder));
  EXPECT_TRUE(IsCodecIDValid(EMFDecoder));
}

TEST_F(GdipApiTest, RectangleRecordsConvert) {
  const TRect r{10, 20, 110, 70};
  const TdxGpRectF f = dxGpMakeRectF(r);
  EXPECT_TRUE(dxGpRectIsEqual(f, MakeRect(10.f, 20.f, 100.f, 50.f)));
  EXPECT_EQ(f.ToRect(), r);
  EXPECT_EQ(TdxGpRect::FromRect(r).ToRect(), r);
  // Truncated toward zero, the width added to the truncated left.
  EXPECT_EQ((TdxGpRectF{-1.7f, 2.9f, 3.9f, 4.5f}.ToRect()), (TRect{-1, 2, 2, 6}));
  const TdxRectF rf = f.ToRectF();
  EXPECT_EQ(rf.Right, 110.f);
  EXPECT_EQ(rf.Bottom, 70.f);
}

TEST_F(GdipApiTest, WrapperObjectsComeFromTheGdiPlusHeapWhilePresent) {
  std::unique_ptr<TdxGpBase> outside(new TdxGpBase);
  EXPECT_FALSE(outside->IsGpUsed());
  ASSERT_TRUE(CheckGdiPlus(false));
  std::unique_ptr<TdxGpBase> inside(new TdxGpBase);
  EXPECT_TRUE(inside->IsGpUsed());
  GdiPlusUnload();
  inside.reset();  // freed after the unload without trouble
}

TEST_F(GdipApiTest, CreatesPremultipliedBitmaps) {
  GpBitmap* bitmap = dxGpCreateBitmap(TSize{7, 3});
  UINT w = 0, h = 0;
  gdiplus::PixelFormat format = 0;
  EXPECT_EQ(GdipGetImageWidth(bitmap, &w), gdiplus::Ok);
  EXPECT_EQ(GdipGetImageHeight(bitmap, &h), gdiplus::Ok);
  EXPECT_EQ(gdiplus::GdipGetImagePixelFormat(bitmap, &format), gdiplus::Ok);
  EXPECT_EQ(w, 7u);
  EXPECT_EQ(h, 3u);
  EXPECT_EQ(format, 0x000E200B);
  GdipDisposeImage(bitmap);
  EXPECT_THROW(dxGpCreateBitmap(0, 5), EdxGdipException);
}

}  // namespace
}  // namespace qd
