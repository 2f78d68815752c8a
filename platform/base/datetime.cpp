// Dates and times as days since 1899-12-30: encoding, decoding, formatting, parsing.
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/base/exceptions.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"

namespace qd {

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
constexpr int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Days since 0001-01-01 plus one, and milliseconds of the day; the value is rounded to the
// millisecond first, so 23:59:59.9999 becomes the next day.
struct TimeStamp {
  int64_t date = 0;
  int64_t time = 0;
};

bool InRange(TDateTime v) {
  return std::isfinite(v) && v > -693594.0 - 1 && v < 2958466.0 + 1;
}

TimeStamp ToTimeStamp(TDateTime v) {
  if (!InRange(v)) return {};
  int64_t ms = std::llround(v * MSecsPerDay);
  TimeStamp ts;
  ts.date = DateDelta + ms / kMSecsPerDay;
  ts.time = std::llabs(ms % kMSecsPerDay);
  return ts;
}

void DecodeDays(int64_t days, int& year, int& month, int& day) {
  if (days <= 0) {
    year = month = day = 0;
    return;
  }
  constexpr int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  int64_t t = days - 1;
  int64_t y = 1;
  y += t / D400 * 400;
  t %= D400;
  int64_t i = t / D100, d = t % D100;
  if (i == 4) {
    --i;
    d += D100;
  }
  y += i * 100;
  y += d / D4 * 4;
  d %= D4;
  i = d / D1;
  d %= D1;
  if (i == 4) {
    --i;
    d += D1;
  }
  y += i;
  const int* table = kMonthDays[IsLeapYear(static_cast<int>(y)) ? 1 : 0];
  int m = 0;
  while (d >= table[m]) d -= table[m++];
  year = static_cast<int>(y);
  month = m + 1;
  day = static_cast<int>(d) + 1;
}

String Pad(int64_t v, int width) {
  String s = IntToStr(v);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), u'0');
  return s;
}

Char Upper(Char c) {
  return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c;
}

bool StartsAt(StringView s, size_t i, StringView word) {
  return SameText(s.substr(i, word.size()), word);
}

// An AM/PM marker ("am/pm", "a/p", "ampm") somewhere after position i, outside quotes.
bool HasAmPmAfter(StringView f, size_t i) {
  while (i < f.size()) {
    Char c = f[i];
    if (c == u'"' || c == u'\'') {
      size_t j = f.find(c, i + 1);
      i = j == StringView::npos ? f.size() : j + 1;
      continue;
    }
    if (StartsAt(f, i, u"am/pm") || StartsAt(f, i, u"a/p") || StartsAt(f, i, u"ampm")) return true;
    ++i;
  }
  return false;
}

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime v, const TFormatSettings& fs) : fs_(fs) {
    TimeStamp ts = ToTimeStamp(v);
    DecodeDays(ts.date, year_, month_, day_);
    dayOfWeek_ = static_cast<int>(ts.date % 7);  // 0 = Sunday
    hour_ = static_cast<int>(ts.time / 3600000);
    minute_ = static_cast<int>(ts.time / 60000 % 60);
    second_ = static_cast<int>(ts.time / 1000 % 60);
    msec_ = static_cast<int>(ts.time % 1000);
  }

  void Append(StringView f, int depth = 0) {
    if (depth > 2) return;
    Char lastToken = 0;
    size_t i = 0;
    auto count = [&](Char token) {
      size_t start = i;
      while (i < f.size() && Upper(f[i]) == token) ++i;
      return static_cast<int>(i - start);
    };
    while (i < f.size()) {
      Char c = f[i];
      Char token = Upper(c);
      if (token >= u'A' && token <= u'Z') {
        if (token == u'M' && lastToken == u'H') token = u'N';
        lastToken = token;
      }
      switch (token) {
        case u'"':
        case u'\'': {
          size_t j = f.find(c, i + 1);
          size_t end = j == StringView::npos ? f.size() : j;
          out_.append(f.substr(i + 1, end - i - 1));
          i = end == f.size() ? end : end + 1;
          break;
        }
        case u'Y': {
          int n = count(u'Y');
          out_ += n <= 2 ? Pad(year_ % 100, 2) : Pad(year_, 4);
          break;
        }
        case u'M': {
          int n = count(u'M');
          if (n <= 2)
            out_ += Pad(month_, n);
          else if (month_ >= 1)
            out_ += n == 3 ? fs_.ShortMonthNames[month_ - 1] : fs_.LongMonthNames[month_ - 1];
          break;
        }
        case u'D': {
          int n = count(u'D');
          if (n <= 2)
            out_ += Pad(day_, n);
          else if (n == 3)
            out_ += fs_.ShortDayNames[dayOfWeek_];
          else if (n == 4)
            out_ += fs_.LongDayNames[dayOfWeek_];
          else if (n == 5)
            Append(fs_.ShortDateFormat, depth + 1);
          else
            Append(fs_.LongDateFormat, depth + 1);
          break;
        }
        case u'H': {
          int n = count(u'H');
          int h = hour_;
          if (HasAmPmAfter(f, i)) {
            h %= 12;
            if (h == 0) h = 12;
          }
          out_ += Pad(h, std::min(n, 2));
          break;
        }
        case u'N': {
          // 'm' after an hour code counts as minutes
          int n = Upper(c) == u'M' ? count(u'M') : count(u'N');
          out_ += Pad(minute_, std::min(n, 2));
          break;
        }
        case u'S': {
          int n = count(u'S');
          out_ += Pad(second_, std::min(n, 2));
          break;
        }
        case u'Z': {
          int n = count(u'Z');
          out_ += Pad(msec_, n >= 3 ? 3 : 1);
          break;
        }
        case u'T': {
          int n = count(u'T');
          Append(n == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
          break;
        }
        case u'C': {
          ++i;
          Append(fs_.ShortDateFormat, depth + 1);
          if (hour_ || minute_ || second_ || msec_) {
            out_.push_back(u' ');
            Append(fs_.LongTimeFormat, depth + 1);
          }
          break;
        }
        case u'A': {
          bool pm = hour_ >= 12;
          if (StartsAt(f, i, u"am/pm")) {
            StringView marker = f.substr(i + (pm ? 3 : 0), 2);
            out_.append(marker);
            i += 5;
          } else if (StartsAt(f, i, u"a/p")) {
            out_.push_back(f[i + (pm ? 2 : 0)]);
            i += 3;
          } else if (StartsAt(f, i, u"ampm")) {
            out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
            i += 4;
          } else {
            out_.push_back(c);
            ++i;
          }
          break;
        }
        case u'/':
          out_.push_back(fs_.DateSeparator);
          ++i;
          break;
        case u':':
          out_.push_back(fs_.TimeSeparator);
          ++i;
          break;
        default:
          out_.push_back(c);
          ++i;
          break;
      }
    }
  }

  String Result() const { return out_; }

 private:
  const TFormatSettings& fs_;
  String out_;
  int year_ = 0, month_ = 0, day_ = 0, dayOfWeek_ = 0;
  int hour_ = 0, minute_ = 0, second_ = 0, msec_ = 0;
};

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

int DaysInMonth(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return DaysInAMonth(y, m);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
    return false;
  const int* table = kMonthDays[IsLeapYear(year) ? 1 : 0];
  int64_t days = day;
  for (int m = 0; m < month - 1; ++m) days += table[m];
  int64_t y = year - 1;
  value = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - DateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime v;
  if (!TryEncodeDate(year, month, day, v)) throw EConvertError(u"Invalid argument to date encode");
  return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  DecodeDays(ToTimeStamp(value).date, year, month, day);
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999)
    return false;
  value = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime v;
  if (!TryEncodeTime(hour, minute, second, msec, v)) throw EConvertError(u"Invalid argument to time encode");
  return v;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
  int64_t t = ToTimeStamp(value).time;
  hour = static_cast<int>(t / 3600000);
  minute = static_cast<int>(t / 60000 % 60);
  second = static_cast<int>(t / 1000 % 60);
  msec = static_cast<int>(t % 1000);
}

int DayOfWeek(TDateTime value) {
  return static_cast<int>(ToTimeStamp(value).date % 7) + 1;
}

TDateTime Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t secs = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&secs, &local);
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), ms);
}

TDateTime Date() {
  return std::trunc(Now());
}

TDateTime Time() {
  TDateTime n = Now();
  return n - std::trunc(n);
}

String FormatDateTime(StringView format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings());
}

String FormatDateTime(StringView format, TDateTime value, const TFormatSettings& settings) {
  DateTimeFormatter f(value, settings);
  f.Append(format.empty() ? StringView(u"c") : format);
  return f.Result();
}

String DateTimeToStr(TDateTime value) {
  return FormatDateTime(u"c", value, FormatSettings());
}
String DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"c", value, settings);
}
String DateToStr(TDateTime value) {
  return FormatDateTime(u"ddddd", value, FormatSettings());
}
String DateToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"ddddd", value, settings);
}
String TimeToStr(TDateTime value) {
  return FormatDateTime(u"tt", value, FormatSettings());
}
String TimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"tt", value, settings);
}

// ---- Parsing -----------------------------------------------------------------------------

namespace {

class Scanner {
 public:
  explicit Scanner(StringView s) : s_(s) {}
  void SkipBlanks() {
    while (pos_ < s_.size() && s_[pos_] <= u' ') ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= s_.size();
  }
  bool Number(int& value, int& length) {
    SkipBlanks();
    size_t start = pos_;
    int64_t v = 0;
    while (pos_ < s_.size() && s_[pos_] >= u'0' && s_[pos_] <= u'9' && pos_ - start < 9)
      v = v * 10 + (s_[pos_++] - u'0');
    length = static_cast<int>(pos_ - start);
    value = static_cast<int>(v);
    return length > 0;
  }
  bool Expect(Char c) {
    SkipBlanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Word(StringView w) {
    SkipBlanks();
    if (!w.empty() && StartsAt(s_, pos_, w)) {
      pos_ += w.size();
      return true;
    }
    return false;
  }
  size_t pos() const { return pos_; }
  void set_pos(size_t p) { pos_ = p; }

 private:
  StringView s_;
  size_t pos_ = 0;
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(StringView shortDateFormat) {
  for (size_t i = 0; i < shortDateFormat.size(); ++i) {
    Char c = Upper(shortDateFormat[i]);
    if (c == u'"' || c == u'\'') {
      size_t j = shortDateFormat.find(shortDateFormat[i], i + 1);
      if (j == StringView::npos) break;
      i = j;
      continue;
    }
    if (c == u'Y') return DateOrder::YMD;
    if (c == u'M') return DateOrder::MDY;
    if (c == u'D') return DateOrder::DMY;
  }
  return DateOrder::MDY;
}

int CurrentYear() {
  int y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}

bool ScanDate(Scanner& sc, TDateTime& date, const TFormatSettings& fs) {
  size_t start = sc.pos();
  int n1, n2, n3 = 0, l1, l2, l3 = 0;
  if (!sc.Number(n1, l1) || !sc.Expect(fs.DateSeparator) || !sc.Number(n2, l2)) {
    sc.set_pos(start);
    return false;
  }
  bool hasThird = false;
  size_t afterTwo = sc.pos();
  if (sc.Expect(fs.DateSeparator)) {
    if (!sc.Number(n3, l3)) {
      sc.set_pos(start);
      return false;
    }
    hasThird = true;
  } else {
    sc.set_pos(afterTwo);
  }
  int y, m, d, yearLength;
  DateOrder order = OrderOf(fs.ShortDateFormat);
  if (!hasThird) {
    y = CurrentYear();
    yearLength = 4;
    if (order == DateOrder::DMY) {
      d = n1;
      m = n2;
    } else {
      m = n1;
      d = n2;
    }
  } else if (order == DateOrder::MDY) {
    m = n1, d = n2, y = n3, yearLength = l3;
  } else if (order == DateOrder::DMY) {
    d = n1, m = n2, y = n3, yearLength = l3;
  } else {
    y = n1, m = n2, d = n3, yearLength = l1;
  }
  if (y <= 99 && yearLength <= 2) {
    int centuryBase = CurrentYear() - fs.TwoDigitYearCenturyWindow;
    y += centuryBase / 100 * 100;
    if (fs.TwoDigitYearCenturyWindow > 0 && y < centuryBase) y += 100;
  }
  return TryEncodeDate(y, m, d, date);
}

bool ScanAmPm(Scanner& sc, int& ampm, const TFormatSettings& fs) {
  if (sc.Word(fs.TimeAMString) || sc.Word(u"AM")) {
    ampm = 1;
    return true;
  }
  if (sc.Word(fs.TimePMString) || sc.Word(u"PM")) {
    ampm = 2;
    return true;
  }
  return false;
}

bool ScanTime(Scanner& sc, TDateTime& time, const TFormatSettings& fs) {
  int ampm = 0;
  ScanAmPm(sc, ampm, fs);
  int h, n = 0, s = 0, ms = 0, len;
  if (!sc.Number(h, len)) return false;
  bool hasMinutes = false;
  if (sc.Expect(fs.TimeSeparator)) {
    if (!sc.Number(n, len)) return false;
    hasMinutes = true;
    if (sc.Expect(fs.TimeSeparator)) {
      if (!sc.Number(s, len)) return false;
      if (sc.Expect(fs.DecimalSeparator) || sc.Expect(u'.')) {
        if (!sc.Number(ms, len) || len > 3) return false;
        while (len++ < 3) ms *= 10;
      }
    }
  }
  if (ampm == 0) ScanAmPm(sc, ampm, fs);
  if (!hasMinutes && ampm == 0) return false;
  if (ampm != 0) {
    if (h < 1 || h > 12) return false;
    if (h == 12) h = 0;
    if (ampm == 2) h += 12;
  }
  return TryEncodeTime(h, n, s, ms, time);
}

}  // namespace

bool TryStrToDateTime(StringView s, TDateTime& value) {
  return TryStrToDateTime(s, value, FormatSettings());
}

bool TryStrToDateTime(StringView s, TDateTime& value, const TFormatSettings& fs) {
  Scanner sc(s);
  TDateTime date = 0, time = 0;
  bool hasDate = ScanDate(sc, date, fs);
  if (!sc.AtEnd()) {
    size_t p = sc.pos();
    if (!ScanTime(sc, time, fs)) {
      sc.set_pos(p);
      return false;
    }
  } else if (!hasDate) {
    return false;
  }
  if (!sc.AtEnd()) return false;
  value = date < 0 ? date - time : date + time;
  return true;
}

TDateTime StrToDateTime(StringView s) {
  return StrToDateTime(s, FormatSettings());
}

TDateTime StrToDateTime(StringView s, const TFormatSettings& settings) {
  TDateTime v;
  if (!TryStrToDateTime(s, v, settings))
    throw EConvertError(u"'" + String(s) + u"' is not a valid date and time");
  return v;
}

}  // namespace qd
