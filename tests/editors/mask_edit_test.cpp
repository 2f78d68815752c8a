// The mask editor end to end: real key messages through the input queue reach the mask mode
// through the inner system edit; the mask and kind settings and their order.
#include <string>

#include "editors/text_edit_test_util.h"
#include "platform/classes/filer.h"
#include "ui/editors/cxMaskEdit.h"
#include "ui/graphics/cxGraphicsText.h"

namespace qd::testing {
namespace {

class MaskEditTest : public TextEditTest {
 protected:
  TcxMaskEdit* NewMaskEdit(TcxEditMaskKind AKind, const String& AMask) {
    auto* edit = NewFocusedEdit<TcxMaskEdit>();
    edit->Properties()->BeginUpdate();
    edit->Properties()->SetMaskKind(AKind);
    edit->Properties()->SetEditMask(AMask);
    edit->Properties()->EndUpdate();
    Application->ProcessMessages();
    return edit;
  }
};

TEST_F(MaskEditTest, StandardPhoneMaskWithRealKeys) {
  auto* edit = NewMaskEdit(emkStandard, u"(999)000-0000");
  EXPECT_EQ(edit->GetDisplayText(), u"(___)___-____");
  Press(VK_HOME);
  EXPECT_EQ(edit->SelStart(), 1) << "Home puts the caret on the first digit, not on '('";
  EXPECT_EQ(edit->SelLength(), 1) << "the caret is a one-character block";

  Type(u"555");
  EXPECT_EQ(edit->GetDisplayText(), u"(555)___-____");
  Type(u"x");
  EXPECT_EQ(edit->GetDisplayText(), u"(555)___-____") << "a letter does not fit a digit position";
  Type(u"1234567");
  EXPECT_EQ(edit->GetDisplayText(), u"(555)123-4567");

  // Backspace after a digit blanks it and moves before it, passing over literals.
  edit->SetSelection(9, 0);
  Press(VK_BACK);
  EXPECT_EQ(edit->GetDisplayText(), u"(555)12_-4567");
  EXPECT_EQ(edit->SelStart(), 7);

  // Delete with a plain caret changes nothing; a typed digit refills the blank.
  Type(u"3");
  EXPECT_EQ(edit->GetDisplayText(), u"(555)123-4567");
  FocusOther();
  EXPECT_EQ(VarToStr(edit->EditValue()), u"(555)123-4567");
}

TEST_F(MaskEditTest, StandardMaskRefusesAnIncompleteValue) {
  auto* edit = NewMaskEdit(emkStandard, u"000");
  edit->Properties()->SetValidationOptions({});
  Press(VK_HOME);
  Type(u"1");
  EXPECT_EQ(edit->GetDisplayText(), u"1__");
  EXPECT_FALSE(edit->ValidateEdit(false));
  EXPECT_EQ(edit->ValidationErrorText(), u"The edit value is invalid");
  Type(u"23");
  EXPECT_TRUE(edit->ValidateEdit(false));
  EXPECT_EQ(VarToStr(edit->EditValue()), u"123");
}

TEST_F(MaskEditTest, StandardMaskKeysTable) {
  struct Step {
    int vk;
    bool shift;
    bool ctrl;
  };
  struct Case {
    const char* name;
    const char16_t* text;  // value set before the keys
    int selStart;
    int selLength;
    std::vector<Step> keys;
    const char16_t* typed;
    const char16_t* shown;
    int caret;
  };
  const Case cases[] = {
      {"Ctrl+Left acts as Home", u"5551234567", 8, 0, {{VK_LEFT, false, true}}, u"", u"(555)123-4567", 1},
      {"Shift+Delete with nothing selected acts as Backspace",
       u"5551234567",
       13,
       0,
       {{VK_DELETE, true, false}},
       u"",
       u"(555)123-456_",
       12},
      {"Delete blanks the selected class positions, literals stay",
       u"5551234567",
       2,
       5,
       {{VK_DELETE, false, false}},
       u"",
       u"(5__)__3-4567",
       2},
      {"Right passes over literals",
       u"5551234567",
       3,
       1,
       {{VK_RIGHT, false, false}},
       u"",
       u"(555)123-4567",
       5},
      {"End goes to the end", u"", 1, 1, {{VK_END, false, false}}, u"", u"(___)___-____", 13},
  };
  auto* edit = NewMaskEdit(emkStandard, u"(999)000-0000;0;_");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetEditValue(Variant(String(c.text)));
    edit->SetSelection(c.selStart, c.selLength);
    for (const Step& s : c.keys) Press(s.vk, s.shift, s.ctrl);
    Type(c.typed);
    EXPECT_EQ(edit->GetDisplayText(), c.shown);
    EXPECT_EQ(edit->SelStart(), c.caret);
  }
}

TEST_F(MaskEditTest, PasteFitsTheTextIntoTheMask) {
  auto* edit = NewMaskEdit(emkStandard, u"(999)000-0000");
  Press(VK_HOME);
  SetClipboardText(u"555123");
  Press(u'V', false, true);
  EXPECT_EQ(edit->GetDisplayText(), u"(555)123-____");
  os::ResetClipboardForTesting();
  const String before = edit->GetDisplayText();
  Press(u'V', false, true);
  EXPECT_EQ(edit->GetDisplayText(), before) << "nothing on the clipboard in text form: nothing happens";
}

TEST_F(MaskEditTest, RegularExpressionMaskWithRealKeys) {
  auto* edit = NewMaskEdit(emkRegExpr, u"\\d+");
  edit->Properties()->SetBeepOnError(true);
  os::TakeBeepsForTesting();
  Type(u"a");
  EXPECT_EQ(edit->GetDisplayText(), u"");
  EXPECT_EQ(os::TakeBeepsForTesting().size(), 1u) << "a refused letter beeps with BeepOnError";
  Type(u"12");
  Press(VK_LEFT);
  Type(u"7");
  EXPECT_EQ(edit->GetDisplayText(), u"172") << "typing between the digits keeps the tail";
  EXPECT_EQ(edit->SelStart(), 2);
  Press(VK_BACK);
  EXPECT_EQ(edit->GetDisplayText(), u"12");
  FocusOther();
  EXPECT_EQ(VarToStr(edit->EditValue()), u"12");
}

TEST_F(MaskEditTest, ExtendedRegularExpressionInsertsForcedCharacters) {
  auto* edit = NewMaskEdit(emkRegExprEx, u"\\d\\d/\\d\\d");
  Type(u"12");
  EXPECT_EQ(edit->GetDisplayText(), u"12/");
  EXPECT_EQ(edit->SelStart(), 3);
  Press(VK_BACK);
  EXPECT_EQ(edit->GetDisplayText(), u"1") << "Backspace removes the separator and the digit before it";
  Type(u"234");
  EXPECT_EQ(edit->GetDisplayText(), u"12/34");
}

TEST_F(MaskEditTest, ExtendedExpressionKeepsItsLeadingLiteral) {
  auto* edit = NewMaskEdit(emkRegExprEx, u"\\(\\d\\d\\d\\)");
  edit->Properties()->SetBeepOnError(true);
  EXPECT_EQ(edit->GetDisplayText(), u"(");
  os::TakeBeepsForTesting();
  Press(VK_BACK);
  EXPECT_EQ(edit->GetDisplayText(), u"(");
  Press(VK_HOME);
  Press(VK_DELETE);
  EXPECT_EQ(edit->GetDisplayText(), u"(");
  EXPECT_EQ(os::TakeBeepsForTesting().size(), 2u);
  Press(VK_END);
  Type(u"123");
  EXPECT_EQ(edit->GetDisplayText(), u"(123)");
}

// A click puts the standard mask's block caret on the character under the mouse.
TEST_F(MaskEditTest, ClickPlacesTheBlockCaret) {
  auto* edit = NewMaskEdit(emkStandard, u"000000");
  edit->SetEditValue(Variant(String(u"123456")));
  FocusOther();
  TWinControl* inner = edit->InnerEdit()->GetControl();
  // Over the third character.
  const TPoint p =
      inner->ClientToScreen(TPoint{cxTextSize(inner->Font(), u"12").cx + 2, inner->Height() / 2});
  os::InjectMouseMove(POINT{p.X, p.Y});
  os::InjectMouseButton(WM_LBUTTONDOWN, POINT{p.X, p.Y});
  os::InjectMouseButton(WM_LBUTTONUP, POINT{p.X, p.Y});
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), inner->Handle());
  EXPECT_EQ(edit->SelLength(), 1);
  EXPECT_EQ(edit->SelStart(), 2);
  Type(u"9");
  EXPECT_EQ(edit->GetDisplayText(), u"129456");
}

TEST_F(MaskEditTest, CutBlanksTheSelectionAndCopiesIt) {
  auto* edit = NewMaskEdit(emkStandard, u"(999)000-0000");
  edit->SetEditValue(Variant(String(u"5551234567")));
  edit->SetSelection(1, 3);
  Press(u'X', false, true);
  EXPECT_EQ(Clipboard()->AsText(), u"555");
  EXPECT_EQ(edit->GetDisplayText(), u"(___)123-4567");
}

TEST_F(MaskEditTest, MaskAndKindChanges) {
  auto* edit = NewMaskEdit(emkStandard, u"000");
  TcxMaskEditProperties* props = edit->Properties();
  EXPECT_EQ(edit->Mode()->GetMaskKind(), emkStandard);

  // Another language alone clears the mask.
  props->SetMaskKind(emkRegExpr);
  EXPECT_EQ(edit->Mode()->GetMaskKind(), emkRegExpr);
  EXPECT_EQ(props->EditMask(), u"");
  EXPECT_FALSE(props->IsMasked());

  // Kind and mask set together keep the new mask.
  props->BeginUpdate();
  props->SetMaskKind(emkStandard);
  props->SetEditMask(u"00-00");
  props->EndUpdate();
  props->BeginUpdate();
  props->SetMaskKind(emkRegExprEx);
  props->SetEditMask(u"[a-c]\\d");
  props->EndUpdate();
  EXPECT_EQ(edit->Mode()->GetMaskKind(), emkRegExprEx);
  EXPECT_EQ(props->EditMask(), u"[a-c]\\d");
  EXPECT_EQ(edit->Mode()->EditMask(), u"[a-c]\\d");

  // Between the two regular-expression kinds the mask stays.
  props->SetMaskKind(emkRegExpr);
  EXPECT_EQ(props->EditMask(), u"[a-c]\\d");
  edit->SetEditValue(Null());
  Type(u"x");
  EXPECT_EQ(edit->GetDisplayText(), u"") << "x does not start [a-c]";
  Type(u"b4");
  EXPECT_EQ(edit->GetDisplayText(), u"b4");
}

TEST_F(MaskEditTest, InvalidRegularExpressionKeepsThePreviousMask) {
  auto* edit = NewMaskEdit(emkRegExpr, u"\\d+");
  try {
    edit->Properties()->SetEditMask(u"(ab");
    FAIL() << "no error";
  } catch (const EcxMaskEditError& e) {
    EXPECT_EQ(e.Message().substr(0, 26), u"Regular expression errors:");
  }
  EXPECT_EQ(edit->Properties()->EditMask(), u"\\d+");
}

TEST_F(MaskEditTest, BlankMaskIsNoMask) {
  auto* edit = NewMaskEdit(emkStandard, u"   ");
  EXPECT_FALSE(edit->Properties()->IsMasked());
  EXPECT_FALSE(edit->Properties()->GetSupportedOperations().Contains(esoEditingAutoHeight));
  Type(u"free text");
  EXPECT_EQ(edit->GetDisplayText(), u"free text");
}

TEST_F(MaskEditTest, CharCaseForcesCaseInsensitive) {
  auto* edit = NewMaskEdit(emkRegExpr, u"[a-c]+");
  TcxMaskEditProperties* props = edit->Properties();
  props->SetCaseInsensitive(false);
  EXPECT_FALSE(props->CaseInsensitive());
  props->SetCharCase(ecUpperCase);
  EXPECT_TRUE(props->CaseInsensitive());
  props->SetCaseInsensitive(false);
  EXPECT_TRUE(props->CaseInsensitive());
  Type(u"ab");
  EXPECT_EQ(edit->GetDisplayText(), u"AB");
}

TEST_F(MaskEditTest, UnfocusedStandardMaskShowsTheValueForm) {
  auto* edit = NewMaskEdit(emkStandard, u"(999)000-0000;0;_");
  edit->SetEditValue(Variant(String(u"5551234567")));
  EXPECT_EQ(edit->GetDisplayText(), u"(555)123-4567");
  FocusOther();
  EXPECT_EQ(edit->GetDisplayText(), u"5551234567") << "literals are not saved: unfocused text without them";
  edit->Properties()->SetAlwaysShowBlanksAndLiterals(true);
  EXPECT_EQ(edit->GetDisplayText(), u"(555)123-4567");
  EXPECT_EQ(VarToStr(edit->EditValue()), u"5551234567");
}

// Mask properties kept in a stored form.
class MaskPropertiesHolder : public TComponent {
  QD_CLASS_INLINE(MaskPropertiesHolder, TComponent)
  QD_PUBLISHED(MaskPropertiesHolder)

 public:
  explicit MaskPropertiesHolder(TComponent* AOwner)
      : TComponent(AOwner), FProperties(new TcxMaskEditProperties(this)) {}
  ~MaskPropertiesHolder() override { delete FProperties; }
  TcxMaskEditProperties* Properties() const { return FProperties; }
  void SetProperties(TcxMaskEditProperties* Value) { FProperties->Assign(Value); }

 private:
  TcxMaskEditProperties* FProperties;
};

void MaskPropertiesHolder::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Properties", &MaskPropertiesHolder::Properties, &MaskPropertiesHolder::SetProperties);
}

// A stored form holds the kind before the mask, so that reading it back keeps the mask.
TEST_F(MaskEditTest, StoredFormKeepsKindAndMask) {
  MaskPropertiesHolder holder(nullptr);
  holder.SetName(u"Holder");
  holder.Properties()->SetMaskKind(emkRegExprEx);
  holder.Properties()->SetEditMask(u"\\d\\d/\\d\\d");
  const String form = WriteComponentToText(&holder);
  const size_t kind = form.find(u"Properties.MaskKind = emkRegExprEx");
  const size_t mask = form.find(u"Properties.EditMask = ");
  ASSERT_NE(kind, String::npos) << StringToUtf8(form);
  ASSERT_NE(mask, String::npos) << StringToUtf8(form);
  EXPECT_LT(kind, mask);

  MaskPropertiesHolder copy(nullptr);
  ReadComponentFromText(form, &copy);
  EXPECT_EQ(copy.Properties()->MaskKind(), emkRegExprEx);
  EXPECT_EQ(copy.Properties()->EditMask(), u"\\d\\d/\\d\\d");

  auto* edit = NewFocusedEdit<TcxMaskEdit>();
  edit->SetProperties(copy.Properties());
  EXPECT_EQ(edit->Mode()->GetMaskKind(), emkRegExprEx);
  Type(u"12");
  EXPECT_EQ(edit->GetDisplayText(), u"12/");
}

// The text editor's settings of a mask editor survive a stored form too, and so does a
// ValidateOnEnter turned off (a mask editor starts with it on).
TEST_F(MaskEditTest, StoredFormKeepsTheTextEditorSettings) {
  MaskPropertiesHolder holder(nullptr);
  holder.SetName(u"Holder");
  holder.Properties()->Alignment()->SetHorz(taRightJustify);
  holder.Properties()->SetMaxLength(5);
  holder.Properties()->SetReadOnly(true);
  holder.Properties()->SetCharCase(ecUpperCase);
  holder.Properties()->SetValidateOnEnter(false);
  const String form = WriteComponentToText(&holder);

  MaskPropertiesHolder copy(nullptr);
  ReadComponentFromText(form, &copy);
  EXPECT_EQ(copy.Properties()->Alignment()->Horz(), taRightJustify) << StringToUtf8(form);
  EXPECT_EQ(copy.Properties()->MaxLength(), 5);
  EXPECT_TRUE(copy.Properties()->ReadOnly());
  EXPECT_EQ(copy.Properties()->CharCase(), ecUpperCase);
  EXPECT_FALSE(copy.Properties()->ValidateOnEnter());

  MaskPropertiesHolder fresh(nullptr);
  ReadComponentFromText(WriteComponentToText(&fresh), &fresh);
  EXPECT_TRUE(fresh.Properties()->ValidateOnEnter());
}

TEST_F(MaskEditTest, RegisteredOnceWithItsDescription) {
  cxMaskEdit::Initialize();
  const TClass cls = TcxMaskEditProperties::StaticClass();
  EXPECT_EQ(GetRegisteredEditProperties()->GetDescriptionByClass(cls), u"MaskEdit");
  EXPECT_EQ(GetRegisteredEditProperties()->GetHintByClass(cls), u"Represents a generic masked editor.");
  cxMaskEdit::Finalize();
  EXPECT_LT(GetRegisteredEditProperties()->GetIndexByClass(cls), 0);
}

}  // namespace
}  // namespace qd::testing
