#pragma once
// The SVG element tree: one class per supported element with its presentation attributes
// parsed, inherited values resolved against the parent chain and a colour palette, style
// sheets and inline styles applied after the tree is built; the importer from the library's
// XML documents and the attribute conversions in both directions.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/classes/classes.h"
#include "ui/core/cxGeometryMatrix.h"
#include "ui/core/dxXMLDoc.h"
#include "ui/graphics/svg/dxSVGCoreParsers.h"
#include "ui/graphics/svg/dxSVGRenderer.h"

namespace qd {

enum TdxSVGFillMode : uint8_t { fmNonZero, fmEvenOdd, fmInherit };
enum TdxSVGLineCapStyle : uint8_t { lcsDefault, lcsButt, lcsSquare, lcsRound };
enum TdxSVGTextAnchor : uint8_t { taStart, taMiddle, taEnd, taInherit };
enum TdxSVGContentUnits : uint8_t { cuUserSpaceOnUse, cuObjectBoundingBox };

class TdxSVGElementRoot;
class TdxSVGElement;
using TdxSVGElementClass = TClass;

class TdxSVGElement : public TPersistent {
  QD_CLASS(TdxSVGElement, TPersistent)

 public:
  TdxSVGElement();
  explicit TdxSVGElement(TdxSVGElement* AParent) : TdxSVGElement() { SetParent(AParent); }
  ~TdxSVGElement() override;

  void Assign(TPersistent* ASource) override;
  virtual void AssignCore(TdxSVGElement* ASource);
  virtual TdxSVGElementRoot* GetRoot();
  virtual void UpdateReference(const String& AOldID, const String& ANewID);
  virtual void InitializeBrush(TdxSVGCustomRenderer* ARenderer);
  virtual void InitializePen(TdxSVGCustomRenderer* ARenderer);
  virtual void DrawCore(TdxSVGCustomRenderer* ARenderer) {}
  virtual void Load(TdxXMLNode* ANode);
  virtual void Save(TdxXMLNode* ANode);
  virtual void Draw(TdxSVGCustomRenderer* ARenderer);
  virtual bool FindByID(const String& AID, TdxSVGElement*& AElement);
  // A new element of this class with the same attributes and children.
  TdxSVGElement* Clone();

  int32_t GetCount() const { return static_cast<int32_t>(FChildren.size()); }
  // Raises EArgumentException "List index out of bounds (%d)".
  TdxSVGElement* GetElement(int32_t Index) const;
  TdxSVGElement* Parent() const { return FParent; }
  void SetParent(TdxSVGElement* AValue);
  // The parent for the duration of a use element's drawing; no child list changes.
  void SetParentForDrawing(TdxSVGElement* AValue) { FParent = AValue; }

  void SetOpacity(float AValue);
  void SetFillOpacity(float AValue);
  void SetStrokeDashArray(const TdxSVGValues& AValue) { FStrokeDashArray.Assign(AValue); }
  void SetTransform(const TdxMatrix& AValue) { FTransform.Assign(&AValue); }

  // Resolved (inherited) values.
  TdxSVGFill GetActualFill(IdxColorPalette* APalette);
  TdxSVGFill GetActualStroke(IdxColorPalette* APalette);
  gdiplus::FillMode GetActualFillMode();
  const TdxSVGValues& GetActualStrokeDashArray();
  float GetActualStrokeDashOffset();
  TdxSVGLineCapStyle GetActualStrokeLineCap();
  float GetActualStrokeWidth();

  // A length resolved to pixels at 96 DPI; percentages against the root's width or height.
  float ResolveX(const TdxSVGValue& AValue);
  float ResolveY(const TdxSVGValue& AValue);

  std::vector<std::unique_ptr<TdxSVGElement>> FChildren;
  String FClipPath;
  TdxSVGFill FFill = TdxSVGFill::Default();
  TdxSVGFillMode FFillMode = fmNonZero;
  float FFillOpacity = 1;
  String FID;
  float FOpacity = 1;
  TdxSVGFill FStroke = TdxSVGFill::Default();
  TdxSVGValues FStrokeDashArray;
  float FStrokeDashOffset = -1;
  TdxSVGLineCapStyle FStrokeLineCap = lcsDefault;
  TdxGpLineJoin FStrokeLineJoin = gdiplus::LineJoinMiter;
  float FStrokeMiterLimit = 4;
  float FStrokeSize = 0;
  String FStyleName;
  TdxMatrix FTransform;

 protected:
  TdxSVGElement* FParent = nullptr;
};

class TdxSVGElementGroup : public TdxSVGElement {
  QD_CLASS(TdxSVGElementGroup, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  String FTag;
};

class TdxSVGElementRoot : public TdxSVGElementGroup {
  QD_CLASS(TdxSVGElementRoot, TdxSVGElementGroup)

 public:
  using TdxSVGElementGroup::TdxSVGElementGroup;
  TdxSVGElementRoot* GetRoot() override { return this; }
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  // The view box's size, replaced by the width and height attributes where those are set.
  TdxSizeF GetSize();
  void SetViewBox(const TdxRectF& AValue) { FViewBox.FValue = AValue; }
  void SetBackground(const TdxRectF& AValue) { FBackground.FValue = AValue; }

  TdxSVGRect FBackground;
  TdxSVGValue FHeight;
  TdxSVGRect FViewBox;
  TdxSVGValue FWidth;
  TdxSVGValue FX;
  TdxSVGValue FY;
};

class TdxSVGElementCircle : public TdxSVGElement {
  QD_CLASS(TdxSVGElementCircle, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  TdxSVGValue FRadius, FCenterX, FCenterY;
};

class TdxSVGElementEllipse : public TdxSVGElement {
  QD_CLASS(TdxSVGElementEllipse, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  TdxSVGValue FCenterX, FCenterY, FRadiusX, FRadiusY;
};

class TdxSVGElementLine : public TdxSVGElement {
  QD_CLASS(TdxSVGElementLine, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  TdxSVGValue FX2, FY2, FX1, FY1;
};

class TdxSVGElementPath : public TdxSVGElement {
  QD_CLASS(TdxSVGElementPath, TdxSVGElement)

 public:
  TdxSVGElementPath();
  explicit TdxSVGElementPath(TdxSVGElement* AParent) : TdxSVGElementPath() { SetParent(AParent); }
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  void SetPath(TdxSVGPath* AValue) { FPath->Assign(AValue); }
  std::unique_ptr<TdxSVGPath> FPath;
};

class TdxSVGElementPolygon : public TdxSVGElement {
  QD_CLASS(TdxSVGElementPolygon, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  void SetPoints(const TdxSVGPoints& AValue) { FPoints.Assign(AValue); }
  TdxSVGPoints FPoints;
};

class TdxSVGElementPolyline : public TdxSVGElementPolygon {
  QD_CLASS(TdxSVGElementPolyline, TdxSVGElementPolygon)

 public:
  using TdxSVGElementPolygon::TdxSVGElementPolygon;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void InitializePen(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementRectangle : public TdxSVGElement {
  QD_CLASS(TdxSVGElementRectangle, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  TdxSVGValue FCornerRadiusX, FCornerRadiusY, FHeight, FWidth, FX, FY;
};

class TdxSVGElementText : public TdxSVGElement {
  QD_CLASS(TdxSVGElementText, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  ~TdxSVGElementText() override;
  // The attributes, and the font, position and text that the saved form carries only in its
  // style attribute.
  void AssignCore(TdxSVGElement* ASource) override;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;

  TdxSVGValue FDX, FDY;
  String FFontName = u"MS Sans Serif";
  float FFontSize = 8;
  TFontStyles FFontStyles;
  String FText;
  TdxSVGTextAnchor FTextAnchor = taStart;
  TdxSVGValue FX, FY;
  GpFontFamily* FCachedFontFamily = nullptr;

 private:
  GpFontFamily* FontFamily();
  bool FFontFamilyLookedUp = false;
};

class TdxSVGElementTSpan : public TdxSVGElementText {
  QD_CLASS(TdxSVGElementTSpan, TdxSVGElementText)

 public:
  TdxSVGElementTSpan() = default;
  explicit TdxSVGElementTSpan(TdxSVGElement* AParent);
};

class TdxSVGElementUse : public TdxSVGElement {
  QD_CLASS(TdxSVGElementUse, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  void UpdateReference(const String& AOldID, const String& ANewID) override;
  String FReference;
  TdxSVGValue FX, FY;
};

class TdxSVGElementNeverRendered : public TdxSVGElement {
  QD_CLASS(TdxSVGElementNeverRendered, TdxSVGElement)

 public:
  using TdxSVGElement::TdxSVGElement;
  void Draw(TdxSVGCustomRenderer* ARenderer) override {}
};

class TdxSVGElementClipPath : public TdxSVGElementNeverRendered {
  QD_CLASS(TdxSVGElementClipPath, TdxSVGElementNeverRendered)

 public:
  using TdxSVGElementNeverRendered::TdxSVGElementNeverRendered;
  // Clips ARenderer to the children's shapes (intersected with the current clip).
  void ApplyTo(TdxSVGCustomRenderer* ARenderer, TdxSVGElement* AElement);

 private:
  bool FApplying = false;
};

class TdxSVGElementLinearGradientStop : public TdxSVGElementNeverRendered {
  QD_CLASS(TdxSVGElementLinearGradientStop, TdxSVGElementNeverRendered)

 public:
  using TdxSVGElementNeverRendered::TdxSVGElementNeverRendered;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  TdxAlphaColor FColor = 0;
  float FColorOpacity = 1;
  TdxSVGValue FOffset;
};

class TdxSVGElementLinearGradient : public TdxSVGElementNeverRendered {
  QD_CLASS(TdxSVGElementLinearGradient, TdxSVGElementNeverRendered)

 public:
  using TdxSVGElementNeverRendered::TdxSVGElementNeverRendered;
  void InitializeBrush(TdxSVGCustomRenderer* ARenderer) override;
  void InitializePen(TdxSVGCustomRenderer* ARenderer) override;
  void Load(TdxXMLNode* ANode) override;
  void Save(TdxXMLNode* ANode) override;
  TdxSVGContentUnits FUnitsType = cuObjectBoundingBox;
  TdxSVGValue FX1;
  TdxSVGValue FX2 = TdxSVGValue(1);
  TdxSVGValue FY1, FY2;

 private:
  void InitializeBrushCore(TdxSVGCustomRenderer* ARenderer, TdxSVGBrush* ABrush);
  void PopulateGradientPoints(TdxSVGCustomRenderer* ARenderer, TdxSVGBrush* ABrush, float AStart, float AEnd);
};

// ---- Styles --------------------------------------------------------------------------------

class TdxSVGStyle : public TdxXMLNode {
  QD_CLASS(TdxSVGStyle, TdxXMLNode)

 public:
  void Apply(TdxSVGElement* AElement) { AElement->Load(this); }
  String FName;
};

class TdxSVGStyles {
 public:
  TdxSVGStyle* Add(const String& AName);
  TdxSVGStyle* AddInline(TdxSVGElement* AElement);
  TdxSVGStyle* TryGetStyle(const String& AName) const;
  TdxSVGStyle* GetItem(const String& AName) const { return TryGetStyle(AName); }
  // Class rules in the order of the class attribute's words, then the inline style, then
  // every child.
  void Apply(TdxSVGElement* AElement);

 private:
  std::map<String, std::unique_ptr<TdxSVGStyle>> FItems;
};

// ---- Importer and attribute conversions ---------------------------------------------------

class TdxSVGAttributeConverter {
 public:
  static TdxAlphaColor StringToAlphaColor(std::string_view S);
  static TdxXMLString AlphaColorToString(TdxAlphaColor AColor);
  static String StringToReference(std::string_view S);
  static TdxXMLString ReferenceToString(const String& AID, bool AIsLink);
  static TdxSVGContentUnits StringToContentUnits(std::string_view S);
  static TdxSVGFillMode StringToFillRule(std::string_view S);
  static TdxSVGLineCapStyle StringToLineCap(std::string_view S);
  static TdxGpLineJoin StringToLineJoin(std::string_view S);
  static TdxSVGTextAnchor StringToTextAnchor(std::string_view S);
  static const char* const ContentUnitsToString[2];
  static const char* const FillRuleToString[3];
  static const char* const LineCapToString[4];
  static const char* const LineJoinToString[4];
  static const char* const TextAnchorToString[4];
};

extern const gdiplus::LineCap LineCapMap[4];

class TdxSVGFiler {
 public:
  static void Initialize();
  static void Finalize();
  // The element class of an element name, or nullptr.
  static TdxSVGElementClass ElementClass(std::string_view AName);
};

class TdxSVGImporter : public TdxSVGFiler {
 public:
  // Nesting below this depth is not imported.
  static constexpr int32_t MaxDepth = 256;
  static bool Import(TdxXMLDocument* ADocument, std::unique_ptr<TdxSVGElementRoot>& ARoot);
  static bool GetSize(TdxXMLDocument* ADocument, TSize& ASize);

 private:
  static void ImportCore(TdxSVGElement* AElement, TdxSVGStyles& AStyles, TdxXMLNode* ANode, int32_t ADepth);
  static void ImportNode(TdxSVGElement* AParent, TdxSVGStyles& AStyles, TdxXMLNode* ANode, int32_t ADepth);
  static void ImportStyles(TdxSVGStyles& AStyles, TdxXMLNode* ANode);
};

namespace dxSVGCore {
void Initialize();
void Finalize();
}  // namespace dxSVGCore

}  // namespace qd
