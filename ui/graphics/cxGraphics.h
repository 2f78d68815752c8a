#pragma once
// The canvas-and-bitmap unit of the graphics layer: regions, the canvas wrapper with its
// saved states and the shared canvases, and the text drawing and measuring functions.
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsAlphaBitmap.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsRegion.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
