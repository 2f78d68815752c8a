#include "platform/forms/forms_init.h"

#include "platform/forms/clipbrd.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/imaging.h"
#include "platform/forms/imglist.h"
#include "platform/forms/menus.h"
#include "platform/forms/stdctrls.h"

namespace qd::forms {

void Initialize() {
  // The visual-control class group: the controls, and the component classes that join it.
  StartClassGroup(TControl::StaticClass());
  ActivateClassGroup(TControl::StaticClass());
  TPicture::RegisterFileFormat(u"bmp", u"Bitmaps", TBitmap::StaticClass());
  TPicture::RegisterFileFormat(u"ico", u"Icons", TIcon::StaticClass());
  TPicture::RegisterFileFormat(u"png", u"Portable Network Graphics", TPngImage::StaticClass());
  TPicture::RegisterFileFormat(u"emf", u"Enhanced Metafiles", TMetafile::StaticClass());
  TPicture::RegisterFileFormat(u"wmf", u"Metafiles", TMetafile::StaticClass());
  for (const Char* ext : {u"jpeg", u"jpe", u"jfif", u"jpg"})
    TPicture::RegisterFileFormat(ext, u"JPEG Image File", TJPEGImage::StaticClass());
  for (TClass c : {TForm::StaticClass(), TLabel::StaticClass(), TButton::StaticClass(), TMemo::StaticClass(),
                   TProgressBar::StaticClass(), TImage::StaticClass(), TTimer::StaticClass(),
                   TPopupMenu::StaticClass(), TMenuItem::StaticClass(), TCustomImageList::StaticClass(),
                   TImageList::StaticClass(), TGraphicControl::StaticClass(), TCustomControl::StaticClass()})
    RegisterClass(c);
  RegisterClass(TEdit::StaticClass());
  RegisterClass(TFrame::StaticClass());
  RegisterClass(TPanel::StaticClass());
  RegisterClass(TDragImageList::StaticClass());
  for (TClass c : {TListBox::StaticClass(), TOpenDialog::StaticClass(), TSaveDialog::StaticClass(),
                   TOpenPictureDialog::StaticClass(), TSavePictureDialog::StaticClass()})
    RegisterClass(c);
  if (!Mouse) Mouse = new TMouse();
  if (!Screen) Screen = new TScreen(nullptr);
  if (!Application) Application = new TApplication(nullptr);
}

void Finalize() {
  delete SetClipboard(nullptr);
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
  delete Mouse;
  Mouse = nullptr;
}

}  // namespace qd::forms
