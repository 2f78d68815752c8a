// TMetafile: pictures loaded by signature, stored-form data, drawing, recording through a
// metafile canvas and refusal of damaged data.
#include <vector>

#include "forms_test_util.h"
#include "platform/classes/streams.h"
#include "tests/platform/os/metafile_test_util.h"

namespace qd::testing {
namespace {

using MetafileTest = FormsTest;

TBytesStream StreamOf(const std::vector<uint8_t>& bytes) {
  return TBytesStream(TBytes(bytes.begin(), bytes.end()));
}

TEST_F(MetafileTest, PictureLoadsDrawsAndStoresAMetafile) {
  std::vector<uint8_t> bytes = RecordSample(80, 72, false);
  TBytesStream in = StreamOf(bytes);
  TPicture picture;
  picture.LoadFromStream(&in);
  auto* mf = dynamic_cast<TMetafile*>(picture.Graphic());
  ASSERT_NE(mf, nullptr);
  EXPECT_EQ(picture.Width(), 80);
  EXPECT_EQ(picture.Height(), 72);
  EXPECT_TRUE(mf->Enhanced());
  EXPECT_EQ(mf->MMWidth(), 2117);

  TBitmap target(160, 144);
  target.SetPixelFormat(pf32bit);
  target.Canvas()->StretchDraw(TRect{0, 0, 160, 144}, mf);
  EXPECT_EQ(target.Canvas()->Pixels(20, 20), TColor(0xC04000));
  EXPECT_EQ(target.Canvas()->Pixels(114, 98), TColor(0x0000FF));

  // Stored forms: the class name, then a length and the file's bytes, read back unchanged.
  TMemoryStream stored;
  picture.WriteData(&stored);
  stored.SetPosition(0);
  TPicture back;
  back.ReadData(&stored);
  ASSERT_NE(dynamic_cast<TMetafile*>(back.Graphic()), nullptr);
  TMemoryStream saved;
  back.SaveToStream(&saved);
  ASSERT_EQ(static_cast<size_t>(saved.Size()), bytes.size());
  EXPECT_EQ(std::memcmp(saved.Memory(), bytes.data(), bytes.size()), 0);
  EXPECT_EQ(TPicture::FindGraphicClassByExtension(u".wmf"), TMetafile::StaticClass());
}

TEST_F(MetafileTest, CanvasRecordsIntoTheMetafile) {
  TMetafile mf;
  mf.SetWidth(40);
  mf.SetHeight(30);
  {
    TMetafileCanvas canvas(&mf, nullptr);
    EXPECT_EQ(GetObjectType(canvas.Handle()), OBJ_ENHMETADC);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(TRect{0, 0, 20, 30});
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(TRect{20, 0, 40, 30});
  }
  ASSERT_FALSE(mf.Empty());
  EXPECT_EQ(mf.Width(), 40);
  EXPECT_EQ(mf.Height(), 30);
  ASSERT_NE(mf.Handle(), nullptr);
  TBitmap target(80, 30);
  target.SetPixelFormat(pf32bit);
  target.Canvas()->StretchDraw(TRect{0, 0, 80, 30}, &mf);
  EXPECT_EQ(target.Canvas()->Pixels(39, 15), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(40, 15), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(79, 29), clBlue);
  // An old-style copy of an enhanced picture cannot be written.
  mf.SetEnhanced(false);
  TMemoryStream s;
  EXPECT_THROW(mf.SaveToStream(&s), EInvalidGraphicOperation);
}

TEST_F(MetafileTest, DamagedDataIsRefused) {
  std::vector<uint8_t> bytes = RecordSample(80, 72, false);
  bytes.resize(bytes.size() - 8);
  TBytesStream in = StreamOf(bytes);
  TMetafile mf;
  EXPECT_THROW(mf.LoadFromStream(&in), EInvalidGraphic);
  EXPECT_TRUE(mf.Empty());
}

}  // namespace
}  // namespace qd::testing
