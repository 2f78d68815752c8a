// The choice of the capture backend, the synthetic cameras and the pixel conversions.
#include "platform/media/capture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/gdiplus/codec_io.h"

namespace qd::media {

std::unique_ptr<TCaptureBackend> CreateV4L2Backend();

namespace {

std::unique_ptr<TCaptureBackend>& BackendSlot() {
  static std::unique_ptr<TCaptureBackend> backend;
  return backend;
}

std::unique_ptr<TCaptureBackend> CreateBackendFromEnvironment() {
  const char* choice = std::getenv("QD_CAMERA");
  if (choice && std::string_view(choice) == "synthetic") {
    int count = 1;
    if (const char* n = std::getenv("QD_CAMERA_COUNT")) count = std::clamp(std::atoi(n), 0, 8);
    std::vector<TSyntheticCamera> cameras(static_cast<size_t>(count));
    for (int i = 1; i < count; ++i)
      cameras[static_cast<size_t>(i)].Name = String(u"Synthetic Camera ") + String(1, char16_t(u'1' + i));
    return std::make_unique<TSyntheticCameras>(std::move(cameras));
  }
  return CreateV4L2Backend();
}

}  // namespace

TCaptureBackend& CaptureBackend() {
  auto& slot = BackendSlot();
  if (!slot) slot = CreateBackendFromEnvironment();
  return *slot;
}

void SetCaptureBackend(std::unique_ptr<TCaptureBackend> ABackend) {
  BackendSlot() = std::move(ABackend);
}

// --- Synthetic cameras ------------------------------------------------------------------------

class TSyntheticDevice;

struct TSyntheticCameras::TState {
  std::vector<TSyntheticCamera>* Cameras = nullptr;
  // The scripts devices see once their cameras' object is gone: cameras that do nothing.
  std::vector<TSyntheticCamera> Orphaned;
  std::vector<bool> Plugged;
  std::vector<TSyntheticDevice*> Open;
};

class TSyntheticDevice : public TCaptureDevice {
 public:
  TSyntheticDevice(std::shared_ptr<TSyntheticCameras::TState> AState, size_t AIndex)
      : FState(std::move(AState)), FIndex(AIndex) {
    FState->Open.push_back(this);
    FSize = Script().Sizes.empty() ? TCaptureSize{} : Script().Sizes.front();
  }
  ~TSyntheticDevice() override { std::erase(FState->Open, this); }

  const TSyntheticCamera& Script() const { return FState->Cameras->at(FIndex); }
  size_t Index() const { return FIndex; }
  bool IsStreaming() const { return FStreaming; }

  uint32_t FormatCode() override { return Script().FormatCode; }
  std::vector<TCaptureSize> Sizes() override { return Script().Sizes; }
  TCaptureSize CurrentSize() override { return FSize; }
  bool SetSize(const TCaptureSize& ASize) override {
    const auto& sizes = Script().Sizes;
    if (std::find(sizes.begin(), sizes.end(), ASize) == sizes.end()) return false;
    FSize = ASize;
    return true;
  }
  bool Start() override {
    if (Script().StartFails || !FState->Plugged[FIndex]) return false;
    FStreaming = true;
    FRequests = 0;
    FFrames = 0;
    return true;
  }
  void Stop() override { FStreaming = false; }

  bool LatestFrame(TCaptureFrame& AFrame) override {
    const TSyntheticCamera& s = Script();
    if (!FStreaming || !FState->Plugged[FIndex] || s.Busy) return false;
    if (FRequests++ < s.FirstFrameAfter) return false;
    if (s.StopAfterFrames >= 0 && FFrames >= s.StopAfterFrames) return false;
    ++FFrames;
    if (s.EmptyFrames) {
      AFrame = TCaptureFrame{};
      return true;
    }
    const int32_t w = FSize.Width, h = FSize.Height;
    const int32_t bpp = std::max(1, s.BytesPerPixel);
    AFrame.Width = w;
    AFrame.Height = h;
    AFrame.Data.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * static_cast<size_t>(bpp), 0);
    // Eight colour bars, a moving white bar, a dark band at the bottom.
    static constexpr uint32_t kBars[8] = {0xC0C0C0, 0xC0C000, 0x00C0C0, 0x00C000,
                                          0xC000C0, 0xC00000, 0x0000C0, 0x101010};
    const int32_t moving = w > 0 ? static_cast<int32_t>((static_cast<int64_t>(FFrames) * 8) % w) : 0;
    for (int32_t row = 0; row < h; ++row) {
      const int32_t y = h - 1 - row;  // stored bottom-up
      uint8_t* p =
          AFrame.Data.data() + static_cast<size_t>(row) * static_cast<size_t>(w) * static_cast<size_t>(bpp);
      for (int32_t x = 0; x < w; ++x, p += bpp) {
        uint32_t c = kBars[std::min(7, x * 8 / std::max(1, w))];
        if (y >= h * 3 / 4) c = 0x202020;
        if (x >= moving && x < moving + std::max(1, w / 40)) c = 0xFFFFFF;
        p[0] = static_cast<uint8_t>(c);
        if (bpp > 1) p[1] = static_cast<uint8_t>(c >> 8);
        if (bpp > 2) p[2] = static_cast<uint8_t>(c >> 16);
      }
    }
    return true;
  }

 private:
  std::shared_ptr<TSyntheticCameras::TState> FState;
  size_t FIndex;
  TCaptureSize FSize;
  bool FStreaming = false;
  int32_t FRequests = 0;
  int32_t FFrames = 0;
};

TSyntheticCameras::TSyntheticCameras(std::vector<TSyntheticCamera> ACameras)
    : FCameras(std::move(ACameras)), FState(std::make_shared<TState>()) {
  FState->Cameras = &FCameras;
  FState->Plugged.assign(FCameras.size(), true);
}

TSyntheticCameras::~TSyntheticCameras() {
  // Devices still open keep the state but no longer see the scripts.
  FState->Orphaned.assign(FState->Plugged.size(), TSyntheticCamera{});
  FState->Cameras = &FState->Orphaned;
  FState->Plugged.assign(FState->Plugged.size(), false);
}

std::vector<TCaptureDeviceInfo> TSyntheticCameras::Enumerate() {
  std::vector<TCaptureDeviceInfo> list;
  for (size_t i = 0; i < FCameras.size(); ++i)
    if (FState->Plugged[i]) list.push_back({"synthetic:" + std::to_string(i), FCameras[i].Name});
  return list;
}

std::unique_ptr<TCaptureDevice> TSyntheticCameras::Open(const TCaptureDeviceInfo& ADevice) {
  if (ADevice.Id.rfind("synthetic:", 0) != 0) return nullptr;
  const size_t index = static_cast<size_t>(std::atoi(ADevice.Id.c_str() + 10));
  if (index >= FCameras.size() || !FState->Plugged[index] || FCameras[index].Unopenable) return nullptr;
  return std::make_unique<TSyntheticDevice>(FState, index);
}

void TSyntheticCameras::Unplug(size_t AIndex) {
  if (AIndex >= FCameras.size() || !FState->Plugged[AIndex]) return;
  FState->Plugged[AIndex] = false;
  const std::vector<TSyntheticDevice*> open = FState->Open;
  for (TSyntheticDevice* d : open)
    if (d->Index() == AIndex && d->OnLost) d->OnLost(false);
}

void TSyntheticCameras::Replug(size_t AIndex) {
  if (AIndex >= FCameras.size() || FState->Plugged[AIndex]) return;
  FState->Plugged[AIndex] = true;
  const std::vector<TSyntheticDevice*> open = FState->Open;
  for (TSyntheticDevice* d : open)
    if (d->Index() == AIndex && d->OnLost) d->OnLost(true);
}

int32_t TSyntheticCameras::Streaming(size_t AIndex) const {
  int32_t n = 0;
  for (TSyntheticDevice* d : FState->Open)
    if (d->Index() == AIndex && d->IsStreaming()) ++n;
  return n;
}

// --- Conversions -----------------------------------------------------------------------------

namespace {

uint8_t Clamp255(int32_t v) {
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

// BT.601 studio range.
void YuvToBgr(int32_t y, int32_t u, int32_t v, uint8_t* out) {
  const int32_t c = (y - 16) * 298;
  const int32_t d = u - 128;
  const int32_t e = v - 128;
  out[2] = Clamp255((c + 409 * e + 128) >> 8);
  out[1] = Clamp255((c - 100 * d - 208 * e + 128) >> 8);
  out[0] = Clamp255((c + 516 * d + 128) >> 8);
  out[3] = 0;
}

bool SizeOk(size_t ASize, int32_t AWidth, int32_t AHeight, size_t AStride, size_t ARowBytes) {
  if (AWidth <= 0 || AHeight <= 0 || AStride < ARowBytes) return false;
  return ASize >= AStride * static_cast<size_t>(AHeight - 1) + ARowBytes;
}

}  // namespace

bool ConvertYUYV(const uint8_t* ASource, size_t ASize, int32_t AWidth, int32_t AHeight, size_t AStride,
                 std::vector<uint8_t>& ATarget) {
  const size_t rowBytes = static_cast<size_t>((AWidth + 1) / 2) * 4;
  if (!SizeOk(ASize, AWidth, AHeight, AStride, rowBytes)) return false;
  ATarget.assign(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight) * 4, 0);
  for (int32_t y = 0; y < AHeight; ++y) {
    const uint8_t* s = ASource + AStride * static_cast<size_t>(y);
    uint8_t* d = ATarget.data() + static_cast<size_t>(AHeight - 1 - y) * static_cast<size_t>(AWidth) * 4;
    for (int32_t x = 0; x < AWidth; x += 2, s += 4) {
      YuvToBgr(s[0], s[1], s[3], d + static_cast<size_t>(x) * 4);
      if (x + 1 < AWidth) YuvToBgr(s[2], s[1], s[3], d + static_cast<size_t>(x + 1) * 4);
    }
  }
  return true;
}

bool ConvertRGB24(const uint8_t* ASource, size_t ASize, int32_t AWidth, int32_t AHeight, size_t AStride,
                  bool ABgr, std::vector<uint8_t>& ATarget) {
  const size_t rowBytes = static_cast<size_t>(AWidth) * 3;
  if (!SizeOk(ASize, AWidth, AHeight, AStride, rowBytes)) return false;
  ATarget.assign(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight) * 4, 0);
  for (int32_t y = 0; y < AHeight; ++y) {
    const uint8_t* s = ASource + AStride * static_cast<size_t>(y);
    uint8_t* d = ATarget.data() + static_cast<size_t>(AHeight - 1 - y) * static_cast<size_t>(AWidth) * 4;
    for (int32_t x = 0; x < AWidth; ++x, s += 3, d += 4) {
      d[0] = ABgr ? s[0] : s[2];
      d[1] = s[1];
      d[2] = ABgr ? s[2] : s[0];
    }
  }
  return true;
}

bool ConvertMJPEG(const uint8_t* ASource, size_t ASize, int32_t AWidth, int32_t AHeight,
                  std::vector<uint8_t>& ATarget) {
  codecs::Image image;
  if (codecs::Decode(codecs::ByteSpan(ASource, ASize), image) != codecs::Status::Ok || image.Frames.empty())
    return false;
  const codecs::Frame& f = image.Frames.front();
  if (f.Width != AWidth || f.Height != AHeight) return false;
  ATarget.assign(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight) * 4, 0);
  for (int32_t y = 0; y < AHeight; ++y) {
    const uint32_t* s = f.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(AWidth);
    uint8_t* d = ATarget.data() + static_cast<size_t>(AHeight - 1 - y) * static_cast<size_t>(AWidth) * 4;
    for (int32_t x = 0; x < AWidth; ++x, d += 4) {
      const uint32_t c = s[x] & 0x00FFFFFFu;
      std::memcpy(d, &c, 4);
    }
  }
  return true;
}

}  // namespace qd::media
