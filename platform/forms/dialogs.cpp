#include "platform/forms/dialogs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/base/strings.h"
#include "platform/forms/forms.h"
#include "platform/forms/stdctrls.h"
#include "platform/os/comdlg.h"
#include "platform/os/user_display.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCommonDialog)
QD_IMPLEMENT_CLASS(TOpenDialog)
QD_IMPLEMENT_CLASS(TSaveDialog)
QD_IMPLEMENT_CLASS(TOpenPictureDialog)
QD_IMPLEMENT_CLASS(TSavePictureDialog)

namespace {

std::mutex& HookLock() {
  static std::mutex m;
  return m;
}

TMessageBoxHook& Hook() {
  static TMessageBoxHook h;
  return h;
}

// CR, LF and CR LF all become CR LF.
String NormalizeLineBreaks(const String& s) {
  String r;
  r.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r') {
      r += u"\r\n";
      if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else if (s[i] == u'\n') {
      r += u"\r\n";
    } else {
      r += s[i];
    }
  }
  return r;
}

struct ButtonDef {
  const Char* caption;
  int id;
};

std::vector<ButtonDef> ButtonsOf(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL:
      return {{u"OK", IDOK}, {u"Cancel", IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{u"&Abort", IDABORT}, {u"&Retry", IDRETRY}, {u"&Ignore", IDIGNORE}};
    case MB_YESNOCANCEL:
      return {{u"&Yes", IDYES}, {u"&No", IDNO}, {u"Cancel", IDCANCEL}};
    case MB_YESNO:
      return {{u"&Yes", IDYES}, {u"&No", IDNO}};
    case MB_RETRYCANCEL:
      return {{u"&Retry", IDRETRY}, {u"Cancel", IDCANCEL}};
    default:
      return {{u"OK", IDOK}};
  }
}

// The answer of the Escape key and the close box: Cancel where there is one, OK for a box
// with only OK; other boxes cannot be cancelled that way.
int CancelAnswer(UINT type) {
  auto buttons = ButtonsOf(type);
  for (const auto& b : buttons)
    if (b.id == IDCANCEL) return IDCANCEL;
  if (buttons.size() == 1) return buttons[0].id;
  return 0;
}

int ShowDialog(HWND owner, const String& caption, const String& text, UINT type) {
  TForm* form = CreateNewForm<TForm>(nullptr);
  std::unique_ptr<TForm, void (*)(TForm*)> guard(form, [](TForm* f) { f->Free(); });
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons({biSystemMenu});
  form->SetCaption(caption);
  form->SetPosition(owner ? poOwnerFormCenter : poScreenCenter);
  form->SetColor(clWindow);
  if (Screen) form->Font()->Assign(Screen->MessageFont());

  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetCaption(text);
  label->SetShowAccelChar(false);
  label->SetWordWrap(true);

  // Measure the text (at most 2/3 of the screen wide).
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, form->Font()->Handle());
  const int maxWidth = std::max(200, GetSystemMetrics(SM_CXSCREEN) * 2 / 3);
  RECT tr{0, 0, maxWidth, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);

  const int margin = 16, buttonW = 88, buttonH = std::max<int>(26, tm.tmHeight + 12), gap = 8;
  auto buttons = ButtonsOf(type);
  const int buttonsW =
      static_cast<int>(buttons.size()) * buttonW + (static_cast<int>(buttons.size()) - 1) * gap;
  const int clientW = std::max<int>(tr.Right, buttonsW) + 2 * margin;
  const int textH = std::max<int>(tr.Bottom, tm.tmHeight);
  const int clientH = margin + textH + margin + buttonH + margin;
  label->SetBounds(margin, margin, clientW - 2 * margin, textH);
  form->SetClientWidth(clientW);
  form->SetClientHeight(clientH);

  const int defIndex = static_cast<int>((type >> 8) & 0xF);
  const int cancelId = CancelAnswer(type);
  int x = clientW - margin - buttonsW;
  TButton* focus = nullptr;
  for (size_t i = 0; i < buttons.size(); ++i) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetCaption(buttons[i].caption);
    b->SetModalResult(buttons[i].id);
    b->SetBounds(x, clientH - margin - buttonH, buttonW, buttonH);
    b->SetTabOrder(static_cast<int>(i));
    if (static_cast<int>(i) == std::min(defIndex, static_cast<int>(buttons.size()) - 1)) {
      b->SetDefault(true);
      focus = b;
    }
    if (buttons[i].id == cancelId) b->SetCancel(true);
    x += buttonW + gap;
  }
  if (focus) form->SetActiveControl(focus);
  if (type & MB_TOPMOST) form->SetFormStyle(fsStayOnTop);
  const int r = form->ShowModal();
  // Escape, the close box, or the end of the application.
  if (r == mrCancel) return cancelId ? cancelId : DefaultMessageBoxAnswer(type);
  return r;
}

}  // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook H) {
  std::lock_guard g(HookLock());
  TMessageBoxHook previous = std::move(Hook());
  Hook() = std::move(H);
  return previous;
}

bool IsHeadlessDisplay() {
  os::DisplayBackend* b = os::GetDisplayBackend();
  return !b || std::strcmp(b->Name(), "headless") == 0;
}

int DefaultMessageBoxAnswer(UINT uType) {
  auto buttons = ButtonsOf(uType);
  const size_t def = std::min<size_t>((uType >> 8) & 0xF, buttons.size() - 1);
  return buttons[def].id;
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  const String text = NormalizeLineBreaks(lpText ? String(lpText) : String());
  const String caption = lpCaption ? String(lpCaption) : String(u"Error");
  TMessageBoxHook hook;
  {
    std::lock_guard g(HookLock());
    hook = Hook();
  }
  if (hook) return hook(caption, text, uType);
  if (IsHeadlessDisplay()) {
    std::fprintf(stderr, "%s: %s\n", StringToUtf8(caption).c_str(), StringToUtf8(text).c_str());
    std::fflush(stderr);
    return DefaultMessageBoxAnswer(uType);
  }
  return ShowDialog(hWnd, caption, text, uType);
}

void ShowMessage(const String& Msg) {
  const String title = Application ? Application->Title() : String();
  HWND owner = nullptr;
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    owner = Screen->ActiveForm()->Handle();
  MessageBoxW(owner, Msg.c_str(), title.c_str(), MB_OK);
}

// ---- File dialogs ---------------------------------------------------------------------------------

namespace {

struct OptionBit {
  TOpenOption option;
  DWORD flag;
};
constexpr OptionBit kOptionBits[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

// The file dialog asks its questions through the message box (and so through its hook).
void EnsureFileDialogPrompt() {
  static std::once_flag once;
  std::call_once(once, [] {
    os::SetFileDialogPrompt([](HWND owner, const String& text, const String& caption, UINT type) {
      return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    });
  });
}

HWND DialogOwner(HWND ParentWnd) {
  if (ParentWnd) return ParentWnd;
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    return Screen->ActiveForm()->Handle();
  return nullptr;
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

String TOpenDialog::PlatformFilter(const String& Filter) {
  String r = Filter;
  for (Char& c : r)
    if (c == u'|') c = u'\0';
  r += u'\0';
  r += u'\0';
  return r;
}

bool TOpenDialog::Execute(HWND ParentWnd) {
  return DoExecute(false, ParentWnd);
}

bool TOpenDialog::DoExecute(bool Save, HWND ParentWnd) {
  EnsureFileDialogPrompt();
  const String filter = PlatformFilter(filter_);
  std::vector<Char> file(std::max<size_t>(fileName_.size() + 1, 4096), u'\0');
  std::copy(fileName_.begin(), fileName_.end(), file.begin());
  OPENFILENAMEW ofn;
  ofn.hwndOwner = DialogOwner(ParentWnd);
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  for (const auto& b : kOptionBits)
    if (options_.Contains(b.option)) ofn.Flags |= b.flag;
  ofn.Flags |= OFN_EXPLORER;
  const BOOL ok = Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  fileName_ = String(file.data());
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  if (ofn.Flags & OFN_EXTENSIONDIFFERENT)
    options_.Include(ofExtensionDifferent);
  else
    options_.Exclude(ofExtensionDifferent);
  if (ofn.Flags & OFN_READONLY)
    options_.Include(ofReadOnly);
  else
    options_.Exclude(ofReadOnly);
  files_->Clear();
  files_->Add(fileName_);
  return true;
}

bool TSaveDialog::Execute(HWND ParentWnd) {
  return DoExecute(true, ParentWnd);
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
  SetFilter(GraphicFilter(TGraphic::StaticClass()));
}

bool TSavePictureDialog::Execute(HWND ParentWnd) {
  return DoExecute(true, ParentWnd);
}

}  // namespace qd
