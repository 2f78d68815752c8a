#pragma once
// The capture backends under the media-graph objects of strmif.h: what devices exist, what
// sizes they offer in their current pixel format, and their latest frame as 32-bit RGB rows
// from the bottom up.
//
// The backend is chosen on first use: QD_CAMERA=synthetic selects the synthetic cameras
// (QD_CAMERA_COUNT of them, 1 by default; 0 gives a machine without a camera), anything else
// the Video4Linux2 devices /dev/video*. Tests install their own synthetic cameras with
// SetCaptureBackend.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/strings.h"

namespace qd::media {

struct TCaptureSize {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TCaptureSize&, const TCaptureSize&) = default;
};

// One frame: Data holds the rows bottom-up, 4 bytes a pixel (B, G, R, unused) for a proper
// frame; a backend may hand over anything else, which the reader then refuses.
struct TCaptureFrame {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Data;
};

// A device as listed: Id opens it; Name is empty when the device's name cannot be read.
struct TCaptureDeviceInfo {
  std::string Id;
  std::optional<String> Name;
};

// An opened device. Every call comes from the user-interface thread.
class TCaptureDevice {
 public:
  virtual ~TCaptureDevice() = default;
  // The four-character code of the device's current pixel format.
  virtual uint32_t FormatCode() = 0;
  // The sizes offered in the current pixel format, in the device's order.
  virtual std::vector<TCaptureSize> Sizes() = 0;
  virtual TCaptureSize CurrentSize() = 0;
  virtual bool SetSize(const TCaptureSize& ASize) = 0;
  // Starts delivering frames. False when the device cannot stream at all; a device that is
  // busy starts and delivers nothing.
  virtual bool Start() = 0;
  virtual void Stop() = 0;
  // The latest frame since Start; False while none arrived.
  virtual bool LatestFrame(TCaptureFrame& AFrame) = 0;
  // The device went away; the handler is called once, on the user-interface thread.
  std::function<void(bool AAvailable)> OnLost;
};

class TCaptureBackend {
 public:
  virtual ~TCaptureBackend() = default;
  // Scans afresh.
  virtual std::vector<TCaptureDeviceInfo> Enumerate() = 0;
  // nullptr when the device cannot be opened.
  virtual std::unique_ptr<TCaptureDevice> Open(const TCaptureDeviceInfo& ADevice) = 0;
};

// The backend in use (created on first use from QD_CAMERA).
TCaptureBackend& CaptureBackend();
// Replaces the backend; nullptr goes back to the choice by QD_CAMERA on next use.
void SetCaptureBackend(std::unique_ptr<TCaptureBackend> ABackend);

// --- Synthetic cameras ------------------------------------------------------------------------

// How one synthetic camera behaves. Frames show a test pattern with a moving bar whose
// position follows the frame counter, so consecutive frames differ and tests stay exact.
struct TSyntheticCamera {
  std::optional<String> Name = String(u"Synthetic Camera");
  std::vector<TCaptureSize> Sizes = {{320, 240}, {640, 480}, {160, 120}};
  uint32_t FormatCode = 0x56595559;  // "YUYV"
  // Opening fails (the device cannot be bound).
  bool Unopenable = false;
  // Starting fails.
  bool StartFails = false;
  // Used by another program: starts, never delivers a frame.
  bool Busy = false;
  // Frames arrive from the N-th frame request after the start on (0: from the first).
  int32_t FirstFrameAfter = 0;
  // After this many frames no new frame arrives and the device reports none (-1: never).
  int32_t StopAfterFrames = -1;
  // Frames of 0 x 0 pixels.
  bool EmptyFrames = false;
  // Bytes a pixel in the delivered data (anything but 4 is a foreign format).
  int32_t BytesPerPixel = 4;
};

class TSyntheticCameras : public TCaptureBackend {
 public:
  explicit TSyntheticCameras(std::vector<TSyntheticCamera> ACameras = {TSyntheticCamera{}});
  ~TSyntheticCameras() override;

  std::vector<TCaptureDeviceInfo> Enumerate() override;
  std::unique_ptr<TCaptureDevice> Open(const TCaptureDeviceInfo& ADevice) override;

  // The script of a camera; changes apply to the next call on its devices.
  TSyntheticCamera& Camera(size_t AIndex) { return FCameras.at(AIndex); }
  size_t Count() const { return FCameras.size(); }
  // Unplugs the camera: it leaves the list, its open devices report the loss and deliver
  // no more frames.
  void Unplug(size_t AIndex);
  // Plugs it in again: listed again; open devices hear that it is available.
  void Replug(size_t AIndex);
  // How many devices of the camera are open and streaming now.
  int32_t Streaming(size_t AIndex) const;

  struct TState;

 private:
  std::vector<TSyntheticCamera> FCameras;
  std::shared_ptr<TState> FState;
};

// --- Conversion to 32-bit RGB ---------------------------------------------------------------

// Each converts a top-down source of W x H pixels into bottom-up B, G, R, 0 rows; False when
// the source is shorter than the size asks.
bool ConvertYUYV(const uint8_t* ASource, size_t ASize, int32_t AWidth, int32_t AHeight, size_t AStride,
                 std::vector<uint8_t>& ATarget);
// ABgr: the bytes are B, G, R (else R, G, B).
bool ConvertRGB24(const uint8_t* ASource, size_t ASize, int32_t AWidth, int32_t AHeight, size_t AStride,
                  bool ABgr, std::vector<uint8_t>& ATarget);
// A JPEG picture (motion-JPEG frame) of the given size.
bool ConvertMJPEG(const uint8_t* ASource, size_t ASize, int32_t AWidth, int32_t AHeight,
                  std::vector<uint8_t>& ATarget);

}  // namespace qd::media
