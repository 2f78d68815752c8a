// Icons and cursors: a directory of entries, each a PNG or a bitmap with an AND mask.
// One entry is decoded: the one closest to the requested size, else the largest, and
// among equal sizes the requested bit count, else the deepest.
#include "platform/gdiplus/codec_internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qd::codecs::detail {

namespace {

struct IconEntry {
  ByteSpan Data;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t BitCount = 0;
  bool Png = false;
};

bool IsPngData(ByteSpan d) {
  static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return d.size() >= 8 && std::memcmp(d.data(), sig, 8) == 0;
}

// The entries whose data lies inside the file, with the size their own header gives.
std::vector<IconEntry> ReadDirectory(ByteSpan d) {
  std::vector<IconEntry> entries;
  if (d.size() < 6) return entries;
  const size_t count = Le16(d.data() + 4);
  for (size_t i = 0; i < count && 6 + 16 * (i + 1) <= d.size(); ++i) {
    const uint8_t* e = d.data() + 6 + 16 * i;
    const uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
    if (offset >= d.size() || bytes == 0) continue;
    IconEntry entry;
    entry.Data = d.subspan(offset, std::min<size_t>(bytes, d.size() - offset));
    entry.Width = e[0] ? e[0] : 256;
    entry.Height = e[1] ? e[1] : 256;
    entry.BitCount = Le16(e + 6);
    if (IsPngData(entry.Data)) {
      entry.Png = true;
      if (entry.Data.size() >= 24) {
        entry.Width = int32_t(std::min<uint32_t>(Be32(entry.Data.data() + 16), INT32_MAX));
        entry.Height = int32_t(std::min<uint32_t>(Be32(entry.Data.data() + 20), INT32_MAX));
      }
      entry.BitCount = 32;
    } else if (entry.Data.size() >= 16 && Le32(entry.Data.data()) >= 40) {
      const int32_t w = int32_t(Le32(entry.Data.data() + 4)), h = int32_t(Le32(entry.Data.data() + 8));
      if (w > 0 && h > 1) {
        entry.Width = w;
        entry.Height = h / 2;
      }
      entry.BitCount = Le16(entry.Data.data() + 14);
    }
    entries.push_back(entry);
  }
  return entries;
}

const IconEntry* Choose(const std::vector<IconEntry>& entries, const DecodeOptions& options) {
  const IconEntry* best = nullptr;
  const bool sized = options.IconWidth > 0 && options.IconHeight > 0;
  auto distance = [&](const IconEntry& e) {
    return std::llabs(int64_t(e.Width) - options.IconWidth) +
           std::llabs(int64_t(e.Height) - options.IconHeight);
  };
  auto depthScore = [&](const IconEntry& e) {
    return (options.IconBitCount > 0 && e.BitCount == options.IconBitCount) ? 1000 : e.BitCount;
  };
  for (const IconEntry& e : entries) {
    if (!best) {
      best = &e;
      continue;
    }
    const int64_t area = int64_t(e.Width) * e.Height, bestArea = int64_t(best->Width) * best->Height;
    if (sized) {
      const int64_t d = distance(e), bd = distance(*best);
      if (d != bd) {
        if (d < bd) best = &e;
        continue;
      }
    }
    if (area != bestArea) {
      if (area > bestArea) best = &e;
      continue;
    }
    if (depthScore(e) > depthScore(*best)) best = &e;
  }
  return best;
}

}  // namespace

Status DecodeIco(ByteSpan data, Image& out, const DecodeOptions& options) {
  const std::vector<IconEntry> entries = ReadDirectory(data);
  const IconEntry* entry = Choose(entries, options);
  if (!entry) return Status::InvalidParameter;
  Frame frame;
  if (entry->Png) {
    Image png;
    const Status status = DecodePng(entry->Data, png);
    if (status != Status::Ok) return status;
    frame = std::move(png.Frames[0]);
  } else {
    DibResult info;
    const Status status = DecodeDib(entry->Data, 0, true, frame, info);
    if (status != Status::Ok) return status;
  }
  out.SourceKind = PixelKind::Argb32;
  out.Frames.push_back(std::move(frame));
  return Status::Ok;
}

Status ProbeIco(ByteSpan data, ImageInfo& info) {
  const std::vector<IconEntry> entries = ReadDirectory(data);
  const IconEntry* entry = Choose(entries, DecodeOptions{});
  if (!entry) return Status::InvalidParameter;
  info.Width = entry->Width;
  info.Height = entry->Height;
  info.SourceKind = PixelKind::Argb32;
  return Status::Ok;
}

}  // namespace qd::codecs::detail
