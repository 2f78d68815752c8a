// Editors drawn on their parent's colour (label, check box, progress bar, track bar) follow it
// from the start, except in place and when a style controller gives them a colour.
#include <functional>

#include "editors/edit_test_util.h"
#include "ui/editors/concrete/cxCheckBox.h"
#include "ui/editors/concrete/cxLabel.h"
#include "ui/editors/concrete/cxProgressBar.h"
#include "ui/editors/concrete/cxTrackBar.h"
#include "ui/editors/cxTextEdit.h"

namespace qd::testing {
namespace {

struct ParentColorCase {
  const char* Name;
  TClass Class;
  std::function<TcxCustomEdit*(TComponent*)> New;
};

const ParentColorCase kCases[] = {
    {"label", TcxLabel::StaticClass(), [](TComponent* o) { return new TcxLabel(o); }},
    {"check box", TcxCheckBox::StaticClass(), [](TComponent* o) { return new TcxCheckBox(o); }},
    {"progress bar", TcxProgressBar::StaticClass(), [](TComponent* o) { return new TcxProgressBar(o); }},
    {"track bar", TcxTrackBar::StaticClass(), [](TComponent* o) { return new TcxTrackBar(o); }},
};

class ParentColorTest : public EditTest {
 protected:
  TForm* NewYellowForm() {
    TForm* form = NewPlainForm();
    form->SetColor(clYellow);
    return form;
  }
  static TcxCustomEdit* ByClass(TClass AClass, TComponent* AOwner) {
    return static_cast<TcxCustomEdit*>(AClass->Create(AOwner));
  }
};

TEST_F(ParentColorTest, EditorsOnTheirParentsColourFollowIt) {
  TForm* form = NewYellowForm();
  for (const ParentColorCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    TcxCustomEdit* stored = ByClass(c.Class, form);  // as a stored form makes it
    stored->SetParent(form);
    EXPECT_TRUE(stored->ParentColor());
    EXPECT_EQ(stored->Color(), clYellow);
    TcxCustomEdit* coded = c.New(form);
    coded->SetParent(form);
    EXPECT_TRUE(coded->ParentColor());
    EXPECT_EQ(coded->Color(), clYellow);
  }
  auto* text = new TcxTextEdit(form);
  text->SetParent(form);
  EXPECT_FALSE(text->ParentColor());
  EXPECT_EQ(text->Color(), clWindow);
}

TEST_F(ParentColorTest, AnInPlaceEditorKeepsItsOwnColour) {
  TForm* form = NewYellowForm();
  for (const ParentColorCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    TcxCustomEdit* edit = TcxCustomEdit::CreateInplace(c.Class, form);
    edit->SetParent(form);
    EXPECT_FALSE(edit->ParentColor());
    EXPECT_NE(edit->Color(), clYellow);
  }
}

TEST_F(ParentColorTest, AColourFromTheStyleControllerWins) {
  TForm* form = NewYellowForm();
  DefaultEditStyleController()->Style()->SetColor(clAqua);
  for (const ParentColorCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    TcxCustomEdit* stored = ByClass(c.Class, form);
    stored->SetParent(form);
    EXPECT_FALSE(stored->ParentColor());
    EXPECT_EQ(stored->Color(), clAqua);
    TcxCustomEdit* coded = c.New(form);
    coded->SetParent(form);
    EXPECT_FALSE(coded->ParentColor());
    EXPECT_EQ(coded->Color(), clAqua);
  }
}

}  // namespace
}  // namespace qd::testing
