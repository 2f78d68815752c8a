// The base editor: edit value and modified flags, the editing request, change events in
// order, validation outcomes, reset, posting, repository items and in-place edit lists.
#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_test_util.h"

namespace qd::testing {
namespace {

using Events = std::vector<std::string>;

TEST_F(EditTest, NewEditorIsNullAndUnmodified) {
  TestEdit edit(nullptr);
  EXPECT_TRUE(VarIsNull(edit.EditValue()));
  EXPECT_FALSE(edit.GetModified());
  EXPECT_FALSE(edit.ModifiedAfterEnter());
  EXPECT_FALSE(edit.ValidationError());
  EXPECT_TRUE(edit.Properties()->InheritsFrom(TestEditProperties::StaticClass()));
  EXPECT_EQ(edit.ActiveProperties(), edit.Properties());
  EXPECT_EQ(edit.Style()->ButtonStyle(), btsDefault);
}

// The editing state machine: how a value write changes the flags, by who writes it and what
// OnEditing answers.
TEST_F(EditTest, ValueWritesByActorAndEditingAnswer) {
  struct Case {
    const char* Name;
    bool UserAction;
    bool AllowEditing;
    bool ExpectStored;
    bool ExpectModifiedAfterEnter;
    Events ExpectEvents;
  };
  const Case cases[] = {
      {"code", false, true, true, false, {"EditValueChanged", "Change"}},
      {"code, editing refused (not asked)", false, false, true, false, {"EditValueChanged", "Change"}},
      {"user", true, true, true, true, {"Editing", "EditValueChanged", "Change"}},
      {"user, editing refused", true, false, false, false, {"Editing"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TestEdit edit(nullptr);
    EditEventLog log;
    log.Attach(&edit, edit.Properties());
    log.AllowEditing = c.AllowEditing;
    if (c.UserAction)
      edit.SetValidatableEditValue(Variant(String(u"abc")));
    else
      edit.SetEditValue(Variant(String(u"abc")));
    EXPECT_EQ(edit.EditValue() == Variant(String(u"abc")), c.ExpectStored);
    EXPECT_EQ(edit.ModifiedAfterEnter(), c.ExpectModifiedAfterEnter);
    EXPECT_EQ(edit.GetModified(), c.ExpectModifiedAfterEnter);
    // The write from inside OnEditing is ignored: edit-value changes are locked there.
    EXPECT_EQ(log.Events, c.ExpectEvents);
  }
}

TEST_F(EditTest, SameValueFiresNothingAndCodeWriteClearsModified) {
  TestEdit edit(nullptr);
  EditEventLog log;
  log.Attach(&edit, edit.Properties());
  edit.SetEditValue(Variant(5));
  log.Events.clear();
  edit.SetEditValue(Variant(5));
  EXPECT_TRUE(log.Events.empty());
  edit.SetModifiedAfterEnter(true);
  EXPECT_TRUE(edit.GetModified());
  edit.SetEditValue(Variant(6));
  EXPECT_FALSE(edit.GetModified());
  EXPECT_FALSE(edit.ModifiedAfterEnter());
}

TEST_F(EditTest, LockedChangeEventsFireOnceInOrderAtTheLastUnlock) {
  TestEdit edit(nullptr);
  EditEventLog log;
  log.Attach(&edit, edit.Properties());
  edit.LockChangeEvents(true);
  edit.LockChangeEvents(true);
  edit.SetEditValue(Variant(1));
  edit.SetEditValue(Variant(2));
  edit.SetEditValue(Variant(3));
  edit.LockChangeEvents(false);
  EXPECT_TRUE(log.Events.empty());
  edit.LockChangeEvents(false);
  EXPECT_EQ(log.Events, (Events{"Change", "EditValueChanged"}));

  log.Events.clear();
  edit.LockChangeEvents(true);
  edit.SetEditValue(Variant(4));
  edit.LockChangeEvents(false, false);  // dropped
  edit.LockChangeEvents(false);         // below zero: ignored
  EXPECT_TRUE(log.Events.empty());
  EXPECT_FALSE(edit.AreChangeEventsLocked());
}

TEST_F(EditTest, ChangeEventsAlsoFireOnTheRepositoryItemProperties) {
  TcxEditRepository repository(nullptr);
  auto* item = repository.CreateItem(TcxEditRepositoryItem::StaticClass());
  TcxCustomEdit edit(nullptr);
  EditEventLog own, shared;
  own.Attach(&edit, edit.Properties());
  edit.SetRepositoryItem(item);
  shared.Attach(&edit, item->Properties());
  edit.DoOnChange();
  EXPECT_EQ(own.Events, (Events{"Change"}));
  EXPECT_EQ(shared.Events, (Events{"Change"}));
}

TEST_F(EditTest, InplaceChangeHandlerSeesTheEditorModified) {
  TestEdit edit(nullptr, true);
  EditEventLog log;
  log.Attach(&edit, edit.Properties());
  edit.DoChange();
  EXPECT_TRUE(log.ModifiedSeenInChange);
  EXPECT_FALSE(edit.GetModified());
  EXPECT_FALSE(edit.ModifiedAfterEnter());
}

TEST_F(EditTest, UserActionCounters) {
  TestEdit edit(nullptr);
  edit.EndUserAction();  // never below zero
  EXPECT_FALSE(edit.IsUserAction());
  edit.BeginUserAction();
  EXPECT_TRUE(edit.IsUserAction());
  edit.DisableUserAction();
  EXPECT_FALSE(edit.IsUserAction());
  edit.EnableUserAction();
  EXPECT_TRUE(edit.IsUserAction());
  EXPECT_THROW(edit.EnableUserAction(), EcxEditError);
}

// Validation outcomes by options, error text and whether the validation was forced.
struct ValidationCase {
  const char* Name;
  TcxEditValidationOptions Options;
  const char16_t* ErrorText;  // nullptr: no error
  bool Forced;
  enum { kNone, kValidationError, kAbort } Raises;
  bool Valid;
};

class EditValidationTest : public EditTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(EditValidationTest, Outcome) {
  const ValidationCase& c = GetParam();
  TestEdit edit(nullptr);
  edit.Properties()->SetValidationOptions(c.Options);
  struct Validator {
    const char16_t* Text;
    void OnValidate(TObject*, Variant&, String& ErrorText, bool& Error) {
      if (!Text) return;
      Error = true;
      ErrorText = Text;
    }
  } validator{c.ErrorText};
  edit.Properties()->SetOnValidate(MakeMethod(&validator, &Validator::OnValidate));
  edit.SetValidatableEditValue(Variant(String(u"typed")));
  ASSERT_TRUE(edit.ModifiedAfterEnter());

  bool valid = false;
  auto run = [&] { valid = c.Forced ? edit.ValidateEdit() : edit.InternalValidateEdit(false); };
  switch (c.Raises) {
    case ValidationCase::kNone:
      EXPECT_NO_THROW(run());
      EXPECT_EQ(valid, c.Valid);
      break;
    case ValidationCase::kValidationError:
      try {
        run();
        ADD_FAILURE() << "no validation error raised";
      } catch (const EcxEditValidationError& e) {
        EXPECT_EQ(e.Message(), String(c.ErrorText));
      }
      break;
    case ValidationCase::kAbort:
      EXPECT_THROW(run(), EAbort);
      break;
  }
  EXPECT_EQ(edit.ValidationError(), c.ErrorText != nullptr);
  if (c.ErrorText) EXPECT_EQ(edit.ValidationErrorText(), String(c.ErrorText));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditValidationTest,
    ::testing::Values(
        ValidationCase{"valid", {evoRaiseException}, nullptr, false, ValidationCase::kNone, true},
        ValidationCase{
            "raise", {evoRaiseException}, u"Bad value", false, ValidationCase::kValidationError, false},
        ValidationCase{"empty text aborts", {evoRaiseException}, u"", false, ValidationCase::kAbort, false},
        ValidationCase{"no raise aborts", {}, u"Bad value", false, ValidationCase::kAbort, false},
        ValidationCase{
            "allow lose focus", {evoAllowLoseFocus}, u"Bad value", false, ValidationCase::kNone, false},
        ValidationCase{"forced never aborts", {}, u"Bad value", true, ValidationCase::kNone, false},
        ValidationCase{"forced raises",
                       {evoRaiseException},
                       u"Bad value",
                       true,
                       ValidationCase::kValidationError,
                       false}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) {
      std::string name = info.param.Name;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(EditTest, ValidationDefaultTextAndHandlerChangedValueIsWrittenBack) {
  TestEdit edit(nullptr);
  struct Validator {
    void OnValidate(TObject*, Variant& DisplayValue, String&, bool& Error) {
      DisplayValue = Variant(String(u"fixed"));
      Error = true;
    }
  } validator;
  edit.Properties()->SetOnValidate(MakeMethod(&validator, &Validator::OnValidate));
  edit.Properties()->SetValidationOptions({evoAllowLoseFocus});
  edit.SetValidatableEditValue(Variant(String(u"typed")));
  EXPECT_FALSE(edit.InternalValidateEdit(false));
  EXPECT_EQ(edit.ValidationErrorText(), u"Invalid input value. Use escape key to abandon changes");
  ASSERT_FALSE(edit.DisplayValuesSet.empty());
  EXPECT_EQ(edit.DisplayValuesSet.back(), u"fixed");
  // Accepted despite the error: the focus may leave.
  EXPECT_TRUE(edit.IsEditValidated());
}

TEST_F(EditTest, UnmodifiedEditorIsNotValidatedAgain) {
  TestEdit edit(nullptr);
  int calls = 0;
  struct Validator {
    int* Calls;
    void OnValidate(TObject*, Variant&, String&, bool&) { ++*Calls; }
  } validator{&calls};
  edit.Properties()->SetOnValidate(MakeMethod(&validator, &Validator::OnValidate));
  EXPECT_TRUE(edit.InternalValidateEdit(false));
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(edit.ValidateEdit(true));
  EXPECT_EQ(calls, 1);
}

TEST_F(EditTest, EscapeRestoresTheValueSavedAtEntry) {
  TestEdit edit(nullptr);
  EditEventLog log;
  log.Attach(&edit, edit.Properties());
  edit.SetEditValue(Variant(String(u"saved")));
  edit.DoShowEdit();
  EXPECT_FALSE(edit.ResetByEscape());  // nothing changed since entry: the key goes on
  edit.SetValidatableEditValue(Variant(String(u"typed")));
  log.Events.clear();
  EXPECT_TRUE(edit.ResetByEscape());
  EXPECT_EQ(edit.EditValue(), Variant(String(u"saved")));
  EXPECT_FALSE(edit.ModifiedAfterEnter());
  EXPECT_TRUE(edit.GetModified());
  EXPECT_EQ(log.Events, (Events{"Change", "EditValueChanged"}));
}

TEST_F(EditTest, ClearKeyPostsAtOnceWithImmediatePost) {
  TestEdit edit(nullptr, true);
  EditEventLog log;
  log.Attach(&edit, edit.Properties());
  edit.Properties()->SetImmediatePost(true);
  edit.SetEditValue(Variant(3));
  edit.BeginUserAction();
  edit.SetEditValue(Variant(4));  // the user typed: the binding is modified
  edit.EndUserAction();
  log.Events.clear();
  edit.ClearByKey();
  EXPECT_TRUE(VarIsNull(edit.EditValue()));
  EXPECT_EQ(log.Events, (Events{"Change", "EditValueChanged", "Post"}));
  EXPECT_FALSE(edit.GetModified());
  EXPECT_TRUE(edit.IsEditValidated());
}

TEST_F(EditTest, InplacePostingFailureKeepsTheEditorModified) {
  TestEdit edit(nullptr, true);
  struct Poster {
    void Post(TObject*) { throw EcxEditError(u"store refused"); }
  } poster;
  edit.OnPostEditValue = MakeMethod(&poster, &Poster::Post);
  edit.SetValidatableEditValue(Variant(7));
  EXPECT_NO_THROW(edit.PostEditValue());
  // Swallowed, but not taken for a successful post.
  EXPECT_TRUE(edit.ModifiedAfterEnter());
  EXPECT_TRUE(edit.GetModified());
  EXPECT_FALSE(edit.IsPosting());
}

TEST_F(EditTest, InplaceDeactivateAnswersTheValidation) {
  TestEdit edit(nullptr, true);
  TcxCustomEditData* data = nullptr;
  edit.Activate(data, false);
  EXPECT_TRUE(edit.Visible());
  struct Validator {
    void OnValidate(TObject*, Variant&, String& Text, bool& Error) {
      Error = true;
      Text = u"No";
    }
  } validator;
  edit.Properties()->SetOnValidate(MakeMethod(&validator, &Validator::OnValidate));
  edit.Properties()->SetValidationOptions({evoAllowLoseFocus});
  EXPECT_TRUE(edit.Deactivate());  // not modified: valid
  edit.SetValidatableEditValue(Variant(1));
  EXPECT_FALSE(edit.Deactivate());
}

TEST_F(EditTest, RepositoryItemAcceptanceAndRemoval) {
  TcxEditRepository repository(nullptr);
  auto* item = repository.CreateItem(TcxEditRepositoryItem::StaticClass());
  TestEdit a(nullptr), b(nullptr);
  // The item's base properties are not the editors' class.
  try {
    a.SetRepositoryItem(item);
    ADD_FAILURE() << "no error";
  } catch (const EcxEditError& e) {
    EXPECT_EQ(e.Message(), u"The repository item is not acceptable");
  }
  EXPECT_EQ(a.RepositoryItem(), nullptr);

  TcxCustomEdit plainA(nullptr), plainB(nullptr);
  plainA.SetRepositoryItem(item);
  plainB.SetRepositoryItem(item);
  EXPECT_EQ(plainA.ActiveProperties(), item->Properties());
  EXPECT_EQ(item->ListenerCount(), 2);
  delete item;
  EXPECT_EQ(plainA.RepositoryItem(), nullptr);
  EXPECT_EQ(plainB.RepositoryItem(), nullptr);
  EXPECT_EQ(plainA.ActiveProperties(), plainA.Properties());
}

TEST_F(EditTest, InplaceEditListReusesEditorsPerProperties) {
  TComponent owner(nullptr);
  TcxInplaceEditList list(&owner);
  TestEditProperties first(nullptr), second(nullptr);
  first.SetBeepOnError(true);
  TcxCustomEdit* edit = list.GetEdit(&first);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->InheritsFrom(TestEdit::StaticClass()));
  EXPECT_TRUE(edit->IsInplace());
  EXPECT_FALSE(edit->Visible());
  EXPECT_TRUE(edit->Properties()->BeepOnError());
  EXPECT_EQ(list.GetEdit(&first), edit);
  EXPECT_EQ(list.Count(), 1);

  list.DisconnectProperties(&first);
  EXPECT_EQ(list.FindEdit(&first), nullptr);
  EXPECT_EQ(list.GetEdit(&second), edit);  // reused for other properties of the class
  EXPECT_FALSE(edit->Properties()->BeepOnError());

  {
    TestEditProperties third(nullptr);
    TcxCustomEdit* other = list.GetEdit(&third);
    EXPECT_NE(other, edit);
    EXPECT_EQ(list.Count(), 2);
  }  // destroying the properties disconnects them
  EXPECT_EQ(list.GetEdit(TestEditProperties::StaticClass()),
            list.FindEdit(TestEditProperties::StaticClass()));
  list.RemoveItem(TestEditProperties::StaticClass());
  EXPECT_EQ(list.Count(), 1);
  list.RemoveItem(&second);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace qd::testing
