// Runs the real updater for the end-to-end tests: the program's main block with its
// deployment values pointed at local servers, the settings file taken from a test
// installation folder, sleeps on the virtual clock, message boxes answered at once, and a
// trace of what the window showed written to a file.
//
// Usage: qd_e2e_updater <config.json> [updater arguments...]
// The config is a JSON object with the members versionHost, versionHostS, apiKey, lanPrefix,
// lanBaseURL, publicBaseURL, probeURL, caFile, exeName (where the settings file lies
// beside), trace (the trace file), localAddresses (a list of IPv4 texts) and closeAfterMs
// (virtual milliseconds after which a window left open is closed); with screenshot (a PNG
// path) and screenshotBefore (a status text), the window's client area as the X server
// shows it is written when the status line is about to change to that text, with a SHOT
// line in the trace (what the window shows then: status text, bar position and maximum,
// the widths of both labels' texts without trailing blanks, the bold label's also in the
// regular face, and the bar's place).
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
#include "platform/display/png.h"
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
String gShownCaption;
String gScreenshotPath;
String gScreenshotBefore;
bool gScreenshotTaken = false;

void Trace(const std::string& kind, const String& text) {
  String flat = StringReplaceAll(StringReplaceAll(text, u"\r", u"\\r"), u"\n", u"\\n");
  gTrace << kind << "|" << StringToUtf8(flat) << "\n";
  gTrace.flush();
}

struct TRecorder {
  void LabelProc(TMessage& Message) {
    // The window still shows the previous status step: nothing has been painted since.
    if (Message.Msg == CM_TEXTCHANGED && !gScreenshotTaken && !gScreenshotPath.empty() &&
        Form_Principal->lblStatus->Caption() == gScreenshotBefore) {
      gScreenshotTaken = true;
      TakeScreenshot();
    }
    gLabelProc(Message);
    if (Message.Msg == CM_TEXTCHANGED) {
      gShownCaption = Form_Principal->lblStatus->Caption();
      Trace("CAPTION", gShownCaption);
    }
  }
  static int TextWidth(TFont* AFont, const String& AText, bool ABold) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->Font()->Assign(AFont);
    TFontStyles style = AFont->Style();
    if (ABold)
      style.Include(fsBold);
    else
      style.Exclude(fsBold);
    bitmap.Canvas()->Font()->SetStyle(style);
    return bitmap.Canvas()->TextWidth(AText);
  }
  static void TakeScreenshot() {
    auto* x11 = dynamic_cast<display::X11Backend*>(os::GetDisplayBackend());
    HWND wnd = Form_Principal->Handle();
    os::FlushDisplay();
    os::WindowPixels shown;
    if (!x11 || !x11->ReadXWindowPixels(wnd, shown)) {
      Trace("SHOT", u"no X window");
      return;
    }
    // The client area, from where the X window shows the window.
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    RECT frame{};
    GetWindowRect(wnd, &frame);
    const RECT view = x11->ViewOf(wnd);
    const int left = origin.X - frame.Left - view.Left, top = origin.Y - frame.Top - view.Top;
    os::WindowPixels client;
    client.width = Form_Principal->ClientWidth();
    client.height = Form_Principal->ClientHeight();
    client.pixels.assign(static_cast<size_t>(client.width) * client.height, 0xFF000000u);
    for (int y = 0; y < client.height; ++y)
      for (int x = 0; x < client.width; ++x)
        if (left + x < shown.width && top + y < shown.height)
          client.pixels[static_cast<size_t>(y) * client.width + x] = shown.At(left + x, top + y);
    display::WritePixelsPng(client, StringToUtf8(gScreenshotPath));
    TcxLabel* status = Form_Principal->lblStatus;
    TcxLabel* label = Form_Principal->Label1;
    TcxProgressBar* bar = Form_Principal->pbProgresso;
    TFont* labelFont = label->Style()->GetVisibleFont();
    Trace("SHOT",
          gShownCaption + u"|" + FormatFloat(u"0", gLastPosition) + u"/" + FormatFloat(u"0", gLastMax) +
              u"|" + IntToStr(TextWidth(status->Style()->GetVisibleFont(), TrimRight(gShownCaption), false)) +
              u"|" + IntToStr(TextWidth(labelFont, label->Caption(), true)) + u"|" +
              IntToStr(TextWidth(labelFont, label->Caption(), false)) + u"|" + IntToStr(bar->Left()) + u"," +
              IntToStr(bar->Top()) + u"," + IntToStr(bar->Width()) + u"," + IntToStr(bar->Height()));
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
  gScreenshotPath = Member(*config, u"screenshot");
  gScreenshotBefore = Member(*config, u"screenshotBefore");
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
