// Opens the camera dialog, for trying it by hand: with a display (QD_PLATFORM=x11 or DISPLAY
// set) the dialog is interactive and the program says whether a picture was assigned; with
// --snapshot it runs by itself until the preview is running (at most 5 s), writes the
// dialog's pixels to OUT.png and closes. QD_CAMERA=synthetic uses the synthetic camera.
//
//   camera_demo [--snapshot OUT.png] [--pause]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/classes/streams.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/gdiplus/codec_io.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/dxCameraDialog.h"

using namespace qd;

namespace {

struct SnapshotDriver {
  std::string Path;
  bool Pause = false;
  DWORD Start = GetTickCount();
  bool Written = false;
  bool Ok = false;

  static TfrmCameraDialog* Dialog() {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (auto* d = dynamic_cast<TfrmCameraDialog*>(Screen->Forms(i))) return d;
    return nullptr;
  }

  void Idle(TObject*, bool& Done) {
    TfrmCameraDialog* d = Dialog();
    if (!d || !d->Visible() || Written) return;
    const bool running = d->ccCamera->State() == ccsRunning;
    if (!running && GetTickCount() - Start < 5000) return;
    if (running && Pause) d->btnSnapshot->Click();
    RedrawWindow(d->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const os::WindowPixels px = os::ReadWindowPixels(d->Handle(), true);
    std::vector<uint32_t> pixels = px.pixels;
    for (uint32_t& p : pixels) p |= 0xFF000000u;
    std::vector<uint8_t> out;
    if (codecs::Encode(codecs::MakeImage(px.width, px.height, std::move(pixels)), codecs::ImageFormat::PNG,
                       out) == codecs::Status::Ok) {
      TMemoryStream s;
      s.Write(out.data(), static_cast<int64_t>(out.size()));
      s.SaveToFile(Utf8ToString(Path));
      Ok = true;
    }
    Written = true;
    d->btnCancel->Click();
  }
};

}  // namespace

int main(int argc, char** argv) {
  SnapshotDriver driver;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--snapshot") == 0 && i + 1 < argc) driver.Path = argv[++i];
    if (std::strcmp(argv[i], "--pause") == 0) driver.Pause = true;
  }
  InitializeUnits();
  int code = 0;
  {
    TPicture picture;
    if (!driver.Path.empty()) Application->OnIdle = TIdleEvent(&driver, &SnapshotDriver::Idle);
    const bool assigned = dxShowCameraDialog(&picture);
    Application->OnIdle = TIdleEvent();
    if (!driver.Path.empty()) {
      if (!driver.Ok) {
        std::fprintf(stderr, "camera_demo: cannot write %s\n", driver.Path.c_str());
        code = 1;
      }
    } else if (assigned && picture.Graphic()) {
      std::printf("assigned a picture of %d x %d\n", picture.Graphic()->Width(), picture.Graphic()->Height());
    } else {
      std::printf("nothing assigned\n");
    }
  }
  FinalizeUnits();
  return code;
}
