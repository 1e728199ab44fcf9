#pragma once

// Encodes a raster as a PNG file image in memory (8-bit RGB, no
// interlacing). Writing it anywhere is left to the caller.

#include "preview/RasterSurface.h"

#include <cstdint>
#include <vector>

// Throws CCliError when the encoder fails.
std::vector<std::uint8_t> EncodePng(const CRasterSurface& raster);
