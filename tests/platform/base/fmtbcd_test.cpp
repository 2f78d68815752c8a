#include <gtest/gtest.h>

#include "platform/base/fmtbcd.h"
#include "platform/base/format.h"

namespace qd {
namespace {

TEST(FmtBcd, DoublesBecomeDecimalTexts) {
  // Values whose digits lie past the last fraction place kept truncate (to zero when
  // nothing significant is left) instead of failing.
  struct Case {
    double value;
    const char16_t* text;
  };
  const Case cases[] = {
      {0.0, u"0"},
      {12.5, u"12.5"},
      {-0.125, u"-0.125"},
      {1e20, u"100000000000000000000"},
      {1e-300, u"0"},
      {-1e-70, u"0"},
      {1.5e-62, u"0.000000000000000000000000000000000000000000000000000000000000015"},
  };
  TFormatSettings& fs = FormatSettings();
  const Char saved = fs.DecimalSeparator;
  fs.DecimalSeparator = u'.';
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(BcdToStr(DoubleToBcd(c.value)), c.text);
  }
  fs.DecimalSeparator = saved;
  EXPECT_THROW(DoubleToBcd(1e300), EConvertError);
}

}  // namespace
}  // namespace qd
