#pragma once
// The format controller: the process-wide authority on regional formats for the library's
// editors (currency display format, date edit formats and the edit masks of date and
// date-time editors in the standard and the regular-expression mask languages), and the
// parser that turns a date-time format string into typed items.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/format.h"
#include "platform/base/types.h"
#include "ui/core/cxCalendarTables.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/dxCore.h"

namespace qd {

enum TcxDateTimeFormatItemKind : uint8_t {
  dtikString,
  dtikYear,
  dtikMonth,
  dtikDay,
  dtikHour,
  dtikMin,
  dtikSec,
  dtikMSec,
  dtikTimeSuffix,
  dtikDateSeparator,
  dtikTimeSeparator
};
constexpr int cxDateTimeFormatItemKindCount = dtikTimeSeparator + 1;

// tskAP: "A/P"; tskAMPM: "AM/PM"; tskAMPMString: "AMPM", the locale's AM and PM texts.
enum TcxTimeSuffixKind : uint8_t { tskAP, tskAMPM, tskAMPMString };

enum TcxDateTimeEditMaskKind : uint8_t { dtmkDate, dtmkTime, dtmkDateTime };

// Data: the text of a literal item; for date and time parts the normalised pattern ("YYYY",
// "MM", "NN"); the hour item's data starts with "12" or "24".
struct TcxDateTimeFormatItem {
  TcxDateTimeFormatItemKind Kind = dtikString;
  String Data;
};

struct TcxDateTimeFormatItemInfo {
  TcxDateTimeFormatItemKind Kind = dtikString;
  int32_t ItemZoneStart = 0;  // 1-based position in the mask text
  int32_t ItemZoneLength = 0;
  TcxTimeSuffixKind TimeSuffixKind = tskAP;
};

// The items of a parsed date-time format, in format order.
class TcxDateTimeFormatInfo {
 public:
  // Literal text joins a literal last item; separators are always added; every other kind
  // only the first time.
  void AddItem(TcxDateTimeFormatItemKind AKind, const String& AData);
  void RemoveItem(int32_t AIndex);
  void ClearItems();
  // Clears the items and every defined-kind flag.
  void ClearFormatInfo();

  int32_t ItemCount() const { return static_cast<int32_t>(FItems.size()); }
  const TcxDateTimeFormatItem& Items(int32_t AIndex) const { return FItems.at(static_cast<size_t>(AIndex)); }
  bool DefinedItems(TcxDateTimeFormatItemKind AKind) const { return FDefinedItems[AKind]; }

 private:
  friend class TcxDateTimeFormatParser;
  std::vector<TcxDateTimeFormatItem> FItems;
  bool FDefinedItems[cxDateTimeFormatItemKindCount] = {};
  bool FHasTimeSuffix = false;
};

class IcxFormatControllerListener {
 public:
  virtual ~IcxFormatControllerListener() = default;
  virtual void FormatChanged() = 0;
};

// A listener that also hears changes of the system time.
class IcxFormatControllerListener2 {
 public:
  virtual ~IcxFormatControllerListener2() = default;
  virtual void TimeChanged() = 0;
};

// The run-time library's global format settings.
class TdxFormatSettings {
 public:
  static uint8_t GetCurrencyDecimals();
  static uint8_t GetCurrencyFormat();
  static String GetCurrencyString();
  static Char GetDateSeparator();
  static String GetLongDateFormat();
  static String GetLongMonthNames(int32_t AIndex);  // 1..12
  static String GetLongTimeFormat();
  static uint8_t GetNegCurrFormat();
  static String GetShortDateFormat();
  static String GetShortMonthNames(int32_t AIndex);  // 1..12
  static String GetShortTimeFormat();
  static String GetTimeAMString();
  static String GetTimePMString();
  static Char GetTimeSeparator();
};
using dxFormatSettings = TdxFormatSettings;

// Follows the regional settings on a hidden window and announces every change of the
// formats to its listeners. cxFormatController() is the process's instance.
class TcxFormatController : public TcxMessageWindow, public IdxLocalizerListener {
  QD_CLASS(TcxFormatController, TcxMessageWindow)

 public:
  TcxFormatController();
  ~TcxFormatController() override;

  virtual void AddListener(IcxFormatControllerListener* AListener);
  virtual void RemoveListener(IcxFormatControllerListener* AListener);

  void BeginUpdate();
  // An EndUpdate without its BeginUpdate is ignored.
  void EndUpdate();
  void FormatChanged();
  void GetFormats();
  void NotifyListeners();
  void TimeChanged();

  // IdxLocalizerListener
  void TranslationChanged() override;

  // Fills AFormatInfo with the items of AFormat ("C" when empty); an unusable format ("g")
  // leaves it empty.
  void GetDateTimeFormatInfo(const String& AFormat, TcxDateTimeFormatInfo& AFormatInfo);
  String GetDateTimeDisplayFormat(TcxDateTimeEditMaskKind AKind);
  String GetDateEditFormat(bool AIsMasked);
  String RegExprCustomDateEditMask(const String& AFormatString);
  // The item whose zone of the standard mask holds the 1-based position APos.
  bool GetDateTimeFormatItemStandardMaskInfo(const TcxDateTimeFormatInfo& AFormatInfo, int32_t APos,
                                             TcxDateTimeFormatItemInfo& AItemInfo);
  int32_t GetDateTimeStandardMaskStringLength(const TcxDateTimeFormatInfo& AFormatInfo);

  // The long time format in use: the run-time one, or the locale's with "tt" as "AMPM".
  String GetLongTimeFormat();
  // The mask texts of a parsed format.
  String GetStandardMask(const TcxDateTimeFormatInfo& AFormatInfo, TcxDateTimeEditMaskKind AKind);
  String GetRegExprMask(const TcxDateTimeFormatInfo& AFormatInfo, TcxDateTimeEditMaskKind AKind);
  String GetMaskedEditDisplayFormat(const TcxDateTimeFormatInfo& AFormatInfo);

  const String& CurrencyFormat() const { return FCurrencyFormat; }
  void SetCurrencyFormat(const String& AValue);
  const String& RegExprDateEditMask() const { return FRegExprDateEditMask; }
  void SetRegExprDateEditMask(const String& AValue);
  const String& RegExprDateTimeEditMask() const { return FRegExprDateTimeEditMask; }
  void SetRegExprDateTimeEditMask(const String& AValue);
  const String& StandardDateEditMask() const { return FStandardDateEditMask; }
  void SetStandardDateEditMask(const String& AValue);
  const String& StandardDateTimeEditMask() const { return FStandardDateTimeEditMask; }
  void SetStandardDateTimeEditMask(const String& AValue);

  bool AssignedCurrencyFormat() const { return FAssignedCurrencyFormat; }
  void SetAssignedCurrencyFormat(bool AValue);
  bool AssignedRegExprDateEditMask() const { return FAssignedRegExprDateEditMask; }
  void SetAssignedRegExprDateEditMask(bool AValue);
  bool AssignedRegExprDateTimeEditMask() const { return FAssignedRegExprDateTimeEditMask; }
  void SetAssignedRegExprDateTimeEditMask(bool AValue);
  bool AssignedStandardDateEditMask() const { return FAssignedStandardDateEditMask; }
  void SetAssignedStandardDateEditMask(bool AValue);
  bool AssignedStandardDateTimeEditMask() const { return FAssignedStandardDateTimeEditMask; }
  void SetAssignedStandardDateTimeEditMask(bool AValue);

  TcxFirstWeekOfYear FirstWeekOfYear() const { return FFirstWeekOfYear; }
  void SetFirstWeekOfYear(TcxFirstWeekOfYear AValue);
  bool UseRunTimeDateTimeFormats() const { return FUseRunTimeDateTimeFormats; }
  void SetUseRunTimeDateTimeFormats(bool AValue);
  TDay StartOfWeek() const;
  void SetStartOfWeek(TDay AValue);
  bool AssignedStartOfWeek() const;
  void SetAssignedStartOfWeek(bool AValue);

  const String& DateEditFormat() const { return FDateEditFormat; }
  const String& DateEditMask() const { return FDateEditMask; }
  const String& MaskedDateEditFormat() const { return FMaskedDateEditFormat; }
  const String& MaskedDateTimeEditFormat() const { return FMaskedDateTimeEditFormat; }
  const TFormatSettings& LocalFormatSettings() const { return FLocalFormatSettings; }
  bool LocalIsGregorianCalendar() const { return FLocalIsGregorianCalendar; }
  const TcxDateTimeFormatInfo& DateFormatInfo() const { return *FDateFormatInfo; }
  const TcxDateTimeFormatInfo& DateTimeFormatInfo() const { return *FDateTimeFormatInfo; }
  const TcxDateTimeFormatInfo& TimeFormatInfo() const { return *FTimeFormatInfo; }

 protected:
  void WndProc(TMessage& AMessage) override;

 private:
  String GetCurrencyFormatText();
  void CalculateDateEditMasks(bool AUseSmartInputWhenRegExpr);
  void UpdateLocalSettings();

  bool FAssignedCurrencyFormat = false;
  bool FAssignedRegExprDateEditMask = false;
  bool FAssignedRegExprDateTimeEditMask = false;
  bool FAssignedStandardDateEditMask = false;
  bool FAssignedStandardDateTimeEditMask = false;
  String FCurrencyFormat;
  String FDateEditFormat;
  String FDateEditMask;
  TcxFirstWeekOfYear FFirstWeekOfYear = fwySystem;
  std::vector<IcxFormatControllerListener*> FList;
  TFormatSettings FLocalFormatSettings;
  bool FLocalIsGregorianCalendar = true;
  int32_t FLockCount = 0;
  String FMaskedDateEditFormat;
  String FMaskedDateTimeEditFormat;
  String FRegExprDateEditMask;
  String FRegExprDateTimeEditMask;
  String FStandardDateEditMask;
  String FStandardDateTimeEditMask;
  bool FUseRunTimeDateTimeFormats = false;
  std::unique_ptr<TcxDateTimeFormatInfo> FDateFormatInfo;
  std::unique_ptr<TcxDateTimeFormatInfo> FDateTimeFormatInfo;
  std::unique_ptr<TcxDateTimeFormatInfo> FTimeFormatInfo;
};

// The process's format controller, created on first use (the first controller constructed
// becomes it) and freed by the unit's shut-down.
TcxFormatController* cxFormatController();

namespace cxFormats {
void Initialize();
// Frees the controller.
void Finalize();
}  // namespace cxFormats

}  // namespace qd
