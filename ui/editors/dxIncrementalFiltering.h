#pragma once
// What the filtered drop-down lists share: the helper that owns the small search edit taking
// the typed filter text, the view info of a popup that can show a "No matches found" panel,
// and the popup window that uses it.
#include <cstdint>
#include <memory>

#include "ui/controls/cxContainer.h"
#include "ui/controls/cxContainerPopup.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {

class TcxCustomLookAndFeelPainter;
class TcxObjectLink;

// Owns the search edit that a descendant places in its drop-down; what is filtered, and when,
// is the descendant's to decide.
class TdxCustomIncrementalFilteringHelper : public TObject {
  QD_CLASS(TdxCustomIncrementalFilteringHelper, TObject)

 public:
  TdxCustomIncrementalFilteringHelper() = default;
  ~TdxCustomIncrementalFilteringHelper() override;

  // The search edit; nil once its parent (the drop-down's popup) has freed it.
  TcxCustomTextEdit* SearchEdit() const;

  // A TcxTextEdit without an owner component.
  virtual void CreateSearchEdit();
  virtual void DestroySearchEdit();
  // The painter's search glyph in the button's place, in the normal state whatever the mouse
  // does.
  virtual void DrawSearchEditButton(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas,
                                    int32_t AButtonVisibleIndex, bool& AHandled);
  // The painter of the owning editor.
  virtual TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() = 0;
  // The margins around the search edit.
  virtual TRect GetSearchEditOffsets() { return TRect{1, 1, 1, 1}; }
  // Binds the search edit's events to this helper and gives it the glyph button.
  virtual void InitSearchEdit();
  virtual void SearchEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) = 0;
  virtual void SearchEditKeyPress(TObject* Sender, Char& Key) = 0;
  virtual void SearchEditMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                    bool& Handled) = 0;
  virtual void SearchEditValueChanged(TObject* Sender) = 0;
  virtual String GetSearchText();

 protected:
  TcxCustomTextEdit* FSearchEdit = nullptr;

 private:
  TcxObjectLink* FSearchEditLink = nullptr;
};

class TdxCustomIncrementalFilteringContainerViewInfo : public TcxContainerViewInfo {
  QD_CLASS(TdxCustomIncrementalFilteringContainerViewInfo, TcxContainerViewInfo)

 public:
  TdxCustomIncrementalFilteringContainerViewInfo();
  ~TdxCustomIncrementalFilteringContainerViewInfo() override;

  virtual void DrawSearchInfoPanel(TcxCanvas* ACanvas);
  // The text height of the font and 4 pixels above and below.
  virtual int32_t GetSearchInfoPanelDefaultHeight();
  // SearchInfoPanelHeight when set, else the default height.
  virtual int32_t GetSearchInfoPanelHeight();
  virtual String GetSearchInfoPanelText();
  virtual uint32_t GetSearchInfoPanelTextDrawFlags();
  virtual int32_t GetSearchInfoPanelTextOffset() { return 4; }
  // The text and its offset on each side; popups are at least this wide while it shows.
  virtual int32_t GetSearchInfoPanelWidth();
  virtual bool IsSearchInfoPanelVisible() { return false; }
  void Paint(TcxCanvas* ACanvas) override;

  // Follows the popup window's scale factor.
  std::unique_ptr<TdxOwnedScaleFactor> ScaleFactor;
  TRect SearchInfoPanelBounds;
  // A fixed panel height; 0 selects the default.
  int32_t SearchInfoPanelHeight = 0;
  bool ShowSearchInfoPanel = false;
  bool UseRightToLeftAlignment = false;
};

class TdxCustomIncrementalFilteringPopupWindow : public TcxCustomPopupWindow {
  QD_CLASS(TdxCustomIncrementalFilteringPopupWindow, TcxCustomPopupWindow)

 public:
  // AViewInfoClass: a descendant's view info (a TdxCustomIncrementalFilteringContainerViewInfo);
  // nil for this class's.
  explicit TdxCustomIncrementalFilteringPopupWindow(TWinControl* AOwnerControl,
                                                    TClass AViewInfoClass = nullptr);

  virtual TClass GetViewInfoClass() { return TdxCustomIncrementalFilteringContainerViewInfo::StaticClass(); }
  TdxCustomIncrementalFilteringContainerViewInfo* GetViewInfo() const;
  bool ShowSearchInfoPanel() const { return FShowSearchInfoPanel; }
  // Only stored (here and in the view info): the owner sets it before sizing the popup.
  void SetShowSearchInfoPanel(bool Value);

 private:
  bool FShowSearchInfoPanel = false;
};

}  // namespace qd
