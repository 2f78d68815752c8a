// Colour reduction for the GIF encoder: the exact colours when there are few enough,
// else median cut over a 5-5-5 histogram with each box's mean colour as its entry.
#include "platform/gdiplus/codec_internal.h"

#include <algorithm>
#include <unordered_map>

namespace qd::codecs::detail {

namespace {

constexpr uint32_t kBins = 1u << 15;

uint32_t BinOf(uint32_t px) {
  return ((px >> 9) & 0x7C00) | ((px >> 6) & 0x03E0) | ((px >> 3) & 0x001F);
}
int BinAxis(uint32_t bin, int axis) {
  return int(bin >> (10 - 5 * axis)) & 31;
}

struct BinStats {
  uint64_t Count = 0;
  uint64_t Sum[3] = {};
};

struct Box {
  size_t Begin = 0, End = 0;  // range of the bin list
  uint64_t Count = 0;
  int Min[3] = {31, 31, 31};
  int Max[3] = {0, 0, 0};

  int LongestAxis() const {
    int axis = 0;
    for (int a = 1; a < 3; ++a)
      if (Max[a] - Min[a] > Max[axis] - Min[axis]) axis = a;
    return axis;
  }
  int Range() const {
    const int axis = LongestAxis();
    return Max[axis] - Min[axis];
  }
};

Box MakeBox(const std::vector<uint32_t>& bins, const std::vector<BinStats>& stats, size_t begin, size_t end) {
  Box box;
  box.Begin = begin;
  box.End = end;
  for (size_t i = begin; i < end; ++i) {
    box.Count += stats[bins[i]].Count;
    for (int a = 0; a < 3; ++a) {
      box.Min[a] = std::min(box.Min[a], BinAxis(bins[i], a));
      box.Max[a] = std::max(box.Max[a], BinAxis(bins[i], a));
    }
  }
  return box;
}

// Splits the box at the pixel median of its longest axis; false when it cannot be split.
bool Split(std::vector<uint32_t>& bins, const std::vector<BinStats>& stats, const Box& box, Box& lower,
           Box& upper) {
  if (box.End - box.Begin < 2) return false;
  const int axis = box.LongestAxis();
  std::sort(bins.begin() + std::ptrdiff_t(box.Begin), bins.begin() + std::ptrdiff_t(box.End),
            [axis](uint32_t a, uint32_t b) { return BinAxis(a, axis) < BinAxis(b, axis); });
  uint64_t seen = 0;
  size_t cut = box.Begin + 1;
  for (size_t i = box.Begin; i + 1 < box.End; ++i) {
    seen += stats[bins[i]].Count;
    cut = i + 1;
    if (seen * 2 >= box.Count) break;
  }
  lower = MakeBox(bins, stats, box.Begin, cut);
  upper = MakeBox(bins, stats, cut, box.End);
  return true;
}

}  // namespace

Status Quantize(const Frame& frame, int maxColors, QuantizedFrame& out) {
  maxColors = std::clamp(maxColors, 2, 256);
  out = QuantizedFrame{};
  out.Indices.resize(frame.Pixels.size());
  const bool transparent =
      std::any_of(frame.Pixels.begin(), frame.Pixels.end(), [](uint32_t p) { return (p >> 24) < 128; });
  const size_t colours = size_t(maxColors) - (transparent ? 1 : 0);

  // Few colours: keep them exactly.
  std::unordered_map<uint32_t, uint8_t> exact;
  bool fits = true;
  for (uint32_t p : frame.Pixels) {
    if ((p >> 24) < 128) continue;
    const uint32_t rgb = p & 0xFFFFFF;
    if (exact.count(rgb)) continue;
    if (exact.size() == colours) {
      fits = false;
      break;
    }
    exact.emplace(rgb, uint8_t(exact.size()));
  }
  // The transparent entry follows the colours.
  if (fits) {
    out.Palette.resize(exact.size());
    for (const auto& [rgb, index] : exact) out.Palette[index] = 0xFF000000u | rgb;
    const uint8_t clear = uint8_t(out.Palette.size());
    for (size_t i = 0; i < frame.Pixels.size(); ++i) {
      const uint32_t p = frame.Pixels[i];
      out.Indices[i] = (p >> 24) < 128 ? clear : exact.at(p & 0xFFFFFF);
    }
  } else {
    std::vector<BinStats> stats(kBins);
    for (uint32_t p : frame.Pixels) {
      if ((p >> 24) < 128) continue;
      BinStats& s = stats[BinOf(p)];
      ++s.Count;
      s.Sum[0] += (p >> 16) & 0xFF;
      s.Sum[1] += (p >> 8) & 0xFF;
      s.Sum[2] += p & 0xFF;
    }
    std::vector<uint32_t> bins;
    for (uint32_t b = 0; b < kBins; ++b)
      if (stats[b].Count) bins.push_back(b);
    std::vector<Box> boxes = {MakeBox(bins, stats, 0, bins.size())};
    while (boxes.size() < colours) {
      // The most populous box among the widest ones goes first.
      size_t pick = boxes.size();
      uint64_t best = 0;
      for (size_t i = 0; i < boxes.size(); ++i) {
        const uint64_t score = boxes[i].Count * uint64_t(boxes[i].Range());
        if (boxes[i].End - boxes[i].Begin >= 2 && score >= best) {
          best = score;
          pick = i;
        }
      }
      Box lower, upper;
      if (pick == boxes.size() || !Split(bins, stats, boxes[pick], lower, upper)) break;
      boxes[pick] = lower;
      boxes.push_back(upper);
    }
    std::vector<uint16_t> entryOfBin(kBins, 0);
    for (const Box& box : boxes) {
      uint64_t sum[3] = {};
      for (size_t i = box.Begin; i < box.End; ++i) {
        for (int a = 0; a < 3; ++a) sum[a] += stats[bins[i]].Sum[a];
        entryOfBin[bins[i]] = uint16_t(out.Palette.size());
      }
      const uint64_t n = std::max<uint64_t>(box.Count, 1);
      out.Palette.push_back(Argb(255, uint32_t((sum[0] + n / 2) / n), uint32_t((sum[1] + n / 2) / n),
                                 uint32_t((sum[2] + n / 2) / n)));
    }
    const uint8_t clear = uint8_t(out.Palette.size());
    for (size_t i = 0; i < frame.Pixels.size(); ++i) {
      const uint32_t p = frame.Pixels[i];
      out.Indices[i] = (p >> 24) < 128 ? clear : uint8_t(entryOfBin[BinOf(p)]);
    }
  }
  if (transparent) {
    out.TransparentIndex = int(out.Palette.size());
    out.Palette.push_back(0);
  }
  return Status::Ok;
}

}  // namespace qd::codecs::detail
