#include "ui/editors/dxSpellCheckerCore.h"

#include "ui/controls/cxControlsWindowUtils.h"

namespace qd {

IdxSpellChecker* TdxSpellCheckerInstance::FISpellChecker = nullptr;
IdxSpellChecker2* TdxSpellCheckerInstance::FISpellChecker2 = nullptr;
IdxSpellChecker3* TdxSpellCheckerInstance::FISpellChecker3 = nullptr;
TdxMulticastMethod<TNotifyEvent> TdxSpellCheckerInstance::FSpellCheckerChanged;

void TdxSpellCheckerInstance::SetSpellChecker(TObject* AChecker) {
  FISpellChecker = dynamic_cast<IdxSpellChecker*>(AChecker);
  FISpellChecker2 = dynamic_cast<IdxSpellChecker2*>(AChecker);
  FISpellChecker3 = dynamic_cast<IdxSpellChecker3*>(AChecker);
  FSpellCheckerChanged(AChecker);
}

void TdxSpellCheckerInstance::Clear() {
  FISpellChecker = nullptr;
  FISpellChecker2 = nullptr;
  FISpellChecker3 = nullptr;
  FSpellCheckerChanged.Clear();
}

bool dxSpellCheckerContextPopupHook(TControl* AControl, TComponent* APopupComponent, const TPoint& APoint) {
  IdxSpellChecker* checker = TdxSpellCheckerInstance::ISpellChecker();
  return checker && AControl && checker->QueryPopup(APopupComponent, APoint);
}

namespace dxSpellCheckerCore {

void Initialize() {
  cxContextPopupHookFunc = &dxSpellCheckerContextPopupHook;
}

void Finalize() {
  if (cxContextPopupHookFunc == &dxSpellCheckerContextPopupHook) cxContextPopupHookFunc = nullptr;
  TdxSpellCheckerInstance::Clear();
}

}  // namespace dxSpellCheckerCore

}  // namespace qd
