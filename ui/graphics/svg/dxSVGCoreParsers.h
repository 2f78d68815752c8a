#pragma once
// The value types that SVG attributes are stored in and the parsers that read attribute text
// into them: numbers and points, rectangles, lengths with units, inline style declarations,
// the font shorthand, path data (built into a GDI+ path) and transform lists. Numbers are
// always read and written with a period, whatever the locale.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/types.h"
#include "platform/forms/graphics.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxGeometryMatrix.h"
#include "ui/core/dxXMLDoc.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

enum TdxSVGUnitsType : uint8_t { utPx, utMm, utCm, utIn, utPc, utPt, utPercents };

struct TdxSVGValue {
  float Data = 0;
  TdxSVGUnitsType UnitsType = utPx;

  TdxSVGValue() = default;
  TdxSVGValue(float AValue, TdxSVGUnitsType AUnitsType = utPx) : Data(AValue), UnitsType(AUnitsType) {}
  static TdxSVGValue Create(float AValue, TdxSVGUnitsType AUnitsType) { return {AValue, AUnitsType}; }
  bool IsEmpty() const { return dxIsSingleZero(Data); }
  // Raises EArgumentException ("TdxSVGValue.ToPixels") for a percentage.
  float ToPixels(float ATargetDPI = 96) const;
  float ToPixels(float AParentSize, float ATargetDPI) const;
};

template <class T>
class TdxSVGList : public std::vector<T> {
 public:
  void Assign(const TdxSVGList<T>& AValues) {
    this->clear();
    this->reserve(AValues.size());
    this->insert(this->end(), AValues.begin(), AValues.end());
  }
};
using TdxSVGValues = TdxSVGList<float>;
using TdxSVGPoints = TdxSVGList<TdxPointF>;

class TdxSVGRect {
 public:
  TdxRectF FValue;
  float GetWidth() const { return FValue.Width(); }
  float GetHeight() const { return FValue.Height(); }
};

// A colour or a reference to a paint server (an element id without "#").
struct TdxSVGFill {
  TdxAlphaColor Color = TdxAlphaColorsDefault;
  String Reference;
  bool IsRef = false;

  static TdxSVGFill Create(TdxAlphaColor AColor) { return TdxSVGFill{AColor, {}, false}; }
  static TdxSVGFill Create(const String& AReference) { return TdxSVGFill{0, AReference, true}; }
  static TdxSVGFill Default() { return Create(TdxAlphaColorsDefault); }
  bool IsDefault() const { return !IsRef && Color == TdxAlphaColorsDefault; }
  bool IsReference() const { return IsRef; }
  // "none" (colour 0) or an empty reference.
  bool IsEmpty() const { return IsRef ? Reference.empty() : Color == 0; }
  TdxAlphaColor AsColor() const { return IsRef ? 0 : Color; }
  String AsReference() const { return IsRef ? Reference : String(); }
  void UpdateReference(const String& AOldID, const String& ANewID);
};

// Case-insensitive comparison of ids and names (ASCII letters only).
bool dxSVGSameText(StringView A, StringView B);
TdxXMLString dxSVGTrim(std::string_view S);

// "0.#####" with a period: at most five decimals, no trailing zeros.
TdxXMLString dxSVGFloatToString(double V);
// The whole (already trimmed) text as a finite number; False otherwise.
bool dxSVGTryStrToFloat(std::string_view S, float& AValue);

class TdxSVGParserNumbers {
 public:
  static std::unique_ptr<TdxSVGValues> AsNumbers(std::string_view S);
  static void AsNumbers(std::string_view S, const std::function<void(float)>& AProc);
  static void AsPoints(std::string_view S, TdxSVGPoints& AList);
  static void AsPoints(std::string_view S, const std::function<void(const TdxPointF&)>& AProc);
};

class TdxSVGParserRect {
 public:
  static TdxRectF Parse(std::string_view S);
};

class TdxSVGParserValue {
 public:
  static const char* const NameMap[7];
  static bool Parse(std::string_view S, TdxSVGValue& AValue);
  // Raises EdxException "Unknown Units Type (%s)" for an unknown suffix.
  static TdxSVGUnitsType StringToUnitsType(std::string_view S);
};

class TdxSVGParserInlineStyle {
 public:
  static void Parse(TdxXMLNode* AStyle, std::string_view S);
};

class TdxSVGFontStyleString {
 public:
  static const char* const NameMap[4];
  static String Build(const String& AName, TFontStyles AStyles, float ASize);
  static bool Parse(std::string_view S, String& AName, TFontStyles& AStyles, float& ASize);
  static bool TryStringToFontStyle(std::string_view S, TFontStyle& AStyle);
};

// ---- Path data -----------------------------------------------------------------------------

class TdxSVGParserPathCommand {
 public:
  virtual ~TdxSVGParserPathCommand() = default;
  virtual void Append(TdxGPPath* APath) {}
  TdxPointF FinishPoint;
};

class TdxSVGParserPathCommandMoveTo : public TdxSVGParserPathCommand {};

class TdxSVGParserPathCommandOpen : public TdxSVGParserPathCommand {
 public:
  void Append(TdxGPPath* APath) override;
};

class TdxSVGParserPathCommandClose : public TdxSVGParserPathCommand {
 public:
  void Append(TdxGPPath* APath) override;
};

class TdxSVGParserPathCommandLine : public TdxSVGParserPathCommand {
 public:
  void Append(TdxGPPath* APath) override;
  TdxPointF StartPoint;
};

class TdxSVGParserPathCommandCurveTo : public TdxSVGParserPathCommand {
 public:
  void Append(TdxGPPath* APath) override;
  TdxPointF StartPoint;
  TdxPointF Point1;
  TdxPointF Point2;
};

class TdxSVGParserPathCommandQuadraticCurveTo : public TdxSVGParserPathCommand {
 public:
  void Append(TdxGPPath* APath) override;
  TdxPointF MiddlePoint;
  TdxPointF StartPoint;
};

class TdxSVGParserPathCommandArc : public TdxSVGParserPathCommand {
 public:
  void Append(TdxGPPath* APath) override;
  float Angle = 0;
  bool LargeArc = false;
  TdxPointF Radius;
  TdxPointF StartPoint;
  bool Sweep = false;
};

class TdxSVGParserPath {
 public:
  TdxSVGParserPath() = default;
  virtual ~TdxSVGParserPath() = default;
  void Parse(std::string_view S);
  int32_t GetCommandCount() const { return static_cast<int32_t>(FCommands.size()); }
  TdxSVGParserPathCommand* GetCommand(int32_t Index) const { return FCommands[Index].get(); }

 private:
  void ProcessCommand(char ALetter, std::string_view AArgs);
  TdxPointF CurrentPoint() const;
  TdxSVGParserPathCommand* LastCommand() const {
    return FCommands.empty() ? nullptr : FCommands.back().get();
  }
  template <class T>
  T* AddCommand();

  TdxSVGValues FBufferNumbers;
  std::vector<std::unique_ptr<TdxSVGParserPathCommand>> FCommands;
  TdxSVGParserPathCommandOpen* FLastOpen = nullptr;
};

// A GDI+ path that keeps the path-data text it was built from.
class TdxSVGPath : public TdxGPPath {
  QD_CLASS(TdxSVGPath, TdxGPPath)

 public:
  TdxSVGPath() = default;
  void FromString(std::string_view S);
  const TdxXMLString& ToString() const { return FCommandLine; }
  // Raises EArgumentException for a source that is not a TdxSVGPath.
  void Assign(TdxGPPath* ASource);

 private:
  TdxXMLString FCommandLine;
};

// ---- Transforms ----------------------------------------------------------------------------

class TdxSVGParserTransform {
 public:
  // Combines the listed transforms into AMatrix, each applied to points before what is there.
  static void Parse(std::string_view S, TdxMatrix& AMatrix);
};

}  // namespace qd
