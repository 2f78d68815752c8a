#include "platform/forms/extctrls.h"

#include "platform/forms/forms.h"

namespace qd {

QD_IMPLEMENT_CLASS(TTimer)
QD_IMPLEMENT_CLASS(TImage)
QD_IMPLEMENT_CLASS(TCustomPanel)
QD_IMPLEMENT_CLASS(TPanel)

// ---- TTimer ------------------------------------------------------------------------------------

constexpr UINT_PTR kTimerId = 1;

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  window_ = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  DeallocateHWnd(window_);
}

void TTimer::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  r.Prop("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  r.Event("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

void TTimer::UpdateTimer() {
  if (running_ && window_) KillTimer(window_, kTimerId);
  running_ = false;
  if (interval_ != 0 && enabled_ && onTimer_ && window_) {
    if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfMemory(u"Not enough timers available");
    running_ = true;
  }
}

void TTimer::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(UINT Value) {
  if (Value == interval_) return;
  interval_ = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  onTimer_ = Value;
  UpdateTimer();
}

void TTimer::Timer() {
  if (onTimer_) onTimer_(this);
}

void TTimer::WndProc(TMessage& Msg) {
  if (Msg.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (const os::EWouldBlockForever&) {
      throw;
    } catch (...) {
      if (Application)
        Application->HandleException(this);
      else
        throw;
    }
    return;
  }
  Msg.Result = DefWindowProcW(window_, Msg.Msg, Msg.WParam, Msg.LParam);
}

// ---- TImage ------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
  controlStyle_.Include(csReplicatable);
  picture_->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
  DoSetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
  picture_->OnChange = nullptr;
}

void TImage::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("AutoSize", &TControl::AutoSize, &TImage::SetAutoSize).Default(false);
  r.Prop("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  r.Prop("IncrementalDisplay", &TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay).Default(false);
  r.Prop("Picture", &TImage::Picture, &TImage::SetPicture);
  r.Prop("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
  r.Prop("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  r.Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}

TRect TImage::DestRect() {
  int w = picture_->Width(), h = picture_->Height();
  const int cw = ClientWidth(), ch = ClientHeight();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (center_) {
    const int dx = (cw - w) / 2, dy = (ch - h) / 2;
    r = Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
  }
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  const bool saved = drawing_;
  drawing_ = true;
  try {
    TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
  } catch (...) {
    drawing_ = saved;
    throw;
  }
  drawing_ = saved;
}

TCanvas* TImage::Canvas() {
  if (!picture_->Graphic()) {
    TBitmap* b = picture_->Bitmap();
    b->SetSize(width_, height_);
  }
  auto* b = dynamic_cast<TBitmap*>(picture_->Graphic());
  if (!b) throw EInvalidOperation(u"Can only modify an image if it contains a bitmap");
  return b->Canvas();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
  if (picture_->Width() > 0 && picture_->Height() > 0) {
    NewWidth = picture_->Width();
    NewHeight = picture_->Height();
  }
  return true;
}

void TImage::SetAutoSize(bool Value) {
  autoSize_ = Value;
  if (Value && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(left_, top_, picture_->Width(), picture_->Height());
}

void TImage::SetStretch(bool Value) {
  if (stretch_ == Value) return;
  stretch_ = Value;
  PictureChanged(this);
}

void TImage::SetCenter(bool Value) {
  if (center_ == Value) return;
  center_ = Value;
  PictureChanged(this);
}

void TImage::SetProportional(bool Value) {
  if (proportional_ == Value) return;
  proportional_ = Value;
  PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
  if (transparent_ == Value) return;
  transparent_ = Value;
  PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(left_, top_, picture_->Width(), picture_->Height());
  TGraphic* g = picture_->Graphic();
  if (g) {
    if (!dynamic_cast<TIcon*>(g) && g->Transparent() != transparent_) {
      // The graphic tells the image again through OnChange; keep the flag without recursion.
      TNotifyEvent saved = picture_->OnChange;
      picture_->OnChange = nullptr;
      g->SetTransparent(transparent_);
      picture_->OnChange = saved;
    }
    TRect d = DestRect();
    if (!g->Transparent() && !g->SupportsPartialTransparency() && d.Left <= 0 && d.Top <= 0 &&
        d.Right >= width_ && d.Bottom >= height_)
      controlStyle_.Include(csOpaque);
    else
      controlStyle_.Exclude(csOpaque);
  } else {
    controlStyle_.Exclude(csOpaque);
  }
  if (!drawing_) Invalidate();
}

// ---- TCustomPanel ---------------------------------------------------------------------------------

const TTypeInfo* TypeInfoTBevelCut() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TBevelCut", {u"bvNone", u"bvLowered", u"bvRaised", u"bvSpace"});
  return &t;
}

void TCustomPanel::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, TypeInfoTBevelCut())
      .Default(bvNone);
  r.Prop("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, TypeInfoTBevelCut())
      .Default(bvRaised);
  r.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  r.Prop("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint).Default(true);
  r.Prop("ShowCaption", &TCustomPanel::ShowCaption, &TCustomPanel::SetShowCaption).Default(true);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  TControlStyle style = ControlStyle();
  style.Include(csAcceptsControls);
  style.Include(csOpaque);
  SetControlStyle(style);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (bevelOuter_ == Value) return;
  bevelOuter_ = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (bevelInner_ == Value) return;
  bevelInner_ = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetShowCaption(bool Value) {
  if (showCaption_ == Value) return;
  showCaption_ = Value;
  Invalidate();
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r{0, 0, Width(), Height()};
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  auto edge = [&](TBevelCut ACut) {
    if (ACut == bvNone) return;
    UINT kind = ACut == bvLowered ? BDR_SUNKENOUTER : ACut == bvRaised ? BDR_RAISEDINNER : 0;
    if (kind)
      DrawEdge(canvas->Handle(), &r, kind, BF_RECT | BF_ADJUST);
    else
      r = RECT{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  };
  edge(bevelOuter_);
  edge(bevelInner_);
  const String text = Caption();
  if (showCaption_ && !text.empty()) {
    canvas->Font()->Assign(Font());
    SetBkMode(canvas->Handle(), TRANSPARENT);
    DrawTextW(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace qd
