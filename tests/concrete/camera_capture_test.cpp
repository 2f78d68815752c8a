// The camera manager and the camera against synthetic cameras on the virtual clock: the
// device list, sharing, the first frame at the tenth poll, busy devices, stalls and their
// restart, foreign and empty frames, device loss, and the retry of waiting controls.
#include <gtest/gtest.h>

#include <cstring>

#include "concrete/camera_test_util.h"

namespace qd::testing {
namespace {

using media::TSyntheticCamera;

TSyntheticCamera Named(const char16_t* AName) {
  TSyntheticCamera c;
  c.Name = String(AName);
  return c;
}

TEST_F(CameraTest, WithoutDeviceTheControlWaitsAndIsRetriedEverySecond) {
  Cameras().Unplug(0);
  EXPECT_FALSE(dxIsCameraAvailable());
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  EXPECT_EQ(control->State(), ccsNoDevice);
  EXPECT_TRUE(dxCameraManager()->HasRequest(control));
  Run(3000, 100);
  EXPECT_EQ(control->State(), ccsNoDevice);
  EXPECT_EQ(dxCameraManager()->CameraCount(), 0);
  // Plugged in: the next retry attaches a camera.
  Cameras().Replug(0);
  EXPECT_TRUE(dxIsCameraAvailable());
  Run(1000, 100);
  EXPECT_EQ(control->State(), ccsInitializing);
  EXPECT_FALSE(dxCameraManager()->HasRequest(control));
  EXPECT_FALSE(dxCameraManager()->RequestTimerEnabled());
}

TEST_F(CameraTest, FirstFrameArrivesAfterTheTenthPoll) {
  TdxCameraControl* control = NewControl();
  StateLog log;
  Watch(control, log);
  control->SetActive(true);
  ASSERT_NE(control->Camera(), nullptr);
  EXPECT_EQ(control->State(), ccsInitializing);
  Polls(10);
  // The tenth poll renders the graph and runs it; the frame is taken by the next poll.
  EXPECT_TRUE(control->Camera()->Rendered());
  EXPECT_EQ(control->State(), ccsInitializing);
  Polls(1);
  EXPECT_EQ(control->State(), ccsRunning);
  EXPECT_EQ(log.States, (std::vector<TdxCameraControlState>{ccsInitializing, ccsRunning}));
  TcxBitmap32* preview = control->Camera()->PreviewBitmap();
  EXPECT_EQ(preview->Width(), 320);
  EXPECT_EQ(preview->Height(), 240);
  EXPECT_EQ(control->DeviceName(), u"Synthetic Camera");
  EXPECT_EQ(control->ResolutionCount(), 3);
  EXPECT_EQ(control->Resolutions(2), (TSize{160, 120}));
  EXPECT_EQ(control->Resolutions(3), (TSize{0, 0}));
}

TEST_F(CameraTest, ScriptedDevicesReachTheirStates) {
  // Each camera's state after a number of polls from attaching; a busy or foreign device
  // is reported busy at its thirtieth failed poll, not before.
  struct Row {
    const char* Name;
    TSyntheticCamera Script;
    int PollsBefore;  // the state is still Initializing after these
    TdxCameraControlState Final;
    int PollsAfter;
  };
  TSyntheticCamera busy;
  busy.Busy = true;
  TSyntheticCamera late;
  late.FirstFrameAfter = 5;
  TSyntheticCamera empty;
  empty.EmptyFrames = true;
  TSyntheticCamera rgb24;
  rgb24.BytesPerPixel = 3;
  const Row rows[] = {
      {"busy", busy, 29, ccsDeviceIsBusy, 30},
      {"first frame late", late, 15, ccsRunning, 16},
      {"0 x 0 frames", empty, 29, ccsDeviceIsBusy, 30},
      {"three bytes a pixel", rgb24, 29, ccsDeviceIsBusy, 30},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    Cameras({r.Script});
    TdxCameraControl* control = NewControl();
    control->SetActive(true);
    Polls(r.PollsBefore);
    EXPECT_EQ(control->State(), ccsInitializing);
    Polls(r.PollsAfter - r.PollsBefore);
    EXPECT_EQ(control->State(), r.Final);
    if (r.Final != ccsRunning) {
      // A frame that was not taken leaves the preview empty.
      EXPECT_EQ(control->Camera()->PreviewBitmap()->Width(), 0);
      EXPECT_EQ(control->Camera()->PreviewBitmap()->Height(), 0);
    }
    control->SetActive(false);
    Pump();
  }
}

TEST_F(CameraTest, StalledGraphStaysRunningAndIsRestartedEveryThirtyFailedPolls) {
  TSyntheticCamera stalls;
  stalls.StopAfterFrames = 1;
  Cameras({stalls});
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  TdxCamera* camera = control->Camera();
  Polls(29);
  EXPECT_EQ(camera->FailsCount(), 29);
  EXPECT_EQ(camera->PreviewBitmap()->Width(), 0);
  EXPECT_EQ(control->State(), ccsRunning) << "a device that delivered once is not busy";
  // The thirtieth failed poll stops and runs the graph; the restarted device delivers again.
  Polls(1);
  Polls(1);
  EXPECT_EQ(camera->PreviewBitmap()->Width(), 320);
  EXPECT_EQ(control->State(), ccsRunning);
}

TEST_F(CameraTest, TwoControlsShareOneCameraWhichGoesWithTheLast) {
  TdxCameraControl* a = NewControl();
  TdxCameraControl* b = NewControl();
  a->SetActive(true);
  b->SetActive(true);
  ASSERT_NE(a->Camera(), nullptr);
  EXPECT_EQ(a->Camera(), b->Camera());
  EXPECT_EQ(dxCameraManager()->CameraCount(), 1);
  Polls(11);
  EXPECT_EQ(Cameras().Streaming(0), 1);
  a->SetActive(false);
  Pump();
  EXPECT_EQ(b->State(), ccsRunning);
  EXPECT_EQ(Cameras().Streaming(0), 1);
  b->SetActive(false);
  Pump();
  EXPECT_EQ(dxCameraManager()->CameraCount(), 0);
  EXPECT_EQ(Cameras().Streaming(0), 0);
  EXPECT_EQ(b->State(), ccsInactive);
}

TEST_F(CameraTest, UnreadableNameLeavesTheDeviceOutAndLaterIndicesOpenTheirOwnDevice) {
  TSyntheticCamera nameless;
  nameless.Name.reset();
  Cameras({nameless});
  EXPECT_FALSE(dxIsCameraAvailable()) << "a device without a readable name is not listed";
  Cameras({nameless, Named(u"Second"), Named(u"Third")});
  dxCameraManager()->RefreshDeviceList();
  EXPECT_EQ(dxCameraManager()->Devices(), (std::vector<String>{u"Second", u"Third"}));
  TdxCameraControl* control = NewControl(1);
  control->SetActive(true);
  ASSERT_NE(control->Camera(), nullptr);
  EXPECT_EQ(control->DeviceName(), u"Third");
  Polls(11);
  EXPECT_EQ(Cameras().Streaming(2), 1);
  EXPECT_EQ(Cameras().Streaming(1), 0);
}

TEST_F(CameraTest, UnpluggedDeviceFreesTheCameraAndTheControlWaitsForItAgain) {
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  Cameras().Unplug(0);
  Pump();  // the graph's event, then the camera's release
  Pump();
  EXPECT_EQ(control->Camera(), nullptr);
  EXPECT_EQ(dxCameraManager()->CameraCount(), 0);
  EXPECT_EQ(control->State(), ccsNoDevice);
  EXPECT_TRUE(dxCameraManager()->HasRequest(control));
  Cameras().Replug(0);
  Run(1000, 100);
  ASSERT_NE(control->Camera(), nullptr);
  Polls(11);
  EXPECT_EQ(control->State(), ccsRunning);
}

TEST_F(CameraTest, DeactivatingWhileWaitingWithdrawsTheRequest) {
  Cameras().Unplug(0);
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  ASSERT_TRUE(dxCameraManager()->HasRequest(control));
  control->SetActive(false);
  EXPECT_FALSE(dxCameraManager()->HasRequest(control));
  Cameras().Replug(0);
  Run(2000, 100);
  EXPECT_EQ(control->Camera(), nullptr);
  EXPECT_EQ(control->State(), ccsInactive);
  EXPECT_EQ(dxCameraManager()->CameraCount(), 0);
}

TEST_F(CameraTest, StateHandlerThatDeactivatesInsideThePollIsSafe) {
  TdxCameraControl* control = NewControl();
  struct Stopper {
    TdxCameraControl* Control;
    void Changed(TObject*) {
      if (Control->State() == ccsRunning) Control->SetActive(false);
    }
  } stopper{control};
  control->OnStateChanged = TNotifyEvent(&stopper, &Stopper::Changed);
  control->SetActive(true);
  Polls(12);
  EXPECT_EQ(control->State(), ccsInactive);
  EXPECT_EQ(dxCameraManager()->CameraCount(), 0);
  EXPECT_EQ(Cameras().Streaming(0), 0);
}

TEST_F(CameraTest, ResolutionIndexSwitchesTheFormatAndIgnoresIndicesOutsideTheList) {
  TdxCameraControl* control = NewControl();
  EXPECT_EQ(control->ResolutionIndex(), -1);
  control->SetActive(true);
  EXPECT_EQ(control->ResolutionIndex(), 0);
  control->SetResolutionIndex(1);
  EXPECT_EQ(control->ResolutionIndex(), 0) << "no media types before the graph was rendered";
  Polls(11);
  for (int32_t bad : {3, -1, 100}) {
    control->SetResolutionIndex(bad);
    EXPECT_EQ(control->ResolutionIndex(), 0);
  }
  control->SetResolutionIndex(1);
  EXPECT_EQ(control->ResolutionIndex(), 1);
  Polls(1);
  EXPECT_EQ(control->Camera()->PreviewBitmap()->Width(), 640);
  EXPECT_EQ(control->Camera()->PreviewBitmap()->Height(), 480);
  EXPECT_EQ(control->State(), ccsRunning);
}

TEST_F(CameraTest, PauseHoldsTheFrameAndPlayResumes) {
  TdxCameraControl* control = NewControl();
  control->Pause();
  EXPECT_EQ(control->State(), ccsInactive) << "pause outside running changes nothing";
  control->Play();
  EXPECT_TRUE(control->Active());
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  control->Pause();
  EXPECT_EQ(control->State(), ccsPaused);
  EXPECT_EQ(control->CapturedBitmap()->Width(), 320);
  TRGBColors held;
  control->CapturedBitmap()->GetBitmapColors(held);
  Polls(3);
  TRGBColors later;
  control->CapturedBitmap()->GetBitmapColors(later);
  ASSERT_EQ(held.size(), later.size());
  EXPECT_EQ(std::memcmp(held.data(), later.data(), held.size() * sizeof(RGBQUAD)), 0)
      << "the captured frame stays while the camera goes on";
  control->Play();
  EXPECT_EQ(control->State(), ccsRunning);
  control->Stop();
  EXPECT_EQ(control->State(), ccsInactive);
}

TEST_F(CameraTest, RecordingIsRefusedAndTheCameraReopensForThePreview) {
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  TdxCamera* camera = control->Camera();
  // There is no video file writer: the recording fails, and the camera opens its device
  // again, to be rendered by its next polls.
  EXPECT_FALSE(dxCameraManager()->StartRecording(0, u"/tmp/qd-camera-test.avi"));
  EXPECT_FALSE(camera->Recording());
  EXPECT_TRUE(camera->Initialized());
  EXPECT_EQ(control->Camera(), camera);
  Polls(12);
  EXPECT_EQ(control->State(), ccsRunning);
  EXPECT_EQ(camera->PreviewBitmap()->Width(), 320);
}

TEST_F(CameraTest, ShutDownWithAnActiveControlFreesTheCamerasAndMakesNoNewManager) {
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  dxCameraControl::Finalize();
  EXPECT_EQ(dxCameraManager(), nullptr);
  EXPECT_EQ(control->Camera(), nullptr);
  EXPECT_EQ(control->State(), ccsNoDevice);
  EXPECT_EQ(Cameras().Streaming(0), 0);
  Polls(20);  // nothing is left to poll or retry
  EXPECT_EQ(dxCameraManager(), nullptr);
}

TEST_F(CameraTest, MediaCheckRaisesWithItsText) {
  EXPECT_TRUE(dxMediaResult(S_OK));
  EXPECT_FALSE(dxMediaResult(S_FALSE));
  EXPECT_NO_THROW(dxMediaCheck(S_OK, u"x"));
  try {
    dxMediaCheck(S_FALSE, String());
    FAIL();
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), u"dxMediaCheck fails");
  }
  try {
    dxMediaCheck(E_FAIL, u"SetMediaType fails");
    FAIL();
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), u"SetMediaType fails");
  }
}

}  // namespace
}  // namespace qd::testing
