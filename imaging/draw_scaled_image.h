#pragma once

#include <cstdint>

#include "loaders/source_image.h"
#include "model/mask.h"
#include "render/canvas.h"

// Draws the source rectangle of the picture (sourceWidth × sourceHeight pixels from column
// sourceX, row sourceY) scaled to destWidth × destHeight canvas pixels and centred on
// (centreX, centreY), by mapping every covered canvas pixel back into the picture. One step of
// picture pixels per canvas pixel serves both axes, so the picture is never stretched unevenly.
// Where the picture is shown at less than 1/1.1 of its size and averaging is allowed, each
// canvas pixel averages the picture under its footprint; otherwise it is interpolated. The mask
// (of sourceWidth × sourceHeight pixels; null for none) keeps the pixels of its runs. Pixels
// outside the picture, the mask or the canvas are left exactly as they were, and so is everything
// when the numbers are not finite or the canvas has no working image.
void DrawScaledImage(Canvas* canvas, const SourceImage* image, std::int32_t sourceX, std::int32_t sourceY,
                     std::int32_t sourceWidth, std::int32_t sourceHeight, const MaskShape* mask,
                     std::int16_t allowAveraging, double centreX, double centreY, double destWidth, double destHeight);

// The canvas pixels DrawScaledImage visits for a source of that size drawn there: empty when it
// would draw nothing for the numbers alone.
CanvasArea ScaledImageArea(const Canvas& canvas, std::int32_t sourceWidth, std::int32_t sourceHeight, double centreX,
                           double centreY, double destWidth, double destHeight);

// DrawScaledImage limited to the pixels of `clip`, which gives those pixels exactly what the whole
// drawing gives them, and returns the rows it visited (none when it drew nothing). For frames
// drawn by several threads at once, each into its own band of rows: the caller holds the canvas's
// render lock for the whole frame, and nothing here takes it.
RowBand DrawScaledImageInArea(Canvas* canvas, const SourceImage* image, std::int32_t sourceX, std::int32_t sourceY,
                              std::int32_t sourceWidth, std::int32_t sourceHeight, const MaskShape* mask,
                              std::int16_t allowAveraging, double centreX, double centreY, double destWidth,
                              double destHeight, CanvasArea clip);
