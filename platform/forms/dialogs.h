#pragma once
// File dialogs and message boxes.
//
// TOpenDialog / TSaveDialog (and the picture variants) run the platform's file dialog
// (platform/os/comdlg.h): a modal window on a display that shows windows, the file-dialog
// hook in tests, "cancelled" on the headless display without a hook. The dialog's
// questions and warnings (replace an existing file?) are message boxes, so the message-box
// hook below sees them.
//
// Message boxes. With a display that shows windows, a message box is a modal dialog (the
// caption, the text with its line breaks, the buttons of the MB_ set); with the headless
// display (and when no display backend is installed) the caption and text go to standard
// error and the box answers as if the user confirmed it (the default button). Tests install
// a hook that sees every box and gives the answer.
#include <functional>

#include <memory>

#include "platform/base/set.h"
#include "platform/base/types.h"
#include "platform/classes/classes.h"
#include "platform/classes/lists.h"
#include "platform/os/user.h"

namespace qd {

// Called instead of showing a box; returns the answer (IDOK, IDYES ...).
using TMessageBoxHook = std::function<int(const String& Caption, const String& Text, UINT Flags)>;
// Installs the hook (nullptr removes it) and returns the previous one.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook Hook);

// True when windows are not shown anywhere: the headless display, or none installed.
bool IsHeadlessDisplay();

// The platform's message box. The text's line breaks may be CR, LF or CR LF.
int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
// The answer a box gives when confirmed: its default button.
int DefaultMessageBoxAnswer(UINT uType);

// A box with the application's title as caption and an OK button.
void ShowMessage(const String& Msg);

// ---- File dialogs ------------------------------------------------------------------------------

enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
  QD_CLASS(TCommonDialog, TComponent)

 public:
  using OwnerType = TComponent;
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // True when the user confirmed. ParentWnd: the window the dialog belongs to (nullptr: the
  // active form).
  virtual bool Execute(HWND ParentWnd = nullptr) = 0;
};

class TOpenDialog : public TCommonDialog {
  QD_CLASS(TOpenDialog, TCommonDialog)

 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  bool Execute(HWND ParentWnd = nullptr) override;

  // The chosen file with its folder (on entry: the name the dialog starts with).
  String FileName() const { return fileName_; }
  void SetFileName(const String& Value) { fileName_ = Value; }
  // "Description|*.a;*.b|Description|*.c": pairs of a description and its patterns.
  String Filter() const { return filter_; }
  void SetFilter(const String& Value) { filter_ = Value; }
  // 1-based; after Execute, the filter the user ended with.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int Value) { filterIndex_ = Value; }
  // Added (without its dot) to a name typed without an extension.
  String DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& Value) { defaultExt_ = Value; }
  String InitialDir() const { return initialDir_; }
  void SetInitialDir(const String& Value) { initialDir_ = Value; }
  String Title() const { return title_; }
  void SetTitle(const String& Value) { title_ = Value; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions Value) { options_ = Value; }
  // The chosen files (one entry after a successful Execute).
  TStrings* Files() const { return files_.get(); }

  // The zero-separated form of a "|"-separated filter, as the platform's dialog takes it.
  static String PlatformFilter(const String& Filter);

 protected:
  bool DoExecute(bool Save, HWND ParentWnd);

 private:
  String fileName_;
  String filter_;
  int filterIndex_ = 1;
  String defaultExt_;
  String initialDir_;
  String title_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  std::unique_ptr<TStringList> files_;
};

class TSaveDialog : public TOpenDialog {
  QD_CLASS(TSaveDialog, TOpenDialog)

 public:
  using TOpenDialog::TOpenDialog;
  bool Execute(HWND ParentWnd = nullptr) override;
};

// Open and save dialogs whose filter starts as the registered picture formats.
class TOpenPictureDialog : public TOpenDialog {
  QD_CLASS(TOpenPictureDialog, TOpenDialog)

 public:
  explicit TOpenPictureDialog(TComponent* AOwner);
};

class TSavePictureDialog : public TOpenPictureDialog {
  QD_CLASS(TSavePictureDialog, TOpenPictureDialog)

 public:
  using TOpenPictureDialog::TOpenPictureDialog;
  bool Execute(HWND ParentWnd = nullptr) override;
};

}  // namespace qd
