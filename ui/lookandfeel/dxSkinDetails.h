#pragma once
// The descriptive header of a skin or of a painter (name, display name, group, notes and two
// icons) and the primitives of the skin data stream that it reads and writes its section with:
// the 18-byte header, length-prefixed texts and embedded images. The skin unit builds the rest
// of the format on the same primitives.
//
// Every length read from a stream is checked against the bytes that remain before anything is
// allocated: a damaged stream raises EReadError, never allocates a huge block.
#include <cstdint>
#include <memory>

#include "platform/classes/classes.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"
#include "ui/core/dxCore.h"

namespace qd {

class TdxCustomSmartImage;
class TdxSmartImage;

// Raised by the skin reader ("Invalid stream format") and the skin model.
class EdxSkinError : public EdxException {
  QD_CLASS(EdxSkinError, EdxException)

 public:
  using EdxException::EdxException;
};

enum TdxSkinIconSize : uint8_t { sis16, sis48 };
inline constexpr int dxSkinIconSizeCount = 2;

// Whether skin elements draw their alternate image sets.
enum TdxSkinImageSet : uint8_t { imsDefault, imsOriginal, imsAlternate };
extern TdxSkinImageSet dxSkinsUseImageSet;

// The header: a lead word (written 0, never tested), the signature, the version as a double.
inline constexpr char dxSkinSignature[] = "dxSkin";
inline constexpr int dxSkinSignatureSize = 6;
inline constexpr int dxSkinHeaderSize = 18;
inline constexpr double dxSkinStreamVersion = 1.25;

// Reads the header at the stream position. True when all 18 bytes were read, the signature
// matches and the version is 1.0 or higher, or not a number; AVersion is set only then. On
// failure the stream stays after whatever was read.
bool dxSkinCheckSignature(TStream* AStream, double& AVersion);
// The header with lead word 0 and version AVersion.
void dxSkinWriteSignature(TStream* AStream, double AVersion = dxSkinStreamVersion);

// One little-endian signed 32-bit integer.
int32_t dxSkinReadIntegerFromStream(TStream* AStream);
void dxSkinWriteIntegerToStream(TStream* AStream, int32_t AValue);
// A signed 32-bit count n, then n bytes of UTF-8; n <= 0 is the empty text.
String dxSkinReadStringFromStream(TStream* AStream);
void dxSkinWriteStringToStream(TStream* AStream, const String& AValue);
// A signed 32-bit count n, then n UTF-16 characters; n <= 0 is the empty text.
String dxSkinReadWideStringFromStream(TStream* AStream);
void dxSkinWriteWideStringToStream(TStream* AStream, const String& AValue);
// A signed 32-bit size n, then n bytes of an image file. n <= 0 leaves the image untouched.
// Otherwise the image loads from a window on exactly those bytes, and reading resumes behind
// them whatever the loader consumed (also when it fails; its error passes on).
void dxSkinReadSmartImageFromStream(TStream* AStream, TdxCustomSmartImage* AImage);
// Size 0 for an empty image; a decoded raster picture that is neither PNG nor GIF as PNG;
// otherwise the image's own bytes.
void dxSkinWriteSmartImageToStream(TStream* AStream, TdxCustomSmartImage* AImage);

// Raises EReadError when fewer than ACount bytes remain after the stream position.
void dxSkinCheckBytesLeft(TStream* AStream, int64_t ACount);

// A read-only window on a source stream (not owned): positions [start, start + size).
// Reads stop at the window's end, so a decoder never consumes the fields that follow.
class TdxSkinPartStream : public TStream {
  QD_CLASS(TdxSkinPartStream, TStream)

 public:
  TdxSkinPartStream(TStream* ASource, int64_t ASize, int64_t APosStart);
  int64_t Read(void* Buffer, int64_t Count) override;
  // Writes to the source and moves the window's end to the source's new position.
  int64_t Write(const void* Buffer, int64_t Count) override;
  // Clamped into the window.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return FPosEnd - FPosStart; }

 private:
  TStream* FSource;
  int64_t FPosStart;
  int64_t FPosEnd;
};

// Names of the default icons (type "DXSKINS", PNG) by size.
extern const Char* const SkinIconNames[dxSkinIconSizeCount];

class TdxSkinDetails;
// Reads a whole skin stream of an old version (below 1.04) at the stream position into a
// temporary skin and assigns its details to ADetails. Set by the skin unit's start-up; without
// it such streams raise EdxSkinError.
using TdxSkinDetailsOldFormatLoader = void (*)(TdxSkinDetails* ADetails, TStream* AStream);
extern TdxSkinDetailsOldFormatLoader dxSkinDetailsOldFormatLoader;

class TdxSkinDetails : public TPersistent {
  QD_CLASS(TdxSkinDetails, TPersistent)

 public:
  TdxSkinDetails();
  ~TdxSkinDetails() override;

  void Assign(TPersistent* Source) override;
  virtual void Changed();
  virtual void DataRead(TStream* AStream, double AVersion);
  virtual void DataWrite(TStream* AStream);
  virtual void Clear();

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // The header at the stream position and the details that follow; False (record unchanged)
  // for a bad header. Remembers the position in DataOffset.
  bool LoadFromStream(TStream* AStream);

  TdxSmartImage* GetIcon(TdxSkinIconSize ASize) const { return FIcons[ASize].get(); }
  TdxSmartImage* Icons(TdxSkinIconSize ASize) const { return GetIcon(ASize); }
  // Loads the built-in default icon of that size.
  void ResetIcon(TdxSkinIconSize ASize);

  const String& DisplayName() const { return FDisplayName; }
  void SetDisplayName(const String& AValue);
  const String& GroupName() const { return FGroupName; }
  void SetGroupName(const String& AValue);
  const String& Name() const { return FName; }
  void SetName(const String& AValue);
  const String& Notes() const { return FNotes; }
  void SetNotes(const String& AValue);
  int64_t DataOffset() const { return FDataOffset; }

  TNotifyEvent OnChange;

 private:
  void DoIconsChanged(TObject* Sender);
  void SetText(String& AField, const String& AValue);

  String FDisplayName;
  String FGroupName;
  std::unique_ptr<TdxSmartImage> FIcons[dxSkinIconSizeCount];
  String FName;
  String FNotes;
  int32_t FUpdateCount = 0;
  int64_t FDataOffset = 0;
};

}  // namespace qd
