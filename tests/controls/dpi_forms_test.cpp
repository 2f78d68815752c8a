// DPI-scaling forms: one scale-change bracket per control on a move to another density, the
// same density changing nothing, image lists replaced by density, scaling flags cleared.
#include <map>
#include <string>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/base/mathutil.h"
#include "platform/classes/rtti.h"
#include "platform/forms/forms.h"
#include "platform/forms/imglist.h"
#include "platform/forms/menus.h"
#include "ui/controls/dxForms.h"
#include "ui/core/dxThreading.h"

namespace qd::testing {
namespace {

// Counts its scale-change notifications and checks that its bounds are scaled between them.
class TScaleProbe : public TcxControl {
 public:
  explicit TScaleProbe(TComponent* AOwner) : TcxControl(AOwner) {}
  int changing = 0;
  int changed = 0;
  TRect boundsAtChanging;
  bool failScaling = false;

 protected:
  void ScaleFactorChanging() override {
    ++changing;
    boundsAtChanging = BoundsRect();
  }
  void ScaleFactorChanged() override {
    ++changed;
    TcxControl::ScaleFactorChanged();
  }
  void ChangeScale(int M, int D, bool isDpiChange) override {
    if (failScaling) throw Exception(u"scaling failed");
    TcxControl::ChangeScale(M, D, isDpiChange);
  }
};

class DpiForms : public BaseControlTest {
 protected:
  void TearDown() override {
    os::ResetMonitors();
    BaseControlTest::TearDown();
  }

  // A borderless form with a control holding a control holding a control.
  void MakeForm(bool AApplicationForm = false) {
    if (AApplicationForm)
      form = CreateNewForm<TdxForm>(Application);
    else
      form = CreateNewForm<TdxCustomForm>(Application);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 200, 100);
    TWinControl* parent = form;
    TRect bounds{10, 10, 170, 90};
    for (int i = 0; i < 3; ++i) {
      auto* probe = new TScaleProbe(form);
      probe->SetParent(parent);
      probe->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
      probes.push_back(probe);
      parent = probe;
      bounds = TRect{4, 4, bounds.Width() - 20, bounds.Height() - 20};
    }
    form->Show();
    Application->ProcessMessages();
  }

  TdxScaleFactor* FormScaleFactor() { return dynamic_cast<IdxScaleFactor*>(form)->ScaleFactor(); }

  TCustomForm* form = nullptr;
  std::vector<TScaleProbe*> probes;
};

// A component that rescales with the form owning it.
class TScalableThing : public TComponent, public IcxScalableComponent {
 public:
  using TComponent::TComponent;
  std::vector<int32_t> targets;
  void ScaleForPPI(int32_t ATargetPPI) override { targets.push_back(ATargetPPI); }
};

class DpiFormKinds : public DpiForms, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(CustomAndApplicationForms, DpiFormKinds, ::testing::Bool());

TEST_P(DpiFormKinds, AMoveTo144DpiBracketsEveryControlOnceAndScalesTheClientArea) {
  MakeForm(GetParam());
  auto* thing = new TScalableThing(form);
  os::SetMonitorDpi(0, 144);
  Application->ProcessMessages();
  for (size_t i = 0; i < probes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(probes[i]->changing, 1);
    EXPECT_EQ(probes[i]->changed, 1);
    EXPECT_FALSE(probes[i]->IsScaleChanging());
  }
  // The sizes before the change; after it, scaled by 1.5.
  EXPECT_EQ(probes[0]->boundsAtChanging, (TRect{10, 10, 170, 90}));
  EXPECT_EQ(probes[0]->BoundsRect(), (TRect{15, 15, 255, 135}));
  EXPECT_EQ(probes[1]->BoundsRect(), (TRect{6, 6, 210, 90}));
  EXPECT_EQ(probes[2]->BoundsRect(), (TRect{6, 6, 174, 54}));
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 150);
  EXPECT_EQ(form->PixelsPerInch(), 144);
  EXPECT_EQ(FormScaleFactor()->Apply(100), 150);
  EXPECT_FALSE(TdxFormHelper::IsScaleChanging(form));
  // Only an application form scales the components it owns.
  EXPECT_EQ(thing->targets, GetParam() ? std::vector<int32_t>{144} : std::vector<int32_t>{});

  // The same density again changes nothing.
  RECT suggested{100, 100, 400, 250};
  form->Perform(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  for (TScaleProbe* p : probes) EXPECT_EQ(p->changing, 1);
  EXPECT_EQ(probes[0]->BoundsRect(), (TRect{15, 15, 255, 135}));
}

TEST_F(DpiForms, AFormRescaledWithoutARectangleKeepsItsFrameAndGrowsItsClient) {
  MakeForm();
  form->SetBorderStyle(bsSingle);
  const TRect before = form->BoundsRect();
  const int clientWidth = form->ClientWidth(), clientHeight = form->ClientHeight();
  form->ScaleForPPI(120);
  EXPECT_EQ(form->ClientWidth(), MulDiv(clientWidth, 120, 96));
  EXPECT_EQ(form->ClientHeight(), MulDiv(clientHeight, 120, 96));
  EXPECT_EQ(form->BoundsRect().TopLeft(), before.TopLeft());
  // The frame keeps its size.
  EXPECT_EQ(form->Width() - form->ClientWidth(), before.Width() - clientWidth);
  EXPECT_EQ(form->Height() - form->ClientHeight(), before.Height() - clientHeight);
  for (TScaleProbe* p : probes) {
    EXPECT_EQ(p->changing, 1);
    EXPECT_EQ(p->changed, 1);
  }
  // Below 30 DPI nothing happens.
  form->ScaleForPPI(20);
  EXPECT_EQ(form->PixelsPerInch(), 120);
  EXPECT_EQ(probes[0]->changing, 1);
}

TEST_F(DpiForms, AFailingRescaleStillEndsEveryBracket) {
  MakeForm();
  probes[1]->failScaling = true;
  EXPECT_THROW(form->ScaleForPPI(144), Exception);
  for (TScaleProbe* p : probes) {
    EXPECT_EQ(p->changing, 1);
    EXPECT_EQ(p->changed, 1);
    EXPECT_FALSE(p->IsScaleChanging());
  }
  EXPECT_FALSE(TdxFormHelper::IsScaleChanging(form));
  // Drawing is on again.
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(DpiForms, ShowingClearsTheScalingFlagsAtEveryDepth) {
  form = CreateNewForm<TdxForm>(Application);
  auto* outer = new TScaleProbe(form);
  outer->SetParent(form);
  auto* inner = new TScaleProbe(form);
  inner->SetParent(outer);
  for (TControl* c : std::initializer_list<TControl*>{form, outer, inner})
    c->SetScalingFlags(TScalingFlags{sfLeft, sfWidth, sfFont});
  form->Show();
  for (TControl* c : std::initializer_list<TControl*>{form, outer, inner})
    EXPECT_TRUE(c->ScalingFlags().Empty());
}

// --- Image lists -----------------------------------------------------------------------------------

class TImageOptions : public TPersistent {
  QD_CLASS(TImageOptions, TPersistent)
  QD_PUBLISHED(TImageOptions)

 public:
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value) { FImages = Value; }

 private:
  TCustomImageList* FImages = nullptr;
};

class TImageUser : public TComponent {
  QD_CLASS(TImageUser, TComponent)
  QD_PUBLISHED(TImageUser)

 public:
  explicit TImageUser(TComponent* AOwner) : TComponent(AOwner) {}
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value) { FImages = Value; }
  TImageOptions* Options() const { return FOptions.get(); }
  void SetOptions(TImageOptions* Value) {}

 private:
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TImageOptions> FOptions = std::make_unique<TImageOptions>();
};

QD_IMPLEMENT_CLASS(TImageOptions)
QD_IMPLEMENT_CLASS(TImageUser)

void TImageOptions::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Images", &TImageOptions::Images, &TImageOptions::SetImages);
}

void TImageUser::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Images", &TImageUser::Images, &TImageUser::SetImages);
  r.Prop("Options", &TImageUser::Options, &TImageUser::SetOptions);
}

TEST_F(DpiForms, ImageListsAreReplacedByTheBestCopyForTheDensity) {
  struct Case {
    const char* name;
    std::vector<const char16_t*> lists;  // besides ImageList1
    const char16_t* expected;
  };
  const Case cases[] = {
      {"exact", {u"ImageList144", u"ImageList120", u"ImageList96", u"ImageList"}, u"ImageList144"},
      {"a lower density", {u"ImageList120", u"ImageList96", u"ImageList"}, u"ImageList120"},
      {"higher densities are not taken", {u"ImageList168", u"ImageList96"}, u"ImageList96"},
      {"the plain base name for 96", {u"ImageList"}, u"ImageList"},
      {"none", {u"Other144"}, u"ImageList1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* owner = new TComponent(nullptr);
    auto* original = new TImageList(owner);
    original->SetName(u"ImageList1");
    for (const char16_t* name : c.lists) (new TImageList(owner))->SetName(name);
    auto* user = new TImageUser(owner);
    user->SetImages(original);
    user->Options()->SetImages(original);
    TdxFormImageListHelper::Execute(144, owner);
    ASSERT_NE(user->Images(), nullptr);
    EXPECT_EQ(user->Images()->Name(), String(c.expected));
    EXPECT_EQ(user->Options()->Images(), user->Images());
    delete owner;
  }
  EXPECT_EQ(TdxFormImageListHelper::GetBaseImageListName(u"ImageList120"), u"ImageList");
  EXPECT_EQ(TdxFormImageListHelper::GetBaseImageListName(u"123"), u"");
}

TEST_F(DpiForms, AFormMovedTo144DpiTakesTheImageListsForIt) {
  MakeForm();
  auto* original = new TImageList(form);
  original->SetName(u"ImageList1");
  auto* at144 = new TImageList(form);
  at144->SetName(u"ImageList144");
  auto* user = new TImageUser(form);
  user->SetImages(original);
  os::SetMonitorDpi(0, 144);
  Application->ProcessMessages();
  EXPECT_EQ(user->Images(), at144);
}

TEST_F(DpiForms, RedrawingIsLockedAndOnlyNewlyVisiblePartsAreRepainted) {
  MakeForm();
  HWND wnd = form->Handle();
  // Locking takes WS_VISIBLE away; the text changes without it coming back.
  const LONG style = TdxFormHelper::LockWindowRedrawing(wnd);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE);
  TdxFormHelper::UnlockWindowRedrawing(wnd, style);
  TdxFormHelper::SetWindowTextWithoutRedrawing(wnd, u"Título");
  EXPECT_EQ(form->Caption(), u"Título");
  EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE);

  // Half outside the work area on the left, then fully inside: only the left half that came
  // into view is redrawn.
  form->SetBounds(-100, 100, 200, 100);
  HRGN visible = nullptr;
  TdxFormHelper::RepaintVisibleWindowArea(wnd, visible);
  ASSERT_NE(visible, nullptr);
  RECT box;
  GetRgnBox(visible, &box);
  EXPECT_EQ(TRect(box), (TRect{100, 0, 200, 100}));
  ValidateRect(wnd, nullptr);
  form->SetBounds(0, 100, 200, 100);
  ValidateRect(wnd, nullptr);
  TdxFormHelper::RepaintVisibleWindowArea(wnd, visible);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(wnd, &update, FALSE));
  EXPECT_EQ(TRect(update), (TRect{0, 0, 100, 100}));
  // Unchanged: nothing more.
  ValidateRect(wnd, nullptr);
  TdxFormHelper::RepaintVisibleWindowArea(wnd, visible);
  EXPECT_FALSE(GetUpdateRect(wnd, &update, FALSE));
  DeleteObject(visible);

  const bool animation = TdxFormHelper::SetAnimation(false);
  EXPECT_FALSE(TdxFormHelper::SetAnimation(animation));
  EXPECT_EQ(TdxFormHelper::SetAnimation(animation), animation);
}

// --- Frames -------------------------------------------------------------------------------------------

class TScaledFrame : public TFrame, public IdxScaleFactor {
 public:
  using TFrame::TFrame;
  TdxScaleFactor* GetScaleFactor() override { return &factor; }
  TdxScaleFactor factor;
};

class DpiFrames : public DpiForms {
 protected:
  void SetUp() override {
    DpiForms::SetUp();
    dxForms::Initialize();
  }
  void TearDown() override {
    DpiForms::TearDown();
    dxForms::Finalize();
  }
  // A 96-DPI frame at (10, 10, 110, 70) with a control holding a control, and a scalable
  // component of its own.
  TFrame* MakeFrame(TWinControl* AParent) {
    auto* frame = new TFrame(form);
    frame->SetBounds(10, 10, 100, 60);
    auto* outer = new TScaleProbe(form);
    outer->SetParent(frame);
    outer->SetBounds(4, 4, 80, 40);
    auto* inner = new TScaleProbe(form);
    inner->SetParent(outer);
    inner->SetBounds(2, 2, 40, 20);
    frameProbes = {outer, inner};
    frameThing = new TScalableThing(frame);
    frame->SetParent(AParent);
    frame->HandleNeeded();
    return frame;
  }
  std::vector<TScaleProbe*> frameProbes;
  TScalableThing* frameThing = nullptr;
};

TEST_F(DpiFrames, AFrameWithControlsMovesFrom96To144DpiWithItsForm) {
  MakeForm(true);
  TFrame* frame = MakeFrame(form);
  ASSERT_NE(TdxFrameControllerManager::GetController(frame), nullptr);
  os::SetMonitorDpi(0, 144);
  Application->ProcessMessages();
  for (TScaleProbe* p : frameProbes) {
    EXPECT_EQ(p->changing, 1);
    EXPECT_EQ(p->changed, 1);
  }
  EXPECT_EQ(frameProbes[0]->boundsAtChanging, (TRect{4, 4, 84, 44}));
  EXPECT_EQ(frame->BoundsRect(), (TRect{15, 15, 165, 105}));
  EXPECT_EQ(frameProbes[0]->BoundsRect(), (TRect{6, 6, 126, 66}));
  EXPECT_EQ(frameProbes[1]->BoundsRect(), (TRect{3, 3, 63, 33}));
  // The controller took the form's new density when the scale change ended, and scaled the
  // frame's own components to it.
  EXPECT_EQ(frame->CurrentPPI(), 144);
  ASSERT_FALSE(frameThing->targets.empty());
  EXPECT_EQ(frameThing->targets.back(), 144);
}

TEST_F(DpiFrames, AFramePutOnA144DpiFormIsScaledWhenItsWindowIsMade) {
  os::SetMonitorDpi(0, 144);
  MakeForm(true);
  ASSERT_EQ(form->PixelsPerInch(), 144);
  TFrame* frame = MakeFrame(form);
  EXPECT_EQ(frame->BoundsRect(), (TRect{15, 15, 165, 105}));
  EXPECT_EQ(frameProbes[1]->BoundsRect(), (TRect{3, 3, 63, 33}));
  EXPECT_EQ(frame->CurrentPPI(), 144);
  // A frame following its parent's font keeps doing so, without the font scaled twice.
  EXPECT_TRUE(frame->ParentFont());
  EXPECT_EQ(frame->Font()->Height(), form->Font()->Height());
  // Restoring the parent's font announces a parent-font change, which must not restore
  // again without end.
  form->Font()->SetHeight(-20);
  EXPECT_EQ(frame->Font()->Height(), -20);
  EXPECT_TRUE(frame->ParentFont());
}

TEST_F(DpiFrames, OnlyPlainFramesGetAControllerAndAFreedFrameLosesIt) {
  MakeForm();
  auto* scaled = new TScaledFrame(form);
  scaled->SetParent(form);
  scaled->HandleNeeded();
  EXPECT_EQ(TdxFrameControllerManager::GetController(scaled), nullptr);
  TFrame* frame = MakeFrame(form);
  ASSERT_NE(TdxFrameControllerManager::GetController(frame), nullptr);
  // Recreating the window keeps the one controller.
  TdxFrameController* controller = TdxFrameControllerManager::GetController(frame);
  frame->RecreateWnd();
  frame->HandleNeeded();
  EXPECT_EQ(TdxFrameControllerManager::GetController(frame), controller);
  delete frame;
  EXPECT_EQ(TdxFrameControllerManager::GetController(frame), nullptr);
  // The form still rescales without it.
  form->ScaleForPPI(120);
  EXPECT_EQ(probes[0]->changing, 1);
}

// --- Stored forms and parents ----------------------------------------------------------------------

class TStoredDpiForm : public TdxForm {
  QD_CLASS(TStoredDpiForm, TdxForm)

 public:
  using TdxForm::TdxForm;
};

class TStoredScaleProbe : public TScaleProbe {
  QD_CLASS(TStoredScaleProbe, TcxControl)

 public:
  using TScaleProbe::TScaleProbe;
};

QD_IMPLEMENT_CLASS(TStoredDpiForm)
QD_IMPLEMENT_CLASS(TStoredScaleProbe)

// Designed at APixelsPerInch with a 200 x 100 client and a probe at (10, 10, 170, 90).
String StoredDpiFormText(int APixelsPerInch) {
  const std::string ppi = std::to_string(APixelsPerInch);
  return uR"(object StoredDpiForm: TStoredDpiForm
  Left = 100
  Top = 100
  BorderStyle = bsNone
  ClientHeight = 100
  ClientWidth = 200
  Position = poDesigned
  PixelsPerInch = )" +
         String(ppi.begin(), ppi.end()) +
         uR"(
  object Probe: TStoredScaleProbe
    Left = 10
    Top = 10
    Width = 160
    Height = 80
  end
end
)";
}

class DpiStoredForms : public DpiForms {
 protected:
  void SetUp() override {
    DpiForms::SetUp();
    RegisterClass(TStoredScaleProbe::StaticClass());
  }
  void TearDown() override {
    RegisterStoredForm(u"TStoredDpiForm", u"");
    DpiForms::TearDown();
  }
  TStoredDpiForm* Load(int APixelsPerInch) {
    RegisterStoredForm(u"TStoredDpiForm", StoredDpiFormText(APixelsPerInch));
    auto* loaded = NewForm<TStoredDpiForm>(Application);
    form = loaded;
    probe = dynamic_cast<TScaleProbe*>(loaded->FindComponent(u"Probe"));
    return loaded;
  }
  TScaleProbe* probe = nullptr;
};

TEST_F(DpiStoredForms, AFormDesignedAt120IsReadAsItIsAndScaledTo144WhenShown) {
  os::SetMonitorDpi(0, 144);
  TStoredDpiForm* loaded = Load(120);
  ASSERT_NE(probe, nullptr);
  // Read as designed: the stored density is the form's scale, nothing is rescaled yet.
  EXPECT_EQ(loaded->PixelsPerInch(), 120);
  EXPECT_EQ(loaded->CurrentPPI(), 120);
  EXPECT_EQ(loaded->ScaleFactor()->Apply(96), 120);
  EXPECT_EQ(loaded->ClientWidth(), 200);
  EXPECT_EQ(loaded->ClientHeight(), 100);
  EXPECT_EQ(probe->BoundsRect(), (TRect{10, 10, 170, 90}));
  EXPECT_EQ(probe->changing, 0);

  loaded->Show();
  Application->ProcessMessages();
  // Shown on the 144-DPI monitor: one rescale from 120 to 144.
  EXPECT_EQ(loaded->PixelsPerInch(), 144);
  EXPECT_EQ(loaded->ScaleFactor()->Apply(96), 144);
  EXPECT_EQ(loaded->ClientWidth(), 240);
  EXPECT_EQ(loaded->ClientHeight(), 120);
  EXPECT_EQ(probe->BoundsRect(), (TRect{12, 12, 204, 108}));
  EXPECT_EQ(probe->changing, 1);
  EXPECT_EQ(probe->changed, 1);
  EXPECT_TRUE(loaded->ScalingFlags().Empty());
}

TEST_F(DpiStoredForms, ARescaleBeforeTheWindowExistsIsNotUndoneByTheStoredClientSize) {
  TStoredDpiForm* loaded = Load(96);
  loaded->ScaleForPPI(144);
  EXPECT_EQ(loaded->ClientWidth(), 300);
  loaded->HandleNeeded();
  EXPECT_EQ(loaded->ClientWidth(), 300);
  EXPECT_EQ(loaded->ClientHeight(), 150);
}

TEST_F(DpiStoredForms, AFormPutIntoAWindowAt144TakesItsScale) {
  os::SetMonitorDpi(0, 144);
  MakeForm(true);
  ASSERT_EQ(form->PixelsPerInch(), 144);
  TCustomForm* host = form;
  TStoredDpiForm* child = Load(96);
  child->SetParent(host);
  EXPECT_EQ(child->PixelsPerInch(), 144);
  EXPECT_EQ(probe->BoundsRect(), (TRect{15, 15, 255, 135}));
  EXPECT_EQ(probe->changing, 1);
  EXPECT_EQ(probe->changed, 1);
  // The same parent again changes nothing.
  child->SetParent(host);
  EXPECT_EQ(probe->changing, 1);
}

// --- Right-to-left layout ----------------------------------------------------------------------

TEST_F(DpiForms, ARightToLeftLayoutMirrorsTheWindowAndWaitsForTheEndOfShowing) {
  TdxUIThreadSyncService::Initialize();
  auto* form = CreateNewForm<TdxForm>(Application);
  form->SetPosition(poDesigned);
  form->SetBorderStyle(bsNone);
  form->SetBounds(100, 100, 200, 100);
  form->Show();
  EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  form->SetRightToLeftLayout(bTrue);
  const LONG exStyle = GetWindowLongW(form->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_LAYOUTRTL);
  EXPECT_TRUE(exStyle & WS_EX_NOINHERITLAYOUT);
  EXPECT_FALSE(exStyle & (WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR));
  // The mirrored client's origin is still its left edge on the screen.
  EXPECT_EQ(form->ClientOrigin().X, 100);
  form->SetRightToLeftLayout(bFalse);
  EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  form->Hide();

  // The form's menus: left to right while the mirrored window mirrors them, the form's own
  // direction again once the layout is off.
  auto* menu = new TPopupMenu(form);
  form->SetBiDiMode(bdRightToLeft);
  form->SetRightToLeftLayout(bTrue);
  EXPECT_FALSE(menu->IsRightToLeft());
  EXPECT_FALSE(menu->ParentBiDiMode());
  form->SetRightToLeftLayout(bFalse);
  EXPECT_TRUE(menu->ParentBiDiMode());
  EXPECT_TRUE(menu->IsRightToLeft());
  form->SetBiDiMode(bdLeftToRight);

  // bDefault follows right-to-left alignment; changed while the form is being shown, the
  // layout switches only once the showing is over.
  form->SetRightToLeftLayout(bDefault);
  struct Switcher {
    TdxForm* Form;
    bool appliedDuringShow = true;
    void OnShow(TObject*) {
      Form->SetBiDiMode(bdRightToLeft);
      appliedDuringShow = Form->IsRightToLeftLayoutApplied();
    }
  } switcher{form};
  form->OnShow = TNotifyEvent(&switcher, &Switcher::OnShow);
  form->Show();
  EXPECT_FALSE(switcher.appliedDuringShow);
  EXPECT_FALSE(form->IsRightToLeftLayoutApplied());
  Application->ProcessMessages();
  EXPECT_TRUE(form->IsRightToLeftLayoutApplied());
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  form->OnShow = TNotifyEvent();
  form->Free();
  TdxUIThreadSyncService::Finalize();
}

}  // namespace
}  // namespace qd::testing
