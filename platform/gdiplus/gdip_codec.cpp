// Codecs: the encoder and decoder lists, loading from streams and files, saving, frames,
// properties and thumbnails.
#include <algorithm>
#include <cstring>
#include <fstream>

#include "platform/base/strings.h"
#include "platform/gdiplus/codec_io.h"
#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace {

struct CodecDef {
  const CLSID* clsid;
  const GUID* format;
  codecs::ImageFormat kind;
  const char16_t* name;
  const char16_t* description;
  const char16_t* extensions;
  const char16_t* mime;
  bool encoder;
  std::vector<std::vector<uint8_t>> signatures;
};

const std::vector<CodecDef>& Codecs() {
  static const std::vector<CodecDef> list = {
      {&CLSID_BmpCodec,
       &ImageFormatBMP,
       codecs::ImageFormat::BMP,
       u"Built-in BMP Codec",
       u"BMP",
       u"*.BMP;*.DIB;*.RLE",
       u"image/bmp",
       true,
       {{'B', 'M'}}},
      {&CLSID_JpegCodec,
       &ImageFormatJPEG,
       codecs::ImageFormat::JPEG,
       u"Built-in JPEG Codec",
       u"JPEG",
       u"*.JPG;*.JPEG;*.JPE;*.JFIF",
       u"image/jpeg",
       true,
       {{0xFF, 0xD8}}},
      {&CLSID_GifCodec,
       &ImageFormatGIF,
       codecs::ImageFormat::GIF,
       u"Built-in GIF Codec",
       u"GIF",
       u"*.GIF",
       u"image/gif",
       true,
       {{'G', 'I', 'F', '8', '9', 'a'}, {'G', 'I', 'F', '8', '7', 'a'}}},
      {&CLSID_TiffCodec,
       &ImageFormatTIFF,
       codecs::ImageFormat::TIFF,
       u"Built-in TIFF Codec",
       u"TIFF",
       u"*.TIF;*.TIFF",
       u"image/tiff",
       true,
       {{'I', 'I', 0x2A, 0x00}, {'M', 'M', 0x00, 0x2A}}},
      {&CLSID_PngCodec,
       &ImageFormatPNG,
       codecs::ImageFormat::PNG,
       u"Built-in PNG Codec",
       u"PNG",
       u"*.PNG",
       u"image/png",
       true,
       {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}}},
      {&CLSID_IconCodec,
       &ImageFormatIcon,
       codecs::ImageFormat::Icon,
       u"Built-in ICO Codec",
       u"ICO",
       u"*.ICO",
       u"image/x-icon",
       false,
       {{0x00, 0x00, 0x01, 0x00}}},
      {&CLSID_EmfCodec,
       &ImageFormatEMF,
       codecs::ImageFormat::EMF,
       u"Built-in EMF Codec",
       u"EMF",
       u"*.EMF",
       u"image/x-emf",
       false,
       {{0x01, 0x00, 0x00, 0x00}}},
      {&CLSID_WmfCodec,
       &ImageFormatWMF,
       codecs::ImageFormat::WMF,
       u"Built-in WMF Codec",
       u"WMF",
       u"*.WMF",
       u"image/x-wmf",
       false,
       {{0xD7, 0xCD, 0xC6, 0x9A}}},
  };
  return list;
}

size_t Len(const char16_t* s) {
  return std::char_traits<char16_t>::length(s);
}

size_t InfoBytes(const CodecDef& c) {
  size_t sigSize = c.signatures.empty() ? 0 : c.signatures[0].size();
  return sizeof(ImageCodecInfo) +
         (Len(c.name) + Len(c.description) + Len(c.extensions) + Len(c.mime) + 4) * sizeof(WCHAR) +
         2 * c.signatures.size() * sigSize;
}

void ListSize(bool encoders, UINT& count, UINT& bytes) {
  count = 0;
  bytes = 0;
  for (const auto& c : Codecs()) {
    if (encoders && !c.encoder) continue;
    ++count;
    bytes += static_cast<UINT>(InfoBytes(c));
  }
}

Status FillList(bool encoders, UINT count, UINT size, ImageCodecInfo* out) {
  UINT n, bytes;
  ListSize(encoders, n, bytes);
  if (!out || count != n || size != bytes) return InvalidParameter;
  auto* data = reinterpret_cast<uint8_t*>(out) + sizeof(ImageCodecInfo) * n;
  auto putString = [&](const char16_t* s) {
    size_t len = (Len(s) + 1) * sizeof(WCHAR);
    std::memcpy(data, s, len);
    auto* p = reinterpret_cast<const WCHAR*>(data);
    data += len;
    return p;
  };
  UINT i = 0;
  for (const auto& c : Codecs()) {
    if (encoders && !c.encoder) continue;
    ImageCodecInfo info;
    info.Clsid = *c.clsid;
    info.FormatID = *c.format;
    info.CodecName = putString(c.name);
    info.DllName = nullptr;
    info.FormatDescription = putString(c.description);
    info.FilenameExtension = putString(c.extensions);
    info.MimeType = putString(c.mime);
    info.Flags = ImageCodecFlagsDecoder | ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin |
                 (c.encoder ? DWORD(ImageCodecFlagsEncoder) : DWORD(0));
    info.Version = 1;
    info.SigCount = static_cast<DWORD>(c.signatures.size());
    info.SigSize = c.signatures.empty() ? 0 : static_cast<DWORD>(c.signatures[0].size());
    info.SigPattern = data;
    for (const auto& sig : c.signatures) {
      std::memcpy(data, sig.data(), sig.size());
      data += sig.size();
    }
    info.SigMask = data;
    for (const auto& sig : c.signatures) {
      std::memset(data, 0xFF, sig.size());
      data += sig.size();
    }
    out[i++] = info;
  }
  return Ok;
}

Status FromCodecStatus(codecs::Status s) {
  if (s == codecs::Status::NotImplemented) return UnknownImageFormat;
  return static_cast<Status>(s);
}

Status LoadBytes(std::span<const uint8_t> bytes, GpImage** image) {
  codecs::ImageFormat fmt = codecs::DetectFormat(bytes);
  if (fmt == codecs::ImageFormat::EMF || fmt == codecs::ImageFormat::WMF) {
    std::unique_ptr<Metafile> m;
    Status s = LoadMetafile(bytes, m);
    if (s == Ok) *image = Adopt(std::move(m))->Handle();
    return s;
  }
  auto decoded = std::make_shared<codecs::Image>();
  Status s = FromCodecStatus(codecs::Decode(bytes, *decoded));
  if (s != Ok) return s;
  std::unique_ptr<Bitmap> b;
  s = BitmapFromDecoded(std::move(decoded), b);
  if (s != Ok) return s;
  *image = Adopt(std::move(b))->Handle();
  return Ok;
}

Status ReadStream(IStream* stream, std::vector<uint8_t>& out) {
  out.clear();
  constexpr ULONG kChunk = 1 << 16;
  constexpr size_t kMaxBytes = size_t(1) << 31;
  for (;;) {
    size_t at = out.size();
    if (at > kMaxBytes) return OutOfMemory;
    out.resize(at + kChunk);
    ULONG got = 0;
    HRESULT hr = stream->Read(out.data() + at, kChunk, &got);
    out.resize(at + std::min<ULONG>(got, kChunk));
    if (hr < 0) return out.empty() ? Win32Error : Ok;
    if (got == 0) return Ok;
  }
}

Status LoadStream(IStream* stream, GpImage** image) {
  if (!stream || !image) return InvalidParameter;
  std::vector<uint8_t> bytes;
  Status s = ReadStream(stream, bytes);
  if (s != Ok) return s;
  return LoadBytes(bytes, image);
}

Status LoadFile(const WCHAR* filename, GpImage** image) {
  if (!filename || !image) return InvalidParameter;
  std::string path = StringToUtf8(String(filename));
  std::ifstream f(path, std::ios::binary);
  if (!f) return FileNotFound;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  return LoadBytes(bytes, image);
}

Status Encode(Bitmap& b, const CLSID* clsid, const EncoderParameters* params, std::vector<uint8_t>& out) {
  if (!clsid) return InvalidParameter;
  const CodecDef* codec = nullptr;
  for (const auto& c : Codecs())
    if (c.encoder && *c.clsid == *clsid) codec = &c;
  if (!codec) return FileNotFound;  // no such encoder installed
  if (b.locked) return WrongState;
  codecs::EncodeOptions options;
  if (params) {
    const EncoderParameter* p = params->Parameter;
    for (UINT i = 0; i < params->Count; ++i) {
      const EncoderParameter& e = p[i];
      bool isLong = e.Type == EncoderParameterValueTypeLong && e.NumberOfValues >= 1 && e.Value;
      if (e.Guid == EncoderQuality) {
        if (!isLong) return InvalidParameter;
        LONG q = *static_cast<const LONG*>(e.Value);
        if (q < 0 || q > 100) return InvalidParameter;
        options.Quality = q;
      } else if (e.Guid == EncoderColorDepth) {
        if (!isLong) return InvalidParameter;
        LONG d = *static_cast<const LONG*>(e.Value);
        if (codec->kind == codecs::ImageFormat::BMP) {
          if (d != 24 && d != 32) return InvalidParameter;
          options.BmpBitCount = d;
        }
      } else if (e.Guid == EncoderCompression) {
        if (!isLong) return InvalidParameter;
        LONG c = *static_cast<const LONG*>(e.Value);
        if (codec->kind == codecs::ImageFormat::TIFF && c != EncoderValueCompressionLZW)
          return InvalidParameter;
      }
    }
  }
  std::vector<uint32_t> px(size_t(b.width) * size_t(b.height));
  for (int32_t y = 0; y < b.height; ++y)
    for (int32_t x = 0; x < b.width; ++x) px[size_t(y) * b.width + x] = b.GetArgb(x, y);
  codecs::Image img = codecs::MakeImage(b.width, b.height, std::move(px), b.dpiX, b.dpiY);
  return static_cast<Status>(codecs::Encode(img, codec->kind, out, options));
}

Bitmap* BitmapOf(GpImage* image) {
  return GetBitmap(image);
}

const GUID& DimensionOf(const Bitmap& b) {
  return b.source ? b.source->DimensionGuid() : FrameDimensionPage;
}

UINT FrameCount(const Bitmap& b) {
  return b.source ? static_cast<UINT>(b.source->Frames.size()) : 1;
}

const codecs::PropertyItem* FindProperty(const Bitmap& b, PROPID id) {
  for (const auto& p : b.properties)
    if (p.Id == id) return &p;
  return nullptr;
}

void WriteItem(const codecs::PropertyItem& p, PropertyItem* header, uint8_t* value) {
  header->id = p.Id;
  header->length = static_cast<ULONG>(p.Value.size());
  header->type = p.Type;
  header->value = p.Value.empty() ? nullptr : value;
  if (!p.Value.empty()) std::memcpy(value, p.Value.data(), p.Value.size());
}

}  // namespace

Status GdipGetImageEncodersSize(UINT* numEncoders, UINT* size) {
  QD_GDIP_ENTER();
  if (!numEncoders || !size) return InvalidParameter;
  ListSize(true, *numEncoders, *size);
  return Ok;
}

Status GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders) {
  QD_GDIP_ENTER();
  return FillList(true, numEncoders, size, encoders);
}

Status GdipGetImageDecodersSize(UINT* numDecoders, UINT* size) {
  QD_GDIP_ENTER();
  if (!numDecoders || !size) return InvalidParameter;
  ListSize(false, *numDecoders, *size);
  return Ok;
}

Status GdipGetImageDecoders(UINT numDecoders, UINT size, ImageCodecInfo* decoders) {
  QD_GDIP_ENTER();
  return FillList(false, numDecoders, size, decoders);
}

Status GdipLoadImageFromStream(IStream* stream, GpImage** image) {
  QD_GDIP_ENTER();
  return LoadStream(stream, image);
}

Status GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) {
  return GdipLoadImageFromStream(stream, image);
}

Status GdipLoadImageFromFile(const WCHAR* filename, GpImage** image) {
  QD_GDIP_ENTER();
  return LoadFile(filename, image);
}

Status GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image) {
  return GdipLoadImageFromFile(filename, image);
}

Status GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
  QD_GDIP_ENTER();
  if (!bitmap) return InvalidParameter;
  GpImage* image = nullptr;
  Status s = LoadStream(stream, &image);
  if (s == Ok) *bitmap = static_cast<GpBitmap*>(GetBitmap(image));
  return s;
}

Status GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
  return GdipCreateBitmapFromStream(stream, bitmap);
}

Status GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap) {
  QD_GDIP_ENTER();
  if (!bitmap) return InvalidParameter;
  GpImage* image = nullptr;
  Status s = LoadFile(filename, &image);
  if (s == Ok) *bitmap = static_cast<GpBitmap*>(GetBitmap(image));
  return s;
}

Status GdipCreateBitmapFromFileICM(const WCHAR* filename, GpBitmap** bitmap) {
  return GdipCreateBitmapFromFile(filename, bitmap);
}

Status GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                             const EncoderParameters* encoderParams) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !stream) return InvalidParameter;
  std::vector<uint8_t> bytes;
  Status s = Encode(*b, clsidEncoder, encoderParams, bytes);
  if (s != Ok) return s;
  size_t done = 0;
  while (done < bytes.size()) {
    auto chunk = static_cast<ULONG>(std::min<size_t>(bytes.size() - done, 1u << 30));
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes.data() + done, chunk, &written);
    if (hr < 0 || written == 0) return Win32Error;
    done += std::min<ULONG>(written, chunk);
  }
  return Ok;
}

Status GdipSaveImageToFile(GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder,
                           const EncoderParameters* encoderParams) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !filename) return InvalidParameter;
  std::vector<uint8_t> bytes;
  Status s = Encode(*b, clsidEncoder, encoderParams, bytes);
  if (s != Ok) return s;
  std::ofstream f(StringToUtf8(String(filename)), std::ios::binary | std::ios::trunc);
  if (!f) return Win32Error;
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return f ? Ok : Win32Error;
}

Status GdipImageGetFrameDimensionsCount(GpImage* image, UINT* count) {
  QD_GDIP_ENTER();
  if (!BitmapOf(image) || !count) return InvalidParameter;
  *count = 1;
  return Ok;
}

Status GdipImageGetFrameDimensionsList(GpImage* image, GUID* dimensionIDs, UINT count) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !dimensionIDs || count != 1) return InvalidParameter;
  dimensionIDs[0] = DimensionOf(*b);
  return Ok;
}

Status GdipImageGetFrameCount(GpImage* image, const GUID* dimensionID, UINT* count) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !dimensionID || !count || *dimensionID != DimensionOf(*b)) return InvalidParameter;
  *count = FrameCount(*b);
  return Ok;
}

Status GdipImageSelectActiveFrame(GpImage* image, const GUID* dimensionID, UINT frameIndex) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !dimensionID || *dimensionID != DimensionOf(*b) || frameIndex >= FrameCount(*b))
    return InvalidParameter;
  if (b->locked) return WrongState;
  if (!b->source) return Ok;
  return b->LoadFrame(frameIndex);
}

Status GdipGetPropertyCount(GpImage* image, UINT* numOfProperty) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !numOfProperty) return InvalidParameter;
  *numOfProperty = static_cast<UINT>(b->properties.size());
  return Ok;
}

Status GdipGetPropertyIdList(GpImage* image, UINT numOfProperty, PROPID* list) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !list || numOfProperty != b->properties.size()) return InvalidParameter;
  for (size_t i = 0; i < b->properties.size(); ++i) list[i] = b->properties[i].Id;
  return Ok;
}

Status GdipGetPropertyItemSize(GpImage* image, PROPID propId, UINT* size) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !size) return InvalidParameter;
  const codecs::PropertyItem* p = FindProperty(*b, propId);
  if (!p) return PropertyNotFound;
  *size = static_cast<UINT>(sizeof(PropertyItem) + p->Value.size());
  return Ok;
}

Status GdipGetPropertyItem(GpImage* image, PROPID propId, UINT propSize, PropertyItem* buffer) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !buffer) return InvalidParameter;
  const codecs::PropertyItem* p = FindProperty(*b, propId);
  if (!p) return PropertyNotFound;
  if (propSize < sizeof(PropertyItem) + p->Value.size()) return InvalidParameter;
  WriteItem(*p, buffer, reinterpret_cast<uint8_t*>(buffer) + sizeof(PropertyItem));
  return Ok;
}

Status GdipGetPropertySize(GpImage* image, UINT* totalBufferSize, UINT* numProperties) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !totalBufferSize || !numProperties) return InvalidParameter;
  size_t total = 0;
  for (const auto& p : b->properties) total += sizeof(PropertyItem) + p.Value.size();
  *totalBufferSize = static_cast<UINT>(total);
  *numProperties = static_cast<UINT>(b->properties.size());
  return Ok;
}

Status GdipGetAllPropertyItems(GpImage* image, UINT totalBufferSize, UINT numProperties,
                               PropertyItem* allItems) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !allItems || numProperties != b->properties.size()) return InvalidParameter;
  size_t total = 0;
  for (const auto& p : b->properties) total += sizeof(PropertyItem) + p.Value.size();
  if (totalBufferSize != total) return InvalidParameter;
  auto* values = reinterpret_cast<uint8_t*>(allItems) + sizeof(PropertyItem) * b->properties.size();
  for (size_t i = 0; i < b->properties.size(); ++i) {
    WriteItem(b->properties[i], &allItems[i], values);
    values += b->properties[i].Value.size();
  }
  return Ok;
}

Status GdipRemovePropertyItem(GpImage* image, PROPID propId) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b) return InvalidParameter;
  auto it = std::find_if(b->properties.begin(), b->properties.end(),
                         [propId](const auto& p) { return p.Id == propId; });
  if (it == b->properties.end()) return PropertyNotFound;
  b->properties.erase(it);
  return Ok;
}

Status GdipSetPropertyItem(GpImage* image, const PropertyItem* item) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !item || (item->length && !item->value)) return InvalidParameter;
  codecs::PropertyItem p;
  p.Id = item->id;
  p.Type = item->type;
  const auto* v = static_cast<const uint8_t*>(item->value);
  p.Value.assign(v, v + item->length);
  auto it =
      std::find_if(b->properties.begin(), b->properties.end(), [&](const auto& q) { return q.Id == p.Id; });
  if (it != b->properties.end())
    *it = std::move(p);
  else
    b->properties.push_back(std::move(p));
  return Ok;
}

Status GdipGetImageThumbnail(GpImage* image, UINT thumbWidth, UINT thumbHeight, GpImage** thumbImage,
                             GetThumbnailImageAbort callback, void* callbackData) {
  QD_GDIP_ENTER();
  Bitmap* b = BitmapOf(image);
  if (!b || !thumbImage || thumbWidth > (1u << 16) || thumbHeight > (1u << 16)) return InvalidParameter;
  if (b->locked) return WrongState;
  if (thumbWidth == 0 && thumbHeight == 0) thumbWidth = thumbHeight = 120;
  if (thumbWidth == 0) thumbWidth = std::max<UINT>(1, UINT(uint64_t(thumbHeight) * b->width / b->height));
  if (thumbHeight == 0) thumbHeight = std::max<UINT>(1, UINT(uint64_t(thumbWidth) * b->height / b->width));
  if (callback && callback(callbackData)) return Aborted;
  auto t = std::make_unique<Bitmap>();
  Status s =
      t->Allocate(static_cast<int32_t>(thumbWidth), static_cast<int32_t>(thumbHeight), PixelFormat32bppPARGB);
  if (s != Ok) return s;
  t->reported = PixelFormat32bppPARGB;
  t->flags = ImageFlagsHasAlpha | ImageFlagsColorSpaceRGB;
  cairo_surface_t* src = SurfaceOf(*b, 0, 0, b->width, b->height);
  cairo_surface_t* dst =
      cairo_image_surface_create_for_data(t->scan0, CAIRO_FORMAT_ARGB32, t->width, t->height, t->stride);
  cairo_t* cr = cairo_create(dst);
  cairo_scale(cr, double(t->width) / b->width, double(t->height) / b->height);
  cairo_set_source_surface(cr, src, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(dst);
  cairo_surface_destroy(dst);
  cairo_surface_destroy(src);
  *thumbImage = Adopt(std::move(t))->Handle();
  return Ok;
}

UINT GdipEmfToWmfBits(HENHMETAFILE, UINT, BYTE*, INT, INT) {
  return 0;
}

}  // namespace qd::gdiplus
