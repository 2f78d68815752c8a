#pragma once
// Forms, the screen, the hint window and the application object.
//
// A form class made from a stored form derives from TForm, keeps the constructor that takes
// the owner, declares its components and event handlers as published members, and is
// registered so the reader finds it:
//
//   class TForm_Principal : public TForm {
//     QD_CLASS(TForm_Principal, TForm)
//     QD_PUBLISHED(TForm_Principal)
//    public:
//     using TForm::TForm;
//     TTimer* Timer_Inicializa = nullptr;                 // bound to the component "Timer_Inicializa"
//     void FormCreate(TObject* Sender);                   // "OnCreate = FormCreate"
//     void Timer_InicializaTimer(TObject* Sender);
//   };
//   void TForm_Principal::RegisterProperties(TPropertyRegistrar& r) {
//     r.Field("Timer_Inicializa", &TForm_Principal::Timer_Inicializa);
//     r.Method("FormCreate", &TForm_Principal::FormCreate);
//     r.Method("Timer_InicializaTimer", &TForm_Principal::Timer_InicializaTimer);
//   }
//   QD_IMPLEMENT_CLASS(TForm_Principal)
//
// Application->CreateForm(TForm_Principal::StaticClass(), Form_Principal) then creates it:
// the stored form RCDATA/TFORM_PRINCIPAL is read (components created, properties set,
// handlers bound by name), OnCreate runs, and the first form created becomes the main form.
// Forms are freed with Free() (or by their owner, or Release), so that OnDestroy still
// reaches the derived class.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/controls.h"

namespace qd {

class TApplication;
class THintWindow;

enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateItem : uint8_t { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TDefaultMonitor : uint8_t { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };

using TCloseEvent = TMethod<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TMethod<void(TObject* Sender, bool& CanClose)>;

// ---- Forms -------------------------------------------------------------------------------------------

class TCustomForm : public TWinControl {
  QD_CLASS(TCustomForm, TWinControl)
  QD_PUBLISHED(TCustomForm)

 public:
  // Create: a class derived from TForm reads its stored form in AfterConstruction
  // (EResNotFound when there is none).
  explicit TCustomForm(TComponent* AOwner);
  // CreateNew: without a stored form.
  TCustomForm(TComponent* AOwner, int Dummy);
  ~TCustomForm() override;

  void AfterConstruction() override;
  // Runs OnDestroy and hides the form; called by Free() and by owners before deleting.
  virtual void BeforeDestruction();
  // Frees the form (BeforeDestruction, then delete).
  void Free();

  void Dispatch(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  TRect GetClientRect() override;
  void SetClientWidth(int Value) override;
  void SetClientHeight(int Value) override;
  void SetVisible(bool Value) override;
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PaintWindow(HDC DC) override;
  bool CanFocus() override;
  void SetFocus() override;
  void SendCancelMode(TControl* Sender) override;

  // -- Showing and closing
  void Show();
  void Hide();
  void Close();
  bool CloseQuery();
  // Frees the form once the messages pending now are handled.
  void Release();
  int ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  void CloseModal();

  // -- Appearance
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  TFormState FormState() const { return formState_; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState Value);
  TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
  void SetDefaultMonitor(TDefaultMonitor Value) { defaultMonitor_ = Value; }
  TIcon* Icon() const { return icon_.get(); }
  void SetIcon(TIcon* Value) { icon_->Assign(Value); }
  HICON GetIconHandle();
  TCanvas* Canvas() const { return canvas_.get(); }
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool Value);
  uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(uint8_t Value);
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool Value) { autoScroll_ = Value; }

  // -- Scaling
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool Value) { scaled_ = Value; }
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int Value) { textHeight_ = Value; }
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool Value) { oldCreateOrder_ = Value; }

  // -- Focus
  bool Active() const { return active_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  virtual bool SetFocusedControl(TWinControl* Control);
  TWinControl* FocusedControl() const { return focusedControl_; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }
  virtual bool IsShortCut(TMessage& Message);

  // -- Events
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CMShowingChanged(TMessage& Message);
  void SetActive(bool Value);
  void SetWindowFocus();
  // Reads the stored form of the class (a registered text first, then the embedded
  // resources of the class chain); false when there is none.
  bool InitFromStoredForm();
  // Forgets the client size read from a stored form (applied when the window is made): for
  // forms that apply it themselves.
  void ClearPendingClientSize() { pendingClientWidth_ = pendingClientHeight_ = 0; }

 private:
  void InitializeNewForm();
  void IconChanged(TObject* Sender);
  void ApplyPendingClientSize();

  bool createdNew_ = false;
  bool destructionStarted_ = false;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDefaultPosOnly;
  TFormStyle formStyle_ = fsNormal;
  TFormState formState_;
  TWindowState windowState_ = wsNormal;
  TDefaultMonitor defaultMonitor_ = dmActiveForm;
  TModalResult modalResult_ = mrNone;
  std::unique_ptr<TIcon> icon_;
  std::unique_ptr<TControlCanvas> canvas_;
  int pixelsPerInch_ = 96;
  bool scaled_ = true;
  int textHeight_ = 0;
  bool oldCreateOrder_ = false;
  bool active_ = false;
  bool keyPreview_ = false;
  bool alphaBlend_ = false;
  uint8_t alphaBlendValue_ = 255;
  bool autoScroll_ = false;
  int pendingClientWidth_ = 0;
  int pendingClientHeight_ = 0;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
};

class TForm : public TCustomForm {
  QD_CLASS(TForm, TCustomForm)

 public:
  using TCustomForm::TCustomForm;
};

using TFormClass = TClass;

// Creates a form of class T (reading its stored form) and runs its creation events.
// (A form that fails to read its stored form frees itself.)
template <class T>
T* NewForm(TComponent* AOwner) {
  T* f = new T(AOwner);
  f->AfterConstruction();
  return f;
}

// Creates a form of class T without a stored form.
template <class T>
T* CreateNewForm(TComponent* AOwner) {
  T* f = new T(AOwner, 0);
  f->AfterConstruction();
  return f;
}

// Stored forms by class name that take precedence over the embedded resources (tests and
// tools); an empty text removes the entry.
void RegisterStoredForm(const String& ClassName, const String& Text);

// ---- Frames ------------------------------------------------------------------------------------------

// A container of controls and components of its own, placed on a form (or another control)
// like any windowed control. A frame has no stored form of its own here; its contents are
// made in code or read as part of its form.
class TCustomFrame : public TWinControl {
  QD_CLASS(TCustomFrame, TWinControl)

 public:
  explicit TCustomFrame(TComponent* AOwner);
  void CreateParams(TCreateParams& Params) override;
};

class TFrame : public TCustomFrame {
  QD_CLASS(TFrame, TCustomFrame)

 public:
  using TCustomFrame::TCustomFrame;
};

// ---- Screen --------------------------------------------------------------------------------------------

class TMonitor : public TObject {
  QD_CLASS(TMonitor, TObject)

 public:
  explicit TMonitor(HMONITOR Handle, int Num) : handle_(Handle), num_(Num) {}
  HMONITOR Handle() const { return handle_; }
  int MonitorNum() const { return num_; }
  TRect BoundsRect() const;
  TRect WorkareaRect() const;
  int Left() const { return BoundsRect().Left; }
  int Top() const { return BoundsRect().Top; }
  int Width() const { return BoundsRect().Width(); }
  int Height() const { return BoundsRect().Height(); }
  bool Primary() const;
  int PixelsPerInch() const;

 private:
  HMONITOR handle_;
  int num_;
};

class TScreen : public TComponent {
  QD_CLASS(TScreen, TComponent)

 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const { return forms_.at(static_cast<size_t>(Index)); }
  int CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int Index) const { return Forms(Index); }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  TCustomForm* FocusedForm() const { return focusedForm_; }

  // The cursor for the whole application (crDefault: each control's own).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  HCURSOR Cursors(TCursor Index);
  void SetCursors(TCursor Index, HCURSOR Handle);

  int Width() const;
  int Height() const;
  int PixelsPerInch() const { return pixelsPerInch_; }
  TRect DesktopRect() const;
  int DesktopLeft() const { return DesktopRect().Left; }
  int DesktopTop() const { return DesktopRect().Top; }
  int DesktopWidth() const { return DesktopRect().Width(); }
  int DesktopHeight() const { return DesktopRect().Height(); }
  TRect WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().Left; }
  int WorkAreaTop() const { return WorkAreaRect().Top; }
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }

  int MonitorCount();
  TMonitor* Monitors(int Index);
  TMonitor* PrimaryMonitor();
  TMonitor* MonitorFromPoint(TPoint Point, DWORD Default = MONITOR_DEFAULTTONEAREST);
  TMonitor* MonitorFromRect(const TRect& Rect, DWORD Default = MONITOR_DEFAULTTONEAREST);
  TMonitor* MonitorFromWindow(HWND Handle, DWORD Default = MONITOR_DEFAULTTONEAREST);

  TFont* HintFont() const { return hintFont_.get(); }
  TFont* MenuFont() const { return menuFont_.get(); }
  TFont* MessageFont() const { return messageFont_.get(); }

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

  // Bookkeeping done by forms.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetFocusState(TCustomForm* Form, TWinControl* Control);
  void SetFocusedForm(TCustomForm* Form) { focusedForm_ = Form; }
  void ControlRemoved(TControl* Control);

 private:
  TMonitor* MonitorOf(HMONITOR h);

  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TCustomForm* focusedForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TCursor cursor_ = crDefault;
  int cursorCount_ = 0;
  std::vector<std::pair<TCursor, HCURSOR>> cursors_;
  std::vector<std::unique_ptr<TMonitor>> monitors_;
  std::unique_ptr<TFont> hintFont_;
  std::unique_ptr<TFont> menuFont_;
  std::unique_ptr<TFont> messageFont_;
  int pixelsPerInch_ = 96;
};

extern TScreen* Screen;

// ---- Hints ---------------------------------------------------------------------------------------------

class THintWindow;
using THintWindowClass = TClass;

struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

// The small top-level window that shows a hint.
class THintWindow : public TCustomControl {
  QD_CLASS(THintWindow, TCustomControl)

 public:
  explicit THintWindow(TComponent* AOwner);
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  // Shows the hint text in Rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const String& AHint);
  virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData) { ActivateHint(Rect, AHint); }
  // The size the text needs (at most MaxWidth wide), at the origin.
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Mouse and key input that ends a hint.
  virtual bool IsHintMsg(const MSG& Msg);
  void ReleaseHandle();
  void Paint() override;
};

// The part of a hint before "|" (the whole text when there is none).
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// ---- Application ------------------------------------------------------------------------------------------

using TMessageEvent = TMethod<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TMethod<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = TMethod<void(TObject* Sender, const Exception& E)>;
using TShowHintEvent = TMethod<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
  QD_CLASS(TApplication, TComponent)

 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  String Title() const;
  void SetTitle(const String& Value);
  bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
  void SetMainFormOnTaskBar(bool Value) { mainFormOnTaskBar_ = Value; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool Value) { showMainForm_ = Value; }
  TIcon* Icon() const { return icon_.get(); }

  // Creates a form of InstanceClass owned by the application and stores it in Reference
  // before its OnCreate runs; the first form created becomes the main form.
  template <class T>
  void CreateForm(TClass InstanceClass, T*& Reference) {
    CreateFormImpl(InstanceClass, [&Reference](TObject* o) { Reference = dynamic_cast<T*>(o); });
  }
  TCustomForm* MainForm() const { return mainForm_; }

  // Shows the main form and handles messages until Terminated.
  void Run();
  // Asks the message loop to end (posts WM_QUIT).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message pending now; a WM_QUIT among them sets Terminated.
  void ProcessMessages();
  // Waits for a message, handles it, then idles when nothing else is pending.
  void HandleMessage();
  // Reports the exception being handled (call it inside a catch block): OnException, or a
  // message box; EAbort is silent.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

  // The full path of the executable.
  String ExeName() const;
  // Tests and tools set the path ExeName reports ("" restores the real one).
  static void SetExeNameForTesting(const String& Path);

  // The hidden application window.
  HWND Handle() const { return handle_; }
  bool Active() const { return active_; }
  int ModalLevel() const { return modalLevel_; }
  void ModalStarted();
  void ModalFinished();
  void BringToFront();
  void Minimize();
  void Restore();

  // -- Hints
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor Value) { hintColor_ = Value; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int Value) { hintPause_ = Value; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int Value) { hintShortPause_ = Value; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int Value) { hintHidePause_ = Value; }
  THintWindowClass HintWindowClass() const { return hintWindowClass_; }
  void SetHintWindowClass(THintWindowClass Value) { hintWindowClass_ = Value; }
  void CancelHint();
  void ActivateHint(TPoint CursorPos);
  void HideHint();
  void HintMouseMessage(TControl* Control, TMessage& Message);
  THintWindow* HintWindow() const { return hintWindow_; }
  bool HintShowing() const;

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnHint;
  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnModalBegin;
  TNotifyEvent OnModalEnd;

  // Bookkeeping for controls that go away.
  void ControlDestroyed(TControl* Control);
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void CreateFormImpl(TClass InstanceClass, const std::function<void(TObject*)>& Assign);
  bool ProcessMessage(MSG& Msg);
  void Idle(const MSG& Msg);
  void DoMouseIdle();
  bool IsKeyMsg(MSG& Msg);
  bool IsHintMsg(MSG& Msg);
  void WndProc(TMessage& Message);
  void HintTimerExpired();
  void StartHintTimer(int Value, int Kind);
  void StopHintTimer();
  void WakeMainThread(TObject* Sender);

  HWND handle_ = nullptr;
  String title_;
  bool terminated_ = false;
  bool running_ = false;
  bool mainFormOnTaskBar_ = false;
  bool showMainForm_ = true;
  bool active_ = true;
  int modalLevel_ = 0;
  TCustomForm* mainForm_ = nullptr;
  std::unique_ptr<TIcon> icon_;
  TControl* mouseControl_ = nullptr;

  bool showHint_ = true;
  String hint_;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintShortPause_ = 50;
  int hintHidePause_ = 2500;
  THintWindowClass hintWindowClass_;
  THintWindow* hintWindow_ = nullptr;
  TControl* hintControl_ = nullptr;
  TRect hintCursorRect_;
  bool hintActive_ = false;
  int hintTimerKind_ = 0;
};

extern TApplication* Application;

}  // namespace qd
