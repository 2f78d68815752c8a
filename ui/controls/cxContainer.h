#pragma once
// Containers: the four-state style model (TcxContainerStyle, its style set and the shared
// style controller) and the container control that frames an inner window control with a
// state-dependent border (TcxContainer and its view info).
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/set.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxScrollBar.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

class TcxContainer;
class TcxContainerStyle;
class TcxStyleController;

// --- Style values ----------------------------------------------------------------------------------

// The index of a style value; it is also its bit in TcxContainerStyleValues. Editor styles
// continue the numbering after the container's ten values.
using TcxContainerStyleValue = int32_t;
constexpr TcxContainerStyleValue svBorderColor = 0;
constexpr TcxContainerStyleValue svBorderStyle = 1;
constexpr TcxContainerStyleValue svColor = 2;
constexpr TcxContainerStyleValue svEdges = 3;
constexpr TcxContainerStyleValue svFont = 4;
constexpr TcxContainerStyleValue svHotTrack = 5;
constexpr TcxContainerStyleValue svShadow = 6;
constexpr TcxContainerStyleValue svTextColor = 7;
constexpr TcxContainerStyleValue svTextStyle = 8;
constexpr TcxContainerStyleValue svTransparentBorder = 9;
constexpr int32_t cxContainerStyleValueCount = 10;

// A set of style values in a 32-bit word.
struct TcxContainerStyleValues {
  uint32_t Bits = 0;
  constexpr TcxContainerStyleValues() = default;
  constexpr explicit TcxContainerStyleValues(uint32_t ABits) : Bits(ABits) {}
  constexpr TcxContainerStyleValues(std::initializer_list<TcxContainerStyleValue> AValues) {
    for (TcxContainerStyleValue V : AValues) Bits |= 1u << V;
  }
  constexpr bool Contains(TcxContainerStyleValue V) const { return V >= 0 && V < 32 && (Bits >> V) & 1u; }
  constexpr void Include(TcxContainerStyleValue V) { Bits |= 1u << V; }
  constexpr void Exclude(TcxContainerStyleValue V) { Bits &= ~(1u << V); }
  constexpr bool Empty() const { return Bits == 0; }
  friend constexpr bool operator==(TcxContainerStyleValues, TcxContainerStyleValues) = default;
};

extern const char16_t* const cxContainerStyleValueNameA[cxContainerStyleValueCount];

enum TcxContainerStateItem : uint8_t { csNormal, csActive, csDisabled, csHotTrack };
using TcxContainerState = TSet<TcxContainerStateItem>;

// Border style defaults: by look-and-feel kind, and by state and the parent's border style.
extern const TcxContainerBorderStyle AStyleBorderStyles[4];
extern const TcxContainerBorderStyle ABorderStyles[4][7];

// --- TcxContainerStyle -----------------------------------------------------------------------------

// One state's style. A value not assigned here comes from the same-state style of the linked
// style controller (and on through that controller's own controller), else from a default.
// The normal style is the base style; the other three have it as parent and forward the
// values that exist only once (edges, font, hot tracking, shadow, transparent border, look
// and feel, controller) to it. A direct-access style only stores what it is given.
class TcxContainerStyle : public TcxInterfacedPersistent, public IdxSkinSupport {
  QD_CLASS(TcxContainerStyle, TcxInterfacedPersistent)

 public:
  TcxContainerStyle(TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* AParentStyle = nullptr,
                    TcxContainerStateItem AState = csNormal);
  ~TcxContainerStyle() override;

  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  bool GetStyleValue(const String& APropertyName, TcxContainerStyleValue& StyleValue);
  virtual int32_t GetStyleValueCount() { return cxContainerStyleValueCount; }
  virtual bool GetStyleValueName(TcxContainerStyleValue AStyleValue, String& StyleValueName);
  virtual bool HasBorder();
  virtual bool IsValueAssigned(TcxContainerStyleValue AValue);
  virtual void RestoreDefaults();
  bool IsExtendedStylePropertyPublished(const String& APropertyName);
  TFont* GetVisibleFont();
  void LockFontAssignedValue(bool ALock);
  void UpdateFont();

  // -- Values
  TcxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TcxContainerStyleValues Value);
  TColor BorderColor();
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle BorderStyle();
  void SetBorderStyle(TcxContainerBorderStyle Value);
  TColor Color() { return GetColor(); }
  void SetColor(TColor Value);
  TcxBorders Edges();
  void SetEdges(TcxBorders Value);
  TFont* Font();
  void SetFont(TFont* Value);
  bool HotTrack();
  void SetHotTrack(bool Value);
  TcxLookAndFeel* LookAndFeel() { return GetBaseStyle()->FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { LookAndFeel()->Assign(Value); }
  bool Shadow();
  void SetShadow(bool Value);
  TcxStyleController* StyleController() { return BaseGetStyleController(); }
  void SetStyleController(TcxStyleController* Value) { BaseSetStyleController(Value); }
  TColor TextColor() { return GetTextColor(); }
  void SetTextColor(TColor Value);
  TFontStyles TextStyle() { return GetTextStyle(); }
  void SetTextStyle(TFontStyles Value);
  bool TransparentBorder();
  void SetTransparentBorder(bool Value);

  // Colour in the order the container uses for its own Color.
  virtual TColor GetStyleColor();

  // -- Structure
  bool DirectAccessMode() const { return FDirectAccessMode; }
  bool IsBaseStyle() const { return FParentStyle == nullptr; }
  bool IsDestroying() const { return FIsDestroying; }
  TcxContainerStyle* ParentStyle() const { return FParentStyle; }
  TcxContainerStateItem State() const { return FState; }
  // The container that owns the style (nil for a controller's or properties' style).
  TcxContainer* Container() const;
  // The controller the base style is linked to, default controller included.
  TcxStyleController* ActiveStyleController();

  // Whether the value is written when stored (IsBorderColorStored and its sisters).
  bool IsValueStored(TcxContainerStyleValue AValue);
  bool IsStyleControllerStored() { return IsBaseStyle() && StyleController() != nullptr; }

  TNotifyEvent OnChanged;

  // Called by a controller.
  virtual void ControllerChangedNotification(TcxStyleController* AStyleController);
  virtual void ControllerFreeNotification(TcxStyleController* AStyleController);

 protected:
  virtual void Changed();
  virtual TColor DefaultBorderColor();
  virtual TcxContainerBorderStyle DefaultBorderStyle();
  virtual TColor DefaultColor();
  virtual TColor DefaultDisabledTextColor() { return clBtnShadow; }
  virtual TcxBorders DefaultEdges() { return cxBordersAll; }
  virtual bool DefaultHotTrack() { return true; }
  virtual bool DefaultShadow() { return false; }
  virtual TColor DefaultTextColor();
  virtual TFontStyles DefaultTextStyle();
  virtual bool DefaultTransparentBorder() { return true; }
  virtual void FontChanged(TObject* Sender);
  virtual TColor GetColor();
  virtual TcxStyleController* GetDefaultStyleController();
  virtual TColor GetTextColor();
  virtual TFontStyles GetTextStyle();
  virtual TcxContainerStyleValues InternalGetNotPublishedExtendedStyleValues();

  TcxContainerStyle* GetBaseStyle() { return FParentStyle ? FParentStyle : this; }
  TcxStyleController* BaseGetStyleController();
  void BaseSetStyleController(TcxStyleController* Value);
  void CheckChanges();
  // The same-state style of the next controller in the chain.
  TcxContainerStyle* ChainStyle();
  // The first style from this one along the chain that assigns the value (a controller's
  // chain cannot loop: linking refuses cycles).
  TcxContainerStyle* AssigningStyle(TcxContainerStyleValue V);

  struct TStyleData {
    TColor Color = clWindow;
    TFont* Font = nullptr;
    TColor FontColor = clWindowText;
  };

  TColor FBorderColor = clDefault;
  TcxContainerBorderStyle FBorderStyle = cbsNone;
  TcxBorders FEdges = cxBordersAll;
  bool FHotTrack = true;
  bool FShadow = false;
  bool FTransparentBorder = true;
  bool FDirectAccessMode;
  int32_t FFontAssignedValueLockCount = 0;
  bool FIsDestroying = false;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  bool FModified = false;
  TcxContainerStyle* FParentStyle = nullptr;
  TcxContainerStateItem FState;
  TFontStyles FTextStyle;
  int32_t FUpdateCount = 0;
  std::unique_ptr<TFont> FVisibleFont;
  TcxContainerStyleValues FAssignedValues;
  TcxStyleController* FStyleController = nullptr;
  TStyleData StyleData;

 private:
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  void ReadIsFontAssigned(TReader* AReader);
  void WriteIsFontAssigned(TWriter* AWriter);
  // Sets a stored value: nothing when its bit is assigned and the value is unchanged.
  template <class T>
  void SetValue(T& AField, const T& AValue, TcxContainerStyleValue ABit);

  std::unique_ptr<TFont> FOwnFont;
};

using TcxContainerStyleClass = TcxContainerStyle* (*)(TPersistent* AOwner, bool ADirectAccessMode,
                                                      TcxContainerStyle* AParentStyle,
                                                      TcxContainerStateItem AState);

// Makes a style of class T (the virtual constructor of a style class).
template <class T>
TcxContainerStyle* cxCreateContainerStyle(TPersistent* AOwner, bool ADirectAccessMode,
                                          TcxContainerStyle* AParentStyle, TcxContainerStateItem AState) {
  return new T(AOwner, ADirectAccessMode, AParentStyle, AState);
}

// --- TcxContainerStyles ----------------------------------------------------------------------------

// The four state styles of one owner; the normal style is the parent of the other three.
class TcxContainerStyles : public TObject {
  QD_CLASS(TcxContainerStyles, TObject)

 public:
  TcxContainerStyles(TPersistent* AOwner, TcxContainerStyleClass AStyleClass);
  ~TcxContainerStyles() override;

  TcxContainerStyle* Style(TcxContainerStateItem AState) const { return FStyles[AState]; }
  void SetStyle(TcxContainerStateItem AState, TcxContainerStyle* Value) { FStyles[AState]->Assign(Value); }
  TcxContainerStyle* StyleNormal() const { return FStyles[csNormal]; }
  TcxContainerStyle* StyleFocused() const { return FStyles[csActive]; }
  TcxContainerStyle* StyleDisabled() const { return FStyles[csDisabled]; }
  TcxContainerStyle* StyleHot() const { return FStyles[csHotTrack]; }
  void RestoreDefaults();
  void SetOnChanged(const TNotifyEvent& Value);

 private:
  std::array<TcxContainerStyle*, 4> FStyles{};
};

// --- TcxStyleController ----------------------------------------------------------------------------

// A four-style set shared by the containers whose base styles are linked to it.
class TcxStyleController : public TcxScalableComponent {
  QD_CLASS(TcxStyleController, TcxScalableComponent)

 public:
  explicit TcxStyleController(TComponent* AOwner);
  ~TcxStyleController() override;

  void Loaded() override;
  virtual void AddListener(TcxContainerStyle* AListener);
  virtual void RemoveListener(TcxContainerStyle* AListener);
  void RestoreStyles();

  TcxContainerStyle* Style() const { return FStyles->StyleNormal(); }
  TcxContainerStyle* InternalStyle(TcxContainerStateItem AState) const { return FStyles->Style(AState); }
  TcxContainerStyles* Styles() const { return FStyles.get(); }
  TcxStyleController* FakeStyleController() const { return Style()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  bool IsListener(TcxContainerStyle* AStyle) const;
  int32_t ListenerCount() const { return static_cast<int32_t>(FListeners.size()); }
  bool IsDestruction() const { return FIsDestruction; }

  TNotifyEvent OnStyleChanged;

 protected:
  virtual TcxContainerStyleClass GetStyleClass() { return &cxCreateContainerStyle<TcxContainerStyle>; }
  virtual void Changed();
  void ChangeScale(int32_t M, int32_t D) override;
  // Creates the styles (a derived controller calls it again from its constructor to get its
  // own style class).
  void CreateStyles();

 private:
  void StyleChanged(TObject* Sender) { Changed(); }

  bool FIsDestruction = false;
  std::vector<TcxContainerStyle*> FListeners;
  std::unique_ptr<TcxContainerStyles> FStyles;
};

// The process-wide default controller (made by the editor framework at start-up).
extern TcxStyleController* cxContainerDefaultStyleController;
TcxStyleController* DefaultContainerStyleController();

// --- TcxContainer and its view info ----------------------------------------------------------------

enum TcxContainerHotState : uint8_t { chsNoHotTrack, chsNormal, chsSelected };
enum TcxMouseButton : uint8_t { cxmbNone, cxmbLeft, cxmbRight, cxmbMiddle };

inline constexpr TRect cxContainerDefaultBorderExtent{2, 2, 2, 2};
inline constexpr int32_t cxContainerShadowWidth = 3;
inline constexpr TColor cxContainerShadowColor = clBtnShadow;

// Posted to repaint a container after a state change; the window-region update a container
// sends to itself.
constexpr UINT CM_SHORTREFRESHCONTAINER = 0x807F;
constexpr UINT CM_UPDATESCROLLBARS = 0x8080;
constexpr UINT DXM_UPDATEWINDOWREGION = 0x8083;

// Offered by an inner control that shows the size grip between the container's bars.
class IcxContainerInnerControl {
 public:
  virtual ~IcxContainerInnerControl() = default;
  virtual TWinControl* GetControl() = 0;
  virtual TcxContainer* GetControlContainer() = 0;
};

// Where the size grip between the two mirrored scroll bars was last drawn.
struct TcxContainerSizeGripData {
  TRect Bounds;
  bool Visible = false;
  friend bool operator==(const TcxContainerSizeGripData&, const TcxContainerSizeGripData&) = default;
};

// The window region given to the inner control: IsEmpty means none.
struct TcxContainerInnerControlBounds {
  bool IsEmpty = true;
  TRect Rect;
};

// The geometry, colours and border of a container computed at each refresh; the container
// paints only through it.
class TcxContainerViewInfo : public TObject {
  QD_CLASS(TcxContainerViewInfo, TObject)

 public:
  TcxContainerViewInfo() = default;
  ~TcxContainerViewInfo() override = default;

  virtual void Assign(TObject* Source);
  virtual void Offset(int32_t DX, int32_t DY);
  virtual void Paint(TcxCanvas* ACanvas) { InternalPaint(ACanvas); }
  virtual void UpdateStyle(TcxContainerStyle* AStyle);

  TColor BackgroundColor() const { return FBackgroundColor; }
  virtual void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  bool Calculated() const { return FCalculated; }
  void SetCalculated(bool Value) { FCalculated = Value; }

  TColor BorderColor = clDefault;
  TRect BorderRect;
  TcxContainerBorderStyle BorderStyle = cbsNone;
  int32_t BorderWidth = 0;
  TRect Bounds;
  TRect ClientRect;
  TcxContainerState ContainerState{csNormal};
  TcxBorders Edges;
  TFont* Font = nullptr;
  TcxContainerHotState HotState = chsNormal;
  int32_t NativePart = 0;
  int32_t NativeState = 0;
  bool NativeStyle = false;
  TObject* Owner = nullptr;
  TcxCustomLookAndFeelPainter* Painter = nullptr;
  bool Shadow = false;
  TdxThemedObjectType ThemedObjectType = totEdit;
  bool UseSkins = false;

 protected:
  virtual void DrawBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void InternalPaint(TcxCanvas* ACanvas);

 private:
  void DrawNativeBackground(TcxCanvas* ACanvas);

  TColor FBackgroundColor = clWindow;
  bool FCalculated = false;
};

// A control that frames an inner window control with a border whose look follows the
// container's state (normal, focused, disabled, hot) through four styles.
class TcxContainer : public TcxControl, public IcxMouseTrackingCaller {
  QD_CLASS(TcxContainer, TcxControl)

 public:
  explicit TcxContainer(TComponent* AOwner,
                        TcxContainerStyleClass AStyleClass = &cxCreateContainerStyle<TcxContainerStyle>);
  ~TcxContainer() override;

  // -- Styles
  TcxContainerStyles* Styles() const { return FStyles.get(); }
  TcxContainerStyle* Style() const { return FStyles->StyleNormal(); }
  void SetStyle(TcxContainerStyle* Value) { Style()->Assign(Value); }
  TcxContainerStyle* StyleDisabled() const { return FStyles->StyleDisabled(); }
  TcxContainerStyle* StyleFocused() const { return FStyles->StyleFocused(); }
  TcxContainerStyle* StyleHot() const { return FStyles->StyleHot(); }
  TcxContainerStyle* ActiveStyle();
  TcxStyleController* FakeStyleController() const { return Style()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  TcxContainerViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TFont* GetVisibleFont();
  bool IsStylePropertyPublished(const String& APropertyName, bool AExtendedStyle);
  virtual bool DefaultParentColor() { return false; }
  virtual bool IsInplace() { return false; }
  // The control shows a popup window of its own (a drop-down editor).
  virtual bool HasPopupWindow() { return false; }

  // -- Inner control
  TWinControl* InnerControl() const { return FInnerControl; }
  void SetInnerControl(TWinControl* Value);
  bool HasInnerControl() const { return FInnerControl != nullptr; }
  bool HasInnerControlHandle() const { return FInnerControl && FInnerControl->HandleAllocated(); }
  TWinControl* GetActiveControl() { return FInnerControl ? FInnerControl : this; }

  // -- Refresh cycle
  void BeginRefreshContainer() { ++FRefreshLockCount; }
  void EndRefreshContainer();
  bool RefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift, bool AIsMouseEvent);
  void ShortRefreshContainer(bool AIsMouseEvent);
  bool IsViewInfoCalculated() const { return FIsViewInfoCalculated; }
  void LockAlignControls(bool ALock);
  void LockPopupMenu(bool ALock);

  // -- Geometry
  virtual TRect GetBorderExtent();
  virtual TRect GetShadowBounds();
  virtual TRect GetShadowBoundsExtent() { return TRect{}; }
  virtual TRect GetVisibleBounds();
  virtual TRect GetWindowRegionAddon() { return TRect{}; }
  virtual bool HasShadow();
  virtual bool CanHaveTransparentBorder();
  virtual bool IsNativeStyle();
  virtual bool IsReadOnly() { return false; }
  virtual bool CanContainerHandleTabs() { return true; }
  bool Focused();

  // -- Scroll bars: the inner control's system bars mirrored by the library's
  bool NeedsScrollBars() override { return false; }
  void UpdateScrollBars() override;
  virtual void SetScrollBarsParameters(bool AIsScrolling = false);
  // Posts the recalculation of the mirrored bars.
  void UpdateScrollBarsParameters();
  virtual bool GetScrollBarInfo(SCROLLBARINFO& AInfo, TScrollBarKind AKind);
  bool IsScrollBarVisible(TScrollBarKind AKind, SCROLLBARINFO& AInfo);
  HWND GetScrollBarHandle(TScrollBarKind AKind);
  const TcxContainerSizeGripData& SizeGripData() const { return FSizeGripData; }
  bool ScrollBarsCalculating() const { return FScrollBarsCalculating; }
  // Forgets the window region last given to the inner control.
  void ClearSavedChildControlRegions() { FInnerControlBounds = TcxContainerInnerControlBounds{}; }
  // The container's tab order: its inner control stands in for it while that has the focus.
  void GetTabOrderList(std::vector<TWinControl*>& AList) override;

  // TWinControl / TcxControl
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void Invalidate() override;
  void Update() override;
  TRect GetClientBounds() override;
  void AdjustClientRect(TRect& Rect) override;
  TcxLookAndFeel* GetLookAndFeelValue() { return Style()->LookAndFeel(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  bool MayFocus() override;
  void SetFocus() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

  // IcxMouseTrackingCaller
  void MouseLeave() override { MouseTrackingCallerMouseLeave(); }

 protected:
  // The part of the creation that asks DefaultParentColor, a virtual this class's constructor
  // cannot reach: ParentColor becomes true for a container drawn on its parent's colour unless it
  // is in place or a style controller gives it a colour. Called by the constructor of a class
  // that answers DefaultParentColor true.
  void InitializeParentColor();
  virtual void MouseTrackingCallerMouseLeave() { EndMouseTracking(); }
  virtual void AdjustInnerControl();
  virtual void CalculateViewInfo(const TPoint& P, bool AHotTrack);
  virtual bool CanRefreshContainer();
  virtual void ContainerStyleChanged(TObject* Sender);
  virtual HRGN CreateWindowRegion();
  virtual bool DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                  bool AIsMouseEvent);
  // After a refresh caused by the mouse: events that the view info's change implies.
  virtual void DoProcessEventsOnViewInfoChanging() {}
  virtual void DoSetSize();
  // The inner control's bounds for the current view info and scroll-bar mode.
  TRect GetInnerControlNeededBounds();
  virtual void EndMouseTracking();
  virtual TcxContainerStyle* InternalGetActiveStyle();
  virtual TColor GetBackgroundColor();
  virtual TColor GetBorderColor();
  virtual TcxContainerStyleValues InternalGetNotPublishedStyleValues() { return {}; }
  virtual TdxThemedObjectType GetBackgroundThemedObjectType() { return totEdit; }
  virtual int32_t GetBackgroundNativePart();
  virtual int32_t GetBackgroundNativeState();
  virtual bool IsContainerFocused() { return Focused(); }
  virtual bool IsMouseTracking();
  virtual bool CanShowPopupMenu(const TPoint& P) { return true; }
  virtual bool IsContainerClass() { return false; }
  virtual bool UseInnerControlScrollBarParameters() { return HasInnerControl(); }
  virtual bool UseSystemRightToLeftLayoutForInnerControl() { return false; }
  virtual void AdjustScrollBarPosition(TcxScrollBar* AScrollBar);
  // Places the floating (popup) bars over the content and marks which are shown.
  virtual void AdjustScrollBarPositions();
  virtual TRect GetScrollBarBounds(const TRect& AScreenRect);
  virtual bool GetScrollBarEnabled(TcxScrollBar* AScrollBar, const SCROLLBARINFO& AInfo);
  virtual void SetScrollBarVisible(TcxScrollBar* AScrollBar, bool AVisible);
  // The inner control's scroll information for the bar; a page above the maximum is cut.
  bool GetStandardScrollBarParameters(TScrollBarKind AKind, SCROLLINFO& AInfo);
  // The part of the control inside R (both in the container's coordinates), in the control's
  // own coordinates; IsEmpty when nothing is cut.
  virtual void GetInnerControlBounds(const TRect& R, TControl* AControl,
                                     TcxContainerInnerControlBounds& Bounds);
  virtual void SafeSelectionFocusInnerControl();
  virtual void UpdateWindowRegion();

  void ColorChanged() override;
  void CursorChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void FocusChanged() override;
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  bool CanFocusOnClick() override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;

  // The container state for a mouse point (disabled, focused, hot).
  TcxContainerState CalculateContainerState(const TPoint& P, bool AHotTrack);
  // Replaces the view info (a descendant's own view-info class); takes ownership.
  void ReplaceViewInfo(TcxContainerViewInfo* AViewInfo);

  int32_t FInternalSetting = 0;
  int32_t FRefreshLockCount = 0;
  bool FIsCreating = false;

 private:
  void WMUpdateWindowRegion(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMWindowPosChanging(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  bool FMovingFocus = false;
  void ResetActiveStyleData() { FActiveStyleData.ActiveStyle = nullptr; }

  struct {
    TcxContainerState ContainerState;
    TcxContainerStyle* ActiveStyle = nullptr;
  } FActiveStyleData;
  bool FHasChanges = false;
  TWinControl* FInnerControl = nullptr;
  TcxContainerInnerControlBounds FInnerControlBounds;
  bool FIsViewInfoCalculated = false;
  int32_t FLockAlignControlsCount = 0;
  int32_t FPopupMenuLockCount = 0;
  int32_t FProcessEventsLockCount = 0;
  bool FScrollBarsCalculating = false;
  TcxContainerSizeGripData FSizeGripData;
  std::unique_ptr<TcxContainerStyles> FStyles;
  std::unique_ptr<TcxContainerViewInfo> FViewInfo;
  int32_t FUpdateWindowRegionCount = 0;
  bool FInternalWindowRegionSetting = false;
  HRGN FNewWindowRegion = nullptr;
};

// -- Unit functions

TRect GetControlRect(TControl* AControl);
// The Standard painter's width of the border style.
int32_t GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle);
TColor GetContainerBorderColor(bool AIsHighlightBorder, bool AIsOffice11Style);
void InflateRectByBorders(TRect& R, int32_t ABorderWidth, TcxBorders AEdges);
void DrawContainerShadow(TcxCanvas* ACanvas, const TRect& R);
void InternalFillRect(TcxCanvas* ACanvas, const TRect& AOuterRect, const TRect& AInternalRect, TColor AColor);
void InternalInvalidate(HWND AHandle, const TRect& AOuterRect, const TRect& AInternalRect,
                        bool AEraseBackground, bool AFrame);
// The shadow bounds united with their copy moved by the shadow width (0: no region).
HRGN GetWindowShadowRegion(HWND AWindowHandle, TRect AShadowBounds, const TRect& AShadowBoundsExtent,
                           const TRect& AExcludeRect, bool AShadow, bool ANativeBorder);
HRGN GetWindowRegion(HWND AHandle);
// Gives the window the region (which it then owns) when it differs from the current one;
// otherwise deletes the region. True when applied or unchanged.
bool SetWindowRegion(HWND AHandle, HRGN ARegion, bool ARedraw);
void SetWindowRegion(TWinControl* AControl, const TcxContainerInnerControlBounds& ABounds);

// The system's scroll-bar information, through user32's GetScrollBarInfo bound by name at
// start-up (UsecxScrollBars: it was found). With the right-to-left setting and the scale
// factor, a per-monitor-aware process gets the bar's thickness at that scale.
bool UsecxScrollBars();
void SetUsecxScrollBars();
bool cxGetScrollBarInfo(HWND AHandle, LONG AObjectId, SCROLLBARINFO& AInfo);
bool cxGetScrollBarInfo(HWND AHandle, LONG AObjectId, SCROLLBARINFO& AInfo, bool ARightToLeft,
                        const TdxScaleFactor* AScaleFactor);
// Cuts a system bar's page to what a library bar of the same range accepts; False for a
// range whose maximum lies below its minimum.
bool cxCutScrollPage(SCROLLINFO& AInfo);
// The square between the container's two mirrored bars, relative to the inner control's
// window rectangle; empty unless both bars are visible.
TRect GetSizeGripRect(TcxContainer* AContainer);
// Fills R of the inner control's window in the painter's size-grip colour.
void cxFillSizeGrip(TcxContainer* AContainer, const TRect& R);
// A library scroll bar placed over a system bar takes the system scale factor unless the
// process scales per monitor.
void cxSetScrollBarSystemScaleFactor(TcxScrollBar* AScrollBar);
// Whether a hint may be shown for the control now.
bool cxCanShowHint(TWinControl* AControl);

namespace cxContainer {
// Makes the default style controller; Finalize frees it.
void Initialize();
void Finalize();
}  // namespace cxContainer

}  // namespace qd
