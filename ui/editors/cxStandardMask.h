#pragma once
// The standard edit mask: a picture of fixed length in which every position is a literal
// character or a character class, and the conversions between the raw text, the full form
// shown while editing (one character per position, blanks where nothing was entered) and
// the value form that is stored.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/types.h"

namespace qd {

enum TcxCaseControl : uint8_t { ccUpperCase, ccLowerCase, ccUserCase };

class TcxStandardMaskCustomItem {
 public:
  virtual ~TcxStandardMaskCustomItem() = default;
  // Whether the character fits the position; a class item also applies its case control
  // to the character, accepted or not.
  virtual bool Check(Char& AChar) const = 0;
};

class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
 public:
  explicit TcxStandardMaskLiteralItem(Char ALiteral) : FLiteral(ALiteral) {}
  bool Check(Char& AChar) const override { return AChar == FLiteral; }
  Char Literal() const { return FLiteral; }

 private:
  Char FLiteral;
};

// Base of the class items.
class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
 public:
  TcxStandardMaskManyItem(TcxCaseControl ACaseControl, bool AOptional)
      : FCaseControl(ACaseControl), FOptional(AOptional) {}
  bool Check(Char& AChar) const override {
    const bool result = Accepts(AChar);
    DoCaseControl(AChar);
    return result;
  }
  TcxCaseControl CaseControl() const { return FCaseControl; }
  bool Optional() const { return FOptional; }

 protected:
  virtual bool Accepts(Char AChar) const = 0;
  void DoCaseControl(Char& AChar) const;

  TcxCaseControl FCaseControl;
  bool FOptional;
};

// A letter.
class TcxStandardMaskAlphaItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char AChar) const override;
};

// A letter or a digit.
class TcxStandardMaskAlphaNumericItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char AChar) const override;
};

// Any character.
class TcxStandardMaskASCIIItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char) const override { return true; }
};

// A decimal digit.
class TcxStandardMaskNumericItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(Char AChar) const override;
};

// A digit, '+' or '-'; always optional.
class TcxStandardMaskNumericSymbolItem : public TcxStandardMaskManyItem {
 public:
  explicit TcxStandardMaskNumericSymbolItem(TcxCaseControl ACaseControl)
      : TcxStandardMaskManyItem(ACaseControl, true) {}

 protected:
  bool Accepts(Char AChar) const override;
};

class TcxStandardMask {
 public:
  TcxStandardMask() = default;
  TcxStandardMask(const TcxStandardMask&) = delete;
  TcxStandardMask& operator=(const TcxStandardMask&) = delete;

  void Compile(const String& AMask);
  // Raw text to the full form.
  void Format(String& AText, bool AChangeCharCase = true, bool AMatchForBlanksAndLiterals = true) const;
  // Full form to the value form.
  void Format2(String& AText) const;
  // Both apply the items' case control to the characters in place.
  bool IsValid(String& AText) const;
  bool IsFullValid(String& AText) const;

  // A space for each class position and the literals when they are saved.
  String EmptyString() const;
  // Each position's literal or the blank character.
  String FullEmptyString() const;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  const TcxStandardMaskCustomItem* Items(int32_t AIndex) const {
    return FItems.at(static_cast<size_t>(AIndex)).get();
  }
  bool IsLiteral(int32_t AIndex) const;
  const String& Mask() const { return FMask; }
  bool Leading() const { return FLeading; }
  Char Blank() const { return FBlank; }
  bool SaveLiteralCharacters() const { return FSaveLiteralCharacters; }

 private:
  bool IsBlank(Char AChar) const { return AChar == FBlank || AChar == u' '; }
  void DoCompileBody(const String& AMask);

  String FMask;
  std::vector<std::unique_ptr<TcxStandardMaskCustomItem>> FItems;
  bool FLeading = false;
  bool FSaveLiteralCharacters = true;
  Char FBlank = u'_';
};

}  // namespace qd
