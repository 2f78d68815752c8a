#pragma once
// The SQL time stamp record and its custom variant type.
#include <cstdint>

#include "platform/base/types.h"
#include "platform/base/variant.h"

namespace qd {

struct TSQLTimeStamp {
  int16_t Year = 0;
  uint16_t Month = 0;
  uint16_t Day = 0;
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  uint32_t Fractions = 0;  // milliseconds
  friend bool operator==(const TSQLTimeStamp&, const TSQLTimeStamp&) = default;
};
static_assert(sizeof(TSQLTimeStamp) == 16);

// Raises EConvertError for invalid fields.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& AValue);
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime AValue);

// The type code of SQL time-stamp variants (registered on first use).
TVarType VarSQLTimeStamp();
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& AValue);
Variant VarSQLTimeStampCreate(TDateTime AValue);
// A time stamp variant's record; other variants are converted through their date.
TSQLTimeStamp VarToSQLTimeStamp(const Variant& AValue);

}  // namespace qd
