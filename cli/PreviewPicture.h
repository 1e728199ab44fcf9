#pragma once

// The preview picture of the main window as tintbar-css exports it: the
// client area painted by the models with the window's layout, on a raster.
// The status-strip label is left out; a raster records text without drawing
// it.

#include "preview/RasterSurface.h"
#include "text/Types.h"

CRasterSurface RenderPreviewPicture(const ColorList& colors);
