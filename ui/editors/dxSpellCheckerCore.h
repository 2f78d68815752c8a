#pragma once
// The slots through which an optional spell checker joins the editors. No spell checker is
// part of this program: the slots stay empty and every call guarded by them does nothing.
#include "platform/forms/controls.h"
#include "ui/core/dxCoreClasses.h"

namespace qd {

// What an editor tells a spell checker about focus and typing.
class IdxSpellChecker {
 public:
  virtual ~IdxSpellChecker() = default;
  // AControl (an editor's inner control or the editor) got the focus.
  virtual void CheckStart(TWinControl* AControl) = 0;
  virtual void CheckFinish() = 0;
  virtual void KeyPress(TWinControl* AEdit, Char& AKey) = 0;
  // The checker's menu for the component at the point; True when it showed one.
  virtual bool QueryPopup(TComponent* APopupComponent, const TPoint& APoint) = 0;
};

class IdxSpellChecker2 {
 public:
  virtual ~IdxSpellChecker2() = default;
  virtual void KeyDown(TWinControl* AEdit, WORD& Key, TShiftState Shift) = 0;
  virtual void KeyUp(TWinControl* AEdit, WORD& Key, TShiftState Shift) = 0;
};

class IdxSpellChecker3 {
 public:
  virtual ~IdxSpellChecker3() = default;
  // An editor the checker may know goes away.
  virtual void ObjectDestroyed(TObject* AObject) = 0;
};

class TdxSpellCheckerInstance {
 public:
  static IdxSpellChecker* ISpellChecker() { return FISpellChecker; }
  static IdxSpellChecker2* ISpellChecker2() { return FISpellChecker2; }
  static IdxSpellChecker3* ISpellChecker3() { return FISpellChecker3; }
  // Installs a checker (all three slots; a slot the object does not offer stays empty) or
  // removes it (nullptr), and tells the SpellCheckerChanged handlers.
  static void SetSpellChecker(TObject* AChecker);
  static TdxMulticastMethod<TNotifyEvent>& SpellCheckerChanged() { return FSpellCheckerChanged; }
  static void Clear();

 private:
  static IdxSpellChecker* FISpellChecker;
  static IdxSpellChecker2* FISpellChecker2;
  static IdxSpellChecker3* FISpellChecker3;
  static TdxMulticastMethod<TNotifyEvent> FSpellCheckerChanged;
};

// The control framework's context-popup hook: True when a registered spell checker handled
// the context menu of AControl.
bool dxSpellCheckerContextPopupHook(TControl* AControl, TComponent* APopupComponent, const TPoint& APoint);

namespace dxSpellCheckerCore {
// Installs the context-popup hook; Finalize removes it and empties the slots.
void Initialize();
void Finalize();
}  // namespace dxSpellCheckerCore

}  // namespace qd
