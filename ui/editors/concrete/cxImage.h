#pragma once
// The image editor unit: the registry of graphic classes pictures may be loaded as, the
// shared popup-menu glyphs, the picture as a byte-array edit value, the image editor's
// properties with its zooming and animation options, its view data and view info (fit modes,
// zoom, the zoom bar over the picture) and the image editor itself with its context menu,
// clipboard, picture dialogs and keys.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/set.h"
#include "platform/base/variant.h"
#include "platform/classes/filer.h"
#include "platform/forms/graphics.h"
#include "platform/forms/menus.h"
#include "ui/controls/cxScrollHelper.h"
#include "ui/core/dxCore.h"
#include "ui/editors/concrete/dxZoomTrackBar.h"
#include "ui/editors/cxEdit.h"
#include "ui/graphics/cxGraphicsImages.h"

namespace qd {

class TcxImageList;
class TcxCustomImage;

enum TcxImageTransparency : uint8_t { gtDefault, gtOpaque, gtTransparent };
enum TcxPopupMenuItem : uint8_t {
  pmiCut,
  pmiCopy,
  pmiPaste,
  pmiDelete,
  pmiLoad,
  pmiWebCam,
  pmiSave,
  pmiCustom
};
using TcxPopupMenuItems = TSet<TcxPopupMenuItem>;

// --- Graphic class registry --------------------------------------------------------------------

// Adds a graphic class that is not yet in the list.
void RegisterGraphicClass(TGraphicClass AGraphicClass);
// TBitmap, TIcon, TMetafile, then TdxPNGImage and TdxSmartImage when registered, then the
// classes added later.
const std::vector<TGraphicClass>& GetRegisteredGraphicClasses();
// The first registered class of that name (letter case ignored), or nullptr.
TGraphicClass GetGraphicClassByName(const String& AClassName);

// --- Shared resources --------------------------------------------------------------------------

// The popup menu's glyphs, one per menu item in item order (image index = item ordinal).
class TcxImageCommonResources {
 public:
  TcxImageCommonResources();
  ~TcxImageCommonResources();
  TcxImageList* PopupMenuImageList() const { return FPopupMenuImageList.get(); }

 private:
  std::unique_ptr<TcxImageList> FPopupMenuImageList;
};
TcxImageCommonResources* cxImageCommonResources();

// --- Picture data --------------------------------------------------------------------------------

// The graphic's saved bytes as a byte array (bounds 0 .. size - 1); Null without a graphic.
Variant SavePicture(TPicture* APicture);
// Loads the picture from a byte array or a string of bytes, skipping an 8-byte
// {1, $0100, size - 8} header. Anything else, fewer than 8 bytes or data the class cannot
// read clears the picture.
void LoadPicture(TPicture* APicture, TGraphicClass AGraphicClass, const Variant& AValue);
// The image editor's equality of edit values: the same variant type and, for byte arrays,
// the same bounds starting at 0 and the same bytes.
bool cxImageEditValuesEqual(const Variant& V1, const Variant& V2);

// --- Options -------------------------------------------------------------------------------------

class TcxPopupMenuLayout : public TPersistent {
  QD_CLASS(TcxPopupMenuLayout, TPersistent)
  QD_PUBLISHED(TcxPopupMenuLayout)

 public:
  using OwnerType = TcxCustomImage;
  explicit TcxPopupMenuLayout(TcxCustomImage* AImage = nullptr) : FImage(AImage) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;

  TcxPopupMenuItems MenuItems() const { return FMenuItems; }
  void SetMenuItems(TcxPopupMenuItems Value) { FMenuItems = Value; }
  const String& CustomMenuItemCaption() const { return FCustomMenuItemCaption; }
  void SetCustomMenuItemCaption(const String& Value) { FCustomMenuItemCaption = Value; }
  // Created on first read; assigning nullptr frees it.
  virtual TBitmap* GetCustomMenuItemGlyph();
  TBitmap* CustomMenuItemGlyph() { return GetCustomMenuItemGlyph(); }
  void SetCustomMenuItemGlyph(TBitmap* Value);
  bool HasCustomMenuItemGlyph() const { return FCustomMenuItemGlyph != nullptr; }
  bool IsMenuItemsStored() const { return FMenuItems != DefaultMenuItems(); }
  static TcxPopupMenuItems DefaultMenuItems() {
    return {pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiWebCam, pmiSave};
  }

 private:
  TcxPopupMenuItems FMenuItems = DefaultMenuItems();
  String FCustomMenuItemCaption;
  std::unique_ptr<TBitmap> FCustomMenuItemGlyph;
  TcxCustomImage* FImage;
};

class TcxImageZoomingOptions : public TPersistent {
  QD_CLASS(TcxImageZoomingOptions, TPersistent)
  QD_PUBLISHED(TcxImageZoomingOptions)

 public:
  TcxImageZoomingOptions() = default;
  void Assign(TPersistent* Source) override;

  // Never below 100; lowering it pulls ZoomPercent along.
  int32_t MaxZoom() const { return FMaxZoom; }
  void SetMaxZoom(int32_t Value);
  // Kept in 0..100; raising it pulls ZoomPercent along.
  int32_t MinZoom() const { return FMinZoom; }
  void SetMinZoom(int32_t Value);
  // Kept in [max(0, MinZoom), MaxZoom].
  int32_t ZoomPercent() const { return FZoomPercent; }
  void SetZoomPercent(int32_t Value);
  bool ShowZoomTrackBar() const { return FShowZoomTrackBar; }
  void SetShowZoomTrackBar(bool Value);
  TNotifyEvent OnChanged;

 protected:
  virtual void Changed();

 private:
  int32_t FMaxZoom = 500;
  int32_t FMinZoom = 0;
  int32_t FZoomPercent = 100;
  bool FShowZoomTrackBar = false;
};

class TcxImageAnimationOptions : public TPersistent {
  QD_CLASS(TcxImageAnimationOptions, TPersistent)
  QD_PUBLISHED(TcxImageAnimationOptions)

 public:
  using OwnerType = TcxCustomImage;
  explicit TcxImageAnimationOptions(TcxCustomImage* AOwner = nullptr) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override;

  TdxDefaultBoolean Animation() const { return FAnimation; }
  void SetAnimation(TdxDefaultBoolean Value);
  TdxDefaultBoolean AnimationLoop() const { return FAnimationLoop; }
  void SetAnimationLoop(TdxDefaultBoolean Value);
  // Looks at the picture's new graphic: an animatable image is driven by these options.
  void CheckGraphic(TGraphic* AGraphic);
  TdxCustomSmartImage* Graphic() const { return FGraphic; }

 protected:
  virtual void Changed();

 private:
  TcxCustomImage* FOwner;
  TdxDefaultBoolean FAnimation = bDefault;
  TdxDefaultBoolean FAnimationLoop = bDefault;
  TdxCustomSmartImage* FGraphic = nullptr;
};

// --- Properties ------------------------------------------------------------------------------------

using TcxImageAssignPictureEvent = TMethod<void(TObject* Sender, TPicture* APicture)>;
using TcxImageGraphicClassEvent = TMethod<void(TObject* AItem, int32_t ARecordIndex,
                                               TGraphicClass& AGraphicClass, bool APastingFromClipboard)>;
using TcxImageEditGraphicClassEvent =
    TMethod<void(TObject* Sender, bool APastingFromClipboard, TGraphicClass& AGraphicClass)>;

class TcxCustomImageProperties : public TcxCustomEditProperties {
  QD_CLASS(TcxCustomImageProperties, TcxCustomEditProperties)

 public:
  explicit TcxCustomImageProperties(TPersistent* AOwner);
  ~TcxCustomImageProperties() override;

  void DefineProperties(TFiler* Filer) override;
  bool CanValidate() override { return true; }
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
  TClass GetContainerClass() const override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSpecialFeatures GetSpecialFeatures() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsResetEditClass() override { return true; }
  TcxEditEditValueSource GetEditValueSource(bool) override { return evsValue; }
  void ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText, bool& AError,
                            const TValidateHandler& AValidator = nullptr,
                            const Variant* ACurrentDisplayValue = nullptr) override;

  virtual TGraphicClass GetDefaultGraphicClass() const;
  // GraphicClass; else TBitmap when pasting, nothing otherwise; then OnGetGraphicClass.
  virtual TGraphicClass GetGraphicClass(TObject* AItem, int32_t ARecordIndex,
                                        bool APastingFromClipboard = false);

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { SetValue(FCaption, Value); }
  bool Center() const { return FCenter; }
  void SetCenter(bool Value) { SetValue(FCenter, Value); }
  const String& CustomFilter() const { return FCustomFilter; }
  void SetCustomFilter(const String& Value) { FCustomFilter = Value; }
  TcxImageFitMode FitMode() const { return FFitMode; }
  void SetFitMode(TcxImageFitMode Value) { SetValue(FFitMode, Value); }
  TGraphicClass GraphicClass() const { return FGraphicClass; }
  void SetGraphicClass(TGraphicClass Value);
  String GraphicClassName() const;
  // Empty: no class; a registered name: that class; any other name: TdxSmartImage.
  void SetGraphicClassName(const String& Value);
  bool IsGraphicClassNameStored() const { return FGraphicClass && FGraphicClass != GetDefaultGraphicClass(); }
  TcxImageTransparency GraphicTransparency() const { return FGraphicTransparency; }
  void SetGraphicTransparency(TcxImageTransparency Value);
  TcxPopupMenuLayout* PopupMenuLayout() const { return FPopupMenuLayout.get(); }
  void SetPopupMenuLayout(TcxPopupMenuLayout* Value) { FPopupMenuLayout->Assign(Value); }
  bool ShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value) { SetValue(FShowFocusRect, Value); }
  TdxCustomZoomTrackBarProperties* ZoomTrackBarProperties() const { return FZoomTrackBarProperties.get(); }
  void SetZoomTrackBarProperties(TdxCustomZoomTrackBarProperties* Value) {
    FZoomTrackBarProperties->Assign(Value);
  }
  // Derived from FitMode.
  bool Stretch() const { return FFitMode == ifmStretch || FFitMode == ifmProportionalStretch; }
  void SetStretch(bool Value);
  bool Proportional() const { return FFitMode == ifmProportionalStretch || FFitMode == ifmFit; }
  void SetProportional(bool Value);
  // Stretch, or Proportional with the picture larger than the target in some direction.
  bool GetRealStretch(const TSize& APictureSize, const TSize& ATargetSize) const;
  int32_t DefaultHeight() const { return FDefaultHeight; }
  bool NeedUpdateImage() const { return FNeedUpdateImage; }
  void SetNeedUpdateImage(bool Value) { FNeedUpdateImage = Value; }

  const TcxImageAssignPictureEvent& OnAssignPicture() const { return FOnAssignPicture; }
  void SetOnAssignPicture(const TcxImageAssignPictureEvent& Value) { FOnAssignPicture = Value; }
  const TNotifyEvent& OnCustomClick() const { return FOnCustomClick; }
  void SetOnCustomClick(const TNotifyEvent& Value) { FOnCustomClick = Value; }
  const TcxImageGraphicClassEvent& OnGetGraphicClass() const { return FOnGetGraphicClass; }
  void SetOnGetGraphicClass(const TcxImageGraphicClassEvent& Value) { FOnGetGraphicClass = Value; }

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;
  virtual TdxCustomZoomTrackBarProperties* CreateZoomBarProperties();

 private:
  void ReadIsGraphicClassNameEmpty(TReader* Reader);
  void WriteIsGraphicClassNameEmpty(TWriter* Writer);
  void ZoomBarChanged(TObject*) { Changed(); }

  String FCaption;
  bool FCenter = true;
  String FCustomFilter;
  TcxImageFitMode FFitMode = ifmFit;
  TGraphicClass FGraphicClass = nullptr;
  TcxImageTransparency FGraphicTransparency = gtDefault;
  std::unique_ptr<TcxPopupMenuLayout> FPopupMenuLayout;
  bool FShowFocusRect = true;
  std::unique_ptr<TdxCustomZoomTrackBarProperties> FZoomTrackBarProperties;
  int32_t FDefaultHeight = 15;
  bool FNeedUpdateImage = false;
  TcxImageAssignPictureEvent FOnAssignPicture;
  TNotifyEvent FOnCustomClick;
  TcxImageGraphicClassEvent FOnGetGraphicClass;
};

class TcxImageProperties : public TcxCustomImageProperties {
  QD_CLASS(TcxImageProperties, TcxCustomImageProperties)
  QD_PUBLISHED(TcxImageProperties)

 public:
  using OwnerType = TPersistent;
  using TcxCustomImageProperties::TcxCustomImageProperties;
};

// --- View info and view data -----------------------------------------------------------------------

class TcxImageViewInfo : public TcxCustomEditViewInfo {
  QD_CLASS(TcxImageViewInfo, TcxCustomEditViewInfo)

 public:
  TcxImageViewInfo();
  ~TcxImageViewInfo() override;
  bool IsRepaintOnStateChangingNeeded() override;

  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture = Value; }
  // A picture of the view info's own (for drawing without a control), made once.
  TPicture* OwnPicture();
  // The zoom bar, calculated at the origin; its Bounds place it in the client area.
  TdxCustomZoomTrackBarViewInfo* ZoomTrackBarViewInfo() const { return FZoomTrackBarViewInfo.get(); }
  // Where the picture is drawn (before clipping), for the client rect given.
  TRect GetImageRect();

  String Caption;
  bool Center = true;
  TcxImageFitMode FitMode = ifmFit;
  int32_t ZoomPercent = 100;
  bool Scalable = false;
  bool ShowFocusRect = false;
  bool ShowZoomTrackBar = false;
  TPoint TopLeft;
  bool FUseRightToLeftScrollBar = false;

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;

 private:
  TPicture* FPicture = nullptr;
  std::unique_ptr<TPicture> FOwnPicture;
  std::unique_ptr<TdxCustomZoomTrackBarViewInfo> FZoomTrackBarViewInfo;
};

class TcxImageViewData : public TcxCustomEditViewData {
  QD_CLASS(TcxImageViewData, TcxCustomEditViewData)

 public:
  using OwnerType = TcxCustomEditProperties;
  using TcxCustomEditViewData::TcxCustomEditViewData;
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TSize GetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                           const TcxEditSizeProperties& AEditSizeProperties,
                           TcxEditValidateInfo* AErrorData = nullptr) override;
  // None for a transparent stand-alone image without a border: the picture takes the control.
  TRect GetBorderExtent() override;

 protected:
  TcxCustomImageProperties* ImageProperties() const {
    return static_cast<TcxCustomImageProperties*>(Properties());
  }
  void CalculateZoomTrackBar(TcxCanvas* ACanvas, TcxImageViewInfo* AViewInfo, const TRect& R);
};

// --- The image editor --------------------------------------------------------------------------------

// The camera dialog and the camera check the menu uses (the camera units' own, by default);
// tests put their own in place.
extern bool (*cxImageShowCameraDialogProc)(TPicture* APicture);
extern bool (*cxImageIsCameraAvailableProc)();

class TcxCustomImage : public TcxCustomEdit, public IdxScrollingControl, public IcxTrackBar {
  QD_CLASS(TcxCustomImage, TcxCustomEdit)

 public:
  explicit TcxCustomImage(TComponent* AOwner) : TcxCustomImage(AOwner, false) {}
  TcxCustomImage(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomImage() override;

  TClass GetPropertiesClass() const override { return TcxImageProperties::StaticClass(); }
  TcxCustomImageProperties* Properties() {
    return static_cast<TcxCustomImageProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomImageProperties* ActiveProperties() {
    return static_cast<TcxCustomImageProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxImageViewInfo* ViewInfo() { return static_cast<TcxImageViewInfo*>(TcxCustomEdit::ViewInfo()); }

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  TcxImageZoomingOptions* ZoomingOptions() const { return FZoomingOptions.get(); }
  void SetZoomingOptions(TcxImageZoomingOptions* Value) { FZoomingOptions->Assign(Value); }
  TcxImageAnimationOptions* AnimationOptions() const { return FAnimationOptions.get(); }
  void SetAnimationOptions(TcxImageAnimationOptions* Value) { FAnimationOptions->Assign(Value); }
  uint16_t ClipboardFormat() const { return FClipboardFormat; }
  void SetClipboardFormat(uint16_t Value) { FClipboardFormat = Value; }
  // The zoom in effect (100 when the fit mode does not scale).
  int32_t ZoomPercent() const { return FZoomPercent; }
  bool AllowScaling();
  bool IsScrollbarsNeeded();
  // One line of the zoom bar's scale up or down; crossing 100 stops at 100.
  void IncZoomPercent();
  void DecZoomPercent();

  void CopyToClipboard() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  virtual bool CanPasteFromClipboard();
  void EditAndClear();
  void LoadFromFile();
  void SaveToFile();
  void AssignFromWebCam();
  // The container is focused, or a file dialog of the editor is open.
  bool Focused();
  bool IsDialogShowed() const { return FIsDialogShowed; }
  virtual TGraphicClass GetGraphicClass(bool APastingFromClipboard = false);

  // The context menu, built on its first showing.
  TPopupMenu* InternalPopupMenu() const { return FInternalPopupMenu; }
  // Builds and updates the context menu as it is about to be shown.
  void PreparePopup();
  // Runs a context-menu command by its tag, as a user action.
  void MenuItemClick(int32_t ATag);

  const TcxImageEditGraphicClassEvent& OnGetGraphicClass() const { return FOnGetGraphicClass; }
  void SetOnGetGraphicClass(const TcxImageEditGraphicClassEvent& Value) { FOnGetGraphicClass = Value; }

  // The zoom bar's input controller, made on first use (the making is virtual).
  TcxTrackBarController* ZoomTrackBarController();

  // IcxTrackBar: the zoom bar, whose position is the zoom.
  TcxCustomTrackBarProperties* GetActiveProperties() override {
    return ActiveProperties()->ZoomTrackBarProperties();
  }
  TcxCustomTrackBarProperties* GetProperties() override { return Properties()->ZoomTrackBarProperties(); }
  TcxCustomTrackBarViewInfo* GetTrackBarViewInfo() override { return ViewInfo()->ZoomTrackBarViewInfo(); }
  bool IsTrackBarInplace() override { return IsInplace(); }
  // Relative to the bar, as all points the bar's controller receives.
  TPoint GetMouseDownPoint() override;
  int32_t GetTrackBarPosition() override { return FZoomingOptions->ZoomPercent(); }
  void SetTrackBarPosition(int32_t AValue) override { FZoomingOptions->SetZoomPercent(AValue); }

  // IdxScrollingControl
  TSize GetContentSize() override;
  TcxControl* GetInstance() override { return this; }
  int32_t GetLeftPos() override;
  void SetLeftPos(int32_t Value) override;
  int32_t GetTopPos() override;
  void SetTopPos(int32_t Value) override;

  void Loaded() override;
  void PropertiesChanged(TObject* Sender) override;

 protected:
  Variant GetEditValue() override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  bool CanAutoSize() override;
  bool CanAutoWidth() override { return true; }
  bool NeedsScrollBars() override { return true; }
  bool AllowHybridScrollbarMode() override { return false; }
  bool AllowTouchScrollUIMode() override { return !IsDesigning(); }
  void DoScrollUIModeChanged() override { UpdateScrollBars(); }
  void InitScrollBarsParameters() override;
  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int32_t& AScrollPos) override;
  bool IsMouseWheelHandleNeeded() override;
  bool InternalMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos) override;
  bool IsContainerFocused() override { return FIsDialogShowed || TcxCustomEdit::IsContainerFocused(); }
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;
  // Also stops a held change button of the zoom bar.
  void FocusChanged() override;
  // The zoom gesture as well; panning without the gutter.
  bool IsDefaultGesture(DWORD AGestureID) override;
  TInteractiveGestureOptions GetDefaultPanOptions() override;
  void DoGesture(const TGestureEventInfo& AEventInfo, bool& AHandled) override;

  virtual TcxImageZoomingOptions* CreateZoomingOptions();
  virtual TcxTrackBarController* CreateZoomTrackBarController();
  virtual void CustomClick();
  virtual void DoPictureLoadedFromFile() {}
  virtual void ZoomingOptionsChangedHandler(TObject* Sender);
  virtual void SetupZoomTrackBarProperties();
  void PictureChanged(TObject* Sender);
  void CheckZoomPercent();
  void CheckScrollbars(bool AReset);

 private:
  void MenuItemClickHandler(TObject* Sender);
  // The zoom bar's rectangle in client coordinates, or empty when it is hidden.
  TRect ZoomBarRect();
  bool IsPointOnZoomBar(int32_t X, int32_t Y);
  // A client point relative to the zoom bar.
  TPoint ZoomBarPoint(int32_t X, int32_t Y);
  // Recalculates the bar's states and repaints it.
  void UpdateZoomBar();

  std::unique_ptr<TPicture> FPicture;
  uint16_t FClipboardFormat = 0;
  TPopupMenu* FInternalPopupMenu = nullptr;
  bool FIsDialogShowed = false;
  TPoint FLastDragPos = cxInvalidPoint;
  int32_t FZoomPercent = 0;
  std::unique_ptr<TcxImageZoomingOptions> FZoomingOptions;
  std::unique_ptr<TcxImageAnimationOptions> FAnimationOptions;
  std::unique_ptr<TcxTrackBarController> FZoomTrackBarController;
  bool FZoomTrackBarSliding = false;
  int32_t FGestureDistance = 0;
  TcxImageEditGraphicClassEvent FOnGetGraphicClass;
};

class TcxImage : public TcxCustomImage {
  QD_CLASS(TcxImage, TcxCustomImage)
  QD_PUBLISHED(TcxImage)

 public:
  using OwnerType = TComponent;
  explicit TcxImage(TComponent* AOwner) : TcxCustomImage(AOwner) {}
  TcxImageProperties* Properties() { return static_cast<TcxImageProperties*>(TcxCustomImage::Properties()); }
  void SetProperties(TcxImageProperties* Value) { TcxCustomImage::Properties()->Assign(Value); }
  void SetStyle(TcxEditStyle* Value) { Style()->Assign(Value); }
  void SetStyleDisabled(TcxEditStyle* Value) { StyleDisabled()->Assign(Value); }
  void SetStyleFocused(TcxEditStyle* Value) { StyleFocused()->Assign(Value); }
  void SetStyleHot(TcxEditStyle* Value) { StyleHot()->Assign(Value); }
};

namespace cxImage {
// Registers the image editor's properties class; shut-down frees the shared resources and
// the graphic class list.
void Initialize();
void Finalize();
}  // namespace cxImage

}  // namespace qd
