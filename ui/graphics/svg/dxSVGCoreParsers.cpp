#include "ui/graphics/svg/dxSVGCoreParsers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "ui/core/dxCore.h"

namespace qd {

namespace {

bool SVGParsersIsDigit(char C) {
  return C >= '0' && C <= '9';
}

bool SVGParsersIsAlpha(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

char SVGParsersLower(char C) {
  return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

bool SVGParsersSameTextA(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (SVGParsersLower(A[i]) != SVGParsersLower(B[i])) return false;
  return true;
}

TdxPointF SVGParsersAdd(const TdxPointF& A, const TdxPointF& B) {
  return {A.X + B.X, A.Y + B.Y};
}

// The reflection of P about C, computed as P + (C - P) x 2.
TdxPointF SVGParsersReflect(const TdxPointF& P, const TdxPointF& C) {
  return {P.X + (C.X - P.X) * 2, P.Y + (C.Y - P.Y) * 2};
}

}  // namespace

// ---- Small helpers -------------------------------------------------------------------------

bool dxSVGSameText(StringView A, StringView B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i) {
    Char a = A[i], b = B[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<Char>(a - u'A' + u'a');
    if (b >= u'A' && b <= u'Z') b = static_cast<Char>(b - u'A' + u'a');
    if (a != b) return false;
  }
  return true;
}

TdxXMLString dxSVGTrim(std::string_view S) {
  size_t b = 0, e = S.size();
  while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
  return TdxXMLString(S.substr(b, e - b));
}

namespace {
std::string_view SVGParsersTrimView(std::string_view S) {
  size_t b = 0, e = S.size();
  while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
  return S.substr(b, e - b);
}
}  // namespace

TdxXMLString dxSVGFloatToString(double V) {
  if (!std::isfinite(V)) V = 0;
  char buf[512];
  const int n = std::snprintf(buf, sizeof(buf), "%.5f", V);
  std::string s(buf, n > 0 ? static_cast<size_t>(std::min<int>(n, sizeof(buf) - 1)) : 0);
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

bool dxSVGTryStrToFloat(std::string_view S, float& AValue) {
  if (S.empty()) return false;
  if (S.front() == '+') S.remove_prefix(1);
  if (S.empty() || S.front() == '+') return false;
  // Letters other than an exponent (inf, nan, hexadecimal) are not numbers here.
  for (char c : S)
    if (!(SVGParsersIsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+')) return false;
  double v = 0;
  const auto r = std::from_chars(S.data(), S.data() + S.size(), v);
  if (r.ec != std::errc() || r.ptr != S.data() + S.size() || !std::isfinite(v)) return false;
  if (std::fabs(v) > 3.0e38) return false;
  AValue = static_cast<float>(v);
  return true;
}

// ---- Values --------------------------------------------------------------------------------

float TdxSVGValue::ToPixels(float ATargetDPI) const {
  if (UnitsType == utPercents) throw EArgumentException(u"TdxSVGValue.ToPixels");
  return ToPixels(0, ATargetDPI);
}

float TdxSVGValue::ToPixels(float AParentSize, float ATargetDPI) const {
  const float n = Data;
  switch (UnitsType) {
    case utPx:
      return n;
    case utMm:
      return ATargetDPI * n / 25.4f;
    case utCm:
      return ATargetDPI * n / 2.54f;
    case utIn:
      return ATargetDPI * n;
    case utPc:
      return ATargetDPI * (n * 12 / 72);
    case utPt:
      return ATargetDPI * n / 72;
    case utPercents:
      return n / 100 * AParentSize;
  }
  return n;
}

void TdxSVGFill::UpdateReference(const String& AOldID, const String& ANewID) {
  if (IsRef && dxSVGSameText(Reference, AOldID)) Reference = ANewID;
}

// ---- Numbers -------------------------------------------------------------------------------

void TdxSVGParserNumbers::AsNumbers(std::string_view S, const std::function<void(float)>& AProc) {
  size_t start = 0;
  bool hasPeriod = false;
  auto flush = [&](size_t AEnd) {
    if (AEnd > start) {
      float v;
      if (dxSVGTryStrToFloat(SVGParsersTrimView(S.substr(start, AEnd - start)), v)) AProc(v);
    }
  };
  for (size_t i = 0; i < S.size(); ++i) {
    const char c = S[i];
    const bool afterE = i > start && (S[i - 1] == 'e' || S[i - 1] == 'E');
    if (SVGParsersIsDigit(c) || c == 'e' || c == 'E' || (c == '.' && !hasPeriod) ||
        ((c == '+' || c == '-') && afterE)) {
      if (c == '.') hasPeriod = true;
      continue;
    }
    flush(i);
    if (c == '+' || c == '-' || c == '.') {
      start = i;
      hasPeriod = c == '.';
    } else {
      start = i + 1;
      hasPeriod = false;
    }
  }
  flush(S.size());
}

std::unique_ptr<TdxSVGValues> TdxSVGParserNumbers::AsNumbers(std::string_view S) {
  auto result = std::make_unique<TdxSVGValues>();
  result->reserve(S.size() / 4);
  AsNumbers(S, [&](float v) { result->push_back(v); });
  return result;
}

void TdxSVGParserNumbers::AsPoints(std::string_view S, const std::function<void(const TdxPointF&)>& AProc) {
  bool haveX = false;
  float x = 0;
  AsNumbers(S, [&](float v) {
    if (!haveX) {
      x = v;
      haveX = true;
    } else {
      AProc(TdxPointF(x, v));
      haveX = false;
    }
  });
}

void TdxSVGParserNumbers::AsPoints(std::string_view S, TdxSVGPoints& AList) {
  AList.clear();
  AList.reserve(S.size() / 8);
  AsPoints(S, [&](const TdxPointF& P) { AList.push_back(P); });
}

TdxRectF TdxSVGParserRect::Parse(std::string_view S) {
  std::string text(S);
  const size_t pos = text.find("new");
  if (pos != std::string::npos) text.erase(pos, 3);
  std::vector<float> v;
  TdxSVGParserNumbers::AsNumbers(SVGParsersTrimView(text), [&](float f) {
    if (v.size() < 5) v.push_back(f);
  });
  if (v.size() != 4) return TdxRectF();
  return TdxRectF(v[0], v[1], v[0] + v[2], v[1] + v[3]);
}

// ---- Lengths -------------------------------------------------------------------------------

const char* const TdxSVGParserValue::NameMap[7] = {"px", "mm", "cm", "in", "pc", "pt", "%"};

TdxSVGUnitsType TdxSVGParserValue::StringToUnitsType(std::string_view S) {
  for (int i = 0; i < 7; ++i)
    if (SVGParsersSameTextA(S, NameMap[i])) return static_cast<TdxSVGUnitsType>(i);
  throw EdxException(u"Unknown Units Type (" + dxXMLStringToString(S) + u")");
}

bool TdxSVGParserValue::Parse(std::string_view S, TdxSVGValue& AValue) {
  S = SVGParsersTrimView(S);
  if (S.empty()) return false;
  size_t n = S.size();
  while (n > 0 && !SVGParsersIsDigit(S[n - 1])) --n;
  if (n == 0) return false;
  TdxSVGUnitsType units = utPx;
  if (n < S.size()) {
    try {
      units = StringToUnitsType(S.substr(n));
    } catch (const EdxException&) {
      return false;
    }
  }
  float v;
  if (!dxSVGTryStrToFloat(S.substr(0, n), v)) return false;
  AValue = TdxSVGValue(v, units);
  return true;
}

// ---- Inline styles -------------------------------------------------------------------------

void TdxSVGParserInlineStyle::Parse(TdxXMLNode* AStyle, std::string_view S) {
  size_t start = 0;
  while (start <= S.size()) {
    size_t end = S.find(';', start);
    if (end == std::string_view::npos) end = S.size();
    const std::string_view piece = S.substr(start, end - start);
    const size_t colon = piece.find(':');
    if (colon != std::string_view::npos) {
      const std::string_view name = SVGParsersTrimView(piece.substr(0, colon));
      const std::string_view value = SVGParsersTrimView(piece.substr(colon + 1));
      AStyle->Attributes().SetValue(name, TdxXMLString(value));
    }
    start = end + 1;
  }
}

// ---- Font shorthand ------------------------------------------------------------------------

const char* const TdxSVGFontStyleString::NameMap[4] = {"bold", "italic", "underline", "line-through"};

bool TdxSVGFontStyleString::TryStringToFontStyle(std::string_view S, TFontStyle& AStyle) {
  for (int i = 0; i < 4; ++i)
    if (S == NameMap[i]) {
      AStyle = static_cast<TFontStyle>(i);
      return true;
    }
  return false;
}

bool TdxSVGFontStyleString::Parse(std::string_view S, String& AName, TFontStyles& AStyles, float& ASize) {
  AName.clear();
  AStyles = TFontStyles();
  ASize = 0;
  size_t start = 0;
  while (start <= S.size()) {
    size_t end = S.find_first_of(" /,", start);
    if (end == std::string_view::npos) end = S.size();
    const std::string_view piece = S.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    TFontStyle style;
    TdxSVGValue value;
    if (TryStringToFontStyle(piece, style)) {
      AStyles.Include(style);
    } else if (!TdxSVGParserValue::Parse(piece, value)) {
      AName = dxXMLStringToString(piece);
      break;
    } else if (ASize == 0) {
      ASize = value.ToPixels(0, 96);
    }
  }
  return !AName.empty() && ASize > 0;
}

String TdxSVGFontStyleString::Build(const String& AName, TFontStyles AStyles, float ASize) {
  String s;
  if (AStyles.Contains(fsItalic)) s += u"italic ";
  if (AStyles.Contains(fsBold)) s += u"bold ";
  const double size = std::isfinite(ASize) ? std::clamp<double>(std::trunc(ASize), -2e9, 2e9) : 0;
  s += dxXMLStringToString(std::to_string(static_cast<int64_t>(size))) + u"px ";
  return s + AName;
}

// ---- Path commands -------------------------------------------------------------------------

void TdxSVGParserPathCommandOpen::Append(TdxGPPath* APath) {
  APath->FigureStart();
}

void TdxSVGParserPathCommandClose::Append(TdxGPPath* APath) {
  APath->FigureFinish();
}

void TdxSVGParserPathCommandLine::Append(TdxGPPath* APath) {
  APath->AddLine(StartPoint.X, StartPoint.Y, FinishPoint.X, FinishPoint.Y);
}

void TdxSVGParserPathCommandCurveTo::Append(TdxGPPath* APath) {
  APath->AddBezier(StartPoint, Point1, Point2, FinishPoint);
}

void TdxSVGParserPathCommandQuadraticCurveTo::Append(TdxGPPath* APath) {
  const TdxPointF c1(StartPoint.X + (MiddlePoint.X - StartPoint.X) * 2 / 3,
                     StartPoint.Y + (MiddlePoint.Y - StartPoint.Y) * 2 / 3);
  const TdxPointF c2(FinishPoint.X + (MiddlePoint.X - FinishPoint.X) * 2 / 3,
                     FinishPoint.Y + (MiddlePoint.Y - FinishPoint.Y) * 2 / 3);
  APath->AddBezier(StartPoint, c1, c2, FinishPoint);
}

void TdxSVGParserPathCommandArc::Append(TdxGPPath* APath) {
  const double x1 = StartPoint.X, y1 = StartPoint.Y, x2 = FinishPoint.X, y2 = FinishPoint.Y;
  if (x1 == x2 && y1 == y2) return;
  // Negative radii count as their absolute value; numbers that are not finite draw a line.
  double rx = std::fabs(Radius.X), ry = std::fabs(Radius.Y);
  if (dxIsSingleZero(static_cast<float>(rx)) || dxIsSingleZero(static_cast<float>(ry)) ||
      !std::isfinite(rx * ry) || !std::isfinite(Angle)) {
    APath->AddLine(StartPoint.X, StartPoint.Y, FinishPoint.X, FinishPoint.Y);
    return;
  }
  const double phi = Angle * std::numbers::pi / 180;
  const double cosA = std::cos(phi), sinA = std::sin(phi);
  const double hx = (x1 - x2) / 2, hy = (y1 - y2) / 2;
  const double dx = cosA * hx + sinA * hy;
  const double dy = -sinA * hx + cosA * hy;
  double l = (rx * rx * dy * dy + ry * ry * dx * dx) / (rx * rx * ry * ry);
  double cx = 0, cy = 0;
  if (!(l > 0) || !std::isfinite(l)) {
    APath->AddLine(StartPoint.X, StartPoint.Y, FinishPoint.X, FinishPoint.Y);
    return;
  }
  if (l > 1) {
    rx *= std::sqrt(l);
    ry *= std::sqrt(l);
  } else {
    double g = std::sqrt(std::max(0.0, 1 / l - 1));
    if (Sweep == LargeArc) g = -g;
    cx = rx * dy * g / ry;
    cy = -g * dx * ry / rx;
  }
  auto angle = [](double ux, double uy, double vx, double vy) {
    double a = std::atan2(vy, vx) - std::atan2(uy, ux);
    if (a < 0) a += 2 * std::numbers::pi;
    return a;
  };
  const double v1x = (dx - cx) / rx, v1y = (dy - cy) / ry;
  const double v2x = -(dx + cx) / rx, v2y = -(dy + cy) / ry;
  const double theta1 = angle(1, 0, v1x, v1y);
  double delta = angle(v1x, v1y, v2x, v2y);
  if (!Sweep && delta > 0) delta -= 2 * std::numbers::pi;
  if (Sweep && delta < 0) delta += 2 * std::numbers::pi;
  const double centerX = cosA * cx - sinA * cy + (x1 + x2) / 2;
  const double centerY = sinA * cx + cosA * cy + (y1 + y2) / 2;
  if (!std::isfinite(delta) || !std::isfinite(theta1) || !std::isfinite(centerX + centerY)) {
    APath->AddLine(StartPoint.X, StartPoint.Y, FinishPoint.X, FinishPoint.Y);
    return;
  }
  const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(delta) / (std::numbers::pi / 2) - 1e-5)));
  const double segment = delta / n;
  const double k = 4.0 / 3.0 * std::tan(segment / 4);
  auto point = [&](double t) {
    const double px = rx * std::cos(t), py = ry * std::sin(t);
    return TdxPointF(static_cast<float>(centerX + cosA * px - sinA * py),
                     static_cast<float>(centerY + sinA * px + cosA * py));
  };
  auto derivative = [&](double t) {
    const double px = -rx * std::sin(t), py = ry * std::cos(t);
    return std::pair<double, double>(cosA * px - sinA * py, sinA * px + cosA * py);
  };
  TdxPointF previous = StartPoint;
  double t1 = theta1;
  for (int i = 0; i < n; ++i) {
    const double t2 = t1 + segment;
    const auto d1 = derivative(t1);
    const auto d2 = derivative(t2);
    const TdxPointF end = i == n - 1 ? FinishPoint : point(t2);
    const TdxPointF p1(static_cast<float>(previous.X + k * d1.first),
                       static_cast<float>(previous.Y + k * d1.second));
    const TdxPointF p2(static_cast<float>(end.X - k * d2.first), static_cast<float>(end.Y - k * d2.second));
    APath->AddBezier(previous, p1, p2, end);
    previous = end;
    t1 = t2;
  }
}

// ---- Path parser ---------------------------------------------------------------------------

template <class T>
T* TdxSVGParserPath::AddCommand() {
  auto command = std::make_unique<T>();
  T* result = command.get();
  FCommands.push_back(std::move(command));
  return result;
}

TdxPointF TdxSVGParserPath::CurrentPoint() const {
  return FCommands.empty() ? TdxPointF() : FCommands.back()->FinishPoint;
}

void TdxSVGParserPath::Parse(std::string_view S) {
  FCommands.clear();
  FLastOpen = nullptr;
  size_t start = 0;
  auto process = [&](size_t AEnd) {
    const std::string_view piece = SVGParsersTrimView(S.substr(start, AEnd - start));
    if (!piece.empty() && SVGParsersIsAlpha(piece[0])) ProcessCommand(piece[0], piece.substr(1));
  };
  for (size_t i = 0; i < S.size(); ++i) {
    if (SVGParsersIsAlpha(S[i]) && S[i] != 'e') {
      process(i);
      start = i;
    }
  }
  process(S.size());
}

void TdxSVGParserPath::ProcessCommand(char ALetter, std::string_view AArgs) {
  const char letter = SVGParsersLower(ALetter);
  const bool relative = ALetter == letter;
  FBufferNumbers.clear();
  TdxSVGParserNumbers::AsNumbers(AArgs, [this](float v) { FBufferNumbers.push_back(v); });
  const auto& n = FBufferNumbers;
  const size_t count = n.size();
  auto pointAt = [&](size_t i, const TdxPointF& AOrigin) {
    const TdxPointF p(n[i], n[i + 1]);
    return relative ? SVGParsersAdd(p, AOrigin) : p;
  };
  switch (letter) {
    case 'm': {
      // An m without a point is ignored rather than ending the whole document.
      if (count < 2) return;
      const TdxPointF p = pointAt(0, CurrentPoint());
      AddCommand<TdxSVGParserPathCommandMoveTo>()->FinishPoint = p;
      FLastOpen = AddCommand<TdxSVGParserPathCommandOpen>();
      FLastOpen->FinishPoint = p;
      for (size_t i = 2; i + 1 < count; i += 2) {
        const TdxPointF current = CurrentPoint();
        auto* line = AddCommand<TdxSVGParserPathCommandLine>();
        line->StartPoint = current;
        line->FinishPoint = pointAt(i, current);
      }
      break;
    }
    case 'l':
      for (size_t i = 0; i + 1 < count; i += 2) {
        const TdxPointF current = CurrentPoint();
        auto* line = AddCommand<TdxSVGParserPathCommandLine>();
        line->StartPoint = current;
        line->FinishPoint = pointAt(i, current);
      }
      break;
    case 'h':
    case 'v':
      for (size_t i = 0; i < count; ++i) {
        const TdxPointF current = CurrentPoint();
        auto* line = AddCommand<TdxSVGParserPathCommandLine>();
        line->StartPoint = current;
        if (letter == 'h')
          line->FinishPoint = TdxPointF(relative ? n[i] + current.X : n[i], current.Y);
        else
          line->FinishPoint = TdxPointF(current.X, relative ? n[i] + current.Y : n[i]);
      }
      break;
    case 'c':
      for (size_t i = 0; i + 5 < count; i += 6) {
        const TdxPointF current = CurrentPoint();
        auto* curve = AddCommand<TdxSVGParserPathCommandCurveTo>();
        curve->StartPoint = current;
        curve->Point1 = pointAt(i, current);
        curve->Point2 = pointAt(i + 2, current);
        curve->FinishPoint = pointAt(i + 4, current);
      }
      break;
    case 's':
      for (size_t i = 0; i + 3 < count; i += 4) {
        const TdxPointF current = CurrentPoint();
        auto* previous = dynamic_cast<TdxSVGParserPathCommandCurveTo*>(LastCommand());
        const TdxPointF p1 = previous ? SVGParsersReflect(previous->Point2, current) : current;
        auto* curve = AddCommand<TdxSVGParserPathCommandCurveTo>();
        curve->StartPoint = current;
        curve->Point1 = p1;
        curve->Point2 = pointAt(i, current);
        curve->FinishPoint = pointAt(i + 2, current);
      }
      break;
    case 'q':
      for (size_t i = 0; i + 3 < count; i += 4) {
        const TdxPointF current = CurrentPoint();
        auto* curve = AddCommand<TdxSVGParserPathCommandQuadraticCurveTo>();
        curve->StartPoint = current;
        curve->MiddlePoint = pointAt(i, current);
        curve->FinishPoint = pointAt(i + 2, current);
      }
      break;
    case 't':
      for (size_t i = 0; i + 1 < count; i += 2) {
        const TdxPointF current = CurrentPoint();
        auto* previous = dynamic_cast<TdxSVGParserPathCommandQuadraticCurveTo*>(LastCommand());
        const TdxPointF middle = previous ? SVGParsersReflect(previous->MiddlePoint, current) : current;
        auto* curve = AddCommand<TdxSVGParserPathCommandQuadraticCurveTo>();
        curve->StartPoint = current;
        curve->MiddlePoint = middle;
        curve->FinishPoint = pointAt(i, current);
      }
      break;
    case 'a':
      for (size_t i = 0; i + 6 < count; i += 7) {
        const TdxPointF current = CurrentPoint();
        auto* arc = AddCommand<TdxSVGParserPathCommandArc>();
        arc->StartPoint = current;
        arc->Radius = TdxPointF(n[i], n[i + 1]);
        arc->Angle = n[i + 2];
        arc->LargeArc = n[i + 3] != 0;
        arc->Sweep = n[i + 4] != 0;
        arc->FinishPoint = pointAt(i + 5, current);
      }
      break;
    case 'z': {
      const TdxPointF finish = FLastOpen ? FLastOpen->FinishPoint : CurrentPoint();
      AddCommand<TdxSVGParserPathCommandClose>()->FinishPoint = finish;
      break;
    }
    default:
      break;
  }
}

// ---- TdxSVGPath ----------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxSVGPath)

void TdxSVGPath::FromString(std::string_view S) {
  Reset();
  FCommandLine = TdxXMLString(S);
  if (S.empty()) return;
  TdxSVGParserPath parser;
  parser.Parse(S);
  for (int32_t i = 0; i < parser.GetCommandCount(); ++i) parser.GetCommand(i)->Append(this);
}

void TdxSVGPath::Assign(TdxGPPath* ASource) {
  auto* source = dynamic_cast<TdxSVGPath*>(ASource);
  if (!source) throw EArgumentException(u"Invalid argument");
  if (source == this) return;
  FCommandLine = source->FCommandLine;
  TdxGPPath::Assign(source);
}

// ---- Transforms ----------------------------------------------------------------------------

void TdxSVGParserTransform::Parse(std::string_view S, TdxMatrix& AMatrix) {
  size_t start = 0;
  while (start < S.size()) {
    size_t end = S.find(')', start);
    if (end == std::string_view::npos) end = S.size();
    std::string_view piece = SVGParsersTrimView(S.substr(start, end - start));
    start = end + 1;
    // A comma between transforms belongs to neither.
    while (!piece.empty() && (piece.front() == ',' || static_cast<unsigned char>(piece.front()) <= ' '))
      piece.remove_prefix(1);
    const size_t open = piece.find('(');
    if (open == std::string_view::npos) continue;
    const std::string_view name = SVGParsersTrimView(piece.substr(0, open));
    float a[6];
    int count = 0;
    TdxSVGParserNumbers::AsNumbers(piece.substr(open + 1), [&](float v) {
      if (count < 6) a[count++] = v;
    });
    auto arg = [&](int i, float ADefault) { return i < count ? a[i] : ADefault; };
    XFORM t{1, 0, 0, 1, 0, 0};
    if (name == "matrix") {
      t = XFORM{arg(0, 1), arg(1, 0), arg(2, 0), arg(3, 1), arg(4, 0), arg(5, 0)};
    } else if (name == "rotate") {
      const double r = arg(0, 0) * std::numbers::pi / 180;
      const float c = static_cast<float>(std::cos(r)), s = static_cast<float>(std::sin(r));
      const float cx = arg(1, 0), cy = arg(2, 0);
      t = XFORM{c, s, -s, c, cx - cx * c + cy * s, cy - cx * s - cy * c};
    } else if (name == "scale") {
      const float sx = arg(0, 1);
      t = XFORM{sx, 0, 0, arg(1, sx), 0, 0};
    } else if (name == "skewX") {
      t = XFORM{1, 0, static_cast<float>(std::tan(arg(0, 0) * std::numbers::pi / 180)), 1, 0, 0};
    } else if (name == "skewY") {
      t = XFORM{1, static_cast<float>(std::tan(arg(0, 0) * std::numbers::pi / 180)), 0, 1, 0, 0};
    } else if (name == "translate") {
      t = XFORM{1, 0, 0, 1, arg(0, 0), arg(1, 0)};
    } else {
      continue;
    }
    AMatrix.Multiply(t, moPrepend);
  }
}

}  // namespace qd
