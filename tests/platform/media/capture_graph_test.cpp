// The media-graph objects over the synthetic cameras: enumeration, binding, the capture
// stream into the sample grabber, stream formats, the device-lost event and the conversions.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdiplus/codec_io.h"
#include "platform/media/capture.h"
#include "platform/media/strmif.h"

namespace qd {
namespace {

using media::TSyntheticCamera;
using media::TSyntheticCameras;

class CaptureGraphTest : public ::testing::Test {
 protected:
  TSyntheticCameras* Install(std::vector<TSyntheticCamera> ACameras) {
    auto backend = std::make_unique<TSyntheticCameras>(std::move(ACameras));
    TSyntheticCameras* raw = backend.get();
    media::SetCaptureBackend(std::move(backend));
    return raw;
  }
  void TearDown() override { media::SetCaptureBackend(nullptr); }

  // The names the device enumerator lists, "?" for one that cannot be read.
  static std::vector<String> ListedNames() {
    std::vector<String> names;
    ComPtr<ICreateDevEnum> devEnum;
    EXPECT_EQ(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC, IID_ICreateDevEnum,
                               devEnum.OutVoid()),
              S_OK);
    ComPtr<IEnumMoniker> list;
    if (devEnum->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, list.Out(), 0) != S_OK) return names;
    ComPtr<IMoniker> m;
    while (list->Next(1, m.Out(), nullptr) == S_OK) {
      ComPtr<IPropertyBag> bag;
      Variant v;
      if (m->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.OutVoid()) == S_OK &&
          bag->Read(u"FriendlyName", &v, nullptr) == S_OK)
        names.push_back(VarToStr(v));
      else
        names.push_back(u"?");
    }
    return names;
  }

  // A running graph: camera 0 -> grabber -> null renderer.
  struct Graph {
    ComPtr<ICaptureGraphBuilder2> Builder;
    ComPtr<IGraphBuilder> Graph;
    ComPtr<IBaseFilter> Camera, Grabber, Renderer;
    ComPtr<ISampleGrabber> Sample;
    ComPtr<IMediaControl> Control;
    ComPtr<IMediaEventEx> Events;
    ComPtr<IAMStreamConfig> Config;
  };
  static bool Build(Graph& g, ULONG AIndex = 0) {
    ComPtr<ICreateDevEnum> devEnum;
    ComPtr<IEnumMoniker> list;
    ComPtr<IMoniker> m;
    return CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, 3, IID_ICreateDevEnum, devEnum.OutVoid()) ==
               S_OK &&
           devEnum->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, list.Out(), 0) == S_OK &&
           (AIndex == 0 || list->Skip(AIndex) == S_OK) && list->Next(1, m.Out(), nullptr) == S_OK &&
           CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, 3, IID_ICaptureGraphBuilder2,
                            g.Builder.OutVoid()) == S_OK &&
           CoCreateInstance(CLSID_FilterGraph, nullptr, 3, IID_IGraphBuilder, g.Graph.OutVoid()) == S_OK &&
           g.Builder->SetFiltergraph(g.Graph.Get()) == S_OK &&
           g.Graph.As(IID_IMediaControl, g.Control) == S_OK &&
           g.Graph.As(IID_IMediaEventEx, g.Events) == S_OK &&
           m->BindToObject(nullptr, nullptr, IID_IBaseFilter, g.Camera.OutVoid()) == S_OK &&
           g.Graph->AddFilter(g.Camera.Get(), u"Video Capture") == S_OK &&
           g.Builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, g.Camera.Get(),
                                    IID_IAMStreamConfig, g.Config.OutVoid()) == S_OK &&
           CoCreateInstance(CLSID_SampleGrabber, nullptr, 3, IID_IBaseFilter, g.Grabber.OutVoid()) == S_OK &&
           g.Graph->AddFilter(g.Grabber.Get(), u"Video Grabber") == S_OK &&
           g.Grabber.As(IID_ISampleGrabber, g.Sample) == S_OK && g.Sample->SetBufferSamples(TRUE) == S_OK &&
           CoCreateInstance(CLSID_NullRenderer, nullptr, 3, IID_IBaseFilter, g.Renderer.OutVoid()) == S_OK &&
           g.Graph->AddFilter(g.Renderer.Get(), u"Null Filter") == S_OK &&
           g.Builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, g.Camera.Get(), g.Grabber.Get(),
                                   g.Renderer.Get()) == S_OK;
  }
  // Size of the frame the grabber holds now, or the failure.
  static HRESULT Grab(Graph& g, long& ASize, int32_t& AWidth, int32_t& AHeight,
                      std::vector<uint8_t>* AData = nullptr) {
    HRESULT hr = g.Sample->GetCurrentBuffer(&ASize, nullptr);
    if (hr != S_OK) return hr;
    AM_MEDIA_TYPE mt;
    hr = g.Sample->GetConnectedMediaType(&mt);
    if (hr != S_OK) return hr;
    VIDEOINFOHEADER vih;
    std::memcpy(&vih, mt.pbFormat, sizeof(vih));
    FreeMediaType(mt);
    AWidth = vih.bmiHeader.biWidth;
    AHeight = vih.bmiHeader.biHeight;
    if (AData) {
      AData->assign(static_cast<size_t>(ASize), 0);
      hr = g.Sample->GetCurrentBuffer(&ASize, reinterpret_cast<long*>(AData->data()));
    }
    return hr;
  }
};

TEST_F(CaptureGraphTest, EnumeratorListsCamerasAndNamesThatCanBeRead) {
  TSyntheticCamera nameless;
  nameless.Name.reset();
  TSyntheticCamera second;
  second.Name = String(u"Second");
  Install({TSyntheticCamera{}, nameless, second});
  EXPECT_EQ(ListedNames(), (std::vector<String>{u"Synthetic Camera", u"?", u"Second"}));
  Install({});
  ComPtr<ICreateDevEnum> devEnum;
  ASSERT_EQ(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, 3, IID_ICreateDevEnum, devEnum.OutVoid()),
            S_OK);
  ComPtr<IEnumMoniker> list;
  EXPECT_EQ(devEnum->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, list.Out(), 0), S_FALSE);
  EXPECT_FALSE(list);
}

TEST_F(CaptureGraphTest, ClassesOutsideTheCapturePathAreNotRegistered) {
  ComPtr<IBaseFilter> f;
  EXPECT_EQ(CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, 3, IID_IBaseFilter, f.OutVoid()),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoCreateInstance(CLSID_NullRenderer, nullptr, 4, IID_IBaseFilter, f.OutVoid()),
            REGDB_E_CLASSNOTREG);
  ComPtr<IGraphBuilder> g;
  ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, 3, IID_IGraphBuilder, g.OutVoid()), S_OK);
  ComPtr<IVideoWindow> w;
  EXPECT_EQ(g.As(IID_IVideoWindow, w), E_NOINTERFACE);
}

TEST_F(CaptureGraphTest, RunningGraphDeliversBottomUpRgb32Frames) {
  Install({TSyntheticCamera{}});
  Graph g;
  ASSERT_TRUE(Build(g));
  long size = 0;
  int32_t w = 0, h = 0;
  EXPECT_EQ(Grab(g, size, w, h), VFW_E_WRONG_STATE) << "not running yet";
  ASSERT_EQ(g.Control->Run(), S_OK);
  std::vector<uint8_t> data;
  ASSERT_EQ(Grab(g, size, w, h, &data), S_OK);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);
  EXPECT_EQ(size, 320 * 240 * 4);
  // The first stored row is the bottom of the picture: the synthetic camera's dark band.
  EXPECT_EQ(data[0], 0x20);
  // The top row (last stored) starts with the light grey bar.
  EXPECT_EQ(data[static_cast<size_t>(239) * 320 * 4 + 1], 0xC0);
  EXPECT_EQ(g.Control->Stop(), S_OK);
  EXPECT_EQ(Grab(g, size, w, h), VFW_E_WRONG_STATE);
}

TEST_F(CaptureGraphTest, ScriptedFaultsShowInTheGrabber) {
  struct Row {
    const char* Name;
    TSyntheticCamera Script;
    HRESULT First;   // the first grab after Run
    long FirstSize;  // its buffer size
  };
  TSyntheticCamera busy;
  busy.Busy = true;
  TSyntheticCamera late;
  late.FirstFrameAfter = 2;
  TSyntheticCamera empty;
  empty.EmptyFrames = true;
  TSyntheticCamera rgb24;
  rgb24.BytesPerPixel = 3;
  const Row rows[] = {{"busy", busy, VFW_E_WRONG_STATE, 0},
                      {"late", late, VFW_E_WRONG_STATE, 0},
                      {"empty", empty, S_OK, 0},
                      {"three bytes a pixel", rgb24, S_OK, 320 * 240 * 3}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    Install({r.Script});
    Graph g;
    ASSERT_TRUE(Build(g));
    ASSERT_EQ(g.Control->Run(), S_OK);
    long size = 0;
    int32_t w, h;
    EXPECT_EQ(Grab(g, size, w, h), r.First);
    if (r.First == S_OK) EXPECT_EQ(size, r.FirstSize);
  }
  TSyntheticCamera failing;
  failing.StartFails = true;
  Install({failing});
  Graph g;
  ASSERT_TRUE(Build(g));
  EXPECT_EQ(g.Control->Run(), E_FAIL);
}

TEST_F(CaptureGraphTest, StreamConfigOffersTheSizesOfTheCurrentFormat) {
  Install({TSyntheticCamera{}});
  Graph g;
  ASSERT_TRUE(Build(g));
  int count = 0, capsSize = 0;
  ASSERT_EQ(g.Config->GetNumberOfCapabilities(&count, &capsSize), S_OK);
  ASSERT_EQ(count, 3);
  ASSERT_EQ(capsSize, static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS)));
  AM_MEDIA_TYPE* current = nullptr;
  ASSERT_EQ(g.Config->GetFormat(&current), S_OK);
  EXPECT_EQ(current->subtype.Data1, 0x56595559u);
  DeleteMediaType(current);
  std::vector<uint8_t> caps(static_cast<size_t>(capsSize));
  AM_MEDIA_TYPE* mt = nullptr;
  ASSERT_EQ(g.Config->GetStreamCaps(1, &mt, caps.data()), S_OK);
  EXPECT_TRUE(mt->formattype == FORMAT_VideoInfo);
  ASSERT_EQ(g.Config->SetFormat(mt), S_OK);
  DeleteMediaType(mt);
  ASSERT_EQ(g.Control->Run(), S_OK);
  long size;
  int32_t w, h;
  ASSERT_EQ(Grab(g, size, w, h), S_OK);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
}

TEST_F(CaptureGraphTest, UnplugQueuesDeviceLostAndPostsTheNotifyMessage) {
  TSyntheticCameras* cams = Install({TSyntheticCamera{}});
  Graph g;
  ASSERT_TRUE(Build(g));
  ASSERT_EQ(g.Control->Run(), S_OK);
  EXPECT_EQ(cams->Streaming(0), 1);
  long code = 0;
  LONG_PTR p1 = 0, p2 = 0;
  EXPECT_EQ(g.Events->GetEvent(&code, &p1, &p2, INFINITE_TIMEOUT), E_ABORT);
  cams->Unplug(0);
  EXPECT_EQ(cams->Streaming(0), 0);
  ASSERT_EQ(g.Events->GetEvent(&code, &p1, &p2, INFINITE_TIMEOUT), S_OK);
  EXPECT_EQ(code, EC_DEVICE_LOST);
  EXPECT_EQ(p2, 0);
  EXPECT_TRUE(ListedNames().empty());
  cams->Replug(0);
  ASSERT_EQ(g.Events->GetEvent(&code, &p1, &p2, INFINITE_TIMEOUT), S_OK);
  EXPECT_EQ(p2, 1);
}

TEST_F(CaptureGraphTest, DevicesOutlivingTheirBackendDeliverNothing) {
  Install({TSyntheticCamera{}});
  Graph g;
  ASSERT_TRUE(Build(g));
  ASSERT_EQ(g.Control->Run(), S_OK);
  long size;
  int32_t w, h;
  ASSERT_EQ(Grab(g, size, w, h), S_OK);
  Install({TSyntheticCamera{}, TSyntheticCamera{}});  // the first backend goes
  EXPECT_EQ(Grab(g, size, w, h), VFW_E_WRONG_STATE);
  EXPECT_EQ(g.Control->Stop(), S_OK);
  EXPECT_EQ(g.Control->Run(), E_FAIL);
}

TEST_F(CaptureGraphTest, RemovingFiltersDisconnectsTheStream) {
  Install({TSyntheticCamera{}});
  Graph g;
  ASSERT_TRUE(Build(g));
  ASSERT_EQ(g.Graph->RemoveFilter(g.Grabber.Get()), S_OK);
  EXPECT_EQ(g.Graph->RemoveFilter(g.Grabber.Get()), VFW_E_NOT_FOUND);
  ComPtr<IEnumFilters> e;
  ASSERT_EQ(g.Graph->EnumFilters(e.Out()), S_OK);
  ComPtr<IBaseFilter> f;
  int n = 0;
  while (e->Next(1, f.Out(), nullptr) == S_OK) ++n;
  EXPECT_EQ(n, 2);
  long size;
  EXPECT_EQ(g.Sample->GetCurrentBuffer(&size, nullptr), VFW_E_WRONG_STATE);
}

TEST(CaptureConversionTest, FormatsBecomeBottomUpRgb32) {
  // Two pixels of YUYV: white then black (Y 235 / 16, neutral chroma), one row; and a 1x2 RGB24.
  const uint8_t yuyv[] = {235, 128, 16, 128};
  std::vector<uint8_t> out;
  ASSERT_TRUE(media::ConvertYUYV(yuyv, sizeof(yuyv), 2, 1, 4, out));
  EXPECT_EQ(out, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 0, 0}));
  const uint8_t rgb[] = {10, 20, 30, 40, 50, 60};  // top pixel, bottom pixel (R, G, B)
  ASSERT_TRUE(media::ConvertRGB24(rgb, sizeof(rgb), 1, 2, 3, false, out));
  EXPECT_EQ(out, (std::vector<uint8_t>{60, 50, 40, 0, 30, 20, 10, 0}));
  EXPECT_FALSE(media::ConvertYUYV(yuyv, 3, 2, 1, 4, out)) << "short source";
  EXPECT_FALSE(media::ConvertRGB24(rgb, sizeof(rgb), 2, 2, 6, true, out)) << "short source";
  EXPECT_FALSE(media::ConvertMJPEG(rgb, sizeof(rgb), 1, 2, out)) << "not a JPEG";
}

TEST(CaptureConversionTest, MotionJpegFramesOfTheExpectedSize) {
  // An 8 x 8 JPEG: red above, blue below.
  std::vector<uint32_t> px(64);
  for (int i = 0; i < 64; ++i) px[static_cast<size_t>(i)] = i < 32 ? 0xFFFF0000u : 0xFF0000FFu;
  std::vector<uint8_t> jpeg;
  codecs::EncodeOptions options;
  options.Quality = 100;
  ASSERT_EQ(codecs::Encode(codecs::MakeImage(8, 8, px), codecs::ImageFormat::JPEG, jpeg, options),
            codecs::Status::Ok);
  std::vector<uint8_t> out;
  ASSERT_TRUE(media::ConvertMJPEG(jpeg.data(), jpeg.size(), 8, 8, out));
  ASSERT_EQ(out.size(), 8u * 8u * 4u);
  // Bottom-up: the first stored row is the blue bottom row (B, G, R).
  EXPECT_GT(out[0], 200);
  EXPECT_LT(out[2], 60);
  const size_t top = 7 * 8 * 4;
  EXPECT_GT(out[top + 2], 200);
  EXPECT_LT(out[top + 0], 60);
  EXPECT_FALSE(media::ConvertMJPEG(jpeg.data(), jpeg.size(), 16, 8, out)) << "another size than announced";
  EXPECT_FALSE(media::ConvertMJPEG(jpeg.data(), 10, 8, 8, out)) << "cut short";
}

}  // namespace
}  // namespace qd
