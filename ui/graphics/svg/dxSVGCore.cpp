#include "ui/graphics/svg/dxSVGCore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "platform/base/exceptions.h"
#include "platform/base/scopeexit.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"

namespace qd {

namespace {

// Bounds of what references can multiply: use elements nested inside use elements, and the
// elements drawn through use elements in one rendering.
constexpr int32_t kSVGMaxUseDepth = 32;
constexpr int64_t kSVGMaxUseDraws = 200000;

std::unordered_map<std::string_view, TdxSVGElementClass>* FSVGElementMap = nullptr;

TdxXMLNodeAttribute* SVGCoreAttr(TdxXMLNode* ANode, std::string_view AName) {
  return ANode->Attributes().Find(AName);
}

TdxSVGValue SVGCoreLength(std::string_view S) {
  TdxSVGValue v;
  if (!TdxSVGParserValue::Parse(S, v)) v = TdxSVGValue(0, utPx);
  return v;
}

// A plain number of the XML attribute (its conversion error ends the import); numbers that
// are not finite keep the old value.
void SVGCoreReadFloat(TdxXMLNode* ANode, std::string_view AName, float& AValue) {
  if (TdxXMLNodeAttribute* a = SVGCoreAttr(ANode, AName)) {
    const double v = a->ValueAsFloat();
    if (std::isfinite(v) && std::fabs(v) < 3e38) AValue = static_cast<float>(v);
  }
}

void SVGCoreReadLength(TdxXMLNode* ANode, std::string_view AName, TdxSVGValue& AValue) {
  if (TdxXMLNodeAttribute* a = SVGCoreAttr(ANode, AName)) AValue = SVGCoreLength(a->Value());
}

TdxSVGFill SVGCoreStringToFill(std::string_view S) {
  const TdxXMLString text = dxSVGTrim(S);
  if (text.size() >= 4 && dxXMLSameText(std::string_view(text).substr(0, 4), "url(")) {
    const String id = TdxSVGAttributeConverter::StringToReference(text);
    return id.empty() ? TdxSVGFill::Default() : TdxSVGFill::Create(id);
  }
  return TdxSVGFill::Create(TdxSVGAttributeConverter::StringToAlphaColor(text));
}

template <size_t N, class E>
E SVGCoreKeyword(std::string_view S, const char* const (&ATable)[N], E AUnknown) {
  for (size_t i = 0; i < N; ++i)
    if (S == ATable[i]) return static_cast<E>(i);
  return AUnknown;
}

// ---- Writing ----

void SVGCoreSetString(TdxXMLNode* ANode, std::string_view AName, const TdxXMLString& AValue) {
  if (!AValue.empty()) ANode->Attributes().SetValue(AName, AValue);
}

void SVGCoreSetNumber(TdxXMLNode* ANode, std::string_view AName, float AValue, float ADefault) {
  if (!dxSameSingle(AValue, ADefault)) ANode->Attributes().SetValue(AName, dxSVGFloatToString(AValue));
}

void SVGCoreSetLength(TdxXMLNode* ANode, std::string_view AName, const TdxSVGValue& AValue) {
  ANode->Attributes().SetValue(
      AName, dxSVGFloatToString(AValue.Data) + TdxSVGParserValue::NameMap[AValue.UnitsType]);
}

void SVGCoreSetFill(TdxXMLNode* ANode, std::string_view AName, const TdxSVGFill& AFill) {
  if (AFill.IsDefault()) return;
  TdxXMLString s;
  if (AFill.IsReference())
    s = TdxSVGAttributeConverter::ReferenceToString(AFill.Reference, false);
  else if (AFill.IsEmpty())
    s = "none";
  else
    s = TdxSVGAttributeConverter::AlphaColorToString(AFill.Color);
  SVGCoreSetString(ANode, AName, s);
}

void SVGCoreSetRect(TdxXMLNode* ANode, std::string_view AName, const TdxRectF& R, const char* APrefix) {
  if (R.IsZero()) return;
  ANode->Attributes().SetValue(AName, TdxXMLString(APrefix) + dxSVGFloatToString(R.Left) + " " +
                                          dxSVGFloatToString(R.Top) + " " + dxSVGFloatToString(R.Right) +
                                          " " + dxSVGFloatToString(R.Bottom));
}

int32_t SVGCoreRoundToInt(float AValue) {
  if (!std::isfinite(AValue)) return 0;
  return static_cast<int32_t>(std::clamp<double>(std::nearbyint(AValue), -2147483647.0, 2147483647.0));
}

}  // namespace

const gdiplus::LineCap LineCapMap[4] = {gdiplus::LineCapFlat, gdiplus::LineCapFlat, gdiplus::LineCapSquare,
                                        gdiplus::LineCapRound};

// ---- Attribute conversions -----------------------------------------------------------------

const char* const TdxSVGAttributeConverter::ContentUnitsToString[2] = {"userSpaceOnUse", "objectBoundingBox"};
const char* const TdxSVGAttributeConverter::FillRuleToString[3] = {"nonzero", "evenodd", "inherit"};
const char* const TdxSVGAttributeConverter::LineCapToString[4] = {"", "butt", "square", "round"};
const char* const TdxSVGAttributeConverter::LineJoinToString[4] = {"miter", "bevel", "round", ""};
const char* const TdxSVGAttributeConverter::TextAnchorToString[4] = {"start", "middle", "end", "inherit"};

TdxAlphaColor TdxSVGAttributeConverter::StringToAlphaColor(std::string_view S) {
  const size_t rgb = S.find("rgb(");
  if (rgb != std::string_view::npos) {
    // Three components, each a number (0..255) or a percentage, clamped to the byte range.
    std::string_view args = S.substr(rgb + 4);
    const size_t close = args.find(')');
    if (close != std::string_view::npos) args = args.substr(0, close);
    int count = 0;
    uint8_t c[3] = {};
    size_t start = 0;
    while (start <= args.size()) {
      size_t end = args.find_first_of(", \t\r\n", start);
      if (end == std::string_view::npos) end = args.size();
      std::string_view token = args.substr(start, end - start);
      start = end + 1;
      if (token.empty()) continue;
      const bool percent = token.back() == '%';
      if (percent) token.remove_suffix(1);
      float v;
      if (!dxSVGTryStrToFloat(token, v) || count == 3) return TdxAlphaColorsDefault;
      const double value = percent ? v * 255.0 / 100 : v;
      c[count++] = static_cast<uint8_t>(std::nearbyint(std::clamp(value, 0.0, 255.0)));
    }
    return count == 3 ? dxMakeAlphaColor(255, c[0], c[1], c[2]) : TdxAlphaColorsDefault;
  }
  const TdxXMLString text = dxSVGTrim(S);
  if (text == "inherit") return TdxAlphaColorsDefault;
  return TdxAlphaColors::FromHtml(dxXMLStringToString(text));
}

TdxXMLString TdxSVGAttributeConverter::AlphaColorToString(TdxAlphaColor AColor) {
  if (AColor == TdxAlphaColorsDefault) return {};
  return dxStringToXMLString(TdxAlphaColors::ToHtml(AColor));
}

String TdxSVGAttributeConverter::StringToReference(std::string_view S) {
  TdxXMLString text = dxSVGTrim(S);
  if (text.size() >= 5 && dxXMLSameText(std::string_view(text).substr(0, 4), "url(") && text.back() == ')')
    text = text.substr(4, text.size() - 5);
  if (text.empty() || text[0] != '#') return {};
  return dxXMLStringToString(std::string_view(text).substr(1));
}

TdxXMLString TdxSVGAttributeConverter::ReferenceToString(const String& AID, bool AIsLink) {
  if (AID.empty()) return {};
  const TdxXMLString s = "#" + dxStringToXMLString(AID);
  return AIsLink ? s : "url(" + s + ")";
}

TdxSVGContentUnits TdxSVGAttributeConverter::StringToContentUnits(std::string_view S) {
  return SVGCoreKeyword(S, ContentUnitsToString, cuObjectBoundingBox);
}
TdxSVGFillMode TdxSVGAttributeConverter::StringToFillRule(std::string_view S) {
  return SVGCoreKeyword(S, FillRuleToString, fmInherit);
}
TdxSVGLineCapStyle TdxSVGAttributeConverter::StringToLineCap(std::string_view S) {
  return SVGCoreKeyword(S, LineCapToString, lcsDefault);
}
TdxGpLineJoin TdxSVGAttributeConverter::StringToLineJoin(std::string_view S) {
  return SVGCoreKeyword(S, LineJoinToString, gdiplus::LineJoinMiter);
}
TdxSVGTextAnchor TdxSVGAttributeConverter::StringToTextAnchor(std::string_view S) {
  return SVGCoreKeyword(S, TextAnchorToString, taInherit);
}

// ---- TdxSVGElement -------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGElement)

TdxSVGElement::TdxSVGElement() = default;

TdxSVGElement::~TdxSVGElement() = default;

void TdxSVGElement::SetParent(TdxSVGElement* AValue) {
  if (AValue == FParent) return;
  std::unique_ptr<TdxSVGElement> self;
  if (FParent) {
    auto& list = FParent->FChildren;
    for (auto it = list.begin(); it != list.end(); ++it)
      if (it->get() == this) {
        self = std::move(*it);
        list.erase(it);
        break;
      }
  }
  FParent = AValue;
  if (AValue) {
    if (!self) self.reset(this);
    AValue->FChildren.push_back(std::move(self));
  } else {
    (void)self.release();
  }
}

TdxSVGElement* TdxSVGElement::GetElement(int32_t Index) const {
  if (Index < 0 || Index >= GetCount())
    throw EArgumentException(u"List index out of bounds (" + dxXMLStringToString(std::to_string(Index)) +
                             u")");
  return FChildren[Index].get();
}

TdxSVGElementRoot* TdxSVGElement::GetRoot() {
  return FParent ? FParent->GetRoot() : nullptr;
}

void TdxSVGElement::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TdxSVGElement*>(ASource);
  if (!source) {
    TPersistent::Assign(ASource);
    return;
  }
  if (source == this) return;
  FChildren.clear();
  AssignCore(source);
  for (auto& child : source->FChildren) child->Clone()->SetParent(this);
}

void TdxSVGElement::AssignCore(TdxSVGElement* ASource) {
  TdxXMLNode node;
  ASource->Save(&node);
  Load(&node);
}

TdxSVGElement* TdxSVGElement::Clone() {
  TObject* object = ClassType()->Create();
  auto* result = dynamic_cast<TdxSVGElement*>(object);
  if (!result) {
    delete object;
    throw EArgumentException(u"Invalid argument");
  }
  result->Assign(this);
  return result;
}

bool TdxSVGElement::FindByID(const String& AID, TdxSVGElement*& AElement) {
  if (AID.empty()) return false;
  for (auto& child : FChildren)
    if (dxSVGSameText(child->FID, AID)) {
      AElement = child.get();
      return true;
    }
  for (auto& child : FChildren)
    if (child->FindByID(AID, AElement)) return true;
  return false;
}

void TdxSVGElement::UpdateReference(const String& AOldID, const String& ANewID) {
  if (dxSVGSameText(FID, AOldID)) FID = ANewID;
  if (dxSVGSameText(FClipPath, AOldID)) FClipPath = ANewID;
  FFill.UpdateReference(AOldID, ANewID);
  FStroke.UpdateReference(AOldID, ANewID);
  for (auto& child : FChildren) child->UpdateReference(AOldID, ANewID);
}

void TdxSVGElement::SetOpacity(float AValue) {
  FOpacity = std::isfinite(AValue) ? std::clamp(AValue, 0.f, 1.f) : 1.f;
}

void TdxSVGElement::SetFillOpacity(float AValue) {
  FFillOpacity = std::isfinite(AValue) ? std::clamp(AValue, 0.f, 1.f) : 1.f;
}

void TdxSVGElement::Load(TdxXMLNode* ANode) {
  if (!ANode->Attributes().First()) return;
  if (auto* a = SVGCoreAttr(ANode, "id")) FID = a->ValueAsString();
  if (auto* a = SVGCoreAttr(ANode, "class")) FStyleName = a->ValueAsString();
  if (auto* a = SVGCoreAttr(ANode, "clip-path"))
    FClipPath = TdxSVGAttributeConverter::StringToReference(a->Value());
  if (auto* a = SVGCoreAttr(ANode, "fill")) FFill = SVGCoreStringToFill(a->Value());
  if (auto* a = SVGCoreAttr(ANode, "fill-rule"))
    FFillMode = TdxSVGAttributeConverter::StringToFillRule(a->Value());
  float v = FFillOpacity;
  SVGCoreReadFloat(ANode, "fill-opacity", v);
  SetFillOpacity(v);
  v = FOpacity;
  SVGCoreReadFloat(ANode, "opacity", v);
  SetOpacity(v);
  if (auto* a = SVGCoreAttr(ANode, "stroke")) FStroke = SVGCoreStringToFill(a->Value());
  if (auto* a = SVGCoreAttr(ANode, "stroke-dasharray")) {
    FStrokeDashArray.clear();
    TdxSVGParserNumbers::AsNumbers(a->Value(), [this](float f) { FStrokeDashArray.push_back(f); });
  }
  SVGCoreReadFloat(ANode, "stroke-dashoffset", FStrokeDashOffset);
  if (auto* a = SVGCoreAttr(ANode, "stroke-width")) FStrokeSize = SVGCoreLength(a->Value()).ToPixels(0, 96);
  if (auto* a = SVGCoreAttr(ANode, "stroke-linecap"))
    FStrokeLineCap = TdxSVGAttributeConverter::StringToLineCap(a->Value());
  if (auto* a = SVGCoreAttr(ANode, "stroke-linejoin"))
    FStrokeLineJoin = TdxSVGAttributeConverter::StringToLineJoin(a->Value());
  SVGCoreReadFloat(ANode, "stroke-miterlimit", FStrokeMiterLimit);
  if (auto* a = SVGCoreAttr(ANode, "transform")) TdxSVGParserTransform::Parse(a->Value(), FTransform);
}

void TdxSVGElement::Save(TdxXMLNode* ANode) {
  SVGCoreSetString(ANode, "id", dxStringToXMLString(FID));
  SVGCoreSetString(ANode, "clip-path", TdxSVGAttributeConverter::ReferenceToString(FClipPath, false));
  SVGCoreSetFill(ANode, "fill", FFill);
  if (FFillMode != fmNonZero)
    ANode->Attributes().SetValue("fill-rule", TdxSVGAttributeConverter::FillRuleToString[FFillMode]);
  SVGCoreSetNumber(ANode, "fill-opacity", FFillOpacity, 1);
  SVGCoreSetNumber(ANode, "opacity", FOpacity, 1);
  SVGCoreSetFill(ANode, "stroke", FStroke);
  if (!FStrokeDashArray.empty()) {
    TdxXMLString s;
    for (float f : FStrokeDashArray) s += (s.empty() ? "" : ",") + dxSVGFloatToString(f);
    ANode->Attributes().SetValue("stroke-dasharray", s);
  }
  SVGCoreSetNumber(ANode, "stroke-dashoffset", FStrokeDashOffset, -1);
  SVGCoreSetNumber(ANode, "stroke-width", FStrokeSize, 0);
  if (FStrokeLineCap != lcsDefault)
    ANode->Attributes().SetValue("stroke-linecap", TdxSVGAttributeConverter::LineCapToString[FStrokeLineCap]);
  if (FStrokeLineJoin != gdiplus::LineJoinMiter && FStrokeLineJoin <= gdiplus::LineJoinMiterClipped)
    SVGCoreSetString(ANode, "stroke-linejoin", TdxSVGAttributeConverter::LineJoinToString[FStrokeLineJoin]);
  SVGCoreSetNumber(ANode, "stroke-miterlimit", FStrokeMiterLimit, 4);
  if (!FTransform.IsIdentity()) {
    const XFORM& m = FTransform.XForm();
    ANode->Attributes().SetValue(
        "transform", "matrix(" + dxSVGFloatToString(m.eM11) + " " + dxSVGFloatToString(m.eM12) + " " +
                         dxSVGFloatToString(m.eM21) + " " + dxSVGFloatToString(m.eM22) + " " +
                         dxSVGFloatToString(m.eDx) + " " + dxSVGFloatToString(m.eDy) + ")");
  }
}

TdxSVGFill TdxSVGElement::GetActualFill(IdxColorPalette* APalette) {
  if (APalette) {
    const TdxAlphaColor c = APalette->GetFillColor(FStyleName);
    if (c != TdxAlphaColorsDefault) return TdxSVGFill::Create(c);
  }
  if (!FFill.IsDefault()) return FFill;
  return FParent ? FParent->GetActualFill(APalette) : TdxSVGFill::Create(0xFF000000u);
}

TdxSVGFill TdxSVGElement::GetActualStroke(IdxColorPalette* APalette) {
  if (APalette && !FStroke.IsDefault()) {
    const TdxAlphaColor c = APalette->GetStrokeColor(FStyleName);
    if (c != TdxAlphaColorsDefault) return TdxSVGFill::Create(c);
  }
  if (!FStroke.IsDefault()) return FStroke;
  return FParent ? FParent->GetActualStroke(APalette) : TdxSVGFill::Create(0);
}

gdiplus::FillMode TdxSVGElement::GetActualFillMode() {
  switch (FFillMode) {
    case fmNonZero:
      return gdiplus::FillModeWinding;
    case fmEvenOdd:
      return gdiplus::FillModeAlternate;
    default:
      return FParent ? FParent->GetActualFillMode() : gdiplus::FillModeWinding;
  }
}

const TdxSVGValues& TdxSVGElement::GetActualStrokeDashArray() {
  if (!FStrokeDashArray.empty() || !FParent) return FStrokeDashArray;
  return FParent->GetActualStrokeDashArray();
}

float TdxSVGElement::GetActualStrokeDashOffset() {
  if (FStrokeDashOffset >= 0) return FStrokeDashOffset;
  return FParent ? FParent->GetActualStrokeDashOffset() : 0;
}

TdxSVGLineCapStyle TdxSVGElement::GetActualStrokeLineCap() {
  if (FStrokeLineCap != lcsDefault || !FParent) return FStrokeLineCap;
  return FParent->GetActualStrokeLineCap();
}

float TdxSVGElement::GetActualStrokeWidth() {
  if (FStrokeSize != 0) return FStrokeSize;
  return FParent ? FParent->GetActualStrokeWidth() : 1;
}

float TdxSVGElement::ResolveX(const TdxSVGValue& AValue) {
  if (AValue.UnitsType != utPercents) return AValue.ToPixels(0, 96);
  TdxSVGElementRoot* root = GetRoot();
  return AValue.ToPixels(root ? root->GetSize().cx : 0, 96);
}

float TdxSVGElement::ResolveY(const TdxSVGValue& AValue) {
  if (AValue.UnitsType != utPercents) return AValue.ToPixels(0, 96);
  TdxSVGElementRoot* root = GetRoot();
  return AValue.ToPixels(root ? root->GetSize().cy : 0, 96);
}

void TdxSVGElement::InitializeBrush(TdxSVGCustomRenderer* ARenderer) {
  const TdxSVGFill fill = GetActualFill(ARenderer->Palette());
  if (fill.IsReference()) {
    // Paint servers are linear gradients only; other references (which could lead back here)
    // are not followed.
    TdxSVGElement* element = nullptr;
    TdxSVGElementRoot* root = GetRoot();
    if (root && root->FindByID(fill.Reference, element) && element->Is<TdxSVGElementLinearGradient>())
      element->InitializeBrush(ARenderer);
    return;
  }
  TdxAlphaColor color = fill.AsColor();
  // "none" stays empty whatever the fill opacity.
  if (FFillOpacity != 1 && color != 0)
    color = (color & 0x00FFFFFF) | (static_cast<uint32_t>(std::nearbyint(FFillOpacity * 255)) << 24);
  TdxSVGBrush* brush = ARenderer->Brush();
  brush->SetStyle(gpbsSolid);
  brush->SetColor(ARenderer->ApplyOpacity(color));
}

void TdxSVGElement::InitializePen(TdxSVGCustomRenderer* ARenderer) {
  const TdxSVGFill stroke = GetActualStroke(ARenderer->Palette());
  TdxSVGPen* pen = ARenderer->Pen();
  if (stroke.IsReference()) {
    TdxSVGElement* element = nullptr;
    TdxSVGElementRoot* root = GetRoot();
    if (root && root->FindByID(stroke.Reference, element) && element->Is<TdxSVGElementLinearGradient>())
      element->InitializePen(ARenderer);
  } else {
    pen->GetBrush()->SetStyle(gpbsSolid);
    pen->GetBrush()->SetColor(ARenderer->ApplyOpacity(stroke.AsColor()));
  }
  pen->SetStyle(gppsSolid);
  pen->SetLineJoin(FStrokeLineJoin);
  const gdiplus::LineCap cap = LineCapMap[std::min<int>(GetActualStrokeLineCap(), 3)];
  const auto capStyle = cap == gdiplus::LineCapRound    ? gpcsRound
                        : cap == gdiplus::LineCapSquare ? gpcsSquare
                                                        : gpcsFlat;
  pen->SetLineStartCapStyle(capStyle);
  pen->SetLineEndCapStyle(capStyle);
  pen->SetMiterLimit(std::isfinite(FStrokeMiterLimit) ? std::max(1.f, FStrokeMiterLimit) : 4.f);
  const float width = GetActualStrokeWidth();
  pen->SetWidth(ARenderer->TransformPenWidth(width));
  const TdxSVGValues& dashes = GetActualStrokeDashArray();
  // A pattern with a negative entry or without any positive one draws solid.
  bool usable = !dashes.empty() && width > 0;
  bool positive = false;
  for (float d : dashes) {
    usable = usable && d >= 0 && std::isfinite(d / width);
    positive = positive || d > 0;
  }
  if (usable && positive) {
    std::vector<float> pattern;
    pattern.reserve(dashes.size() * 2);
    for (float d : dashes) pattern.push_back(std::max(d / width, 1e-4f));
    // An odd count repeats to make an even one.
    if (pattern.size() % 2) pattern.insert(pattern.end(), pattern.begin(), pattern.end());
    pen->SetDashArray(pattern);
    pen->SetDashOffset(GetActualStrokeDashOffset());
  } else {
    pen->SetDashOffset(0);
  }
}

void TdxSVGElement::Draw(TdxSVGCustomRenderer* ARenderer) {
  if (ARenderer->FUseDepth > 0 && ++ARenderer->FUseDrawCount > kSVGMaxUseDraws) return;
  const float previousOpacity = ARenderer->ModifyOpacity(FOpacity);
  const bool transformed = !FTransform.IsIdentity();
  if (transformed) {
    ARenderer->SaveWorldTransform();
    ARenderer->ModifyWorldTransform(FTransform.XForm());
  }
  ScopeExit restore{[&] {
    if (transformed) ARenderer->RestoreWorldTransform();
    ARenderer->SetOpacity(previousOpacity);
  }};
  InitializePen(ARenderer);
  InitializeBrush(ARenderer);
  auto drawContent = [&] {
    DrawCore(ARenderer);
    for (size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Draw(ARenderer);
  };
  if (!FClipPath.empty()) {
    ARenderer->SaveClipRegion();
    ScopeExit restoreClip{[&] { ARenderer->RestoreClipRegion(); }};
    TdxSVGElement* element = nullptr;
    TdxSVGElementRoot* root = GetRoot();
    if (root && root->FindByID(FClipPath, element))
      if (auto* clip = dynamic_cast<TdxSVGElementClipPath*>(element)) clip->ApplyTo(ARenderer, this);
    drawContent();
  } else {
    drawContent();
  }
}

// ---- Groups and root -----------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGElementGroup)

void TdxSVGElementGroup::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  if (auto* a = SVGCoreAttr(ANode, "tag")) FTag = a->ValueAsString();
}

void TdxSVGElementGroup::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetString(ANode, "tag", dxStringToXMLString(FTag));
}

QD_IMPLEMENT_CLASS(TdxSVGElementRoot)

void TdxSVGElementRoot::Load(TdxXMLNode* ANode) {
  TdxSVGElementGroup::Load(ANode);
  SVGCoreReadLength(ANode, "x", FX);
  SVGCoreReadLength(ANode, "y", FY);
  SVGCoreReadLength(ANode, "height", FHeight);
  SVGCoreReadLength(ANode, "width", FWidth);
  if (auto* a = SVGCoreAttr(ANode, "enable-background"))
    FBackground.FValue = TdxSVGParserRect::Parse(a->Value());
  if (auto* a = SVGCoreAttr(ANode, "viewBox")) FViewBox.FValue = TdxSVGParserRect::Parse(a->Value());
}

void TdxSVGElementRoot::Save(TdxXMLNode* ANode) {
  TdxSVGElementGroup::Save(ANode);
  SVGCoreSetLength(ANode, "x", FX);
  SVGCoreSetLength(ANode, "y", FY);
  SVGCoreSetLength(ANode, "height", FHeight);
  SVGCoreSetLength(ANode, "width", FWidth);
  SVGCoreSetRect(ANode, "enable-background", FBackground.FValue, "new ");
  SVGCoreSetRect(ANode, "viewBox", FViewBox.FValue, "");
}

TdxSizeF TdxSVGElementRoot::GetSize() {
  TdxSizeF size(FViewBox.GetWidth(), FViewBox.GetHeight());
  if (!FWidth.IsEmpty() && FWidth.UnitsType != utPercents) size.cx = FWidth.ToPixels(0, 96);
  if (!FHeight.IsEmpty() && FHeight.UnitsType != utPercents) size.cy = FHeight.ToPixels(0, 96);
  return size;
}

// ---- Shapes --------------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGElementCircle)

void TdxSVGElementCircle::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  const float r = ResolveX(FRadius);
  ARenderer->Ellipse(ResolveX(FCenterX), ResolveY(FCenterY), r, r);
}

void TdxSVGElementCircle::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  SVGCoreReadLength(ANode, "cx", FCenterX);
  SVGCoreReadLength(ANode, "cy", FCenterY);
  SVGCoreReadLength(ANode, "r", FRadius);
}

void TdxSVGElementCircle::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetLength(ANode, "cx", FCenterX);
  SVGCoreSetLength(ANode, "cy", FCenterY);
  SVGCoreSetLength(ANode, "r", FRadius);
}

QD_IMPLEMENT_CLASS(TdxSVGElementEllipse)

void TdxSVGElementEllipse::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  ARenderer->Ellipse(ResolveX(FCenterX), ResolveY(FCenterY), ResolveX(FRadiusX), ResolveY(FRadiusY));
}

void TdxSVGElementEllipse::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  SVGCoreReadLength(ANode, "cx", FCenterX);
  SVGCoreReadLength(ANode, "cy", FCenterY);
  SVGCoreReadLength(ANode, "rx", FRadiusX);
  SVGCoreReadLength(ANode, "ry", FRadiusY);
}

void TdxSVGElementEllipse::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetLength(ANode, "cx", FCenterX);
  SVGCoreSetLength(ANode, "cy", FCenterY);
  SVGCoreSetLength(ANode, "rx", FRadiusX);
  SVGCoreSetLength(ANode, "ry", FRadiusY);
}

QD_IMPLEMENT_CLASS(TdxSVGElementLine)

void TdxSVGElementLine::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  ARenderer->Line(ResolveX(FX1), ResolveY(FY1), ResolveX(FX2), ResolveY(FY2));
}

void TdxSVGElementLine::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  SVGCoreReadLength(ANode, "x1", FX1);
  SVGCoreReadLength(ANode, "y1", FY1);
  SVGCoreReadLength(ANode, "x2", FX2);
  SVGCoreReadLength(ANode, "y2", FY2);
}

void TdxSVGElementLine::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetLength(ANode, "x1", FX1);
  SVGCoreSetLength(ANode, "y1", FY1);
  SVGCoreSetLength(ANode, "x2", FX2);
  SVGCoreSetLength(ANode, "y2", FY2);
}

QD_IMPLEMENT_CLASS(TdxSVGElementPath)

TdxSVGElementPath::TdxSVGElementPath() : FPath(std::make_unique<TdxSVGPath>()) {}

void TdxSVGElementPath::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  FPath->SetFillMode(GetActualFillMode());
  ARenderer->Path(FPath.get());
}

void TdxSVGElementPath::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  if (auto* a = SVGCoreAttr(ANode, "d")) FPath->FromString(a->Value());
}

void TdxSVGElementPath::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetString(ANode, "d", FPath->ToString());
}

QD_IMPLEMENT_CLASS(TdxSVGElementPolygon)

void TdxSVGElementPolygon::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  ARenderer->Polygon(FPoints);
}

void TdxSVGElementPolygon::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  if (auto* a = SVGCoreAttr(ANode, "points")) TdxSVGParserNumbers::AsPoints(a->Value(), FPoints);
}

void TdxSVGElementPolygon::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  TdxXMLString s;
  for (const TdxPointF& p : FPoints)
    s += (s.empty() ? "" : " ") + dxSVGFloatToString(p.X) + "," + dxSVGFloatToString(p.Y);
  SVGCoreSetString(ANode, "points", s);
}

QD_IMPLEMENT_CLASS(TdxSVGElementPolyline)

void TdxSVGElementPolyline::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  ARenderer->Polyline(FPoints);
}

void TdxSVGElementPolyline::InitializePen(TdxSVGCustomRenderer* ARenderer) {
  TdxSVGElementPolygon::InitializePen(ARenderer);
  TdxSVGPen* pen = ARenderer->Pen();
  if (!pen->IsEmpty()) return;
  if (pen->Width() == 0) pen->SetWidth(ARenderer->TransformPenWidth(1));
  if (pen->GetBrush()->IsEmpty()) {
    const TdxSVGFill fill = GetActualFill(ARenderer->Palette());
    pen->GetBrush()->SetStyle(gpbsSolid);
    pen->GetBrush()->SetColor(ARenderer->ApplyOpacity(fill.AsColor()));
  }
}

QD_IMPLEMENT_CLASS(TdxSVGElementRectangle)

void TdxSVGElementRectangle::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  const float x = ResolveX(FX), y = ResolveY(FY), w = ResolveX(FWidth), h = ResolveY(FHeight);
  if (FCornerRadiusX.IsEmpty() && FCornerRadiusY.IsEmpty())
    ARenderer->Rectangle(x, y, w, h);
  else
    ARenderer->RoundRect(x, y, w, h, ResolveX(FCornerRadiusX), ResolveY(FCornerRadiusY));
}

void TdxSVGElementRectangle::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  SVGCoreReadLength(ANode, "x", FX);
  SVGCoreReadLength(ANode, "y", FY);
  SVGCoreReadLength(ANode, "height", FHeight);
  SVGCoreReadLength(ANode, "width", FWidth);
  SVGCoreReadLength(ANode, "rx", FCornerRadiusX);
  SVGCoreReadLength(ANode, "ry", FCornerRadiusY);
}

void TdxSVGElementRectangle::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetLength(ANode, "x", FX);
  SVGCoreSetLength(ANode, "y", FY);
  SVGCoreSetLength(ANode, "height", FHeight);
  SVGCoreSetLength(ANode, "width", FWidth);
  SVGCoreSetLength(ANode, "rx", FCornerRadiusX);
  SVGCoreSetLength(ANode, "ry", FCornerRadiusY);
}

// ---- Text ----------------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGElementText)

TdxSVGElementText::~TdxSVGElementText() {
  if (FCachedFontFamily) GdipDeleteFontFamily(FCachedFontFamily);
}

void TdxSVGElementText::AssignCore(TdxSVGElement* ASource) {
  TdxSVGElement::AssignCore(ASource);
  if (auto* source = dynamic_cast<TdxSVGElementText*>(ASource)) {
    FDX = source->FDX;
    FDY = source->FDY;
    FFontName = source->FFontName;
    FFontSize = source->FFontSize;
    FFontStyles = source->FFontStyles;
    FText = source->FText;
    FTextAnchor = source->FTextAnchor;
    FX = source->FX;
    FY = source->FY;
    if (FCachedFontFamily) GdipDeleteFontFamily(FCachedFontFamily);
    FCachedFontFamily = nullptr;
    FFontFamilyLookedUp = false;
  }
}

GpFontFamily* TdxSVGElementText::FontFamily() {
  if (FFontFamilyLookedUp) return FCachedFontFamily;
  FFontFamilyLookedUp = true;
  String name = FFontName;
  while (!FCachedFontFamily) {
    if (GdipCreateFontFamilyFromName(name.c_str(), nullptr, &FCachedFontFamily) != gdiplus::Ok)
      FCachedFontFamily = nullptr;
    if (FCachedFontFamily) break;
    const size_t dash = name.rfind(u'-');
    if (dash == String::npos) break;
    name.resize(dash);
  }
  if (!FCachedFontFamily) {
    String lower = FFontName;
    for (Char& c : lower)
      if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c - u'A' + u'a');
    GpFontFamily* generic = nullptr;
    if (lower.find(u"sans-serif") != String::npos)
      GdipGetGenericFontFamilySansSerif(&generic);
    else if (lower.find(u"serif") != String::npos)
      GdipGetGenericFontFamilySerif(&generic);
    FCachedFontFamily = generic;
  }
  return FCachedFontFamily;
}

void TdxSVGElementText::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  if (FText.empty()) return;
  GpFontFamily* family = FontFamily();
  if (!family || !(FFontSize > 0) || !std::isfinite(FFontSize)) return;
  int32_t style = 0;
  for (int i = 0; i < 4; ++i)
    if (FFontStyles.Contains(static_cast<TFontStyle>(i))) style |= 1 << i;
  GpFont* font = nullptr;
  if (GdipCreateFont(family, FFontSize, style, gdiplus::UnitPixel, &font) != gdiplus::Ok || !font) return;
  ScopeExit freeFont{[&] { GdipDeleteFont(font); }};
  const TdxSizeF size = dxGpMeasureString(font, FText);
  uint16_t cellAscent = 0, emHeight = 0;
  GdipGetCellAscent(family, style, &cellAscent);
  GdipGetEmHeight(family, style, &emHeight);
  const float ascent = emHeight ? cellAscent * FFontSize / emHeight : 0;
  float x = ResolveX(FX);
  const float y = ResolveY(FY) - ascent + ResolveY(FDY);
  if (FTextAnchor == taMiddle)
    x -= size.cx / 2;
  else if (FTextAnchor == taEnd)
    x -= size.cx;
  x += ResolveX(FDX);
  ARenderer->TextOut(FText, font, x, y);
}

void TdxSVGElementText::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  if (!ANode->Text().empty()) FText = ANode->TextAsString();
  SVGCoreReadLength(ANode, "x", FX);
  SVGCoreReadLength(ANode, "y", FY);
  SVGCoreReadLength(ANode, "dx", FDX);
  SVGCoreReadLength(ANode, "dy", FDY);
  if (auto* a = SVGCoreAttr(ANode, "font")) {
    String name;
    TFontStyles styles;
    float size;
    if (TdxSVGFontStyleString::Parse(a->Value(), name, styles, size)) {
      FFontName = name;
      FFontStyles = styles;
      FFontSize = size;
    }
  }
  if (auto* a = SVGCoreAttr(ANode, "font-family")) {
    std::string_view v = a->Value();
    if (!v.empty() && (v.front() == '\'' || v.front() == '"')) v.remove_prefix(1);
    if (!v.empty() && (v.back() == '\'' || v.back() == '"')) v.remove_suffix(1);
    FFontName = dxXMLStringToString(dxSVGTrim(v));
  }
  if (auto* a = SVGCoreAttr(ANode, "font-size")) FFontSize = SVGCoreLength(a->Value()).ToPixels(0, 96);
  TFontStyle style;
  if (auto* a = SVGCoreAttr(ANode, "font-style"))
    if (TdxSVGFontStyleString::TryStringToFontStyle(a->Value(), style)) FFontStyles.Include(style);
  if (auto* a = SVGCoreAttr(ANode, "font-weight"))
    if (TdxSVGFontStyleString::TryStringToFontStyle(a->Value(), style)) FFontStyles.Include(style);
  if (auto* a = SVGCoreAttr(ANode, "text-anchor"))
    FTextAnchor = TdxSVGAttributeConverter::StringToTextAnchor(a->Value());
  if (FCachedFontFamily) GdipDeleteFontFamily(FCachedFontFamily);
  FCachedFontFamily = nullptr;
  FFontFamilyLookedUp = false;
}

void TdxSVGElementText::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  if (!FText.empty()) ANode->SetTextAsString(FText);
  SVGCoreSetLength(ANode, "x", FX);
  SVGCoreSetLength(ANode, "y", FY);
  SVGCoreSetLength(ANode, "dx", FDX);
  SVGCoreSetLength(ANode, "dy", FDY);
  String style = u"font: " + TdxSVGFontStyleString::Build(FFontName, FFontStyles, FFontSize) + u"; ";
  if (FFontStyles.Contains(fsUnderline)) style += u"font-style: underline;";
  ANode->Attributes().SetValueAsString("style", style);
  if (FTextAnchor != taInherit)
    ANode->Attributes().SetValue("text-anchor", TdxSVGAttributeConverter::TextAnchorToString[FTextAnchor]);
}

QD_IMPLEMENT_CLASS(TdxSVGElementTSpan)

TdxSVGElementTSpan::TdxSVGElementTSpan(TdxSVGElement* AParent) {
  SetParent(AParent);
  if (auto* text = dynamic_cast<TdxSVGElementText*>(AParent)) AssignCore(text);
}

// ---- Use -----------------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGElementUse)

void TdxSVGElementUse::DrawCore(TdxSVGCustomRenderer* ARenderer) {
  TdxSVGElement* element = nullptr;
  TdxSVGElementRoot* root = GetRoot();
  if (!root || !root->FindByID(FReference, element)) return;
  // A reference to this element or to one of its ancestors (also through other use elements
  // being drawn) would draw itself forever.
  for (TdxSVGElement* e = this; e; e = e->Parent())
    if (e == element) return;
  if (ARenderer->FUseDepth >= kSVGMaxUseDepth) return;
  ARenderer->SaveWorldTransform();
  TdxSVGElement* parent = element->Parent();
  ++ARenderer->FUseDepth;
  ScopeExit restore{[&] {
    --ARenderer->FUseDepth;
    element->SetParentForDrawing(parent);
    ARenderer->RestoreWorldTransform();
  }};
  ARenderer->ModifyWorldTransform(XFORM{1, 0, 0, 1, ResolveX(FX), ResolveY(FY)});
  element->SetParentForDrawing(this);
  element->Draw(ARenderer);
}

void TdxSVGElementUse::Load(TdxXMLNode* ANode) {
  TdxSVGElement::Load(ANode);
  SVGCoreReadLength(ANode, "x", FX);
  SVGCoreReadLength(ANode, "y", FY);
  if (auto* a = SVGCoreAttr(ANode, "href"))
    FReference = TdxSVGAttributeConverter::StringToReference(a->Value());
  else if (auto* b = SVGCoreAttr(ANode, "xlink:href"))
    FReference = TdxSVGAttributeConverter::StringToReference(b->Value());
}

void TdxSVGElementUse::Save(TdxXMLNode* ANode) {
  TdxSVGElement::Save(ANode);
  SVGCoreSetLength(ANode, "x", FX);
  SVGCoreSetLength(ANode, "y", FY);
  SVGCoreSetString(ANode, "xlink:href", TdxSVGAttributeConverter::ReferenceToString(FReference, true));
}

void TdxSVGElementUse::UpdateReference(const String& AOldID, const String& ANewID) {
  TdxSVGElement::UpdateReference(AOldID, ANewID);
  if (dxSVGSameText(FReference, AOldID)) FReference = ANewID;
}

// ---- Never rendered ------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGElementNeverRendered)
QD_IMPLEMENT_CLASS(TdxSVGElementClipPath)

void TdxSVGElementClipPath::ApplyTo(TdxSVGCustomRenderer* ARenderer, TdxSVGElement* AElement) {
  // A clip path used inside its own content clips nothing there.
  if (FApplying) return;
  FApplying = true;
  TdxSVGRendererClipPath clip;
  clip.FUseDepth = ARenderer->FUseDepth;
  clip.FUseDrawCount = ARenderer->FUseDrawCount;
  ScopeExit done{[&] {
    FApplying = false;
    ARenderer->FUseDrawCount = clip.FUseDrawCount;
  }};
  for (size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Draw(&clip);
  ARenderer->SetClipRegion(clip.ClipPath(), gdiplus::CombineModeIntersect);
}

QD_IMPLEMENT_CLASS(TdxSVGElementLinearGradientStop)

void TdxSVGElementLinearGradientStop::Load(TdxXMLNode* ANode) {
  TdxSVGElementNeverRendered::Load(ANode);
  if (auto* a = SVGCoreAttr(ANode, "stop-color"))
    FColor = TdxSVGAttributeConverter::StringToAlphaColor(a->Value());
  if (auto* a = SVGCoreAttr(ANode, "stop-opacity")) FColorOpacity = SVGCoreLength(a->Value()).ToPixels(0, 96);
  SVGCoreReadLength(ANode, "offset", FOffset);
}

void TdxSVGElementLinearGradientStop::Save(TdxXMLNode* ANode) {
  TdxSVGElementNeverRendered::Save(ANode);
  SVGCoreSetString(ANode, "stop-color", TdxSVGAttributeConverter::AlphaColorToString(FColor));
  SVGCoreSetNumber(ANode, "stop-opacity", FColorOpacity, 1);
  SVGCoreSetLength(ANode, "offset", FOffset);
}

QD_IMPLEMENT_CLASS(TdxSVGElementLinearGradient)

void TdxSVGElementLinearGradient::Load(TdxXMLNode* ANode) {
  TdxSVGElementNeverRendered::Load(ANode);
  SVGCoreReadLength(ANode, "x1", FX1);
  SVGCoreReadLength(ANode, "y1", FY1);
  SVGCoreReadLength(ANode, "x2", FX2);
  SVGCoreReadLength(ANode, "y2", FY2);
  if (auto* a = SVGCoreAttr(ANode, "gradientUnits"))
    FUnitsType = TdxSVGAttributeConverter::StringToContentUnits(a->Value());
}

void TdxSVGElementLinearGradient::Save(TdxXMLNode* ANode) {
  TdxSVGElementNeverRendered::Save(ANode);
  SVGCoreSetLength(ANode, "x1", FX1);
  SVGCoreSetLength(ANode, "y1", FY1);
  SVGCoreSetLength(ANode, "x2", FX2);
  SVGCoreSetLength(ANode, "y2", FY2);
  ANode->Attributes().SetValue("gradientUnits", TdxSVGAttributeConverter::ContentUnitsToString[FUnitsType]);
}

void TdxSVGElementLinearGradient::InitializeBrush(TdxSVGCustomRenderer* ARenderer) {
  InitializeBrushCore(ARenderer, ARenderer->Brush());
}

void TdxSVGElementLinearGradient::InitializePen(TdxSVGCustomRenderer* ARenderer) {
  InitializeBrushCore(ARenderer, ARenderer->Pen()->GetBrush());
}

void TdxSVGElementLinearGradient::PopulateGradientPoints(TdxSVGCustomRenderer* ARenderer, TdxSVGBrush* ABrush,
                                                         float AStart, float AEnd) {
  TdxGPBrushGradientPoints* points = ABrush->GradientPoints();
  points->Clear();
  std::vector<TdxSVGElementLinearGradientStop*> stops;
  for (auto& child : FChildren)
    if (auto* stop = dynamic_cast<TdxSVGElementLinearGradientStop*>(child.get())) stops.push_back(stop);
  if (stops.empty()) return;
  AStart = std::isfinite(AStart) ? std::clamp(AStart, 0.f, 1.f) : 0.f;
  AEnd = std::max(AStart, std::isfinite(AEnd) ? std::clamp(AEnd, 0.f, 1.f) : 1.f);
  // Offsets are clamped to 0..1 and never decrease, so the blend positions stay ordered.
  float previous = 0;
  std::vector<std::pair<float, TdxAlphaColor>> laid;
  for (auto* stop : stops) {
    float o = stop->FOffset.UnitsType == utPercents ? stop->FOffset.Data / 100 : stop->FOffset.Data;
    o = std::isfinite(o) ? std::clamp(o, 0.f, 1.f) : 0.f;
    o = std::max(o, previous);
    previous = o;
    laid.emplace_back(AStart + (AEnd - AStart) * o,
                      ARenderer->ApplyOpacity(dxGpApplyOpacity(stop->FColor, stop->FColorOpacity)));
  }
  if (laid.front().first > 0) points->Add(laid.front().second, 0);
  for (auto& [offset, color] : laid) points->Add(color, offset);
  if (laid.back().first < 1) points->Add(laid.back().second, 1);
}

void TdxSVGElementLinearGradient::InitializeBrushCore(TdxSVGCustomRenderer* ARenderer, TdxSVGBrush* ABrush) {
  ABrush->FreeHandle();
  const bool boundingBox = FUnitsType == cuObjectBoundingBox;
  // In bounding-box units a percentage is a fraction of the box.
  auto resolve = [&](const TdxSVGValue& v, bool AHorizontal) {
    if (boundingBox && v.UnitsType == utPercents) return v.Data / 100;
    return AHorizontal ? ResolveX(v) : ResolveY(v);
  };
  const TdxPointF s(resolve(FX1, true), resolve(FY1, false));
  const TdxPointF e(resolve(FX2, true), resolve(FY2, false));
  TdxPointF ls = s, le = e;
  bool single = s.X == e.X && s.Y == e.Y;
  ABrush->FGradientAutoScale = boundingBox;
  if (!single && !boundingBox) {
    TdxRectF box;
    if (TdxSVGElementRoot* root = GetRoot()) {
      const TdxSizeF size = root->GetSize();
      box = TdxRectF::CreateSize(root->FViewBox.FValue.Left, root->FViewBox.FValue.Top, size.cx, size.cy);
    }
    const double len = std::hypot(double(e.X) - s.X, double(e.Y) - s.Y);
    const double ux = (e.X - s.X) / len, uy = (e.Y - s.Y) / len;
    auto extend = [&](TdxPointF P, double DX, double DY) {
      double t = 0;
      if (DX < 0) t = std::max(t, (box.Left - P.X) / DX);
      if (DX > 0) t = std::max(t, (box.Right - P.X) / DX);
      if (DY < 0) t = std::max(t, (box.Top - P.Y) / DY);
      if (DY > 0) t = std::max(t, (box.Bottom - P.Y) / DY);
      if (!std::isfinite(t)) t = 0;
      return TdxPointF(static_cast<float>(P.X + DX * t), static_cast<float>(P.Y + DY * t));
    };
    ls = extend(s, -ux, -uy);
    le = extend(e, ux, uy);
    single = ls.X == le.X && ls.Y == le.Y;
  }
  if (single || !std::isfinite(ls.X + ls.Y + le.X + le.Y)) {
    PopulateGradientPoints(ARenderer, ABrush, 0, 1);
    TdxGPBrushGradientPoints* points = ABrush->GradientPoints();
    const TdxAlphaColor color = points->Count() ? points->Colors(points->Count() - 1) : 0;
    ABrush->SetStyle(gpbsSolid);
    ABrush->SetColor(color);
  } else {
    float start = 0, end = 1;
    if (!boundingBox) {
      const double len = std::hypot(double(le.X) - ls.X, double(le.Y) - ls.Y);
      start = static_cast<float>(std::hypot(double(s.X) - ls.X, double(s.Y) - ls.Y) / len);
      end = static_cast<float>(std::hypot(double(e.X) - ls.X, double(e.Y) - ls.Y) / len);
    }
    ABrush->FGradientLine = TdxRectF(ls.X, ls.Y, le.X, le.Y);
    PopulateGradientPoints(ARenderer, ABrush, start, end);
    ABrush->SetStyle(gpbsGradient);
  }
  ABrush->FreeHandle();
}

// ---- Styles --------------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGStyle)

TdxSVGStyle* TdxSVGStyles::Add(const String& AName) {
  auto& item = FItems[AName];
  if (!item) {
    item = std::make_unique<TdxSVGStyle>();
    item->FName = AName;
  }
  return item.get();
}

namespace {
String SVGCoreInlineName(const TdxSVGElement* AElement) {
  char buf[40];
  std::snprintf(buf, sizeof(buf), "_inline_%p", static_cast<const void*>(AElement));
  return dxXMLStringToString(buf);
}
}  // namespace

TdxSVGStyle* TdxSVGStyles::AddInline(TdxSVGElement* AElement) {
  return Add(SVGCoreInlineName(AElement));
}

TdxSVGStyle* TdxSVGStyles::TryGetStyle(const String& AName) const {
  if (AName.empty()) return nullptr;
  const auto it = FItems.find(AName);
  return it == FItems.end() ? nullptr : it->second.get();
}

void TdxSVGStyles::Apply(TdxSVGElement* AElement) {
  if (!FItems.empty()) {
    const String& names = AElement->FStyleName;
    size_t start = 0;
    while (start <= names.size()) {
      size_t end = names.find(u' ', start);
      if (end == String::npos) end = names.size();
      if (TdxSVGStyle* style = TryGetStyle(names.substr(start, end - start))) style->Apply(AElement);
      start = end + 1;
    }
    if (TdxSVGStyle* style = TryGetStyle(SVGCoreInlineName(AElement))) style->Apply(AElement);
  }
  for (size_t i = 0; i < AElement->FChildren.size(); ++i) Apply(AElement->FChildren[i].get());
}

// ---- Filer and importer --------------------------------------------------------------------

void TdxSVGFiler::Initialize() {
  if (FSVGElementMap) return;
  FSVGElementMap = new std::unordered_map<std::string_view, TdxSVGElementClass>{
      {"circle", TdxSVGElementCircle::StaticClass()},
      {"clipPath", TdxSVGElementClipPath::StaticClass()},
      {"defs", TdxSVGElementNeverRendered::StaticClass()},
      {"ellipse", TdxSVGElementEllipse::StaticClass()},
      {"g", TdxSVGElementGroup::StaticClass()},
      {"line", TdxSVGElementLine::StaticClass()},
      {"linearGradient", TdxSVGElementLinearGradient::StaticClass()},
      {"path", TdxSVGElementPath::StaticClass()},
      {"polygon", TdxSVGElementPolygon::StaticClass()},
      {"polyline", TdxSVGElementPolyline::StaticClass()},
      {"rect", TdxSVGElementRectangle::StaticClass()},
      {"stop", TdxSVGElementLinearGradientStop::StaticClass()},
      {"svg", TdxSVGElementRoot::StaticClass()},
      {"text", TdxSVGElementText::StaticClass()},
      {"tspan", TdxSVGElementTSpan::StaticClass()},
      {"use", TdxSVGElementUse::StaticClass()}};
}

void TdxSVGFiler::Finalize() {
  delete FSVGElementMap;
  FSVGElementMap = nullptr;
}

TdxSVGElementClass TdxSVGFiler::ElementClass(std::string_view AName) {
  Initialize();
  const auto it = FSVGElementMap->find(AName);
  return it == FSVGElementMap->end() ? nullptr : it->second;
}

bool TdxSVGImporter::Import(TdxXMLDocument* ADocument, std::unique_ptr<TdxSVGElementRoot>& ARoot) {
  TdxXMLNode* node = nullptr;
  if (!ADocument->FindChild("svg", node) || !node) return false;
  TdxSVGStyles styles;
  auto root = std::make_unique<TdxSVGElementRoot>();
  ImportCore(root.get(), styles, node, 0);
  styles.Apply(root.get());
  ARoot = std::move(root);
  return true;
}

bool TdxSVGImporter::GetSize(TdxXMLDocument* ADocument, TSize& ASize) {
  TdxXMLNode* node = nullptr;
  if (!ADocument->FindChild("svg", node) || !node) return false;
  TdxSVGElementRoot root;
  root.Load(node);
  const TdxSizeF size = root.GetSize();
  ASize = TSize{SVGCoreRoundToInt(size.cx), SVGCoreRoundToInt(size.cy)};
  return true;
}

void TdxSVGImporter::ImportCore(TdxSVGElement* AElement, TdxSVGStyles& AStyles, TdxXMLNode* ANode,
                                int32_t ADepth) {
  AElement->Load(ANode);
  if (auto* a = SVGCoreAttr(ANode, "style"))
    TdxSVGParserInlineStyle::Parse(AStyles.AddInline(AElement), a->Value());
  for (TdxXMLNode* child = ANode->First(); child; child = child->Next())
    ImportNode(AElement, AStyles, child, ADepth);
}

void TdxSVGImporter::ImportNode(TdxSVGElement* AParent, TdxSVGStyles& AStyles, TdxXMLNode* ANode,
                                int32_t ADepth) {
  if (ANode->Name() == "style") {
    ImportStyles(AStyles, ANode);
    return;
  }
  const TdxSVGElementClass elementClass = ElementClass(ANode->Name());
  if (!elementClass || ADepth >= MaxDepth) return;
  TObject* object = elementClass->Create();
  auto* element = dynamic_cast<TdxSVGElement*>(object);
  if (!element) {
    delete object;
    return;
  }
  element->FStyleName = dxXMLStringToString(ANode->Name());
  element->SetParent(AParent);
  if (element->Is<TdxSVGElementTSpan>() && AParent->Is<TdxSVGElementText>()) element->AssignCore(AParent);
  ImportCore(element, AStyles, ANode, ADepth + 1);
}

void TdxSVGImporter::ImportStyles(TdxSVGStyles& AStyles, TdxXMLNode* ANode) {
  const std::string_view text = ANode->Text();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('}', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view piece = text.substr(start, end - start);
    start = end + 1;
    const size_t open = piece.find('{');
    if (open == std::string_view::npos || piece.find('{', open + 1) != std::string_view::npos) continue;
    const std::string_view selectors = piece.substr(0, open);
    const std::string_view declarations = piece.substr(open + 1);
    size_t s = 0;
    while (s <= selectors.size()) {
      size_t e = selectors.find(',', s);
      if (e == std::string_view::npos) e = selectors.size();
      TdxXMLString selector = dxSVGTrim(selectors.substr(s, e - s));
      s = e + 1;
      if (!selector.empty() && selector[0] == '.') selector.erase(0, 1);
      if (selector.empty()) continue;
      TdxSVGParserInlineStyle::Parse(AStyles.Add(dxXMLStringToString(selector)), declarations);
    }
  }
}

namespace dxSVGCore {
void Initialize() {
  TdxSVGFiler::Initialize();
}
void Finalize() {
  TdxSVGFiler::Finalize();
}
}  // namespace dxSVGCore

}  // namespace qd
