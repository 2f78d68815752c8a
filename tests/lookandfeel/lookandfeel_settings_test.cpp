// Look-and-feel settings: values through masters and the root, assigned bits, batching, the
// listener walk when listeners leave, painter choice with visual styles on and off, master
// cycles and destruction, the controller, and the stored form with its extras.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lookandfeel/lookandfeel_test_util.h"
#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd::testing {

// A stored-form host of a look-and-feel, as a control holds one.
class TLafHost : public TComponent {
  QD_CLASS(TLafHost, TComponent)
  QD_PUBLISHED(TLafHost)

 public:
  explicit TLafHost(TComponent* AOwner)
      : TComponent(AOwner), FLookAndFeel(std::make_unique<TcxLookAndFeel>(this)) {}
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* AValue) { FLookAndFeel->Assign(AValue); }

 private:
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
};

QD_IMPLEMENT_CLASS(TLafHost)

void TLafHost::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("LookAndFeel", &TLafHost::LookAndFeel, &TLafHost::SetLookAndFeel);
}

namespace {

// A painter known by name and style only.
class TLafTestPainter : public TcxCustomLookAndFeelPainter {
 public:
  TLafTestPainter(String AName, TcxLookAndFeelStyle AStyle) : FName(std::move(AName)), FStyle(AStyle) {}
  String LookAndFeelName() override { return FName; }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return FStyle; }

 private:
  String FName;
  TcxLookAndFeelStyle FStyle;
};

std::string ValuesText(TcxLookAndFeelValues AValues) {
  std::string s;
  const char* names[] = {"Kind", "NativeStyle", "SkinName", "ScrollbarMode"};
  AValues.ForEach([&](TcxLookAndFeelValue v) { s += (s.empty() ? "" : "+") + std::string(names[v]); });
  return s.empty() ? "none" : s;
}

// A listener that writes "<name> <event> [values]" into a shared log and then runs its action.
class TLafListener : public TObject,
                     public IcxLookAndFeelNotificationListener,
                     public IcxLookAndFeelNotificationListener2 {
 public:
  TLafListener(std::vector<std::string>& ALog, std::string AName) : FLog(ALog), FName(std::move(AName)) {}
  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues AChangedValues) override {
    FLog.push_back(FName + " changed " + ValuesText(AChangedValues));
    if (OnChanged) OnChanged();
  }
  void MasterLookAndFeelDestroying(TcxLookAndFeel*) override {
    FLog.push_back(FName + " destroying");
    if (OnDestroying) OnDestroying();
  }
  void MasterLookAndFeelBeginChange(TcxLookAndFeel*) override { FLog.push_back(FName + " begin"); }
  void MasterLookAndFeelEndChange(TcxLookAndFeel*) override { FLog.push_back(FName + " end"); }

  std::function<void()> OnChanged;
  std::function<void()> OnDestroying;

 private:
  std::vector<std::string>& FLog;
  std::string FName;
};

using TLog = std::vector<std::string>;

// Records OnChanged of a look-and-feel.
struct TChangeRecorder {
  TChangeRecorder(TLog& ALog, std::string AName) : Log(ALog), Name(std::move(AName)) {}
  void Changed(TcxLookAndFeel*, TcxLookAndFeelValues AValues) {
    Log.push_back(Name + " " + ValuesText(AValues));
  }
  void Watch(TcxLookAndFeel* ALookAndFeel) {
    ALookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TChangeRecorder::Changed));
  }
  TLog& Log;
  std::string Name;
};

std::vector<TComponent*> gModifiedComponents;

void RecordDesignerModified(TComponent* AComponent) {
  gModifiedComponents.push_back(AComponent);
}

class LookAndFeelSettingsTest : public LookAndFeelTest {
 protected:
  void SetUp() override {
    LookAndFeelTest::SetUp();
    os::RegisterThemeModules();
    os::ResetThemeForTesting();
    dxUxTheme::Initialize();
    dxThemeManager::Initialize();
    cxLookAndFeelPainters::Initialize();
    cxLookAndFeels::Initialize();
    // Our own painters only, whatever the unit registered.
    TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
    while (manager->Count() > 0) manager->Unregister(manager->Items(0)->LookAndFeelName());
    for (auto [name, style] :
         std::vector<std::pair<const Char*, TcxLookAndFeelStyle>>{{u"Flat", lfsFlat},
                                                                  {u"Native", lfsNative},
                                                                  {u"Office11", lfsOffice11},
                                                                  {u"Standard", lfsStandard},
                                                                  {u"UltraFlat", lfsUltraFlat},
                                                                  {u"UserSkin", lfsSkin}})
      manager->Register(std::make_unique<TLafTestPainter>(name, style));
    cxSetLookAndFeelDesignerModifiedProc(&RecordDesignerModified);
    gModifiedComponents.clear();
  }
  void TearDown() override {
    cxSetLookAndFeelDesignerModifiedProc(nullptr);
    cxLookAndFeels::Finalize();
    cxLookAndFeelPainters::Finalize();
    dxThemeManager::Finalize();
    dxUxTheme::Finalize();
    os::ResetThemeForTesting();
    cxUseSkins = true;
    cxIsTouchModeEnabled = false;
    dxSkinsUseImageSet = imsDefault;
    LookAndFeelTest::TearDown();
  }

  static TcxLookAndFeel* Root() { return RootLookAndFeel(); }
  static std::string PainterName(TcxCustomLookAndFeelPainter* APainter) {
    return APainter ? StringToUtf8(APainter->LookAndFeelName()) : "none";
  }
  TLog log;
};

TEST_F(LookAndFeelSettingsTest, NewLookAndFeelFollowsTheRootAndItsPainter) {
  ASSERT_NE(Root(), nullptr);
  EXPECT_TRUE(Root()->IsRootLookAndFeel());
  EXPECT_EQ(Root()->MasterLookAndFeel(), nullptr);
  TcxLookAndFeel laf(nullptr);
  EXPECT_EQ(laf.MasterLookAndFeel(), Root());
  EXPECT_EQ(laf.Kind(), lfUltraFlat);
  EXPECT_TRUE(laf.NativeStyle());
  EXPECT_EQ(laf.SkinName(), u"");
  EXPECT_EQ(laf.ScrollbarMode(), sbmDefault);
  EXPECT_TRUE(laf.AssignedValues().Empty());
  EXPECT_EQ(PainterName(laf.Painter()), "Native");
  EXPECT_EQ(laf.GetActiveStyle(), lfsNative);

  // Visual styles go away: the next refresh of the root moves everyone to UltraFlat.
  os::SetVisualStylesEnabled(false);
  Pump();
  Root()->Refresh();
  EXPECT_EQ(PainterName(Root()->Painter()), "UltraFlat");
  EXPECT_EQ(PainterName(laf.Painter()), "UltraFlat");
  EXPECT_EQ(laf.GetActiveStyle(), lfsUltraFlat);
}

TEST_F(LookAndFeelSettingsTest, PainterChoice) {
  struct Case {
    bool styles;
    bool native;
    TcxLookAndFeelKind kind;
    const Char* skin;
    bool useSkins;
    const char* painter;
    TcxLookAndFeelStyle style;
  };
  const Case cases[] = {
      {true, true, lfFlat, u"", true, "Native", lfsNative},
      {false, true, lfFlat, u"", true, "Flat", lfsFlat},
      {true, false, lfStandard, u"", true, "Standard", lfsStandard},
      {true, false, lfOffice11, u"", true, "Office11", lfsOffice11},
      {false, false, lfUltraFlat, u"", true, "UltraFlat", lfsUltraFlat},
      // A skin name finds any painter, without regard to case, while skins are on.
      {true, false, lfFlat, u"userskin", true, "UserSkin", lfsSkin},
      {true, false, lfFlat, u"OFFICE11", true, "Office11", lfsSkin},
      {true, false, lfFlat, u"UserSkin", false, "Flat", lfsFlat},
      {true, false, lfFlat, u"Nobody", true, "Flat", lfsFlat},
      // Native style keeps skins out, also while visual styles are unavailable.
      {true, true, lfFlat, u"UserSkin", true, "Native", lfsNative},
      {false, true, lfFlat, u"UserSkin", true, "Flat", lfsFlat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.painter) + " skin " + StringToUtf8(c.skin) +
                 (c.styles ? " styles" : " no styles") + (c.native ? " native" : ""));
    os::SetVisualStylesEnabled(c.styles);
    Pump();
    cxUseSkins = c.useSkins;
    TcxLookAndFeel laf(nullptr);
    laf.BeginUpdate();
    laf.SetKind(c.kind);
    laf.SetNativeStyle(c.native);
    laf.SetSkinName(c.skin);
    laf.EndUpdate();
    EXPECT_EQ(PainterName(laf.Painter()), c.painter);
    EXPECT_EQ(laf.GetActiveStyle(), c.style);
  }
}

TEST_F(LookAndFeelSettingsTest, PainterForAThemeClassThatCannotBeOpened) {
  TcxLookAndFeel laf(nullptr);
  os::SetThemeClassFailing(u"ScrollBar", true);
  CloseAllThemes();
  EXPECT_FALSE(AreVisualStylesAvailable({totScrollBar}));
  // The Native painter draws such elements its fallback way.
  EXPECT_EQ(PainterName(laf.GetAvailablePainter(totScrollBar)), "Native");
  laf.SetNativeStyle(false);
  EXPECT_EQ(PainterName(laf.GetAvailablePainter(totScrollBar)), "UltraFlat");
}

TEST_F(LookAndFeelSettingsTest, ValuesComeThroughTheChainUnlessAssigned) {
  TLafListener la(log, "a"), lb(log, "b");
  TcxLookAndFeel a(nullptr), b(nullptr);
  b.SetMasterLookAndFeel(&a);
  a.AddChangeListener(&la);
  b.AddChangeListener(&lb);

  Root()->SetKind(lfFlat);
  EXPECT_EQ(a.Kind(), lfFlat);
  EXPECT_EQ(b.Kind(), lfFlat);
  // b hears it through a, inside a's walk.
  EXPECT_EQ(log, (TLog{"a begin", "b begin", "b changed Kind", "b end", "a changed Kind", "a end"}));
  EXPECT_TRUE(Root()->AssignedValues().Contains(lfvKind));
  EXPECT_TRUE(a.AssignedValues().Empty());

  // Assigning what is inherited marks the value without a notification, and the master's
  // later changes no longer reach it.
  log.clear();
  b.SetKind(lfFlat);
  EXPECT_TRUE(b.AssignedValues().Contains(lfvKind));
  EXPECT_TRUE(log.empty());
  a.SetKind(lfOffice11);
  a.SetScrollbarMode(sbmHybrid);
  EXPECT_EQ(b.Kind(), lfFlat);
  EXPECT_EQ(b.ScrollbarMode(), sbmHybrid);
  EXPECT_EQ(log, (TLog{"a begin", "a changed Kind", "a end", "a begin", "b begin", "b changed ScrollbarMode",
                       "b end", "a changed ScrollbarMode", "a end"}));

  // Dropping the assigned bits: only the values that differ are reported.
  log.clear();
  b.SetSkinName(u"x");
  log.clear();
  b.SetAssignedValues({});
  EXPECT_EQ(b.Kind(), lfOffice11);
  EXPECT_EQ(b.SkinName(), u"");
  EXPECT_EQ(log, (TLog{"b begin", "b changed Kind+SkinName", "b end"}));
  log.clear();
  b.SetAssignedValues({});
  EXPECT_TRUE(log.empty());
}

TEST_F(LookAndFeelSettingsTest, ChangesInsideAnUpdateAreAnnouncedOnce) {
  TcxLookAndFeel laf(nullptr);
  TChangeRecorder recorder(log, "laf");
  recorder.Watch(&laf);
  laf.BeginUpdate();
  laf.BeginUpdate();
  laf.SetNativeStyle(false);
  // The painter is chosen at once.
  EXPECT_EQ(PainterName(laf.Painter()), "UltraFlat");
  laf.SetScrollbarMode(sbmClassic);
  laf.EndUpdate();
  EXPECT_TRUE(log.empty());
  laf.EndUpdate();
  EXPECT_EQ(log, (TLog{"laf NativeStyle+ScrollbarMode"}));

  // An EndUpdate too many does not silence later changes.
  log.clear();
  laf.EndUpdate();
  laf.SetKind(lfFlat);
  EXPECT_EQ(log, (TLog{"laf Kind"}));
  laf.BeginUpdate();
  laf.EndUpdate();
  EXPECT_EQ(log, (TLog{"laf Kind"}));
}

TEST_F(LookAndFeelSettingsTest, ListenersLeavingDuringTheWalk) {
  auto first = std::make_unique<TLafListener>(log, "1");
  TLafListener second(log, "2"), third(log, "3"), fourth(log, "4");
  TcxLookAndFeel laf(nullptr);
  for (TObject* listener : std::vector<TObject*>{first.get(), &second, &third, &fourth})
    laf.AddChangeListener(listener);
  // The first leaves (and is freed) during its call; the second drops the fourth.
  first->OnChanged = [&] {
    laf.RemoveChangeListener(first.get());
    first.reset();
  };
  second.OnChanged = [&] { laf.RemoveChangeListener(&fourth); };
  laf.SetKind(lfFlat);
  EXPECT_EQ(log, (TLog{"1 begin", "2 begin", "3 begin", "4 begin", "1 changed Kind", "2 changed Kind",
                       "3 changed Kind", "2 end", "3 end"}));
  EXPECT_EQ(laf.ChangeListenerCount(), 2);
}

TEST_F(LookAndFeelSettingsTest, ListenerLeavingTwiceOrNeverJoined) {
  TLafListener listener(log, "l");
  TcxLookAndFeel laf(nullptr);
  TObject plain;
  laf.AddChangeListener(nullptr);
  laf.AddChangeListener(&plain);  // no listener interface
  laf.AddChangeListener(&listener);
  laf.AddChangeListener(&listener);
  EXPECT_EQ(laf.ChangeListenerCount(), 1);
  laf.RemoveChangeListener(&plain);
  laf.RemoveChangeListener(&listener);
  laf.RemoveChangeListener(&listener);
  EXPECT_EQ(laf.ChangeListenerCount(), 0);
  // A controller listens only to the root.
  TcxLookAndFeelController controller(nullptr);
  laf.AddChangeListener(&controller);
  EXPECT_EQ(laf.ChangeListenerCount(), 0);
}

TEST_F(LookAndFeelSettingsTest, DestroyedMasterHandsItsListenersToTheRoot) {
  auto master = std::make_unique<TcxLookAndFeel>(nullptr);
  master->SetKind(lfStandard);
  master->SetNativeStyle(false);
  TcxLookAndFeel a(nullptr), b(nullptr);
  a.SetMasterLookAndFeel(master.get());
  b.SetMasterLookAndFeel(master.get());
  b.SetNativeStyle(false);
  TChangeRecorder ra(log, "a"), rb(log, "b");
  ra.Watch(&a);
  rb.Watch(&b);
  // A listener freed during the destruction walk is not called afterwards.
  TLafListener killer(log, "killer");
  master->AddChangeListener(&killer);
  auto gone = std::make_unique<TLafListener>(log, "gone");
  master->AddChangeListener(gone.get());
  killer.OnDestroying = [&, dying = master.get()] {
    dying->RemoveChangeListener(gone.get());
    gone.reset();
  };
  master->AddChangeListener(gone.get());  // already there
  ASSERT_EQ(PainterName(a.Painter()), "Standard");

  master.reset();
  EXPECT_EQ(a.MasterLookAndFeel(), Root());
  EXPECT_EQ(b.MasterLookAndFeel(), Root());
  EXPECT_EQ(log, (TLog{"a Kind+NativeStyle", "b Kind", "killer destroying"}));
  EXPECT_EQ(PainterName(a.Painter()), "Native");
  EXPECT_EQ(PainterName(b.Painter()), "UltraFlat");
  // They listen to the root now.
  log.clear();
  Root()->SetScrollbarMode(sbmTouch);
  EXPECT_EQ(log, (TLog{"a ScrollbarMode", "b ScrollbarMode"}));
}

TEST_F(LookAndFeelSettingsTest, MasterCyclesAreRefused) {
  TChangeRecorder rc(log, "c");
  TcxLookAndFeel a(nullptr), b(nullptr), c(nullptr);
  b.SetMasterLookAndFeel(&a);
  c.SetMasterLookAndFeel(&b);
  a.SetMasterLookAndFeel(&c);  // would close the ring
  a.SetMasterLookAndFeel(&a);
  Root()->SetMasterLookAndFeel(&a);
  EXPECT_EQ(a.MasterLookAndFeel(), Root());
  EXPECT_EQ(Root()->MasterLookAndFeel(), nullptr);
  // Assign takes the source's master, and is refused the same way.
  a.Assign(&c);
  EXPECT_EQ(a.MasterLookAndFeel(), Root());
  Root()->SetKind(lfOffice11);
  EXPECT_EQ(c.Kind(), lfOffice11);
  // Moving a master tells what changed, and the old master no longer reaches it.
  TcxLookAndFeel other(nullptr);
  other.SetKind(lfFlat);
  rc.Watch(&c);
  c.SetMasterLookAndFeel(&other);
  EXPECT_EQ(log, (TLog{"c Kind"}));
  EXPECT_EQ(b.ChangeListenerCount(), 0);
  c.SetMasterLookAndFeel(&other);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(LookAndFeelSettingsTest, AssignCopiesValuesAndMaster) {
  TcxLookAndFeel master(nullptr), source(nullptr), target(nullptr);
  master.SetScrollbarMode(sbmClassic);
  source.SetMasterLookAndFeel(&master);
  source.SetKind(lfStandard);
  source.SetSkinName(u"");
  TChangeRecorder recorder(log, "target");
  recorder.Watch(&target);
  target.Assign(&source);
  EXPECT_EQ(target.AssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvSkinName}));
  EXPECT_EQ(target.MasterLookAndFeel(), &master);
  EXPECT_EQ(target.Kind(), lfStandard);
  EXPECT_EQ(target.ScrollbarMode(), sbmClassic);
  EXPECT_EQ(log, (TLog{"target Kind+ScrollbarMode"}));

  TcxLookAndFeelController notALookAndFeel(nullptr);
  EXPECT_THROW(target.Assign(&notALookAndFeel), EConvertError);
}

TEST_F(LookAndFeelSettingsTest, SetStyleMapsToKindUnlessNative) {
  TcxLookAndFeel laf(nullptr);
  laf.SetStyle(lfsOffice11);
  EXPECT_FALSE(laf.NativeStyle());
  EXPECT_EQ(laf.Kind(), lfOffice11);
  laf.SetStyle(lfsSkin);
  EXPECT_EQ(laf.Kind(), lfUltraFlat);
  laf.SetStyle(lfsNative);
  EXPECT_TRUE(laf.NativeStyle());
  EXPECT_EQ(laf.Kind(), lfUltraFlat);
}

TEST_F(LookAndFeelSettingsTest, SkinSwitchAndPaletteChangeReachEveryLookAndFeel) {
  TcxLookAndFeel laf(nullptr);
  laf.SetNativeStyle(false);
  laf.SetSkinName(u"UserSkin");
  ASSERT_EQ(PainterName(laf.Painter()), "UserSkin");
  TChangeRecorder recorder(log, "laf");
  recorder.Watch(&laf);

  // Skins switched off are noticed at the next change and reported as a skin-name change.
  cxUseSkins = false;
  Root()->SetKind(lfFlat);
  EXPECT_EQ(PainterName(laf.Painter()), "Flat");
  EXPECT_EQ(log, (TLog{"laf Kind+SkinName"}));

  log.clear();
  const INT index = COLOR_BTNFACE;
  const COLORREF color = RGB(1, 2, 3);
  SetSysColors(1, &index, &color);
  EXPECT_EQ(log, (TLog{"laf NativeStyle"}));

  // A painter joining the registry refreshes the root and so everyone.
  log.clear();
  cxLookAndFeelPaintersManager()->Register(std::make_unique<TLafTestPainter>(u"Other", lfsSkin));
  EXPECT_EQ(log, (TLog{"laf Kind+ScrollbarMode"}));
}

TEST_F(LookAndFeelSettingsTest, PainterLeavingTheRegistryIsDroppedByEveryone) {
  // Every value assigned: the root's refresh filters down to nothing here.
  TcxLookAndFeel laf(nullptr);
  laf.SetKind(lfFlat);
  laf.SetNativeStyle(false);
  laf.SetSkinName(u"UserSkin");
  laf.SetScrollbarMode(sbmClassic);
  TcxLookAndFeel flat(nullptr);
  flat.SetKind(lfFlat);
  flat.SetNativeStyle(false);
  flat.SetSkinName(u"");
  flat.SetScrollbarMode(sbmClassic);
  ASSERT_EQ(PainterName(laf.Painter()), "UserSkin");
  ASSERT_EQ(PainterName(flat.Painter()), "Flat");
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"UserSkin"));
  EXPECT_EQ(PainterName(laf.Painter()), "Flat");
  EXPECT_EQ(laf.SkinPainter(), nullptr);
  ASSERT_TRUE(cxLookAndFeelPaintersManager()->Unregister(u"Flat"));
  EXPECT_EQ(PainterName(laf.Painter()), "none");
  EXPECT_EQ(PainterName(flat.Painter()), "none");
}

TEST_F(LookAndFeelSettingsTest, ControllerEditsTheRootAndResetsItWhenTheLastGoes) {
  auto first = std::make_unique<TcxLookAndFeelController>(nullptr);
  auto second = std::make_unique<TcxLookAndFeelController>(nullptr);
  first->SetKind(lfOffice11);
  second->SetNativeStyle(false);
  second->SetSkinName(u"UserSkin");
  first->SetScrollbarMode(sbmHybrid);
  EXPECT_EQ(Root()->Kind(), lfOffice11);
  EXPECT_EQ(second->Kind(), lfOffice11);
  EXPECT_FALSE(first->TouchScrollUIMode());
  EXPECT_EQ(PainterName(Root()->Painter()), "UserSkin");
  // Each controller tells the designer about every root change.
  EXPECT_EQ(gModifiedComponents.size(), 8u);
  cxUseSkins = false;
  cxIsTouchModeEnabled = true;
  dxSkinsUseImageSet = imsAlternate;

  first.reset();
  EXPECT_EQ(Root()->AssignedValues().Count(), 4u);
  second.reset();
  EXPECT_TRUE(Root()->AssignedValues().Empty());
  EXPECT_EQ(Root()->Kind(), lfUltraFlat);
  EXPECT_TRUE(cxUseSkins);
  EXPECT_FALSE(cxIsTouchModeEnabled);
  EXPECT_EQ(dxSkinsUseImageSet, imsDefault);
}

TEST_F(LookAndFeelSettingsTest, ControllerWithoutRootAnswersTheDefaults) {
  cxLookAndFeels::Finalize();
  ASSERT_EQ(Root(), nullptr);
  EXPECT_TRUE(cxIsTouchScrollUIModeEnabled());
  TcxLookAndFeelController controller(nullptr);
  controller.SetKind(lfFlat);
  controller.SetTouchMode(true);
  EXPECT_EQ(controller.Kind(), lfUltraFlat);
  EXPECT_TRUE(controller.NativeStyle());
  EXPECT_EQ(controller.ScrollbarMode(), sbmDefault);
  EXPECT_EQ(controller.SkinName(), u"");
  EXPECT_TRUE(controller.TouchMode());
  cxLookAndFeels::Initialize();
}

TEST_F(LookAndFeelSettingsTest, TouchModeNotifiesEveryLookAndFeelOnce) {
  TcxLookAndFeelController controller(nullptr);
  TcxLookAndFeel child(nullptr), grandChild(nullptr);
  grandChild.SetMasterLookAndFeel(&child);
  // All four values assigned: only the touch switch makes it hear the change.
  for (TcxLookAndFeel* laf : {&child, &grandChild}) {
    laf->SetKind(lfFlat);
    laf->SetNativeStyle(false);
    laf->SetSkinName(u"");
    laf->SetScrollbarMode(sbmClassic);
  }
  TChangeRecorder rc(log, "child"), rg(log, "grandchild");
  rc.Watch(&child);
  rg.Watch(&grandChild);
  controller.SetTouchMode(true);
  EXPECT_TRUE(cxIsTouchModeEnabled);
  EXPECT_FALSE(cxIsTouchSettingsChanging);
  EXPECT_EQ(log, (TLog{"grandchild none", "child none"}));
  log.clear();
  controller.SetTouchMode(true);
  Root()->SetKind(lfStandard);
  EXPECT_TRUE(log.empty());

  // The touch scroll-bar switch writes the root's mode.
  controller.SetTouchScrollUIMode(false);
  EXPECT_EQ(Root()->ScrollbarMode(), sbmClassic);
  EXPECT_FALSE(cxIsTouchScrollUIModeEnabled());
  controller.SetTouchScrollUIMode(true);
  EXPECT_EQ(Root()->ScrollbarMode(), sbmTouch);
}

// --- Stored forms --------------------------------------------------------------------------------

// The stored form of AComponent, with plain line ends.
std::string Written(TComponent* AComponent) {
  std::string text = StringToUtf8(WriteComponentToText(AComponent));
  std::erase(text, '\r');
  return text;
}

String HostForm(const char* ALines) {
  return Utf8ToString(std::string("object Host: TLafHost\n") + ALines + "end\n");
}

TEST_F(LookAndFeelSettingsTest, StoredFormRoundTrip) {
  TLafHost host(nullptr);
  host.SetName(u"Host");
  TcxLookAndFeel* laf = host.LookAndFeel();
  laf->SetKind(lfFlat);
  laf->SetSkinName(u"");  // assigned, and empty
  laf->SetScrollbarMode(sbmHybrid);
  const std::string text = Written(&host);
  EXPECT_EQ(text, StringToUtf8(HostForm("  LookAndFeel.AssignedValues = [lfvKind, lfvSkinName, "
                                        "lfvScrollbarMode]\n"
                                        "  LookAndFeel.Kind = lfFlat\n"
                                        "  LookAndFeel.ScrollbarMode = sbmHybrid\n"
                                        "  LookAndFeel.SkinName = ''\n")));

  TLafHost copy(nullptr);
  ReadComponentFromText(Utf8ToString(text), &copy);
  EXPECT_EQ(copy.LookAndFeel()->AssignedValues(), laf->AssignedValues());
  EXPECT_EQ(copy.LookAndFeel()->Kind(), lfFlat);
  EXPECT_EQ(copy.LookAndFeel()->ScrollbarMode(), sbmHybrid);

  // A named skin is written by the published property alone.
  laf->SetSkinName(u"UserSkin");
  EXPECT_NE(Written(&host).find("LookAndFeel.SkinName = 'UserSkin'\n"), std::string::npos);
  // Nothing assigned, nothing written.
  laf->Reset();
  EXPECT_EQ(Written(&host), StringToUtf8(HostForm("")));
}

TEST_F(LookAndFeelSettingsTest, LegacyTouchScrollUIModeAndDamagedValues) {
  struct Case {
    const char* line;
    bool ok;
    TdxScrollbarMode mode;
  };
  const Case cases[] = {
      {"LookAndFeel.TouchScrollUIMode = tsmDefault", true, sbmDefault},
      {"LookAndFeel.TouchScrollUIMode = tsmEnabled", true, sbmTouch},
      {"LookAndFeel.TouchScrollUIMode = tsmDisabled", true, sbmClassic},
      {"LookAndFeel.TouchScrollUIMode = TSMENABLED", true, sbmTouch},
      {"LookAndFeel.TouchScrollUIMode = tsmSomethingNew", true, sbmClassic},
      {"LookAndFeel.TouchScrollUIMode = 1", false, sbmDefault},
      {"LookAndFeel.TouchScrollUIMode = 'tsmEnabled'", false, sbmDefault},
      {"LookAndFeel.SkinName = 12", false, sbmDefault},
      {"LookAndFeel.Kind = lfGlass", false, sbmDefault},
      {"LookAndFeel.AssignedValues = [lfvKind, lfvGlass]", false, sbmDefault},
      {"LookAndFeel.Unknown = 1", false, sbmDefault},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TLafHost host(nullptr);
    const String text = HostForm((std::string("  ") + c.line + "\n").c_str());
    if (!c.ok) {
      EXPECT_THROW(ReadComponentFromText(text, &host), EReadError);
      continue;
    }
    ReadComponentFromText(text, &host);
    EXPECT_EQ(host.LookAndFeel()->ScrollbarMode(), c.mode);
    EXPECT_EQ(host.LookAndFeel()->AssignedValues(), TcxLookAndFeelValues{lfvScrollbarMode});
    EXPECT_EQ(host.LookAndFeel()->TouchScrollUIMode(), c.mode == sbmDefault ? tsmDefault
                                                       : c.mode == sbmTouch ? tsmEnabled
                                                                            : tsmDisabled);
  }
}

TEST_F(LookAndFeelSettingsTest, ControllerStoredForm) {
  TcxLookAndFeelController controller(nullptr);
  controller.SetName(u"Controller");
  controller.SetKind(lfStandard);
  controller.SetSkinName(u"UserSkin");
  EXPECT_EQ(Written(&controller),
            "object Controller: TcxLookAndFeelController\n"
            "  Kind = lfStandard\n"
            "  SkinName = 'UserSkin'\n"
            "end\n");
  Root()->Reset();
  ReadComponentFromText(
      u"object Controller: TcxLookAndFeelController\n"
      "  NativeStyle = False\n"
      "  TouchScrollUIMode = False\n"
      "end\n",
      &controller);
  EXPECT_FALSE(Root()->NativeStyle());
  EXPECT_EQ(Root()->ScrollbarMode(), sbmClassic);
  EXPECT_THROW(ReadComponentFromText(u"object Controller: TcxLookAndFeelController\n"
                                     "  TouchScrollUIMode = tsmEnabled\n"
                                     "end\n",
                                     &controller),
               EReadError);
}

}  // namespace
}  // namespace qd::testing
