#pragma once
// The skin model and its stored form. A skin is a tree of named objects: the skin holds a
// details record, named colours, named properties, control groups of named elements (each
// with a background image and a glyph) and colour palettes with one active palette. Objects
// announce changes upward as sets of change kinds, merged by update counters; named lists are
// sorted lazily and searched by bisection; property classes are written into the stream by
// name and found again through the class registry. Colours may refer by name to a colour of
// the active palette and are resolved on first use.
//
// The stream (little-endian): the 18-byte header, the details, the colours, the skin
// properties, the groups and, from version 1.15, the palettes. Every version test "from
// version V" is not (version < V), so a version that is not a number counts as new. A skin
// file is untrusted: every count and length is checked against what remains in the stream
// before anything is allocated, and a damaged stream raises EReadError.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/set.h"
#include "platform/classes/classes.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"
#include "platform/forms/graphics.h"
#include "platform/os/objidl.h"
#include "ui/core/cxGeometryObjects.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd {

class TdxSkin;
class TdxSkinControlGroup;
class TdxSkinElement;
class TdxSkinImage;
class TdxSkinElementCacheList;
class TdxSkinProperties;
class TdxSmartImage;

// ---- Enumerations ---------------------------------------------------------------------------

enum TdxSkinChange : uint8_t { scStruct, scContent, scDetails };
using TdxSkinChanges = TSet<TdxSkinChange, 8>;

enum TdxSkinObjectState : uint8_t { sosUnassigned, sosUnused };
using TdxSkinObjectStates = TSet<TdxSkinObjectState, 8>;

enum TdxSkinElementState : uint8_t {
  esNormal,
  esHot,
  esPressed,
  esDisabled,
  esActive,
  esFocused,
  esDroppedDown,
  esChecked,
  esHotCheck,
  esActiveDisabled,
  esCheckPressed
};
inline constexpr int dxSkinElementStateCount = 11;
using TdxSkinElementStates = TSet<TdxSkinElementState, 16>;

enum TdxSkinImageLayout : uint8_t { ilHorizontal, ilVertical };
enum TdxSkinStretchMode : uint8_t { smStretch, smTile, smNoResize };
enum TdxSkinGradientMode : uint8_t { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };
// The nine parts of a frame in row order.
enum TdxSkinImagePart : uint8_t {
  sipTopLeft,
  sipTop,
  sipTopRight,
  sipLeft,
  sipCenter,
  sipRight,
  sipBottomLeft,
  sipBottom,
  sipBottomRight
};
inline constexpr int dxSkinImagePartCount = 9;

using TdxSkinChangeNotify = TMethod<void(TObject* Sender, TdxSkinChanges AChanges)>;

// ---- Name tables ----------------------------------------------------------------------------

extern const Char* const dxSkinElementStateNames[dxSkinElementStateCount];
// By TcxButtonState: empty, "TextColor", "TextColorHot", "TextColorPressed", "TextColorDisabled".
extern const Char* const dxSkinElementTextColorPropertyNames[5];
// By TcxBorder.
extern const Char* const BorderNames[4];

// The marker of a colour that is still to be resolved from its palette reference.
inline constexpr TColor dxSkinColorToBeResolved = 0x1FFFFFFE;

// ---- Stream primitives ----------------------------------------------------------------------

// (The integer, text, image and header primitives are those of the details record.)
TColor dxSkinReadColorFromStream(TStream* AStream);
void dxSkinWriteColorToStream(TStream* AStream, TColor AValue);
uint8_t dxSkinReadByteFromStream(TStream* AStream);
void dxSkinWriteByteToStream(TStream* AStream, uint8_t AValue);
// Left, Top, Right, Bottom.
TRect dxSkinReadRectFromStream(TStream* AStream);
void dxSkinWriteRectToStream(TStream* AStream, const TRect& R);
// A gradient mode byte; an unknown one reads as gmHorizontal.
TdxSkinGradientMode dxSkinReadGradientModeFromStream(TStream* AStream);

// Locale-aware, case-sensitive comparison of names (<0, 0, >0).
int dxSkinCompareNames(const String& A, const String& B);

// ---- Interfaces -----------------------------------------------------------------------------

// What a colour reference resolves against (the skin: its active palette).
class IdxSkinColorPalette {
 public:
  virtual ~IdxSkinColorPalette() = default;
  virtual bool GetColor(const String& AName, TColor& AColor) = 0;
};

// Skin listeners; a listener implements either interface.
class IdxSkinListener {
 public:
  virtual ~IdxSkinListener() = default;
};
class IdxSkinChangeListener : public virtual IdxSkinListener {
 public:
  virtual void SkinChanged(TdxSkin* Sender) = 0;
};
class IdxSkinChangeSetListener : public virtual IdxSkinListener {
 public:
  virtual void SkinChanged(TdxSkin* Sender, TdxSkinChanges AChanges) = 0;
};

// ---- Base objects ---------------------------------------------------------------------------

class TdxSkinCustomObject;

// A colour of the model: a plain colour or the name of a colour of the active palette.
struct TdxSkinColorValue {
  TdxSkinColorValue(TdxSkinCustomObject* AOwner, TColor ADefaultValue);

  // The colour, resolved from the reference first when it is still to be resolved.
  TColor GetValue();
  void SetValue(TColor AValue);
  const String& GetValueReference() const { return ValueReference; }
  void SetValueReference(const String& AValue);
  // Back to "to be resolved" when a reference is set; announces nothing.
  void FlushCache();
  void Assign(const TdxSkinColorValue& ASource);
  // Equal stored value and reference.
  bool Compare(const TdxSkinColorValue& AValue) const;
  void ReadFromStream(TStream* AStream, double AVersion);
  void WriteToStream(TStream* AStream) const;

  TColor DefaultValue;
  TdxSkinCustomObject* Owner;
  TColor Value;
  String ValueReference;

 private:
  void Announce();
};

class TdxSkinCustomObject : public TInterfacedPersistent {
  QD_CLASS(TdxSkinCustomObject, TInterfacedPersistent)

 public:
  using OwnerType = TPersistent;

  explicit TdxSkinCustomObject(TPersistent* AOwner, const String& AName = String());

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  TPersistent* Owner() const { return FOwner; }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Leaves the update and drops the collected changes.
  void CancelUpdate();

  virtual void AssignCore(TPersistent* Source);
  virtual void Changed(TdxSkinChanges AChanges);
  virtual void DataRead(TStream* AStream, double AVersion) {}
  virtual void DataWrite(TStream* AStream) {}
  virtual void DoChanged(TdxSkinChanges AChanges);
  virtual void FlushCache() {}

  const String& Name() const { return FName; }
  // A different name announces [scStruct].
  void SetName(const String& AValue);
  TdxSkinObjectStates State() const { return FState; }
  void SetState(TdxSkinObjectStates AValue) { FState = AValue; }
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t AValue) { FTag = AValue; }

  TdxSkinChangeNotify OnChange;

 protected:
  friend class TdxSkinCustomObjectList;
  String FName;
  TPersistent* FOwner;
  TdxSkinObjectStates FState{sosUnused};
  intptr_t FTag = 0;
  int32_t FUpdateCount = 0;
  TdxSkinChanges FChanges;
};

class TdxSkinProperty;

class TdxSkinPersistent : public TdxSkinCustomObject {
  QD_CLASS(TdxSkinPersistent, TdxSkinCustomObject)

 public:
  explicit TdxSkinPersistent(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinPersistent() override;

  void Changed(TdxSkinChanges AChanges) override;
  // The properties' colour references go back to "to be resolved".
  void FlushCache() override;
  virtual void Clear();
  virtual void DeleteProperty(TdxSkinProperty* AProperty);
  virtual void Sort(bool ASortChildren);

  TdxSkinProperty* AddProperty(const String& AName, TClass AClass);
  TdxSkinProperty* AddPropertyBool(const String& AName, bool AValue);
  TdxSkinProperty* AddPropertyColor(const String& AName, TColor AValue);
  TdxSkinProperty* AddPropertyInteger(const String& AName, int32_t AValue);
  TdxSkinProperty* GetPropertyByName(const String& AName);
  bool GetPropertyByName(const String& AName, TdxSkinProperty*& AProperty);
  void DeleteProperty(const String& AName);
  void ExchangeProperty(int32_t AIndex1, int32_t AIndex2);
  int32_t PropertyCount() const;
  TdxSkinProperty* Properties(int32_t AIndex) const;
  TdxSkinProperties* PropertyList() const { return FProperties.get(); }

  bool Modified() const { return FModified; }
  void SetModified(bool AValue) { FModified = AValue; }
  // The handler through which owned lists and parts report their changes.
  void SubItemChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(AChanges); }

 protected:
  bool FModified = false;
  std::unique_ptr<TdxSkinProperties> FProperties;
};

// An owning list of named skin objects.
class TdxSkinCustomObjectList : public TObject {
  QD_CLASS(TdxSkinCustomObjectList, TObject)

 public:
  explicit TdxSkinCustomObjectList(TPersistent* AOwner);
  TdxSkinCustomObjectList(TPersistent* AOwner, const TdxSkinChangeNotify& AChangeHandler);
  ~TdxSkinCustomObjectList() override;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TdxSkinCustomObject* Item(int32_t AIndex) const { return FItems[static_cast<size_t>(AIndex)].get(); }
  TPersistent* Owner() const { return FOwner; }

  // Sorts first when the list is not sorted, then searches by bisection.
  bool Find(const String& AName, TdxSkinCustomObject*& AObject);
  // -1 when absent; otherwise the position after the sort that the search performed.
  int32_t IndexOf(const String& AName);
  int32_t IndexOfObject(const TdxSkinCustomObject* AObject) const;
  void Sort(bool ASortChildren);
  void Exchange(int32_t AIndex1, int32_t AIndex2);
  // Frees every item inside an update.
  virtual void Clear();
  void Delete(int32_t AIndex);
  // Frees the object; false when the list does not hold it.
  bool Remove(TdxSkinCustomObject* AObject);
  // Removes the object without freeing it; the caller owns it.
  std::unique_ptr<TdxSkinCustomObject> Extract(TdxSkinCustomObject* AObject);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void DataRead(TStream* AStream, double AVersion);
  void DataWrite(TStream* AStream);
  void FlushCache();
  void SubItemChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(AChanges); }
  virtual void Changed(TdxSkinChanges AChanges);

  TdxSkinChangeNotify OnChange;

 protected:
  virtual void SortChildren() {}
  virtual void DataReadItem(TStream* AStream, double AVersion) = 0;
  virtual void DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) = 0;
  // Names a new item without announcing it.
  static void SetItemName(TdxSkinCustomObject* AItem, const String& AName) { AItem->FName = AName; }
  // Takes the item, routes its changes here and announces [scStruct].
  TdxSkinCustomObject* AddItem(std::unique_ptr<TdxSkinCustomObject> AItem);

  TPersistent* FOwner;
  bool FSorted = false;

 private:
  std::vector<std::unique_ptr<TdxSkinCustomObject>> FItems;
  int32_t FUpdateCount = 0;
  TdxSkinChanges FChanges;
};

// ---- Properties -----------------------------------------------------------------------------

class TdxSkinProperty : public TdxSkinCustomObject {
  QD_CLASS(TdxSkinProperty, TdxSkinCustomObject)

 public:
  using TdxSkinCustomObject::TdxSkinCustomObject;

  // The class name without "TdxSkin" and "Property" ("TdxSkinIntegerProperty" gives "Integer").
  static String Description(TClass AClass);
  String Description() const { return Description(ClassType()); }
  // Same name ignoring case, same class, same value.
  virtual bool Compare(TdxSkinProperty* AProperty);

  // Adds the class to the registered property types and to the class registry.
  static void Register(TClass AClass);
  static void Unregister(TClass AClass);
  static const std::vector<TClass>& RegisteredPropertyTypes();
  // A property of AClass (a property class) named AName, owned by AOwner.
  static std::unique_ptr<TdxSkinProperty> CreateProperty(TClass AClass, TPersistent* AOwner,
                                                         const String& AName);
};

class TdxSkinIntegerProperty : public TdxSkinProperty {
  QD_CLASS(TdxSkinIntegerProperty, TdxSkinProperty)

 public:
  using TdxSkinProperty::TdxSkinProperty;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  int32_t Value() const { return FValue; }
  void SetValue(int32_t AValue);

 private:
  int32_t FValue = 0;
};

class TdxSkinBooleanProperty : public TdxSkinProperty {
  QD_CLASS(TdxSkinBooleanProperty, TdxSkinProperty)

 public:
  using TdxSkinProperty::TdxSkinProperty;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  bool Value() const { return FValue; }
  void SetValue(bool AValue);

 private:
  bool FValue = false;
};

class TdxSkinColor : public TdxSkinProperty {
  QD_CLASS(TdxSkinColor, TdxSkinProperty)

 public:
  explicit TdxSkinColor(TPersistent* AOwner, const String& AName = String());
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void FlushCache() override { FValue.FlushCache(); }
  virtual TdxAlphaColor GetValueAsAlphaColor();

  TColor Value() { return FValue.GetValue(); }
  void SetValue(TColor AValue) { FValue.SetValue(AValue); }
  const String& ValueReference() const { return FValue.ValueReference; }
  void SetValueReference(const String& AValue) { FValue.SetValueReference(AValue); }
  TdxSkinColorValue& ColorValue() { return FValue; }

 protected:
  TdxSkinColorValue FValue;
};

class TdxSkinAlphaColor : public TdxSkinColor {
  QD_CLASS(TdxSkinAlphaColor, TdxSkinColor)

 public:
  using TdxSkinColor::TdxSkinColor;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  TdxAlphaColor GetValueAsAlphaColor() override;
  uint8_t ValueAlpha() const { return FValueAlpha; }
  void SetValueAlpha(uint8_t AValue);

 private:
  uint8_t FValueAlpha = 255;
};

class TdxSkinRectProperty : public TdxSkinProperty {
  QD_CLASS(TdxSkinRectProperty, TdxSkinProperty)

 public:
  explicit TdxSkinRectProperty(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinRectProperty() override;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  TcxRect* Value() const { return FValue.get(); }
  void SetValue(const TRect& AValue) { FValue->SetRect(AValue); }

 private:
  void ValueChanged(TObject* Sender);
  std::unique_ptr<TcxRect> FValue;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
  QD_CLASS(TdxSkinSizeProperty, TdxSkinProperty)

 public:
  using TdxSkinProperty::TdxSkinProperty;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  TSize Value() const { return FValue; }
  void SetValue(const TSize& AValue);
  // 0 sets cx, any other index cy.
  void SetValueByIndex(int32_t AIndex, int32_t AValue);

 private:
  TSize FValue{};
};

class TdxSkinStringProperty : public TdxSkinProperty {
  QD_CLASS(TdxSkinStringProperty, TdxSkinProperty)

 public:
  using TdxSkinProperty::TdxSkinProperty;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  const String& Value() const { return FValue; }
  void SetValue(const String& AValue);

 protected:
  String FValue;
};

// The same value, stored as UTF-16.
class TdxSkinWideStringProperty : public TdxSkinStringProperty {
  QD_CLASS(TdxSkinWideStringProperty, TdxSkinStringProperty)

 public:
  using TdxSkinStringProperty::TdxSkinStringProperty;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
};

// One side of a frame: a strip of Thin pixels in Color.
class TdxSkinBorder : public TdxSkinProperty {
  QD_CLASS(TdxSkinBorder, TdxSkinProperty)

 public:
  explicit TdxSkinBorder(TPersistent* AOwner, TcxBorder AKind = bLeft);
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  // Up to version 1.09 two discarded texts come first.
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void FlushCache() override { FColor.FlushCache(); }
  virtual void ResetToDefaults();

  TcxBorder Kind() const { return FKind; }
  TColor Color() { return FColor.GetValue(); }
  void SetColor(TColor AValue) { FColor.SetValue(AValue); }
  TdxSkinColorValue& ColorValue() { return FColor; }
  int32_t Thin() const { return FThin; }
  void SetThin(int32_t AValue);
  // Thin, or 0 when the colour is clNone.
  int32_t ContentMargin();
  // A strip of Thin pixels along the border's side inside R, at full opacity; nothing for clNone.
  virtual void DrawEx(TdxGPCanvas* ACanvas, const TRect& R);
  virtual void Draw(HDC DC, const TRect& R);

 private:
  TcxBorder FKind;
  TdxSkinColorValue FColor;
  int32_t FThin = 1;
};

class TdxSkinBorders : public TdxSkinProperty {
  QD_CLASS(TdxSkinBorders, TdxSkinProperty)

 public:
  explicit TdxSkinBorders(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinBorders() override;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void FlushCache() override;
  virtual void ResetToDefaults();

  TdxSkinBorder* Items(TcxBorder AKind) const { return FBorders[AKind].get(); }
  TdxSkinBorder* Left() const { return Items(bLeft); }
  TdxSkinBorder* Top() const { return Items(bTop); }
  TdxSkinBorder* Right() const { return Items(bRight); }
  TdxSkinBorder* Bottom() const { return Items(bBottom); }
  TRect ContentMargins();
  // Left, top, right, bottom.
  virtual void Draw(TdxGPCanvas* ACanvas, const TRect& R);

 private:
  void BorderChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(AChanges); }
  std::unique_ptr<TdxSkinBorder> FBorders[4];
};

class TdxSkinAlternateImageAttributes : public TdxSkinProperty {
  QD_CLASS(TdxSkinAlternateImageAttributes, TdxSkinProperty)

 public:
  explicit TdxSkinAlternateImageAttributes(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinAlternateImageAttributes() override;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void FlushCache() override;

  uint8_t Alpha() const { return FAlpha; }
  void SetAlpha(uint8_t AValue);
  TdxSkinGradientMode Gradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode AValue);
  TdxSkinColorValue& GradientBeginColor() { return FGradientBeginColor; }
  TdxSkinColorValue& GradientEndColor() { return FGradientEndColor; }
  TdxSkinBorders* Borders() const { return FBorders.get(); }
  TdxSkinBorders* BordersInner() const { return FBordersInner.get(); }
  TcxRect* ContentOffsets() const { return FContentOffsets.get(); }
  // False only for alpha 255 with all content offsets 0.
  bool IsAlphaUsed() const;
  // The gradient inside the content offsets, the borders, then the inner borders inside them.
  virtual void Draw(TdxGPCanvas* ACanvas, const TRect& R);

 private:
  void PartChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(AChanges); }
  void OffsetsChanged(TObject* Sender) { Changed({scContent}); }

  uint8_t FAlpha = 255;
  TdxSkinGradientMode FGradient = gmHorizontal;
  TdxSkinColorValue FGradientBeginColor;
  TdxSkinColorValue FGradientEndColor;
  std::unique_ptr<TdxSkinBorders> FBorders;
  std::unique_ptr<TdxSkinBorders> FBordersInner;
  std::unique_ptr<TcxRect> FContentOffsets;
};

// A property holding a list of properties.
class TdxSkinCustomListProperty : public TdxSkinProperty {
  QD_CLASS(TdxSkinCustomListProperty, TdxSkinProperty)

 public:
  explicit TdxSkinCustomListProperty(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinCustomListProperty() override;
  void AssignCore(TPersistent* Source) override;
  bool Compare(TdxSkinProperty* AProperty) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void FlushCache() override;

  bool Find(const String& AName, TdxSkinProperty*& AProperty);
  void Delete(TdxSkinProperty* AProperty);
  void Delete(int32_t AIndex);
  void Delete(const String& AName);
  void Clear();
  void Sort();
  int32_t Count() const;
  TdxSkinProperty* Items(int32_t AIndex) const;
  TdxSkinProperties* Properties() const { return FProperties.get(); }

 protected:
  void ListChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(AChanges); }

  std::unique_ptr<TdxSkinProperties> FProperties;
};

// Named colours; implements the recolouring palette of images.
class TdxSkinColorPalette : public TdxSkinCustomListProperty, public IdxColorPalette {
  QD_CLASS(TdxSkinColorPalette, TdxSkinCustomListProperty)

 public:
  explicit TdxSkinColorPalette(TPersistent* AOwner, const String& AName = String());
  void Changed(TdxSkinChanges AChanges) override;
  void FlushCache() override;

  TdxSkinColor* Add(const String& AName, TColor AColor);
  // A colour of value clDefault that refers to another palette colour.
  TdxSkinColor* Add(const String& AName, const String& AValueReference);
  TdxSkinColor* Colors(int32_t AIndex) const;
  bool FindColor(const String& AName, TdxSkinColor*& AColor);

  // IdxColorPalette: the named colour as an alpha colour, $00010203 when absent.
  TGUID GetID() override;
  TdxAlphaColor GetFillColor(const String& ID) override;
  TdxAlphaColor GetStrokeColor(const String& ID) override;

  TClass DefaultColorClass() const { return FDefaultColorClass; }

 protected:
  TClass FDefaultColorClass;
  TGUID FID{};
};

// The skin's active palette: assigning also copies the source's name.
class TdxSkinGeneralColorPalette : public TdxSkinColorPalette {
  QD_CLASS(TdxSkinGeneralColorPalette, TdxSkinColorPalette)

 public:
  using TdxSkinColorPalette::TdxSkinColorPalette;
  void AssignCore(TPersistent* Source) override;
};

class TdxSkinColorPalettes : public TdxSkinCustomListProperty {
  QD_CLASS(TdxSkinColorPalettes, TdxSkinCustomListProperty)

 public:
  explicit TdxSkinColorPalettes(TPersistent* AOwner, const String& AName = String());
  TdxSkinColorPalette* Add(const String& AName);
  TdxSkinColorPalette* Palettes(int32_t AIndex) const;
  bool FindPalette(const String& AName, TdxSkinColorPalette*& APalette);
  // The colour class of the palettes made inside this list.
  TClass DefaultColorClass() const { return FDefaultColorClass; }
  void SetDefaultColorClass(TClass AValue) { FDefaultColorClass = AValue; }

 private:
  TClass FDefaultColorClass;
};

// ---- Lists ----------------------------------------------------------------------------------

class TdxSkinProperties : public TdxSkinCustomObjectList {
  QD_CLASS(TdxSkinProperties, TdxSkinCustomObjectList)

 public:
  using TdxSkinCustomObjectList::TdxSkinCustomObjectList;
  // A property of AClass (a property class) named AName, owned by the list's owner.
  TdxSkinProperty* Add(const String& AName, TClass AClass);
  TdxSkinProperty* Items(int32_t AIndex) const { return static_cast<TdxSkinProperty*>(Item(AIndex)); }
  bool FindProperty(const String& AName, TdxSkinProperty*& AProperty);
  void Assign(TdxSkinProperties* ASource);
  // Equal counts and each pair equal, in order.
  bool Compare(TdxSkinProperties* AProperties);

 protected:
  void DataReadItem(TStream* AStream, double AVersion) override;
  void DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) override;
};

class TdxSkinColors : public TdxSkinProperties {
  QD_CLASS(TdxSkinColors, TdxSkinProperties)

 public:
  using TdxSkinProperties::TdxSkinProperties;
  TdxSkinColor* Add(const String& AName, TColor AColor);
  using TdxSkinProperties::Add;
};

class TdxSkinElements : public TdxSkinCustomObjectList {
  QD_CLASS(TdxSkinElements, TdxSkinCustomObjectList)

 public:
  using TdxSkinCustomObjectList::TdxSkinCustomObjectList;
  TdxSkinElement* Add(const String& AName, TClass AElementClass);
  TdxSkinElement* Items(int32_t AIndex) const;
  void Assign(TdxSkinElements* ASource);

 protected:
  void SortChildren() override;
  void DataReadItem(TStream* AStream, double AVersion) override;
  void DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) override;
};

class TdxSkinControlGroups : public TdxSkinCustomObjectList {
  QD_CLASS(TdxSkinControlGroups, TdxSkinCustomObjectList)

 public:
  using TdxSkinCustomObjectList::TdxSkinCustomObjectList;
  TdxSkinControlGroup* Add(const String& AName);
  TdxSkinControlGroup* Items(int32_t AIndex) const;
  void Assign(TdxSkinControlGroups* ASource);

 protected:
  void SortChildren() override;
  void DataReadItem(TStream* AStream, double AVersion) override;
  void DataWriteItem(TStream* AStream, TdxSkinCustomObject* AItem) override;
};

// ---- Images and elements --------------------------------------------------------------------

// One texture holding the frames of several states and image indexes side by side.
class TdxSkinImage : public TPersistent {
  QD_CLASS(TdxSkinImage, TPersistent)

 public:
  explicit TdxSkinImage(TdxSkinElement* AOwner);
  ~TdxSkinImage() override;

  void Assign(TPersistent* Source) override;
  virtual void Changed();
  virtual void DataRead(TStream* AStream, double AVersion);
  virtual void DataWrite(TStream* AStream);
  virtual void FlushCache();
  virtual bool Compare(TdxSkinImage* AImage);
  virtual void Dormant();
  TPersistent* GetOwner() const override;

  void Clear();
  // No source name and an empty texture.
  bool Empty() const;
  bool IsVectorTexture();
  // The begin colour is neither clNone nor clDefault.
  bool IsGradientParamsAssigned();
  void LoadFromStream(TStream* AStream);
  // The texture as the skin writer stores it.
  void SaveToStream(TStream* AStream);
  // Remembers the file as the source name and loads the texture from it.
  void LoadFromFile(const String& AFileName);
  void LoadFromResource(HINSTANCE AInstance, const String& AName, const Char* AType);
  // Nothing for an empty image; otherwise the texture goes into AFileName with the extension
  // ".svg" (vector) or ".png", which becomes the source name.
  void SaveToFile(const String& AFileName);
  // Empty for an empty image or one without an element; otherwise the element's name,
  // "_Glyph" or "_Image", and the file extension.
  String Name();
  // Loads the file, like LoadFromFile.
  void SetName(const String& AFileName) { LoadFromFile(AFileName); }
  // The stored source name, or the element's path and Name.
  String SourceName();
  // ABitmap sized to a frame, filled with ABackgroundColor (unless clNone; clDefault: the
  // bitmap canvas's brush colour), with the frame drawn on it.
  void GetBitmap(int32_t AImageIndex, TdxSkinElementState AState, TColor ABackgroundColor, TBitmap* ABitmap);
  virtual int32_t GetSourceDPI() { return 96; }

  int32_t StateCount();
  // The image index into 0..ImageCount-1, a state without a frame to the first that has one.
  void CheckState(int32_t& AImageIndex, TdxSkinElementState& AState);
  // The source rectangle of the frame of (image index, state).
  TRect GetStateBounds(int32_t AImageIndex, TdxSkinElementState AState);
  // The palette of ColorPalettes named after the state (else "Normal"'s), else with
  // AUseSkinPalette the skin's palette, else none.
  IdxColorPalette* GetPalette(TdxSkinElementState AState, bool AUseSkinPalette);
  // A form without a scale factor uses the system scale factor.
  void Draw(HDC DC, const TRect& R, int32_t AImageIndex = 0, TdxSkinElementState AState = esNormal);
  void Draw(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
            TdxSkinElementState AState);
  void DrawEx(TdxGPCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
              TdxSkinElementState AState);
  // Mirrored when DC has a right-to-left layout.
  void DrawRTL(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
               TdxSkinElementState AState);
  // Rebuilds the texture with the frames of the given states in that order (transparent frames
  // for states it had none of); States becomes the set of those states.
  void SetStateMapping(const std::vector<TdxSkinElementState>& ATargetStateOrder);

  TdxSkinElement* Owner() const { return FOwner; }
  TcxMargin* Margins() const { return FMargins.get(); }
  TdxSkinImageLayout ImageLayout() const { return FImageLayout; }
  void SetImageLayout(TdxSkinImageLayout AValue);
  int32_t ImageCount() const { return FImageCount; }
  // A value below 1 becomes 1.
  void SetImageCount(int32_t AValue);
  TdxSkinElementStates States() const { return FStates; }
  void SetStates(TdxSkinElementStates AValue);
  // The size of one frame (the texture divided along its layout axis).
  TSize Size();
  TdxSkinStretchMode Stretch() const { return FStretch; }
  void SetStretch(TdxSkinStretchMode AValue);
  TdxSkinGradientMode Gradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode AValue);
  TdxSkinColorValue& GradientBeginColor() { return FGradientBeginColor; }
  TdxSkinColorValue& GradientEndColor() { return FGradientEndColor; }
  TdxSkinColorPalettes* ColorPalettes() const { return FColorPalettes.get(); }
  TdxGPInterpolationMode InterpolationMode() const { return FInterpolationMode; }
  void SetInterpolationMode(TdxGPInterpolationMode AValue);
  TdxSmartImage* Texture() const { return FTexture.get(); }

  TNotifyEvent OnChange;

 protected:
  virtual std::unique_ptr<TdxSmartImage> CreateTexture();

 private:
  void TextureChanged(TObject* Sender);
  void MarginsChanged(TObject* Sender) { Changed(); }
  void PalettesChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(); }
  void CheckInfo();
  void InitializeInfo();
  void CheckCalculatePartsBounds(const TSize& ASize);
  void DrawPart(TdxGPCanvas* ACanvas, GpImage* AImage, const TRect& ADest, const TRect& ASource,
                bool ACenter);

  TdxSkinElement* FOwner;
  std::unique_ptr<TcxMargin> FMargins;
  TdxSkinImageLayout FImageLayout = ilHorizontal;
  int32_t FImageCount = 1;
  TdxSkinElementStates FStates{esNormal};
  TdxSkinStretchMode FStretch = smStretch;
  TdxSkinGradientMode FGradient = gmHorizontal;
  TdxSkinColorValue FGradientBeginColor;
  TdxSkinColorValue FGradientEndColor;
  std::unique_ptr<TdxSkinColorPalettes> FColorPalettes;
  TdxGPInterpolationMode FInterpolationMode = imDefault;
  std::unique_ptr<TdxSmartImage> FTexture;
  String FSourceName;
  TdxDefaultBoolean FTextureIsVector = bDefault;
  bool FIsDirty = true;
  int32_t FStateCount = 0;
  TSize FSize{};
  TSize FPartsBoundsSourceSize{};
  TRect FPartsBounds[dxSkinImagePartCount]{};
  bool FPartsVisibility[dxSkinImagePartCount]{};
  TRect FStateBounds[dxSkinElementStateCount]{};
};

// Splits R by the margins into nine parts (row order); the inner edges stay inside R.
void dxSkinsCalculatePartsBounds(const TRect& R, const TRect& AMargins,
                                 TRect (&AParts)[dxSkinImagePartCount]);
// Negative margins become 0; a pair wider than R's extent shrinks in proportion to fit.
void dxSkinsCheckMargins(TRect& AMargins, const TRect& R);

class TdxSkinRender {
 public:
  // Nothing for a first colour of clNone or clDefault; a linear gradient when the second one
  // is valid and differs; otherwise a solid fill.
  static void FillRectByGradient(TdxGPCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                 TdxSkinGradientMode AMode, uint8_t AAlpha);
};

class TdxSkinElement : public TdxSkinPersistent {
  QD_CLASS(TdxSkinElement, TdxSkinPersistent)

 public:
  explicit TdxSkinElement(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinElement() override;

  void AssignCore(TPersistent* Source) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void DoChanged(TdxSkinChanges AChanges) override;
  void FlushCache() override;
  virtual bool Compare(TdxSkinElement* AElement);
  virtual void Dormant();

  TColor Color() { return FColor.GetValue(); }
  void SetColor(TColor AValue) { FColor.SetValue(AValue); }
  TdxSkinColorValue& ColorValue() { return FColor; }
  uint8_t Alpha() const { return FAlpha; }
  void SetAlpha(uint8_t AValue);
  TdxSkinImage* Image() const { return FImage.get(); }
  void SetImage(TdxSkinImage* AValue) { FImage->Assign(AValue); }
  TdxSkinImage* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TdxSkinImage* AValue) { FGlyph->Assign(AValue); }
  TdxSkinBorders* Borders() const { return FBorders.get(); }
  TcxRect* ContentOffset() const { return FContentOffset.get(); }
  TColor TextColor() { return FTextColor.GetValue(); }
  void SetTextColor(TColor AValue) { FTextColor.SetValue(AValue); }
  TdxSkinColorValue& TextColorValue() { return FTextColor; }
  TcxSize* MinSize() const { return FMinSize.get(); }
  bool UseCache() const { return FCache != nullptr; }
  // Switching the cache off frees its renderings.
  void SetUseCache(bool AValue);
  int32_t CacheCapacity() const { return FCacheCapacity; }
  // A value below 1 becomes 1.
  void SetCacheCapacity(int32_t AValue);

  TdxSkinControlGroup* Group() const;
  // The group's name + "\".
  String Path() const;
  int32_t ImageCount() const { return FImage->ImageCount(); }
  // The image count of streams below version 1.1, read before the images.
  int32_t ReadImageCount() const { return FReadImageCount; }
  TdxSkinElementStates States() const { return FImage->States(); }
  // The alternate attributes property for an image index and state ("AlternateImage1Hot").
  TdxSkinAlternateImageAttributes* AddAlternateImageAttributes(TdxSkinElementState AState,
                                                               int32_t AImageIndex);

  // Drawing (a form without a scale factor uses the system scale factor). Draw skips an empty
  // rectangle or one that is clipped away, and goes through the cache when UseCache is on.
  virtual void Draw(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
                    TdxSkinElementState AState);
  void Draw(HDC DC, const TRect& R, int32_t AImageIndex = 0, TdxSkinElementState AState = esNormal);
  // Colour fill, image (or an alternate attribute), borders, then the glyph inside the content
  // offset.
  virtual void DrawEx(TdxGPCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor,
                      int32_t AImageIndex, TdxSkinElementState AState);
  // Mirrored when DC has a right-to-left layout; skipped for an empty or invisible rectangle.
  void DrawRTL(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
               TdxSkinElementState AState);
  // The image's state mapping, then the glyph's.
  void SetStateMapping(const std::vector<TdxSkinElementState>& ATargetStateOrder);
  // The colour of the property APrefix + "TextColor..." for the state, falling back to the
  // normal state's and then to TextColor.
  virtual TColor GetTextColor(TcxButtonState AState, const String& APropertyPrefix = String());
  // MinSize, enlarged to the frames of an image or glyph that is not resized.
  TSize CalculateMinSize();
  TSize Size() { return FImage->Size(); }
  bool IsAlphaUsed();
  IdxColorPalette* GetGlyphColorPalette(TdxSkinElementState AState);
  bool CanUseAlternateImageSet(int32_t AImageIndex, TdxSkinElementState AState,
                               TdxSkinAlternateImageAttributes*& AAttributes, bool AIsLowColorsMode);
  // A new transparent image of ASize (a zero extent: the scaled minimum size) with the element
  // drawn on it; the caller owns it.
  std::unique_ptr<TdxSmartImage> GetImage(int32_t AImageIndex, TSize ASize, TdxSkinElementState AState,
                                          const TdxScaleFactor* AScaleFactor = nullptr);
  // The renderings of the cache (nullptr while UseCache is off).
  TdxSkinElementCacheList* Cache() const { return FCache.get(); }

 private:
  void ImageChanged(TObject* Sender) { Changed({scContent}); }
  void PartChanged(TObject* Sender, TdxSkinChanges AChanges) { Changed(AChanges); }

  TdxSkinColorValue FColor;
  uint8_t FAlpha = 255;
  std::unique_ptr<TdxSkinImage> FImage;
  std::unique_ptr<TdxSkinImage> FGlyph;
  std::unique_ptr<TdxSkinBorders> FBorders;
  std::unique_ptr<TcxRect> FContentOffset;
  TdxSkinColorValue FTextColor;
  std::unique_ptr<TcxSize> FMinSize;
  std::unique_ptr<TdxSkinElementCacheList> FCache;
  int32_t FCacheCapacity = 8;
  TdxSkinAlternateImageAttributes* FAlternateImageSet[dxSkinElementStateCount]{};
  int32_t FAlternateImageSetIndex = -1;
  bool FAlternateImageSetDirty = true;
  int32_t FReadImageCount = 1;
};

// A placeholder for an element that a skin lacks: a white box with a red frame.
class TdxSkinEmptyElement : public TdxSkinElement {
  QD_CLASS(TdxSkinEmptyElement, TdxSkinElement)

 public:
  using TdxSkinElement::Draw;
  using TdxSkinElement::TdxSkinElement;
  void Draw(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
            TdxSkinElementState AState) override;
};

class TcxBitmap32;

// One rendering of an element: opaque ones in a 32-bit bitmap (drawn by a pixel copy), ones with
// alpha in an image drawn through GDI+.
class TdxSkinElementCache {
 public:
  TdxSkinElementCache();
  ~TdxSkinElementCache();
  TdxSkinElementCache(const TdxSkinElementCache&) = delete;
  TdxSkinElementCache& operator=(const TdxSkinElementCache&) = delete;

  // Renders again unless element, state, image index, image set, rectangle and scale are those
  // of the last rendering; true when it rendered.
  bool CheckCacheState(TdxSkinElement* AElement, const TRect& R, const TdxScaleFactor* AScaleFactor,
                       TdxSkinElementState AState, int32_t AImageIndex);
  void Draw(HDC DC, const TRect& R);
  void Draw(TdxGPCanvas* ACanvas, const TRect& R);
  // Frees the rendering and forgets the key, so that the next draw renders.
  void Flush();

  TdxSkinElement* Element() const { return FElement; }
  TdxSkinElementState State() const { return FState; }
  int32_t ImageIndex() const { return FImageIndex; }
  const TRect& Rect() const { return FRect; }

 private:
  TdxSkinElement* FElement = nullptr;
  TdxSkinElementState FState = esNormal;
  int32_t FImageIndex = 0;
  TdxSkinImageSet FImageSet = imsDefault;
  TRect FRect{};
  TdxScaleFactor FScaleFactor;
  std::unique_ptr<TcxBitmap32> FCacheOpaque;
  std::unique_ptr<TdxSmartImage> FCache;
};

class TdxSkinElementCacheList {
 public:
  explicit TdxSkinElementCacheList(int32_t ACapacity);
  ~TdxSkinElementCacheList();
  TdxSkinElementCacheList(const TdxSkinElementCacheList&) = delete;
  TdxSkinElementCacheList& operator=(const TdxSkinElementCacheList&) = delete;

  void DrawElement(HDC DC, TdxSkinElement* AElement, const TRect& R, const TdxScaleFactor* AScaleFactor,
                   TdxSkinElementState AState, int32_t AImageIndex);
  void DrawElement(TdxGPCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R,
                   const TdxScaleFactor* AScaleFactor, TdxSkinElementState AState, int32_t AImageIndex);
  void Flush();
  int32_t Capacity() const { return FCapacity; }
  // Lowering it frees the oldest renderings.
  void SetCapacity(int32_t AValue);
  int32_t Count() const { return static_cast<int32_t>(FData.size()); }
  TdxSkinElementCache* Items(int32_t AIndex) const { return FData[static_cast<size_t>(AIndex)].get(); }
  // How many times an element was rendered into the cache.
  int32_t RenderCount() const { return FRenderCount; }

 private:
  TdxSkinElementCache* Find(TdxSkinElement* AElement, const TRect& R, TdxSkinElementState AState,
                            int32_t AImageIndex);

  std::vector<std::unique_ptr<TdxSkinElementCache>> FData;
  int32_t FCapacity;
  int32_t FRenderCount = 0;
};

// (0, 0) for no element; otherwise the larger of the image's frame size and MinSize, scaled
// (nullptr: the system scale factor).
TSize dxSkinGetElementSize(TdxSkinElement* AElement, const TdxScaleFactor* AScaleFactor);

// "AlternateImage" + (image index + 1) + the state's name.
String dxSkinGetAlternateImageAttrsPropertyName(TdxSkinElementState AState, int32_t AImageIndex);

// ---- Groups and the skin --------------------------------------------------------------------

class TdxSkinControlGroup : public TdxSkinPersistent {
  QD_CLASS(TdxSkinControlGroup, TdxSkinPersistent)

 public:
  explicit TdxSkinControlGroup(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinControlGroup() override;

  void AssignCore(TPersistent* Source) override;
  void DataRead(TStream* AStream, double AVersion) override;
  void DataWrite(TStream* AStream) override;
  void FlushCache() override;
  void Clear() override;
  void Sort(bool ASortChildren) override;
  virtual void Dormant();

  TdxSkinElement* AddElement(const String& AName);
  TdxSkinElement* AddElementEx(const String& AName, TClass AElementClass);
  int32_t Count() const { return FElements->Count(); }
  // Raises EListError outside 0..Count-1.
  TdxSkinElement* Elements(int32_t AIndex) const;
  // Assigns AElement into the element at AIndex.
  void SetElement(int32_t AIndex, TdxSkinElement* AElement);
  TdxSkinElement* GetElementByName(const String& AName);
  bool GetElementByName(const String& AName, TdxSkinElement*& AElement);
  void Delete(int32_t AIndex);
  void RemoveElement(TdxSkinElement* AElement);
  void RemoveElementByName(const String& AName);
  void ExchangeElements(int32_t AIndex1, int32_t AIndex2);
  void ClearModified();
  bool HasMissingElements();
  TdxSkin* Skin() const;
  TdxSkinElements* ElementList() const { return FElements.get(); }

 private:
  std::unique_ptr<TdxSkinElements> FElements;
};

class TdxSkin : public TdxSkinPersistent, public IdxSkinColorPalette, public IdxColorPalette {
  QD_CLASS(TdxSkin, TdxSkinPersistent)

 public:
  // Empty and named AName; with ALoadOnCreate loaded from the resource "DXSKINS"/AName.
  explicit TdxSkin(const String& AName, bool ALoadOnCreate = false, HINSTANCE AInstance = nullptr);
  ~TdxSkin() override;

  void AssignCore(TPersistent* Source) override;
  void DoChanged(TdxSkinChanges AChanges) override;
  void FlushCache() override;
  void Clear() override;
  void DeleteProperty(TdxSkinProperty* AProperty) override;
  using TdxSkinPersistent::DeleteProperty;
  void Sort(bool ASortChildren) override;

  virtual void LoadFromResource(HINSTANCE AInstance);
  virtual std::unique_ptr<TdxSkin> Clone();
  virtual void DeleteGroup(TdxSkinControlGroup* AGroup);
  virtual void Dormant();
  // One skin stream at the stream position (nothing without GDI+; EdxSkinError
  // "Invalid stream format" for a bad header).
  virtual void LoadFromStream(TStream* AStream);
  virtual void SaveToStream(TStream* AStream);
  void LoadFromFile(const String& AFileName);
  void SaveToFile(const String& AFileName);
  // The first skin of a container (or of a plain skin stream); nothing when none is listed.
  void LoadFromBinaryStream(TStream* AStream);
  void LoadFromBinaryFile(const String& AFileName);
  // A container holding this skin alone.
  void SaveToBinaryStream(TStream* AStream);
  void SaveToBinaryFile(const String& AFileName);

  TdxSkinColor* AddColor(const String& AName, TColor AColor);
  TdxSkinControlGroup* AddGroup(const String& AName);
  TdxSkinColor* GetColorByName(const String& AName);
  bool GetColorByName(const String& AName, TdxSkinColor*& AColor);
  TdxSkinControlGroup* GetGroupByName(const String& AName);
  bool GetGroupByName(const String& AName, TdxSkinControlGroup*& AGroup);
  int32_t ColorCount() const { return FColors->Count(); }
  TdxSkinColor* Colors(int32_t AIndex) const;
  int32_t GroupCount() const { return FGroups->Count(); }
  // Raises EListError outside 0..Count-1.
  TdxSkinControlGroup* Groups(int32_t AIndex) const;
  void ExchangeColors(int32_t AIndex1, int32_t AIndex2) { FColors->Exchange(AIndex1, AIndex2); }
  void ExchangeGroups(int32_t AIndex1, int32_t AIndex2) { FGroups->Exchange(AIndex1, AIndex2); }
  void ClearModified();
  bool HasMissingElements();

  void AddListener(IdxSkinListener* AListener);
  void RemoveListener(IdxSkinListener* AListener);

  const String& ActiveColorPaletteName() const { return FColorPalette->Name(); }
  void SetActiveColorPaletteName(const String& AValue);
  // The palette of that name, else "Default", else the first, else an empty one named "Default".
  void SelectColorPalette(const String& AName);
  TdxSkinColorPalettes* ColorPalettes() const { return FColorPalettes.get(); }
  TdxSkinGeneralColorPalette* ColorPalette() const { return FColorPalette.get(); }
  IdxColorPalette* GetGlyphColorPalette(TdxSkinElementState AState);

  TdxSkinDetails* Details() const { return FDetails.get(); }
  // The skin's name is its details' name.
  const String& Name() const { return FDetails->Name(); }
  void SetName(const String& AValue) { FDetails->SetName(AValue); }
  // The display name, or the name when it is empty.
  String DisplayName() const;

  // IdxSkinColorPalette.
  bool GetColor(const String& AName, TColor& AColor) override;
  // IdxColorPalette, through the active palette.
  TGUID GetID() override { return FColorPalette->GetID(); }
  TdxAlphaColor GetFillColor(const String& ID) override { return FColorPalette->GetFillColor(ID); }
  TdxAlphaColor GetStrokeColor(const String& ID) override { return FColorPalette->GetStrokeColor(ID); }

  TdxSkinColors* ColorList() const { return FColors.get(); }
  TdxSkinControlGroups* GroupList() const { return FGroups.get(); }
  bool Destroying() const { return FDestroying; }

 private:
  void DetailsChanged(TObject* Sender) { Changed({scDetails}); }
  void PalettesChanged(TObject* Sender, TdxSkinChanges AChanges);
  void NotifyListeners(TdxSkinChanges AChanges);
  void FreeParts();

  std::unique_ptr<TdxSkinDetails> FDetails;
  std::unique_ptr<TdxSkinColors> FColors;
  std::unique_ptr<TdxSkinControlGroups> FGroups;
  std::unique_ptr<TdxSkinGeneralColorPalette> FColorPalette;
  std::unique_ptr<TdxSkinColorPalettes> FColorPalettes;
  std::vector<IdxSkinListener*> FListeners;
  bool FDestroying = false;
};

// ---- Containers -----------------------------------------------------------------------------

// Writes a container of size-prefixed skins; the destructor writes the final count.
class TdxSkinBinaryWriter {
 public:
  explicit TdxSkinBinaryWriter(TStream* AStream);
  ~TdxSkinBinaryWriter();
  TdxSkinBinaryWriter(const TdxSkinBinaryWriter&) = delete;
  TdxSkinBinaryWriter& operator=(const TdxSkinBinaryWriter&) = delete;

  void AddSkin(TdxSkin* ASkin);
  int32_t Count() const { return FCount; }

 private:
  void WriteHeader();

  TStream* FStream;
  int64_t FHeaderOffset;
  int32_t FCount = 0;
};

// Lists the skins of a container (or the one skin of a plain skin stream) by their details.
class TdxSkinBinaryReader {
 public:
  explicit TdxSkinBinaryReader(TStream* AStream);
  TdxSkinBinaryReader(const TdxSkinBinaryReader&) = delete;
  TdxSkinBinaryReader& operator=(const TdxSkinBinaryReader&) = delete;

  int32_t Count() const { return static_cast<int32_t>(FSkins.size()); }
  TdxSkinDetails* SkinDetails(int32_t AIndex) const { return FSkins[static_cast<size_t>(AIndex)].get(); }
  const String& SkinName(int32_t AIndex) const { return SkinDetails(AIndex)->Name(); }
  const String& SkinDisplayName(int32_t AIndex) const { return SkinDetails(AIndex)->DisplayName(); }
  int64_t SkinOffset(int32_t AIndex) const { return SkinDetails(AIndex)->DataOffset(); }
  // The first skin whose name equals AName ignoring case, else -1.
  int32_t IndexOf(const String& AName) const;
  bool LoadSkin(TdxSkin* ASkin, int32_t AIndex);
  // An empty name loads the first skin.
  bool LoadSkin(TdxSkin* ASkin, const String& AName);

 private:
  bool ReadContainer(int64_t AStart);

  TStream* FStream;
  std::vector<std::unique_ptr<TdxSkinDetails>> FSkins;
};

// The shared placeholder element (nullptr outside start-up and shut-down).
TdxSkinEmptyElement* dxSkinEmptyElement();

namespace dxSkinsCore {
// Registers the skin classes, creates the shared empty element, installs the details
// record's old-format loader and settles the GDI+ and PNG checks.
void Initialize();
void Finalize();
}  // namespace dxSkinsCore

}  // namespace qd
