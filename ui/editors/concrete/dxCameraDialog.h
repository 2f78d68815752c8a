#pragma once
// The camera dialog: a live preview in a camera control, a snapshot button that freezes and
// resumes the picture, and Assign, which hands the frozen frame to a picture.
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/forms/stdctrls.h"
#include "platform/forms/extctrls.h"
#include "ui/controls/dxForms.h"
#include "ui/editors/concrete/dxCameraControl.h"

namespace qd {

class TfrmCameraDialog : public TdxForm {
  QD_CLASS(TfrmCameraDialog, TdxForm)
  QD_PUBLISHED(TfrmCameraDialog)

 public:
  using TdxForm::TdxForm;

  TdxCameraControl* ccCamera = nullptr;
  TButton* btnCancel = nullptr;
  TButton* btnAssign = nullptr;
  TButton* btnSnapshot = nullptr;
  TPanel* pnlBottom = nullptr;

  void btnSnapshotClick(TObject* Sender);
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void CameraStateChanged(TObject* Sender);
  void SetCaptions();
  void Initialize();
};

// The dialog's bounds when it was last closed (empty until then).
TRect& dxgCameraDialogBounds();

// Shows the dialog modally over the active form; on Assign the frozen frame goes into
// APicture and the result is True. The picture is left alone otherwise.
bool dxShowCameraDialog(TPicture* APicture);

}  // namespace qd
