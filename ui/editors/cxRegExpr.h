#pragma once
// The library's own regular-expression engine. It does not search text: it compiles a
// pattern into a nondeterministic automaton and accepts input one character at a time, so
// that a masked editor can tell after each keystroke whether the character fits, whether
// the text so far is a complete match, step back, and insert the characters the pattern
// forces.
//
// Patterns come from users and stored forms, so compilation is bounded: quantifier bounds
// above cxRegExprMaxQuantifierBound, trees nested deeper than cxRegExprMaxDepth and
// automatons of more than cxRegExprMaxStates states or cxRegExprMaxLinks transitions are
// refused with a compile error. Matching one character costs at most one walk over the
// automaton.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/method.h"
#include "platform/base/types.h"
#include "ui/editors/cxEdit.h"

namespace qd {

class TStream;

// Limits of a compiled pattern.
constexpr int32_t cxRegExprMaxQuantifierBound = 1000;
constexpr int32_t cxRegExprMaxDepth = 1100;
constexpr int32_t cxRegExprMaxStates = 50000;
constexpr int32_t cxRegExprMaxLinks = 1000000;

// --- Lexems ---------------------------------------------------------------------------

enum TcxRegExprLexemCode : uint8_t {
  relcSymbol,
  relcSpecial,
  relcInteger,
  relcAll,
  relcId,
  relcNotId,
  relcDigit,
  relcNotDigit,
  relcSpace,
  relcNotSpace,
  relcReference,
  relcDateSeparator,
  relcTimeSeparator
};

struct TcxLexem {
  int32_t Char = 0;  // character position (1-based within its line)
  TcxRegExprLexemCode Code = relcSymbol;
  int32_t Line = 0;
  String Value;  // the character, the digits of an integer, or the letter of an escape class
};

class TcxLexems {
 public:
  void Add(const TcxLexem& ALexem) { FItems.push_back(ALexem); }
  void Clear() { FItems.clear(); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  const TcxLexem& Items(int32_t AIndex) const { return FItems.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<TcxLexem> FItems;
};

// --- Errors ---------------------------------------------------------------------------

class TcxRegExprError {
 public:
  TcxRegExprError(int32_t ALine, int32_t AChar, const String& AMessage)
      : FLine(ALine), FChar(AChar), FMessage(AMessage) {}
  std::unique_ptr<TcxRegExprError> Clone() const { return std::make_unique<TcxRegExprError>(*this); }
  // "Line1, Char5: <message>"; the bare message for line 0.
  String FullMessage() const;

  int32_t Line() const { return FLine; }
  int32_t Char() const { return FChar; }
  const String& Message() const { return FMessage; }

 private:
  int32_t FLine;
  int32_t FChar;
  String FMessage;
};

class TcxRegExprErrors {
 public:
  void Add(int32_t ALine, int32_t AChar, const String& AMessage) {
    FItems.push_back(std::make_unique<TcxRegExprError>(ALine, AChar, AMessage));
  }
  void Add(std::unique_ptr<TcxRegExprError> AError) { FItems.push_back(std::move(AError)); }
  void Clear() { FItems.clear(); }
  // A deep copy.
  std::unique_ptr<TcxRegExprErrors> Clone() const;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  const TcxRegExprError& Items(int32_t AIndex) const { return *FItems.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<std::unique_ptr<TcxRegExprError>> FItems;
};

// The compile errors of one phase. The exception owns a copy of them, so it stays valid
// after the engine is recompiled or freed. It carries no message text of its own.
class EcxRegExprError : public EcxEditError {
  QD_CLASS(EcxRegExprError, EcxEditError)

 public:
  explicit EcxRegExprError(const TcxRegExprErrors& AErrors);
  EcxRegExprError(const EcxRegExprError& AOther);
  const TcxRegExprErrors& Errors() const { return *FErrors; }

 private:
  std::unique_ptr<TcxRegExprErrors> FErrors;
};

// --- Symbol classes -------------------------------------------------------------------

// What one automaton state accepts. Check may change the token's case (to the item's own
// character) when ACaseInsensitive and ACanChangeCase are both set.
class TcxRegExprItem {
 public:
  virtual ~TcxRegExprItem() = default;
  virtual bool Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const = 0;
  virtual std::unique_ptr<TcxRegExprItem> Clone() const = 0;
};

class TcxRegExprSymbol : public TcxRegExprItem {
 public:
  explicit TcxRegExprSymbol(Char AValue);
  bool Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  Char Value() const { return FValue; }

 private:
  Char FValue;
  Char FUpperValue;
};

// The time separator of the regional format settings at the moment of the check.
class TcxRegExprTimeSeparator : public TcxRegExprItem {
 public:
  bool Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  static Char Value();
};

// The date separator of the regional format settings at the moment of the check.
class TcxRegExprDateSeparator : public TcxRegExprItem {
 public:
  bool Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  static Char Value();
};

// FStartValue <= token <= FFinishValue by code unit; never case-insensitive.
class TcxRegExprSubrange : public TcxRegExprItem {
 public:
  TcxRegExprSubrange(Char AStartValue, Char AFinishValue)
      : FStartValue(AStartValue), FFinishValue(AFinishValue) {}
  bool Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  Char StartValue() const { return FStartValue; }
  Char FinishValue() const { return FFinishValue; }

 private:
  Char FStartValue;
  Char FFinishValue;
};

class TcxRegExprEnumeration : public TcxRegExprItem {
 public:
  explicit TcxRegExprEnumeration(bool AInverse) : FInverse(AInverse) {}
  bool Check(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  bool Inverse() const { return FInverse; }

 protected:
  virtual bool DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const = 0;

  bool FInverse;
};

// A bracket class: its members are tried in order with case-insensitivity off, then, when
// none accepts and ACaseInsensitive is set, once more with it on.
class TcxRegExprUserEnumeration : public TcxRegExprEnumeration {
 public:
  explicit TcxRegExprUserEnumeration(bool AInverse) : TcxRegExprEnumeration(AInverse) {}
  void Add(std::unique_ptr<TcxRegExprItem> AItem) { FItems.push_back(std::move(AItem)); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  const TcxRegExprItem* Items(int32_t AIndex) const { return FItems.at(static_cast<size_t>(AIndex)).get(); }
  std::unique_ptr<TcxRegExprItem> Clone() const override;

 protected:
  bool DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;

 private:
  std::vector<std::unique_ptr<TcxRegExprItem>> FItems;
};

// '0'..'9'
class TcxRegExprDigit : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  static bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

 protected:
  bool DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override {
    return IsDigit(AToken);
  }
};

// 'a'..'z', 'A'..'Z', '0'..'9', '_'
class TcxRegExprIdLetter : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  static bool IsIdLetter(Char C) {
    return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') || (C >= u'0' && C <= u'9') || C == u'_';
  }

 protected:
  bool DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override {
    return IsIdLetter(AToken);
  }
};

// NUL, TAB, LF, FF, CR and space (not VT).
class TcxRegExprSpace : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  std::unique_ptr<TcxRegExprItem> Clone() const override;
  static bool IsSpace(Char C) { return C == 0 || C == 9 || C == 10 || C == 12 || C == 13 || C == 32; }

 protected:
  bool DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override {
    return IsSpace(AToken);
  }
};

// Any token.
class TcxRegExprAll : public TcxRegExprEnumeration {
 public:
  TcxRegExprAll() : TcxRegExprEnumeration(false) {}
  std::unique_ptr<TcxRegExprItem> Clone() const override;

 protected:
  bool DoCheck(Char& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override { return true; }
};

// --- The engine -----------------------------------------------------------------------

using TcxSymbolDeleteEvent = TMethod<void()>;
using TcxSymbolUpdateEvent = TMethod<void(Char ASymbol)>;

class TcxRegExprAutomat;
class TcxRegExprParser;

class TcxRegExpr {
 public:
  TcxRegExpr();
  ~TcxRegExpr();
  TcxRegExpr(const TcxRegExpr&) = delete;
  TcxRegExpr& operator=(const TcxRegExpr&) = delete;

  // Compiles the UTF-8 text of the stream (from its beginning). Raises EcxRegExprError
  // with the errors of the failing phase.
  void Compile(TStream* AStream);
  void Compile(const String& S);
  bool IsCompiled() const { return FCompiled; }

  // Feeds one character; a case-insensitive match may change its case. With UpdateOn the
  // characters the pattern then forces are fed as well (OnSymbolUpdate, one call each).
  bool Next(Char& AToken);
  // Feeds every character, without forced-character completion; yields the accepted ones
  // as they stand in the argument. A rejected character leaves the automaton where it was.
  String NextEx(const String& AString);
  // Steps back one accepted character (with UpdateOn, over the forced characters before
  // it first, OnSymbolDelete for each); false when there is nothing to step back to.
  bool Prev();
  bool IsFinal() const;
  bool IsStart() const;
  void Reset();
  // A dump of the parse tree.
  String Print() const;

  bool CaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool AValue) { FCaseInsensitive = AValue; }
  bool UpdateOn() const { return FUpdateOn; }
  // Switching it on for a compiled expression runs the forced-character completion.
  void SetUpdateOn(bool AValue);
  // The compiled source (UTF-8), nullptr when not compiled.
  TStream* Stream() const;

  const TcxSymbolDeleteEvent& OnSymbolDelete() const { return FOnSymbolDelete; }
  void SetOnSymbolDelete(const TcxSymbolDeleteEvent& AValue) { FOnSymbolDelete = AValue; }
  const TcxSymbolUpdateEvent& OnSymbolUpdate() const { return FOnSymbolUpdate; }
  void SetOnSymbolUpdate(const TcxSymbolUpdateEvent& AValue) { FOnSymbolUpdate = AValue; }

  // The lexems of the last compilation (after a scanner error: those scanned).
  const TcxLexems& Lexems() const { return FLexems; }
  // The errors of the last failed compilation.
  const TcxRegExprErrors& Errors() const { return FErrors; }

 private:
  friend class TcxRegExprAutomat;
  friend class TcxRegExprParser;

  void Clear();
  void CheckCompiled() const {
    if (!FCompiled) RaiseNotCompiled();
  }
  [[noreturn]] static void RaiseNotCompiled();
  [[noreturn]] void RaiseErrors();
  void AddError(int32_t ALine, int32_t AChar, const String& AMessage) { FErrors.Add(ALine, AChar, AMessage); }

  // Scanner.
  bool GetChar(Char& C);
  void AddLexem(TcxRegExprLexemCode ACode, const String& AValue, int32_t ALine, int32_t AChar);
  void ScanExpr();
  void ScanString();
  void ScanEscape();
  void ScanASCII(int32_t ALine, int32_t AChar);
  void ScanClass();
  void ScanQuantifier();

  void DoSymbolDelete();
  void DoSymbolUpdate(Char ASymbol);

  std::unique_ptr<TStream> FStream;
  String FSource;  // the decoded pattern
  size_t FIndex = 0;
  int32_t FLine = 1;
  int32_t FChar = 0;
  TcxLexems FLexems;
  TcxRegExprErrors FErrors;
  std::unique_ptr<TcxRegExprAutomat> FAutomat;
  bool FCompiled = false;
  bool FFirstExpr = true;
  bool FCaseInsensitive = false;
  bool FUpdateOn = false;
  TcxSymbolDeleteEvent FOnSymbolDelete;
  TcxSymbolUpdateEvent FOnSymbolUpdate;
};

}  // namespace qd
