// The program's start-up list: its order, what it connects between the platform's parts, and
// how a failing start-up unwinds.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/net/http_transfer.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/controls/cxHint.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/editors/concrete/cxLabel.h"
#include "ui/editors/concrete/cxTrackBar.h"
#include "ui/editors/cxDropDownEditPopupEdit.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/cxMaskEdit.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/skins/dxSkinsCore.h"
#include "ui/skins/dxSkinsDefaultPainters.h"

namespace qd::testing {
namespace {

TEST(Startup, TheHttpClientsWaitsPumpTheApplicationsMessagesWhileTheUnitsAreUp) {
  ASSERT_EQ(net::AntiFreezeProcessMessages(), nullptr);
  InitializeUnits();
  struct Sink {
    int got = 0;
    void Proc(TMessage& m) {
      if (m.Msg == WM_USER) ++got;
    }
  } sink;
  HWND w = AllocateHWnd(TWndMethod(&sink, &Sink::Proc));
  PostMessageW(w, WM_USER, 0, 0);
  net::TProcessMessagesProc pump = net::AntiFreezeProcessMessages();
  ASSERT_NE(pump, nullptr);
  pump();
  EXPECT_EQ(sink.got, 1);
  DeallocateHWnd(w);
  FinalizeUnits();
  EXPECT_EQ(net::AntiFreezeProcessMessages(), nullptr);  // not left pointing at a gone application
}

TEST(Startup, TheLibrarysComponentsAndWindowServicesAreWired) {
  InitializeUnits();
  // The class unit runs after the visual class library has started its control group.
  EXPECT_EQ(ClassGroupOf(TcxComponent::StaticClass()), TControl::StaticClass());
  EXPECT_EQ(ClassGroupOf(TcxCustomComponent::StaticClass()), TControl::StaticClass());
  ASSERT_NE(dxSystemInfo(), nullptr);
  // The control framework registered its cursors.
  EXPECT_NE(Screen->Cursors(crcxDragCopy), Screen->Cursors(crDefault));
  // The root look-and-feel exists, and a designed controller's change of it reaches the designer
  // through the control framework.
  ASSERT_NE(RootLookAndFeel(), nullptr);
  EXPECT_EQ(ClassGroupOf(TcxLookAndFeelController::StaticClass()), ClassGroupOf(TForm::StaticClass()));
  EXPECT_EQ(ClassSupportsSkinProc, &ClassSupportsSkinHandler);
  static std::vector<TComponent*> modified;
  dxSetDesignerModifiedHook([](TComponent* AComponent) { modified.push_back(AComponent); });
  {
    TcxLookAndFeelController controller(nullptr);
    controller.SetDesigning(true);
    controller.SetKind(lfFlat);
    EXPECT_EQ(modified, std::vector<TComponent*>{&controller});
  }
  dxSetDesignerModifiedHook(nullptr);
  EXPECT_EQ(RootLookAndFeel()->Kind(), lfUltraFlat);  // the last controller reset it
  FinalizeUnits();
  // The window services' shut-down freed the system-information object for good.
  EXPECT_EQ(dxSystemInfo(), nullptr);
  EXPECT_EQ(RootLookAndFeel(), nullptr);
}

TEST(Startup, TheHintControllerIsInstalledAndAStyleControllerTakesOverTheApplicationsHints) {
  InitializeUnits();
  ASSERT_NE(dxHintController(), nullptr);
  EXPECT_FALSE(Application->OnShowHint);
  {
    TcxCustomHintStyleController controller(nullptr);
    EXPECT_TRUE(Application->OnShowHint);
    EXPECT_EQ(cxGetHintStyleController(), &controller);
  }
  EXPECT_FALSE(Application->OnShowHint);
  FinalizeUnits();
  EXPECT_EQ(dxHintController(), nullptr);
}

// Units that write what they do into a log; the start-up or shut-down of the unit named in
// failStart / failFinish raises.
std::vector<std::string> unitLog;
std::string failStart, failFinish;

template <char Name>
void Start() {
  if (failStart == std::string(1, Name)) throw std::runtime_error("start " + failStart);
  unitLog.push_back(std::string("+") + Name);
}
template <char Name>
void Finish() {
  unitLog.push_back(std::string("-") + Name);
  if (failFinish == std::string(1, Name)) throw std::runtime_error("finish " + failFinish);
}

TEST(Startup, TheDefaultSkinPainterIsRegisteredAfterTheSkinClasses) {
  const auto units = ProgramUnits();
  auto position = [&units](void (*AInitialize)()) {
    for (size_t i = 0; i < units.size(); ++i)
      if (units[i].Initialize == AInitialize) return static_cast<int>(i);
    return -1;
  };
  ASSERT_GE(position(&dxSkinsCore::Initialize), 0);
  EXPECT_GT(position(&dxSkinsDefaultPainters::Initialize), position(&dxSkinsCore::Initialize));

  InitializeUnits();
  auto* painter =
      dynamic_cast<TdxSkinsUserSkinPainter*>(cxLookAndFeelPaintersManager()->GetPainter(u"UserSkin"));
  ASSERT_NE(painter, nullptr);
  EXPECT_EQ(painter->SkinResName(), u"DefaultUserSkinData");
  FinalizeUnits();
}

TEST(Startup, TheLabelIsRegisteredAsAnEditorAfterTheEditorFramework) {
  const auto units = ProgramUnits();
  auto position = [&units](void (*AInitialize)()) {
    for (size_t i = 0; i < units.size(); ++i)
      if (units[i].Initialize == AInitialize) return static_cast<int>(i);
    return -1;
  };
  EXPECT_GT(position(&cxLabel::Initialize), position(&cxEdit::Initialize));
  EXPECT_GT(position(&cxLabel::Initialize), position(&dxSkinsDefaultPainters::Initialize));
  InitializeUnits();
  EXPECT_EQ(GetRegisteredEditProperties()->FindByDescription(u"Label"), TcxLabelProperties::StaticClass());
  FinalizeUnits();
}

TEST(Startup, TheConcreteEditorsRegisterAfterTheEditorRegistries) {
  const auto units = ProgramUnits();
  auto position = [&units](void (*AInitialize)()) {
    for (size_t i = 0; i < units.size(); ++i)
      if (units[i].Initialize == AInitialize) return static_cast<int>(i);
    return -1;
  };
  ASSERT_GE(position(&cxEdit::Initialize), 0);
  EXPECT_GT(position(&cxTrackBar::Initialize), position(&cxEdit::Initialize));
  InitializeUnits();
  EXPECT_GE(GetRegisteredEditProperties()->GetIndexByClass(TcxTrackBarProperties::StaticClass()), 0);
  FinalizeUnits();
}

TEST(Startup, TheTextAndMaskEditorsAreRegisteredFirstOfTheEditors) {
  const auto units = ProgramUnits();
  auto position = [&units](void (*AInitialize)()) {
    for (size_t i = 0; i < units.size(); ++i)
      if (units[i].Initialize == AInitialize) return static_cast<int>(i);
    return -1;
  };
  EXPECT_GT(position(&cxTextEdit::Initialize), position(&cxFilterControlStrs::Initialize));
  EXPECT_EQ(position(&cxMaskEdit::Initialize), position(&cxTextEdit::Initialize) + 1);
  EXPECT_LT(position(&cxMaskEdit::Initialize), position(&cxLabel::Initialize));
  InitializeUnits();
  EXPECT_EQ(GetRegisteredEditProperties()->FindByDescription(u"TextEdit"),
            TcxTextEditProperties::StaticClass());
  EXPECT_EQ(GetRegisteredEditProperties()->FindByDescription(u"MaskEdit"),
            TcxMaskEditProperties::StaticClass());
  FinalizeUnits();
}

TEST(Startup, TheDropDownUnitRegistersThePopupEditAfterTheMaskEditor) {
  const auto units = ProgramUnits();
  auto position = [&units](void (*AInitialize)()) {
    for (size_t i = 0; i < units.size(); ++i)
      if (units[i].Initialize == AInitialize) return static_cast<int>(i);
    return -1;
  };
  EXPECT_EQ(position(&cxDropDownEdit::Initialize), position(&cxMaskEdit::Initialize) + 1);
  InitializeUnits();
  EXPECT_EQ(GetRegisteredEditProperties()->FindByDescription(u"PopupEdit"),
            TcxPopupEditProperties::StaticClass());
  FinalizeUnits();
  EXPECT_EQ(GetClass("TcxPopupEdit"), nullptr) << "unregistered at shut-down";
}

TEST(Startup, AUnitWhoseStartUpRaisesLeavesTheStartedOnesShutDownInReverse) {
  const TUnit units[] = {{&Start<'a'>, &Finish<'a'>},
                         {&Start<'b'>, &Finish<'b'>},
                         {&Start<'c'>, &Finish<'c'>},
                         {&Start<'d'>, &Finish<'d'>}};
  struct Case {
    const char* failStart;
    const char* failFinish;
    std::vector<std::string> log;
  } cases[] = {
      {"", "", {"+a", "+b", "+c", "+d"}},
      {"a", "", {}},
      {"c", "", {"+a", "+b", "-b", "-a"}},
      {"d", "", {"+a", "+b", "+c", "-c", "-b", "-a"}},
      // A shut-down that raises while unwinding does not stop the others, and the start-up's
      // exception is the one that arrives.
      {"d", "b", {"+a", "+b", "+c", "-c", "-b", "-a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("start fails: ") + c.failStart + ", finish fails: " + c.failFinish);
    unitLog.clear();
    failStart = c.failStart;
    failFinish = c.failFinish;
    if (failStart.empty()) {
      InitializeUnits(units);
    } else {
      try {
        InitializeUnits(units);
        ADD_FAILURE() << "the start-up's exception did not propagate";
      } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), "start " + failStart);
      }
    }
    EXPECT_EQ(unitLog, c.log);
  }
  failStart.clear();
  failFinish.clear();
  unitLog.clear();
  FinalizeUnits(units);
  EXPECT_EQ(unitLog, (std::vector<std::string>{"-d", "-c", "-b", "-a"}));
}

TEST(Startup, TheGraphicsUnitBindsMsimg32AndFreesItsSharedCanvasesAtShutDown) {
  InitializeUnits();
  EXPECT_NE(cxGraphics::VCLAlphaBlend, nullptr);
  EXPECT_NE(cxGraphics::GradientFill, nullptr);
  TcxScreenCanvas* screen = cxScreenCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(screen->TextWidth(u"Atualizador"), 0);
  screen->Dormant();
  FinalizeUnits();
  EXPECT_EQ(cxScreenCanvas(), nullptr);  // none is made after shut-down
  EXPECT_EQ(cxGraphics::VCLAlphaBlend, nullptr);
}

}  // namespace
}  // namespace qd::testing
