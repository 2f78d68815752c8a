#include "ui/lookandfeel/dxFading.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/base/mathutil.h"
#include "platform/forms/extctrls.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxImageList.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxFadingOptions)
QD_IMPLEMENT_CLASS(TdxFadingElement)
QD_IMPLEMENT_CLASS(TdxFader)
QD_IMPLEMENT_CLASS(TdxFadingObjectHelper)

namespace {

TdxFader* gFader = nullptr;
int32_t gFadingInitCount = 0;

constexpr int32_t kFaderTimerInterval = 10;
constexpr int32_t kFaderMaxFrameCount = 32;
constexpr int32_t kFaderMaxAnimationCount = 20;

// The bitmap's pixels top-down with the alpha correction applied.
TRGBColors FadingColorsOf(TBitmap* ABitmap) {
  TRGBColors colors;
  dxCoreGraphics::GetBitmapBits(ABitmap, colors, true);
  colors.resize(static_cast<size_t>(ABitmap->Width()) * static_cast<size_t>(ABitmap->Height()));
  TdxFadingHelper::CorrectAlphaChannel(colors);
  return colors;
}

}  // namespace

// --- TdxFadingOptions -----------------------------------------------------------------------

void TdxFadingOptions::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("FadeInFrameCount", &TdxFadingOptions::FadeInFrameCount, &TdxFadingOptions::SetFadeInFrameCount)
      .Stored(&TdxFadingOptions::IsFadeInFrameCountStored);
  r.Prop("FadeInFrameDelay", &TdxFadingOptions::FadeInFrameDelay, &TdxFadingOptions::SetFadeInFrameDelay)
      .Stored(&TdxFadingOptions::IsFadeInFrameDelayStored);
  r.Prop("FadeOutFrameCount", &TdxFadingOptions::FadeOutFrameCount, &TdxFadingOptions::SetFadeOutFrameCount)
      .Stored(&TdxFadingOptions::IsFadeOutFrameCountStored);
  r.Prop("FadeOutFrameDelay", &TdxFadingOptions::FadeOutFrameDelay, &TdxFadingOptions::SetFadeOutFrameDelay)
      .Stored(&TdxFadingOptions::IsFadeOutFrameDelayStored);
}

void TdxFadingOptions::Assign(TPersistent* Source) {
  if (auto* source = ObjectCast<TdxFadingOptions>(Source)) {
    SetFadeInFrameCount(source->FadeInFrameCount());
    SetFadeInFrameDelay(source->FadeInFrameDelay());
    SetFadeOutFrameCount(source->FadeOutFrameCount());
    SetFadeOutFrameDelay(source->FadeOutFrameDelay());
  } else {
    inherited::Assign(Source);
  }
}

void TdxFadingOptions::SetFadeInFrameCount(int32_t AValue) {
  FFadeInFrameCount = std::clamp(AValue, 0, kFaderMaxFrameCount);
}
void TdxFadingOptions::SetFadeInFrameDelay(int32_t AValue) {
  FFadeInFrameDelay = std::clamp(AValue, 10, 300);
}
void TdxFadingOptions::SetFadeOutFrameCount(int32_t AValue) {
  FFadeOutFrameCount = std::clamp(AValue, 0, kFaderMaxFrameCount);
}
void TdxFadingOptions::SetFadeOutFrameDelay(int32_t AValue) {
  FFadeOutFrameDelay = std::clamp(AValue, 10, 300);
}

// --- TdxFadingElement -----------------------------------------------------------------------

TdxFadingElement::TdxFadingElement(TdxFader* AOwner, TObject* AElement, IdxFadingObject* AFadingObject)
    : FElement(AElement), FFadingObject(AFadingObject), FOwner(AOwner) {}

TdxFadingElement::~TdxFadingElement() {
  FOwner->RemoveFadingElement(this);
}

void TdxFadingElement::SetAnimationParams(int32_t AAnimationFrameCount, int32_t AAnimationFrameDelay) {
  FAnimationFrameCount = std::clamp(AAnimationFrameCount, 1, kFaderMaxFrameCount);
  FAnimationFrameDelay = std::clamp(AAnimationFrameDelay, 1, 300);
  FDelayCount = std::max(FAnimationFrameDelay / kFaderTimerInterval, 1);
  FDelayIndex = 0;
}

void TdxFadingElement::SetImages(TBitmap* AImage1, TBitmap* AImage2) {
  FImage1Colors = FadingColorsOf(AImage1);
  FImage2Colors = FadingColorsOf(AImage2);
  FImageSize = TSize{AImage1->Width(), AImage1->Height()};
  BuildWorkImage();
}

void TdxFadingElement::BuildWorkImage() {
  const float a = static_cast<float>(MulDiv(FStage, 255, FAnimationFrameCount)) / 255.0f;
  const float b = 1.0f - a;
  const size_t count = FImage1Colors.size();
  TRGBColors frame(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p1 = &FImage1Colors[i].rgbBlue;
    const uint8_t* p2 = &FImage2Colors[i].rgbBlue;
    uint8_t* out = &frame[i].rgbBlue;
    for (size_t c = 0; c < 4; ++c) {
      const float v = std::min(b * p1[c] + a * p2[c], 255.0f);
      out[c] = static_cast<uint8_t>(std::nearbyint(std::max(v, 0.0f)));
    }
  }
  auto image = std::make_unique<TdxGPImage>();
  image->LoadFromBits(FImageSize.cx, FImageSize.cy, frame, afDefined);
  SetWorkImage(std::move(image));
}

void TdxFadingElement::SetWorkImage(TdxFadingImage AImage) {
  if (AImage == FWorkImage) return;
  TdxFadingImage previous = std::move(FWorkImage);
  FWorkImage = std::move(AImage);
  // The object may end its own fade from here: nothing of this element is touched after.
  FFadingObject->DrawFadeImage();
}

std::unique_ptr<TBitmap> TdxFadingElement::WorkImageAsBitmap() const {
  if (!FWorkImage) return nullptr;
  auto bitmap = std::make_unique<TcxBitmap32>(FImageSize.cx, FImageSize.cy);
  dxCoreGraphics::SetBitmapBits(bitmap.get(), FWorkImage->GetBitmapBits(), true);
  return bitmap;
}

void TdxFadingElement::ProcessFadeStep() {
  FDelayIndex = (FDelayIndex + 1) % FDelayCount;
  if (FDelayIndex != 0) return;
  if (FStage < FAnimationFrameCount) {
    ++FStage;
    BuildWorkImage();
  } else {
    Finalize();
  }
}

void TdxFadingElement::Finalize() {
  // A Remove of the same object from the repaint below leaves the element to this call.
  if (FFinalizing) return;
  FFinalizing = true;
  SetWorkImage(nullptr);
  delete this;
}

// --- TdxFadingList --------------------------------------------------------------------------

int32_t TdxFadingList::IndexOf(const TdxFadingElement* AElement) const {
  const auto it = std::find(FItems.begin(), FItems.end(), AElement);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

void TdxFadingList::Remove(TdxFadingElement* AElement) {
  const auto it = std::find(FItems.begin(), FItems.end(), AElement);
  if (it != FItems.end()) FItems.erase(it);
}

void TdxFadingList::Clear() {
  while (!FItems.empty()) delete FItems.back();
  FItems.clear();
}

// --- TdxFader -------------------------------------------------------------------------------

TdxFader::TdxFader() : FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kFaderTimerInterval);
  FTimer->SetOnTimer(TNotifyEvent(this, &TdxFader::DoTimer));
}

TdxFader::~TdxFader() {
  Clear();
  FTimer.reset();
}

bool TdxFader::Active() const {
  switch (FState) {
    case fasEnabled:
      return true;
    case fasDisabled:
      return false;
    case fasDefault:
      break;
  }
  // A failed query leaves the value False: no fading.
  BOOL animate = FALSE;
  SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animate, 0);
  return animate != FALSE;
}

bool TdxFader::IsReady() const {
  return Active() && MaxAnimationCount() > 0 && CheckGdiPlus(false) &&
         GetDeviceCaps(cxScreenCanvas()->Handle(), BITSPIXEL) > 16;
}

void TdxFader::SetMaxAnimationCount(int32_t AValue) {
  AValue = std::clamp(AValue, 0, kFaderMaxAnimationCount);
  if (AValue == FMaxAnimationCount) return;
  FMaxAnimationCount = AValue;
  ValidateQueue();
}

bool TdxFader::CanFade(TObject* AObject, IdxFadingObject*& AFadingObject) const {
  AFadingObject = nullptr;
  if (!IsReady()) return false;
  AFadingObject = dynamic_cast<IdxFadingObject*>(AObject);
  return AFadingObject && AFadingObject->CanFade();
}

bool TdxFader::CanFade(TObject* AObject) const {
  IdxFadingObject* fadingObject;
  return CanFade(AObject, fadingObject);
}

bool TdxFader::Find(TObject* AObject, TdxFadingElement*& AFadingElement) const {
  AFadingElement = nullptr;
  for (TdxFadingElement* element : FList.Items())
    if (element->Element() == AObject) {
      AFadingElement = element;
      return true;
    }
  return false;
}

bool TdxFader::Contains(TObject* AObject) const {
  TdxFadingElement* element;
  return Find(AObject, element);
}

void TdxFader::Fade(TObject* AObject, TdxFadingState AState) {
  IdxFadingObject* fadingObject;
  if (!CanFade(AObject, fadingObject)) return;
  std::unique_ptr<TcxBitmap> fadeOutImage;
  std::unique_ptr<TcxBitmap> fadeInImage;
  fadingObject->GetFadingImages(fadeOutImage, fadeInImage);
  TdxFadingOptions options;
  if (auto* optionsSource = dynamic_cast<IdxFadingObjectFadingOptions*>(AObject))
    if (TdxFadingOptions* objectOptions = optionsSource->GetFadingOptions()) options.Assign(objectOptions);
  if (AState == fsFadeIn)
    Fade(AObject, std::move(fadeOutImage), std::move(fadeInImage), options.FadeInFrameCount(),
         options.FadeInFrameDelay());
  else
    Fade(AObject, std::move(fadeInImage), std::move(fadeOutImage), options.FadeOutFrameCount(),
         options.FadeOutFrameDelay());
}

void TdxFader::Fade(TObject* AObject, std::unique_ptr<TBitmap> AImage1, std::unique_ptr<TBitmap> AImage2,
                    int32_t AAnimationFrameCount, int32_t AAnimationFrameDelay) {
  IdxFadingObject* fadingObject;
  if (!CanFade(AObject, fadingObject) || !AImage1 || !AImage2 || AImage1->Width() != AImage2->Width() ||
      AImage1->Height() != AImage2->Height() || AImage1->Empty() || AImage2->Empty() ||
      AAnimationFrameCount <= 0)
    return;
  TdxFadingElement* element;
  if (Find(AObject, element)) {
    if (AImage1->Width() == element->ImageSize().cx && AImage1->Height() == element->ImageSize().cy) {
      // The new fade starts from the frame on screen.
      if (std::unique_ptr<TBitmap> onScreen = element->WorkImageAsBitmap()) AImage1 = std::move(onScreen);
      element->SetAnimationParams(AAnimationFrameCount, AAnimationFrameDelay);
      element->SetStage(0);
    }
  } else {
    element = new TdxFadingElement(this, AObject, fadingObject);
    element->SetAnimationParams(AAnimationFrameCount, AAnimationFrameDelay);
    AddFadingElement(element);
    // A queue of 0 finalizes the new element at once.
    if (FList.IndexOf(element) < 0) return;
  }
  element->SetImages(AImage1.get(), AImage2.get());
}

bool TdxFader::DrawFadeImage(TObject* AObject, HDC DC, const TRect& R) const {
  TdxFadingElement* element;
  if (!Find(AObject, element) || !element->WorkImage()) return false;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(DC, R);
  const TSize size = element->ImageSize();
  dxGpDrawImage(canvas->Handle(), R, TRect{0, 0, size.cx, size.cy}, element->WorkImage()->Handle(), 255);
  canvas->EndPaint();
  return true;
}

void TdxFader::Remove(TObject* AObject, bool ADestroying) {
  TdxFadingElement* element;
  if (!Find(AObject, element) || element->Finalizing()) return;
  if (ADestroying)
    delete element;
  else
    element->Finalize();
}

void TdxFader::Clear() {
  FList.Clear();
}

bool TdxFader::TimerEnabled() const {
  return FTimer->Enabled();
}

void TdxFader::AddFadingElement(TdxFadingElement* AElement) {
  FList.Add(AElement);
  ValidateQueue();
}

void TdxFader::RemoveFadingElement(TdxFadingElement* AElement) {
  FList.Remove(AElement);
  ValidateQueue();
}

void TdxFader::DoTimer(TObject*) {
  // A repaint may end other fades; each element still listed takes its step once.
  const std::vector<TdxFadingElement*> snapshot = FList.Items();
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
    if (FList.IndexOf(*it) >= 0 && !(*it)->Finalizing()) (*it)->ProcessFadeStep();
}

void TdxFader::ValidateQueue() {
  while (FList.Count() > FMaxAnimationCount) {
    TdxFadingElement* oldest = nullptr;
    for (TdxFadingElement* element : FList.Items())
      if (!element->Finalizing()) {
        oldest = element;
        break;
      }
    if (!oldest) break;
    oldest->Finalize();
  }
  FTimer->SetEnabled(FList.Count() > 0);
}

// --- TdxFadingObjectHelper ------------------------------------------------------------------

TdxFadingObjectHelper::~TdxFadingObjectHelper() {
  if (gFader) gFader->Remove(this, true);
}

void TdxFadingObjectHelper::FadeIn() {
  dxFader()->FadeIn(this);
}

void TdxFadingObjectHelper::FadeOut() {
  dxFader()->FadeOut(this);
}

void TdxFadingObjectHelper::StopFading() {
  dxFader()->Remove(this, false);
}

bool TdxFadingObjectHelper::GetActive() const {
  return dxFader()->Contains(const_cast<TdxFadingObjectHelper*>(this));
}

bool TdxFadingObjectHelper::DrawImage(HDC DC, const TRect& R) {
  return dxFader()->DrawFadeImage(this, DC, R);
}

void TdxFadingObjectHelper::CheckStartFading(TcxButtonState APrevState, TcxButtonState AState) {
  if (APrevState == AState) return;
  const auto isRest = [](TcxButtonState s) { return s == cxbsDefault || s == cxbsNormal; };
  if (AState == cxbsHot && isRest(APrevState))
    FadeIn();
  else if (isRest(AState) && APrevState == cxbsHot)
    FadeOut();
  else
    StopFading();
}

// --- TdxFadingHelper ------------------------------------------------------------------------

TColor TdxFadingHelper::CheckColor(TColor AColor) {
  const COLORREF rgb = ColorToRGB(AColor);
  return static_cast<TColor>(rgb == 0 ? RGB(1, 1, 1) : rgb);
}

void TdxFadingHelper::CorrectAlphaChannel(TBitmap* ABitmap) {
  TRGBColors colors;
  if (!dxCoreGraphics::GetBitmapBits(ABitmap, colors, true)) return;
  CorrectAlphaChannel(colors);
  dxCoreGraphics::SetBitmapBits(ABitmap, colors, true);
}

void TdxFadingHelper::CorrectAlphaChannel(TRGBColors& AColors) {
  for (RGBQUAD& c : AColors)
    if (c.rgbReserved == 0 && (c.rgbBlue != 0 || c.rgbGreen != 0 || c.rgbRed != 0)) c.rgbReserved = 255;
}

// --- Unit -----------------------------------------------------------------------------------

TdxFader* dxFader() {
  return gFader;
}

namespace dxFading {

void Initialize() {
  if (gFadingInitCount++ > 0) return;
  gFader = new TdxFader();
  // Cells read from native image lists get their alpha corrected here.
  cxImageListCorrectAlphaChannel = [](TBitmap* ABitmap) { TdxFadingHelper::CorrectAlphaChannel(ABitmap); };
}

void Finalize() {
  if (gFadingInitCount == 0 || --gFadingInitCount > 0) return;
  cxImageListCorrectAlphaChannel = nullptr;
  delete gFader;
  gFader = nullptr;
}

}  // namespace dxFading

}  // namespace qd
