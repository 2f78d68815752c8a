#pragma once
// Fixture for the camera tests: the control framework on the virtual clock, synthetic cameras
// scripted per test, and the camera unit started and shut down around each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/media/capture.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/editors/concrete/dxCameraControl.h"

namespace qd::testing {

class CameraTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    // The settings button's picture is a PNG decoded through the smart-image codecs.
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
    Cameras({media::TSyntheticCamera{}});
    dxCameraControl::Initialize();
  }
  void TearDown() override {
    // The forms (and their camera controls) go before the camera unit.
    forms::Finalize();
    forms::Initialize();
    dxCameraControl::Finalize();
    media::SetCaptureBackend(nullptr);
    forms::Finalize();
    forms::Initialize();
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    BaseControlTest::TearDown();
    GdiPlusUnload();
  }

  // Installs synthetic cameras with these scripts.
  media::TSyntheticCameras& Cameras(std::vector<media::TSyntheticCamera> AScripts) {
    auto backend = std::make_unique<media::TSyntheticCameras>(std::move(AScripts));
    cameras_ = backend.get();
    media::SetCaptureBackend(std::move(backend));
    return *cameras_;
  }
  media::TSyntheticCameras& Cameras() { return *cameras_; }

  // A shown form holding one camera control of the given size.
  TdxCameraControl* NewControl(int32_t ADeviceIndex = 0, int AWidth = 200, int AHeight = 150) {
    TForm* form = NewPlainForm(AWidth + 20, AHeight + 20);
    auto* control = new TdxCameraControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, AWidth, AHeight);
    control->SetDeviceIndex(ADeviceIndex);
    ShowAndUpdate(form);
    return control;
  }

  // Runs the clock by whole polls of 100 ms.
  void Polls(int ACount) { Run(100 * static_cast<uint64_t>(ACount), 50); }

  // Records the control's state changes.
  struct StateLog {
    std::vector<TdxCameraControlState> States;
    TdxCameraControl* Control = nullptr;
    void Changed(TObject*) { States.push_back(Control->State()); }
  };
  void Watch(TdxCameraControl* AControl, StateLog& ALog) {
    ALog.Control = AControl;
    AControl->OnStateChanged = TNotifyEvent(&ALog, &StateLog::Changed);
  }

 private:
  media::TSyntheticCameras* cameras_ = nullptr;
};

}  // namespace qd::testing
