#include "ui/graphics/cxImageList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/graphics/image_list_test_util.h"
#include "ui/graphics/cxGraphicsAlphaBitmap.h"
#include "ui/graphics/cxGraphicsCaches.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd::testing {
namespace {

using ImageListTest = GraphicsUnitTest;
using ListColors = std::vector<uint32_t>;

constexpr uint32_t kListRed = 0xFF0000, kListGreen = 0x00FF00, kListBlue = 0x0000FF, kListYellow = 0xFFFF00,
                   kListCyan = 0x00FFFF;

TEST_F(ImageListTest, StripsAndGridsAreCutIntoCellsOnBothSides) {
  // A strip: four cells, left to right.
  TcxImageList list(16, 16);
  auto strip = SolidCells(16, 16, 4, 1, {kListRed, kListGreen, kListBlue, kListYellow});
  EXPECT_EQ(list.Add(strip.get(), nullptr), 0);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.ImageInfos()->Count(), 4);
  EXPECT_EQ(NativeColors(list), (ListColors{kListRed, kListGreen, kListBlue, kListYellow}));
  EXPECT_EQ(InfoColors(list), (ListColors{kListRed, kListGreen, kListBlue, kListYellow}));
  // Every kept cell is a bitmap of the list's size.
  for (int i = 0; i < 4; ++i) {
    TGraphic* image = list.ImageInfos()->Items(i)->Image();
    EXPECT_EQ(image->Width(), 16);
    EXPECT_EQ(image->Height(), 16);
  }

  // A grid: rows top to bottom, columns left to right, the native side in step.
  auto grid = SolidCells(16, 16, 2, 2, {kListCyan, kListBlue, kListGreen, kListRed});
  EXPECT_EQ(list.Add(grid.get(), nullptr), 4);
  EXPECT_EQ(list.Count(), 8);
  EXPECT_EQ(NativeColors(list), (ListColors{kListRed, kListGreen, kListBlue, kListYellow, kListCyan,
                                            kListBlue, kListGreen, kListRed}));
  EXPECT_EQ(InfoColors(list), NativeColors(list));

  // A picture of the list's size is one image; one that is no multiple is not cut.
  auto single = SolidCells(16, 16, 1, 1, {kListGreen});
  EXPECT_EQ(list.GetImageCount(single.get(), 16, 16), 1);
  auto odd = SolidCells(20, 16, 1, 1, {kListGreen});
  EXPECT_EQ(list.GetImageCount(odd.get(), 16, 16), 1);
  EXPECT_EQ(list.GetImageCount(grid.get(), 16, 16), 4);
}

TEST_F(ImageListTest, InsertAndMoveKeepNativeCellsAndImagesInStep) {
  TcxImageList list(16, 16);
  list.Add(SolidCells(16, 16, 2, 1, {kListRed, kListGreen}).get(), nullptr);
  // Three new cells go to 0, 1, 2; the old ones follow.
  EXPECT_EQ(list.Insert(0, SolidCells(16, 16, 3, 1, {kListBlue, kListYellow, kListCyan}).get(), nullptr), 0);
  EXPECT_EQ(NativeColors(list), (ListColors{kListBlue, kListYellow, kListCyan, kListRed, kListGreen}));
  EXPECT_EQ(InfoColors(list), NativeColors(list));

  // Move(0, 3): the former 1, 2, 3 come first, the moved one lands at 3.
  list.Move(0, 3);
  EXPECT_EQ(NativeColors(list), (ListColors{kListYellow, kListCyan, kListRed, kListBlue, kListGreen}));
  EXPECT_EQ(InfoColors(list), NativeColors(list));
  list.Move(4, 1);
  EXPECT_EQ(NativeColors(list), (ListColors{kListYellow, kListGreen, kListCyan, kListRed, kListBlue}));
  EXPECT_EQ(InfoColors(list), NativeColors(list));

  // Insert in the middle, replace and delete.
  EXPECT_EQ(list.Insert(2, SolidCells(16, 16, 1, 1, {0x808080}).get(), nullptr), 2);
  EXPECT_EQ(NativeColors(list),
            (ListColors{kListYellow, kListGreen, 0x808080, kListCyan, kListRed, kListBlue}));
  EXPECT_EQ(list.Replace(0, SolidCells(16, 16, 1, 1, {0x101010}).get(), nullptr), 0);
  list.Delete(5);
  EXPECT_EQ(NativeColors(list), (ListColors{0x101010, kListGreen, 0x808080, kListCyan, kListRed}));
  EXPECT_EQ(InfoColors(list), NativeColors(list));

  // Indices out of range add nothing or raise.
  EXPECT_EQ(list.Insert(6, SolidCells(16, 16, 1, 1, {kListRed}).get(), nullptr), -1);
  EXPECT_EQ(list.Insert(-1, SolidCells(16, 16, 1, 1, {kListRed}).get(), nullptr), -1);
  EXPECT_THROW(list.Move(0, 5), EListError);
  EXPECT_EQ(list.Count(), 5);
  list.Delete(-1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ImageInfos()->Count(), 0);
}

struct ImageListChangeCounter {
  int Count = 0;
  void Changed(TObject*) { ++Count; }
};

TEST_F(ImageListTest, SizeChangeRemovesImagesAndUpdatesAnnounceOnce) {
  TcxImageList list(16, 16);
  ImageListChangeCounter counter;
  int& changes = counter.Count;
  list.OnChange = TNotifyEvent(&counter, &ImageListChangeCounter::Changed);
  list.BeginUpdate();
  list.Add(SolidCells(16, 16, 1, 1, {kListRed}).get(), nullptr);
  list.AddMasked(SolidCells(16, 16, 1, 1, {kListGreen}).get(), clNone);
  list.Add(SolidCells(16, 16, 2, 1, {kListBlue, kListYellow}).get(), nullptr);
  EXPECT_EQ(changes, 0);
  list.EndUpdate();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.Count(), 4);

  list.SetWidth(16);
  EXPECT_EQ(list.Count(), 4);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ImageInfos()->Count(), 0);
  list.SetSize(0, -3);  // each side at least 1
  EXPECT_EQ(list.Width(), 1);
  EXPECT_EQ(list.Height(), 1);
}

TEST_F(ImageListTest, MaskColourAndMaskBitmapMakePixelsTransparent) {
  TcxImageList list(4, 4);
  // A red cell with a white 2 x 2 corner.
  auto cell = SolidCells(4, 4, 1, 1, {kListRed});
  cell->Canvas()->Brush()->SetColor(clWhite);
  cell->Canvas()->FillRect(TRect{0, 0, 2, 2});

  EXPECT_EQ(list.AddMasked(cell.get(), clWhite), 0);
  // The kept image is the given one with its mask colour.
  EXPECT_EQ(list.ImageInfos()->Items(0)->MaskColor(), clWhite);
  EXPECT_TRUE(list.ImageInfos()->Items(0)->ImageInfo()->HasMask());
  const std::vector<uint32_t>& masked = list.Pixels(0);
  EXPECT_EQ(masked[0] >> 24, 0u);             // white: transparent
  EXPECT_EQ(masked[3 * 4 + 3], 0xFFFF0000u);  // red: opaque

  // clNone behaves as Add without a mask: everything opaque.
  EXPECT_EQ(list.AddMasked(cell.get(), clNone), 1);
  EXPECT_EQ(list.ImageInfos()->Items(1)->MaskColor(), clNone);
  EXPECT_EQ(list.Pixels(1)[0], 0xFFFFFFFFu);

  // A mask bitmap: its white pixels are transparent.
  TcxBitmap mask(4, 4, pf24bit);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(TRect{0, 0, 4, 4});
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(TRect{2, 2, 4, 4});
  EXPECT_EQ(list.Add(cell.get(), &mask), 2);
  EXPECT_EQ(list.Pixels(2)[0], 0xFFFFFFFFu);
  EXPECT_EQ(list.Pixels(2)[3 * 4 + 3] >> 24, 0u);
  TcxBitmap readMask;
  list.GetMask(2, &readMask);
  EXPECT_FALSE(readMask.Empty());

  // clDefault takes the bottom-left pixel's colour (red here) as the mask colour.
  EXPECT_EQ(list.AddMasked(cell.get(), clDefault), 3);
  EXPECT_EQ(list.Pixels(3)[3 * 4] >> 24, 0u);
  EXPECT_EQ(list.Pixels(3)[0], 0xFFFFFFFFu);
}

TEST_F(ImageListTest, ConvertingToThirtyTwoBitsBakesTheMaskIntoAlpha) {
  auto cell = SolidCells(4, 4, 1, 1, {kListRed});
  cell->Canvas()->Brush()->SetColor(clWhite);
  cell->Canvas()->FillRect(TRect{0, 0, 2, 2});
  TcxBitmap mask(4, 4, pf24bit);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(TRect{0, 0, 4, 4});
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(TRect{3, 3, 4, 4});
  // Top-down quads of the info's image.
  auto quads = [](TcxImageInfo& AInfo) {
    TRGBColors colors;
    dxCoreGraphics::GetBitmapBits(static_cast<TBitmap*>(AInfo.Image()), colors, true);
    return colors;
  };

  TcxImageInfo byColor;
  byColor.SetImage(cell.get());
  byColor.SetMaskColor(clWhite);
  byColor.ConvertTo32Bit();
  EXPECT_FALSE(byColor.HasMask());
  EXPECT_EQ(byColor.MaskColor(), clNone);
  TRGBColors colors = quads(byColor);
  ASSERT_EQ(colors.size(), 16u);
  EXPECT_EQ(colors[0].rgbReserved, 0);     // white: transparent
  EXPECT_EQ(colors[15].rgbReserved, 255);  // red: opaque
  EXPECT_TRUE(byColor.IsAlphaUsed());

  TcxImageInfo byMask;
  byMask.SetImage(cell.get());
  byMask.SetMask(&mask);
  byMask.ConvertTo32Bit();
  EXPECT_TRUE(byMask.Mask()->Empty());
  colors = quads(byMask);
  EXPECT_EQ(colors[0].rgbReserved, 255);  // white stays: only the mask decides
  EXPECT_EQ(colors[15].rgbReserved, 0);   // the mask's white corner

  // Resizing keeps the transparency at the new size.
  byMask.Resize(TSize{8, 8});
  EXPECT_EQ(byMask.Image()->Width(), 8);
  colors = quads(byMask);
  ASSERT_EQ(colors.size(), 64u);
  EXPECT_EQ(colors[0].rgbReserved, 255);
  EXPECT_EQ(colors[63].rgbReserved, 0);
  EXPECT_EQ(byMask.ImageType(), u"BMP");
}

// A 16 x 16 32-bit picture (premultiplied): a red disc whose alpha falls from 255 at the
// centre to 0 at radius 8, over fully transparent corners.
std::unique_ptr<TcxBitmap32> ListAlphaDisc() {
  auto bitmap = std::make_unique<TcxBitmap32>(16, 16, true);
  TRGBColors colors(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x + 0.5 - 8, y + 0.5 - 8);
      const int a = d >= 8 ? 0 : static_cast<int>(255 * (1 - d / 8));
      RGBQUAD& q = colors[static_cast<size_t>(15 - y) * 16 + x];  // bottom-up
      q.rgbRed = static_cast<uint8_t>(a);
      q.rgbReserved = static_cast<uint8_t>(a);
    }
  bitmap->SetBitmapColors(colors);
  return bitmap;
}

TEST_F(ImageListTest, DrawsA32BitImageWithItsAlphaOverTheBackground) {
  TcxImageList list(16, 16);
  auto disc = ListAlphaDisc();
  ASSERT_EQ(list.Add(disc.get(), nullptr), 0);
  EXPECT_TRUE(list.ImageInfos()->Items(0)->ImageInfo()->IsAlphaUsed());

  // Drawn at the list's size on white, and stretched to twice the size beside it.
  TestBitmap target(56, 32, 0xFFFFFFFF);
  list.Draw(target.Canvas(), 4, 8, 0);
  list.Draw(target.Canvas(), TRect{24, 0, 56, 32}, 0, true, true);
  target.SavePng("image_list_alpha_disc", 4);

  // Corners stay white, the centre is red, half-way out it is pink (blended).
  EXPECT_EQ(target.Rgb(4, 8), 0xFFFFFFu);
  EXPECT_EQ(target.Rgb(0, 0), 0xFFFFFFu);
  const uint32_t centre = target.Rgb(12, 16);
  EXPECT_GE(centre >> 16, 0xF0u);
  EXPECT_LE(centre & 0xFF, 0x30u);
  const uint32_t half = target.Rgb(8, 16);  // 4 pixels from the centre: alpha about 0.45
  EXPECT_EQ(half >> 16, 0xFFu);
  EXPECT_GT(half & 0xFF, 0x60u);
  EXPECT_LT(half & 0xFF, 0xB0u);
  // The stretched copy covers twice the area with the same shape.
  EXPECT_EQ(target.Rgb(24, 0), 0xFFFFFFu);
  const uint32_t bigCentre = target.Rgb(40, 16);
  EXPECT_GE(bigCentre >> 16, 0xF0u);
  EXPECT_LE(bigCentre & 0xFF, 0x30u);
  const uint32_t bigHalf = target.Rgb(32, 16);  // 8 of 16 pixels out
  EXPECT_GT(bigHalf & 0xFF, 0x60u);
  EXPECT_LT(bigHalf & 0xFF, 0xB0u);

  // Disabled: greyed, no red left.
  TestBitmap disabled(16, 16, 0xFFFFFFFF);
  list.Draw(disabled.Canvas(), 0, 0, 0, false);
  const uint32_t grey = disabled.Rgb(8, 8);
  EXPECT_NE(grey, 0xFFFFFFu);
  EXPECT_LT(std::abs(static_cast<int>(grey >> 16) - static_cast<int>(grey & 0xFF)), 0x20);
}

TEST_F(ImageListTest, ChangedImagesAreDrawnAfreshAndOverlaysDrawOnTop) {
  TcxImageList list(8, 8);
  list.Add(SolidCells(8, 8, 1, 1, {kListRed}).get(), nullptr);
  TestBitmap target(8, 8, 0xFFFFFFFF);
  list.Draw(target.Canvas(), TRect{0, 0, 8, 8}, 0);
  EXPECT_EQ(target.Rgb(4, 4), kListRed);
  // The paint cache forgets the list's renderings when its images change.
  list.Replace(0, SolidCells(8, 8, 1, 1, {kListGreen}).get(), nullptr);
  list.Draw(target.Canvas(), TRect{0, 0, 8, 8}, 0);
  EXPECT_EQ(target.Rgb(4, 4), kListGreen);

  // Overlay 0 is image 1: a blue square in the middle of a transparent cell.
  auto overlay = SolidCells(8, 8, 1, 1, {0xFFFFFF});
  overlay->Canvas()->Brush()->SetColor(clBlue);
  overlay->Canvas()->FillRect(TRect{2, 2, 6, 6});
  list.AddMasked(overlay.get(), clWhite);
  ASSERT_TRUE(list.Overlay(1, 0));
  list.DrawOverlay(target.Canvas(), 0, 0, 0, 0);
  EXPECT_EQ(
      target.Mask([](uint32_t v) {
        return (v & 0xFFFFFF) == kListBlue ? 'B' : (v & 0xFFFFFF) == kListGreen ? 'G' : '?';
      }),
      Rows({"GGGGGGGG", "GGGGGGGG", "GGBBBBGG", "GGBBBBGG", "GGBBBBGG", "GGBBBBGG", "GGGGGGGG", "GGGGGGGG"}));
  // Without the overlay bits only the image is drawn.
  list.Draw(target.Canvas(), 0, 0, 0);
  EXPECT_EQ(target.Rgb(4, 4), kListGreen);
}

// --- Stored data -------------------------------------------------------------------------------

class ImageListStoreTest : public ImageListTest {
 protected:
  void SetUp() override {
    ImageListTest::SetUp();
    RegisterClass(TcxImageList::StaticClass());
  }
  void TearDown() override {
    UnRegisterClass(TcxImageList::StaticClass());
    ImageListTest::TearDown();
  }

  static std::string Text(const String& AForm) { return StringToUtf8(AForm); }
};

TEST_F(ImageListStoreTest, RoundTripKeepsImagesMasksAndPropertiesWithoutNativeCells) {
  TcxImageList list(8, 8);
  list.SetName(u"Images");
  list.Add(SolidCells(8, 8, 3, 1, {kListRed, kListGreen, kListBlue}).get(), nullptr);
  auto masked = SolidCells(8, 8, 1, 1, {kListYellow});
  masked->Canvas()->Brush()->SetColor(clWhite);
  masked->Canvas()->FillRect(TRect{0, 0, 4, 4});
  list.AddMasked(masked.get(), clWhite);
  list.SetSourceDPI(144);
  list.SetDesignInfo(0x00200010);

  const String form = WriteComponentToText(&list);
  const std::string text = Text(form);
  EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
  EXPECT_NE(text.find("ImageInfo = <"), std::string::npos) << text;
  EXPECT_NE(text.find("MaskColor = clWhite"), std::string::npos) << text;
  EXPECT_NE(text.find("DesignInfo = 2097168"), std::string::npos) << text;
  // Bitmaps need no class name, and no vector image asks for the native cells.
  EXPECT_EQ(text.find("ImageClass"), std::string::npos) << text;
  EXPECT_EQ(text.find("Bitmap ="), std::string::npos) << text;

  TcxImageList read(nullptr);
  ReadComponentFromText(form, &read);
  EXPECT_EQ(read.FormatVersion(), 1);
  EXPECT_EQ(read.Width(), 8);
  EXPECT_EQ(read.SourceDPI(), 144);
  EXPECT_EQ(read.DesignInfo(), 0x00200010u);
  ASSERT_EQ(read.Count(), 4);
  ASSERT_EQ(read.ImageInfos()->Count(), 4);
  // The native cells were rendered from the images, masks included.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(read.Pixels(i), list.Pixels(i)) << i;
  EXPECT_EQ(read.ImageInfos()->Items(3)->MaskColor(), clWhite);
  EXPECT_TRUE(TcxCustomImageList::IsEquals(&read, &list));
  // Written again, it is the same text.
  read.SetName(u"Images");
  EXPECT_EQ(WriteComponentToText(&read), form);
}

TEST_F(ImageListStoreTest, CompressedImagesRoundTrip) {
  TcxImageList list(8, 8);
  list.SetCompressData(true);
  list.Add(SolidCells(8, 8, 2, 1, {kListRed, kListCyan}).get(), nullptr);
  const String form = WriteComponentToText(&list);
  EXPECT_NE(Text(form).find("CompressData = True"), std::string::npos);
  TcxImageList read(nullptr);
  ReadComponentFromText(form, &read);
  EXPECT_TRUE(read.CompressData());
  EXPECT_EQ(NativeColors(read), (ListColors{kListRed, kListCyan}));
  EXPECT_EQ(InfoColors(read), (ListColors{kListRed, kListCyan}));
}

TEST_F(ImageListStoreTest, AStreamWithOnlyNativeCellsGivesOneImagePerCell) {
  // Written by the framework's own list: "Bitmap" and no "FormatVersion".
  TImageList native(8, 8);
  native.Add(SolidCells(8, 8, 3, 1, {kListBlue, kListRed, kListGreen}).get());
  native.SetName(u"Images");
  std::string text = Text(WriteComponentToText(&native));
  ASSERT_NE(text.find("Bitmap = {"), std::string::npos);
  text.replace(text.find("TImageList"), 10, "TcxImageList");

  TcxImageList read(nullptr);
  ReadComponentFromText(Utf8ToString(text), &read);
  EXPECT_EQ(read.FormatVersion(), 0);
  EXPECT_EQ(read.Count(), 3);
  EXPECT_EQ(read.ImageInfos()->Count(), 3);
  EXPECT_EQ(InfoColors(read), (ListColors{kListBlue, kListRed, kListGreen}));
}

// An image list form whose native cells are the given bytes.
std::string NativeCellsForm(const std::vector<uint8_t>& ABytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (uint8_t b : ABytes) hex += {digits[b >> 4], digits[b & 15]};
  return "object Images: TcxImageList\n  Height = 8\n  Width = 8\n  Bitmap = {" + hex + "}\nend\n";
}

// The native cells' stored form: "QDIL", version, width, height, count, then the pixels.
std::vector<uint8_t> NativeCellsBytes(const char* ASignature, uint16_t AVersion, int32_t AWidth,
                                      int32_t AHeight, int32_t ACount, size_t APixelBytes) {
  std::vector<uint8_t> b(ASignature, ASignature + 4);
  b.push_back(static_cast<uint8_t>(AVersion));
  b.push_back(static_cast<uint8_t>(AVersion >> 8));
  for (int32_t v : {AWidth, AHeight, ACount})
    for (int shift = 0; shift < 32; shift += 8)
      b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> shift));
  b.resize(b.size() + APixelBytes, 0x7F);
  return b;
}

TEST_F(ImageListStoreTest, DamagedStoredDataIsRefused) {
  TcxImageList list(8, 8);
  list.SetName(u"Images");
  list.Add(SolidCells(8, 8, 2, 1, {kListRed, kListGreen}).get(), nullptr);
  const std::string good = Text(WriteComponentToText(&list));
  // Sound cells read as they are.
  {
    TcxImageList read(nullptr);
    ReadComponentFromText(Utf8ToString(NativeCellsForm(NativeCellsBytes("QDIL", 1, 8, 8, 2, 2 * 256))),
                          &read);
    EXPECT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Pixels(1)[0], 0x7F7F7F7Fu);
  }

  struct Case {
    const char* name;
    std::string text;
    const char* message;
  };
  const char* cellsError = "Failed to read ImageList data from stream";
  std::vector<Case> cases = {
      {"bad signature", NativeCellsForm(NativeCellsBytes("QDIX", 1, 8, 8, 1, 256)), cellsError},
      {"unknown version", NativeCellsForm(NativeCellsBytes("QDIL", 2, 8, 8, 1, 256)), cellsError},
      {"truncated header", NativeCellsForm(std::vector<uint8_t>{'Q', 'D', 'I', 'L', 1, 0, 8}), cellsError},
      {"truncated cells", NativeCellsForm(NativeCellsBytes("QDIL", 1, 8, 8, 2, 256 + 255)), cellsError},
      {"huge count", NativeCellsForm(NativeCellsBytes("QDIL", 1, 8, 8, 0x7FFFFFFF, 256)), cellsError},
      {"huge cells", NativeCellsForm(NativeCellsBytes("QDIL", 1, 0x10000, 0x10000, 1, 256)), cellsError},
      {"negative width", NativeCellsForm(NativeCellsBytes("QDIL", 1, -8, 8, 1, 256)), cellsError},
      {"negative count", NativeCellsForm(NativeCellsBytes("QDIL", 1, 8, 8, -1, 256)), cellsError},
  };
  {
    std::string t = good;
    t.insert(t.find("Image.Data"), "ImageClass = 'TNoSuchGraphic'\n      ");
    cases.push_back({"unknown class", t, "The \"TNoSuchGraphic\" is invalid graphic class"});
  }
  {
    std::string t = good;
    t.insert(t.find("Image.Data"), "ImageClass = 'TcxImageList'\n      ");
    cases.push_back({"not a graphic", t, "The \"TcxImageList\" is invalid graphic class"});
  }
  {
    // A bitmap that announces 4 bytes and holds 1.
    std::string t = good;
    const size_t data = t.find("Image.Data = {") + 14;
    t.replace(data, t.find('}', data) - data, "0400000042");
    cases.push_back({"truncated bitmap", t, ""});
  }
  for (const Case& c : cases) {
    TcxImageList read(nullptr);
    try {
      ReadComponentFromText(Utf8ToString(c.text), &read);
      ADD_FAILURE() << c.name << ": read without error";
    } catch (const EReadError& e) {
      EXPECT_NE(StringToUtf8(e.Message()).find(c.message), std::string::npos)
          << c.name << ": " << StringToUtf8(e.Message());
    }
    // Nothing half-read: no cells from damaged cells, and images in step with the cells.
    EXPECT_EQ(read.Count(), read.ImageInfos()->Count()) << c.name;
    if (std::string(c.message) == cellsError) {
      EXPECT_EQ(read.Count(), 0) << c.name;
    }
  }
}

TEST_F(ImageListStoreTest, ImagesKeptForAnotherCellSizeGiveOneCellEach) {
  // Images of 16 x 8 read into a list of 8 x 8 cells: each still gives one cell, so that
  // the cells stay in step with the images.
  TcxImageList list(16, 8);
  list.SetName(u"Images");
  list.Add(SolidCells(16, 8, 1, 1, {kListRed}).get(), nullptr);
  list.Add(SolidCells(16, 8, 1, 1, {kListBlue}).get(), nullptr);
  std::string text = Text(WriteComponentToText(&list));
  // Width 16 is the default and not written.
  text.insert(text.find("  Height = 8"), "  Width = 8\n");

  TcxImageList read(nullptr);
  ReadComponentFromText(Utf8ToString(text), &read);
  EXPECT_EQ(read.Width(), 8);
  ASSERT_EQ(read.Count(), 2);
  ASSERT_EQ(read.ImageInfos()->Count(), 2);
  EXPECT_EQ(NativeColors(read), (ListColors{kListRed, kListBlue}));
}

TEST_F(ImageListTest, AssignCopiesImagesFromEitherKindOfList) {
  TImageList native(8, 8);
  native.Add(SolidCells(8, 8, 2, 1, {kListRed, kListBlue}).get());
  TcxImageList fromNative(nullptr);
  fromNative.Assign(&native);
  EXPECT_EQ(fromNative.Width(), 8);
  EXPECT_EQ(InfoColors(fromNative), (ListColors{kListRed, kListBlue}));
  EXPECT_EQ(NativeColors(fromNative), (ListColors{kListRed, kListBlue}));

  TcxImageList copy(nullptr);
  copy.Assign(&fromNative);
  EXPECT_EQ(InfoColors(copy), (ListColors{kListRed, kListBlue}));
  EXPECT_TRUE(TcxCustomImageList::IsEquals(&copy, &fromNative));
  EXPECT_EQ(copy.AddImage(&native, 1), 2);
  EXPECT_EQ(copy.AddImage(&native, 2), -1);
  EXPECT_EQ(NativeColors(copy), (ListColors{kListRed, kListBlue, kListBlue}));
  EXPECT_FALSE(TcxCustomImageList::IsEquals(&copy, &fromNative));
}

}  // namespace
}  // namespace qd::testing
