#pragma once
// Fixture and helpers of the skin stream tests (the details record here, the whole format in
// tests/skins): the look-and-feel fixture with the smart-image codecs started, small PNG files
// and a byte writer for hand-made streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "tests/graphics/smart_image_test_util.h"
#include "tests/lookandfeel/lookandfeel_test_util.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd::testing {

class SkinStreamTest : public LookAndFeelTest {
 protected:
  void SetUp() override {
    LookAndFeelTest::SetUp();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
  }
  void TearDown() override {
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    LookAndFeelTest::TearDown();
  }
};

// A PNG of W x H pixels of one colour (0xAARRGGBB).
inline ImageBytes SkinTestPng(int AWidth, int AHeight, uint32_t AColor = 0xFF3366CC) {
  return EncodedImage(codecs::ImageFormat::PNG, AWidth, AHeight, AColor);
}

// Appends little-endian fields to a memory stream.
class SkinBytes {
 public:
  SkinBytes& Int(int32_t v) {
    s.WriteBufferData(v);
    return *this;
  }
  SkinBytes& Byte(uint8_t v) {
    s.WriteBufferData(v);
    return *this;
  }
  SkinBytes& Word(uint16_t v) {
    s.WriteBufferData(v);
    return *this;
  }
  SkinBytes& Double(double v) {
    s.WriteBufferData(v);
    return *this;
  }
  SkinBytes& Header(double AVersion) {
    dxSkinWriteSignature(&s, AVersion);
    return *this;
  }
  // An AStr of ASCII text.
  SkinBytes& Str(const std::string& v) {
    Int(int32_t(v.size()));
    if (!v.empty()) s.WriteBuffer(v.data(), int64_t(v.size()));
    return *this;
  }
  SkinBytes& WStr(const String& v) {
    Int(int32_t(v.size()));
    if (!v.empty()) s.WriteBuffer(v.data(), int64_t(v.size() * 2));
    return *this;
  }
  // An image block holding the bytes.
  SkinBytes& Image(const ImageBytes& b) {
    Int(int32_t(b.size()));
    WriteBytes(s, b);
    return *this;
  }
  SkinBytes& Raw(const ImageBytes& b) {
    WriteBytes(s, b);
    return *this;
  }
  // The stream rewound, ready to read.
  TMemoryStream& Rewound() {
    s.SetPosition(0);
    return s;
  }

  TMemoryStream s;
};

// Counts OnChange calls of whatever it is attached to.
struct SkinChangeCounter {
  void Changed(TObject*) { ++count; }
  int count = 0;
};

}  // namespace qd::testing
