// Frames: windowed containers of controls placed on forms.
#include "platform/forms/forms.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCustomFrame)
QD_IMPLEMENT_CLASS(TFrame)

TCustomFrame::TCustomFrame(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  DoSetBounds(0, 0, 320, 240);
}

void TCustomFrame::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

}  // namespace qd
