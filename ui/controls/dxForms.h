#pragma once
// Forms that keep a scale factor and rescale themselves, their controls and their image
// lists when they move to a monitor with another pixel density.
#include <memory>
#include <vector>

#include "platform/forms/forms.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/cxGeometryScaleFactorIntf.h"

namespace qd {

// A component that rescales itself with the form that owns it.
class IcxScalableComponent {
 public:
  virtual ~IcxScalableComponent() = default;
  virtual void ScaleForPPI(int32_t ATargetPPI) = 0;
};

// True after start-up: forms swap image lists for the copies made for their new density.
extern bool dxAutoReplaceImageListReferencesOnDPIChanges;

class TdxCustomForm : public TCustomForm, public IdxScaleFactor {
  QD_CLASS(TdxCustomForm, TCustomForm)

 public:
  // CreateNew: without a stored form.
  TdxCustomForm(TComponent* AOwner, int Dummy);
  ~TdxCustomForm() override;

  TdxScaleFactor* ScaleFactor() const { return FScaleFactor.get(); }
  TdxScaleFactor* GetScaleFactor() override { return FScaleFactor.get(); }

  void Dispatch(TMessage& Message) override;
  void ChangeScale(int M, int D, bool isDpiChange) override;
  void ScaleForPPI(int NewPPI) override;
  virtual void ScaleForPPI(int32_t TargetDPI, const TRect* WindowRect);
  virtual void ScaleForCurrentDpi();
  void DoShow() override;

 protected:
  virtual void ScaleFactorChanged(int32_t M, int32_t D);
  virtual void UpdateImageLists();

 private:
  std::unique_ptr<TdxScaleFactor> FScaleFactor;
};

// The rescaling of a form: one scale-change bracket for every control on it.
class TdxFormHelper {
 public:
  static bool IsScaleChanging(TWinControl* AContainer);
  static void ScaleForPPI(TCustomForm* AForm, int32_t ATargetDPI, bool AIsDpiChanged,
                          const TRect* AWindowRect);
  static void ScaleComponentsForDpi(TComponent* AOwner, int32_t ANewPPI);
  static void ResetScalingFlags(TControl* AControl);
};

// Swaps the image lists a form's components refer to for the ones named after the target
// density (ImageList1 at 144 DPI: ImageList144, else ImageList120, ImageList96 or ImageList).
class TdxFormImageListHelper {
 public:
  static void Execute(int32_t ATargetDPI, TComponent* AForm);
  static String GetBaseImageListName(const String& AName);
  static String GenerateName(const String& ABase, int32_t ADPI);

 private:
  explicit TdxFormImageListHelper(int32_t ATargetDPI) : FTargetDPI(ATargetDPI) {}
  void UpdateImageLists(TComponent* AForm);
  void UpdateImageListProperties(TObject* AObject, int ADepth);
  TComponent* GetReplacement(TComponent* AImageList);
  TComponent* TryFind(TComponent* AOwner, const String& ABase, int32_t ADPI);

  int32_t FTargetDPI;
  std::vector<std::pair<TComponent*, TComponent*>> FReplacementCache;
};

}  // namespace qd
