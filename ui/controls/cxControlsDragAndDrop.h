#pragma once
// The library's own drag and drop (the object that follows one operation), the drag image
// window that follows the mouse and the size frame shown while sizing.
#include <memory>

#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "platform/forms/imglist.h"
#include "ui/controls/cxControls.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsRegion.h"

namespace qd {

// The translucency of a drag image window (0 transparent, 255 opaque).
inline constexpr uint8_t cxDragAndDropWindowTransparency = 180;

// --- TcxDragAndDropObject ------------------------------------------------------------------------

class TcxDragAndDropObject : public TObject {
  QD_CLASS(TcxDragAndDropObject, TObject)

 public:
  explicit TcxDragAndDropObject(TcxControl* AControl);

  void DoBeginDragAndDrop();
  void DoDragAndDrop(const TPoint& P, bool& Accepted);
  void DoEndDragAndDrop(bool Accepted);
  bool DoProcessKeyDown(const TMessage& Message);
  bool DoProcessKeyUp(const TMessage& Message);

  TcxControl* Control() const { return FControl; }
  TcxCanvas* Canvas() const { return FCanvas; }
  bool Dirty() const { return FDirty; }
  void SetDirty(bool Value);
  bool ImmediateStart() { return GetImmediateStart(); }

  TPoint CurMousePos{-1, -1};
  TPoint PrevMousePos{-1, -1};

 protected:
  virtual void DirtyChanged() {}
  virtual TPoint GetClientCursorPos();
  virtual TCursor GetDragAndDropCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }
  virtual bool GetImmediateStart() { return false; }
  virtual int32_t GetZoomFactor() { return 100; }
  virtual void AfterDragAndDrop(bool Accepted) {}
  virtual void BeforeBeginDragAndDrop() {}
  virtual void BeginDragAndDrop() { DirtyChanged(); }
  virtual void DragAndDrop(const TPoint& P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted) { SetDirty(true); }
  virtual bool ProcessKeyDown(WORD AKey, TShiftState AShiftState) { return false; }
  virtual bool ProcessKeyUp(WORD AKey, TShiftState AShiftState) { return false; }
  virtual TPoint TranslateCoords(const TPoint& P);

 private:
  TcxControl* FControl;
  TcxCanvas* FCanvas;
  bool FDirty = false;
};

// --- The platform's drag ---------------------------------------------------------------------------

// The drag object a control makes for itself: the copy cursor while Ctrl is held, and it frees
// itself when the drag is over.
class TcxDragControlObject : public TDragControlObject {
  QD_CLASS(TcxDragControlObject, TDragControlObject)

 public:
  using TDragControlObject::TDragControlObject;
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};

// The list that holds a control's drag image.
class TcxDragImageList : public TDragImageList {
  QD_CLASS(TcxDragImageList, TDragImageList)

 public:
  using TDragImageList::TDragImageList;
};

// The drag object of the drag under way that last came over a library control (nullptr
// when none, or once that drag is over).
TDragObject* GetDragObject();

// --- TcxCustomDragImage ---------------------------------------------------------------------------

// A topmost popup window that never takes the mouse or the activation; semi-transparent where
// the system offers layered windows.
class TcxCustomDragImage : public TCustomControl {
  QD_CLASS(TcxCustomDragImage, TCustomControl)

 public:
  TcxCustomDragImage();
  ~TcxCustomDragImage() override;

  void Init(const TRect& ASourceBounds, const TPoint& ASourcePoint);
  void MoveTo(const TPoint& P);
  void Offset(int32_t DX, int32_t DY);
  void Show(int ACmdShow = SW_SHOWNA);
  void Hide();
  bool Visible();
  void SetVisible(bool Value) override;

  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(uint8_t Value);
  bool AlphaBlended() const;
  bool TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(bool Value);
  TColor TransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(TColor Value);
  TWinControl* PopupParent() const { return FPopupParent; }
  void SetPopupParent(TWinControl* Value);
  TcxCanvas* Canvas() const { return FCanvas.get(); }
  const TPoint& PositionOffset() const { return FPositionOffset; }

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void UpdateLayeredAttributes();
  virtual bool IsSkinnable() { return false; }

 private:
  bool FAlphaBlend = true;
  uint8_t FAlphaBlendValue = cxDragAndDropWindowTransparency;
  std::unique_ptr<TcxCanvas> FCanvas;
  TWinControl* FPopupParent = nullptr;
  TPoint FPositionOffset;
  bool FTransparentColor = false;
  TColor FTransparentColorValue = clBlack;
};

// --- TcxSizeFrame ---------------------------------------------------------------------------------

// A drag image shaped as a band of FrameWidth pixels around the rectangle (or the whole
// rectangle with FillSelection), painted with a black and white dither.
class TcxSizeFrame : public TcxCustomDragImage {
  QD_CLASS(TcxSizeFrame, TcxCustomDragImage)

 public:
  explicit TcxSizeFrame(int32_t AFrameWidth = 2);
  ~TcxSizeFrame() override;

  void DrawSizeFrame(const TRect& R);
  void DrawSizeFrame(const TRect& R, TcxRegion* ARegion);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Paint() override;

  bool FillSelection() const { return FFillSelection; }
  void SetFillSelection(bool Value) { FFillSelection = Value; }
  int32_t FrameWidth() const { return FFrameWidth; }
  TcxRegion* Region() const { return FRegion.get(); }

 private:
  void InitializeFrameRegion();
  void SetWindowRegion();

  bool FFillSelection = false;
  int32_t FFrameWidth;
  std::unique_ptr<TcxRegion> FRegion;
  std::unique_ptr<TBitmap> FPatternBitmap;
};

}  // namespace qd
