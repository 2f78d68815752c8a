#pragma once
// What the filtered drop-down lists share: the view info of a popup that can show a
// "No matches found" panel, and the popup window that uses it. (The helper that owns the
// search edit builds on the text editor.)
#include <cstdint>
#include <memory>

#include "ui/controls/cxContainer.h"
#include "ui/controls/cxContainerPopup.h"
#include "ui/core/cxGeometryScaleFactor.h"

namespace qd {

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
