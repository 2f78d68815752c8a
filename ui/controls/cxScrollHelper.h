#pragma once
// Ready-made scroll bars, scrolling and gesture scrolling for a control whose content is a plain
// area of pixels offered through IdxScrollingControl.
#include <cstdint>

#include "platform/forms/stdctrls.h"
#include "platform/os/wintypes.h"
#include "ui/core/dxTouch.h"

namespace qd {

class TcxControl;

class IdxScrollingControl {
 public:
  virtual ~IdxScrollingControl() = default;
  virtual TSize GetContentSize() = 0;
  virtual TcxControl* GetInstance() = 0;
  virtual int32_t GetLeftPos() = 0;
  virtual void SetLeftPos(int32_t Value) = 0;
  virtual int32_t GetTopPos() = 0;
  virtual void SetTopPos(int32_t Value) = 0;
};

class TdxScrollHelper {
 public:
  static void InitScrollBarsParameters(IdxScrollingControl* C);
  static void Scroll(IdxScrollingControl* C, TScrollBarKind AKind, TScrollCode ACode, int32_t& APos);
  static void SetLeftPos(IdxScrollingControl* C, int32_t Value);
  static void SetTopPos(IdxScrollingControl* C, int32_t Value);
  static void SetPos(IdxScrollingControl* C, int32_t X, int32_t Y);
  static void ScrollContent(IdxScrollingControl* C);
  static void GestureScroll(IdxScrollingControl* C, int32_t ADeltaX, int32_t ADeltaY);
  static TSize GetClientSize(IdxScrollingControl* C);
  static bool IsScrollDataValid(IdxScrollingControl* C);

 private:
  static int32_t CheckLeftPos(IdxScrollingControl* C, int32_t Value);
  static int32_t CheckTopPos(IdxScrollingControl* C, int32_t Value);
};

}  // namespace qd
