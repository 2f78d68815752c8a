#pragma once
// Mirroring of coordinates, alignments, sides and directions for right-to-left layouts,
// done inside a parent rectangle.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/base/set.h"
#include "platform/forms/controls.h"
#include "platform/forms/menus.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxTextLayout.h"

namespace qd {

// A scrolling or moving direction of the control framework.
enum TcxDirection : uint8_t { dirNone, dirLeft, dirRight, dirUp, dirDown };
// Horizontal alignment of a popup against its owner.
enum TcxPopupAlignHorz : uint8_t { pahLeft, pahCenter, pahRight };

class TdxRightToLeftLayoutConverter {
 public:
  static int32_t ConvertXCoordinate(int32_t X, const TRect& AParentRect);
  static TPoint ConvertPoint(const TPoint& P, const TRect& AParentRect);
  // An empty rectangle stays as it is; otherwise the width is kept.
  static TRect ConvertRect(const TRect& R, const TRect& AParentRect);
  // Left and right exchanged.
  static TRect ConvertOffsets(const TRect& AOffsets);

  static TAlignment ConvertAlignment(TAlignment AAlignment);
  static TcxTextAlignX ConvertcxTextAlignX(TcxTextAlignX AAlignment);
  // The left (1) and right (2) alignment values of the text-drawing flags exchanged.
  static int32_t ConvertcxDrawTextAlignment(int32_t AAlignment);
  static TcxPopupAlignHorz ConvertPopupAlignHorz(TcxPopupAlignHorz AAlignment);
  static TPopupAlignment ConvertPopupAlignment(TPopupAlignment AAlignment);
  static TcxDirection ConvertDirection(TcxDirection ADirection);
  static TAnchors ConvertAnchors(TAnchors AAnchors);
  static TcxBorders ConvertBorders(TcxBorders ABorders);
  // Any set of sides whose first and third members are the left and right sides: when
  // exactly one of them is in the set, it is replaced by the other.
  template <class E>
  static TSet<E> ConvertNeighbors(TSet<E> ANeighbors) {
    const E left = static_cast<E>(0);
    const E right = static_cast<E>(2);
    if (ANeighbors.Contains(left) == ANeighbors.Contains(right)) return ANeighbors;
    if (ANeighbors.Contains(left))
      ANeighbors.Exclude(left).Include(right);
    else
      ANeighbors.Exclude(right).Include(left);
    return ANeighbors;
  }
  static WORD ConvertVirtualKeyCode(WORD AKey);
};

}  // namespace qd
