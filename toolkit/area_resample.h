// Resizing of premultiplied BGRA pixels by area averaging: every output pixel is the mean of the
// source area it covers, weighted by coverage. A proper filter for the small reductions the
// editor needs (a 2x or 3x set down to 1.25x ... 2.75x), without the dropped rows and aliasing
// of nearest-neighbour sampling.
#pragma once

#include <memory>

#include "pixel_image.h"

namespace VSTGUI {

// nullptr when a size is not positive or the image cannot be made.
std::unique_ptr<PixelImage> resampleArea(const PixelImage& source, int width, int height);

}  // namespace VSTGUI
