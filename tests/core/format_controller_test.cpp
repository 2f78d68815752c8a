// The format controller: date-time format parsing, the currency format, date edit formats,
// the standard and regular-expression masks for pt-BR and en-US, listeners and the regional
// settings messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/os/nls.h"
#include "platform/os/user.h"
#include "ui/core/cxCalendarTables.h"
#include "ui/core/cxDateUtils.h"
#include "ui/core/cxFormats.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

class FormatControllerTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    savedSettings_ = FormatSettings();
    Use("pt_BR", 0x0416);
    cxDateUtils::Initialize();
    cxFormats::Initialize();
  }
  void TearDown() override {
    cxFormats::Finalize();
    cxDateUtils::Finalize();
    ResetLocaleInfoForTesting();
    SetThreadLocale(LOCALE_USER_DEFAULT);
    FormatSettings() = savedSettings_;
    dxCore::Finalize();
    UiCoreTest::TearDown();
  }

  // The run-time settings and the thread locale of one culture; the controller re-reads them.
  static void Use(const char* ARunTime, LCID ALocale) {
    FormatSettings() = TFormatSettings::Create(ARunTime);
    SetThreadLocale(ALocale);
  }

  static std::string Utf8(const String& s) { return StringToUtf8(s); }

  // "Kind:Data" per item, joined by "|".
  static std::string Describe(const TcxDateTimeFormatInfo& AInfo) {
    static const char* const kinds[] = {"Str", "Year", "Month", "Day",  "Hour", "Min",
                                        "Sec", "MSec", "Sfx",   "DSep", "TSep"};
    std::string r;
    for (int32_t i = 0; i < AInfo.ItemCount(); ++i) {
      if (i) r += "|";
      r += std::string(kinds[AInfo.Items(i).Kind]) + ":" + Utf8(AInfo.Items(i).Data);
    }
    return r;
  }

  std::string Parse(const String& AFormat) {
    TcxDateTimeFormatInfo info;
    cxFormatController()->GetDateTimeFormatInfo(AFormat, info);
    return Describe(info);
  }

  TFormatSettings savedSettings_;
};

TEST_F(FormatControllerTest, ParsesFormatsIntoItems) {
  struct Case {
    const char16_t* format;
    const char* items;
  } cases[] = {
      {u"hh:mm", "Hour:24HH|TSep::|Min:NN"},
      {u"h:mm AM/PM", "Hour:12H|TSep::|Min:NN|Str: |Sfx:AM/PM"},
      {u"h:mm am/pm", "Hour:12H|TSep::|Min:NN|Str: |Sfx:am/pm"},
      {u"H:mm a/p", "Hour:12H|TSep::|Min:NN|Str: |Sfx:a/p"},
      {u"hh:nn:ss.zzz", "Hour:24HH|TSep::|Min:NN|TSep::|Sec:SS|Str:.|MSec:ZZZ"},
      {u"dd/MM/yyyy", "Day:DD|DSep:/|Month:MM|DSep:/|Year:YYYY"},
      {u"yyyy/yy", "Year:YYYY|DSep:/"},
      {u"d 'de' mmmm", "Day:D|Str: de |Month:MMMM"},
      {u"\"at\" e", "Str:at |Year:YY"},
      {u"aaaa, d", "Day:DDDD|Str:, "},
      {u"AM/PM", ""},
      {u"mmmmmm", "Month:MMMM"},
      {u"hhh:mmm", "Hour:24HH|TSep::|Min:NN"},
      {u"ddddd", "Day:DD|DSep:/|Month:MM|DSep:/|Year:YYYY"},
      {u"t", "Hour:24HH|TSep::|Min:NN"},
      {u"g", ""},
      {u"dd/MM gg", ""},
      {u"x", "Str:x"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.format), c.items) << Utf8(c.format);
}

TEST_F(FormatControllerTest, HostileFormatsEndWithoutHarm) {
  // Formats that name each other stop at the nesting limit.
  FormatSettings().ShortDateFormat = u"ddddd";
  FormatSettings().LongDateFormat = u"dddddd c";
  FormatSettings().ShortTimeFormat = u"t";
  cxFormatController()->SetUseRunTimeDateTimeFormats(true);
  FormatSettings().LongTimeFormat = u"tt";
  EXPECT_EQ(Parse(u"c"), "Str: ");
  EXPECT_EQ(Parse(u"dddddd"), "Str:  ");
  static const String longRun(5000, u'y');
  const char16_t* formats[] = {u"'",  u"\"",  u"'abc",  u"\"x'y",       u"AM/P",
                               u"A/", u"dd'", u"::://", longRun.c_str()};
  for (const char16_t* f : formats) {
    TcxDateTimeFormatInfo info;
    cxFormatController()->GetDateTimeFormatInfo(f, info);
    for (int32_t i = 0; i < info.ItemCount(); ++i) EXPECT_LE(info.Items(i).Data.size(), 5000u);
    cxFormatController()->GetStandardMask(info, dtmkDateTime);
    cxFormatController()->GetRegExprMask(info, dtmkDateTime);
    cxDateToStrByFormat(45000, f, 0);
    WCHAR buffer[64];
    SYSTEMTIME st;
    st.wYear = 2024;
    st.wMonth = 1;
    st.wDay = 1;
    GetDateFormatW(0x0409, 0, &st, f, buffer, 64);
  }
  EXPECT_EQ(Parse(u"'abc"), "Str:abc");
  EXPECT_EQ(Utf8(cxDateToStrByFormat(45000, u"dd 'x", u'-')), "15");
}

TEST_F(FormatControllerTest, EmptyFormatIsDateAndLongTime) {
  EXPECT_EQ(Parse(u""),
            "Day:DD|DSep:/|Month:MM|DSep:/|Year:YYYY|Str: |Hour:24HH|TSep::|Min:NN|TSep::|Sec:SS");
  Use("en_US", 0x0409);
  EXPECT_EQ(
      Parse(u"c"),
      "Month:M|DSep:/|Day:D|DSep:/|Year:YYYY|Str: |Hour:12H|TSep::|Min:NN|TSep::|Sec:SS|Str: |Sfx:AMPM");
}

TEST_F(FormatControllerTest, LocaleLongTimeFormatTakesTheSuffix) {
  Use("en_US", 0x0409);
  struct Case {
    const char16_t* locale;
    const char16_t* converted;
  } cases[] = {
      {u"h:mm:ss tt", u"h:mm:ss AMPM"},
      {u"h:mm t", u"h:mm A/P"},
      {u"HH:mm:ss", u"HH:mm:ss"},
      {u"tt h:mm", u"AMPM h:mm"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetLocaleInfoW(0x0409, LOCALE_STIMEFORMAT, c.locale));
    EXPECT_EQ(Utf8(cxFormatController()->GetLongTimeFormat()), Utf8(c.converted));
  }
  cxFormatController()->SetUseRunTimeDateTimeFormats(true);
  FormatSettings().LongTimeFormat = u"hh:nn";
  EXPECT_EQ(Utf8(cxFormatController()->GetLongTimeFormat()), "hh:nn");
}

struct CultureMasks {
  const char* runTime;
  LCID locale;
  const char* currency;
  const char* dateEditFormat;
  const char* standardDate;
  const char* standardDateTime;
  const char* regExprDate;  // before the smart-input alternative
  const char* regExprTime;  // the time part of the date-time mask
  const char* maskedDate;
  const char* maskedDateTime;
};

const char kSmartWords[] =
    "('today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|'Thursday'|'Friday'|'Saturday'|"
    "'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom'";
const char kOffset[] = ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";

TEST_F(FormatControllerTest, CultureFormatsAndMasks) {
  const CultureMasks cultures[] = {
      {"pt_BR", 0x0416, "R$ ,0.00;-R$ ,0.00", "dd/MM/yyyy", "!99/99/9999;1; ", "!99/99/9999\\ 99:99:99;1; ",
       "([012]?[1-9]|[123]0|31)\\/"
       "((0?[1-9]|1[012])|('jan'|'fev'|'mar'|'abr'|'mai'|'jun'|'jul'|'ago'|'set'|'out'|"
       "'nov'|'dez'))\\/\\d\\d\\d\\d",
       "([01]?\\d|2[0-3])\\:[0-5]?\\d\\:[0-5]?\\d", "dd/mm/yyyy", "dd/mm/yyyy' 'hh:nn:ss"},
      {"en_US", 0x0409, "$,0.00;($,0.00)", "MM/dd/yyyy", "!99/99/9999;1; ", "!99/99/9999\\ 99:99:99\\ cc;1; ",
       "((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))\\/"
       "([012]?[1-9]|[123]0|31)\\/\\d\\d\\d\\d",
       "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?", "mm/dd/yyyy",
       "mm/dd/yyyy' 'hh:nn:ss' 'ampm"},
  };
  for (const CultureMasks& c : cultures) {
    SCOPED_TRACE(c.runTime);
    Use(c.runTime, c.locale);
    TcxFormatController* fc = cxFormatController();
    fc->FormatChanged();
    EXPECT_EQ(Utf8(fc->CurrencyFormat()), c.currency);
    EXPECT_EQ(Utf8(fc->DateEditFormat()), c.dateEditFormat);
    EXPECT_EQ(Utf8(fc->StandardDateEditMask()), c.standardDate);
    EXPECT_EQ(Utf8(fc->DateEditMask()), c.standardDate);
    EXPECT_EQ(Utf8(fc->StandardDateTimeEditMask()), c.standardDateTime);
    EXPECT_EQ(Utf8(fc->RegExprDateEditMask()),
              std::string("(") + c.regExprDate + ")|" + kSmartWords + kOffset);
    EXPECT_EQ(Utf8(fc->RegExprDateTimeEditMask()), std::string("(") + c.regExprDate + " ' '(" +
                                                       c.regExprTime + ")?)|" + kSmartWords + "|'now'" +
                                                       kOffset);
    EXPECT_EQ(Utf8(fc->MaskedDateEditFormat()), c.maskedDate);
    EXPECT_EQ(Utf8(fc->MaskedDateTimeEditFormat()), c.maskedDateTime);
  }
}

TEST_F(FormatControllerTest, CurrencyFormatLayouts) {
  struct Case {
    const char16_t* symbol;
    uint8_t decimals, format, negFormat;
    const char* expected;
  } cases[] = {
      {u"R$", 2, 2, 9, "R$ ,0.00;-R$ ,0.00"},     {u"$", 2, 0, 0, "$,0.00;($,0.00)"},
      {u"€", 2, 3, 8, ",0.00 €;-,0.00 €"},        {u"Fr.", 1, 1, 13, ",0.0Fr'.';,0.0- Fr'.'"},
      {u"a,b", 0, 0, 15, "a','b,0.;(,0. a','b)"}, {u"$", 2, 4, 16, ";"},
      {u"$", 2, 0, 12, "$,0.00;$ -,0.00"},
  };
  for (const Case& c : cases) {
    FormatSettings().CurrencyString = c.symbol;
    FormatSettings().CurrencyDecimals = c.decimals;
    FormatSettings().CurrencyFormat = c.format;
    FormatSettings().NegCurrFormat = c.negFormat;
    cxFormatController()->FormatChanged();
    EXPECT_EQ(Utf8(cxFormatController()->CurrencyFormat()), c.expected) << Utf8(c.symbol);
  }
}

TEST_F(FormatControllerTest, DateEditFormats) {
  struct Case {
    const char16_t* shortDate;
    const char* plain;
    const char* masked;
    const char* standardMask;
  } cases[] = {
      {u"d/M/yyyy", "dd/MM/yyyy", "dd/MM/yyyy", "!99/99/9999;1; "},
      {u"dd MMMM yyyy", "dd MMMM yyyy", "dd MMM yyyy", "!99\\ lll\\ 9999;1; "},
      {u"d.M.yy", "dd.MM.yy", "dd.MM.yy", "!99\\.99\\.99;1; "},
      {u"MMMM/MMMM", "MMMM/MMMM", "MMM/MMMM", "!lll/;1; "},
      {u"d 'de' MMMM", "dd 'de' MMMM", "dd 'de' MMM", "!99\\ \\d\\e\\ lll;1; "},
  };
  for (const Case& c : cases) {
    FormatSettings().ShortDateFormat = c.shortDate;
    TcxFormatController* fc = cxFormatController();
    fc->FormatChanged();
    EXPECT_EQ(Utf8(fc->GetDateEditFormat(false)), c.plain);
    EXPECT_EQ(Utf8(fc->GetDateEditFormat(true)), c.masked);
    EXPECT_EQ(Utf8(fc->StandardDateEditMask()), c.standardMask);
  }
}

TEST_F(FormatControllerTest, StandardMaskZones) {
  Use("en_US", 0x0409);
  TcxFormatController* fc = cxFormatController();
  fc->FormatChanged();
  const TcxDateTimeFormatInfo& info = fc->DateTimeFormatInfo();
  // M/d/yyyy h:mm:ss AMPM: "99/99/9999 99:99:99 cc"
  struct Case {
    int32_t pos;
    bool found;
    TcxDateTimeFormatItemKind kind;
    int32_t start, length;
  } cases[] = {
      {0, false, dtikString, 0, 0},      {1, true, dtikMonth, 1, 2},
      {2, true, dtikMonth, 1, 2},        {3, true, dtikDateSeparator, 3, 1},
      {5, true, dtikDay, 4, 2},          {10, true, dtikYear, 7, 4},
      {11, true, dtikString, 11, 1},     {12, true, dtikHour, 12, 2},
      {16, true, dtikMin, 15, 2},        {19, true, dtikSec, 18, 2},
      {21, true, dtikTimeSuffix, 21, 2}, {22, true, dtikTimeSuffix, 21, 2},
      {23, false, dtikString, 0, 0},
  };
  for (const Case& c : cases) {
    TcxDateTimeFormatItemInfo item;
    ASSERT_EQ(fc->GetDateTimeFormatItemStandardMaskInfo(info, c.pos, item), c.found) << c.pos;
    if (!c.found) continue;
    EXPECT_EQ(item.Kind, c.kind) << c.pos;
    EXPECT_EQ(item.ItemZoneStart, c.start) << c.pos;
    EXPECT_EQ(item.ItemZoneLength, c.length) << c.pos;
  }
  TcxDateTimeFormatItemInfo item;
  ASSERT_TRUE(fc->GetDateTimeFormatItemStandardMaskInfo(info, 21, item));
  EXPECT_EQ(item.TimeSuffixKind, tskAMPMString);
  EXPECT_EQ(fc->GetDateTimeStandardMaskStringLength(info), 22);
  TcxDateTimeFormatInfo empty;
  EXPECT_FALSE(fc->GetDateTimeFormatItemStandardMaskInfo(empty, 1, item));
  EXPECT_EQ(fc->GetDateTimeStandardMaskStringLength(empty), 0);

  TcxDateTimeFormatInfo suffixes;
  fc->GetDateTimeFormatInfo(u"h a/p h AM/PM", suffixes);  // only the first suffix is kept
  ASSERT_TRUE(fc->GetDateTimeFormatItemStandardMaskInfo(suffixes, 4, item));
  EXPECT_EQ(item.Kind, dtikTimeSuffix);
  EXPECT_EQ(item.TimeSuffixKind, tskAP);
  EXPECT_EQ(Utf8(fc->GetStandardMask(suffixes, dtmkTime)), "00\\ c\\ \\ ;1;0");
}

TEST_F(FormatControllerTest, CustomRegExprMasks) {
  Use("en_US", 0x0409);
  TcxFormatController* fc = cxFormatController();
  EXPECT_EQ(Utf8(fc->RegExprCustomDateEditMask(u"yy-mmmm")),
            "\\d\\d'-'((0?[1-9]|1[012])|('January'|'February'|'March'|'April'|'May'|'June'|'July'|'August'|"
            "'September'|'October'|'November'|'December'))");
  EXPECT_EQ(Utf8(fc->RegExprCustomDateEditMask(u"dd hh:nn a/p")),
            "([012]?[1-9]|[123]0|31)' '(0?[1-9]|1[012])\\:[0-5]?\\d' '(A|P)?");
  // Literal text with an apostrophe stays one literal of the mask language.
  EXPECT_EQ(Utf8(fc->RegExprCustomDateEditMask(u"\"o'\"yyyy")), "'o'\\'\\d\\d\\d\\d");
  FormatSettings().DateSeparator = u' ';
  EXPECT_EQ(Utf8(fc->RegExprCustomDateEditMask(u"yy/yy")), "\\d\\d' '");
  FormatSettings().TimeAMString = u"";
  FormatSettings().TimePMString = u"pm";
  EXPECT_EQ(Utf8(fc->RegExprCustomDateEditMask(u"h AMPM")), "(0?[1-9]|1[012])' '('pm')?");
  FormatSettings().TimePMString = u"";
  EXPECT_EQ(Utf8(fc->RegExprCustomDateEditMask(u"h AMPM")), "(0?[1-9]|1[012])' '");
}

TEST_F(FormatControllerTest, LongMonthNamesAcceptTheGenitiveForm) {
  // ru-RU writes "5 марта" but names the month "март".
  Use("en_US", 0x0419);
  const char16_t* names[12] = {u"январь", u"февраль", u"март",     u"апрель",  u"май",    u"июнь",
                               u"июль",   u"август",  u"сентябрь", u"октябрь", u"ноябрь", u"декабрь"};
  for (size_t i = 0; i < 12; ++i) FormatSettings().LongMonthNames[i] = names[i];
  const std::string mask = Utf8(cxFormatController()->RegExprCustomDateEditMask(u"d mmmm"));
  EXPECT_NE(mask.find("|('январь'|'января'|'февраль'|'февраля'|'март'|'марта'|"), std::string::npos) << mask;
  EXPECT_NE(mask.find("|'май'|'мая'|"), std::string::npos) << mask;
  EXPECT_NE(mask.find("|'декабрь'|'декабря'))"), std::string::npos) << mask;
  // Names that the system writes the same way are not repeated.
  FormatSettings().LongMonthNames[2] = u"МАРТА";
  EXPECT_NE(Utf8(cxFormatController()->RegExprCustomDateEditMask(u"d mmmm")).find("|'МАРТА'|'апрель'|"),
            std::string::npos);
}

class CountingListener : public IcxFormatControllerListener, public IcxFormatControllerListener2 {
 public:
  void FormatChanged() override { ++formatChanged; }
  void TimeChanged() override { ++timeChanged; }
  int formatChanged = 0;
  int timeChanged = 0;
};

class FormatOnlyListener : public IcxFormatControllerListener {
 public:
  void FormatChanged() override { ++formatChanged; }
  int formatChanged = 0;
};

TEST_F(FormatControllerTest, ListenersAndUpdateLocks) {
  TcxFormatController* fc = cxFormatController();
  CountingListener a;
  FormatOnlyListener b;
  fc->AddListener(&a);
  fc->AddListener(&a);  // no duplicates
  fc->AddListener(&b);
  fc->FormatChanged();
  EXPECT_EQ(a.formatChanged, 1);
  EXPECT_EQ(b.formatChanged, 1);

  fc->BeginUpdate();
  fc->BeginUpdate();
  fc->SetCurrencyFormat(u"x");
  fc->EndUpdate();
  EXPECT_EQ(a.formatChanged, 1);
  fc->EndUpdate();
  EXPECT_EQ(a.formatChanged, 2);

  // An EndUpdate without its BeginUpdate leaves the controller working.
  fc->EndUpdate();
  fc->SetAssignedCurrencyFormat(false);
  EXPECT_EQ(a.formatChanged, 3);
  EXPECT_EQ(Utf8(fc->CurrencyFormat()), "R$ ,0.00;-R$ ,0.00");

  fc->TimeChanged();
  EXPECT_EQ(a.timeChanged, 1);

  fc->RemoveListener(&a);
  fc->FormatChanged();
  EXPECT_EQ(a.formatChanged, 3);
  EXPECT_EQ(b.formatChanged, 4);
  fc->RemoveListener(&b);
}

// A listener that takes another one off the list while it is told.
class RemovingListener : public IcxFormatControllerListener {
 public:
  void FormatChanged() override {
    ++formatChanged;
    cxFormatController()->RemoveListener(other);
    cxFormatController()->RemoveListener(this);
  }
  IcxFormatControllerListener* other = nullptr;
  int formatChanged = 0;
};

TEST_F(FormatControllerTest, ListenerRemovedWhileNotifyingIsNotCalled) {
  TcxFormatController* fc = cxFormatController();
  RemovingListener first;
  auto second = std::make_unique<FormatOnlyListener>();
  first.other = second.get();
  fc->AddListener(&first);
  fc->AddListener(second.get());
  fc->NotifyListeners();
  EXPECT_EQ(first.formatChanged, 1);
  EXPECT_EQ(second->formatChanged, 0);
  second.reset();
  fc->NotifyListeners();
  EXPECT_EQ(first.formatChanged, 1);
}

TEST_F(FormatControllerTest, AssignedValuesSurviveRecalculation) {
  TcxFormatController* fc = cxFormatController();
  CountingListener l;
  fc->AddListener(&l);
  fc->SetStandardDateEditMask(u"!00;1;_");
  EXPECT_TRUE(fc->AssignedStandardDateEditMask());
  EXPECT_EQ(l.formatChanged, 1);
  fc->SetStandardDateEditMask(u"!00;1;_");  // same value: marked, nothing announced
  EXPECT_EQ(l.formatChanged, 1);
  fc->SetRegExprDateEditMask(u"\\d");
  fc->SetRegExprDateTimeEditMask(u"\\d\\d");
  fc->SetStandardDateTimeEditMask(u"!0;1;_");
  FormatSettings().ShortDateFormat = u"yyyy-MM-dd";
  fc->FormatChanged();
  EXPECT_EQ(Utf8(fc->StandardDateEditMask()), "!00;1;_");
  EXPECT_EQ(Utf8(fc->DateEditMask()), "!9999\\-99\\-99;1; ");
  EXPECT_EQ(Utf8(fc->RegExprDateEditMask()), "\\d");
  EXPECT_EQ(Utf8(fc->RegExprDateTimeEditMask()), "\\d\\d");
  EXPECT_EQ(Utf8(fc->StandardDateTimeEditMask()), "!0;1;_");
  fc->SetAssignedStandardDateEditMask(false);
  EXPECT_EQ(Utf8(fc->StandardDateEditMask()), "!9999\\-99\\-99;1; ");

  // The start of the week goes to the week functions.
  const int before = l.formatChanged;
  fc->SetStartOfWeek(dWednesday);
  EXPECT_EQ(dxGetStartOfWeek(), dWednesday);
  EXPECT_TRUE(fc->AssignedStartOfWeek());
  EXPECT_EQ(l.formatChanged, before + 1);
  fc->SetAssignedStartOfWeek(false);
  EXPECT_EQ(fc->StartOfWeek(), dSunday);  // pt-BR
  EXPECT_EQ(l.formatChanged, before + 1);
  fc->RemoveListener(&l);
}

TEST_F(FormatControllerTest, RegionalAndTimeChangesReachTheController) {
  TcxFormatController* fc = cxFormatController();
  CountingListener l;
  fc->AddListener(&l);
  SetUserDefaultLCIDForTesting(0x0409);
  // The system broadcasts these to top-level windows.
  SendMessageW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(u"intl"));
  EXPECT_EQ(l.formatChanged, 1);
  EXPECT_EQ(GetThreadLocale(), 0x0409u);
  EXPECT_EQ(Utf8(fc->LocalFormatSettings().ShortDateFormat), "M/d/yyyy");
  EXPECT_EQ(Utf8(fc->CurrencyFormat()), "$,0.00;($,0.00)");
  SendMessageW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(u"Intl"));
  SendMessageW(HWND_BROADCAST, WM_WININICHANGE, 1, reinterpret_cast<LPARAM>(u"intl"));
  EXPECT_EQ(l.formatChanged, 1);
  EXPECT_EQ(SendMessageW(fc->Handle(), WM_TIMECHANGE, 0, 0), 0);
  EXPECT_EQ(l.timeChanged, 1);
  // A culture the run-time library has no table of its own for takes the locale's values.
  SetUserDefaultLCIDForTesting(0x0411);
  SendMessageW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(u"intl"));
  EXPECT_EQ(l.formatChanged, 2);
  EXPECT_EQ(FormatSettings().ShortDateFormat, GetLocaleStr(0x0411, LOCALE_SSHORTDATE));
  EXPECT_EQ(FormatSettings().LongMonthNames[0], GetLocaleStr(0x0411, LOCALE_SMONTHNAME1));
  EXPECT_NE(FormatSettings().LongMonthNames[0], u"January");
  SetUserDefaultLCIDForTesting(0);
  fc->RemoveListener(&l);
}

TEST_F(FormatControllerTest, FirstControllerIsTheSingletonAndTranslationsRecalculate) {
  TcxFormatController* first = cxFormatController();
  {
    TcxFormatController second;
    EXPECT_EQ(cxFormatController(), first);
  }
  EXPECT_EQ(cxFormatController(), first);
  CountingListener l;
  first->AddListener(&l);
  dxResourceStringsRepository()->NotifyListeners();
  EXPECT_EQ(l.formatChanged, 1);
  first->RemoveListener(&l);
  EXPECT_TRUE(first->LocalIsGregorianCalendar());
}

}  // namespace
}  // namespace qd::testing
