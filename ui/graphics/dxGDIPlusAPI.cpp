#include "ui/graphics/dxGDIPlusAPI.h"

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/forms/dialogs.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"

namespace qd {

const TResStringRec sdxGdipInvalidOperation{u"Invalid operation in GDI+ (Code: %d)"};
const TResStringRec sdxGdipInvalidOperationWin32{u"Invalid operation in GDI+ (Win32 error code: %d)"};

const TdxGpColorMatrix dxGpDefaultColorMatrix{
    {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}}};

#define QD_DXGDIPLUS_DEFINE(Name) decltype(&gdiplus::Name) Name = nullptr;
QD_DXGDIPLUS_ENTRIES(QD_DXGDIPLUS_DEFINE)
#undef QD_DXGDIPLUS_DEFINE

TdxGpClassID PNGEncoder, PNGDecoder, BMPEncoder, BMPDecoder, GIFEncoder, GIFDecoder, JPEGEncoder, JPEGDecoder,
    TIFFEncoder, TIFFDecoder, EMFDecoder, WMFDecoder, ICONDecoder;

namespace {

HMODULE FGDIPlusLibrary = nullptr;
gdiplus::ULONG_PTR FGDIPlusToken = 0;
gdiplus::GdiplusStartupOutput FGdiPlusHook;
gdiplus::ULONG_PTR FGDIPlusHookToken = 0;
bool FGDIPresent = false;

const gdiplus::GdiplusStartupInput& GdipApiDefaultStartup() {
  static const gdiplus::GdiplusStartupInput input = [] {
    gdiplus::GdiplusStartupInput r;
    r.GdiplusVersion = 1;
    r.DebugEventCallback = nullptr;
    r.SuppressBackgroundThread = TRUE;
    r.SuppressExternalCodecs = FALSE;
    return r;
  }();
  return input;
}

// Binds one entry point; after the first missing one every later variable stays nil.
template <class F>
void GdipApiBind(F& AVariable, const char* AName) {
  if (!FGDIPresent) {
    AVariable = nullptr;
    return;
  }
  AVariable = reinterpret_cast<F>(GetProcAddress(FGDIPlusLibrary, AName));
  FGDIPresent = AVariable != nullptr;
}

void GdipApiClearEntries() {
#define QD_DXGDIPLUS_CLEAR(Name) Name = nullptr;
  QD_DXGDIPLUS_ENTRIES(QD_DXGDIPLUS_CLEAR)
#undef QD_DXGDIPLUS_CLEAR
}

// The thread's last TdxGpBase allocation, so that the constructor learns which heap it is on.
struct GdipApiPendingAllocation {
  void* Object = nullptr;
  bool GpUsed = false;
};
thread_local GdipApiPendingAllocation GdipApiPending;

// Heap objects carry a header that records which allocator gave their memory.
constexpr std::size_t kGdipApiHeader = alignof(std::max_align_t);

using GdipApiCodecsSizeFunc = Status (*)(UINT*, UINT*);
using GdipApiCodecsFunc = Status (*)(UINT, UINT, gdiplus::ImageCodecInfo*);

Status GdipApiFindCodec(const String& AMimeType, TdxGpClassID& AClassID, GdipApiCodecsSizeFunc AGetSize,
                        GdipApiCodecsFunc AGetList) {
  Status result = gdiplus::GenericError;
  if (!CheckGdiPlus(false)) return result;
  UINT count = 0, size = 0;
  if (AGetSize(&count, &size) != gdiplus::Ok || size == 0) return result;
  std::vector<std::max_align_t> buffer((size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
  auto* codecs = reinterpret_cast<gdiplus::ImageCodecInfo*>(buffer.data());
  if (AGetList(count, size, codecs) != gdiplus::Ok) return result;
  for (UINT i = 0; i < count; ++i) {
    const WCHAR* mime = codecs[i].MimeType;
    if (mime && SameText(String(reinterpret_cast<const Char*>(mime)), AMimeType)) {
      AClassID = codecs[i].Clsid;
      return gdiplus::Ok;
    }
  }
  return result;
}

void GdipApiOptionalEncoder(const char16_t* AMimeType, TdxGpClassID& AClassID) {
  if (CheckEncoder(AMimeType, AClassID) != gdiplus::Ok) AClassID = {};
}

void GdipApiOptionalDecoder(const char16_t* AMimeType, TdxGpClassID& AClassID) {
  if (CheckDecoder(AMimeType, AClassID) != gdiplus::Ok) AClassID = {};
}

}  // namespace

int dxGpBoundEntryCount() {
  int count = 0;
#define QD_DXGDIPLUS_COUNT(Name) count += Name != nullptr;
  QD_DXGDIPLUS_ENTRIES(QD_DXGDIPLUS_COUNT)
#undef QD_DXGDIPLUS_COUNT
  return count;
}

// ---- Records -------------------------------------------------------------------------------

TdxGpRectF TdxGpRectF::FromRect(const TRect& R) {
  return {static_cast<float>(R.Left), static_cast<float>(R.Top), static_cast<float>(R.Right - R.Left),
          static_cast<float>(R.Bottom - R.Top)};
}

TRect TdxGpRectF::ToRect() const {
  auto trunc = [](float v) { return static_cast<int32_t>(std::trunc(v)); };
  TRect r;
  r.Left = trunc(X);
  r.Top = trunc(Y);
  r.Right = trunc(Width) + r.Left;
  r.Bottom = trunc(Height) + r.Top;
  return r;
}

TdxGpPointF MakePoint(float X, float Y) {
  return {X, Y};
}
TdxGpRect MakeRect(int32_t X, int32_t Y, int32_t AWidth, int32_t AHeight) {
  return {X, Y, AWidth, AHeight};
}
TdxGpRect MakeRect(const TRect& R) {
  return TdxGpRect::FromRect(R);
}
TdxGpRectF MakeRect(float X, float Y, float AWidth, float AHeight) {
  return {X, Y, AWidth, AHeight};
}
TdxGpRectF dxGpMakeRectF(const TRect& R) {
  return TdxGpRectF::FromRect(R);
}
TdxGpRectF dxGpMakeRectF(const TdxGpRect& R) {
  return {static_cast<float>(R.X), static_cast<float>(R.Y), static_cast<float>(R.Width),
          static_cast<float>(R.Height)};
}
bool dxGpRectIsEqual(const TdxGpRectF& A, const TdxGpRectF& B) {
  return A.X == B.X && A.Y == B.Y && A.Width == B.Width && A.Height == B.Height;
}

// ---- Errors --------------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(EdxGdipException)

namespace {
String GdipApiExceptionText(Status AStatus) {
  const DWORD lastError = GetLastError();
  if (AStatus == gdiplus::Win32Error && lastError != 0)
    return Format(cxGetResourceString(sdxGdipInvalidOperationWin32), {static_cast<int32_t>(lastError)});
  return Format(cxGetResourceString(sdxGdipInvalidOperation), {static_cast<int32_t>(AStatus)});
}
}  // namespace

EdxGdipException::EdxGdipException(Status AStatus)
    : EdxException(GdipApiExceptionText(AStatus)), FStatus(AStatus) {}

void GdipCheck(Status AStatus) {
  if (AStatus != gdiplus::Ok) throw EdxGdipException(AStatus);
}

// ---- Loading -------------------------------------------------------------------------------

void GdiPlusLoad() {
  if (FGDIPresent) return;
  // A library left from an earlier failed attempt is released first, so that retries never
  // pile up module references.
  if (FGDIPlusLibrary) {
    FreeLibrary(FGDIPlusLibrary);
    FGDIPlusLibrary = nullptr;
  }
  // The platform's loader never shows a message box for a missing module.
  FGDIPlusLibrary = LoadLibraryW(u"gdiplus.dll");
  FGDIPresent = FGDIPlusLibrary != nullptr;
  if (!FGDIPresent) return;
#define QD_DXGDIPLUS_BIND(Name) GdipApiBind(Name, #Name);
  QD_DXGDIPLUS_ENTRIES(QD_DXGDIPLUS_BIND)
#undef QD_DXGDIPLUS_BIND
  if (!FGDIPresent) return;
  FGdiPlusHook = {};
  bool started = GdiplusStartup(&FGDIPlusToken, &GdipApiDefaultStartup(), &FGdiPlusHook) == gdiplus::Ok;
  if (started) {
    const bool hooked =
        FGdiPlusHook.NotificationHook && FGdiPlusHook.NotificationHook(&FGDIPlusHookToken) == gdiplus::Ok;
    if (!hooked) {
      // Started without its hook: stop it again rather than leave it running unused.
      GdiplusShutdown(FGDIPlusToken);
      started = false;
    }
  }
  if (!started) {
    FGDIPresent = false;
    FGdiPlusHook = {};
    FGDIPlusToken = 0;
    FGDIPlusHookToken = 0;
  }
}

void GdiPlusUnload() {
  if (FGDIPresent) {
    if (FGdiPlusHook.NotificationUnhook) FGdiPlusHook.NotificationUnhook(FGDIPlusHookToken);
    GdiplusShutdown(FGDIPlusToken);
  }
  if (FGDIPlusLibrary) {
    FreeLibrary(FGDIPlusLibrary);
    FGDIPlusLibrary = nullptr;
  }
  FGDIPresent = false;
  FGdiPlusHook = {};
  FGDIPlusToken = 0;
  FGDIPlusHookToken = 0;
  GdipApiClearEntries();
}

bool CheckGdiPlus(bool AHaltOnError) {
  if (!FGDIPresent) GdiPlusLoad();
  const bool result = FGDIPresent;
  if (!result && AHaltOnError) {
    const String text =
        u"This application requires the Microsoft GDI+ library to be installed. Gdiplus.dll is included with "
        u"Windows XP and Vista. GDI+ is available as a redistributable file for Windows NT 4.0 SP6, Windows "
        u"2000, "
        u"Windows 98, and Windows Me. Please install the GDI+ redistributable package and start the "
        u"application "
        u"again.";
    MessageBoxW(nullptr, text.c_str(), u"Application Error", MB_TASKMODAL | MB_ICONERROR);
    std::exit(1);
  }
  return result;
}

Status GetEncoderID(const String& AMimeType, TdxGpClassID& AClassID) {
  if (!CheckGdiPlus(false)) return gdiplus::GenericError;
  return GdipApiFindCodec(AMimeType, AClassID, GdipGetImageEncodersSize, GdipGetImageEncoders);
}

Status GetDecoderID(const String& AMimeType, TdxGpClassID& AClassID) {
  if (!CheckGdiPlus(false)) return gdiplus::GenericError;
  return GdipApiFindCodec(AMimeType, AClassID, GdipGetImageDecodersSize, GdipGetImageDecoders);
}

bool IsCodecIDValid(const TdxGpClassID& AClassID) {
  return AClassID.Data1 != 0 || AClassID.Data2 != 0 || AClassID.Data3 != 0;
}

Status CheckEncoder(const String& AMimeType, TdxGpClassID& AClassID) {
  return IsCodecIDValid(AClassID) ? gdiplus::Ok : GetEncoderID(AMimeType, AClassID);
}

Status CheckDecoder(const String& AMimeType, TdxGpClassID& AClassID) {
  return IsCodecIDValid(AClassID) ? gdiplus::Ok : GetDecoderID(AMimeType, AClassID);
}

void CheckImageCodecs() {
  GdipCheck(CheckEncoder(u"image/png", PNGEncoder));
  GdipCheck(CheckDecoder(u"image/png", PNGDecoder));
  GdipApiOptionalEncoder(u"image/bmp", BMPEncoder);
  GdipApiOptionalDecoder(u"image/bmp", BMPDecoder);
  GdipApiOptionalEncoder(u"image/gif", GIFEncoder);
  GdipApiOptionalDecoder(u"image/gif", GIFDecoder);
  GdipApiOptionalEncoder(u"image/jpeg", JPEGEncoder);
  GdipApiOptionalDecoder(u"image/jpeg", JPEGDecoder);
  GdipApiOptionalEncoder(u"image/tiff", TIFFEncoder);
  GdipApiOptionalDecoder(u"image/tiff", TIFFDecoder);
  GdipApiOptionalDecoder(u"image/x-emf", EMFDecoder);
  GdipApiOptionalDecoder(u"image/x-wmf", WMFDecoder);
  GdipApiOptionalDecoder(u"image/x-icon", ICONDecoder);
}

void CheckPngCodec() {
  CheckImageCodecs();
}

GpBitmap* dxGpCreateBitmap(int32_t AWidth, int32_t AHeight) {
  GpBitmap* result = nullptr;
  if (!CheckGdiPlus(false)) GdipCheck(gdiplus::GdiplusNotInitialized);
  GdipCheck(GdipCreateBitmapFromScan0(AWidth, AHeight, 0, 0x000E200B, nullptr, &result));
  return result;
}

GpBitmap* dxGpCreateBitmap(const TSize& ASize) {
  return dxGpCreateBitmap(ASize.cx, ASize.cy);
}
GpBitmap* dxGpCreateBitmap(const TRect& R) {
  return dxGpCreateBitmap(R.Right - R.Left, R.Bottom - R.Top);
}

// ---- TdxGpBase -----------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGpBase)

TdxGpBase::TdxGpBase() {
  if (GdipApiPending.Object == this) {
    FIsGpUsed = GdipApiPending.GpUsed;
    GdipApiPending = {};
  }
}

void* TdxGpBase::operator new(std::size_t ASize) {
  const bool gp = FGDIPresent && GdipAlloc;
  void* block = gp ? GdipAlloc(ASize + kGdipApiHeader) : std::malloc(ASize + kGdipApiHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<bool*>(block) = gp;
  void* object = static_cast<char*>(block) + kGdipApiHeader;
  GdipApiPending = {object, gp};
  return object;
}

void TdxGpBase::operator delete(void* APointer) {
  if (!APointer) return;
  void* block = static_cast<char*>(APointer) - kGdipApiHeader;
  if (*static_cast<bool*>(block)) {
    // GDI+ may have been unloaded since; its heap outlives the binding.
    gdiplus::GdipFree(block);
  } else {
    std::free(block);
  }
}

namespace dxGDIPlusAPI {
void Initialize() {
  FGDIPresent = false;
}
void Finalize() {
  GdiPlusUnload();
}
}  // namespace dxGDIPlusAPI

}  // namespace qd
