#pragma once

#include "engine/render/Image.h"

namespace lirava {

// The image resampled to width x height: every target pixel is the area-weighted average of the
// source pixels it covers, computed on premultiplied colour so that transparent pixels lend no
// colour to their neighbours. Shrinking by a whole factor is a plain box average; enlarging
// blends neighbouring pixels where a target pixel straddles them. An empty source or a size
// below one pixel gives an empty image.
Image scaledImage(const Image& source, int width, int height);

// Scaled to fit inside width x height with its proportions kept, centred on a transparent
// canvas of exactly that size (icons, thumbnails of other shapes).
Image fittedImage(const Image& source, int width, int height);

}  // namespace lirava
