// Text editor properties: display text (null string, character case, password characters,
// numeric formats), formats and their precedence, validity against lookup items, bounds,
// assignment, the view style and storing in forms.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editors/edit_properties_test_util.h"
#include "editors/edit_test_util.h"
#include "platform/classes/filer.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/cxFormats.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {
namespace {

using testing::FakeProvider;
using testing::PropertiesChangeCounter;

// Text properties whose editing style and numeric nature a test chooses.
class TestTextProperties : public TcxCustomTextEditProperties {
  QD_CLASS_INLINE(TestTextProperties, TcxCustomTextEditProperties)

 public:
  using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
  TcxEditEditingStyle GetEditingStyle() override { return EditingStyle; }
  bool IsEditValueNumeric() override { return Numeric; }
  TcxEditEditingStyle EditingStyle = esEdit;
  bool Numeric = false;
};

// Publishes the formats as numeric editors do, so that the stored-form rules apply.
class TestFormatProperties : public TcxCustomTextEditProperties {
  QD_CLASS_INLINE(TestFormatProperties, TcxCustomTextEditProperties)
  QD_PUBLISHED(TestFormatProperties)

 public:
  using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
};

void TestFormatProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomTextEditProperties;
  r.Prop("AssignedValues", &P::AssignedValues, &TcxCustomEditProperties::SetAssignedValues);
  r.Prop("DisplayFormat", &P::DisplayFormat, &P::SetDisplayFormat);
  r.Prop("EditFormat", &P::EditFormat, &P::SetEditFormat);
  r.Prop("UseDisplayFormatWhenEditing", &P::UseDisplayFormatWhenEditing, &P::SetUseDisplayFormatWhenEditing)
      .Default(false);
}

// A component that stores its properties in a form.
class TestPropertiesHolder : public TComponent {
  QD_CLASS_INLINE(TestPropertiesHolder, TComponent)
  QD_PUBLISHED(TestPropertiesHolder)

 public:
  explicit TestPropertiesHolder(TComponent* AOwner)
      : TComponent(AOwner), FProperties(new TestFormatProperties(this)) {}
  ~TestPropertiesHolder() override { delete FProperties; }
  TestFormatProperties* Properties() const { return FProperties; }
  void SetProperties(TestFormatProperties* Value) { FProperties->Assign(Value); }

 private:
  TestFormatProperties* FProperties;
};

void TestPropertiesHolder::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Properties", &TestPropertiesHolder::Properties, &TestPropertiesHolder::SetProperties);
}

class TextEditPropertiesTest : public testing::EditTest {};

String Text(const char* s) {
  String r;
  for (; *s; ++s) r.push_back(static_cast<Char>(static_cast<unsigned char>(*s)));
  return r;
}

TEST_F(TextEditPropertiesTest, DisplayTextOfAnEditValue) {
  struct Case {
    const char* name;
    std::function<void(TestTextProperties&)> setup;
    Variant value;
    String expected;
  };
  const Case cases[] = {
      {"null without null string", [](TestTextProperties&) {}, Null(), u""},
      {"null with null string",
       [](TestTextProperties& p) {
         p.SetUseNullString(true);
         p.SetNullstring(u"(none)");
       },
       Null(), u"(none)"},
      {"null string unused while not enabled", [](TestTextProperties& p) { p.SetNullstring(u"(none)"); },
       Null(), u""},
      {"empty text is not the empty value",
       [](TestTextProperties& p) {
         p.SetUseNullString(true);
         p.SetNullstring(u"(none)");
       },
       Variant(String()), u""},
      {"upper case", [](TestTextProperties& p) { p.SetCharCase(ecUpperCase); }, Variant(String(u"Ação")),
       u"AÇÃO"},
      {"lower case", [](TestTextProperties& p) { p.SetCharCase(ecLowerCase); }, Variant(String(u"ÁRVORE")),
       u"árvore"},
      {"no case change for passwords",
       [](TestTextProperties& p) {
         p.SetCharCase(ecUpperCase);
         p.SetEchoMode(eemPassword);
       },
       Variant(String(u"abc")), u"abc"},
      {"number as its text", [](TestTextProperties&) {}, Variant(12.5), u"12.5"},
      {"unfocused numeric display format",
       [](TestTextProperties& p) {
         p.Numeric = true;
         p.SetDisplayFormat(u"0.00");
       },
       Variant(12.5), u"12.50"},
      {"numeric soft null", [](TestTextProperties& p) { p.Numeric = true; }, Variant(String()), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestTextProperties p(nullptr);
    c.setup(p);
    EXPECT_EQ(p.GetDisplayText(c.value), c.expected);
  }
}

TEST_F(TextEditPropertiesTest, NullStringOnlyWhileUnfocusedAndNotDesigned) {
  TestPropertiesHolder holder(nullptr);
  TcxCustomTextEditProperties* p = holder.Properties();
  p->SetUseNullString(true);
  p->SetNullstring(u"(vazio)");
  Variant display;
  p->PrepareDisplayValue(Null(), display, false);
  EXPECT_EQ(VarToStr(display), u"(vazio)");
  p->PrepareDisplayValue(Null(), display, true);
  EXPECT_EQ(VarToStr(display), u"");
  holder.SetDesigning(true);
  p->PrepareDisplayValue(Null(), display, false);
  EXPECT_EQ(VarToStr(display), u"");
}

TEST_F(TextEditPropertiesTest, FocusedNumericDisplay) {
  struct Case {
    const char* name;
    std::function<void(TestTextProperties&, FakeProvider&)> setup;
    Variant value;
    String expected;
  };
  const Case cases[] = {
      {"general notation", [](TestTextProperties&, FakeProvider&) {}, Variant(String(u"0012.500")), u"12.5"},
      {"display format ignored while editing",
       [](TestTextProperties& p, FakeProvider&) { p.SetDisplayFormat(u"0.000"); }, Variant(2.5), u"2.5"},
      {"display format kept while editing",
       [](TestTextProperties& p, FakeProvider&) {
         p.SetDisplayFormat(u"0.000");
         p.SetUseDisplayFormatWhenEditing(true);
       },
       Variant(2.5), u"2.500"},
      {"edit format", [](TestTextProperties& p, FakeProvider&) { p.SetEditFormat(u"#,##0.0"); },
       Variant(1234.56), u"1,234.6"},
      {"currency in fixed notation", [](TestTextProperties&, FakeProvider& v) { v.Currency = true; },
       Variant(String(u"7.005")), u"7.01"},
      {"currency pads decimals", [](TestTextProperties&, FakeProvider& v) { v.Currency = true; },
       Variant(3.0), u"3.00"},
      {"precision of the provider", [](TestTextProperties&, FakeProvider& v) { v.Precision = 4; },
       Variant(String(u"3.14159")), u"3.142"},
      {"rounding carries into a new digit", [](TestTextProperties&, FakeProvider& v) { v.Precision = 4; },
       Variant(String(u"-999.97")), u"-1000"},
      {"more integer digits than the precision",
       [](TestTextProperties&, FakeProvider& v) { v.Precision = 3; }, Variant(String(u"123456")), u"1.23E5"},
      {"small numbers keep their leading zeros", [](TestTextProperties&, FakeProvider&) {},
       Variant(String(u"-0.00125")), u"-0.00125"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestTextProperties p(nullptr);
    p.Numeric = true;
    FakeProvider provider;
    p.SetIDefaultValuesProvider(&provider);
    c.setup(p, provider);
    Variant display;
    p.PrepareDisplayValue(c.value, display, true);
    EXPECT_EQ(VarToStr(display), c.expected);
    p.SetIDefaultValuesProvider(nullptr);
  }
}

TEST_F(TextEditPropertiesTest, NumericPropertiesRefuseValuesThatAreNoNumbers) {
  TestTextProperties p(nullptr);
  p.Numeric = true;
  Variant display;
  try {
    p.PrepareDisplayValue(VarFromDateTime(45000.0), display, false);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Could not convert to numeric value");
  }
}

TEST_F(TextEditPropertiesTest, PasswordCharacters) {
  struct Case {
    const char* name;
    Char passwordChar;
    bool bullets;
    bool themed;
    String text;
    String expected;
  };
  const Case cases[] = {
      {"own character", u'#', true, true, u"abc", u"###"},
      {"bullets with a theme", 0, true, true, u"abc", u"\u25CF\u25CF\u25CF"},
      {"asterisks without a theme", 0, true, false, u"abc", u"***"},
      {"asterisks when bullets are not wanted", 0, false, true, u"abc", u"***"},
      {"a surrogate pair is one character", u'#', true, true, u"a\U0001F600b", u"###"},
      {"empty text", 0, true, true, u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    os::SetVisualStylesEnabled(c.themed);
    TestTextProperties p(nullptr);
    p.SetEchoMode(eemPassword);
    p.SetCharCase(ecUpperCase);
    p.SetPasswordChar(c.passwordChar);
    String text = c.text;
    p.DoDisplayValueToDisplayText(c.bullets, text);
    EXPECT_EQ(text, c.expected);
  }
  os::SetVisualStylesEnabled(true);
}

TEST_F(TextEditPropertiesTest, DisplayValueValidityFollowsTheLookupItemsInListStyles) {
  struct Case {
    TcxEditEditingStyle style;
    const char* text;
    bool valid;
    const char* writtenBack;
  };
  const Case cases[] = {
      {esEdit, "pear", true, "PEAR"},       {esEditList, "pear", false, "pear"},
      {esEditList, "Apple", true, "APPLE"}, {esFixedList, "banana", true, "BANANA"},
      {esFixedList, "", true, ""},          {esFixedList, "ban", false, "ban"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " in style " + std::to_string(c.style));
    TestTextProperties p(nullptr);
    p.EditingStyle = c.style;
    p.SetCharCase(ecUpperCase);
    p.LookupItems()->Add(u"apple");
    p.LookupItems()->Add(u"Banana");
    Variant value{Text(c.text)};
    EXPECT_EQ(p.IsDisplayValueValid(value, true), c.valid);
    EXPECT_EQ(VarToStr(value), Text(c.writtenBack));
    // Edit values follow the same rule; Null and non-strings are always valid.
    Variant editValue{Text(c.text)};
    EXPECT_EQ(p.IsEditValueValid(editValue, false), c.valid);
    Variant number(5);
    EXPECT_TRUE(p.IsEditValueValid(number, false));
  }
}

TEST_F(TextEditPropertiesTest, EditFormatPrecedence) {
  struct Case {
    const char* name;
    std::function<void(TcxCustomTextEditProperties&, FakeProvider&)> setup;
    String format;
    bool currency;
    bool onGetText;
  };
  const Case cases[] = {
      {"nothing", [](auto&, auto&) {}, u"", false, false},
      {"assigned edit format wins",
       [](auto& p, auto& v) {
         p.SetEditFormat(u"0.0");
         v.EditFormat = u"0.00";
         v.OnGetTextAssigned = true;
       },
       u"0.0", false, false},
      {"an assigned empty edit format wins too",
       [](auto& p, auto&) {
         p.SetDisplayFormat(u"0.00");
         p.SetUseDisplayFormatWhenEditing(true);
         p.SetEditFormat(u"");
       },
       u"", false, false},
      {"provider's edit format",
       [](auto&, auto& v) {
         v.EditFormat = u"0.00";
         v.OnGetTextAssigned = true;
       },
       u"0.00", false, true},
      {"display format dropped without UseDisplayFormatWhenEditing",
       [](auto& p, auto&) { p.SetDisplayFormat(u"0.000"); }, u"", false, false},
      {"display format while editing",
       [](auto& p, auto&) {
         p.SetDisplayFormat(u"0.000");
         p.SetUseDisplayFormatWhenEditing(true);
       },
       u"0.000", false, false},
      {"provider's display format",
       [](auto& p, auto& v) {
         v.DisplayFormat = u"#0";
         p.SetUseDisplayFormatWhenEditing(true);
       },
       u"#0", false, false},
      {"currency from the provider", [](auto&, auto& v) { v.Currency = true; }, u"", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TcxTextEditProperties p(nullptr);
    FakeProvider provider;
    p.SetIDefaultValuesProvider(&provider);
    c.setup(p, provider);
    bool currency = false, onGetText = false;
    String format;
    p.InternalGetEditFormat(currency, onGetText, format, nullptr);
    EXPECT_EQ(format, c.format);
    EXPECT_EQ(currency, c.currency);
    EXPECT_EQ(onGetText, c.onGetText);
    EXPECT_EQ(p.EditFormat(), c.format);
    p.SetIDefaultValuesProvider(nullptr);
  }
}

TEST_F(TextEditPropertiesTest, DisplayFormatAndMaxLengthFallBackToTheProvider) {
  TcxTextEditProperties p(nullptr);
  FakeProvider provider;
  provider.DisplayFormat = u"0.0";
  provider.MaxLength = 12;
  p.SetIDefaultValuesProvider(&provider);
  EXPECT_EQ(p.DisplayFormat(), u"0.0");
  EXPECT_EQ(p.MaxLength(), 12);
  p.SetDisplayFormat(u"");
  p.SetMaxLength(-5);
  EXPECT_EQ(p.DisplayFormat(), u"");
  EXPECT_EQ(p.MaxLength(), 0);
  EXPECT_TRUE(p.AssignedValues()->MaxLength());
  p.AssignedValues()->RestoreDefaults();
  EXPECT_EQ(p.DisplayFormat(), u"0.0");
  EXPECT_EQ(p.MaxLength(), 12);
  p.SetIDefaultValuesProvider(nullptr);
}

TEST_F(TextEditPropertiesTest, SettersNotifyOnceAndOnlyOnChange) {
  TcxTextEditProperties p(nullptr);
  PropertiesChangeCounter c;
  c.Attach(&p);
  p.SetMaxLength(3);
  p.SetMaxLength(3);
  p.SetDisplayFormat(u"");
  p.SetDisplayFormat(u"");
  p.SetCharCase(ecLowerCase);
  p.SetCharCase(ecLowerCase);
  EXPECT_EQ(c.Count, 3);
  // FixedListSelection matters only in the fixed-list style; filtering options give no notice.
  p.SetFixedListSelection(false);
  p.SetIncrementalFilteringOptions({});
  p.LookupItems()->Add(u"x");
  EXPECT_EQ(c.Count, 4);
  // A change of the formats announced by the format controller.
  bool changingInside = false;
  c.Inside = [&] { changingInside = p.FormatChanging(); };
  cxFormatController()->NotifyListeners();
  EXPECT_EQ(c.Count, 5);
  EXPECT_TRUE(changingInside);
  EXPECT_FALSE(p.FormatChanging());
}

TEST_F(TextEditPropertiesTest, FreshPropertiesCentreVerticallyWithoutStoringIt) {
  TcxTextEditProperties p(nullptr);
  EXPECT_EQ(p.Alignment()->Vert(), taVCenter);
  EXPECT_FALSE(p.IsAlignmentStored());
  EXPECT_EQ(p.ViewStyle(), vsNormal);
  EXPECT_EQ(p.GetEditingStyle(), esEdit);
  EXPECT_EQ(p.IncrementalFilteringOptions(),
            (TcxTextEditIncrementalFilteringOptions{ifoHighlightSearchText, ifoUseContainsOperator}));
}

TEST_F(TextEditPropertiesTest, ViewStyleMapsToButtonsViewStyleAndHideCursor) {
  struct Case {
    TcxTextEditViewStyle style;
    TcxEditButtonsViewStyle buttons;
    bool hideCursor;
    TcxEditEditingStyle editing;
  };
  const Case cases[] = {
      {vsNormal, bvsNormal, false, esEdit},
      {vsHideCursor, bvsNormal, true, esNoEdit},
      {vsButtonsOnly, bvsButtonsOnly, true, esNoEdit},
      {vsButtonsAutoWidth, bvsButtonsAutoWidth, true, esNoEdit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    TcxTextEditProperties p(nullptr);
    PropertiesChangeCounter counter;
    counter.Attach(&p);
    p.SetViewStyle(vsHideCursor == c.style ? vsButtonsOnly : vsHideCursor);
    p.SetViewStyle(c.style);
    EXPECT_EQ(p.ViewStyle(), c.style);
    EXPECT_EQ(p.ButtonsViewStyle(), c.buttons);
    EXPECT_EQ(p.HideCursor(), c.hideCursor);
    EXPECT_EQ(p.GetEditingStyle(), c.editing);
    EXPECT_EQ(p.IsResetEditClass(), c.editing != esNoEdit);
    EXPECT_EQ(counter.Count, 2);
  }
}

TEST_F(TextEditPropertiesTest, AssignCopiesSettingsItemsAndAssignedFlagsInOneNotice) {
  TcxTextEditProperties src(nullptr);
  src.SetCharCase(ecUpperCase);
  src.SetEchoMode(eemPassword);
  src.SetPasswordChar(u'x');
  src.SetNullstring(u"-");
  src.SetUseNullString(true);
  src.SetMaxLength(7);
  src.SetEditFormat(u"");
  src.LookupItems()->Add(u"b");
  src.LookupItems()->Add(u"a");
  src.SetLookupItemsSorted(true);
  src.SetImeName(u"ime");
  TcxTextEditProperties dst(nullptr);
  dst.SetDisplayFormat(u"0");
  PropertiesChangeCounter c;
  c.Attach(&dst);
  dst.Assign(&src);
  EXPECT_EQ(c.Count, 1);
  EXPECT_EQ(dst.CharCase(), ecUpperCase);
  EXPECT_EQ(dst.EchoMode(), eemPassword);
  EXPECT_EQ(dst.PasswordChar(), u'x');
  EXPECT_EQ(dst.Nullstring(), u"-");
  EXPECT_TRUE(dst.UseNullString());
  EXPECT_EQ(dst.MaxLength(), 7);
  EXPECT_TRUE(dst.AssignedValues()->EditFormat());
  EXPECT_FALSE(dst.AssignedValues()->DisplayFormat());
  EXPECT_EQ(dst.ImeName(), u"ime");
  ASSERT_EQ(dst.LookupItems()->Count(), 2);
  EXPECT_TRUE(dst.LookupItemsSorted());
  EXPECT_EQ(dst.LookupItems()->Get(0), u"a");
}

TEST_F(TextEditPropertiesTest, ValueBounds) {
  struct Case {
    bool minAssigned;
    double min;
    bool maxAssigned;
    double max;
    Variant value;
    bool error;
  };
  const Case cases[] = {
      {true, 1, true, 10, Variant(11), true},
      {true, 1, true, 10, Variant(0.5), true},
      {true, 1, true, 10, Variant(5), false},
      {true, 1, false, 0, Variant(1000), false},
      {false, 0, true, 10, Variant(-1000), false},
      {false, 0, true, 10, Variant(10.5), true},
      // Equal bounds define none.
      {true, 3, true, 3, Variant(4), false},
      {true, 1, true, 10, Variant(String(u"11")), false},  // only numbers and dates are checked
      {true, 1, true, 10, VarFromDateTime(12.0), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(VarToStr(c.value)));
    TestTextProperties p(nullptr);
    p.Numeric = true;
    if (c.minAssigned) p.SetMinValue(c.min);
    if (c.maxAssigned) p.SetMaxValue(c.max);
    String errorText;
    bool error = false;
    p.CheckEditValueBounds(c.value, errorText, error);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(errorText, c.error ? String(u"Value out of bounds") : String());
    // Validation checks the bounds of numeric properties first.
    Variant display = c.value;
    errorText.clear();
    error = false;
    p.ValidateDisplayValue(display, errorText, error);
    EXPECT_EQ(error, c.error);
  }
}

TEST_F(TextEditPropertiesTest, OperationsAndValueSources) {
  TcxTextEditProperties p(nullptr);
  EXPECT_TRUE(p.GetSupportedOperations().Contains(esoEditingAutoHeight));
  EXPECT_TRUE(p.GetSupportedOperations().Contains(esoIncSearch));
  EXPECT_EQ(p.GetEditValueSource(false), evsText);
  p.SetUseNullString(true);
  EXPECT_EQ(p.GetEditValueSource(false), evsValue);
  EXPECT_EQ(p.GetEditValueSource(true), evsText);
  p.SetEchoMode(eemPassword);
  EXPECT_FALSE(p.GetSupportedOperations().Contains(esoEditingAutoHeight));
  // Display values compare by their text, case-sensitively.
  EXPECT_TRUE(p.CompareDisplayValues(Variant(5), Variant(String(u"5"))));
  p.SetEchoMode(eemNormal);
  EXPECT_FALSE(p.CompareDisplayValues(Variant(String(u"a")), Variant(String(u"A"))));
  p.SetCharCase(ecUpperCase);
  EXPECT_TRUE(p.CompareDisplayValues(Variant(String(u"a")), Variant(String(u"A"))));
}

TEST_F(TextEditPropertiesTest, AssignedEmptyFormatSurvivesAStoredForm) {
  TestPropertiesHolder holder(nullptr);
  holder.SetName(u"Holder");
  holder.Properties()->SetEditFormat(u"");
  holder.Properties()->SetDisplayFormat(u"0.00");
  const String form = WriteComponentToText(&holder);
  EXPECT_NE(form.find(u"AssignedValues.EditFormat = True"), String::npos) << StringToUtf8(form);
  EXPECT_EQ(form.find(u"Properties.EditFormat ="), String::npos) << StringToUtf8(form);
  // A non-empty format is stored with the format itself.
  EXPECT_EQ(form.find(u"AssignedValues.DisplayFormat"), String::npos) << StringToUtf8(form);
  EXPECT_NE(form.find(u"Properties.DisplayFormat = '0.00'"), String::npos) << StringToUtf8(form);

  TestPropertiesHolder copy(nullptr);
  ReadComponentFromText(form, &copy);
  EXPECT_TRUE(copy.Properties()->AssignedValues()->EditFormat());
  EXPECT_EQ(copy.Properties()->DisplayFormat(), u"0.00");
  copy.Properties()->SetUseDisplayFormatWhenEditing(true);
  EXPECT_EQ(copy.Properties()->EditFormat(), u"");
}

TEST_F(TextEditPropertiesTest, OldFormsMarkTheDisplayFormatAssigned) {
  TestPropertiesHolder holder(nullptr);
  ReadComponentFromText(
      u"object Holder: TestPropertiesHolder\n  Properties.IsDisplayFormatAssigned = True\nend\n", &holder);
  EXPECT_TRUE(holder.Properties()->AssignedValues()->DisplayFormat());
}

TEST(TextEditUnitFunctions, InsertThousandSeparator) {
  struct Case {
    Char thousand;
    Char decimal;
    String text;
    String expected;
  };
  const Case cases[] = {
      {u',', u'.', u"  -1234567.891E5 ", u"  -1,234,567.891E5 "},
      {u',', u'.', u"12", u"12"},
      {u',', u'.', u"1,2345", u"12,345"},
      {u',', u'.', u"123456", u"123,456"},
      {u'.', u',', u"1234,5678", u"1.234,5678"},
      // A thousand separator that is the decimal point, or none, would destroy the number.
      {u'.', u'.', u"1234.5", u"1234.5"},
      {0, u'.', u"1234.5", u"1234.5"},
  };
  TFormatSettings saved = FormatSettings();
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.text));
    FormatSettings().ThousandSeparator = c.thousand;
    FormatSettings().DecimalSeparator = c.decimal;
    String s = c.text;
    InsertThousandSeparator(s);
    EXPECT_EQ(s, c.expected);
  }
  FormatSettings() = saved;
}

}  // namespace
}  // namespace qd
