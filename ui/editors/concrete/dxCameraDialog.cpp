#include "ui/editors/concrete/dxCameraDialog.h"

#include <memory>

#include "platform/base/scopeexit.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(TfrmCameraDialog)

namespace {

TRect FCameraDialogBounds;

bool HasPicture(TdxCameraControlState AState) {
  return AState == ccsRunning || AState == ccsPaused;
}

}  // namespace

TRect& dxgCameraDialogBounds() {
  return FCameraDialogBounds;
}

void TfrmCameraDialog::RegisterProperties(TPropertyRegistrar& r) {
  r.Field("ccCamera", &TfrmCameraDialog::ccCamera);
  r.Field("btnCancel", &TfrmCameraDialog::btnCancel);
  r.Field("btnAssign", &TfrmCameraDialog::btnAssign);
  r.Field("btnSnapshot", &TfrmCameraDialog::btnSnapshot);
  r.Field("pnlBottom", &TfrmCameraDialog::pnlBottom);
  r.Method("btnSnapshotClick", &TfrmCameraDialog::btnSnapshotClick);
  r.Method("FormCreate", &TfrmCameraDialog::FormCreate);
  r.Method("FormClose", &TfrmCameraDialog::FormClose);
}

void TfrmCameraDialog::FormCreate(TObject* Sender) {
  SetCaptions();
  Constraints()->SetMinWidth(Width());
  Constraints()->SetMinHeight(Height());
  Initialize();
}

void TfrmCameraDialog::SetCaptions() {
  SetCaption(cxGetResourceString(sdxCameraDialogCaption));
  btnCancel->SetCaption(cxGetResourceString(sdxCameraDialogCancel));
  btnAssign->SetCaption(cxGetResourceString(sdxCameraDialogAssign));
  btnSnapshot->SetCaption(cxGetResourceString(sdxCameraDialogPause));
}

void TfrmCameraDialog::Initialize() {
  if (!dxgCameraDialogBounds().IsEmpty()) {
    SetPosition(poDesigned);
    SetBoundsRect(dxgCameraDialogBounds());
  }
  btnSnapshot->SetEnabled(HasPicture(ccCamera->State()));
  ccCamera->OnStateChanged = TNotifyEvent(this, &TfrmCameraDialog::CameraStateChanged);
}

void TfrmCameraDialog::CameraStateChanged(TObject* Sender) {
  btnSnapshot->SetEnabled(HasPicture(ccCamera->State()));
}

void TfrmCameraDialog::btnSnapshotClick(TObject* Sender) {
  switch (ccCamera->State()) {
    case ccsRunning: {
      ccCamera->Pause();
      btnSnapshot->SetCaption(cxGetResourceString(sdxCameraDialogPlay));
      // A frame that could not be grabbed is nothing to assign.
      TcxBitmap32* frame = ccCamera->CapturedBitmap();
      btnAssign->SetEnabled(frame->Width() > 0 && frame->Height() > 0);
      break;
    }
    case ccsPaused:
      ccCamera->Play();
      btnSnapshot->SetCaption(cxGetResourceString(sdxCameraDialogPause));
      btnAssign->SetEnabled(false);
      break;
    default:
      break;
  }
}

void TfrmCameraDialog::FormClose(TObject* Sender, TCloseAction& Action) {
  dxgCameraDialogBounds() = BoundsRect();
}

bool dxShowCameraDialog(TPicture* APicture) {
  auto* dialog = NewForm<TfrmCameraDialog>(Screen ? Screen->ActiveForm() : nullptr);
  ScopeExit free{[&] { dialog->Free(); }};
  const bool assigned = dialog->ShowModal() == mrOk;
  if (assigned && APicture) APicture->Assign(dialog->ccCamera->CapturedBitmap());
  return assigned;
}

}  // namespace qd
