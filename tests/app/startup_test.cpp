// The program's start-up list: what it connects between the platform's parts.
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "platform/forms/forms.h"
#include "platform/net/http_transfer.h"
#include "platform/os/user.h"
#include "ui/graphics/cxGraphics.h"

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
