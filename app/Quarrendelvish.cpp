#include "app/Quarrendelvish.h"

#include "app/Principal.h"
#include "app/Startup.h"
#include "platform/classes/sysutils_files.h"
#include "platform/forms/forms.h"

namespace qd {

namespace {
// The value handed to the window: "S" selects the newer product line's version host.
String _zorvik;
}  // namespace

int QuarrendelvishMain(int argc, char** argv, void (*AfterCreate)(TForm_Principal*)) {
  InitParams(argc, argv);
  InitializeUnits();

  _zorvik = ParamCount() >= 1 && ParamStr(1) == u"S" ? u"S" : u"N";

  Application->Initialize();
  Application->SetMainFormOnTaskBar(true);
  Application->SetTitle(u"Atualizador Torvelix");
  Application->CreateForm(TForm_Principal::StaticClass(), Form_Principal);
  Form_Principal->zorvik = _zorvik;
  if (AfterCreate) AfterCreate(Form_Principal);
  Application->Run();

  // Terminating destroys the window and its components before the units shut down, so
  // the editors still find the library's shared objects while they are freed.
  Form_Principal = nullptr;
  Application->DestroyComponents();
  FinalizeUnits();
  _zorvik.clear();
  return 0;
}

}  // namespace qd
