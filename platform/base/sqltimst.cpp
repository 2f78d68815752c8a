#include "platform/base/sqltimst.h"

#include "platform/base/format.h"

namespace qd {

namespace {

struct TSQLTimeStampData : TCustomVarData {
  explicit TSQLTimeStampData(const TSQLTimeStamp& AValue) : Value(AValue) {}
  TSQLTimeStamp Value;
};

class TSQLTimeStampVariantType final : public TCustomVariantType {
 public:
  String Name() const override { return u"SQLTimeStamp"; }
  Variant CastTo(const Variant& source, TVarType target) const override {
    const TDateTime date =
        SQLTimeStampToDateTime(static_cast<const TSQLTimeStampData*>(source.CustomData())->Value);
    switch (target) {
      case varOleStr:
      case varUString:
      case varString:
        return VarAsType(Variant(DateTimeToStr(date)), target);
      default:
        return VarAsType(Variant::FromDate(date), target);
    }
  }
  Variant CastFrom(const Variant& source) const override {
    if (source.CustomType() == this) return source;
    return VarSQLTimeStampCreate(VarToDateTime(source));
  }
};

const TSQLTimeStampVariantType& TimeStampType() {
  static const TSQLTimeStampVariantType* type = new TSQLTimeStampVariantType();
  return *type;
}

}  // namespace

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& AValue) {
  if (AValue.Year <= 0 || AValue.Fractions > 999) throw EConvertError(u"Invalid argument to date encode");
  const TDateTime date = EncodeDate(AValue.Year, AValue.Month, AValue.Day);
  const TDateTime time =
      EncodeTime(AValue.Hour, AValue.Minute, AValue.Second, static_cast<int>(AValue.Fractions));
  return date >= 0 ? date + time : date - time;
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime AValue) {
  int y, m, d, h, n, s, ms;
  DecodeDate(AValue, y, m, d);
  DecodeTime(AValue, h, n, s, ms);
  return TSQLTimeStamp{static_cast<int16_t>(y),  static_cast<uint16_t>(m), static_cast<uint16_t>(d),
                       static_cast<uint16_t>(h), static_cast<uint16_t>(n), static_cast<uint16_t>(s),
                       static_cast<uint32_t>(ms)};
}

TVarType VarSQLTimeStamp() {
  return TimeStampType().VarType();
}

Variant VarSQLTimeStampCreate(const TSQLTimeStamp& AValue) {
  return Variant::FromCustom(TimeStampType(), std::make_shared<TSQLTimeStampData>(AValue));
}

Variant VarSQLTimeStampCreate(TDateTime AValue) {
  return VarSQLTimeStampCreate(DateTimeToSQLTimeStamp(AValue));
}

TSQLTimeStamp VarToSQLTimeStamp(const Variant& AValue) {
  if (AValue.CustomType() == &TimeStampType())
    return static_cast<const TSQLTimeStampData*>(AValue.CustomData())->Value;
  return DateTimeToSQLTimeStamp(VarToDateTime(AValue));
}

}  // namespace qd
