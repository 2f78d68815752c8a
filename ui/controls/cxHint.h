#pragma once
// Hints: the process-wide hint controller that lets hint style controllers take over the
// application's hints, the library's hint windows (animation on showing, desktop clamp,
// topmost style) and the helper through which a control shows hints for its own elements.
#include <memory>
#include <vector>

#include "platform/forms/forms.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

class TcxLookAndFeel;
class TcxControl;

enum TcxHintAnimationStyle : uint8_t {
  cxhaSlideFromLeft,
  cxhaSlideFromRight,
  cxhaSlideDownward,
  cxhaSlideUpward,
  cxhaSlideFromCenter,
  cxhaHide,
  cxhaActivate,
  cxhaFadeIn,
  cxhaAuto,
  cxhaNone
};

// The window-animation flags of cxhaSlideFromLeft .. cxhaFadeIn.
extern const DWORD AAnimationStyleMap[cxhaFadeIn + 1];

class IcxHintWindowHelper {
 public:
  virtual ~IcxHintWindowHelper() = default;
  virtual void SetHintAreaBounds(const TRect& ABounds, bool AUseMousePos) = 0;
};

// --- Hint windows ------------------------------------------------------------------------------

class TcxBaseHintWindow : public THintWindow, public IcxHintWindowHelper {
  QD_CLASS(TcxBaseHintWindow, THintWindow)

 public:
  explicit TcxBaseHintWindow(TComponent* AOwner);
  ~TcxBaseHintWindow() override;

  void ActivateHint(TRect R, const String& AHint) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

  virtual void AdjustActivateRect(TRect& R);
  virtual void DisableRegion();
  virtual void EnableRegion() {}
  virtual bool HasWindowRegion() { return false; }
  void SetHintAreaBounds(const TRect& ABounds, bool AUseMousePos) override;
  virtual void Show();

  TcxHintAnimationStyle AnimationStyle() const { return FAnimationStyle; }
  void SetAnimationStyle(TcxHintAnimationStyle AValue) { FAnimationStyle = AValue; }
  int AnimationDelay() const { return FAnimationDelay; }
  void SetAnimationDelay(int AValue) { FAnimationDelay = AValue; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue) { FBorderStyle = AValue; }
  bool StandardHint() const { return FStandardHint; }
  void SetStandardHint(bool AValue) { FStandardHint = AValue; }
  bool NeedEraseBackground() const { return FNeedEraseBackground; }
  void SetNeedEraseBackground(bool AValue) { FNeedEraseBackground = AValue; }
  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }
  // The last activation ran a window animation.
  bool HasAnimation() const { return FHasAnimation; }
  // The window-animation flags of that animation (0 without one).
  DWORD LastAnimationFlags() const { return FLastAnimationFlags; }
  const TRect& HintAreaBounds() const { return FHintAreaBounds; }
  bool UseMousePos() const { return FUseMousePos; }
  DWORD LastActive() const { return FLastActive; }

 protected:
  void CheckExecuteAnimation(const String& AHint);

  bool FActivating = false;
  TcxHintAnimationStyle FAnimationStyle = cxhaAuto;
  int FAnimationDelay = 100;
  TBorderStyle FBorderStyle = bsSingle;
  std::unique_ptr<TcxCanvas> FcxCanvas;
  bool FHasAnimation = false;
  TRect FHintAreaBounds;
  DWORD FLastActive = 0;
  bool FNeedEraseBackground = true;
  bool FUseMousePos = false;
  bool FStandardHint = false;
  bool FEverActivated = false;
  DWORD FLastAnimationFlags = 0;
};

class TcxCustomHintWindow : public TcxBaseHintWindow {
  QD_CLASS(TcxCustomHintWindow, TcxBaseHintWindow)

 public:
  explicit TcxCustomHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {}

  virtual void ShowHint(int X, int Y, int AMaxWidth, const String& AHint, const String& ACaption) {}
  bool UseRightToLeftAlignment() const;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }

 private:
  String FCaption;
};

// --- Hint styles and style controllers ------------------------------------------------------

class TcxCustomHintStyleController;

class TcxCustomHintStyle : public TcxInterfacedPersistent {
  QD_CLASS(TcxCustomHintStyle, TcxInterfacedPersistent)

 public:
  explicit TcxCustomHintStyle(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}

  virtual void ControllerChangedNotification(TcxCustomHintStyleController* AController) {}
  virtual void ControllerFreeNotification(TcxCustomHintStyleController* AController) {}
  virtual void DoShowHint(String& AHintStr, bool& ACanShow, THintInfo& AHintInfo) {}
  virtual void ComponentRemoved(TComponent* AComponent) {}
  virtual TClass GetHintWindowClass() = 0;

  TNotifyEvent OnChanged;

 protected:
  void Changed() {
    if (OnChanged) OnChanged(this);
  }
};
using TcxCustomHintStyleClass = TClass;

using TcxHintStyleChangedEvent = TMethod<void(TObject* Sender, TcxCustomHintStyle* AStyle)>;
using TcxShowHintEvent = TMethod<void(TObject* Sender, String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TcxShowHintExEvent =
    TMethod<void(TObject* Sender, String& Caption, String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TcxCustomHintStyleController : public TcxCustomComponent {
  QD_CLASS(TcxCustomHintStyleController, TcxCustomComponent)

 public:
  explicit TcxCustomHintStyleController(TComponent* AOwner);
  ~TcxCustomHintStyleController() override;

  void Assign(TPersistent* Source) override;
  void Loaded() override;

  virtual TcxCustomHintStyleClass GetHintStyleClass() { return FHintStyleClass; }
  virtual TClass GetHintWindowClass();
  virtual void BeginUpdate() { ++FUpdateCount; }
  virtual void EndUpdate();
  virtual void DoHintStyleChanged(TcxCustomHintStyle* AStyle);
  virtual void AddListener(TcxCustomHintStyle* AListener);
  virtual void RemoveListener(TcxCustomHintStyle* AListener);

  void DoShowHint(String& AHintStr, bool& ACanShow, THintInfo& AHintInfo);
  void ShowHint(int X, int Y, int AMaxWidth, const String& AHint, const String& ACaption);
  void HideHint();
  void Changed();

  bool Global() const { return FGlobal; }
  void SetGlobal(bool AValue) { FGlobal = AValue; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int AValue);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int AValue);
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int AValue);
  TcxCustomHintStyleClass HintStyleClass() const { return FHintStyleClass; }
  void SetHintStyleClass(TcxCustomHintStyleClass AValue);
  String HintStyleClassName() const;
  void SetHintStyleClassName(const String& AValue);
  TcxCustomHintStyle* HintStyle() const { return FHintStyle.get(); }
  void SetHintStyle(TcxCustomHintStyle* AValue);
  TcxCustomHintWindow* HintWindow() const { return FHintWindow.get(); }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* AValue);
  bool UseHintControlLookAndFeel() const { return FUseHintControlLookAndFeel; }
  void SetUseHintControlLookAndFeel(bool AValue) { FUseHintControlLookAndFeel = AValue; }

  TcxHintStyleChangedEvent OnHintStyleChanged;
  TcxShowHintEvent OnShowHint;
  TcxShowHintExEvent OnShowHintEx;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateHintStyle();
  void DestroyHintStyle();
  void SetApplicationHintProperties();

 private:
  void HintStyleChanged(TObject* Sender);

  bool FGlobal = true;
  int FHintShortPause = 50;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  TcxCustomHintStyleClass FHintStyleClass = nullptr;
  std::unique_ptr<TcxCustomHintWindow> FHintWindow;
  std::vector<TcxCustomHintStyle*> FListeners;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  int FUpdateCount = 0;
  bool FUseHintControlLookAndFeel = false;
  std::unique_ptr<TcxCustomHintStyle> FHintStyle;
  bool FDestroying = false;
};

// --- The hint controller ------------------------------------------------------------------------

class TcxHintController : public TComponent {
  QD_CLASS(TcxHintController, TComponent)

 public:
  explicit TcxHintController(TComponent* AOwner);
  ~TcxHintController() override;

  void RegisterHintStyleController(TcxCustomHintStyleController* AController);
  void UnRegisterHintStyleController(TcxCustomHintStyleController* AController);
  TcxCustomHintStyleController* FindHintStyleController();
  TClass GetHintWindowClass();
  void ShowHintHandler(String& HintStr, bool& CanShow, THintInfo& HintInfo);

  TControl* HintedControl() const { return FHintedControl; }
  void SetHintedControl(TControl* AValue);
  const std::vector<TcxCustomHintStyleController*>& Controllers() const { return FControllerList; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TControl* FindHintedControl();
  TClass GetCurrentHintWindowClass();

  TControl* FHintedControl = nullptr;
  std::vector<TcxCustomHintStyleController*> FControllerList;
  TShowHintEvent FSavedApplicationOnShowHint;
  TClass FSavedHintWindowClass = nullptr;
};

// The controller, between the unit's start-up and shut-down (nullptr otherwise).
TcxHintController* dxHintController();

// --- Hints a control shows for its own elements ----------------------------------------------

class TcxCustomHintHelper : public TcxIUnknownObject, public IcxMouseTrackingCaller2 {
  QD_CLASS(TcxCustomHintHelper, TcxIUnknownObject)

 public:
  TcxCustomHintHelper() = default;
  ~TcxCustomHintHelper() override;

  void MouseLeave() override { CancelHint(); }
  bool PtInCaller(const TPoint& P) override;
  virtual bool CanShowHint();
  virtual void CorrectHintWindowRect(TRect& R);
  virtual TWinControl* GetHintWinControl() { return GetOwnerWinControl(); }
  virtual TRect GetHintControlBounds();
  virtual int GetHintHidePause();
  virtual TClass GetHintWindowClass();
  virtual void GetHintWindowRect(const TRect& AHintAreaBounds, const TRect& ATextRect, TRect& R,
                                 bool AIsMultiLine, const String& AText);
  virtual TWinControl* GetOwnerWinControl() { return nullptr; }
  virtual bool IsHintAtMousePos() { return false; }
  virtual bool IsSuppressHintOnMouseDown() { return true; }
  virtual bool UseHintHidePause() { return FHintableObject == nullptr; }
  virtual void MouseDown();

  void ShowHint(const TRect& AHintAreaBounds, const TRect& ATextRect, TFont* AFont, TObject* AHintableObject,
                bool AIsMultiLine, const String& AText);
  void HideHint();
  void CancelHint();
  void ResetLastHintElement() {
    FLastHintableObject = nullptr;
    FHasLastHint = false;
  }

  THintWindow* HintWindow() const { return FHintWindow; }
  TObject* HintableObject() const { return FHintableObject; }
  bool HintCheckerRunning() const { return FHintCheckerTimer != nullptr; }
  bool HintHideTimerRunning() const { return FHintHideTimer != nullptr; }

 protected:
  void RecreateHintWindow();
  void StartHintCheckerTimers();
  void StopHintCheckerTimers();
  void RestartHintHideTimer();

 private:
  void HintCheckerTimerHandler(TObject* Sender);
  void HintHideTimerHandler(TObject* Sender);

  TObject* FHintableObject = nullptr;
  TRect FHintAreaBounds;
  std::unique_ptr<TcxTimer> FHintCheckerTimer;
  std::unique_ptr<TcxTimer> FHintHideTimer;
  int FHintHidePause = 0;
  TObject* FLastHintableObject = nullptr;
  bool FHasLastHint = false;
  TPoint FLastHintMousePos;
  String FLastHintText;
  TRect FHintTextRect;
  THintWindow* FHintWindow = nullptr;  // owned
};

class TcxControlHintHelper : public TcxCustomHintHelper {
  QD_CLASS(TcxControlHintHelper, TcxCustomHintHelper)

 public:
  virtual TcxControl* GetHintControl() { return GetOwnerControl(); }
  virtual TcxControl* GetOwnerControl() = 0;
  TWinControl* GetHintWinControl() override;
  TWinControl* GetOwnerWinControl() override;
  TRect GetHintControlBounds() override;
};

// --- Unit functions ----------------------------------------------------------------------------

void cxRecreateHintWindow(THintWindow*& AHintWindow, TClass AHintWindowClass, TColor AColor);
void ValidateHintWindowParent(THintWindow* AHintWindow);
void cxActivateHint(THintWindow* AHintWindow, const TRect& R, const String& AText);
bool cxProcessControlHintInfo(THintInfo& AHintInfo, THintWindow*& AHintWindow, TControl* AControl,
                              int AHideTimeout, void* AHintData, TRect& R, const String& AText);
TcxRegisteredClasses* cxRegisteredHintStyles();
TcxCustomHintStyleController* cxGetHintStyleController();
TClass cxGetHintWindowClass();
void cxRemoveHintedControl();

namespace cxHint {
void Initialize();
void Finalize();
}  // namespace cxHint

}  // namespace qd
