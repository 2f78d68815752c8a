#include "ui/editors/cxStandardMask.h"

#include <algorithm>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "ui/core/dxCore.h"

namespace qd {

void TcxStandardMaskManyItem::DoCaseControl(Char& AChar) const {
  if (FCaseControl == ccUpperCase)
    AChar = UpCase(AChar);
  else if (FCaseControl == ccLowerCase)
    AChar = LoCase(AChar);
}

bool TcxStandardMaskAlphaItem::Accepts(Char AChar) const {
  return dxCharIsAlpha(AChar);
}

bool TcxStandardMaskAlphaNumericItem::Accepts(Char AChar) const {
  return dxCharIsAlpha(AChar) || dxCharIsNumeric(AChar);
}

bool TcxStandardMaskNumericItem::Accepts(Char AChar) const {
  return dxCharIsNumeric(AChar);
}

bool TcxStandardMaskNumericSymbolItem::Accepts(Char AChar) const {
  return dxCharIsNumeric(AChar) || AChar == u'+' || AChar == u'-';
}

void TcxStandardMask::Compile(const String& AMask) {
  FItems.clear();
  FLeading = false;
  FSaveLiteralCharacters = true;
  FBlank = u'_';
  FMask = AMask;
  String body = AMask;
  if (!body.empty() && body[0] == u'!') {
    FLeading = true;
    body.erase(0, 1);
  }
  DoCompileBody(body);
}

void TcxStandardMask::DoCompileBody(const String& AMask) {
  TcxCaseControl caseControl = ccUserCase;
  auto literal = [this](Char C) { FItems.push_back(std::make_unique<TcxStandardMaskLiteralItem>(C)); };
  for (size_t i = 0; i < AMask.size(); ++i) {
    const Char c = AMask[i];
    switch (c) {
      case u'L':
      case u'l':
        FItems.push_back(std::make_unique<TcxStandardMaskAlphaItem>(caseControl, c == u'l'));
        break;
      case u'A':
      case u'a':
        FItems.push_back(std::make_unique<TcxStandardMaskAlphaNumericItem>(caseControl, c == u'a'));
        break;
      case u'C':
      case u'c':
        FItems.push_back(std::make_unique<TcxStandardMaskASCIIItem>(caseControl, c == u'c'));
        break;
      case u'0':
      case u'9':
        FItems.push_back(std::make_unique<TcxStandardMaskNumericItem>(caseControl, c == u'9'));
        break;
      case u'#':
        FItems.push_back(std::make_unique<TcxStandardMaskNumericSymbolItem>(caseControl));
        break;
      case u'>':
        caseControl = ccUpperCase;
        break;
      case u'<':
        if (i + 1 < AMask.size() && AMask[i + 1] == u'>') {
          caseControl = ccUserCase;
          ++i;
        } else {
          caseControl = ccLowerCase;
        }
        break;
      case u'\\':
        if (i + 1 < AMask.size()) literal(AMask[++i]);
        break;
      case u'/':
        literal(FormatSettings().DateSeparator);
        break;
      case u':':
        literal(FormatSettings().TimeSeparator);
        break;
      case u';': {
        // A tail ";1;_" (literals saved or not, blank character) or ";0" ends the mask.
        const size_t rest = AMask.size() - i - 1;
        const Char flag = rest > 0 ? AMask[i + 1] : Char(0);
        if (rest == 3 && (flag == u'0' || flag == u'1') && AMask[i + 2] == u';') {
          FSaveLiteralCharacters = flag == u'1';
          FBlank = AMask[i + 3];
          return;
        }
        if (rest == 1 && (flag == u'0' || flag == u'1')) {
          FSaveLiteralCharacters = flag == u'1';
          return;
        }
        literal(c);
        break;
      }
      default:
        literal(c);
        break;
    }
  }
}

bool TcxStandardMask::IsLiteral(int32_t AIndex) const {
  return dynamic_cast<const TcxStandardMaskLiteralItem*>(Items(AIndex)) != nullptr;
}

String TcxStandardMask::EmptyString() const {
  String result;
  for (const auto& item : FItems) {
    if (auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(item.get())) {
      if (FSaveLiteralCharacters) result += literal->Literal();
    } else {
      result += u' ';
    }
  }
  return result;
}

String TcxStandardMask::FullEmptyString() const {
  String result;
  for (const auto& item : FItems) {
    auto* literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(item.get());
    result += literal ? literal->Literal() : FBlank;
  }
  return result;
}

void TcxStandardMask::Format(String& AText, bool AChangeCharCase, bool AMatchForBlanksAndLiterals) const {
  String result = FullEmptyString();
  const int32_t count = Count();
  // Without saved literals a text of another length is taken to hold none.
  const bool skipLiterals =
      !FSaveLiteralCharacters && !AMatchForBlanksAndLiterals && AText.size() != result.size();
  const int32_t step = FLeading ? -1 : 1;
  int32_t current = FLeading ? count - 1 : 0;
  const int32_t textCount = static_cast<int32_t>(AText.size());
  for (int32_t t = 0; t < textCount; ++t) {
    const Char c = AText[static_cast<size_t>(FLeading ? textCount - 1 - t : t)];
    for (int32_t j = current; j >= 0 && j < count; j += step) {
      const bool literal = IsLiteral(j);
      if (literal && skipLiterals) continue;
      Char checked = c;
      if (Items(j)->Check(checked)) {
        result[static_cast<size_t>(j)] = AChangeCharCase ? checked : c;
        current = j + step;
        break;
      }
      if (!literal && IsBlank(c)) {
        current = j + step;
        break;
      }
    }
  }
  AText = result;
}

void TcxStandardMask::Format2(String& AText) const {
  String result;
  const size_t count = std::min(AText.size(), FItems.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsLiteral(static_cast<int32_t>(i))) {
      if (FSaveLiteralCharacters) result += AText[i];
    } else {
      result += AText[i] == FBlank ? u' ' : AText[i];
    }
  }
  AText = result;
}

bool TcxStandardMask::IsValid(String& AText) const {
  if (AText.size() > FItems.size()) return false;
  for (size_t i = 0; i < AText.size(); ++i) {
    const Char original = AText[i];
    if (FItems[i]->Check(AText[i])) continue;
    if (!IsBlank(original) || IsLiteral(static_cast<int32_t>(i))) return false;
  }
  return true;
}

bool TcxStandardMask::IsFullValid(String& AText) const {
  if (AText.size() != FItems.size()) return false;
  for (size_t i = 0; i < AText.size(); ++i) {
    const Char original = AText[i];
    if (FItems[i]->Check(AText[i])) continue;
    auto* item = dynamic_cast<const TcxStandardMaskManyItem*>(FItems[i].get());
    if (!IsBlank(original) || !item || !item->Optional()) return false;
  }
  return true;
}

}  // namespace qd
