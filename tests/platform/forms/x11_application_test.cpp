// The application on a real X server (Xvfb) that goes away under it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/display/display.h"
#include "platform/display/x11_backend.h"
#include "platform/display/x11_errors.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/forms_init.h"
#include "platform/os/user_display.h"
#include "servers/test_files.h"
#include "servers/xvfb.h"

namespace qd::testing {
namespace {

struct Session {
  XvfbServer* server = nullptr;
  bool shown = false;
  bool gaveUp = false;
  // The X server goes away once the main form is up.
  void Show(TObject*) {
    shown = true;
    server->Stop();
  }
  void GiveUp(TObject*) {
    gaveUp = true;
    Application->Terminate();
  }
};

TEST(X11Application, LosingTheXServerEndsRunAndTheUnitsShutDown) {
  if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
  if (!display::XConnectionLossSurvivable())
    GTEST_SKIP() << "this Xlib ends the process on a lost connection";
  XvfbServer server;
  std::string error;
  ASSERT_TRUE(server.Start(error)) << error;
  ScopedEnv screen("DISPLAY", server.Display());
  ScopedEnv platform("QD_PLATFORM", "x11");

  display::Initialize();
  ASSERT_NE(dynamic_cast<display::X11Backend*>(display::Current()), nullptr);
  forms::Initialize();
  Session run;
  run.server = &server;
  TForm* form = nullptr;
  Application->CreateForm(TForm::StaticClass(), form);
  form->OnShow = TNotifyEvent(&run, &Session::Show);
  // A bound in case the loss went unnoticed.
  auto* bound = new TTimer(form);
  bound->SetInterval(10000);
  bound->SetOnTimer(TNotifyEvent(&run, &Session::GiveUp));

  ::testing::internal::CaptureStderr();
  Application->Run();
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(run.shown);
  EXPECT_FALSE(run.gaveUp);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_NE(errors.find("display: lost the connection to the X server"), std::string::npos) << errors;

  // The shut-down, in reverse: the class library's unit with its forms, then the screen.
  forms::Finalize();
  display::Finalize();
  EXPECT_EQ(display::Current(), nullptr);
  os::ResetWindowManagerForTesting();
}

}  // namespace
}  // namespace qd::testing
