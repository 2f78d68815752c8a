#pragma once
// Forms that keep a scale factor and rescale themselves, their controls and their image
// lists when they move to a monitor with another pixel density.
#include <memory>
#include <vector>

#include "platform/forms/forms.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/dxCore.h"
#include "ui/core/cxGeometryScaleFactorIntf.h"

namespace qd {

// A component that rescales itself with the form that owns it.
class IcxScalableComponent {
 public:
  virtual ~IcxScalableComponent() = default;
  virtual void ScaleForPPI(int32_t ATargetPPI) = 0;
};

// True after start-up: forms swap image lists for the copies made for their new density.
extern bool dxAutoReplaceImageListReferencesOnDPIChanges;

// The rescaling shared by the library's two form classes (over TCustomForm and over TForm).
template <class TBase>
class TdxScalableForm : public TBase, public IdxScaleFactor {
 public:
  // With the stored form of the class (a class derived from TForm).
  explicit TdxScalableForm(TComponent* AOwner);
  // CreateNew: without a stored form.
  TdxScalableForm(TComponent* AOwner, int Dummy);
  ~TdxScalableForm() override;
  void BeforeDestruction() override;

  TdxScaleFactor* ScaleFactor() const { return FScaleFactor.get(); }
  TdxScaleFactor* GetScaleFactor() override { return FScaleFactor.get(); }

  void Dispatch(TMessage& Message) override;
  void ChangeScale(int M, int D, bool isDpiChange) override;
  void ScaleForPPI(int NewPPI) override;
  virtual void ScaleForPPI(int32_t TargetDPI, const TRect* WindowRect);
  void ScaleBy(int M, int D);
  void ScaleControlsForDpi(int NewPPI) override;
  virtual void ScaleForCurrentDpi();
  void DoShow() override;
  // Put into another window: the form takes the new parent's scale.
  void SetParent(TWinControl* AParent) override;

  // Right-to-left window layout: bDefault follows the form's right-to-left alignment.
  TdxDefaultBoolean RightToLeftLayout() const { return FRightToLeftLayout; }
  void SetRightToLeftLayout(TdxDefaultBoolean Value);
  bool IsRightToLeftLayout() const;
  bool IsRightToLeftLayoutApplied() const { return FRightToLeftApplied; }
  TPoint GetClientOrigin() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void RightToLeftLayoutChanged();
  virtual void ScaleFactorChanged(int32_t M, int32_t D);
  virtual void UpdateImageLists();
  // WM_DPICHANGED outside a rescale under way.
  virtual void DpiChanged(TMessage& Message);
  // Within ChangeScale, after the controls, with the density the form is scaled to.
  virtual void ScaleOwnedComponents(int32_t ANewPPI) {}

 private:
  void InitializeNewForm();
  void CMBiDiModeChanged(TMessage& Message);

  std::unique_ptr<TdxScaleFactor> FScaleFactor;
  TdxDefaultBoolean FRightToLeftLayout = bDefault;
  bool FRightToLeftApplied = false;
};

// The base of the library's popup forms.
class TdxCustomForm : public TdxScalableForm<TCustomForm> {
  QD_CLASS(TdxCustomForm, TCustomForm)

 public:
  using TdxScalableForm<TCustomForm>::TdxScalableForm;
};

// A borderless form that floats over another control's form (created without a stored form,
// on the desktop's monitor).
class TdxCustomFloatForm : public TdxCustomForm {
  QD_CLASS(TdxCustomFloatForm, TdxCustomForm)

 public:
  explicit TdxCustomFloatForm(TComponent* AOwner);
  // The form the float form belongs to.
  virtual TCustomForm* GetParentForm() = 0;
};

// The base of application forms: also scales its owned components, and a DPI change follows
// the main form's density when the form itself is not scaled.
class TdxForm : public TdxScalableForm<TForm> {
  QD_CLASS(TdxForm, TForm)
  QD_PUBLISHED(TdxForm)

 public:
  using TdxScalableForm<TForm>::TdxScalableForm;

  // Read from a stored form: the client size is kept to be applied after reading, and the
  // stored density becomes the form's scale (the form is rescaled when it is shown, not while
  // it is read).
  void SetClientWidth(int Value) override;
  void SetClientHeight(int Value) override;
  void SetPixelsPerInch(int Value);
  void ReadState(TReader* Reader) override;

 protected:
  void DpiChanged(TMessage& Message) override;
  void ScaleOwnedComponents(int32_t ANewPPI) override;

 private:
  bool IsReadingState() const { return ControlState().Contains(csReadingState); }

  int32_t FLoadedClientHeight = 0;
  int32_t FLoadedClientWidth = 0;
};

// The extended styles of a mirrored form.
class TdxFormRightToLeftLayoutHelper {
 public:
  static DWORD GetRightToLeftLayoutStyles() { return WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT; }
  static DWORD GetBiDiModeStyles() { return WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR; }
  static void AddRightToLeftFormExStyle(TCreateParams& Params);
  static void RemoveBiDiModeStyles(TCustomForm* AForm);
  // The form's menus follow the form's reading direction again.
  static void SetMenusParentBiDiMode(TCustomForm* AForm);
  // The form's menus read left to right (a mirrored window mirrors them already).
  static void ResetMenusBiDiMode(TCustomForm* AForm);
};

// The rescaling of a form: one scale-change bracket for every control on it.
class TdxFormHelper {
 public:
  static bool IsScaleChanging(TWinControl* AContainer);
  static void ScaleForPPI(TCustomForm* AForm, int32_t ATargetDPI, bool AIsDpiChanged,
                          const TRect* AWindowRect);
  static void ScaleComponentsForDpi(TComponent* AOwner, int32_t ANewPPI);
  static void ResetScalingFlags(TControl* AControl);
  static void UpdateScaleFactorOnParentChange(TCustomForm* AForm);
  // Turns the system's window animation on or off; answers the setting it had.
  static bool SetAnimation(bool AValue);
  // Hides the window from drawing by taking WS_VISIBLE away (not over a remote desktop
  // connection); answers the style to give back.
  static LONG LockWindowRedrawing(HWND AWnd);
  static void UnlockWindowRedrawing(HWND AWnd, LONG APrevStyle);
  static void SetWindowTextWithoutRedrawing(HWND AWnd, const String& AText);
  // The part of the window inside its monitor's work area (window coordinates). When it
  // differs from APrevVisibleRegion the two are exchanged (the caller owns the new one) and
  // what the new one shows beyond the old one is redrawn.
  static void RepaintVisibleWindowArea(HWND AWnd, HRGN& APrevVisibleRegion);
};

// Rescales a plain frame (one without a scale factor of its own) with its parent: on the
// creation of its window and on its form's scale changes.
class TdxFrameController {
 public:
  explicit TdxFrameController(TFrame* AFrame);
  ~TdxFrameController();
  TdxFrameController(const TdxFrameController&) = delete;
  TdxFrameController& operator=(const TdxFrameController&) = delete;

  TFrame* Frame() const { return FFrame; }
  // The parent's current scale as a DPI (96 when none can be read).
  int32_t GetTargetDPI();
  // ADoScale: the frame itself is rescaled (not while loading); its CurrentPPI and owned
  // components follow in every case.
  void ScaleForPPI(int32_t APPI, bool ADoScale);

 private:
  void WndProc(TMessage& Message);
  void RestoreParentFont();

  TFrame* FFrame;
  class TcxWindowProcLinkedObject* FWindowProcObject = nullptr;
  bool FRestoringParentFont = false;
};

// The controllers of the frames, by frame; a freed frame loses its controller.
class TdxFrameControllerManager {
 public:
  // For the window of a frame of this process that is not registered yet, has no scale
  // factor of its own and is not being designed.
  static void Register(HWND AWnd);
  static void Unregister(HWND AWnd);
  static TdxFrameController* GetController(TFrame* AFrame);
};

// The call-window-procedure hook handler that registers every new frame window.
void dxFrameWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);

// Start-up: the frame controllers' registry and the frame-window hook; shut-down removes both.
namespace dxForms {
void Initialize();
void Finalize();
}  // namespace dxForms

// Swaps the image lists a form's components refer to for the ones named after the target
// density (ImageList1 at 144 DPI: ImageList144, else ImageList120, ImageList96 or ImageList).
class TdxFormImageListHelper {
 public:
  static void Execute(int32_t ATargetDPI, TComponent* AForm);
  static String GetBaseImageListName(const String& AName);
  static String GenerateName(const String& ABase, int32_t ADPI);

 private:
  explicit TdxFormImageListHelper(int32_t ATargetDPI) : FTargetDPI(ATargetDPI) {}
  void UpdateImageLists(TComponent* AForm);
  void UpdateImageListProperties(TObject* AObject, int ADepth);
  TComponent* GetReplacement(TComponent* AImageList);
  TComponent* TryFind(TComponent* AOwner, const String& ABase, int32_t ADPI);

  int32_t FTargetDPI;
  std::vector<std::pair<TComponent*, TComponent*>> FReplacementCache;
};

}  // namespace qd
