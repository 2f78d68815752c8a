// Video4Linux2 capture devices through the kernel's interface: the device nodes
// /dev/video*, their card name, the frame sizes of the current pixel format, and memory-mapped
// streaming on a thread of its own that keeps the latest frame converted to 32-bit RGB.
//
// The node is opened for streaming at Start, not when the device is bound, so a device that
// another program holds (EBUSY) starts and delivers no frames, as busy devices do elsewhere.
#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/media/capture.h"

namespace qd::media {

namespace {

int Ioctl(int AFd, unsigned long ARequest, void* AArg) {
  int r;
  do {
    r = ioctl(AFd, ARequest, AArg);
  } while (r == -1 && errno == EINTR);
  return r;
}

class TFd {
 public:
  explicit TFd(const std::string& APath, int AFlags = O_RDWR | O_NONBLOCK | O_CLOEXEC)
      : FFd(::open(APath.c_str(), AFlags)) {}
  ~TFd() {
    if (FFd >= 0) ::close(FFd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return FFd; }
  explicit operator bool() const { return FFd >= 0; }

 private:
  int FFd;
};

bool IsCaptureNode(int AFd, v4l2_capability& ACap) {
  std::memset(&ACap, 0, sizeof(ACap));
  if (Ioctl(AFd, VIDIOC_QUERYCAP, &ACap) != 0) return false;
  const uint32_t caps = (ACap.capabilities & V4L2_CAP_DEVICE_CAPS) ? ACap.device_caps : ACap.capabilities;
  return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING);
}

bool IsSupportedFormat(uint32_t AFourCC) {
  return AFourCC == V4L2_PIX_FMT_YUYV || AFourCC == V4L2_PIX_FMT_MJPEG || AFourCC == V4L2_PIX_FMT_RGB24 ||
         AFourCC == V4L2_PIX_FMT_BGR24;
}

class TV4L2Device : public TCaptureDevice {
 public:
  explicit TV4L2Device(std::string APath) : FPath(std::move(APath)) {
    TFd fd(FPath);
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (fd && Ioctl(fd.Get(), VIDIOC_G_FMT, &fmt) == 0) {
      FFormat = fmt.fmt.pix.pixelformat;
      FSize = {static_cast<int32_t>(fmt.fmt.pix.width), static_cast<int32_t>(fmt.fmt.pix.height)};
      // A format this side cannot convert gives way to one it can, when the device has it.
      if (!IsSupportedFormat(FFormat)) {
        v4l2_fmtdesc desc{};
        desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        for (desc.index = 0; Ioctl(fd.Get(), VIDIOC_ENUM_FMT, &desc) == 0; ++desc.index)
          if (IsSupportedFormat(desc.pixelformat)) {
            FFormat = desc.pixelformat;
            break;
          }
      }
      v4l2_frmsizeenum fs{};
      fs.pixel_format = FFormat;
      for (fs.index = 0; Ioctl(fd.Get(), VIDIOC_ENUM_FRAMESIZES, &fs) == 0; ++fs.index) {
        if (fs.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
          FSizes.push_back(
              {static_cast<int32_t>(fs.discrete.width), static_cast<int32_t>(fs.discrete.height)});
        } else {
          FSizes.push_back(
              {static_cast<int32_t>(fs.stepwise.max_width), static_cast<int32_t>(fs.stepwise.max_height)});
          break;
        }
      }
      if (FSizes.empty() && FSize.Width > 0) FSizes.push_back(FSize);
    }
  }
  ~TV4L2Device() override { Stop(); }

  uint32_t FormatCode() override { return FFormat; }
  std::vector<TCaptureSize> Sizes() override { return FSizes; }
  TCaptureSize CurrentSize() override { return FSize; }
  bool SetSize(const TCaptureSize& ASize) override {
    if (ASize.Width <= 0 || ASize.Height <= 0) return false;
    FSize = ASize;
    return true;
  }

  bool Start() override {
    Stop();
    if (!std::filesystem::exists(FPath)) return false;
    FStop = false;
    FLostReported = false;
    FLost = false;
    FThread = std::thread([this] { Stream(); });
    return true;
  }

  void Stop() override {
    if (FThread.joinable()) {
      FStop = true;
      FThread.join();
    }
  }

  bool LatestFrame(TCaptureFrame& AFrame) override {
    if (FLost && !FLostReported) {
      FLostReported = true;
      if (OnLost) OnLost(false);  // may free this device
      return false;
    }
    std::lock_guard<std::mutex> g(FLock);
    if (!FHasFrame) return false;
    AFrame = FFrame;
    return true;
  }

 private:
  struct TBuffer {
    void* Start = MAP_FAILED;
    size_t Length = 0;
  };

  // The streaming thread: opens the node, sets the format, maps the buffers and keeps the
  // latest converted frame until asked to stop or the device goes away.
  void Stream() {
    TFd fd(FPath);
    if (!fd) {
      if (errno == ENODEV || errno == ENOENT) FLost = true;
      return;
    }
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    fmt.fmt.pix.width = static_cast<uint32_t>(FSize.Width);
    fmt.fmt.pix.height = static_cast<uint32_t>(FSize.Height);
    fmt.fmt.pix.pixelformat = FFormat;
    fmt.fmt.pix.field = V4L2_FIELD_ANY;
    if (Ioctl(fd.Get(), VIDIOC_S_FMT, &fmt) != 0) return;  // EBUSY: no frames
    const int32_t w = static_cast<int32_t>(fmt.fmt.pix.width), h = static_cast<int32_t>(fmt.fmt.pix.height);
    const uint32_t format = fmt.fmt.pix.pixelformat;
    const size_t stride = fmt.fmt.pix.bytesperline ? fmt.fmt.pix.bytesperline : 0;
    v4l2_requestbuffers req{};
    req.count = 4;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (Ioctl(fd.Get(), VIDIOC_REQBUFS, &req) != 0 || req.count == 0) return;
    std::vector<TBuffer> buffers(req.count);
    bool ok = true;
    for (uint32_t i = 0; i < req.count && ok; ++i) {
      v4l2_buffer b{};
      b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
      b.memory = V4L2_MEMORY_MMAP;
      b.index = i;
      ok = Ioctl(fd.Get(), VIDIOC_QUERYBUF, &b) == 0;
      if (!ok) break;
      buffers[i].Length = b.length;
      buffers[i].Start = mmap(nullptr, b.length, PROT_READ | PROT_WRITE, MAP_SHARED, fd.Get(), b.m.offset);
      ok = buffers[i].Start != MAP_FAILED && Ioctl(fd.Get(), VIDIOC_QBUF, &b) == 0;
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (ok) ok = Ioctl(fd.Get(), VIDIOC_STREAMON, &type) == 0;
    std::vector<uint8_t> converted;
    while (ok && !FStop) {
      pollfd p{fd.Get(), POLLIN, 0};
      const int r = ::poll(&p, 1, 100);
      if (r < 0 && errno != EINTR) break;
      if (r <= 0) continue;
      if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
        FLost = true;
        break;
      }
      v4l2_buffer b{};
      b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
      b.memory = V4L2_MEMORY_MMAP;
      if (Ioctl(fd.Get(), VIDIOC_DQBUF, &b) != 0) {
        if (errno == EAGAIN) continue;
        if (errno == ENODEV) FLost = true;
        break;
      }
      const uint8_t* data = static_cast<const uint8_t*>(buffers[b.index].Start);
      const size_t used = std::min<size_t>(b.bytesused, buffers[b.index].Length);
      bool done = false;
      if (format == V4L2_PIX_FMT_YUYV)
        done = ConvertYUYV(data, used, w, h, stride ? stride : static_cast<size_t>(w) * 2, converted);
      else if (format == V4L2_PIX_FMT_RGB24 || format == V4L2_PIX_FMT_BGR24)
        done = ConvertRGB24(data, used, w, h, stride ? stride : static_cast<size_t>(w) * 3,
                            format == V4L2_PIX_FMT_BGR24, converted);
      else if (format == V4L2_PIX_FMT_MJPEG)
        done = ConvertMJPEG(data, used, w, h, converted);
      if (done) {
        std::lock_guard<std::mutex> g(FLock);
        FFrame.Width = w;
        FFrame.Height = h;
        FFrame.Data.swap(converted);
        FHasFrame = true;
      }
      if (Ioctl(fd.Get(), VIDIOC_QBUF, &b) != 0) {
        if (errno == ENODEV) FLost = true;
        break;
      }
    }
    Ioctl(fd.Get(), VIDIOC_STREAMOFF, &type);
    for (TBuffer& b : buffers)
      if (b.Start != MAP_FAILED) munmap(b.Start, b.Length);
  }

  std::string FPath;
  uint32_t FFormat = 0;
  TCaptureSize FSize;
  std::vector<TCaptureSize> FSizes;
  std::thread FThread;
  std::atomic<bool> FStop{false};
  std::atomic<bool> FLost{false};
  bool FLostReported = false;
  std::mutex FLock;
  TCaptureFrame FFrame;
  bool FHasFrame = false;
};

class TV4L2Backend : public TCaptureBackend {
 public:
  std::vector<TCaptureDeviceInfo> Enumerate() override {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator("/dev", ec)) {
      const std::string name = e.path().filename().string();
      if (name.rfind("video", 0) == 0 && name.size() > 5) paths.push_back(e.path().string());
    }
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
      return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    std::vector<TCaptureDeviceInfo> list;
    for (const std::string& path : paths) {
      TFd fd(path);
      v4l2_capability cap;
      if (!fd) {
        // Present but not readable (permissions): listed without a name.
        if (errno == EACCES) list.push_back({path, std::nullopt});
        continue;
      }
      if (!IsCaptureNode(fd.Get(), cap)) continue;
      const char* card = reinterpret_cast<const char*>(cap.card);
      const std::string text(card, strnlen(card, sizeof(cap.card)));
      list.push_back({path, Utf8ToString(text)});
    }
    return list;
  }

  std::unique_ptr<TCaptureDevice> Open(const TCaptureDeviceInfo& ADevice) override {
    TFd fd(ADevice.Id);
    v4l2_capability cap;
    if (!fd || !IsCaptureNode(fd.Get(), cap)) return nullptr;
    auto device = std::make_unique<TV4L2Device>(ADevice.Id);
    if (!IsSupportedFormat(device->FormatCode())) return nullptr;
    return device;
  }
};

}  // namespace

std::unique_ptr<TCaptureBackend> CreateV4L2Backend() {
  return std::make_unique<TV4L2Backend>();
}

}  // namespace qd::media
