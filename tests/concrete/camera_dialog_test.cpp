// The camera dialog from its stored form: layout, snapshot and assign, the ways to cancel,
// the remembered bounds and the minimum size, driven through its modal loop.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "concrete/camera_test_util.h"
#include "platform/forms/graphics.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/dxCameraDialog.h"

namespace qd::testing {
namespace {

using media::TSyntheticCamera;

class CameraDialogTest : public CameraTest {
 protected:
  void SetUp() override {
    CameraTest::SetUp();
    dxgCameraDialogBounds() = TRect{};
    Application->CreateForm(TForm::StaticClass(), main_);
    main_->SetBounds(200, 150, 600, 400);
    main_->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Application->OnIdle = TIdleEvent();
    CameraTest::TearDown();
  }

  // Runs the dialog with AStep called on every idle turn of its modal loop (the clock moves
  // 10 ms each turn) until the dialog closes; gives the dialog's result.
  bool RunDialog(TPicture* APicture, std::function<void(TfrmCameraDialog*)> AStep) {
    step_ = std::move(AStep);
    Application->OnIdle = TIdleEvent(this, &CameraDialogTest::Idle);
    const bool result = dxShowCameraDialog(APicture);
    Application->OnIdle = TIdleEvent();
    return result;
  }
  static TfrmCameraDialog* Dialog() {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (auto* d = dynamic_cast<TfrmCameraDialog*>(Screen->Forms(i))) return d;
    return nullptr;
  }
  // Frozen-frame colours without the unused fourth byte.
  static std::vector<uint32_t> Colors(TGraphic* AGraphic) {
    TcxBitmap32 b(AGraphic->Width(), AGraphic->Height(), true);
    b.Canvas()->Draw(0, 0, AGraphic);
    TRGBColors c;
    b.GetBitmapColors(c);
    std::vector<uint32_t> out;
    for (const RGBQUAD& q : c)
      out.push_back(static_cast<uint32_t>(q.rgbRed) << 16 | q.rgbGreen << 8 | q.rgbBlue);
    return out;
  }
  static void PreFill(TPicture* APicture) {
    auto* bmp = new TBitmap();
    bmp->SetSize(2, 2);
    APicture->SetGraphic(bmp);
    delete bmp;
  }

  TForm* main_ = nullptr;

 private:
  void Idle(TObject*, bool& Done) {
    Done = false;
    Clock().Advance(10);
    if (TfrmCameraDialog* d = Dialog(); d && d->Visible() && step_) step_(d);
  }
  std::function<void(TfrmCameraDialog*)> step_;
};

TEST_F(CameraDialogTest, StoredFormPlacesTheCameraAndTheButtons) {
  RunDialog(nullptr, [&](TfrmCameraDialog* d) {
    EXPECT_EQ(d->Caption(), u"Camera Preview");
    EXPECT_EQ(d->ClientWidth(), 330);
    EXPECT_EQ(d->ClientHeight(), 262);
    EXPECT_EQ(d->ccCamera->BoundsRect(), (TRect{10, 10, 320, 211}));
    EXPECT_EQ(d->pnlBottom->BoundsRect(), (TRect{10, 221, 320, 252}));
    EXPECT_EQ(d->btnSnapshot->BoundsRect(), (TRect{73, 3, 148, 28}));
    EXPECT_EQ(d->btnAssign->BoundsRect(), (TRect{154, 3, 229, 28}));
    EXPECT_EQ(d->btnCancel->BoundsRect(), (TRect{235, 3, 310, 28}));
    EXPECT_EQ(d->btnSnapshot->Caption(), u"&Pause");
    EXPECT_EQ(d->btnAssign->Caption(), u"&Assign");
    EXPECT_EQ(d->btnCancel->Caption(), u"&Cancel");
    EXPECT_TRUE(d->ccCamera->Active());
    SaveWindowPng(d->Handle(), "camera_dialog_initializing");
    d->btnCancel->Click();
  });
}

TEST_F(CameraDialogTest, AssignTakesTheFrameFrozenAtThePause) {
  TPicture picture;
  PreFill(&picture);
  std::vector<uint32_t> frozen;
  int phase = 0;
  bool snapshotEnabledBeforeRunning = true;
  const bool result = RunDialog(&picture, [&](TfrmCameraDialog* d) {
    TdxCameraControl* c = d->ccCamera;
    if (phase == 0 && c->State() != ccsRunning) {
      snapshotEnabledBeforeRunning = d->btnSnapshot->Enabled();
      return;
    }
    if (phase == 0) {
      EXPECT_TRUE(d->btnSnapshot->Enabled());
      EXPECT_FALSE(d->btnAssign->Enabled());
      d->btnSnapshot->Click();
      EXPECT_EQ(c->State(), ccsPaused);
      EXPECT_EQ(d->btnSnapshot->Caption(), u"&Play");
      EXPECT_TRUE(d->btnAssign->Enabled());
      frozen = Colors(c->CapturedBitmap());
      phase = 1;
      return;
    }
    if (phase == 1) {
      // Play again, let the live picture move on, and pause once more.
      d->btnSnapshot->Click();
      EXPECT_EQ(c->State(), ccsRunning);
      EXPECT_FALSE(d->btnAssign->Enabled());
      EXPECT_EQ(d->btnSnapshot->Caption(), u"&Pause");
      Clock().Advance(300);
      phase = 2;
      return;
    }
    if (phase == 2) {
      d->btnSnapshot->Click();
      frozen = Colors(c->CapturedBitmap());
      SaveWindowPng(d->Handle(), "camera_dialog_paused");
      phase = 3;
      return;
    }
    if (phase == 3) {
      // The live camera goes on delivering while the frame is held.
      Clock().Advance(500);
      d->btnAssign->Click();
      phase = 4;
    }
  });
  EXPECT_FALSE(snapshotEnabledBeforeRunning);
  ASSERT_TRUE(result);
  ASSERT_EQ(phase, 4);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Graphic()->Width(), 320);
  EXPECT_EQ(picture.Graphic()->Height(), 240);
  EXPECT_TRUE(Colors(picture.Graphic()) == frozen);
}

TEST_F(CameraDialogTest, CancelEscapeAndCloseLeaveThePictureAlone) {
  struct Row {
    const char* Name;
    std::function<void(TfrmCameraDialog*)> Close;
  };
  const Row rows[] = {
      {"Cancel", [](TfrmCameraDialog* d) { d->btnCancel->Click(); }},
      {"Escape", [](TfrmCameraDialog* d) { os::InjectKey(VK_ESCAPE, true); }},
      {"close button", [](TfrmCameraDialog* d) { d->Close(); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    TPicture picture;
    PreFill(&picture);
    bool closing = false;
    const bool result = RunDialog(&picture, [&](TfrmCameraDialog* d) {
      if (d->ccCamera->State() != ccsRunning || closing) return;
      d->btnSnapshot->Click();
      closing = true;
      r.Close(d);
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(picture.Graphic()->Width(), 2);
  }
}

TEST_F(CameraDialogTest, WithoutCameraOnlyCancelRemains) {
  Cameras().Unplug(0);
  int turns = 0;
  const bool result = RunDialog(nullptr, [&](TfrmCameraDialog* d) {
    if (++turns < 300) {  // three seconds of retries
      EXPECT_FALSE(d->btnSnapshot->Enabled());
      return;
    }
    EXPECT_EQ(d->ccCamera->State(), ccsNoDevice);
    SaveWindowPng(d->Handle(), "camera_dialog_no_camera");
    d->btnSnapshot->Click();
    EXPECT_EQ(d->ccCamera->State(), ccsNoDevice);
    d->btnCancel->Click();
  });
  EXPECT_FALSE(result);
}

TEST_F(CameraDialogTest, FailedGrabAtThePauseLeavesAssignDisabled) {
  TSyntheticCamera once;
  once.StopAfterFrames = 1;  // running after one frame; the grab at the pause finds none
  Cameras({once});
  bool paused = false;
  RunDialog(nullptr, [&](TfrmCameraDialog* d) {
    if (d->ccCamera->State() != ccsRunning || paused) return;
    d->btnSnapshot->Click();
    paused = true;
    EXPECT_EQ(d->ccCamera->CapturedBitmap()->Width(), 0);
    EXPECT_FALSE(d->btnAssign->Enabled());
    d->btnCancel->Click();
  });
  EXPECT_TRUE(paused);
}

TEST_F(CameraDialogTest, SecondShowingOpensWhereTheFirstClosedAndNeverSmaller) {
  TRect first, second;
  RunDialog(nullptr, [&](TfrmCameraDialog* d) {
    first = d->BoundsRect();
    // Centred on the main form.
    EXPECT_NEAR(first.Left + first.Width() / 2, 200 + 300, 1);
    EXPECT_NEAR(first.Top + first.Height() / 2, 150 + 200, 1);
    // Not smaller than designed; larger is fine.
    d->SetBounds(first.Left, first.Top, first.Width() - 50, first.Height() - 40);
    EXPECT_EQ(d->Width(), first.Width());
    EXPECT_EQ(d->Height(), first.Height());
    d->SetBounds(30, 40, first.Width() + 100, first.Height() + 60);
    d->btnCancel->Click();
  });
  EXPECT_EQ(dxgCameraDialogBounds(), (TRect{30, 40, 30 + first.Width() + 100, 40 + first.Height() + 60}));
  RunDialog(nullptr, [&](TfrmCameraDialog* d) {
    second = d->BoundsRect();
    d->btnCancel->Click();
  });
  EXPECT_EQ(second, dxgCameraDialogBounds());
}

}  // namespace
}  // namespace qd::testing
