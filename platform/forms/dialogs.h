#pragma once
// Message boxes. With a display that shows windows, a message box is a modal dialog (the
// caption, the text with its line breaks, the buttons of the MB_ set); with the headless
// display (and when no display backend is installed) the caption and text go to standard
// error and the box answers as if the user confirmed it (the default button). Tests install
// a hook that sees every box and gives the answer.
#include <functional>

#include "platform/base/types.h"
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

}  // namespace qd
