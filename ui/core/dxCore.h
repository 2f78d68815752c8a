#pragma once
// The library's core unit: translatable resource strings and their repository, the units
// loader, the platform flags, the invariant format settings and small conversion,
// character-class and memory helpers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/method.h"
#include "platform/base/types.h"
#include "platform/base/variant.h"

namespace qd {

class TStream;

// The library's own exception class.
class EdxException : public Exception {
  QD_CLASS(EdxException, Exception)

 public:
  using Exception::Exception;
};

enum TdxDefaultBoolean : uint8_t { bFalse, bTrue, bDefault };

// --- Resource strings --------------------------------------------------------------

// A translatable text of the library. Its address identifies it; Text is the stored
// (untranslated) text.
struct TResStringRec {
  const Char* Text;
};
using PResStringRec = const TResStringRec*;

// The stored text of a resource string ("" for nullptr).
String LoadResString(PResStringRec AResString);

// The translation of a resource string when the translation tables hold one, else its
// stored text.
String cxGetResourceString(PResStringRec AResString);
inline String cxGetResourceString(const TResStringRec& AResString) {
  return cxGetResourceString(&AResString);
}

// Translation tables read by cxGetResourceString. cxSetResourceString keys a translation
// by the resource string itself; cxSetResourceStringNet by its stored text. The last
// setter used decides how translations are looked up. cxClearResourceStrings drops them.
void cxSetResourceString(PResStringRec AResString, const String& AValue);
void cxSetResourceStringNet(const String& AOriginal, const String& AValue);
void cxClearResourceStrings();

class TdxProductResourceStrings;
class TdxResourceStringsRepository;

// Fills a product with its names (TdxProductResourceStrings::Add).
using TdxAddResourceStringsProcedure = void (*)(TdxProductResourceStrings* AProduct);
using TdxLocalizerTranslateResStringEvent =
    TMethod<void(const String& AResStringName, PResStringRec AResString)>;

// Told when the language of the library's texts changes.
class IdxLocalizerListener {
 public:
  virtual ~IdxLocalizerListener() = default;
  virtual void TranslationChanged() = 0;
};

// The resource strings of one product, by name (names ignore case).
class TdxProductResourceStrings {
 public:
  TdxProductResourceStrings(const String& AName, TdxResourceStringsRepository* ARepository);

  // A name already present is ignored.
  void Add(const String& AResStringName, PResStringRec AResString);
  void Clear();
  // Position in the sorted names, -1 when absent; case-insensitive.
  int32_t GetIndexByName(const String& AName) const;
  // Hands every name, in sorted order, to the repository's OnTranslateResString.
  void Translate();

  const String& Name() const { return FName; }
  int32_t ResStringsCount() const { return static_cast<int32_t>(FResStringNames.size()); }
  const String& Names(int32_t AIndex) const { return FResStringNames.at(static_cast<size_t>(AIndex)).Name; }
  PResStringRec ResStrings(int32_t AIndex) const {
    return FResStringNames.at(static_cast<size_t>(AIndex)).ResString;
  }
  // The stored text of the name at AIndex.
  String Values(int32_t AIndex) const { return LoadResString(ResStrings(AIndex)); }

  // Appends the procedure and calls it at once; a procedure already present is neither
  // added nor called again. Yields whether it was added.
  bool AddProcedure(TdxAddResourceStringsProcedure AProc);
  void RemoveProcedure(TdxAddResourceStringsProcedure AProc);
  int32_t ProceduresCount() const { return static_cast<int32_t>(FInitializeProcedures.size()); }

 private:
  struct TEntry {
    String Name;
    PResStringRec ResString;
  };
  String FName;
  TdxResourceStringsRepository* FRepository;
  std::vector<TEntry> FResStringNames;  // sorted by name, ignoring case
  std::vector<TdxAddResourceStringsProcedure> FInitializeProcedures;
};

class TdxResourceStringsRepository {
 public:
  TdxResourceStringsRepository() = default;
  ~TdxResourceStringsRepository();
  TdxResourceStringsRepository(const TdxResourceStringsRepository&) = delete;
  TdxResourceStringsRepository& operator=(const TdxResourceStringsRepository&) = delete;

  void RegisterProduct(const String& AProductName, TdxAddResourceStringsProcedure AAddStringsProc);
  // With a procedure: removes it and the product once it has none left; with nullptr:
  // removes the product at once.
  void UnRegisterProduct(const String& AProductName,
                         TdxAddResourceStringsProcedure AAddStringsProc = nullptr);

  // The stored text of the first product (in registration order) that holds the name.
  String GetOriginalValue(const String& AName) const;
  void Translate();

  void AddListener(IdxLocalizerListener* AListener);
  void RemoveListener(IdxLocalizerListener* AListener);
  void NotifyListeners();

  int32_t ProductsCount() const { return static_cast<int32_t>(FProducts.size()); }
  TdxProductResourceStrings* Products(int32_t AIndex) const {
    return FProducts.at(static_cast<size_t>(AIndex));
  }
  // Exact, case-sensitive; -1 when absent.
  int32_t GetProductIndexByName(const String& AName) const;

  const TdxLocalizerTranslateResStringEvent& OnTranslateResString() const { return FOnTranslateResString; }
  void SetOnTranslateResString(const TdxLocalizerTranslateResStringEvent& AValue) {
    FOnTranslateResString = AValue;
  }

 private:
  void DeleteProduct(int32_t AIndex);

  std::vector<TdxProductResourceStrings*> FProducts;  // owned
  std::vector<IdxLocalizerListener*> FListeners;
  TdxLocalizerTranslateResStringEvent FOnTranslateResString;
};

// The process's repository, created on first use and freed at the core unit's shut-down.
TdxResourceStringsRepository* dxResourceStringsRepository();

// --- Units loader ------------------------------------------------------------------

using TdxUnitProcedure = void (*)();

// Start-up and shut-down procedures of the library's units. In an executable a start-up
// procedure runs as soon as it is added; shut-down procedures run last first.
class TdxUnitsLoader {
 public:
  TdxUnitsLoader() = default;
  ~TdxUnitsLoader();
  TdxUnitsLoader(const TdxUnitsLoader&) = delete;
  TdxUnitsLoader& operator=(const TdxUnitsLoader&) = delete;

  void AddUnit(TdxUnitProcedure AInitializeProc, TdxUnitProcedure AFinalizeProc);
  void RemoveUnit(TdxUnitProcedure AFinalizeProc);
  void Initialize();
  void Finalize();

  bool IsInitialized() const { return FIsInitialized; }
  const std::vector<TdxUnitProcedure>& InitializeList() const { return FInitializeList; }
  const std::vector<TdxUnitProcedure>& FinalizeList() const { return FFinalizeList; }

 private:
  std::vector<TdxUnitProcedure> FFinalizeList;
  std::vector<TdxUnitProcedure> FInitializeList;
  bool FIsInitialized = false;
};

TdxUnitsLoader* dxUnitsLoader();
// The module is a library (never true for this program, which is an executable).
bool dxIsDLL();

// --- Platform information ----------------------------------------------------------

// Computes the flags below from the platform's reported version (the core unit's start-up).
void InitPlatformInfo();

bool IsWin9X();
bool IsWin95();
bool IsWin98();
bool IsWinMe();
bool IsWinNT();
bool IsWin2K();
bool IsWin2KOrLater();
bool IsWinXP();
bool IsWinXPOrLater();
bool IsWin2KOrXP();
bool IsWinVista();
bool IsWinVistaOrLater();
bool IsWinSeven();
bool IsWinSevenOrLater();
bool IsWin8();
bool IsWin8OrLater();
bool IsWin10();
bool IsWin10OrLater();
bool IsWin10FallCreatorsUpdate();
bool IsWin10v1809OrNewer();
bool IsWin64Bit();

// 127 (the invariant locale) on Windows XP and later, else U.S. English with default sorting.
uint32_t dxGetInvariantLocaleID();
inline uint16_t dxMakeLangID(uint16_t APrimaryLanguage, uint16_t ASubLanguage) {
  return static_cast<uint16_t>((ASubLanguage << 10) | APrimaryLanguage);
}
inline uint32_t dxMakeLCID(uint16_t ALanguageID, uint16_t ASortID) {
  return (static_cast<uint32_t>(ASortID) << 16) | ALanguageID;
}

// The format settings of the invariant locale (set by the core unit's start-up).
const TFormatSettings& dxInvariantFormatSettings();
// The platform's format settings of a locale.
void dxGetLocaleFormatSettings(uint32_t ALocale, TFormatSettings& AFormatSettings);
// The locale's information text, or ADefaultValue when the system has none.
String dxGetLocaleInfo(uint32_t ALocale, uint32_t AInfoType, const String& ADefaultValue = {});

// --- Conversion, character and memory helpers --------------------------------------

String dxAnsiStringToString(const AnsiString& S, uint32_t ACodePage = 0);
AnsiString dxStringToAnsiString(const String& S, uint32_t ACodePage = 0);

// A string variant or a one-dimensional array variant.
bool dxVarIsBlob(const Variant& V);
// The bytes of a one-dimensional byte array, the text of a byte-string variant unchanged,
// otherwise the variant's text in the ANSI code page.
AnsiString dxVariantToAnsiString(const Variant& V);
// The text of a string variant; otherwise dxVariantToAnsiString read in the ANSI code page.
String dxVariantToString(const Variant& V);

// Removes the accelerator markers "&" (a doubled "&" leaves one); a final "&" becomes "_"
// when AAppendUnderscore is set.
String RemoveAccelChars(const String& S, bool AAppendUnderscore = true);

// -1, 0 or 1.
template <class T>
int32_t dxCompareValues(const T& A, const T& B) {
  return A < B ? -1 : (B < A ? 1 : 0);
}
// The system's character-type query, and the CT_CTYPE1 flags of one character (0 on
// failure).
bool dxGetStringTypeW(uint32_t AInfoType, const Char* ASource, int32_t ACount, uint16_t* ACharType);
uint16_t dxGetWideCharCType1(Char C);
// The alphabetic flag ($100) and the digit flag (4) of the character type.
bool dxWideIsAlpha(Char C);
bool dxWideIsNumeric(Char C);
inline bool dxCharIsAlpha(Char C) {
  return dxWideIsAlpha(C);
}
inline bool dxCharIsNumeric(Char C) {
  return dxWideIsNumeric(C);
}

// The platform's conversions with format settings in which only the decimal separator is
// set; bad text raises EConvertError.
double dxStrToFloat(const String& S, Char ADecimalSeparator = u'.');
String dxFloatToStr(double AValue, Char ADecimalSeparator = u'.');

// Four bytes, little-endian.
void WriteIntegerToStream(TStream* AStream, int32_t AValue);

// Equal lengths and equal ignoring case.
bool dxSameText(const String& A, const String& B);
inline TdxDefaultBoolean dxBooleanToDefaultBoolean(bool B) {
  return B ? bTrue : bFalse;
}
bool dxIsLowerCase(Char C);
Char dxLowerCase(Char C);
template <class TSetLike>
bool dxCharInSet(Char C, const TSetLike& ASet) {
  for (auto c : ASet)
    if (static_cast<Char>(c) == C) return true;
  return false;
}

inline uint16_t dxSwap16(uint16_t AValue) {
  return static_cast<uint16_t>((AValue >> 8) | (AValue << 8));
}
inline uint32_t dxSwap32(uint32_t AValue) {
  return (AValue >> 24) | ((AValue >> 8) & 0xFF00u) | ((AValue << 8) & 0xFF0000u) | (AValue << 24);
}
// Exchanges the two 16-bit halves of a 32-bit value.
inline uint32_t ExchangeLongWords(uint32_t AValue) {
  return (AValue >> 16) | (AValue << 16);
}
inline void ExchangePointers(void*& A, void*& B) {
  void* t = A;
  A = B;
  B = t;
}
void cxZeroMemory(void* ADestination, size_t ACount);
// Zero-filled; released with cxFreeMem.
void* cxAllocMem(size_t ASize);
void cxFreeMem(void* P);
void cxCopyData(const void* ASource, void* ADestination, size_t ACount);
// Yields its condition and does nothing else.
inline bool dxTestCheck(bool AValue, const String& AMessage = {}) {
  return AValue;
}

// The core unit's start-up and shut-down. The start-up list runs Initialize before any
// other unit of the library and Finalize after all of them.
namespace dxCore {
void Initialize();
void Finalize();
}  // namespace dxCore

}  // namespace qd
