#pragma once
// The popup window every drop-down derives from, the keeper of the z-order of registered
// forms behind a modal window, and the component that belongs to a library control.
#include <memory>
#include <vector>

#include "ui/controls/cxControls.h"
#include "ui/controls/cxControlsRightToLeft.h"
#include "ui/controls/dxForms.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

enum TcxPopupAlignVert : uint8_t { pavTop, pavCenter, pavBottom };
enum TcxPopupDirection : uint8_t { pdHorizontal, pdVertical };

// --- TcxPopupWindow --------------------------------------------------------------------------------

class TcxPopupWindow : public TdxCustomForm {
  QD_CLASS(TcxPopupWindow, TdxCustomForm)

 public:
  TcxPopupWindow();
  ~TcxPopupWindow() override;

  virtual void Popup();
  virtual void CloseUp();

  bool AcceptAnyPosition() const { return FAcceptAnyPosition; }
  void SetAcceptAnyPosition(bool Value) { FAcceptAnyPosition = Value; }
  bool Adjustable() const { return FAdjustable; }
  void SetAdjustable(bool Value);
  TcxPopupAlignHorz AlignHorz() const { return FAlignHorz; }
  void SetAlignHorz(TcxPopupAlignHorz Value) { FAlignHorz = Value; }
  TcxPopupAlignVert AlignVert() const { return FAlignVert; }
  void SetAlignVert(TcxPopupAlignVert Value) { FAlignVert = Value; }
  int32_t BorderSpace() const { return FBorderSpace; }
  void SetBorderSpace(int32_t Value);
  TcxPopupBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TcxPopupBorderStyle Value);
  TcxCanvas* Canvas() const { return FCanvas.get(); }
  TcxPopupDirection Direction() const { return FDirection; }
  void SetDirection(TcxPopupDirection Value) { FDirection = Value; }
  TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(TColor Value) { FFrameColor = Value; }
  bool IsOwnerBoundsRTLDependent() const { return FIsOwnerBoundsRTLDependent; }
  void SetIsOwnerBoundsRTLDependent(bool Value) { FIsOwnerBoundsRTLDependent = Value; }
  const TRect& OwnerBounds() const { return FOwnerBounds; }
  void SetOwnerBounds(const TRect& Value) { FOwnerBounds = Value; }
  TControl* OwnerParent() const { return FOwnerParent; }
  void SetOwnerParent(TControl* Value);
  HWND PrevActiveWindow() const { return FPrevActiveWindow; }

  virtual int32_t GetBorderWidth(TcxBorder ASide) { return GetFrameWidth() + FBorderSpace; }
  virtual TRect GetClientBounds();
  virtual int32_t GetFrameWidth();
  virtual TRect GetOwnerScreenBounds();

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void InternalCalculateHorizontalDirectionPosition(const TSize& ASize, TPoint& APosition,
                                                            TPoint& AAnchor, const TRect& AOwnerBounds);
  virtual void InternalCalculateVerticalDirectionPosition(const TSize& ASize, TPoint& APosition,
                                                          TPoint& AAnchor, const TRect& AOwnerBounds);
  virtual void InternalCalculateTargetPosition(const TSize& ASize, TPoint& APosition, TPoint& AAnchor,
                                               const TRect& AOwnerBounds);
  virtual void AdjustableChanged() {}
  virtual void BordersChanged() {}
  virtual void CalculateCommonPosition(const TSize& ASize, TPoint& APosition, TPoint& AAnchor,
                                       const TRect& AOwnerBounds);
  virtual void CalculatePosition(const TSize& ASize, TPoint& APosition);
  virtual void CalculateSize(TSize& ASize);
  virtual void CheckPosition(const TSize& ASize, TPoint& APosition, TPoint& AAnchor,
                             const TRect& AOwnerBounds);
  virtual void CorrectPositionWithDesktopWorkArea(const TSize& ASize, TPoint& APosition,
                                                  const TPoint& AAnchor);
  virtual void InitPopup();
  virtual bool UseOwnerParentToGetScreenBounds() { return true; }
  virtual void DrawFrame();
  virtual void VisibleChanged() {}

  void Deactivate() override;
  void Paint() override;

 private:
  void RestoreControlsBounds();

  bool FAcceptAnyPosition = false;
  bool FAdjustable = true;
  TcxPopupAlignHorz FAlignHorz = pahLeft;
  TcxPopupAlignVert FAlignVert = pavBottom;
  int32_t FBorderSpace = 0;
  TcxPopupBorderStyle FBorderStyle = pbsNone;
  std::unique_ptr<TcxCanvas> FCanvas;
  TcxPopupDirection FDirection = pdVertical;
  TColor FFrameColor = clWindowText;
  bool FIsOwnerBoundsRTLDependent = false;
  TRect FOwnerBounds;
  TControl* FOwnerParent = nullptr;
  HWND FPrevActiveWindow = nullptr;
  // The children carry the border offset of the last Popup.
  bool FControlsOffset = false;
};

// --- TdxApplicationActivateWindowHelper -----------------------------------------------------------

class TdxApplicationActivateWindowHelper : public TObject {
  QD_CLASS(TdxApplicationActivateWindowHelper, TObject)

 public:
  TdxApplicationActivateWindowHelper();
  ~TdxApplicationActivateWindowHelper() override;

  void AddWindow(TCustomForm* AForm);
  void RemoveWindow(TCustomForm* AForm);
  // Called when a form is being activated.
  void NormalizeTopMostWindows(TCustomForm* AForm);
  bool NeedNormalize(TCustomForm* AForm);
  bool IsFormShowedBeforeLastModalWindow(TCustomForm* AForm);
  const std::vector<TCustomForm*>& Windows() const { return FWindowsList; }

 private:
  void NormalizeRegisteredWindows();
  void NormalizeFocusedWindow();
  void FreeNotificationHandler(TComponent* Sender);

  std::vector<TCustomForm*> FWindowsList;
  // The same forms as components, for their free notification.
  std::vector<TComponent*> FWindowComponents;
  std::unique_ptr<TcxFreeNotificator> FFreeNotificator;
};

// From the control framework's start-up to its shut-down.
TdxApplicationActivateWindowHelper* dxApplicationActivateWindowHelper();

// --- TcxControlChildComponent ----------------------------------------------------------------------

class TcxControlChildComponent : public TcxComponent {
  QD_CLASS(TcxControlChildComponent, TcxComponent)

 public:
  explicit TcxControlChildComponent(TComponent* AOwner);
  TcxControlChildComponent(TcxControl* AControl, bool AAssignOwner);
  ~TcxControlChildComponent() override;

  TcxControl* Control() const { return FControl; }
  TdxOwnedScaleFactor* ScaleFactor() const { return FScaleFactor.get(); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() { return GetIsDestroying(); }

  virtual void SetControl(TcxControl* Value);
  void SetParentComponent(TComponent* Value) override;
  TComponent* GetParentComponent() const override { return FControl; }
  bool HasParent() const override { return FControl != nullptr; }

 protected:
  virtual bool GetIsDestroying() { return ComponentState().Contains(csDestroying); }
  virtual void Initialize() {}
  virtual void ScaleFactorChanged(int32_t M, int32_t D) {}

 private:
  void ScaleFactorChangeHandler(TObject* Sender, int32_t M, int32_t D, bool IsLoading);

  TcxControl* FControl = nullptr;
  std::unique_ptr<TdxOwnedScaleFactor> FScaleFactor;
};

// The activation-order helper's life, within the control framework's start-up.
namespace cxControlsPopup {
void Initialize();
void Finalize();
}  // namespace cxControlsPopup

}  // namespace qd
