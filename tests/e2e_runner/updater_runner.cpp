// Runs the real updater for the end-to-end tests: the program's main block with its
// deployment values pointed at local servers, the settings file taken from a test
// installation folder, sleeps on the virtual clock, message boxes answered at once, and a
// trace of what the window showed written to a file.
//
// Usage: qd_e2e_updater <config.json> [updater arguments...]
// The config is a JSON object with the members versionHost, versionHostS, apiKey, lanPrefix,
// lanBaseURL, publicBaseURL, probeURL, caFile, exeName (where the settings file lies
// beside), trace (the trace file), localAddresses (a list of IPv4 texts) and closeAfterMs
// (virtual milliseconds after which a window left open is closed).
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Deployment.h"
#include "app/Principal.h"
#include "app/Quarrendelvish.h"
#include "platform/base/strings.h"
#include "platform/display/x11_backend.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/net/json.h"
#include "platform/os/clock.h"
#include "platform/os/user.h"
#include "platform/os/winsock.h"

namespace {

using namespace qd;

std::ofstream gTrace;
TWndMethod gLabelProc;
TWndMethod gBarProc;
double gLastPosition = -1;
double gLastMax = -1;
int gCloseAfterMs = 600000;

void Trace(const std::string& kind, const String& text) {
  String flat = StringReplaceAll(StringReplaceAll(text, u"\r", u"\\r"), u"\n", u"\\n");
  gTrace << kind << "|" << StringToUtf8(flat) << "\n";
  gTrace.flush();
}

struct TRecorder {
  void LabelProc(TMessage& Message) {
    gLabelProc(Message);
    if (Message.Msg == CM_TEXTCHANGED) Trace("CAPTION", Form_Principal->lblStatus->Caption());
  }
  void BarProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
      if (gLastPosition < 0) {
        // Where the window is shown: an X window when the program found an X display.
        auto* x11 = dynamic_cast<display::X11Backend*>(os::GetDisplayBackend());
        Trace("SCREEN", x11 && x11->XWindowOf(Form_Principal->Handle()) ? u"x11" : u"headless");
      }
      TcxProgressBar* bar = Form_Principal->pbProgresso;
      if (bar->Position() != gLastPosition || bar->Properties()->Max() != gLastMax) {
        gLastPosition = bar->Position();
        gLastMax = bar->Properties()->Max();
        Trace("BAR", FormatFloat(u"0", gLastPosition) + u"/" + FormatFloat(u"0", gLastMax));
      }
    }
    gBarProc(Message);
  }
} gRecorder;

void CloseLeftOpenWindow(HWND, UINT, uintptr_t id, DWORD) {
  KillTimer(nullptr, id);
  if (!Application->Terminated()) {
    Trace("OPEN", u"window left open");
    Application->Terminate();
  }
}

void AfterCreate(TForm_Principal* form) {
  gLabelProc = form->lblStatus->WindowProc;
  form->lblStatus->WindowProc = TWndMethod(&gRecorder, &TRecorder::LabelProc);
  gBarProc = form->pbProgresso->WindowProc;
  form->pbProgresso->WindowProc = TWndMethod(&gRecorder, &TRecorder::BarProc);
  SetTimer(nullptr, 0, static_cast<UINT>(gCloseAfterMs), &CloseLeftOpenWindow);
}

String Member(const TJSONObject& config, const char16_t* name) {
  const TJSONValue* v = config.GetValue(name);
  return v ? v->Value() : String();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qd_e2e_updater <config.json> [arguments]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::unique_ptr<TJSONValue> parsed = TJSONObject::ParseJSONValue(Utf8ToString(text.str()));
  auto* config = dynamic_cast<TJSONObject*>(parsed.get());
  if (!config) {
    std::fprintf(stderr, "qd_e2e_updater: the config is not a JSON object\n");
    return 2;
  }

  TDeployment& d = Deployment();
  d.VersionHost = Member(*config, u"versionHost");
  d.VersionHostS = Member(*config, u"versionHostS");
  d.ApiKey = Member(*config, u"apiKey");
  d.LanPrefix = Member(*config, u"lanPrefix");
  d.LanBaseURL = Member(*config, u"lanBaseURL");
  d.PublicBaseURL = Member(*config, u"publicBaseURL");
  d.ProbeURL = Member(*config, u"probeURL");
  d.CAFile = Member(*config, u"caFile");
  gCloseAfterMs = StrToIntDef(Member(*config, u"closeAfterMs"), 600000);
  TApplication::SetExeNameForTesting(Member(*config, u"exeName"));
  if (auto* list = dynamic_cast<const TJSONArray*>(config->GetValue(u"localAddresses"))) {
    std::vector<std::string> addresses;
    for (int i = 0; i < list->Count(); ++i) addresses.push_back(StringToUtf8(list->Items(i)->Value()));
    os::SetHostAddressesOverride(addresses);
  }
  gTrace.open(StringToUtf8(Member(*config, u"trace")), std::ios::binary | std::ios::trunc);

  SetMessageBoxHook([](const String& caption, const String& message, UINT) {
    Trace("BOX", caption + u"|" + message);
    return IDOK;
  });

  os::ScopedVirtualClock clock;
  // The updater's own arguments follow the config.
  std::vector<char*> args;
  args.push_back(argv[0]);
  for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  int code = QuarrendelvishMain(static_cast<int>(args.size()) - 1, args.data(), &AfterCreate);
  Trace("END", u"");
  return code;
}
