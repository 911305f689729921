#pragma once

#include <cstdint>

#include "imaging/draw_scaled_image.h"

// Draws one piece of the loaded picture into the view's canvas: the g_maskSize × g_maskSize
// picture square whose first column and row are (sourceX, sourceY), kept where the mask (null
// for none) is set, with its centre on the table point (tableX, tableY) and sizeX × sizeY table
// units large. Averaging may serve only where allowAveraging is not 0. Draws nothing without a
// view, a canvas or a picture.
void DrawPiece(double tableX, double tableY, std::int32_t sourceX, std::int32_t sourceY, const MaskShape* mask,
               std::int16_t allowAveraging, double sizeX, double sizeY);

// The canvas pixels DrawPiece visits for a piece centred on that table point: empty without a view
// or a canvas, or where it lies off the canvas.
CanvasArea PieceArea(double tableX, double tableY, double sizeX, double sizeY);

// DrawPiece limited to the working pixels of `clip`, for frames drawn in bands by several threads;
// the caller holds the canvas's render lock for the whole frame. Returns the rows it visited.
RowBand DrawPieceInArea(double tableX, double tableY, std::int32_t sourceX, std::int32_t sourceY,
                        const MaskShape* mask, std::int16_t allowAveraging, double sizeX, double sizeY,
                        CanvasArea clip);
