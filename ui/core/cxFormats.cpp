#include "ui/core/cxFormats.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "platform/os/nls.h"
#include "platform/os/user.h"
#include "ui/core/cxDateUtils.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxFormatController)

// --- Format info -------------------------------------------------------------------------

void TcxDateTimeFormatInfo::AddItem(TcxDateTimeFormatItemKind AKind, const String& AData) {
  if (AKind == dtikString) {
    if (!FItems.empty() && FItems.back().Kind == dtikString) {
      FItems.back().Data += AData;
      return;
    }
  } else if (AKind != dtikDateSeparator && AKind != dtikTimeSeparator && FDefinedItems[AKind]) {
    return;
  }
  FItems.push_back({AKind, AData});
  FDefinedItems[AKind] = true;
}

void TcxDateTimeFormatInfo::RemoveItem(int32_t AIndex) {
  FItems.erase(FItems.begin() + AIndex);
}

void TcxDateTimeFormatInfo::ClearItems() {
  FItems.clear();
}

void TcxDateTimeFormatInfo::ClearFormatInfo() {
  ClearItems();
  std::fill(std::begin(FDefinedItems), std::end(FDefinedItems), false);
  FHasTimeSuffix = false;
}

// --- Parser --------------------------------------------------------------------------------

class TcxDateTimeFormatParser {
 public:
  TcxDateTimeFormatParser(TcxFormatController* AController, TcxDateTimeFormatInfo& AInfo)
      : FController(AController), FInfo(AInfo) {}

  // Parses at nesting level ALevel; level 2 and an empty text succeed at once.
  bool Parse(const String& AFormat, int ALevel) {
    if (ALevel == 2 || AFormat.empty()) return true;
    bool hasHour = false, hasSuffix = false;
    Char lastLetter = u' ';
    const size_t len = AFormat.size();
    size_t i = 0;
    auto runLength = [&](size_t AFrom, Char AUpper) {
      size_t j = AFrom;
      while (j < len && UpCase(AFormat[j]) == AUpper) ++j;
      return j - AFrom;
    };
    while (i < len) {
      const Char raw = AFormat[i];
      Char c = UpCase(raw);
      if (c >= u'A' && c <= u'Z') {
        const Char letter = c;
        if (c == u'M' && lastLetter == u'H') c = u'N';
        lastLetter = c;
        const size_t run = runLength(i, letter);
        switch (c) {
          case u'A': {
            const String rest = AFormat.substr(i);
            if (StartsText(u"AM/PM", rest)) {
              FInfo.AddItem(dtikTimeSuffix, rest.substr(0, 5));
              hasSuffix = true;
              i += 5;
            } else if (StartsText(u"A/P", rest)) {
              FInfo.AddItem(dtikTimeSuffix, rest.substr(0, 3));
              hasSuffix = true;
              i += 3;
            } else if (StartsText(u"AMPM", rest)) {
              FInfo.AddItem(dtikTimeSuffix, u"AMPM");
              hasSuffix = true;
              i += 4;
            } else if (run == 3 || run == 4) {
              FInfo.AddItem(dtikDay, String(run, u'D'));
              i += run;
            } else {
              FInfo.AddItem(dtikString, String(1, raw));
              ++i;
            }
            continue;
          }
          case u'C':
            if (!Parse(TdxFormatSettings::GetShortDateFormat(), ALevel + 1)) return false;
            FInfo.AddItem(dtikString, u" ");
            if (!Parse(FController->GetLongTimeFormat(), ALevel + 1)) return false;
            ++i;
            continue;
          case u'D':
            if (run <= 4) {
              FInfo.AddItem(dtikDay, String(run, u'D'));
            } else if (!Parse(run == 5 ? TdxFormatSettings::GetShortDateFormat()
                                       : TdxFormatSettings::GetLongDateFormat(),
                              ALevel + 1)) {
              return false;
            }
            i += run;
            continue;
          case u'E':
          case u'Y':
            FInfo.AddItem(dtikYear, run > 2 ? u"YYYY" : u"YY");
            i += run;
            continue;
          case u'G':
            return false;
          case u'H':
            FInfo.AddItem(dtikHour, String(std::min<size_t>(run, 2), u'H'));
            hasHour = true;
            i += run;
            continue;
          case u'M':
            FInfo.AddItem(dtikMonth, String(std::min<size_t>(run, 4), u'M'));
            i += run;
            continue;
          case u'N':
            FInfo.AddItem(dtikMin, String(std::min<size_t>(run, 2), u'N'));
            i += run;
            continue;
          case u'S':
            FInfo.AddItem(dtikSec, String(std::min<size_t>(run, 2), u'S'));
            i += run;
            continue;
          case u'Z':
            FInfo.AddItem(dtikMSec, String(std::min<size_t>(run, 3), u'Z'));
            i += run;
            continue;
          case u'T':
            if (!Parse(run == 1 ? TdxFormatSettings::GetShortTimeFormat() : FController->GetLongTimeFormat(),
                       ALevel + 1))
              return false;
            i += run;
            continue;
          default:
            FInfo.AddItem(dtikString, String(1, raw));
            ++i;
            continue;
        }
      }
      if (raw == u'\'' || raw == u'"') {
        size_t j = AFormat.find(raw, i + 1);
        if (j == String::npos) j = len;
        if (j > i + 1) FInfo.AddItem(dtikString, AFormat.substr(i + 1, j - i - 1));
        i = j + 1;
      } else if (raw == u'/') {
        FInfo.AddItem(dtikDateSeparator, u"/");
        ++i;
      } else if (raw == u':') {
        FInfo.AddItem(dtikTimeSeparator, u":");
        ++i;
      } else {
        FInfo.AddItem(dtikString, String(1, raw));
        ++i;
      }
    }
    if (hasHour) FInfo.FHasTimeSuffix = hasSuffix;
    return true;
  }

  void PostProcess() {
    if (FInfo.DefinedItems(dtikHour)) {
      for (auto& item : FInfo.FItems)
        if (item.Kind == dtikHour) {
          item.Data = (FInfo.FHasTimeSuffix ? u"12" : u"24") + item.Data;
          break;
        }
    } else {
      for (int32_t i = 0; i < FInfo.ItemCount(); ++i)
        if (FInfo.Items(i).Kind == dtikTimeSuffix) {
          FInfo.RemoveItem(i);
          break;
        }
    }
  }

 private:
  TcxFormatController* FController;
  TcxDateTimeFormatInfo& FInfo;
};

// --- Run-time format settings ------------------------------------------------------------------

uint8_t TdxFormatSettings::GetCurrencyDecimals() {
  return FormatSettings().CurrencyDecimals;
}
uint8_t TdxFormatSettings::GetCurrencyFormat() {
  return FormatSettings().CurrencyFormat;
}
String TdxFormatSettings::GetCurrencyString() {
  return FormatSettings().CurrencyString;
}
Char TdxFormatSettings::GetDateSeparator() {
  return FormatSettings().DateSeparator;
}
String TdxFormatSettings::GetLongDateFormat() {
  return FormatSettings().LongDateFormat;
}
String TdxFormatSettings::GetLongMonthNames(int32_t AIndex) {
  return AIndex >= 1 && AIndex <= 12 ? FormatSettings().LongMonthNames[static_cast<size_t>(AIndex - 1)]
                                     : String();
}
String TdxFormatSettings::GetLongTimeFormat() {
  return FormatSettings().LongTimeFormat;
}
uint8_t TdxFormatSettings::GetNegCurrFormat() {
  return FormatSettings().NegCurrFormat;
}
String TdxFormatSettings::GetShortDateFormat() {
  return FormatSettings().ShortDateFormat;
}
String TdxFormatSettings::GetShortMonthNames(int32_t AIndex) {
  return AIndex >= 1 && AIndex <= 12 ? FormatSettings().ShortMonthNames[static_cast<size_t>(AIndex - 1)]
                                     : String();
}
String TdxFormatSettings::GetShortTimeFormat() {
  return FormatSettings().ShortTimeFormat;
}
String TdxFormatSettings::GetTimeAMString() {
  return FormatSettings().TimeAMString;
}
String TdxFormatSettings::GetTimePMString() {
  return FormatSettings().TimePMString;
}
Char TdxFormatSettings::GetTimeSeparator() {
  return FormatSettings().TimeSeparator;
}

// --- Controller ----------------------------------------------------------------------------------

namespace {

TcxFormatController* FController = nullptr;

TcxTimeSuffixKind SuffixKind(const String& AData) {
  const String upper = UpperCase(AData);
  if (upper == u"A/P") return tskAP;
  if (upper == u"AM/PM") return tskAMPM;
  return tskAMPMString;
}

int32_t AMPMLength() {
  return static_cast<int32_t>(
      std::max(TdxFormatSettings::GetTimeAMString().size(), TdxFormatSettings::GetTimePMString().size()));
}

bool IsDateItem(TcxDateTimeFormatItemKind AKind) {
  return AKind <= dtikDay || AKind == dtikDateSeparator;
}

// A character of the regular-expression mask language.
String RegExprChar(Char AChar) {
  return AChar == u' ' ? String(u"' '") : String(u"\\") + AChar;
}

int32_t StandardMaskZoneLength(const TcxDateTimeFormatItem& AItem) {
  switch (AItem.Kind) {
    case dtikString:
      return static_cast<int32_t>(AItem.Data.size());
    case dtikYear:
      return AItem.Data.size() == 2 ? 2 : 4;
    case dtikMonth:
    case dtikDay:
      return AItem.Data.size() > 2 ? 3 : 2;
    case dtikHour:
    case dtikMin:
    case dtikSec:
      return 2;
    case dtikTimeSuffix:
      switch (SuffixKind(AItem.Data)) {
        case tskAP:
          return 1;
        case tskAMPM:
          return 2;
        default:
          return AMPMLength();
      }
    case dtikDateSeparator:
    case dtikTimeSeparator:
      return 1;
    default:
      return 0;
  }
}

// The month's name as the system writes it after a day number, or the long name when the
// system cannot say.
String GenitiveMonthName(int32_t AMonth) {
  int year, month, day;
  DecodeDate(Date(), year, month, day);
  String text;
  if (cxGetDateFormat(EncodeDate(year, AMonth, 1), text, 0, u"ddMMMM") && text.size() >= 2)
    return text.substr(2);
  return TdxFormatSettings::GetLongMonthNames(AMonth);
}

}  // namespace

TcxFormatController::TcxFormatController()
    : FDateFormatInfo(std::make_unique<TcxDateTimeFormatInfo>()),
      FDateTimeFormatInfo(std::make_unique<TcxDateTimeFormatInfo>()),
      FTimeFormatInfo(std::make_unique<TcxDateTimeFormatInfo>()) {
  // A message-only window hears no broadcasts; regional and time changes are broadcast, so the
  // controller's window is a hidden top-level one.
  if (Handle()) SetParent(Handle(), nullptr);
  GetFormats();
  dxResourceStringsRepository()->AddListener(this);
}

TcxFormatController::~TcxFormatController() {
  dxResourceStringsRepository()->RemoveListener(this);
  if (FController == this) FController = nullptr;
}

void TcxFormatController::AddListener(IcxFormatControllerListener* AListener) {
  if (AListener && std::find(FList.begin(), FList.end(), AListener) == FList.end())
    FList.push_back(AListener);
}

void TcxFormatController::RemoveListener(IcxFormatControllerListener* AListener) {
  FList.erase(std::remove(FList.begin(), FList.end(), AListener), FList.end());
}

void TcxFormatController::BeginUpdate() {
  ++FLockCount;
}

void TcxFormatController::EndUpdate() {
  if (FLockCount == 0) return;
  if (--FLockCount == 0) NotifyListeners();
}

void TcxFormatController::FormatChanged() {
  if (FLockCount != 0) return;
  GetFormats();
  NotifyListeners();
}

void TcxFormatController::TranslationChanged() {
  FormatChanged();
}

void TcxFormatController::NotifyListeners() {
  // A listener may add or remove listeners while it is told.
  const std::vector<IcxFormatControllerListener*> snapshot = FList;
  for (IcxFormatControllerListener* l : snapshot)
    if (std::find(FList.begin(), FList.end(), l) != FList.end()) l->FormatChanged();
}

void TcxFormatController::TimeChanged() {
  const std::vector<IcxFormatControllerListener*> snapshot = FList;
  for (IcxFormatControllerListener* l : snapshot) {
    if (std::find(FList.begin(), FList.end(), l) == FList.end()) continue;
    if (auto* l2 = dynamic_cast<IcxFormatControllerListener2*>(l)) l2->TimeChanged();
  }
}

void TcxFormatController::GetFormats() {
  if (!FController) FController = this;
  if (!FAssignedCurrencyFormat) FCurrencyFormat = GetCurrencyFormatText();
  FDateEditFormat = GetDateEditFormat(false);
  UpdateLocalSettings();
  CalculateDateEditMasks(true);
}

void TcxFormatController::UpdateLocalSettings() {
  FLocalFormatSettings = cxGetLocalFormatSettings();
  FLocalIsGregorianCalendar = cxIsGregorianCalendar(nullptr);
}

String TcxFormatController::GetCurrencyFormatText() {
  const String number = u",0." + String(TdxFormatSettings::GetCurrencyDecimals(), u'0');
  String symbol;
  for (Char c : TdxFormatSettings::GetCurrencyString()) {
    if (c == u',' || c == u'.')
      symbol += String(u"'") + c + u"'";
    else
      symbol += c;
  }
  const String& N = number;
  const String& S = symbol;
  String positive;
  switch (TdxFormatSettings::GetCurrencyFormat()) {
    case 0:
      positive = S + N;
      break;
    case 1:
      positive = N + S;
      break;
    case 2:
      positive = S + u" " + N;
      break;
    case 3:
      positive = N + u" " + S;
      break;
    default:
      break;
  }
  String negative;
  switch (TdxFormatSettings::GetNegCurrFormat()) {
    case 0:
      negative = u"(" + S + N + u")";
      break;
    case 1:
      negative = u"-" + S + N;
      break;
    case 2:
      negative = S + u"-" + N;
      break;
    case 3:
      negative = S + N + u"-";
      break;
    case 4:
      negative = u"(" + N + S + u")";
      break;
    case 5:
      negative = u"-" + N + S;
      break;
    case 6:
      negative = N + u"-" + S;
      break;
    case 7:
      negative = N + S + u"-";
      break;
    case 8:
      negative = u"-" + N + u" " + S;
      break;
    case 9:
      negative = u"-" + S + u" " + N;
      break;
    case 10:
      negative = N + u" " + S + u"-";
      break;
    case 11:
      negative = S + u" " + N + u"-";
      break;
    case 12:
      negative = S + u" -" + N;
      break;
    case 13:
      negative = N + u"- " + S;
      break;
    case 14:
      negative = u"(" + S + u" " + N + u")";
      break;
    case 15:
      negative = u"(" + N + u" " + S + u")";
      break;
    default:
      break;
  }
  return positive + u";" + negative;
}

String TcxFormatController::GetLongTimeFormat() {
  if (FUseRunTimeDateTimeFormats) return TdxFormatSettings::GetLongTimeFormat();
  const String format = cxGetLocalLongTimeFormat();
  String r;
  for (size_t i = 0; i < format.size();) {
    if (format[i] == u't' || format[i] == u'T') {
      size_t j = i;
      while (j < format.size() && (format[j] == u't' || format[j] == u'T')) ++j;
      r += j - i == 1 ? u"A/P" : u"AMPM";
      i = j;
    } else {
      r += format[i++];
    }
  }
  return r;
}

String TcxFormatController::GetDateEditFormat(bool AIsMasked) {
  const String format = TdxFormatSettings::GetShortDateFormat();
  String r;
  bool monthCut = false;
  for (size_t i = 0; i < format.size();) {
    const Char c = format[i];
    if (c == u'\'' || c == u'"') {
      // Quoted text is copied as it is.
      size_t j = format.find(c, i + 1);
      j = j == String::npos ? format.size() : j + 1;
      r.append(format, i, j - i);
      i = j;
      continue;
    }
    size_t j = i;
    while (j < format.size() && format[j] == c) ++j;
    size_t run = j - i;
    if ((c == u'd' || c == u'M') && run == 1) run = 2;
    if (c == u'M' && AIsMasked && !monthCut) {
      monthCut = true;
      run = std::min<size_t>(run, 3);
    }
    r.append(run, c);
    i = j;
  }
  return r;
}

String TcxFormatController::GetDateTimeDisplayFormat(TcxDateTimeEditMaskKind AKind) {
  switch (AKind) {
    case dtmkDate:
      return TdxFormatSettings::GetShortDateFormat();
    case dtmkTime:
      return GetLongTimeFormat();
    default:
      return TdxFormatSettings::GetShortDateFormat() + u" " + GetLongTimeFormat();
  }
}

void TcxFormatController::GetDateTimeFormatInfo(const String& AFormat, TcxDateTimeFormatInfo& AFormatInfo) {
  AFormatInfo.ClearFormatInfo();
  TcxDateTimeFormatParser parser(this, AFormatInfo);
  if (parser.Parse(AFormat.empty() ? String(u"C") : AFormat, 0))
    parser.PostProcess();
  else
    AFormatInfo.ClearFormatInfo();
}

String TcxFormatController::GetStandardMask(const TcxDateTimeFormatInfo& AFormatInfo,
                                            TcxDateTimeEditMaskKind AKind) {
  if (AFormatInfo.ItemCount() == 0) return {};
  String r = AKind != dtmkTime ? u"!" : u"";
  const String hms = AKind == dtmkTime ? u"00" : u"99";
  for (int32_t i = 0; i < AFormatInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AFormatInfo.Items(i);
    switch (item.Kind) {
      case dtikString:
        for (Char c : item.Data) {
          r += u'\\';
          r += c;
        }
        break;
      case dtikYear:
        r += item.Data.size() == 2 ? u"99" : u"9999";
        break;
      case dtikMonth:
      case dtikDay:
        r += item.Data.size() > 2 ? u"lll" : u"99";
        break;
      case dtikHour:
      case dtikMin:
      case dtikSec:
        r += hms;
        break;
      case dtikTimeSuffix:
        switch (SuffixKind(item.Data)) {
          case tskAP:
            r += u"c";
            break;
          case tskAMPM:
            r += u"cc";
            break;
          default:
            r.append(static_cast<size_t>(AMPMLength()), u'c');
            break;
        }
        break;
      case dtikDateSeparator:
        r += u"/";
        break;
      case dtikTimeSeparator:
        r += u":";
        break;
      default:
        break;
    }
  }
  r += AKind == dtmkTime ? u";1;0" : u";1; ";
  return r;
}

String TcxFormatController::GetRegExprMask(const TcxDateTimeFormatInfo& AFormatInfo,
                                           TcxDateTimeEditMaskKind AKind) {
  String r;
  for (int32_t i = 0; i < AFormatInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AFormatInfo.Items(i);
    if (AKind != dtmkTime && IsDateItem(item.Kind)) {
      switch (item.Kind) {
        case dtikString:
          r += cxRegExprQuotedText(item.Data);
          break;
        case dtikYear:
          r += item.Data.size() == 2 ? u"\\d\\d" : u"\\d\\d\\d\\d";
          break;
        case dtikMonth: {
          r += u"((0?[1-9]|1[012])|(";
          const bool longNames = item.Data.size() > 3;
          for (int32_t m = 1; m <= 12; ++m) {
            if (m > 1) r += u"|";
            if (longNames) {
              const String name = TdxFormatSettings::GetLongMonthNames(m);
              r += cxRegExprQuotedText(name);
              const String genitive = GenitiveMonthName(m);
              if (!SameText(genitive, name)) r += u"|" + cxRegExprQuotedText(genitive);
            } else {
              r += cxRegExprQuotedText(TdxFormatSettings::GetShortMonthNames(m));
            }
          }
          r += u"))";
          break;
        }
        case dtikDay:
          r += u"([012]?[1-9]|[123]0|31)";
          break;
        case dtikDateSeparator:
          if (TdxFormatSettings::GetDateSeparator() != 0)
            r += RegExprChar(TdxFormatSettings::GetDateSeparator());
          break;
        default:
          break;
      }
    } else if (AKind != dtmkDate) {
      switch (item.Kind) {
        case dtikString:
          r += cxRegExprQuotedText(item.Data);
          break;
        case dtikHour:
          r += StartsStr(u"12", item.Data) ? u"(0?[1-9]|1[012])" : u"([01]?\\d|2[0-3])";
          break;
        case dtikMin:
        case dtikSec:
          r += u"[0-5]?\\d";
          break;
        case dtikTimeSuffix:
          switch (SuffixKind(item.Data)) {
            case tskAP:
              r += u"(A|P)?";
              break;
            case tskAMPM:
              r += u"(AM|PM)?";
              break;
            default: {
              const String am = TdxFormatSettings::GetTimeAMString(),
                           pm = TdxFormatSettings::GetTimePMString();
              if (!am.empty() && !pm.empty())
                r += u"(" + cxRegExprQuotedText(am) + u"|" + cxRegExprQuotedText(pm) + u")?";
              else if (!am.empty() || !pm.empty())
                r += u"(" + cxRegExprQuotedText(am.empty() ? pm : am) + u")?";
              break;
            }
          }
          break;
        case dtikTimeSeparator:
          if (TdxFormatSettings::GetTimeSeparator() != 0)
            r += RegExprChar(TdxFormatSettings::GetTimeSeparator());
          break;
        default:
          break;
      }
    }
  }
  return r;
}

String TcxFormatController::GetMaskedEditDisplayFormat(const TcxDateTimeFormatInfo& AFormatInfo) {
  String r;
  for (int32_t i = 0; i < AFormatInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AFormatInfo.Items(i);
    switch (item.Kind) {
      case dtikString:
        r += u"'" + item.Data + u"'";
        break;
      case dtikYear:
      case dtikTimeSuffix:
        r += LowerCase(item.Data);
        break;
      case dtikMonth:
        r += item.Data.size() > 2 ? u"mmm" : u"mm";
        break;
      case dtikDay:
        r += item.Data.size() > 2 ? u"ddd" : u"dd";
        break;
      case dtikHour:
        r += u"hh";
        break;
      case dtikMin:
        r += u"nn";
        break;
      case dtikSec:
        r += u"ss";
        break;
      case dtikDateSeparator:
        r += u"/";
        break;
      case dtikTimeSeparator:
        r += u":";
        break;
      default:
        break;
    }
  }
  return r;
}

String TcxFormatController::RegExprCustomDateEditMask(const String& AFormatString) {
  TcxDateTimeFormatInfo info;
  GetDateTimeFormatInfo(AFormatString, info);
  return GetRegExprMask(info, info.DefinedItems(dtikHour) ? dtmkDateTime : dtmkDate);
}

bool TcxFormatController::GetDateTimeFormatItemStandardMaskInfo(const TcxDateTimeFormatInfo& AFormatInfo,
                                                                int32_t APos,
                                                                TcxDateTimeFormatItemInfo& AItemInfo) {
  if (APos <= 0) return false;
  int32_t start = 1;
  for (int32_t i = 0; i < AFormatInfo.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = AFormatInfo.Items(i);
    const int32_t length = StandardMaskZoneLength(item);
    if (APos >= start && APos < start + length) {
      AItemInfo.Kind = item.Kind;
      AItemInfo.ItemZoneStart = start;
      AItemInfo.ItemZoneLength = length;
      if (item.Kind == dtikTimeSuffix) AItemInfo.TimeSuffixKind = SuffixKind(item.Data);
      return true;
    }
    start += length;
  }
  return false;
}

int32_t TcxFormatController::GetDateTimeStandardMaskStringLength(const TcxDateTimeFormatInfo& AFormatInfo) {
  int32_t r = 0;
  for (int32_t i = 0; i < AFormatInfo.ItemCount(); ++i) r += StandardMaskZoneLength(AFormatInfo.Items(i));
  return r;
}

void TcxFormatController::CalculateDateEditMasks(bool AUseSmartInputWhenRegExpr) {
  GetDateTimeFormatInfo(GetDateTimeDisplayFormat(dtmkDate), *FDateFormatInfo);
  GetDateTimeFormatInfo(GetDateTimeDisplayFormat(dtmkTime), *FTimeFormatInfo);
  GetDateTimeFormatInfo(GetDateTimeDisplayFormat(dtmkDateTime), *FDateTimeFormatInfo);

  FDateEditMask = GetStandardMask(*FDateFormatInfo, dtmkDate);
  if (!FAssignedStandardDateEditMask) FStandardDateEditMask = FDateEditMask;
  if (!FAssignedRegExprDateEditMask) {
    FRegExprDateEditMask = GetRegExprMask(*FDateFormatInfo, dtmkDate);
    if (AUseSmartInputWhenRegExpr) AddDateRegExprMaskSmartInput(FRegExprDateEditMask, false);
  }
  if (!FAssignedRegExprDateTimeEditMask) {
    FRegExprDateTimeEditMask = GetRegExprMask(*FDateFormatInfo, dtmkDate) + u" ' '(" +
                               GetRegExprMask(*FTimeFormatInfo, dtmkTime) + u")?";
    if (AUseSmartInputWhenRegExpr) AddDateRegExprMaskSmartInput(FRegExprDateTimeEditMask, true);
  }
  if (!FAssignedStandardDateTimeEditMask)
    FStandardDateTimeEditMask = GetStandardMask(*FDateTimeFormatInfo, dtmkDateTime);
  FMaskedDateEditFormat = GetMaskedEditDisplayFormat(*FDateFormatInfo);
  FMaskedDateTimeEditFormat = GetMaskedEditDisplayFormat(*FDateTimeFormatInfo);
}

// --- Properties ----------------------------------------------------------------------------------

namespace {

void SetAssignedText(TcxFormatController* AController, String& AField, bool& AAssigned,
                     const String& AValue) {
  AAssigned = true;
  if (AField == AValue) return;
  AField = AValue;
  AController->FormatChanged();
}

void SetFlag(TcxFormatController* AController, bool& AField, bool AValue) {
  if (AField == AValue) return;
  AField = AValue;
  AController->FormatChanged();
}

}  // namespace

void TcxFormatController::SetCurrencyFormat(const String& AValue) {
  SetAssignedText(this, FCurrencyFormat, FAssignedCurrencyFormat, AValue);
}
void TcxFormatController::SetRegExprDateEditMask(const String& AValue) {
  SetAssignedText(this, FRegExprDateEditMask, FAssignedRegExprDateEditMask, AValue);
}
void TcxFormatController::SetRegExprDateTimeEditMask(const String& AValue) {
  SetAssignedText(this, FRegExprDateTimeEditMask, FAssignedRegExprDateTimeEditMask, AValue);
}
void TcxFormatController::SetStandardDateEditMask(const String& AValue) {
  SetAssignedText(this, FStandardDateEditMask, FAssignedStandardDateEditMask, AValue);
}
void TcxFormatController::SetStandardDateTimeEditMask(const String& AValue) {
  SetAssignedText(this, FStandardDateTimeEditMask, FAssignedStandardDateTimeEditMask, AValue);
}
void TcxFormatController::SetAssignedCurrencyFormat(bool AValue) {
  SetFlag(this, FAssignedCurrencyFormat, AValue);
}
void TcxFormatController::SetAssignedRegExprDateEditMask(bool AValue) {
  SetFlag(this, FAssignedRegExprDateEditMask, AValue);
}
void TcxFormatController::SetAssignedRegExprDateTimeEditMask(bool AValue) {
  SetFlag(this, FAssignedRegExprDateTimeEditMask, AValue);
}
void TcxFormatController::SetAssignedStandardDateEditMask(bool AValue) {
  SetFlag(this, FAssignedStandardDateEditMask, AValue);
}
void TcxFormatController::SetAssignedStandardDateTimeEditMask(bool AValue) {
  SetFlag(this, FAssignedStandardDateTimeEditMask, AValue);
}
void TcxFormatController::SetUseRunTimeDateTimeFormats(bool AValue) {
  SetFlag(this, FUseRunTimeDateTimeFormats, AValue);
}

void TcxFormatController::SetFirstWeekOfYear(TcxFirstWeekOfYear AValue) {
  if (FFirstWeekOfYear == AValue) return;
  FFirstWeekOfYear = AValue;
  FormatChanged();
}

TDay TcxFormatController::StartOfWeek() const {
  return dxGetStartOfWeek();
}

void TcxFormatController::SetStartOfWeek(TDay AValue) {
  if (AValue == dxGetStartOfWeek()) return;
  dxSetStartOfWeek(AValue);
  FormatChanged();
}

bool TcxFormatController::AssignedStartOfWeek() const {
  return dxGetAssignedStartOfWeek();
}

void TcxFormatController::SetAssignedStartOfWeek(bool AValue) {
  if (AValue)
    dxSetStartOfWeek(dxGetLocalStartOfWeek());
  else
    dxResetAssignedStartOfWeek();
}

// --- Messages --------------------------------------------------------------------------------------

void TcxFormatController::WndProc(TMessage& AMessage) {
  if (AMessage.Msg == WM_WININICHANGE && AMessage.WParam == 0 && AMessage.LParam != 0 &&
      String(reinterpret_cast<const Char*>(AMessage.LParam)) == u"intl") {
    // The application object follows the regional settings.
    SetThreadLocale(LOCALE_USER_DEFAULT);
    dxGetLocaleFormatSettings(GetThreadLocale(), FormatSettings());
    GetFormats();
    NotifyListeners();
    AMessage.Result = 0;
    return;
  }
  if (AMessage.Msg == WM_TIMECHANGE) {
    TimeChanged();
    AMessage.Result = 0;
    return;
  }
  TcxMessageWindow::WndProc(AMessage);
}

TcxFormatController* cxFormatController() {
  if (!FController) new TcxFormatController();  // becomes FController
  return FController;
}

namespace cxFormats {

void Initialize() {}

void Finalize() {
  delete FController;
  FController = nullptr;
}

}  // namespace cxFormats

}  // namespace qd
