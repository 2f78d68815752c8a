// GIF through giflib: every frame is composed onto the logical screen with its disposal
// method and transparency, so each decoded frame is a full picture.
#include "platform/gdiplus/codec_internal.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace qd::codecs::detail {

namespace {

// LZW codes are at least 3 bits and expand to at most 4096 pixels each.
constexpr uint64_t kGifPixelsPerByte = 4096 * 8 / 3;

struct GifSource {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
  size_t Pos = 0;
};

int ReadFn(GifFileType* gif, GifByteType* buf, int n) {
  auto* src = static_cast<GifSource*>(gif->UserData);
  const size_t count = std::min(size_t(n < 0 ? 0 : n), src->Size - src->Pos);
  std::memcpy(buf, src->Data + src->Pos, count);
  src->Pos += count;
  return int(count);
}

struct GifCloser {
  GifFileType* Gif;
  ~GifCloser() {
    int err = 0;
    if (Gif) DGifCloseFile(Gif, &err);
  }
};

std::vector<uint32_t> Colours(const ColorMapObject* map) {
  std::vector<uint32_t> colours(256, 0xFF000000u);
  if (map && map->Colors) {
    for (int i = 0; i < map->ColorCount && i < 256; ++i)
      colours[size_t(i)] = Argb(255, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  }
  return colours;
}

std::vector<GifColorType> ColourList(const ColorMapObject* map) {
  if (!map || !map->Colors || map->ColorCount <= 0) return {};
  return std::vector<GifColorType>(map->Colors, map->Colors + std::min(map->ColorCount, 256));
}

struct FrameControl {
  int Disposal = DISPOSAL_UNSPECIFIED;
  int Delay = 0;
  int Transparent = NO_TRANSPARENT_COLOR;
};

// Reads one frame's indices (de-interlacing) and draws them onto the canvas.
bool DrawFrame(GifFileType* gif, const FrameControl& control, const std::vector<uint32_t>& colours,
               std::vector<uint8_t>& indices, Frame& canvas) {
  const GifImageDesc& d = gif->Image;
  const int w = d.Width, h = d.Height;
  indices.resize(size_t(w) * size_t(h));
  if (d.Interlace) {
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < h; y += kStep[pass])
        if (DGifGetLine(gif, indices.data() + size_t(y) * size_t(w), w) == GIF_ERROR) return false;
  } else {
    for (int y = 0; y < h; ++y)
      if (DGifGetLine(gif, indices.data() + size_t(y) * size_t(w), w) == GIF_ERROR) return false;
  }
  for (int y = 0; y < h; ++y) {
    const int cy = d.Top + y;
    if (cy >= canvas.Height) break;
    const uint8_t* row = indices.data() + size_t(y) * size_t(w);
    for (int x = 0; x < w; ++x) {
      const int cx = d.Left + x;
      if (cx >= canvas.Width) break;
      if (row[x] == control.Transparent) continue;
      canvas.At(cx, cy) = colours[row[x]];
    }
  }
  return true;
}

void ClearRect(Frame& canvas, const GifImageDesc& d) {
  for (int y = d.Top; y < d.Top + d.Height && y < canvas.Height; ++y)
    for (int x = d.Left; x < d.Left + d.Width && x < canvas.Width; ++x) canvas.At(x, y) = 0;
}

bool SkipFrameData(GifFileType* gif) {
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) return false;
  while (block)
    if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
  return true;
}

// Frame control and looping from one extension record.
struct ExtensionState {
  FrameControl Control;
  bool HaveControl = false;
  bool HaveLoop = false;
  uint16_t LoopCount = 0;
};

bool ReadExtension(GifFileType* gif, ExtensionState& state) {
  int code = 0;
  GifByteType* ext = nullptr;
  if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) return false;
  bool netscape = false, first = true;
  while (ext) {
    if (code == GRAPHICS_EXT_FUNC_CODE && first && ext[0] >= 4) {
      GraphicsControlBlock gcb;
      if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK) {
        state.Control = {gcb.DisposalMode, gcb.DelayTime, gcb.TransparentColor};
        state.HaveControl = true;
      }
    } else if (code == APPLICATION_EXT_FUNC_CODE && first && ext[0] == 11) {
      netscape = std::memcmp(ext + 1, "NETSCAPE2.0", 11) == 0 || std::memcmp(ext + 1, "ANIMEXTS1.0", 11) == 0;
    } else if (netscape && !first && ext[0] >= 3 && ext[1] == 1) {
      state.LoopCount = uint16_t(ext[2] | (ext[3] << 8));
      state.HaveLoop = true;
    }
    first = false;
    if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) return false;
  }
  return true;
}

}  // namespace

Status DecodeGif(ByteSpan data, Image& out, bool allFrames) {
  GifSource src{data.data(), data.size(), 0};
  int err = 0;
  GifCloser closer{DGifOpen(&src, ReadFn, &err)};
  GifFileType* gif = closer.Gif;
  if (!gif) return Status::InvalidParameter;

  std::vector<uint32_t> delays;
  std::vector<uint8_t> indices;
  Frame canvas, saved;
  ExtensionState ext;
  int firstTransparent = -1;
  std::vector<GifColorType> firstLocal;  // the first frame's own colours
  Status failure = Status::Ok;           // why the file ended early
  for (bool done = false; !done && failure == Status::Ok;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      failure = Status::InvalidParameter;
      break;
    }
    if (type == TERMINATE_RECORD_TYPE) {
      done = true;
    } else if (type == EXTENSION_RECORD_TYPE) {
      if (!ReadExtension(gif, ext)) failure = Status::InvalidParameter;
    } else if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) == GIF_ERROR) {
        failure = Status::InvalidParameter;
        break;
      }
      const GifImageDesc& d = gif->Image;
      const FrameControl control = ext.HaveControl ? ext.Control : FrameControl{};
      ext.HaveControl = false;
      if (delays.size() >= kMaxFrames) {
        failure = Status::OutOfMemory;
        break;
      }
      failure = CheckFrameSize(d.Width, d.Height, src.Size - src.Pos, kGifPixelsPerByte);
      if (failure != Status::Ok) break;
      if (delays.empty()) {
        // The logical screen; a zero side takes the first frame's extent.
        const int64_t w = gif->SWidth > 0 ? gif->SWidth : int64_t(d.Left) + d.Width;
        const int64_t h = gif->SHeight > 0 ? gif->SHeight : int64_t(d.Top) + d.Height;
        failure = CheckFrameSize(w, h, data.size(), kGifPixelsPerByte);
        if (failure == Status::Ok) failure = AllocFrame(canvas, int32_t(w), int32_t(h));
        if (failure != Status::Ok) break;
        firstTransparent = control.Transparent;
        firstLocal = ColourList(d.ColorMap);
      }
      if (allFrames || delays.empty()) {
        if (uint64_t(out.Frames.size() + 1) * uint64_t(canvas.Pixels.size()) > kMaxTotalPixels) {
          failure = Status::OutOfMemory;
          break;
        }
        if (control.Disposal == DISPOSE_PREVIOUS) saved = canvas;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        if (!DrawFrame(gif, control, Colours(map), indices, canvas)) {
          failure = Status::InvalidParameter;
          break;
        }
        out.Frames.push_back(canvas);
        if (control.Disposal == DISPOSE_BACKGROUND)
          ClearRect(canvas, d);
        else if (control.Disposal == DISPOSE_PREVIOUS)
          canvas = saved;
      } else if (!SkipFrameData(gif)) {
        failure = Status::InvalidParameter;
        break;
      }
      delays.push_back(uint32_t(std::max(control.Delay, 0)));
      // giflib keeps a growing copy of every frame's descriptor; dropping them keeps files
      // of many frames linear in time.
      GifFreeSavedImages(gif);
      gif->ImageCount = 0;
    }
  }
  // A file cut short keeps the frames that arrived whole; limits always fail the decode.
  if (out.Frames.empty()) return failure != Status::Ok ? failure : Status::InvalidParameter;
  if (failure == Status::OutOfMemory) return failure;
  if (allFrames) delays.resize(out.Frames.size());

  out.SourceKind = PixelKind::Indexed8;
  out.Dimension = FrameDimension::Time;
  const std::vector<GifColorType>& palette = gif->SColorMap ? ColourList(gif->SColorMap) : firstLocal;
  for (size_t i = 0; i < palette.size(); ++i) {
    const GifColorType& c = palette[i];
    out.Palette.Entries.push_back(Argb(int(i) == firstTransparent ? 0 : 255, c.Red, c.Green, c.Blue));
  }
  if (firstTransparent >= 0 && firstTransparent < int(out.Palette.Entries.size()))
    out.Palette.Flags |= PaletteFlagsHasAlpha;
  AddPropertyLongs(out, PropertyTagFrameDelay, delays);
  if (ext.HaveLoop) AddPropertyShort(out, PropertyTagLoopCount, ext.LoopCount);
  if (gif->SColorMap && gif->SColorMap->Colors) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
      const GifColorType& c = gif->SColorMap->Colors[i];
      rgb.insert(rgb.end(), {c.Red, c.Green, c.Blue});
    }
    AddProperty(out, PropertyTagGlobalPalette, PropertyTagTypeByte, rgb.data(), rgb.size());
  }
  AddPropertyByte(out, PropertyTagIndexBackground, uint8_t(gif->SBackGroundColor));
  if (firstTransparent >= 0) AddPropertyByte(out, PropertyTagIndexTransparent, uint8_t(firstTransparent));
  return Status::Ok;
}

namespace {

struct GifSink {
  std::vector<uint8_t>* Out = nullptr;
  bool OutOfMemory = false;
};

int WriteFn(GifFileType* gif, const GifByteType* data, int n) {
  auto* sink = static_cast<GifSink*>(gif->UserData);
  try {
    sink->Out->insert(sink->Out->end(), data, data + n);
  } catch (const std::bad_alloc&) {
    sink->OutOfMemory = true;
    return 0;
  }
  return n;
}

}  // namespace

Status EncodeGif(const Image& image, std::vector<uint8_t>& out) {
  const Frame& frame = image.Frames[0];
  if (frame.Width > 65535 || frame.Height > 65535) return Status::InvalidParameter;
  QuantizedFrame q;
  Status status = Quantize(frame, 256, q);
  if (status != Status::Ok) return status;
  int size = 2;
  while (size < int(q.Palette.size())) size *= 2;
  std::vector<GifColorType> colours(size_t(size), GifColorType{0, 0, 0});
  for (size_t i = 0; i < q.Palette.size(); ++i)
    colours[i] = GifColorType{uint8_t(q.Palette[i] >> 16), uint8_t(q.Palette[i] >> 8), uint8_t(q.Palette[i])};

  GifSink sink{&out};
  int err = 0;
  GifFileType* gif = EGifOpen(&sink, WriteFn, &err);
  if (!gif) return Status::OutOfMemory;
  ColorMapObject* map = GifMakeMapObject(size, colours.data());
  bool ok = map != nullptr;
  EGifSetGifVersion(gif, true);
  ok = ok && EGifPutScreenDesc(gif, frame.Width, frame.Height, 8, 0, map) == GIF_OK;
  if (ok && q.TransparentIndex >= 0) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.TransparentColor = q.TransparentIndex;
    GifByteType ext[4];
    const size_t n = EGifGCBToExtension(&gcb, ext);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), ext) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, frame.Width, frame.Height, false, nullptr) == GIF_OK;
  for (int32_t y = 0; ok && y < frame.Height; ++y)
    ok = EGifPutLine(gif, q.Indices.data() + size_t(y) * size_t(frame.Width), frame.Width) == GIF_OK;
  if (map) GifFreeMapObject(map);
  ok = EGifCloseFile(gif, &err) == GIF_OK && ok;
  if (sink.OutOfMemory) return Status::OutOfMemory;
  return ok ? Status::Ok : Status::GenericError;
}

Status ProbeGif(ByteSpan d, ImageInfo& info) {
  if (d.size() < 13) return Status::InvalidParameter;
  info.SourceKind = PixelKind::Indexed8;
  info.Width = Le16(d.data() + 6);
  info.Height = Le16(d.data() + 8);
  if (info.Width > 0 && info.Height > 0) return Status::Ok;
  // A zero logical screen takes the first frame's extent, as the decoder does.
  size_t pos = 13;
  if (d[10] & 0x80) pos += 3 * (size_t(2) << (d[10] & 7));
  while (pos < d.size()) {
    const uint8_t block = d[pos];
    if (block == 0x2C) {
      if (d.size() - pos < 10) break;
      info.Width = std::max<int32_t>(info.Width, Le16(d.data() + pos + 1) + Le16(d.data() + pos + 5));
      info.Height = std::max<int32_t>(info.Height, Le16(d.data() + pos + 3) + Le16(d.data() + pos + 7));
      return Status::Ok;
    }
    if (block != 0x21) break;
    pos += 2;
    while (pos < d.size()) {  // data sub-blocks up to the terminator
      const uint8_t n = d[pos];
      pos += 1 + size_t(n);
      if (n == 0) break;
    }
  }
  return Status::InvalidParameter;
}

}  // namespace qd::codecs::detail
