#pragma once
// Fixture of the skin tests: the skin stream fixture with the skin unit started, and a
// counter of a skin object's change events.
#include <gtest/gtest.h>

#include <vector>

#include "tests/lookandfeel/skin_stream_test_util.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd::testing {

class SkinsTest : public SkinStreamTest {
 protected:
  void SetUp() override {
    SkinStreamTest::SetUp();
    dxSkinsCore::Initialize();
  }
  void TearDown() override {
    dxSkinsCore::Finalize();
    SkinStreamTest::TearDown();
  }
};

// Records the change sets an object or list announces.
struct SkinChangeLog {
  void Changed(TObject*, TdxSkinChanges AChanges) { sets.push_back(AChanges); }
  TdxSkinChangeNotify Handler() { return MakeMethod(this, &SkinChangeLog::Changed); }
  std::vector<TdxSkinChanges> sets;
};

// Loads the image's texture from file bytes.
inline void SkinLoadTexture(TdxSkinImage* AImage, const ImageBytes& ABytes) {
  TMemoryStream s;
  WriteBytes(s, ABytes);
  s.SetPosition(0);
  AImage->LoadFromStream(&s);
}

inline ImageBytes SkinStreamBytes(TdxSkin& ASkin) {
  TMemoryStream s;
  ASkin.SaveToStream(&s);
  return StreamBytes(s);
}

}  // namespace qd::testing
