#include "ui/core/dxCore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/os/kernel.h"
#include "platform/os/nls.h"

namespace qd {

QD_IMPLEMENT_CLASS(EdxException)

// --- Resource strings --------------------------------------------------------------

namespace {

// How cxGetResourceString finds a translation: by the stored text, by the record, or not
// at all.
enum : int32_t { rsmByText = 0, rsmByRecord = 1, rsmNone = 2 };

struct TResStringsTable {
  int32_t Mode = rsmNone;
  std::vector<String> OriginalTexts;           // rsmByText
  std::vector<PResStringRec> OriginalRecords;  // rsmByRecord
  std::vector<String> Translations;
};

TResStringsTable& ResStringsTable() {
  static TResStringsTable table;
  return table;
}

TdxResourceStringsRepository* FResourceStringsRepository = nullptr;
TdxUnitsLoader* FUnitsLoader = nullptr;

}  // namespace

String LoadResString(PResStringRec AResString) {
  return AResString && AResString->Text ? String(AResString->Text) : String();
}

String cxGetResourceString(PResStringRec AResString) {
  TResStringsTable& t = ResStringsTable();
  ptrdiff_t index = -1;
  if (t.Mode == rsmByText) {
    String text = LoadResString(AResString);
    auto it = std::find(t.OriginalTexts.begin(), t.OriginalTexts.end(), text);
    if (it != t.OriginalTexts.end()) index = it - t.OriginalTexts.begin();
  } else if (t.Mode == rsmByRecord) {
    auto it = std::find(t.OriginalRecords.begin(), t.OriginalRecords.end(), AResString);
    if (it != t.OriginalRecords.end()) index = it - t.OriginalRecords.begin();
  }
  return index < 0 ? LoadResString(AResString) : t.Translations[static_cast<size_t>(index)];
}

void cxSetResourceString(PResStringRec AResString, const String& AValue) {
  TResStringsTable& t = ResStringsTable();
  if (t.Mode != rsmByRecord) {
    cxClearResourceStrings();
    t.Mode = rsmByRecord;
  }
  auto it = std::find(t.OriginalRecords.begin(), t.OriginalRecords.end(), AResString);
  if (it != t.OriginalRecords.end()) {
    t.Translations[static_cast<size_t>(it - t.OriginalRecords.begin())] = AValue;
  } else {
    t.OriginalRecords.push_back(AResString);
    t.Translations.push_back(AValue);
  }
}

void cxSetResourceStringNet(const String& AOriginal, const String& AValue) {
  TResStringsTable& t = ResStringsTable();
  if (t.Mode != rsmByText) {
    cxClearResourceStrings();
    t.Mode = rsmByText;
  }
  auto it = std::find(t.OriginalTexts.begin(), t.OriginalTexts.end(), AOriginal);
  if (it != t.OriginalTexts.end()) {
    t.Translations[static_cast<size_t>(it - t.OriginalTexts.begin())] = AValue;
  } else {
    t.OriginalTexts.push_back(AOriginal);
    t.Translations.push_back(AValue);
  }
}

void cxClearResourceStrings() {
  TResStringsTable& t = ResStringsTable();
  t.Mode = rsmNone;
  t.OriginalTexts.clear();
  t.OriginalTexts.shrink_to_fit();
  t.OriginalRecords.clear();
  t.OriginalRecords.shrink_to_fit();
  t.Translations.clear();
  t.Translations.shrink_to_fit();
}

// TdxProductResourceStrings

TdxProductResourceStrings::TdxProductResourceStrings(const String& AName,
                                                     TdxResourceStringsRepository* ARepository)
    : FName(AName), FRepository(ARepository) {}

void TdxProductResourceStrings::Add(const String& AResStringName, PResStringRec AResString) {
  auto it = std::lower_bound(FResStringNames.begin(), FResStringNames.end(), AResStringName,
                             [](const TEntry& e, const String& n) { return CompareText(e.Name, n) < 0; });
  if (it != FResStringNames.end() && CompareText(it->Name, AResStringName) == 0) return;
  FResStringNames.insert(it, TEntry{AResStringName, AResString});
}

void TdxProductResourceStrings::Clear() {
  FResStringNames.clear();
}

int32_t TdxProductResourceStrings::GetIndexByName(const String& AName) const {
  auto it = std::lower_bound(FResStringNames.begin(), FResStringNames.end(), AName,
                             [](const TEntry& e, const String& n) { return CompareText(e.Name, n) < 0; });
  if (it == FResStringNames.end() || CompareText(it->Name, AName) != 0) return -1;
  return static_cast<int32_t>(it - FResStringNames.begin());
}

void TdxProductResourceStrings::Translate() {
  if (!FRepository || !FRepository->OnTranslateResString()) return;
  // The handler may change the product; walk a copy.
  const std::vector<TEntry> entries = FResStringNames;
  const TdxLocalizerTranslateResStringEvent handler = FRepository->OnTranslateResString();
  for (const TEntry& e : entries) handler(e.Name, e.ResString);
}

bool TdxProductResourceStrings::AddProcedure(TdxAddResourceStringsProcedure AProc) {
  if (!AProc || std::find(FInitializeProcedures.begin(), FInitializeProcedures.end(), AProc) !=
                    FInitializeProcedures.end())
    return false;
  FInitializeProcedures.push_back(AProc);
  AProc(this);
  return true;
}

void TdxProductResourceStrings::RemoveProcedure(TdxAddResourceStringsProcedure AProc) {
  auto it = std::find(FInitializeProcedures.begin(), FInitializeProcedures.end(), AProc);
  if (it != FInitializeProcedures.end()) FInitializeProcedures.erase(it);
}

// TdxResourceStringsRepository

TdxResourceStringsRepository::~TdxResourceStringsRepository() {
  for (TdxProductResourceStrings* p : FProducts) delete p;
}

void TdxResourceStringsRepository::RegisterProduct(const String& AProductName,
                                                   TdxAddResourceStringsProcedure AAddStringsProc) {
  int32_t index = GetProductIndexByName(AProductName);
  TdxProductResourceStrings* product;
  if (index >= 0) {
    product = FProducts[static_cast<size_t>(index)];
  } else {
    product = new TdxProductResourceStrings(AProductName, this);
    FProducts.push_back(product);
  }
  product->AddProcedure(AAddStringsProc);
}

void TdxResourceStringsRepository::UnRegisterProduct(const String& AProductName,
                                                     TdxAddResourceStringsProcedure AAddStringsProc) {
  int32_t index = GetProductIndexByName(AProductName);
  if (index < 0) return;
  if (AAddStringsProc) {
    TdxProductResourceStrings* product = FProducts[static_cast<size_t>(index)];
    product->RemoveProcedure(AAddStringsProc);
    if (product->ProceduresCount() == 0) DeleteProduct(index);
  } else {
    DeleteProduct(index);
  }
}

void TdxResourceStringsRepository::DeleteProduct(int32_t AIndex) {
  delete FProducts[static_cast<size_t>(AIndex)];
  FProducts.erase(FProducts.begin() + AIndex);
}

String TdxResourceStringsRepository::GetOriginalValue(const String& AName) const {
  for (const TdxProductResourceStrings* p : FProducts) {
    int32_t index = p->GetIndexByName(AName);
    if (index >= 0) return p->Values(index);
  }
  return {};
}

void TdxResourceStringsRepository::Translate() {
  if (!FOnTranslateResString) return;
  const std::vector<TdxProductResourceStrings*> products = FProducts;
  for (TdxProductResourceStrings* p : products) p->Translate();
}

void TdxResourceStringsRepository::AddListener(IdxLocalizerListener* AListener) {
  if (std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TdxResourceStringsRepository::RemoveListener(IdxLocalizerListener* AListener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), AListener);
  if (it != FListeners.end()) FListeners.erase(it);
}

void TdxResourceStringsRepository::NotifyListeners() {
  // A listener may remove itself (or another) while being told; a removed listener that
  // has not been told yet is skipped.
  const std::vector<IdxLocalizerListener*> snapshot = FListeners;
  for (IdxLocalizerListener* l : snapshot)
    if (std::find(FListeners.begin(), FListeners.end(), l) != FListeners.end()) l->TranslationChanged();
}

int32_t TdxResourceStringsRepository::GetProductIndexByName(const String& AName) const {
  for (size_t i = 0; i < FProducts.size(); ++i)
    if (FProducts[i]->Name() == AName) return static_cast<int32_t>(i);
  return -1;
}

TdxResourceStringsRepository* dxResourceStringsRepository() {
  if (!FResourceStringsRepository) FResourceStringsRepository = new TdxResourceStringsRepository();
  return FResourceStringsRepository;
}

// --- Units loader ------------------------------------------------------------------

TdxUnitsLoader::~TdxUnitsLoader() {
  Finalize();
}

void TdxUnitsLoader::AddUnit(TdxUnitProcedure AInitializeProc, TdxUnitProcedure AFinalizeProc) {
  if (AInitializeProc) {
    if (!dxIsDLL()) {
      AInitializeProc();
      FIsInitialized = true;
    } else {
      FInitializeList.push_back(AInitializeProc);
    }
  }
  if (AFinalizeProc) FFinalizeList.push_back(AFinalizeProc);
}

void TdxUnitsLoader::RemoveUnit(TdxUnitProcedure AFinalizeProc) {
  auto it = std::find(FFinalizeList.begin(), FFinalizeList.end(), AFinalizeProc);
  if (it == FFinalizeList.end()) return;
  FFinalizeList.erase(it);
  if (FIsInitialized && AFinalizeProc) AFinalizeProc();
}

void TdxUnitsLoader::Initialize() {
  // A start-up procedure may add further units; take the queue as it stands.
  std::vector<TdxUnitProcedure> queue;
  queue.swap(FInitializeList);
  for (TdxUnitProcedure p : queue) p();
  FIsInitialized = true;
}

void TdxUnitsLoader::Finalize() {
  if (FIsInitialized) {
    while (!FFinalizeList.empty()) {
      TdxUnitProcedure p = FFinalizeList.back();
      FFinalizeList.pop_back();
      p();
    }
  }
  FIsInitialized = false;
  FFinalizeList.clear();
}

TdxUnitsLoader* dxUnitsLoader() {
  if (!FUnitsLoader) FUnitsLoader = new TdxUnitsLoader();
  return FUnitsLoader;
}

bool dxIsDLL() {
  return false;
}

// --- Platform information ----------------------------------------------------------

namespace {

constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;

// What the platform reports about itself.
struct TPlatformReport {
  DWORD PlatformId = 0;
  DWORD Major = 0;
  DWORD Minor = 0;
  bool HasRtlVersion = false;  // ntdll's RtlGetVersion answered
  DWORD RtlMajor = 0;
  DWORD RtlMinor = 0;
  DWORD RtlBuild = 0;
  bool Wow64 = false;  // a 32-bit process on a 64-bit system
};

TPlatformReport ReadPlatformVersion() {
  TPlatformReport r;
  OSVERSIONINFOW info;
  info.dwOSVersionInfoSize = sizeof(info);
  if (GetVersionExW(&info)) {
    r.PlatformId = info.dwPlatformId;
    r.Major = info.dwMajorVersion;
    r.Minor = info.dwMinorVersion;
  }
  return r;
}

void ReadRtlVersion(TPlatformReport& r) {
  HMODULE ntdll = LoadLibraryW(u"ntdll.dll");
  if (!ntdll) return;
  using TRtlGetVersion = NTSTATUS (*)(RTL_OSVERSIONINFOW*);
  if (auto rtlGetVersion = reinterpret_cast<TRtlGetVersion>(GetProcAddress(ntdll, "RtlGetVersion"))) {
    RTL_OSVERSIONINFOEXW info;
    info.dwOSVersionInfoSize = sizeof(info);
    if (rtlGetVersion(&info) == STATUS_SUCCESS) {
      r.HasRtlVersion = true;
      r.RtlMajor = info.dwMajorVersion;
      r.RtlMinor = info.dwMinorVersion;
      r.RtlBuild = info.dwBuildNumber;
    }
  }
  FreeLibrary(ntdll);
}

bool ReadWow64() {
  using TIsWow64Process = BOOL (*)(HANDLE, BOOL*);
  auto isWow64Process =
      reinterpret_cast<TIsWow64Process>(GetProcAddress(GetModuleHandleW(u"kernel32.dll"), "IsWow64Process"));
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

struct TPlatformFlags {
  bool Win9X, Win95, Win98, WinMe, WinNT, Win2K, Win2KOrLater, WinXP, WinXPOrLater, Win2KOrXP, WinVista,
      WinVistaOrLater, WinSeven, WinSevenOrLater, Win8, Win8OrLater, Win10, Win10OrLater,
      Win10FallCreatorsUpdate, Win10v1809OrNewer, Win64Bit;
};
TPlatformFlags FFlags{};

}  // namespace

void InitPlatformInfo() {
  TPlatformReport r = ReadPlatformVersion();
  TPlatformFlags& f = FFlags;
  f = {};
  f.Win9X = r.PlatformId == VER_PLATFORM_WIN32_WINDOWS;
  f.Win95 = f.Win9X && r.Minor == 0;
  f.Win98 = f.Win9X && r.Minor == 10;
  f.WinMe = f.Win9X && r.Minor == 90;
  f.WinNT = r.PlatformId == VER_PLATFORM_WIN32_NT;
  f.Win2K = f.WinNT && r.Major == 5 && r.Minor == 0;
  f.Win2KOrLater = f.WinNT && r.Major > 4;
  f.WinXP = f.WinNT && r.Major == 5 && r.Minor > 0;
  f.WinXPOrLater = f.WinNT && r.Major >= 5 && !f.Win2K;
  f.Win2KOrXP = f.Win2K || f.WinXP;
  f.WinVista = f.WinNT && r.Major == 6 && r.Minor == 0;
  f.WinVistaOrLater = f.WinNT && r.Major > 5;
  f.WinSeven = f.WinNT && r.Major == 6 && r.Minor == 1;
  f.WinSevenOrLater = f.WinVistaOrLater && !f.WinVista;
  f.Win8 = f.WinNT && r.Major == 6 && r.Minor == 2;
  f.Win8OrLater = f.WinSevenOrLater && !f.WinSeven;
  if (f.Win8OrLater) ReadRtlVersion(r);
  if (r.HasRtlVersion) {
    f.Win10 = r.RtlMajor == 10 && r.RtlMinor == 0;
    f.Win10OrLater = f.Win10 || r.RtlMajor > 10;
    f.Win10FallCreatorsUpdate = f.Win10 && r.RtlBuild == 16299;
    f.Win10v1809OrNewer = f.Win10 && r.RtlBuild > 17762;
  }
  f.Win64Bit = ReadWow64();
}

bool IsWin9X() {
  return FFlags.Win9X;
}
bool IsWin95() {
  return FFlags.Win95;
}
bool IsWin98() {
  return FFlags.Win98;
}
bool IsWinMe() {
  return FFlags.WinMe;
}
bool IsWinNT() {
  return FFlags.WinNT;
}
bool IsWin2K() {
  return FFlags.Win2K;
}
bool IsWin2KOrLater() {
  return FFlags.Win2KOrLater;
}
bool IsWinXP() {
  return FFlags.WinXP;
}
bool IsWinXPOrLater() {
  return FFlags.WinXPOrLater;
}
bool IsWin2KOrXP() {
  return FFlags.Win2KOrXP;
}
bool IsWinVista() {
  return FFlags.WinVista;
}
bool IsWinVistaOrLater() {
  return FFlags.WinVistaOrLater;
}
bool IsWinSeven() {
  return FFlags.WinSeven;
}
bool IsWinSevenOrLater() {
  return FFlags.WinSevenOrLater;
}
bool IsWin8() {
  return FFlags.Win8;
}
bool IsWin8OrLater() {
  return FFlags.Win8OrLater;
}
bool IsWin10() {
  return FFlags.Win10;
}
bool IsWin10OrLater() {
  return FFlags.Win10OrLater;
}
bool IsWin10FallCreatorsUpdate() {
  return FFlags.Win10FallCreatorsUpdate;
}
bool IsWin10v1809OrNewer() {
  return FFlags.Win10v1809OrNewer;
}
bool IsWin64Bit() {
  return FFlags.Win64Bit;
}

uint32_t dxGetInvariantLocaleID() {
  return IsWinXPOrLater() ? 127 : dxMakeLCID(dxMakeLangID(0x09, 0x01), 0);
}

namespace {

TFormatSettings& InvariantFormatSettings() {
  static TFormatSettings settings = TFormatSettings::Invariant();
  return settings;
}

}  // namespace

const TFormatSettings& dxInvariantFormatSettings() {
  return InvariantFormatSettings();
}

void dxGetLocaleFormatSettings(uint32_t ALocale, TFormatSettings& AFormatSettings) {
  constexpr DWORD LCID_INSTALLED = 1;
  constexpr DWORD LCID_SUPPORTED = 2;
  // A supported locale that is not installed is made the thread's locale while it is read.
  const bool switchLocale = IsValidLocale(ALocale, LCID_SUPPORTED) && !IsValidLocale(ALocale, LCID_INSTALLED);
  const LCID saved = GetThreadLocale();
  if (switchLocale) SetThreadLocale(ALocale);
  if (ALocale == LOCALE_INVARIANT) {
    AFormatSettings = TFormatSettings::Invariant();
  } else {
    AFormatSettings = GetLocaleFormatSettings(ALocale);
  }
  if (switchLocale) SetThreadLocale(saved);
}

String dxGetLocaleInfo(uint32_t ALocale, uint32_t AInfoType, const String& ADefaultValue) {
  const int size = GetLocaleInfoW(ALocale, AInfoType, nullptr, 0);
  if (size <= 0) return ADefaultValue;
  String buffer(static_cast<size_t>(size), u'\0');
  const int n = GetLocaleInfoW(ALocale, AInfoType, buffer.data(), size);
  if (n <= 0) return ADefaultValue;
  buffer.resize(static_cast<size_t>(n - 1));
  return buffer;
}

// --- Conversion, character and memory helpers --------------------------------------

namespace {

// Code page 0 stands for the system's ANSI code page.
uint32_t ResolveCodePage(uint32_t ACodePage) {
  return ACodePage == 0 ? CP_WINDOWS1252 : ACodePage;
}

}  // namespace

String dxAnsiStringToString(const AnsiString& S, uint32_t ACodePage) {
  if (S.empty()) return {};
  return DecodeCodePage(S, ResolveCodePage(ACodePage));
}

AnsiString dxStringToAnsiString(const String& S, uint32_t ACodePage) {
  if (S.empty()) return {};
  return EncodeCodePage(S, ResolveCodePage(ACodePage));
}

bool dxVarIsBlob(const Variant& V) {
  return VarIsStr(V) || (VarIsArray(V) && VarArrayDimCount(V) == 1);
}

AnsiString dxVariantToAnsiString(const Variant& V) {
  if (VarIsArray(V) && VarArrayDimCount(V) == 1) {
    const TBytes bytes = VarArrayToBytes(V);
    return AnsiString(bytes.begin(), bytes.end());
  }
  if (VarType(V) == varString) return V.AsAnsiString();
  return dxStringToAnsiString(VarToStr(V));
}

String dxVariantToString(const Variant& V) {
  if (VarIsStr(V)) return V.AsString();
  return dxAnsiStringToString(dxVariantToAnsiString(V));
}

String RemoveAccelChars(const String& S, bool AAppendUnderscore) {
  String result = S;
  size_t i = 0;
  while (i < result.size()) {
    if (result[i] == u'&') {
      result.erase(i, 1);
      if (i == result.size() && AAppendUnderscore) result.push_back(u'_');
    }
    // The character that moved into the place of a deleted "&" is kept unexamined.
    ++i;
  }
  return result;
}

bool dxGetStringTypeW(uint32_t AInfoType, const Char* ASource, int32_t ACount, uint16_t* ACharType) {
  return GetStringTypeW(AInfoType, ASource, ACount, ACharType) != FALSE;
}

uint16_t dxGetWideCharCType1(Char C) {
  WORD type = 0;
  return dxGetStringTypeW(CT_CTYPE1, &C, 1, &type) ? type : 0;
}

bool dxWideIsAlpha(Char C) {
  return (dxGetWideCharCType1(C) & C1_ALPHA) != 0;
}
bool dxWideIsNumeric(Char C) {
  return (dxGetWideCharCType1(C) & C1_DIGIT) != 0;
}

namespace {

TFormatSettings DecimalOnlySettings(Char ADecimalSeparator) {
  TFormatSettings settings;
  settings.ThousandSeparator = 0;
  settings.DecimalSeparator = ADecimalSeparator;
  return settings;
}

}  // namespace

double dxStrToFloat(const String& S, Char ADecimalSeparator) {
  return StrToFloat(S, DecimalOnlySettings(ADecimalSeparator));
}

String dxFloatToStr(double AValue, Char ADecimalSeparator) {
  return FloatToStr(AValue, DecimalOnlySettings(ADecimalSeparator));
}

void WriteIntegerToStream(TStream* AStream, int32_t AValue) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(AValue), static_cast<uint8_t>(AValue >> 8),
                            static_cast<uint8_t>(AValue >> 16), static_cast<uint8_t>(AValue >> 24)};
  AStream->WriteBuffer(bytes, 4);
}

bool dxSameText(const String& A, const String& B) {
  return A.size() == B.size() && SameText(A, B);
}

bool dxIsLowerCase(Char C) {
  return LoCase(C) == C && UpCase(C) != C;
}

Char dxLowerCase(Char C) {
  return LoCase(C);
}

void cxZeroMemory(void* ADestination, size_t ACount) {
  if (ADestination && ACount) std::memset(ADestination, 0, ACount);
}

void* cxAllocMem(size_t ASize) {
  return ASize ? std::calloc(1, ASize) : nullptr;
}

void cxFreeMem(void* P) {
  std::free(P);
}

void cxCopyData(const void* ASource, void* ADestination, size_t ACount) {
  if (ACount) std::memmove(ADestination, ASource, ACount);
}

// --- Unit start-up and shut-down ---------------------------------------------------

namespace dxCore {

void Initialize() {
  InitPlatformInfo();
  dxGetLocaleFormatSettings(dxGetInvariantLocaleID(), InvariantFormatSettings());
}

void Finalize() {
  delete FResourceStringsRepository;
  FResourceStringsRepository = nullptr;
  cxClearResourceStrings();
  if (dxIsDLL() && FUnitsLoader && !FUnitsLoader->FinalizeList().empty())
    throw EdxException(u"Need call dxFinalize before free library!");
  delete FUnitsLoader;
  FUnitsLoader = nullptr;
}

}  // namespace dxCore

}  // namespace qd
