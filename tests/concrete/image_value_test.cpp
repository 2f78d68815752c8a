// The image editor's value: the picture's bytes with the header skip, unchanged values,
// graphic class names, the zoom steps around 100 and the zooming options' limits.
#include <gtest/gtest.h>

#include <memory>

#include "concrete/image_test_util.h"
#include "tests/graphics/graphics_test_util.h"

namespace qd::testing {
namespace {

using ImageValue = ImageTest;

TEST_F(ImageValue, BytesAndHeaderDecideWhatIsLoaded) {
  const TBytes bmp = BitmapBytes(5, 3, clRed);
  struct Row {
    const char* name;
    Variant value;
    bool loaded;
  };
  const Row rows[] = {
      {"plain file", Variant::FromBytes(bmp), true},
      {"file behind its header", Variant::FromBytes(WithHeader(bmp, static_cast<uint32_t>(bmp.size()))),
       true},
      // A header whose length is not the rest is read as part of the data, which is then
      // no bitmap.
      {"header with a wrong length",
       Variant::FromBytes(WithHeader(bmp, static_cast<uint32_t>(bmp.size() + 1))), false},
      {"seven bytes", Variant::FromBytes(TBytes(bmp.begin(), bmp.begin() + 7)), false},
      {"not a picture", Variant::FromBytes(TBytes(40, 7)), false},
      {"a number", Variant(42), false},
      {"Null", Null(), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    image->SetEditValue(Variant::FromBytes(BitmapBytes(2, 2, clBlue)));
    ASSERT_TRUE(HasPicture());
    image->SetEditValue(row.value);
    EXPECT_EQ(HasPicture(), row.loaded);
    if (row.loaded) {
      EXPECT_EQ(image->Picture()->Width(), 5);
      EXPECT_EQ(image->Picture()->Height(), 3);
    } else {
      EXPECT_TRUE(VarIsNull(image->EditValue()));
    }
  }
}

TEST_F(ImageValue, EditValueIsTheSavedBytes) {
  const TBytes bmp = BitmapBytes(4, 4, clLime);
  image->SetEditValue(Variant::FromBytes(WithHeader(bmp, static_cast<uint32_t>(bmp.size()))));
  const Variant value = image->EditValue();
  ASSERT_EQ(VarArrayLowBound(value, 1), 0);
  EXPECT_EQ(VarArrayToBytes(value), bmp);
}

TEST_F(ImageValue, OnlyADifferentValueReloads) {
  TBytes bmp = BitmapBytes(4, 4, clLime);
  image->SetEditValue(Variant::FromBytes(bmp));
  EXPECT_EQ(events.Changes, 1);
  image->SetEditValue(Variant::FromBytes(bmp));
  EXPECT_EQ(events.Changes, 1);
  // The last byte is a pixel's: the picture changes.
  bmp.back() ^= 0xFF;
  image->SetEditValue(Variant::FromBytes(bmp));
  EXPECT_EQ(events.Changes, 2);
  EXPECT_EQ(VarArrayToBytes(image->EditValue()), bmp);
}

TEST_F(ImageValue, ValuesEqualOnlyAsZeroBasedByteArraysWithTheSameBytes) {
  const TBytes bytes{1, 2, 3};
  Variant shifted = VarArrayCreate(1, 3, varByte);
  for (int i = 0; i < 3; ++i) VarArrayPut(shifted, Variant(static_cast<uint8_t>(bytes[i])), i + 1);
  EXPECT_TRUE(cxImageEditValuesEqual(Variant::FromBytes(bytes), Variant::FromBytes(bytes)));
  EXPECT_FALSE(cxImageEditValuesEqual(Variant::FromBytes(bytes), Variant::FromBytes(TBytes{1, 2, 4})));
  EXPECT_FALSE(cxImageEditValuesEqual(Variant::FromBytes(bytes), Variant::FromBytes(TBytes{1, 2, 3, 4})));
  EXPECT_FALSE(cxImageEditValuesEqual(Variant::FromBytes(bytes), shifted));
  EXPECT_TRUE(cxImageEditValuesEqual(Null(), Null()));
  EXPECT_FALSE(cxImageEditValuesEqual(Null(), Variant::FromBytes(bytes)));
}

TEST_F(ImageValue, GraphicClassNames) {
  TcxImageProperties* properties = image->Properties();
  EXPECT_EQ(properties->GraphicClass(), TBitmap::StaticClass());
  struct Row {
    const char16_t* name;
    TClass expected;
    TClass pasting;
  };
  const Row rows[] = {
      {u"TdxPNGImage", TdxPNGImage::StaticClass(), TdxPNGImage::StaticClass()},
      {u"tdxpngimage", TdxPNGImage::StaticClass(), TdxPNGImage::StaticClass()},
      {u"Unknown", TdxSmartImage::StaticClass(), TdxSmartImage::StaticClass()},
      {u"", nullptr, TBitmap::StaticClass()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(StringToUtf8(row.name));
    properties->SetGraphicClassName(row.name);
    EXPECT_EQ(properties->GraphicClass(), row.expected);
    EXPECT_EQ(image->GetGraphicClass(false), row.expected);
    EXPECT_EQ(image->GetGraphicClass(true), row.pasting);
  }
}

TEST_F(ImageValue, RegistryListsTheBaseClassesFirst) {
  const std::vector<TGraphicClass>& classes = GetRegisteredGraphicClasses();
  ASSERT_GE(classes.size(), 5u);
  EXPECT_EQ(classes[0], TBitmap::StaticClass());
  EXPECT_EQ(classes[1], TIcon::StaticClass());
  EXPECT_EQ(classes[2], TMetafile::StaticClass());
  EXPECT_EQ(GetGraphicClassByName(u"TDXSMARTIMAGE"), TdxSmartImage::StaticClass());
  EXPECT_EQ(GetGraphicClassByName(u"TNoSuchGraphic"), nullptr);
  const size_t count = classes.size();
  RegisterGraphicClass(TBitmap::StaticClass());
  EXPECT_EQ(GetRegisteredGraphicClasses().size(), count);
}

TEST_F(ImageValue, ZoomStepsStopAt100) {
  // Line sizes with the default range 0..500: 10 below 100 and 40 above.
  struct Row {
    int from;
    bool in;
    int to;
  };
  const Row rows[] = {{95, true, 100},  {100, true, 140}, {140, true, 180}, {110, false, 100},
                      {100, false, 90}, {30, false, 20},  {5, false, 0},    {480, true, 500}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.from);
    image->ZoomingOptions()->SetZoomPercent(row.from);
    if (row.in)
      image->IncZoomPercent();
    else
      image->DecZoomPercent();
    EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), row.to);
  }
}

TEST_F(ImageValue, ZoomBarRangesFollowTheZoomLimits) {
  TdxCustomZoomTrackBarProperties* bar = image->Properties()->ZoomTrackBarProperties();
  EXPECT_EQ(bar->FirstRange()->LineSize(), 10);
  EXPECT_EQ(bar->SecondRange()->LineSize(), 40);
  image->ZoomingOptions()->SetMinZoom(50);
  image->ZoomingOptions()->SetMaxZoom(200);
  EXPECT_EQ(bar->Min(), 50);
  EXPECT_EQ(bar->Max(), 200);
  EXPECT_EQ(bar->FirstRange()->LineSize(), 5);
  EXPECT_EQ(bar->SecondRange()->LineSize(), 10);
  image->ZoomingOptions()->SetZoomPercent(95);
  image->IncZoomPercent();
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 100);
}

TEST_F(ImageValue, ZoomingOptionLimits) {
  TcxImageZoomingOptions options;
  options.SetMaxZoom(50);
  EXPECT_EQ(options.MaxZoom(), 100);
  options.SetZoomPercent(90);
  options.SetMinZoom(150);
  EXPECT_EQ(options.MinZoom(), 100);
  EXPECT_EQ(options.ZoomPercent(), 100);
  options.SetMinZoom(0);
  options.SetMaxZoom(400);
  options.SetZoomPercent(300);
  options.SetMaxZoom(200);
  EXPECT_EQ(options.ZoomPercent(), 200);
  options.SetZoomPercent(-5);
  EXPECT_EQ(options.ZoomPercent(), 0);
}

TEST_F(ImageValue, CtrlWheelZoomsWithTheWheelsSign) {
  image->ZoomingOptions()->SetZoomPercent(100);
  image->InternalMouseWheel(TShiftState{ssCtrl}, 120, TPoint{5, 5});
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 140);
  image->InternalMouseWheel(TShiftState{ssCtrl}, -120, TPoint{5, 5});
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 100);
  image->InternalMouseWheel(TShiftState{ssCtrl}, -120, TPoint{5, 5});
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 90);
  // Without Ctrl the wheel does not zoom.
  image->InternalMouseWheel(TShiftState{}, 120, TPoint{5, 5});
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 90);
}

TEST_F(ImageValue, ZoomGestureAddsAQuarterOfTheDistanceChange) {
  image->Properties()->SetFitMode(ifmNormal);
  auto gesture = [&](int32_t ADistance, bool ABegin) {
    TGestureEventInfo info;
    info.GestureID = GID_ZOOM;
    info.Distance = ADistance;
    if (ABegin) info.Flags.Include(gfBegin);
    bool handled = false;
    image->DoGesture(info, handled);
    return handled;
  };
  EXPECT_TRUE(gesture(100, true));
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 100);
  EXPECT_TRUE(gesture(180, false));
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 120);
  EXPECT_TRUE(gesture(140, false));
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 110);
  // Fitted pictures do not zoom, but the gesture is still taken.
  image->Properties()->SetFitMode(ifmFit);
  EXPECT_TRUE(gesture(300, false));
  EXPECT_EQ(image->ZoomingOptions()->ZoomPercent(), 110);
  EXPECT_TRUE(image->IsDefaultGesture(GID_ZOOM));
}

TEST_F(ImageValue, EffectiveZoomOnlyWithoutFitting) {
  image->ZoomingOptions()->SetZoomPercent(200);
  image->Properties()->SetFitMode(ifmFit);
  EXPECT_EQ(image->ZoomPercent(), 100);
  image->Properties()->SetFitMode(ifmNormal);
  EXPECT_EQ(image->ZoomPercent(), 200);
}

TEST_F(ImageValue, StretchAndProportionalMapToFitModes) {
  TcxImageProperties* p = image->Properties();
  struct Row {
    bool stretch, proportional;
    TcxImageFitMode mode;
  };
  const Row rows[] = {{false, false, ifmNormal},
                      {true, false, ifmStretch},
                      {true, true, ifmProportionalStretch},
                      {false, true, ifmFit}};
  for (const Row& row : rows) {
    p->SetFitMode(ifmFill);
    p->SetStretch(row.stretch);
    p->SetProportional(row.proportional);
    EXPECT_EQ(p->FitMode(), row.mode);
    EXPECT_EQ(p->Stretch(), row.stretch);
    EXPECT_EQ(p->Proportional(), row.proportional);
  }
}

TEST_F(ImageValue, RegisteredWithTheEditors) {
  EXPECT_GE(GetRegisteredEditProperties()->GetIndexByClass(TcxImageProperties::StaticClass()), 0);
  EXPECT_EQ(TcxImageProperties(nullptr).GetContainerClass(), TcxImage::StaticClass());
  EXPECT_EQ(GetClass("TcxImage"), TcxImage::StaticClass());
}

TEST_F(ImageValue, InplaceContentSize) {
  TcxImageProperties properties(nullptr);
  TcxEditStyle style(nullptr, false);
  style.Font()->SetName(kTestFontName);
  TestBitmap bitmap(10, 10);
  TcxCanvas canvas(bitmap.Canvas());
  const Variant picture = Variant::FromBytes(BitmapBytes(40, 20, clRed));
  struct Row {
    const char* name;
    TcxImageFitMode mode;
    Variant value;
    int w, h;
    TSize expected;
  };
  const Row rows[] = {
      {"fit, narrower than the picture", ifmFit, picture, 20, -1, TSize{20, 10}},
      {"fit, lower than the picture", ifmFit, picture, -1, 10, TSize{20, 10}},
      {"fit, no limits", ifmFit, picture, -1, -1, TSize{40, 20}},
      {"stretch, a width alone does not enlarge", ifmStretch, picture, 80, -1, TSize{40, 20}},
      {"stretch to both", ifmStretch, picture, 80, 10, TSize{80, 40}},
      {"normal keeps its size", ifmNormal, picture, 20, -1, TSize{40, 20}},
      {"no picture", ifmFit, Null(), 20, -1, TSize{0, 15}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    properties.SetFitMode(row.mode);
    std::unique_ptr<TcxCustomEditViewData> viewData(properties.CreateViewData(&style, true));
    TcxEditSizeProperties limits;
    limits.Width = row.w;
    limits.Height = row.h;
    EXPECT_EQ(viewData->GetEditContentSize(&canvas, row.value, limits), row.expected);
  }
  // Without a picture the caption is measured.
  properties.SetCaption(u"Empty");
  std::unique_ptr<TcxCustomEditViewData> viewData(properties.CreateViewData(&style, true));
  const TSize caption = viewData->GetEditContentSize(&canvas, Null(), TcxEditSizeProperties{});
  EXPECT_GT(caption.cx, 15);
  EXPECT_GT(caption.cy, 5);
}

TEST_F(ImageValue, GraphicTransparencyIsAppliedToThePicture) {
  image->SetEditValue(Variant::FromBytes(BitmapBytes(4, 4, clRed)));
  struct Row {
    TcxImageTransparency transparency;
    bool transparent;
  };
  for (const Row& row : {Row{gtTransparent, true}, Row{gtOpaque, false}, Row{gtTransparent, true}}) {
    image->Properties()->SetGraphicTransparency(row.transparency);
    EXPECT_EQ(image->Picture()->Graphic()->Transparent(), row.transparent);
  }
  // A new picture takes the setting too.
  image->SetEditValue(Variant::FromBytes(BitmapBytes(3, 3, clBlue)));
  EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
}

TEST_F(ImageValue, StoredFormKeepsPictureAndSettings) {
  image->SetName(u"Img");
  image->SetEditValue(Variant::FromBytes(BitmapBytes(5, 3, clRed)));
  image->Properties()->SetFitMode(ifmNormal);
  image->Properties()->SetCenter(false);
  image->Properties()->PopupMenuLayout()->SetMenuItems({});
  image->ZoomingOptions()->SetMaxZoom(300);
  image->SetTransparent(true);
  const String text = WriteComponentToText(image);
  EXPECT_NE(text.find(u"Picture.Data"), String::npos) << StringToUtf8(text);
  EXPECT_NE(text.find(u"Properties.FitMode = ifmNormal"), String::npos) << StringToUtf8(text);
  EXPECT_EQ(text.find(u"GraphicClassName"), String::npos) << StringToUtf8(text);

  auto copy = std::make_unique<TestImage>(nullptr);
  ReadComponentFromText(text, copy.get());
  ASSERT_NE(copy->Picture()->Graphic(), nullptr);
  EXPECT_EQ(copy->Picture()->Width(), 5);
  EXPECT_EQ(copy->Properties()->FitMode(), ifmNormal);
  EXPECT_FALSE(copy->Properties()->Center());
  EXPECT_TRUE(copy->Properties()->PopupMenuLayout()->MenuItems().Empty());
  EXPECT_EQ(copy->ZoomingOptions()->MaxZoom(), 300);
  EXPECT_TRUE(copy->Transparent());

  // No graphic class is stored as its own marker, and read back as none.
  image->Properties()->SetGraphicClassName(u"");
  const String empty = WriteComponentToText(image);
  EXPECT_NE(empty.find(u"Properties.IsGraphicClassNameEmpty = True"), String::npos) << StringToUtf8(empty);
  auto second = std::make_unique<TestImage>(nullptr);
  ReadComponentFromText(empty, second.get());
  EXPECT_EQ(second->Properties()->GraphicClass(), nullptr);
}

}  // namespace
}  // namespace qd::testing
