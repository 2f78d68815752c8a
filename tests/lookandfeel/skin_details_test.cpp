#include <cmath>
#include <limits>

#include "tests/lookandfeel/skin_stream_test_util.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd {
namespace {

using testing::ImageBytes;
using testing::SkinBytes;
using testing::SkinChangeCounter;
using testing::SkinTestPng;

class SkinDetailsTest : public testing::SkinStreamTest {
 protected:
  void Watch(TdxSkinDetails& ADetails) {
    ADetails.OnChange = MakeMethod(&changes, &SkinChangeCounter::Changed);
  }

  // A details section of the 1.04 layout after a header of AVersion.
  static void WriteFullDetails(SkinBytes& b, double AVersion, const ImageBytes& AIcon16,
                               const ImageBytes& AIcon48) {
    b.Header(AVersion)
        .Str("Lilac")
        .Str("Lilac Skin")
        .Str("Pastel")
        .WStr(u"Notes \u00e9\u4e2d")
        .Image(AIcon16)
        .Image(AIcon48);
  }

  SkinChangeCounter changes;
};

TEST_F(SkinDetailsTest, SignatureAcceptsVersionsFromOneAndNotANumber) {
  struct Case {
    double version;
    bool accepted;
  } cases[] = {{0.99, false}, {1.0, true}, {1.25, true}, {-5, false}, {std::nan(""), true}, {1e300, true}};
  for (const Case& c : cases) {
    SkinBytes b;
    b.Header(c.version);
    double version = -1;
    EXPECT_EQ(dxSkinCheckSignature(&b.Rewound(), version), c.accepted) << c.version;
    if (!c.accepted) {
      EXPECT_EQ(version, -1) << "the version is returned only on success";
    } else if (std::isnan(c.version)) {
      EXPECT_TRUE(std::isnan(version));
    } else {
      EXPECT_EQ(version, c.version);
    }
  }

  SkinBytes wrong;
  wrong.Int(0).Raw({'d', 'x', 'S', 'k', 'i', 'N'}).Double(1.25);
  double version = 0;
  EXPECT_FALSE(dxSkinCheckSignature(&wrong.Rewound(), version));

  SkinBytes shortHeader;
  shortHeader.Int(0).Raw({'d', 'x', 'S', 'k', 'i', 'n', 0, 0});
  EXPECT_FALSE(dxSkinCheckSignature(&shortHeader.Rewound(), version));
  EXPECT_EQ(shortHeader.s.Position(), 12) << "the position stays after what was read";
}

TEST_F(SkinDetailsTest, TextPrimitivesRoundTripAndRejectDamagedCounts) {
  TMemoryStream s;
  dxSkinWriteStringToStream(&s, u"caf\u00e9");
  dxSkinWriteWideStringToStream(&s, u"\u00e9t\u00e9");
  dxSkinWriteStringToStream(&s, String());
  EXPECT_EQ(s.Size(), 4 + 5 + 4 + 6 + 4) << "UTF-8 byte count, UTF-16 character count";
  s.SetPosition(0);
  EXPECT_EQ(dxSkinReadStringFromStream(&s), u"caf\u00e9");
  EXPECT_EQ(dxSkinReadWideStringFromStream(&s), u"\u00e9t\u00e9");
  EXPECT_EQ(dxSkinReadStringFromStream(&s), String());
  EXPECT_EQ(s.Position(), s.Size());

  // A negative count is the empty text and consumes the count only.
  SkinBytes negative;
  negative.Int(-7).Int(-1).Str("next");
  TMemoryStream& n = negative.Rewound();
  EXPECT_EQ(dxSkinReadStringFromStream(&n), String());
  EXPECT_EQ(n.Position(), 4);
  EXPECT_EQ(dxSkinReadWideStringFromStream(&n), String());
  EXPECT_EQ(dxSkinReadStringFromStream(&n), u"next");

  // Counts beyond the stream (a huge one would otherwise be allocated first) and counts whose
  // doubled size overflows 32 bits raise the read error.
  const int32_t bad[] = {5, std::numeric_limits<int32_t>::max(), 0x40000001};
  for (int32_t count : bad) {
    SkinBytes b;
    b.Int(count).Raw({'a', 'b', 'c'});
    EXPECT_THROW(dxSkinReadStringFromStream(&b.Rewound()), EReadError) << count;
    EXPECT_THROW(dxSkinReadWideStringFromStream(&b.Rewound()), EReadError) << count;
  }
  SkinBytes cut;
  cut.Raw({1, 0});
  EXPECT_THROW(dxSkinReadStringFromStream(&cut.Rewound()), EReadError) << "a count cut short";
}

TEST_F(SkinDetailsTest, ImageBlockResumesBehindItsBytesWhateverTheLoaderReads) {
  // A PNG followed, inside its block, by bytes the decoder has no use for; then a text.
  ImageBytes png = SkinTestPng(3, 2);
  ImageBytes padded = png;
  padded.insert(padded.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  SkinBytes b;
  b.Image(padded).Str("after").Image({}).Str("end");
  TMemoryStream& s = b.Rewound();

  TdxSmartImage image;
  dxSkinReadSmartImageFromStream(&s, &image);
  EXPECT_EQ(s.Position(), 4 + int64_t(padded.size()));
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(dxSkinReadStringFromStream(&s), u"after");

  // Size 0: four bytes, the image keeps its picture.
  dxSkinReadSmartImageFromStream(&s, &image);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(dxSkinReadStringFromStream(&s), u"end");

  // A size beyond the stream raises the read error before anything is read.
  SkinBytes huge;
  huge.Int(std::numeric_limits<int32_t>::max()).Raw(png);
  TdxSmartImage other;
  EXPECT_THROW(dxSkinReadSmartImageFromStream(&huge.Rewound(), &other), EReadError);
  EXPECT_TRUE(other.Empty());
}

TEST_F(SkinDetailsTest, ImageBlockWriterKeepsPngBytesAndWritesEmptyAsZero) {
  const ImageBytes png = SkinTestPng(4, 4);
  TdxSmartImage image;
  TMemoryStream source;
  testing::WriteBytes(source, png);
  source.SetPosition(0);
  image.LoadFromStream(&source);

  TMemoryStream s;
  TdxSmartImage empty;
  dxSkinWriteSmartImageToStream(&s, &empty);
  dxSkinWriteSmartImageToStream(&s, &image);
  s.SetPosition(0);
  EXPECT_EQ(s.ReadValue<int32_t>(), 0);
  EXPECT_EQ(s.ReadValue<int32_t>(), int32_t(png.size()));
  EXPECT_EQ(s.ReadBytes(int64_t(png.size())), png) << "undecoded PNG bytes are written as they are";
}

TEST_F(SkinDetailsTest, DecodedBitmapIsWrittenAsPng) {
  ImageBytes bmp;
  {
    TdxSmartImage source;
    TRGBColors bits(4, RGBQUAD{0x10, 0x20, 0x30, 0xFF});
    source.LoadFromBits(2, 2, bits, false);
    TMemoryStream out;
    source.SaveToStreamByCodec(&out, dxImageBitmap);
    bmp = testing::StreamBytes(out);
  }
  TdxSmartImage image;
  TMemoryStream in;
  testing::WriteBytes(in, bmp);
  in.SetPosition(0);
  image.LoadFromStream(&in);
  ASSERT_EQ(image.Width(), 2);  // decodes it

  TMemoryStream s;
  dxSkinWriteSmartImageToStream(&s, &image);
  s.SetPosition(0);
  const int32_t size = s.ReadValue<int32_t>();
  ASSERT_GT(size, 8);
  const TBytes data = s.ReadBytes(size);
  EXPECT_EQ(codecs::DetectFormat(codecs::ByteSpan(data.data(), data.size())), codecs::ImageFormat::PNG);
}

TEST_F(SkinDetailsTest, PartStreamIsAWindowThatReadsNoFurtherThanItsEnd) {
  SkinBytes b;
  b.Raw({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  TMemoryStream& s = b.Rewound();
  TdxSkinPartStream part(&s, 4, 3);
  EXPECT_EQ(part.Size(), 4);
  EXPECT_EQ(part.Seek(0, soBeginning), 0);
  uint8_t buf[8] = {};
  EXPECT_EQ(part.Read(buf, 8), 4);
  EXPECT_EQ(buf[0], 3);
  EXPECT_EQ(buf[3], 6);
  EXPECT_EQ(part.Read(buf, 1), 0);
  EXPECT_EQ(part.Seek(-1, soEnd), 3);
  EXPECT_EQ(part.Seek(100, soBeginning), 4) << "clamped to the end";
  EXPECT_EQ(part.Seek(-100, soCurrent), 0) << "clamped to the start";
  EXPECT_EQ(s.Position(), 3);
}

TEST_F(SkinDetailsTest, RoundTripKeepsTextsAndIcons) {
  TdxSkinDetails source;
  source.SetName(u"Lilac");
  source.SetDisplayName(u"Lilac \u00e9");
  source.SetGroupName(u"Pastel");
  source.SetNotes(u"Line 1\r\n\u4e2d\u6587");
  TMemoryStream png16, png48;
  testing::WriteBytes(png16, SkinTestPng(16, 16, 0xFF112233));
  testing::WriteBytes(png48, SkinTestPng(48, 48, 0x80445566));
  png16.SetPosition(0);
  png48.SetPosition(0);
  source.Icons(sis16)->LoadFromStream(&png16);
  source.Icons(sis48)->LoadFromStream(&png48);

  TMemoryStream s;
  s.WriteBufferData(uint32_t{0xCAFEBABE});  // data that is not ours before the skin
  dxSkinWriteSignature(&s);
  source.DataWrite(&s);
  s.SetPosition(4);

  TdxSkinDetails read;
  Watch(read);
  ASSERT_TRUE(read.LoadFromStream(&s));
  EXPECT_EQ(read.DataOffset(), 4);
  EXPECT_EQ(s.Position(), s.Size());
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(read.Name(), source.Name());
  EXPECT_EQ(read.DisplayName(), source.DisplayName());
  EXPECT_EQ(read.GroupName(), source.GroupName());
  EXPECT_EQ(read.Notes(), source.Notes());
  for (TdxSkinIconSize size : {sis16, sis48}) {
    EXPECT_TRUE(read.Icons(size)->Compare(source.Icons(size))) << int(size);
  }
}

TEST_F(SkinDetailsTest, EmptyIconBlockGetsTheDefaultIcon) {
  SkinBytes b;
  WriteFullDetails(b, 1.04, {}, SkinTestPng(10, 12));
  TdxSkinDetails details;
  ASSERT_TRUE(details.LoadFromStream(&b.Rewound()));
  EXPECT_EQ(details.Name(), u"Lilac");
  EXPECT_EQ(details.Notes(), u"Notes \u00e9\u4e2d");
  EXPECT_EQ(details.Icons(sis16)->Width(), 16);
  EXPECT_EQ(details.Icons(sis16)->Height(), 16);
  EXPECT_EQ(details.Icons(sis48)->Width(), 10) << "a non-empty icon stays";
  EXPECT_EQ(details.Icons(sis48)->Height(), 12);

  details.ResetIcon(sis48);
  EXPECT_EQ(details.Icons(sis48)->Width(), 48);
  EXPECT_EQ(details.Icons(sis48)->Height(), 48);
}

// The older layout goes through the skin loader that the skin unit installs.
struct OldFormatLoaderSpy {
  static void Load(TdxSkinDetails* ADetails, TStream* AStream) {
    ++calls;
    position = AStream->Position();
    TdxSkinDetails loaded;
    loaded.SetName(u"from skin");
    ADetails->Assign(&loaded);
  }
  static inline int calls = 0;
  static inline int64_t position = -1;
};

TEST_F(SkinDetailsTest, OldVersionIsReadThroughTheSkinLoaderAndNotANumberIsNew) {
  OldFormatLoaderSpy::calls = 0;
  dxSkinDetailsOldFormatLoader = &OldFormatLoaderSpy::Load;
  struct Reset {
    ~Reset() { dxSkinDetailsOldFormatLoader = nullptr; }
  } reset;

  SkinBytes old;
  old.Raw({9, 9}).Header(1.03).Str("Old");
  TMemoryStream& s = old.Rewound();
  s.SetPosition(2);
  TdxSkinDetails details;
  ASSERT_TRUE(details.LoadFromStream(&s));
  EXPECT_EQ(OldFormatLoaderSpy::calls, 1);
  EXPECT_EQ(OldFormatLoaderSpy::position, 2) << "the loader starts at the header";
  EXPECT_EQ(details.Name(), u"from skin");

  // A version that is not a number is read here in the 1.04 layout.
  SkinBytes nan;
  WriteFullDetails(nan, std::nan(""), SkinTestPng(16, 16), SkinTestPng(48, 48));
  TdxSkinDetails fromNan;
  ASSERT_TRUE(fromNan.LoadFromStream(&nan.Rewound()));
  EXPECT_EQ(OldFormatLoaderSpy::calls, 1);
  EXPECT_EQ(fromNan.GroupName(), u"Pastel");

  dxSkinDetailsOldFormatLoader = nullptr;
  TdxSkinDetails withoutLoader;
  s.SetPosition(2);
  EXPECT_THROW(withoutLoader.LoadFromStream(&s), EdxSkinError);
}

TEST_F(SkinDetailsTest, DataReadOfAnOldVersionTakesTheNameOnly) {
  SkinBytes b;
  b.Str("Only").Str("not read");
  TdxSkinDetails details;
  details.SetDisplayName(u"stale");
  details.DataRead(&b.Rewound(), 1.03);
  EXPECT_EQ(details.Name(), u"Only");
  EXPECT_EQ(details.DisplayName(), String());
  EXPECT_EQ(b.s.Position(), 8);
  EXPECT_EQ(details.Icons(sis16)->Width(), 16);
  EXPECT_EQ(details.Icons(sis48)->Width(), 48);
}

TEST_F(SkinDetailsTest, BadHeaderLeavesTheRecordUnchanged) {
  SkinBytes b;
  b.Header(0.5).Str("Never");
  TdxSkinDetails details;
  details.SetName(u"Kept");
  Watch(details);
  EXPECT_FALSE(details.LoadFromStream(&b.Rewound()));
  EXPECT_EQ(details.Name(), u"Kept");
  EXPECT_EQ(changes.count, 0);
}

TEST_F(SkinDetailsTest, TruncatedDetailsRaiseTheReadErrorAndNotifyOnce) {
  SkinBytes full;
  WriteFullDetails(full, 1.25, SkinTestPng(16, 16), SkinTestPng(48, 48));
  const ImageBytes bytes = testing::StreamBytes(full.s);
  // Cut inside the name, the group name, the notes and the large icon.
  for (size_t cut : {size_t(20), size_t(40), size_t(60), bytes.size() - 3}) {
    SkinBytes b;
    b.Raw(ImageBytes(bytes.begin(), bytes.begin() + cut));
    TdxSkinDetails details;
    details.SetName(u"Before");
    changes.count = 0;
    Watch(details);
    EXPECT_THROW(details.LoadFromStream(&b.Rewound()), EReadError) << cut;
    EXPECT_EQ(changes.count, 1) << cut;
    EXPECT_NE(details.Name(), u"Before") << "cleared or partly filled";
  }
}

TEST_F(SkinDetailsTest, ChangesAreAnnouncedOncePerUpdate) {
  TdxSkinDetails details;
  Watch(details);
  details.SetName(u"A");
  details.SetName(u"A");
  details.SetName(u"a");
  EXPECT_EQ(changes.count, 2) << "the same text announces nothing; case counts";

  changes.count = 0;
  details.BeginUpdate();
  details.SetName(u"B");
  details.SetNotes(u"N");
  details.SetGroupName(u"G");
  EXPECT_EQ(changes.count, 0);
  details.EndUpdate();
  EXPECT_EQ(changes.count, 1);

  details.BeginUpdate();
  details.EndUpdate();
  EXPECT_EQ(changes.count, 2) << "EndUpdate notifies even when nothing changed";

  TMemoryStream png;
  testing::WriteBytes(png, SkinTestPng(16, 16));
  png.SetPosition(0);
  details.Icons(sis16)->LoadFromStream(&png);
  EXPECT_EQ(changes.count, 3) << "icon changes reach the record";

  details.Clear();
  EXPECT_EQ(changes.count, 4);
  EXPECT_EQ(details.Name(), String());
  EXPECT_TRUE(details.Icons(sis16)->Empty());
}

TEST_F(SkinDetailsTest, AssignCopiesFromDetailsOnly) {
  TdxSkinDetails source;
  source.SetName(u"N");
  source.SetDisplayName(u"D");
  source.SetGroupName(u"G");
  source.SetNotes(u"Notes");
  source.ResetIcon(sis48);

  TdxSkinDetails target;
  Watch(target);
  target.Assign(&source);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(target.Name(), u"N");
  EXPECT_EQ(target.DisplayName(), u"D");
  EXPECT_EQ(target.GroupName(), u"G");
  EXPECT_EQ(target.Notes(), u"Notes");
  EXPECT_TRUE(target.Icons(sis16)->Empty());
  EXPECT_EQ(target.Icons(sis48)->Width(), 48);

  TPersistent other;
  target.Assign(&other);
  EXPECT_EQ(target.Name(), u"N");
  EXPECT_EQ(changes.count, 1);
}

}  // namespace
}  // namespace qd
