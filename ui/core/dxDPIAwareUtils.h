#pragma once
// DPI utilities: the DPI of the system, the desktop, a monitor, a form or any component;
// which scale factor an object uses; system metrics at a given scale; the process's DPI
// awareness; and the shared scale-factor singletons. The optional DPI functions of the
// system are bound by name at start-up.
#include <array>
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/cxGeometryScaleFactorIntf.h"

namespace qd {

class TComponent;
class TCustomForm;
class TFont;
class TMonitor;

constexpr int32_t dxDefaultDPI = 96;
constexpr int32_t dxMinDPI = 30;
constexpr int32_t dxMaxDPI = 480;
// The standard steps of 100 % to 300 %.
inline constexpr std::array<int32_t, 8> dxDefaultDPIValues = {96, 120, 144, 168, 192, 216, 240, 288};

enum TdxProcessDpiAwareness : uint8_t {
  pdaUnaware,
  pdaSystemDpiAware,
  pdaPerMonitorDpiAware,
  pdaPerMonitorDpiAwareV2
};

// Implemented by graphics that were designed at a size or a DPI of their own.
class IdxSourceSize {
 public:
  virtual ~IdxSourceSize() = default;
  virtual TSize GetSourceSize() = 0;
};
class IdxSourceDPI {
 public:
  virtual ~IdxSourceDPI() = default;
  virtual int32_t GetSourceDPI() = 0;
};

// The DPI a scale factor stands for.
struct TdxScaleFactorHelper {
  // MulDiv(96, numerator, denominator) when the factor is assigned (not 1/1), else 96 (also
  // for nullptr).
  static int32_t TargetDPI(const TdxScaleFactor* AScaleFactor);
};

// A scale factor computed once from the system's settings (Update, right after creation).
class TdxSystemBasedScaleFactor : public TdxScaleFactor {
  QD_CLASS(TdxSystemBasedScaleFactor, TdxScaleFactor)

 public:
  virtual void Update() = 0;
  int32_t TargetDPI() const { return TdxScaleFactorHelper::TargetDPI(this); }
};

// The desktop DPI over 96 when the process is DPI-aware, else the system DPI over 96.
class TdxDesktopScaleFactor : public TdxSystemBasedScaleFactor {
  QD_CLASS(TdxDesktopScaleFactor, TdxSystemBasedScaleFactor)

 public:
  void Update() override;
};

// The system DPI over 96.
class TdxSystemScaleFactor : public TdxSystemBasedScaleFactor {
  QD_CLASS(TdxSystemScaleFactor, TdxSystemBasedScaleFactor)

 public:
  void Update() override;
};

// ADPI clamped to dxMinDPI .. dxMaxDPI.
int32_t dxCheckDPIValue(int32_t ADPI);
// LOGPIXELSY of the screen.
int32_t dxGetSystemDPI();
// The user's "AppliedDPI" window-metrics setting when the registry holds one, else the
// system DPI.
int32_t dxGetDesktopDPI();
// The monitor's DPI; the system DPI for nullptr.
int32_t dxGetMonitorDPI(TMonitor* AMonitor);
// The DPI of the monitor nearest to the screen point.
int32_t dxGetMonitorDPI(const TPoint& APoint);
// The form's current DPI when set, else its PixelsPerInch.
int32_t dxGetFormDPI(TCustomForm* AForm);

// The scale a component is drawn at: a form's DPI over 96, a scale-factor owner's factor, a
// control's parent's answer; False for anything else (nullptr included).
bool dxGetCurrentScaleFactor(TComponent* AComponent, int32_t& ANumerator, int32_t& ADenominator);
// MulDiv(96, numerator, denominator) of dxGetCurrentScaleFactor, else 96.
int32_t dxGetCurrentDPI(TComponent* AComponent);
// From Windows 8 on: the DPI of the monitor nearest to the centre of the first control in
// the owner chain; otherwise, or without a control, the system DPI.
int32_t dxGetTargetDPI(TComponent* AComponent);
// The object's own scale factor when it offers one (IdxScaleFactor), else
// dxSystemScaleFactor.
TdxScaleFactor* dxGetScaleFactor(TObject* AObject);

// The system metric at the scale factor's DPI (unscaled for nullptr).
int32_t dxGetSystemMetrics(int32_t AIndex, const TdxScaleFactor* AScaleFactor);
// ADest takes everything of ASource, with the height converted from the source scale to
// the destination scale.
void dxAssignFont(TFont* ADest, TFont* ASource, const TdxScaleFactor* ADestScaleFactor,
                  const TdxScaleFactor* ASourceScaleFactor);

// The shared scale factors (1/1, desktop, system), created on first use; nullptr once the
// unit has shut down. They keep the value computed at creation.
TdxScaleFactor* dxDefaultScaleFactor();
TdxSystemBasedScaleFactor* dxDesktopScaleFactor();
TdxSystemBasedScaleFactor* dxSystemScaleFactor();

TdxProcessDpiAwareness dxGetProcessDpiAwareness();
// Shcore's answer for a process, when the function is bound and succeeds.
bool dxGetProcessDpiAwareness(HANDLE AProcess, TdxProcessDpiAwareness& AValue);
bool dxIsProcessDPIAware();
bool dxIsProcessPerMonitorV2Aware();

// Start-up binds Shcore's and user32's DPI functions (through the units loader); shut-down
// unbinds them, frees Shcore and the singletons.
namespace dxDPIAwareUtils {
void Initialize();
void Finalize();
}  // namespace dxDPIAwareUtils

}  // namespace qd
