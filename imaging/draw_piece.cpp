#include "imaging/draw_piece.h"

#include <cmath>

#include "imaging/draw_scaled_image.h"
#include "loaders/source_image.h"
#include "model/geometry.h"
#include "render/view.h"

namespace {

// Where on the canvas a piece centred on a table point lies, and how large it is drawn.
struct PiecePlace {
    double centreX;
    double centreY;
    double width;
    double height;
};

PiecePlace PlaceOf(const Canvas& canvas, double tableX, double tableY, double sizeX, double sizeY) {
    const auto& b = g_view->toCanvas;
    const double dx = tableX - g_view->tableWidth / 2;
    const double dy = tableY - g_view->tableHeight / 2;
    // The view only scales uniformly and moves, so the first row's length is its one scale.
    const double scale = std::sqrt(b[0][0] * b[0][0] + b[0][1] * b[0][1]);
    return PiecePlace{canvas.width / 2.0 + b[0][0] * dx + b[0][1] * dy + b[0][2],
                      canvas.height / 2.0 + b[1][0] * dx + b[1][1] * dy + b[1][2], scale * sizeX + 0.5,
                      scale * sizeY + 0.5};
}

}  // namespace

void DrawPiece(double tableX, double tableY, std::int32_t sourceX, std::int32_t sourceY, const MaskShape* mask,
               std::int16_t allowAveraging, double sizeX, double sizeY) {
    if (g_view == nullptr || g_view->canvas == nullptr) return;
    Canvas* canvas = g_view->canvas;
    LockHold render(&canvas->renderLock);
    canvas->changedRows = RowBand{0, canvas->height};
    DrawPieceInArea(tableX, tableY, sourceX, sourceY, mask, allowAveraging, sizeX, sizeY,
                    CanvasArea{{0, canvas->height}, 0, canvas->width});
}

CanvasArea PieceArea(double tableX, double tableY, double sizeX, double sizeY) {
    if (g_view == nullptr || g_view->canvas == nullptr) return CanvasArea{{0, 0}, 0, 0};
    const Canvas& canvas = *g_view->canvas;
    const PiecePlace place = PlaceOf(canvas, tableX, tableY, sizeX, sizeY);
    return ScaledImageArea(canvas, g_maskSize, g_maskSize, place.centreX, place.centreY, place.width, place.height);
}

RowBand DrawPieceInArea(double tableX, double tableY, std::int32_t sourceX, std::int32_t sourceY,
                        const MaskShape* mask, std::int16_t allowAveraging, double sizeX, double sizeY,
                        CanvasArea clip) {
    if (g_view == nullptr || g_view->canvas == nullptr) return RowBand{0, 0};
    Canvas* canvas = g_view->canvas;
    const PiecePlace place = PlaceOf(*canvas, tableX, tableY, sizeX, sizeY);
    return DrawScaledImageInArea(canvas, g_sourceImage, sourceX, sourceY, g_maskSize, g_maskSize, mask,
                                 allowAveraging, place.centreX, place.centreY, place.width, place.height, clip);
}
