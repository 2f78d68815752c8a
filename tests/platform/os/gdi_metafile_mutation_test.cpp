// Deterministic random mutations of recorded and hand-shaped metafiles: every file is either
// refused by the check or played without fault (the sanitizers catch the rest), and whatever
// a sound file plays into a metafile DC records a sound file again.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/os/gdi_metafile.h"
#include "tests/platform/base/mutate_test_util.h"
#include "tests/platform/os/gdi_test_util.h"
#include "tests/platform/os/metafile_test_util.h"

namespace qd::testing {
namespace {

TEST(MetafileMutation, MutatedFilesAreRefusedOrPlayed) {
  const std::vector<std::vector<uint8_t>> seeds = {RecordSample(80, 72, true), RealWorldShapedEmf(),
                                                   SampleWmf()};
  for (const auto& seed : seeds) {
    metafile::Info info;
    ASSERT_EQ(metafile::Examine(seed, info), metafile::Check::Ok);
  }
  std::mt19937 rng(20261211);
  TestDib target(40, 30);
  int played = 0;
  for (int i = 0; i < 3000; ++i) {
    std::vector<uint8_t> data = seeds[size_t(i) % seeds.size()];
    Mutate(data, rng);
    metafile::Info info;
    const metafile::Check check = metafile::Examine(data, info);
    if (check != metafile::Check::Ok) {
      ASSERT_FALSE(metafile::Play(target.dc, data, RECT{0, 0, 40, 30})) << i;
      continue;
    }
    ASSERT_TRUE(metafile::Play(target.dc, data, RECT{0, 0, 40, 30})) << i;
    ++played;
    if (i % 10 == 0) {
      HDC rec = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
      metafile::Play(rec, data, RECT{0, 0, 40, 30});
      HENHMETAFILE again = CloseEnhMetaFile(rec);
      std::vector<uint8_t> bytes(GetEnhMetaFileBits(again, 0, nullptr));
      GetEnhMetaFileBits(again, static_cast<UINT>(bytes.size()), bytes.data());
      DeleteEnhMetaFile(again);
      metafile::Info re;
      ENHMETAHEADER h;
      ASSERT_GE(bytes.size(), sizeof h);
      std::memcpy(&h, bytes.data(), sizeof h);
      // A recording that drew nothing has no frame, and a drawing millions of pixels wide is
      // too large to read back; anything else must read back.
      const int64_t w = int64_t(h.rclBounds.right) - h.rclBounds.left,
                    ht = int64_t(h.rclBounds.bottom) - h.rclBounds.top;
      if (w >= 0 && ht >= 0 && w < 1000000 && ht < 1000000) {
        ASSERT_EQ(metafile::Examine(bytes, re), metafile::Check::Ok) << i;
      }
    }
  }
  EXPECT_GT(played, 100);
}

}  // namespace
}  // namespace qd::testing
