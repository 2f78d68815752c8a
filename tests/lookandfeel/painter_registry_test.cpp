// The painters registry: sorted order, look-up by style and by name, refusal of a name
// registered in another case, ownership, and the order in which listeners and the root
// look-and-feel hear of added and removed painters; the painter unit's start-up and shut-down.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "lookandfeel/painter_test_util.h"
#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

std::vector<std::string>* gRegistryEvents = nullptr;

void RecordRegistryEvent(const std::string& AEvent) {
  if (gRegistryEvents) gRegistryEvents->push_back(AEvent);
}

// A painter with a name and a style that reports its image release and its destruction.
class TRegistryTestPainter : public TcxCustomLookAndFeelPainter {
 public:
  TRegistryTestPainter(String AName, TcxLookAndFeelStyle AStyle) : FName(std::move(AName)), FStyle(AStyle) {}
  ~TRegistryTestPainter() override { RecordRegistryEvent("freed " + StringToUtf8(FName)); }
  String LookAndFeelName() override { return FName; }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return FStyle; }
  void ReleaseImageResources() override {
    RecordRegistryEvent("release " + StringToUtf8(FName));
    TcxCustomLookAndFeelPainter::ReleaseImageResources();
  }

 private:
  String FName;
  TcxLookAndFeelStyle FStyle;
};

std::unique_ptr<TcxCustomLookAndFeelPainter> MakePainter(const Char* AName, TcxLookAndFeelStyle AStyle) {
  return std::make_unique<TRegistryTestPainter>(AName, AStyle);
}

void RecordRootRefresh() {
  RecordRegistryEvent("root refresh");
}

class TRecordingPainterListener : public IcxLookAndFeelPainterListener {
 public:
  explicit TRecordingPainterListener(std::string AName) : FName(std::move(AName)) {}
  void PainterAdded(TcxCustomLookAndFeelPainter* APainter) override {
    RecordRegistryEvent(FName + " added " + StringToUtf8(APainter->LookAndFeelName()));
  }
  void PainterRemoved(TcxCustomLookAndFeelPainter* APainter) override {
    RecordRegistryEvent(FName + " removed " + StringToUtf8(APainter->LookAndFeelName()));
    if (ThrowOnRemove) throw std::runtime_error("listener failed");
  }
  bool ThrowOnRemove = false;

 private:
  std::string FName;
};

class PainterRegistryTest : public PainterTest {
 protected:
  void SetUp() override {
    PainterTest::SetUp();
    gRegistryEvents = &events_;
  }
  void TearDown() override {
    cxSetRootLookAndFeelRefreshProc(nullptr);
    registry_.reset();
    gRegistryEvents = nullptr;
    PainterTest::TearDown();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int32_t i = 0; i < registry_->Count(); ++i)
      names.push_back(StringToUtf8(registry_->Items(i)->LookAndFeelName()));
    return names;
  }
  void RegisterBuiltInOrder() {
    EXPECT_TRUE(registry_->Register(MakePainter(u"Flat", lfsFlat)));
    EXPECT_TRUE(registry_->Register(MakePainter(u"Office11", lfsOffice11)));
    EXPECT_TRUE(registry_->Register(MakePainter(u"Standard", lfsStandard)));
    EXPECT_TRUE(registry_->Register(MakePainter(u"UltraFlat", lfsUltraFlat)));
    EXPECT_TRUE(registry_->Register(MakePainter(u"Native", lfsNative)));
  }

  std::vector<std::string> events_;
  std::unique_ptr<TcxLookAndFeelPaintersManager> registry_ =
      std::make_unique<TcxLookAndFeelPaintersManager>();
};

TEST_F(PainterRegistryTest, KeepsPaintersSortedByName) {
  RegisterBuiltInOrder();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Flat", "Native", "Office11", "Standard", "UltraFlat"}));
  // The skin painter sorts last.
  EXPECT_TRUE(registry_->Register(MakePainter(u"UserSkin", lfsSkin)));
  EXPECT_EQ(Names().back(), "UserSkin");
  EXPECT_THROW(registry_->Items(6), EListError);
}

TEST_F(PainterRegistryTest, LooksUpByNameIgnoringCaseAndByStyleInListOrder) {
  RegisterBuiltInOrder();
  struct Case {
    const Char* name;
    const char* found;  // nullptr: none
  };
  for (const Case& c : {Case{u"native", "Native"}, Case{u"ULTRAFLAT", "UltraFlat"},
                        Case{u"Office11", "Office11"}, Case{u"UserSkin", nullptr}, Case{u"", nullptr}}) {
    SCOPED_TRACE(StringToUtf8(c.name));
    TcxCustomLookAndFeelPainter* out = nullptr;
    EXPECT_EQ(registry_->GetPainter(String(c.name), out), c.found != nullptr);
    EXPECT_EQ(out, registry_->GetPainter(String(c.name)));
    if (c.found) {
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(StringToUtf8(out->LookAndFeelName()), c.found);
    }
  }
  EXPECT_EQ(registry_->GetPainter(lfsNative)->LookAndFeelName(), u"Native");
  // No skin painter until the skins register theirs.
  TcxCustomLookAndFeelPainter* skin = registry_->GetPainter(lfsStandard);
  EXPECT_FALSE(registry_->GetPainter(lfsSkin, skin));
  EXPECT_EQ(skin, nullptr);
  // Two painters of one style: the first by name wins, whatever the order of registering.
  EXPECT_TRUE(registry_->Register(MakePainter(u"Zebra", lfsSkin)));
  EXPECT_TRUE(registry_->Register(MakePainter(u"Antelope", lfsSkin)));
  EXPECT_EQ(registry_->GetPainter(lfsSkin)->LookAndFeelName(), u"Antelope");
}

TEST_F(PainterRegistryTest, NameTakenInAnotherCaseIsRefusedAndTheNewPainterFreed) {
  RegisterBuiltInOrder();
  TcxCustomLookAndFeelPainter* original = registry_->GetPainter(u"UltraFlat");
  TRecordingPainterListener listener("L");
  registry_->AddListener(&listener);
  events_.clear();
  EXPECT_FALSE(registry_->Register(MakePainter(u"ultraflat", lfsFlat)));
  EXPECT_EQ(events_, (std::vector<std::string>{"release ultraflat", "freed ultraflat"}));  // no listener told
  EXPECT_EQ(registry_->Count(), 5);
  EXPECT_EQ(registry_->GetPainter(u"UltraFlat"), original);
  EXPECT_EQ(registry_->GetPainter(lfsUltraFlat), original);
  registry_->RemoveListener(&listener);
}

TEST_F(PainterRegistryTest, UnregisterTellsListenersThenFreesThePainter) {
  RegisterBuiltInOrder();
  TRecordingPainterListener listener("L");
  registry_->AddListener(&listener);
  events_.clear();
  EXPECT_FALSE(registry_->Unregister(u"Skin"));
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(registry_->Count(), 5);

  EXPECT_TRUE(registry_->Unregister(u"office11"));
  EXPECT_EQ(events_, (std::vector<std::string>{"L removed Office11", "release Office11", "freed Office11"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Flat", "Native", "Standard", "UltraFlat"}));

  // A listener that raises does not keep the painter alive.
  events_.clear();
  listener.ThrowOnRemove = true;
  EXPECT_THROW(registry_->Unregister(u"Flat"), std::runtime_error);
  EXPECT_EQ(events_, (std::vector<std::string>{"L removed Flat", "release Flat", "freed Flat"}));
  EXPECT_EQ(registry_->GetPainter(u"Flat"), nullptr);
  registry_->RemoveListener(&listener);
}

TEST_F(PainterRegistryTest, RootRefreshesFirstThenListenersNewestFirst) {
  cxSetRootLookAndFeelRefreshProc(&RecordRootRefresh);
  TRecordingPainterListener first("first"), second("second"), third("third");
  registry_->AddListener(&first);
  registry_->AddListener(&second);
  registry_->AddListener(&second);  // already there: ignored
  registry_->AddListener(&third);
  EXPECT_TRUE(registry_->Register(MakePainter(u"Flat", lfsFlat)));
  EXPECT_EQ(events_, (std::vector<std::string>{"root refresh", "third added Flat", "second added Flat",
                                               "first added Flat"}));
  events_.clear();
  registry_->RemoveListener(&second);
  EXPECT_TRUE(registry_->Unregister(u"Flat"));
  EXPECT_EQ(events_, (std::vector<std::string>{"root refresh", "third removed Flat", "first removed Flat",
                                               "release Flat", "freed Flat"}));
  registry_->RemoveListener(&first);
  registry_->RemoveListener(&third);
}

TEST_F(PainterRegistryTest, ReleasesImagesInListOrderAndFreesPaintersWithItself) {
  EXPECT_TRUE(registry_->Register(MakePainter(u"Standard", lfsStandard)));
  EXPECT_TRUE(registry_->Register(MakePainter(u"Flat", lfsFlat)));
  events_.clear();
  registry_->ReleaseImageResources();
  EXPECT_EQ(events_, (std::vector<std::string>{"release Flat", "release Standard"}));
  events_.clear();
  registry_.reset();
  // Every painter drops its images (through its own override) before it is freed.
  EXPECT_EQ(events_.size(), 4u);
  for (const char* name : {"Flat", "Standard"}) {
    const auto release = std::find(events_.begin(), events_.end(), std::string("release ") + name);
    const auto freed = std::find(events_.begin(), events_.end(), std::string("freed ") + name);
    EXPECT_TRUE(release != events_.end() && freed != events_.end() && release < freed) << name;
  }
}

TEST_F(PainterRegistryTest, UnitStartUpMakesTheRegistryAndShutDownReleasesAndFreesIt) {
  ASSERT_EQ(cxLookAndFeelPaintersManager(), nullptr);
  cxLookAndFeelPainters::Initialize();
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  ASSERT_NE(manager, nullptr);
  ASSERT_NE(cxLookAndFeelPainters::PrimaryPaletteNotifier(), nullptr);
  EXPECT_TRUE(cxLookAndFeelPainters::PrimaryPaletteNotifier()->IsPrimary());
  EXPECT_NE(cxSystemPaletteChangedListener(), nullptr);
  // Start-up registered the built-in painters; a painter of that name cannot join again.
  EXPECT_FALSE(manager->Register(MakePainter(u"Flat", lfsFlat)));
  EXPECT_TRUE(manager->Register(MakePainter(u"Custom", lfsSkin)));
  events_.clear();
  cxLookAndFeelPainters::Finalize();
  // Shut-down runs the unit's procedure (images released) before the registry frees the painter.
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(events_.front(), "release Custom");
  EXPECT_EQ(events_.back(), "freed Custom");
  EXPECT_EQ(cxLookAndFeelPaintersManager(), nullptr);
  EXPECT_EQ(cxLookAndFeelPainters::PrimaryPaletteNotifier(), nullptr);
  EXPECT_EQ(cxSystemPaletteChangedListener(), nullptr);
}

}  // namespace
}  // namespace qd::testing
