#include "ui/controls/cxControlsRightToLeft.h"

#include "platform/os/user.h"

namespace qd {

int32_t TdxRightToLeftLayoutConverter::ConvertXCoordinate(int32_t X, const TRect& AParentRect) {
  return AParentRect.Left + AParentRect.Right - X;
}

TPoint TdxRightToLeftLayoutConverter::ConvertPoint(const TPoint& P, const TRect& AParentRect) {
  return {ConvertXCoordinate(P.X, AParentRect), P.Y};
}

TRect TdxRightToLeftLayoutConverter::ConvertRect(const TRect& R, const TRect& AParentRect) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) return R;
  const int32_t left = AParentRect.Left + AParentRect.Right - R.Right;
  return {left, R.Top, left + (R.Right - R.Left), R.Bottom};
}

TRect TdxRightToLeftLayoutConverter::ConvertOffsets(const TRect& AOffsets) {
  return {AOffsets.Right, AOffsets.Top, AOffsets.Left, AOffsets.Bottom};
}

TAlignment TdxRightToLeftLayoutConverter::ConvertAlignment(TAlignment AAlignment) {
  switch (AAlignment) {
    case taLeftJustify:
      return taRightJustify;
    case taRightJustify:
      return taLeftJustify;
    default:
      return AAlignment;
  }
}

TcxTextAlignX TdxRightToLeftLayoutConverter::ConvertcxTextAlignX(TcxTextAlignX AAlignment) {
  switch (AAlignment) {
    case taLeft:
      return taRight;
    case taRight:
      return taLeft;
    default:
      return AAlignment;
  }
}

int32_t TdxRightToLeftLayoutConverter::ConvertcxDrawTextAlignment(int32_t AAlignment) {
  switch (AAlignment) {
    case 1:
      return 2;
    case 2:
      return 1;
    default:
      return AAlignment;
  }
}

TcxPopupAlignHorz TdxRightToLeftLayoutConverter::ConvertPopupAlignHorz(TcxPopupAlignHorz AAlignment) {
  switch (AAlignment) {
    case pahLeft:
      return pahRight;
    case pahRight:
      return pahLeft;
    default:
      return AAlignment;
  }
}

TPopupAlignment TdxRightToLeftLayoutConverter::ConvertPopupAlignment(TPopupAlignment AAlignment) {
  switch (AAlignment) {
    case paLeft:
      return paRight;
    case paRight:
      return paLeft;
    default:
      return AAlignment;
  }
}

TcxDirection TdxRightToLeftLayoutConverter::ConvertDirection(TcxDirection ADirection) {
  switch (ADirection) {
    case dirLeft:
      return dirRight;
    case dirRight:
      return dirLeft;
    default:
      return ADirection;
  }
}

TAnchors TdxRightToLeftLayoutConverter::ConvertAnchors(TAnchors AAnchors) {
  return ConvertNeighbors(AAnchors);
}

TcxBorders TdxRightToLeftLayoutConverter::ConvertBorders(TcxBorders ABorders) {
  return ConvertNeighbors(ABorders);
}

WORD TdxRightToLeftLayoutConverter::ConvertVirtualKeyCode(WORD AKey) {
  switch (AKey) {
    case VK_LEFT:
      return VK_RIGHT;
    case VK_RIGHT:
      return VK_LEFT;
    default:
      return AKey;
  }
}

}  // namespace qd
