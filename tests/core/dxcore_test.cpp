#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/cxDataConsts.h"
#include "ui/core/cxFilterConsts.h"
#include "ui/core/cxLibraryStrs.h"
#include "ui/core/dxCore.h"
#include "platform/base/exceptions.h"
#include "platform/classes/streams.h"
#include "platform/os/kernel.h"
#include "platform/os/modules.h"

namespace qd {
namespace {

// --- Resource strings --------------------------------------------------------------

const TResStringRec sTestA{u"Alpha"};
const TResStringRec sTestB{u"Beta"};
int gAddCalls = 0;
void AddTestStrings(TdxProductResourceStrings* P) {
  ++gAddCalls;
  P->Add(u"sTestB", &sTestB);
  P->Add(u"sTestA", &sTestA);
  P->Add(u"STESTA", &sTestB);  // same name in other case: ignored
}
void AddMoreStrings(TdxProductResourceStrings* P) {
  ++gAddCalls;
  P->Add(u"scxLockedStateText", &scxLockedStateText);
}

TEST(ResourceStrings, RepositoryRegistration) {
  TdxResourceStringsRepository repo;
  gAddCalls = 0;
  repo.RegisterProduct(u"Test", &AddTestStrings);
  repo.RegisterProduct(u"Test", &AddTestStrings);
  EXPECT_EQ(gAddCalls, 1);
  ASSERT_EQ(repo.ProductsCount(), 1);
  TdxProductResourceStrings* p = repo.Products(0);
  ASSERT_EQ(p->ResStringsCount(), 2);
  EXPECT_EQ(p->Names(0), u"sTestA");  // sorted
  EXPECT_EQ(p->Values(0), u"Alpha");
  EXPECT_EQ(p->GetIndexByName(u"STESTB"), 1);
  EXPECT_EQ(p->GetIndexByName(u"sTestC"), -1);

  repo.RegisterProduct(u"Test", &AddMoreStrings);
  EXPECT_EQ(gAddCalls, 2);
  EXPECT_EQ(p->GetIndexByName(u"SCXLOCKEDSTATETEXT"), 0);
  EXPECT_EQ(repo.GetProductIndexByName(u"Test"), 0);
  EXPECT_EQ(repo.GetProductIndexByName(u"TEST"), -1);
  EXPECT_EQ(repo.GetOriginalValue(u"scxlockedstatetext"), u"Please wait...");
  EXPECT_EQ(repo.GetOriginalValue(u"nothing"), u"");

  repo.UnRegisterProduct(u"Test", &AddMoreStrings);
  EXPECT_EQ(repo.ProductsCount(), 1);
  repo.UnRegisterProduct(u"Test", &AddTestStrings);
  EXPECT_EQ(repo.ProductsCount(), 0);

  repo.RegisterProduct(u"Test", &AddTestStrings);
  repo.RegisterProduct(u"Test", &AddMoreStrings);
  repo.UnRegisterProduct(u"Test");
  EXPECT_EQ(repo.ProductsCount(), 0);
}

TEST(ResourceStrings, TranslateVisitsEveryNameAndListenersHearOnce) {
  TdxResourceStringsRepository repo;
  repo.RegisterProduct(u"One", &AddTestStrings);
  repo.RegisterProduct(u"Two", &AddMoreStrings);

  struct Collector {
    std::vector<String> names;
    void Handle(const String& n, PResStringRec) { names.push_back(n); }
  } c;
  repo.Translate();  // no handler: nothing
  repo.SetOnTranslateResString(MakeMethod(&c, &Collector::Handle));
  repo.Translate();
  EXPECT_EQ(c.names, (std::vector<String>{u"sTestA", u"sTestB", u"scxLockedStateText"}));

  struct Listener : IdxLocalizerListener {
    TdxResourceStringsRepository* repo;
    Listener* other = nullptr;
    int calls = 0;
    void TranslationChanged() override {
      ++calls;
      if (other) repo->RemoveListener(other);
    }
  } l1, l2;
  l1.repo = l2.repo = &repo;
  l1.other = &l2;  // the first listener removes the second while being told
  repo.AddListener(&l1);
  repo.AddListener(&l1);
  repo.AddListener(&l2);
  repo.NotifyListeners();
  EXPECT_EQ(l1.calls, 1);
  EXPECT_EQ(l2.calls, 0);
}

TEST(ResourceStrings, RegisteredTablesAndTranslations) {
  dxCore::Initialize();
  cxLibraryStrs::Initialize();
  cxDataConsts::Initialize();
  cxFilterConsts::Initialize();
  TdxResourceStringsRepository* repo = dxResourceStringsRepository();
  struct Row {
    const char16_t* product;
    int count;
    const char16_t* name;
    const char16_t* text;
  };
  const Row rows[] = {
      {u"BrisvaneLibrary", 28, u"scxCantCreateRegistryKey", u"Can't create the registry key: \\%s"},
      {u"BrisvaneLibrary", 28, u"scxBuiltInLookAndFeelStyles", u"Built-In Look && Feel Styles"},
      {u"BrisvaneLibrary", 28, u"scxQuickCustomizationSortedCommandCaption", u"(Sorted)"},
      {u"BrisvaneDataController", 12, u"cxSDataProviderModeError",
       u"This operation is not supported in provider mode"},
      {u"BrisvaneDataFilter", 50, u"cxSFilterOperatorLessEqual", u"is less than or equal to"},
      {u"BrisvaneDataFilter", 50, u"cxSFilterBoxNonBlanksCaption", u"(NonBlanks)"},
  };
  for (const Row& r : rows) {
    int i = repo->GetProductIndexByName(r.product);
    ASSERT_GE(i, 0) << std::u16string(r.product).size();
    EXPECT_EQ(repo->Products(i)->ResStringsCount(), r.count);
    EXPECT_EQ(repo->GetOriginalValue(r.name), r.text);
  }
  EXPECT_EQ(repo->ProductsCount(), 3);

  // No translation set: the stored text.
  EXPECT_EQ(cxGetResourceString(&cxSDateToday), u"today");
  // A translation keyed by the resource string.
  cxSetResourceString(&cxSDateToday, u"hoje");
  EXPECT_EQ(cxGetResourceString(&cxSDateToday), u"hoje");
  EXPECT_EQ(cxGetResourceString(&cxSDateNow), u"now");
  // Keyed by the stored text: every string with that text is translated.
  cxSetResourceStringNet(u"(All)", u"(Todos)");
  EXPECT_EQ(cxGetResourceString(&cxSFilterBoxAllCaption), u"(Todos)");
  EXPECT_EQ(cxGetResourceString(&scxQuickCustomizationAllCommandCaption), u"(Todos)");
  EXPECT_EQ(cxGetResourceString(&cxSDateToday), u"today");
  cxClearResourceStrings();
  EXPECT_EQ(cxGetResourceString(&cxSFilterBoxAllCaption), u"(All)");

  cxFilterConsts::Finalize();
  EXPECT_EQ(repo->GetProductIndexByName(u"BrisvaneDataFilter"), -1);
  cxDataConsts::Finalize();
  cxLibraryStrs::Finalize();
  dxCore::Finalize();
}

// --- Units loader ------------------------------------------------------------------

std::string gTrace;
void InitA() {
  gTrace += "iA ";
}
void FinA() {
  gTrace += "fA ";
}
void InitB() {
  gTrace += "iB ";
}
void FinB() {
  gTrace += "fB ";
}
void FinC() {
  gTrace += "fC ";
}

TEST(UnitsLoader, InitializesAtOnceAndFinalizesInReverse) {
  gTrace.clear();
  {
    TdxUnitsLoader loader;
    loader.AddUnit(&InitA, &FinA);
    loader.AddUnit(&InitB, &FinB);
    loader.AddUnit(nullptr, &FinC);
    EXPECT_EQ(gTrace, "iA iB ");
    EXPECT_TRUE(loader.IsInitialized());
    loader.RemoveUnit(&FinB);  // listed and initialized: runs now
    loader.RemoveUnit(&FinB);  // no longer listed: nothing
    EXPECT_EQ(gTrace, "iA iB fB ");
  }  // the destructor finalizes
  EXPECT_EQ(gTrace, "iA iB fB fC fA ");

  gTrace.clear();
  TdxUnitsLoader loader;
  loader.AddUnit(nullptr, &FinA);
  loader.Finalize();  // never initialized: the finalizers are dropped without a call
  EXPECT_EQ(gTrace, "");
  EXPECT_TRUE(loader.FinalizeList().empty());
}

// --- Platform flags and helpers ----------------------------------------------------

TEST(PlatformInfo, FlagsFollowTheReportedVersion) {
  struct Row {
    DWORD major, minor, build;
    bool seven, eight, win10, v1809, fallCreators;
  } rows[] = {
      {10, 0, 17763, false, false, true, true, false},  {10, 0, 16299, false, false, true, false, true},
      {10, 0, 17762, false, false, true, false, false}, {6, 1, 7601, true, false, false, false, false},
      {6, 2, 9200, false, true, false, false, false},
  };
  for (const Row& r : rows) {
    os::SetReportedVersion(r.major, r.minor, r.build);
    InitPlatformInfo();
    EXPECT_EQ(IsWinSeven(), r.seven) << r.build;
    EXPECT_EQ(IsWin8(), r.eight) << r.build;
    EXPECT_EQ(IsWin10(), r.win10) << r.build;
    EXPECT_EQ(IsWin10OrLater(), r.win10) << r.build;
    EXPECT_EQ(IsWin10v1809OrNewer(), r.v1809) << r.build;
    EXPECT_EQ(IsWin10FallCreatorsUpdate(), r.fallCreators) << r.build;
    EXPECT_TRUE(IsWinVistaOrLater());
  }
  os::ResetReportedVersion();
  {
    // Without RtlGetVersion nothing tells Windows 10 apart.
    os::ScopedModuleTable saved;
    os::RemoveExport("ntdll.dll", "RtlGetVersion");
    InitPlatformInfo();
    EXPECT_TRUE(IsWin8OrLater());
    EXPECT_FALSE(IsWin10());
  }
  InitPlatformInfo();
}

TEST(PlatformInfo, ReportedWindows10) {
  InitPlatformInfo();
  EXPECT_TRUE(IsWinNT());
  EXPECT_FALSE(IsWin9X());
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_TRUE(IsWinVistaOrLater());
  EXPECT_TRUE(IsWinSevenOrLater());
  EXPECT_FALSE(IsWinSeven());
  EXPECT_TRUE(IsWin8OrLater());
  EXPECT_FALSE(IsWin8());
  EXPECT_TRUE(IsWin10());
  EXPECT_TRUE(IsWin10OrLater());
  EXPECT_TRUE(IsWin10v1809OrNewer());
  EXPECT_FALSE(IsWin10FallCreatorsUpdate());
  EXPECT_FALSE(IsWin64Bit());  // a native 64-bit process is not a WOW64 process
  EXPECT_EQ(dxGetInvariantLocaleID(), 127u);
}

TEST(CoreHelpers, RemoveAccelChars) {
  struct Row {
    const char16_t* in;
    bool underscore;
    const char16_t* out;
  } rows[] = {
      {u"&File", true, u"File"},  {u"A&&B", true, u"A&B"}, {u"Save&", true, u"Save_"},
      {u"Save&", false, u"Save"}, {u"&&&x", true, u"&x"},  {u"a&&", true, u"a&"},
      {u"", true, u""},           {u"&", true, u"_"},      {u"no accel", true, u"no accel"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(RemoveAccelChars(r.in, r.underscore), r.out) << std::u16string(r.in).size();
}

TEST(CoreHelpers, SwapsAndConversions) {
  EXPECT_EQ(dxSwap16(0x1234), 0x3412);
  EXPECT_EQ(dxSwap32(0x12345678u), 0x78563412u);
  EXPECT_EQ(ExchangeLongWords(0x12345678u), 0x56781234u);
  EXPECT_EQ(dxMakeLCID(dxMakeLangID(0x16, 0x01), 0), 0x0416u);
  EXPECT_EQ(dxAnsiStringToString("caf\xE9"), u"café");
  EXPECT_EQ(dxAnsiStringToString("caf\xC3\xA9", 65001), u"café");
  EXPECT_EQ(dxStringToAnsiString(u"café"), "caf\xE9");
  EXPECT_EQ(dxStringToAnsiString(u"café", 65001), "caf\xC3\xA9");
  EXPECT_TRUE(dxSameText(u"Ação", u"AÇÃO"));
  EXPECT_FALSE(dxSameText(u"ab", u"abc"));
  EXPECT_EQ(dxCompareValues(1, 2), -1);
  EXPECT_EQ(dxCompareValues(2.5, 2.5), 0);
  EXPECT_TRUE(dxIsLowerCase(u'ç'));
  EXPECT_FALSE(dxIsLowerCase(u'1'));
}

TEST(CoreHelpers, CharacterTypesFloatsAndStreams) {
  struct Row {
    Char c;
    bool alpha, numeric;
  } rows[] = {{u'A', true, false},
              {u'é', true, false},
              {u'7', false, true},
              {u' ', false, false},
              {u'-', false, false}};
  for (const Row& r : rows) {
    EXPECT_EQ(dxCharIsAlpha(r.c), r.alpha) << static_cast<int>(r.c);
    EXPECT_EQ(dxWideIsNumeric(r.c), r.numeric) << static_cast<int>(r.c);
  }
  EXPECT_NE(dxGetWideCharCType1(u'\t') & 0x20, 0);  // C1_CNTRL

  EXPECT_DOUBLE_EQ(dxStrToFloat(u"1,5", u','), 1.5);
  EXPECT_DOUBLE_EQ(dxStrToFloat(u"-0.25"), -0.25);
  EXPECT_EQ(dxFloatToStr(2.5, u','), u"2,5");
  EXPECT_EQ(dxFloatToStr(2.5), u"2.5");
  EXPECT_THROW(dxStrToFloat(u"1.5", u','), EConvertError);

  TMemoryStream stream;
  WriteIntegerToStream(&stream, 0x01020304);
  WriteIntegerToStream(&stream, -2);
  const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + stream.Size()),
            (std::vector<uint8_t>{4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));

  Variant blob = VarArrayCreate(0, 2, varByte);
  VarArrayPut(blob, Variant(0x63), 0);
  VarArrayPut(blob, Variant(0xE9), 1);
  VarArrayPut(blob, Variant(0x41), 2);
  EXPECT_TRUE(dxVarIsBlob(blob));
  EXPECT_TRUE(dxVarIsBlob(Variant(String(u"x"))));
  EXPECT_FALSE(dxVarIsBlob(Variant(5)));
  EXPECT_EQ(dxVariantToAnsiString(blob),
            "c\xE9"
            "A");
  EXPECT_EQ(dxVariantToString(blob), u"céA");
  EXPECT_EQ(dxVariantToAnsiString(Variant(String(u"é"))), "\xE9");
  EXPECT_EQ(dxVariantToString(Variant(12)), u"12");

  dxCore::Initialize();
  EXPECT_EQ(dxInvariantFormatSettings().DecimalSeparator, u'.');
  dxCore::Finalize();
}

}  // namespace
}  // namespace qd
