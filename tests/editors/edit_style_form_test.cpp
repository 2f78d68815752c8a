// Editor styles in stored forms: every value a style stores is written when assigned (and
// published by the editor for that state), read back to the same value, and nothing else.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "platform/classes/filer.h"
#include "ui/editors/cxDropDownEdit.h"
#include "ui/editors/cxDropDownEditComboBox.h"

namespace qd::testing {
namespace {

// The lines of a stored form that set a value of one of the four styles.
std::vector<String> StoredStyleLines(const String& AText) {
  std::vector<String> lines;
  size_t start = 0;
  while (start < AText.size()) {
    size_t end = AText.find(u'\n', start);
    if (end == String::npos) end = AText.size();
    String line = AText.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    const size_t first = line.find_first_not_of(u' ');
    if (first != String::npos) {
      line = line.substr(first);
      if (line.rfind(u"Style", 0) == 0) lines.push_back(line);
    }
    start = end + 1;
  }
  return lines;
}

struct StyleValueCase {
  const char* Name;
  std::function<void(TcxCustomEdit*)> Assign;
  // The lines written for the styles, in order; empty when nothing is written.
  std::vector<String> Lines;
  // Compares the value read back with the value assigned.
  std::function<void(TcxCustomEdit* AWritten, TcxCustomEdit* ARead)> Check;
};

void PrintTo(const StyleValueCase& c, std::ostream* os) {
  *os << c.Name;
}

class EditStyleForm : public TextEditTest, public ::testing::WithParamInterface<StyleValueCase> {
 protected:
  void SetUp() override {
    TextEditTest::SetUp();
    cxDropDownEdit::Initialize();
  }
  void TearDown() override {
    cxDropDownEdit::Finalize();
    TextEditTest::TearDown();
  }
};

TEST_P(EditStyleForm, AnAssignedValueIsWrittenAndReadBack) {
  const StyleValueCase& c = GetParam();
  TForm* form = NewPlainForm();
  auto* combo = new TcxComboBox(form);
  combo->SetName(u"Combo");
  combo->SetParent(form);
  c.Assign(combo);

  form->SetName(u"StyleSource");
  const String text = WriteComponentToText(form);
  EXPECT_EQ(StoredStyleLines(text), c.Lines) << StringToUtf8(text);
  form->SetName(String());

  TForm* other = NewPlainForm();
  ReadComponentFromText(text, other);
  auto* copy = dynamic_cast<TcxComboBox*>(other->FindComponent(u"Combo"));
  ASSERT_NE(copy, nullptr);
  for (TcxContainerStateItem state : {csNormal, csActive, csDisabled, csHotTrack}) {
    SCOPED_TRACE(static_cast<int>(state));
    // What was not written is not assigned in the copy.
    const TcxContainerStyleValues expected =
        c.Lines.empty() ? TcxContainerStyleValues() : combo->Styles()->Style(state)->AssignedValues();
    EXPECT_EQ(copy->Styles()->Style(state)->AssignedValues(), expected);
  }
  c.Check(combo, copy);
  delete other;
  delete form;
}

template <class Get>
std::function<void(TcxCustomEdit*, TcxCustomEdit*)> SameStyleValue(Get AGet) {
  return [AGet](TcxCustomEdit* AWritten, TcxCustomEdit* ARead) { EXPECT_EQ(AGet(ARead), AGet(AWritten)); };
}

const StyleValueCase kStyleValueCases[] = {
    {"BorderColor",
     [](TcxCustomEdit* e) { e->Style()->SetBorderColor(clRed); },
     {u"Style.BorderColor = clRed"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->BorderColor(); })},
    {"BorderStyle",
     [](TcxCustomEdit* e) { e->Style()->SetBorderStyle(cbsFlat); },
     {u"Style.BorderStyle = ebsFlat"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->BorderStyle(); })},
    {"FocusedBorderStyle",
     [](TcxCustomEdit* e) { e->StyleFocused()->SetBorderStyle(cbsThick); },
     {u"StyleFocused.BorderStyle = ebsThick"},
     SameStyleValue([](TcxCustomEdit* e) { return e->StyleFocused()->BorderStyle(); })},
    {"ButtonStyle",
     [](TcxCustomEdit* e) { e->Style()->SetButtonStyle(btsUltraFlat); },
     {u"Style.ButtonStyle = btsUltraFlat"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->ButtonStyle(); })},
    {"HotButtonStyle",
     [](TcxCustomEdit* e) { e->StyleHot()->SetButtonStyle(btsHotFlat); },
     {u"StyleHot.ButtonStyle = btsHotFlat"},
     SameStyleValue([](TcxCustomEdit* e) { return e->StyleHot()->ButtonStyle(); })},
    {"ButtonTransparency",
     [](TcxCustomEdit* e) { e->Style()->SetButtonTransparency(ebtHideInactive); },
     {u"Style.ButtonTransparency = ebtHideInactive"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->ButtonTransparency(); })},
    {"Color",
     [](TcxCustomEdit* e) { e->Style()->SetColor(clYellow); },
     {u"Style.Color = clYellow"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->Color(); })},
    {"DisabledColor",
     [](TcxCustomEdit* e) { e->StyleDisabled()->SetColor(clSilver); },
     {u"StyleDisabled.Color = clSilver"},
     SameStyleValue([](TcxCustomEdit* e) { return e->StyleDisabled()->Color(); })},
    {"Edges",
     [](TcxCustomEdit* e) {
       e->Style()->SetEdges(TcxBorders{bLeft, bTop});
     },
     {u"Style.Edges = [bLeft, bTop]"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->Edges(); })},
    {"Font",
     [](TcxCustomEdit* e) {
       e->Style()->Font()->SetName(u"Courier New");
       e->Style()->Font()->SetHeight(-15);
     },
     {u"Style.Font.Charset = DEFAULT_CHARSET", u"Style.Font.Color = clWindowText", u"Style.Font.Height = -15",
      u"Style.Font.Name = 'Courier New'", u"Style.Font.Style = []", u"Style.IsFontAssigned = True"},
     [](TcxCustomEdit* w, TcxCustomEdit* r) {
       EXPECT_EQ(r->Style()->Font()->Name(), w->Style()->Font()->Name());
       EXPECT_EQ(r->Style()->Font()->Height(), -15);
     }},
    {"GradientButtons",
     [](TcxCustomEdit* e) { e->Style()->SetGradientButtons(true); },
     {u"Style.GradientButtons = True"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->GradientButtons(); })},
    {"HotTrack",
     [](TcxCustomEdit* e) { e->Style()->SetHotTrack(false); },
     {u"Style.HotTrack = False"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->HotTrack(); })},
    // Values that exist once are kept by the normal style, whichever state was given them.
    {"HotTrackThroughTheFocusedStyle",
     [](TcxCustomEdit* e) { e->StyleFocused()->SetHotTrack(false); },
     {u"Style.HotTrack = False"},
     SameStyleValue([](TcxCustomEdit* e) { return e->StyleFocused()->HotTrack(); })},
    {"LookAndFeel",
     [](TcxCustomEdit* e) { e->Style()->LookAndFeel()->SetKind(lfOffice11); },
     {u"Style.LookAndFeel.AssignedValues = [lfvKind]", u"Style.LookAndFeel.Kind = lfOffice11"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->LookAndFeel()->Kind(); })},
    {"PopupBorderStyle",
     [](TcxCustomEdit* e) { e->Style()->SetPopupBorderStyle(epbsFrame3D); },
     {u"Style.PopupBorderStyle = epbsFrame3D"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->PopupBorderStyle(); })},
    {"Shadow",
     [](TcxCustomEdit* e) { e->Style()->SetShadow(true); },
     {u"Style.Shadow = True"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->Shadow(); })},
    {"TextColor",
     [](TcxCustomEdit* e) { e->Style()->SetTextColor(clBlue); },
     {u"Style.TextColor = clBlue"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->TextColor(); })},
    {"FocusedTextColor",
     [](TcxCustomEdit* e) { e->StyleFocused()->SetTextColor(clMaroon); },
     {u"StyleFocused.TextColor = clMaroon"},
     SameStyleValue([](TcxCustomEdit* e) { return e->StyleFocused()->TextColor(); })},
    {"TextStyle",
     [](TcxCustomEdit* e) {
       e->Style()->SetTextStyle(TFontStyles{fsBold, fsItalic});
     },
     {u"Style.TextStyle = [fsBold, fsItalic]"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->TextStyle(); })},
    {"TransparentBorder",
     [](TcxCustomEdit* e) { e->Style()->SetTransparentBorder(false); },
     {u"Style.TransparentBorder = False"},
     SameStyleValue([](TcxCustomEdit* e) { return e->Style()->TransparentBorder(); })},
    // The combo box does not publish the gradients: they stay out of its form.
    {"GradientNotPublished",
     [](TcxCustomEdit* e) {
       e->Style()->SetGradient(true);
       e->Style()->SetGradientDirection(dirLeft);
     },
     {},
     [](TcxCustomEdit*, TcxCustomEdit* r) {
       EXPECT_FALSE(r->Style()->Gradient());
       EXPECT_EQ(r->Style()->GradientDirection(), dirDown);
     }},
    {"Nothing", [](TcxCustomEdit*) {}, {}, SameStyleValue([](TcxCustomEdit* e) {
       return e->Style()->AssignedValues().Empty();
     })},
};

INSTANTIATE_TEST_SUITE_P(Values, EditStyleForm, ::testing::ValuesIn(kStyleValueCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A plain text editor publishes none of the button values.
TEST_F(EditStyleForm, ATextEditorWritesNoButtonValues) {
  TForm* form = NewPlainForm();
  auto* edit = new TcxTextEdit(form);
  edit->SetName(u"Edit");
  edit->SetParent(form);
  edit->Style()->SetButtonStyle(bts3D);
  edit->Style()->SetPopupBorderStyle(epbsFlat);
  edit->Style()->SetColor(clAqua);
  const String text = WriteComponentToText(edit);
  EXPECT_EQ(StoredStyleLines(text), std::vector<String>{u"Style.Color = clAqua"}) << StringToUtf8(text);
  delete form;
}

// An editor linked to a controller of the same form names it; reading links the editor to the
// controller of the form read, and the editor takes its unassigned values from it.
TEST_F(EditStyleForm, TheStyleControllerIsStoredByName) {
  TForm* form = NewPlainForm();
  auto* controller = new TcxEditStyleController(form);
  controller->SetName(u"Controller");
  controller->Style()->SetColor(clAqua);
  controller->StyleFocused()->SetTextColor(clRed);
  // A controller's styles belong to no editor: every assigned value is written.
  controller->Style()->SetGradient(true);
  controller->StyleHot()->SetGradientDirection(dirLeft);
  auto* edit = new TcxTextEdit(form);
  edit->SetName(u"Edit");
  edit->SetParent(form);
  edit->Style()->SetStyleController(controller);
  const String editText = WriteComponentToText(edit);
  EXPECT_EQ(StoredStyleLines(editText), std::vector<String>{u"Style.StyleController = Controller"})
      << StringToUtf8(editText);
  const String controllerText = WriteComponentToText(controller);
  EXPECT_EQ(StoredStyleLines(controllerText),
            (std::vector<String>{u"Style.Color = clAqua", u"Style.Gradient = True",
                                 u"Style.GradientDirection = dirLeft", u"StyleFocused.TextColor = clRed"}))
      << StringToUtf8(controllerText);
  delete form;

  RegisterClass(TcxEditStyleController::StaticClass());
  RegisterClass(TcxTextEdit::StaticClass());
  TForm* stored = NewPlainForm();
  ReadComponentFromText(
      u"object Stored: TForm\n"
      u"  object Edit: TcxTextEdit\n"
      u"    Style.StyleController = Controller\n"
      u"  end\n"
      u"  object Controller: TcxEditStyleController\n"
      u"    Style.Color = clAqua\n"
      u"    Style.Gradient = True\n"
      u"    Style.GradientDirection = dirLeft\n"
      u"    StyleFocused.TextColor = clRed\n"
      u"  end\n"
      u"end\n",
      stored);
  auto* readController = dynamic_cast<TcxEditStyleController*>(stored->FindComponent(u"Controller"));
  auto* readEdit = dynamic_cast<TcxTextEdit*>(stored->FindComponent(u"Edit"));
  ASSERT_NE(readController, nullptr);
  ASSERT_NE(readEdit, nullptr);
  EXPECT_EQ(readEdit->Style()->StyleController(), readController);
  EXPECT_EQ(readEdit->Style()->Color(), clAqua);
  EXPECT_EQ(readEdit->StyleFocused()->TextColor(), clRed);
  EXPECT_FALSE(readEdit->Style()->AssignedValues().Contains(svColor));
  EXPECT_TRUE(readController->Style()->Gradient());
  EXPECT_EQ(readController->StyleHot()->GradientDirection(), dirLeft);
  EXPECT_EQ(readEdit->StyleHot()->GradientDirection(), dirLeft) << "through the controller";
  delete stored;
  UnRegisterClass(TcxTextEdit::StaticClass());
  UnRegisterClass(TcxEditStyleController::StaticClass());
}

}  // namespace
}  // namespace qd::testing
