// The image editor unit: graphic class registry, shared resources, picture data, the options
// objects and the properties.
#include "ui/editors/concrete/cxImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/classes/rtti.h"
#include "platform/os/user.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxImageList.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxPopupMenuLayout)
QD_IMPLEMENT_CLASS(TcxImageZoomingOptions)
QD_IMPLEMENT_CLASS(TcxImageAnimationOptions)
QD_IMPLEMENT_CLASS(TcxCustomImageProperties)
QD_IMPLEMENT_CLASS(TcxImageProperties)

namespace {

std::unique_ptr<std::vector<TGraphicClass>> gGraphicClasses;
std::unique_ptr<TcxImageCommonResources> gCommonResources;

std::vector<TGraphicClass>& GraphicClassList() {
  if (!gGraphicClasses) {
    gGraphicClasses = std::make_unique<std::vector<TGraphicClass>>();
    gGraphicClasses->push_back(TBitmap::StaticClass());
    gGraphicClasses->push_back(TIcon::StaticClass());
    gGraphicClasses->push_back(TMetafile::StaticClass());
    for (const char* name : {"TdxPNGImage", "TdxSmartImage"})
      if (TClass c = GetClass(name); c && c->InheritsFrom(TGraphic::StaticClass()))
        if (std::find(gGraphicClasses->begin(), gGraphicClasses->end(), c) == gGraphicClasses->end())
          gGraphicClasses->push_back(c);
  }
  return *gGraphicClasses;
}

constexpr const char16_t* kMenuImageNames[] = {
    u"CXMENUIMAGE_CUT",  u"CXMENUIMAGE_COPY",   u"CXMENUIMAGE_PASTE", u"CXMENUIMAGE_DELETE",
    u"CXMENUIMAGE_LOAD", u"CXMENUIMAGE_WEBCAM", u"CXMENUIMAGE_SAVE"};

}  // namespace

// --- Graphic class registry ----------------------------------------------------------------------

void RegisterGraphicClass(TGraphicClass AGraphicClass) {
  std::vector<TGraphicClass>& list = GraphicClassList();
  if (AGraphicClass && std::find(list.begin(), list.end(), AGraphicClass) == list.end())
    list.push_back(AGraphicClass);
}

const std::vector<TGraphicClass>& GetRegisteredGraphicClasses() {
  return GraphicClassList();
}

TGraphicClass GetGraphicClassByName(const String& AClassName) {
  for (TGraphicClass c : GraphicClassList())
    if (SameText(c->ClassName(), AClassName)) return c;
  return nullptr;
}

// --- Shared resources ------------------------------------------------------------------------------

TcxImageCommonResources::TcxImageCommonResources() {
  FPopupMenuImageList = std::make_unique<TcxImageList>(16, 16);
  FPopupMenuImageList->SetColorDepth(cd32Bit);
  for (const char16_t* name : kMenuImageNames) {
    TBitmap bitmap;
    try {
      TResourceStream stream(name, RT_BITMAP);
      bitmap.LoadFromStream(&stream);
    } catch (const Exception&) {
      // A missing glyph leaves an empty cell, so the other items keep their indexes.
      bitmap.SetPixelFormat(pf32bit);
      bitmap.SetSize(16, 16);
    }
    FPopupMenuImageList->Add(&bitmap, clDefault);
  }
}

TcxImageCommonResources::~TcxImageCommonResources() = default;

TcxImageCommonResources* cxImageCommonResources() {
  if (!gCommonResources) gCommonResources = std::make_unique<TcxImageCommonResources>();
  return gCommonResources.get();
}

// --- Picture data --------------------------------------------------------------------------------------

Variant SavePicture(TPicture* APicture) {
  if (!APicture || !APicture->Graphic() || APicture->Graphic()->Empty()) return Null();
  TMemoryStream stream;
  APicture->Graphic()->SaveToStream(&stream);
  const auto* data = static_cast<const uint8_t*>(stream.Memory());
  return Variant::FromBytes(data, static_cast<size_t>(stream.Size()));
}

void LoadPicture(TPicture* APicture, TGraphicClass AGraphicClass, const Variant& AValue) {
  if (!dxVarIsBlob(AValue)) {
    APicture->SetGraphic(nullptr);
    return;
  }
  try {
    const AnsiString bytes = dxVariantToAnsiString(AValue);
    if (bytes.size() < 8) {
      APicture->SetGraphic(nullptr);
      return;
    }
    TMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    uint16_t word1 = 0, word2 = 0;
    uint32_t length = 0;
    std::memcpy(&word1, bytes.data(), 2);
    std::memcpy(&word2, bytes.data() + 2, 2);
    std::memcpy(&length, bytes.data() + 4, 4);
    const bool hasHeader = word1 == 1 && word2 == 0x0100 && length == bytes.size() - 8;
    stream.SetPosition(hasHeader ? 8 : 0);
    if (AGraphicClass) {
      std::unique_ptr<TObject> object(AGraphicClass->Create(nullptr));
      auto* graphic = dynamic_cast<TGraphic*>(object.get());
      if (!graphic) throw EInvalidGraphic(u"Not a graphic class");
      graphic->LoadFromStream(&stream);
      if (!dxGraphicIsEquals(APicture->Graphic(), graphic)) {
        if (auto* smart = dynamic_cast<TdxCustomSmartImage*>(graphic)) smart->CheckIsImageDataValid();
        APicture->SetGraphic(graphic);
      }
    } else {
      APicture->Bitmap()->LoadFromStream(&stream);
    }
  } catch (const Exception&) {
    APicture->SetGraphic(nullptr);
  }
}

bool cxImageEditValuesEqual(const Variant& V1, const Variant& V2) {
  if (VarType(V1) != VarType(V2)) return false;
  if (VarArrayDimCount(V1) == 1 || VarArrayDimCount(V2) == 1) {
    if (VarArrayDimCount(V1) != 1 || VarArrayDimCount(V2) != 1) return false;
    if (VarArrayLowBound(V1, 1) != 0 || VarArrayLowBound(V2, 1) != 0) return false;
    if (VarArrayHighBound(V1, 1) != VarArrayHighBound(V2, 1)) return false;
    return VarArrayToBytes(V1) == VarArrayToBytes(V2);
  }
  return InternalVarEqualsExact(V1, V2);
}

// --- Options ---------------------------------------------------------------------------------------------

void TcxPopupMenuLayout::RegisterProperties(TPropertyRegistrar& r) {
  static const TTypeInfo item = MakeEnumTypeInfo(
      u"TcxPopupMenuItem",
      {u"pmiCut", u"pmiCopy", u"pmiPaste", u"pmiDelete", u"pmiLoad", u"pmiWebCam", u"pmiSave", u"pmiCustom"});
  static const TTypeInfo items = MakeSetTypeInfo(u"TcxPopupMenuItems", &item);
  r.Prop("MenuItems", &TcxPopupMenuLayout::MenuItems, &TcxPopupMenuLayout::SetMenuItems, &items)
      .Stored(&TcxPopupMenuLayout::IsMenuItemsStored);
  r.Prop("CustomMenuItemCaption", &TcxPopupMenuLayout::CustomMenuItemCaption,
         &TcxPopupMenuLayout::SetCustomMenuItemCaption);
  r.Prop("CustomMenuItemGlyph", &TcxPopupMenuLayout::CustomMenuItemGlyph,
         &TcxPopupMenuLayout::SetCustomMenuItemGlyph)
      .Stored(&TcxPopupMenuLayout::HasCustomMenuItemGlyph);
}

void TcxPopupMenuLayout::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxPopupMenuLayout>(Source)) {
    FMenuItems = src->FMenuItems;
    FCustomMenuItemCaption = src->FCustomMenuItemCaption;
    SetCustomMenuItemGlyph(src->FCustomMenuItemGlyph.get());
    return;
  }
  TPersistent::Assign(Source);
}

TPersistent* TcxPopupMenuLayout::GetOwner() const {
  return FImage;
}

TBitmap* TcxPopupMenuLayout::GetCustomMenuItemGlyph() {
  if (!FCustomMenuItemGlyph) FCustomMenuItemGlyph = std::make_unique<TBitmap>();
  return FCustomMenuItemGlyph.get();
}

void TcxPopupMenuLayout::SetCustomMenuItemGlyph(TBitmap* Value) {
  if (!Value) {
    FCustomMenuItemGlyph.reset();
    return;
  }
  GetCustomMenuItemGlyph()->Assign(Value);
}

void TcxImageZoomingOptions::RegisterProperties(TPropertyRegistrar& r) {
  using O = TcxImageZoomingOptions;
  r.Prop("MaxZoom", &O::MaxZoom, &O::SetMaxZoom).Default(500);
  r.Prop("MinZoom", &O::MinZoom, &O::SetMinZoom).Default(0);
  r.Prop("ShowZoomTrackBar", &O::ShowZoomTrackBar, &O::SetShowZoomTrackBar).Default(false);
  r.Prop("ZoomPercent", &O::ZoomPercent, &O::SetZoomPercent).Default(100);
}

void TcxImageZoomingOptions::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxImageZoomingOptions>(Source)) {
    SetMaxZoom(src->FMaxZoom);
    SetMinZoom(src->FMinZoom);
    SetZoomPercent(src->FZoomPercent);
    OnChanged = src->OnChanged;
    return;
  }
  TPersistent::Assign(Source);
}

void TcxImageZoomingOptions::SetMaxZoom(int32_t Value) {
  Value = std::max(Value, 100);
  if (FMaxZoom == Value) return;
  FMaxZoom = Value;
  FZoomPercent = std::min(FZoomPercent, FMaxZoom);
  Changed();
}

void TcxImageZoomingOptions::SetMinZoom(int32_t Value) {
  Value = std::clamp(Value, 0, 100);
  if (FMinZoom == Value) return;
  FMinZoom = Value;
  FZoomPercent = std::max(FZoomPercent, FMinZoom);
  Changed();
}

void TcxImageZoomingOptions::SetZoomPercent(int32_t Value) {
  Value = std::clamp(Value, std::max(0, FMinZoom), FMaxZoom);
  if (FZoomPercent == Value) return;
  FZoomPercent = Value;
  Changed();
}

void TcxImageZoomingOptions::SetShowZoomTrackBar(bool Value) {
  if (FShowZoomTrackBar == Value) return;
  FShowZoomTrackBar = Value;
  Changed();
}

void TcxImageZoomingOptions::Changed() {
  if (OnChanged) OnChanged(this);
}

void TcxImageAnimationOptions::RegisterProperties(TPropertyRegistrar& r) {
  using O = TcxImageAnimationOptions;
  static const TTypeInfo boolean = MakeEnumTypeInfo(u"TdxDefaultBoolean", {u"bFalse", u"bTrue", u"bDefault"});
  r.Prop("Animation", &O::Animation, &O::SetAnimation, &boolean).Default(bDefault);
  r.Prop("AnimationLoop", &O::AnimationLoop, &O::SetAnimationLoop, &boolean).Default(bDefault);
}

void TcxImageAnimationOptions::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxImageAnimationOptions>(Source)) {
    FAnimation = src->FAnimation;
    FAnimationLoop = src->FAnimationLoop;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

TPersistent* TcxImageAnimationOptions::GetOwner() const {
  return FOwner;
}

void TcxImageAnimationOptions::SetAnimation(TdxDefaultBoolean Value) {
  if (FAnimation == Value) return;
  FAnimation = Value;
  Changed();
}

void TcxImageAnimationOptions::SetAnimationLoop(TdxDefaultBoolean Value) {
  if (FAnimationLoop == Value) return;
  FAnimationLoop = Value;
  Changed();
}

void TcxImageAnimationOptions::CheckGraphic(TGraphic* AGraphic) {
  auto* smart = dynamic_cast<TdxCustomSmartImage*>(AGraphic);
  FGraphic = smart && smart->AnimationFrameCount() > 1 ? smart : nullptr;
  Changed();
}

void TcxImageAnimationOptions::Changed() {
  if (!FGraphic) return;
  FGraphic->SetAnimation(FAnimation != bFalse);
  FGraphic->SetAnimationLoop(FAnimationLoop);
}

// --- Properties ------------------------------------------------------------------------------------------

TcxCustomImageProperties::TcxCustomImageProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner), FPopupMenuLayout(std::make_unique<TcxPopupMenuLayout>(nullptr)) {
  FGraphicClass = GetRegisteredGraphicClasses().front();
  FZoomTrackBarProperties.reset(CreateZoomBarProperties());
  FZoomTrackBarProperties->ScaleFactor()->SetOwner(ScaleFactor());
  FZoomTrackBarProperties->SetOnPropertiesChanged(
      MakeMethod(this, &TcxCustomImageProperties::ZoomBarChanged));
}

TcxCustomImageProperties::~TcxCustomImageProperties() = default;

TdxCustomZoomTrackBarProperties* TcxCustomImageProperties::CreateZoomBarProperties() {
  return new TdxCustomZoomTrackBarProperties(this);
}

TGraphicClass TcxCustomImageProperties::GetDefaultGraphicClass() const {
  return GetRegisteredGraphicClasses().front();
}

void TcxCustomImageProperties::DefineProperties(TFiler* Filer) {
  TcxCustomEditProperties::DefineProperties(Filer);
  Filer->DefineProperty(
      u"IsGraphicClassNameEmpty", [this](TReader* R) { ReadIsGraphicClassNameEmpty(R); },
      [this](TWriter* W) { WriteIsGraphicClassNameEmpty(W); }, FGraphicClass == nullptr);
}

void TcxCustomImageProperties::ReadIsGraphicClassNameEmpty(TReader* Reader) {
  Reader->ReadBoolean();
  SetGraphicClass(nullptr);
}

void TcxCustomImageProperties::WriteIsGraphicClassNameEmpty(TWriter* Writer) {
  Writer->WriteBoolean(true);
}

void TcxCustomImageProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomEditProperties::DoAssign(Source);
  if (auto* src = ObjectCast<TcxCustomImageProperties>(Source)) {
    FCaption = src->FCaption;
    FCenter = src->FCenter;
    FCustomFilter = src->FCustomFilter;
    FFitMode = src->FFitMode;
    FGraphicClass = src->FGraphicClass;
    FGraphicTransparency = src->FGraphicTransparency;
    FPopupMenuLayout->Assign(src->FPopupMenuLayout.get());
    FShowFocusRect = src->FShowFocusRect;
    FZoomTrackBarProperties->Assign(src->FZoomTrackBarProperties.get());
    FOnAssignPicture = src->FOnAssignPicture;
    FOnCustomClick = src->FOnCustomClick;
    FOnGetGraphicClass = src->FOnGetGraphicClass;
  }
}

TClass TcxCustomImageProperties::GetViewDataClass() const {
  return TcxImageViewData::StaticClass();
}

TClass TcxCustomImageProperties::GetViewInfoClass() const {
  return TcxImageViewInfo::StaticClass();
}

TClass TcxCustomImageProperties::GetContainerClass() const {
  return TcxImage::StaticClass();
}

String TcxCustomImageProperties::GetDisplayText(const Variant& AEditValue, bool, bool) {
  return VarIsNull(AEditValue) ? String() : FCaption;
}

TcxEditSpecialFeatures TcxCustomImageProperties::GetSpecialFeatures() {
  TcxEditSpecialFeatures result = TcxCustomEditProperties::GetSpecialFeatures();
  result.Include(esfBlobEditValue);
  result.Include(esfMultiRow);
  return result;
}

TcxEditSupportedOperations TcxCustomImageProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = TcxCustomEditProperties::GetSupportedOperations();
  result.Include(esoAutoHeight);
  result.Include(esoEditing);
  return result;
}

void TcxCustomImageProperties::ValidateDisplayValue(Variant&, String&, bool&, const TValidateHandler&,
                                                    const Variant*) {
  auto* image = ObjectCast<TcxCustomImage>(GetOwner());
  if (!image) return;
  image->LockEditValueChanging(true);
  try {
    if (FOnAssignPicture) FOnAssignPicture(image, image->Picture());
    if (image->RepositoryItem() && image->ActiveProperties() != this)
      if (const TcxImageAssignPictureEvent& e = image->ActiveProperties()->OnAssignPicture())
        e(image, image->Picture());
    const bool modified = image->GetModified();
    const bool modifiedAfterEnter = image->ModifiedAfterEnter();
    image->SetModified(false);
    image->DoEditing();
    image->SetModified(modified);
    if (modifiedAfterEnter) image->SetModifiedAfterEnterValue(true);
  } catch (...) {
    image->LockEditValueChanging(false);
    throw;
  }
  image->LockEditValueChanging(false);
}

TGraphicClass TcxCustomImageProperties::GetGraphicClass(TObject* AItem, int32_t ARecordIndex,
                                                        bool APastingFromClipboard) {
  TGraphicClass result = FGraphicClass;
  if (!result && APastingFromClipboard) result = TBitmap::StaticClass();
  if (FOnGetGraphicClass) FOnGetGraphicClass(AItem, ARecordIndex, result, APastingFromClipboard);
  return result;
}

void TcxCustomImageProperties::SetGraphicClass(TGraphicClass Value) {
  if (FGraphicClass == Value) return;
  FGraphicClass = Value;
  Changed();
}

String TcxCustomImageProperties::GraphicClassName() const {
  return FGraphicClass ? FGraphicClass->ClassName() : String();
}

void TcxCustomImageProperties::SetGraphicClassName(const String& Value) {
  if (Value.empty()) {
    SetGraphicClass(nullptr);
    return;
  }
  TGraphicClass c = GetGraphicClassByName(Value);
  SetGraphicClass(c ? c : TdxSmartImage::StaticClass());
}

void TcxCustomImageProperties::SetGraphicTransparency(TcxImageTransparency Value) {
  if (FGraphicTransparency == Value) return;
  FGraphicTransparency = Value;
  FNeedUpdateImage = true;
  Changed();
}

void TcxCustomImageProperties::SetStretch(bool Value) {
  const bool proportional = Proportional();
  if (proportional)
    SetFitMode(Value ? ifmProportionalStretch : ifmFit);
  else
    SetFitMode(Value ? ifmStretch : ifmNormal);
}

void TcxCustomImageProperties::SetProportional(bool Value) {
  const bool stretch = Stretch();
  if (Value)
    SetFitMode(stretch ? ifmProportionalStretch : ifmFit);
  else
    SetFitMode(stretch ? ifmStretch : ifmNormal);
}

bool TcxCustomImageProperties::GetRealStretch(const TSize& APictureSize, const TSize& ATargetSize) const {
  return Stretch() ||
         (Proportional() && (APictureSize.cy > ATargetSize.cy || APictureSize.cx > ATargetSize.cx));
}

void TcxImageProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomImageProperties;
  using B = TcxCustomEditProperties;
  static const TTypeInfo fitMode = MakeEnumTypeInfo(
      u"TcxImageFitMode", {u"ifmNormal", u"ifmStretch", u"ifmProportionalStretch", u"ifmFit", u"ifmFill"});
  static const TTypeInfo transparency =
      MakeEnumTypeInfo(u"TcxImageTransparency", {u"gtDefault", u"gtOpaque", u"gtTransparent"});
  r.Prop("Caption", &P::Caption, &P::SetCaption);
  r.Prop("Center", &P::Center, &P::SetCenter).Default(true);
  r.Prop("ClearKey", &B::ClearKey, &B::SetClearKey).Default(0);
  r.Prop("CustomFilter", &P::CustomFilter, &P::SetCustomFilter);
  r.Prop("FitMode", &P::FitMode, &P::SetFitMode, &fitMode).Default(ifmFit);
  r.Prop("GraphicClassName", &P::GraphicClassName, &P::SetGraphicClassName)
      .Stored(&P::IsGraphicClassNameStored);
  r.Prop("GraphicTransparency", &P::GraphicTransparency, &P::SetGraphicTransparency, &transparency)
      .Default(gtDefault);
  r.Prop("ImmediatePost", &B::ImmediatePost, &B::SetImmediatePost).Default(false);
  r.Prop("PopupMenuLayout", &P::PopupMenuLayout, &P::SetPopupMenuLayout);
  r.Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Stored(&B::IsReadOnlyStored);
  r.Prop("ShowFocusRect", &P::ShowFocusRect, &P::SetShowFocusRect).Default(true);
  r.Prop("Stretch", &P::Stretch, &P::SetStretch).Stored(false);
  r.Prop("Proportional", &P::Proportional, &P::SetProportional).Stored(false);
  r.Event("OnAssignPicture", &P::OnAssignPicture, &P::SetOnAssignPicture);
  r.Event("OnChange", &B::OnChange, &B::SetOnChange);
  r.Event("OnCustomClick", &P::OnCustomClick, &P::SetOnCustomClick);
  r.Event("OnEditValueChanged", &B::OnEditValueChanged, &B::SetOnEditValueChanged);
  r.Event("OnGetGraphicClass", &P::OnGetGraphicClass, &P::SetOnGetGraphicClass);
}

// --- Unit start-up -------------------------------------------------------------------------------------

namespace cxImage {

void Initialize() {
  GetRegisteredEditProperties()->Register(TcxImageProperties::StaticClass(),
                                          u"Image|Represents an image editor");
  // Stored forms name the editor's class.
  RegisterClass(TcxImage::StaticClass());
}

void Finalize() {
  UnRegisterClass(TcxImage::StaticClass());
  if (TcxRegisteredClasses* list = GetRegisteredEditProperties())
    list->Unregister(TcxImageProperties::StaticClass());
  gCommonResources.reset();
  gGraphicClasses.reset();
}

}  // namespace cxImage

}  // namespace qd
