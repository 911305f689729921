#include "render/view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

View* g_view = nullptr;

namespace {

using Matrix = double[3][3];

// Expanded along the first column.
double Determinant(const Matrix a) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
           a[1][0] * (a[0][1] * a[2][2] - a[0][2] * a[2][1]) +
           a[2][0] * (a[0][1] * a[1][2] - a[0][2] * a[1][1]);
}

// The adjugate over the determinant, cofactor by cofactor.
void Invert(const Matrix a, Matrix b) {
    const double det = Determinant(a);
    b[0][0] = (a[1][1] * a[2][2] - a[1][2] * a[2][1]) / det;
    b[0][1] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) / det;
    b[0][2] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) / det;
    b[1][0] = (a[1][2] * a[2][0] - a[1][0] * a[2][2]) / det;
    b[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) / det;
    b[1][2] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) / det;
    b[2][0] = (a[1][0] * a[2][1] - a[1][1] * a[2][0]) / det;
    b[2][1] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) / det;
    b[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) / det;
}

bool AllFinite(const Matrix m) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (!std::isfinite(m[r][c])) return false;
        }
    }
    return true;
}

void Multiply(const Matrix a, const Matrix b, Matrix product) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) product[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
    }
}

// An extent of 0 (or one that is not a number) stands for the display size along that axis.
double Extent(double requested, std::int32_t displaySize, double previous) {
    const double extent = std::fabs(requested);
    if (extent > 0 && std::isfinite(extent)) return extent;
    return displaySize > 0 ? static_cast<double>(displaySize) : previous;
}

// Piece drawing and the mouse turn mapped positions into integers, which an infinity or NaN would
// make meaningless, so the view only takes a transform with a finite inverse: a zoom past the
// range of doubles, or a canvas or table without size, leaves the view as it was.
bool Apply(View* view, const Matrix next) {
    Matrix inverse;
    Invert(next, inverse);
    if (!AllFinite(next) || !AllFinite(inverse)) return false;
    std::memcpy(view->toTable, next, sizeof(view->toTable));
    view->UpdateInverse();
    return true;
}

}  // namespace

View::View() : canvas(g_canvas) {}

View::~View() { Unlink(&links); }

void View::SetTableExtent(double width, double height) {
    tableWidth = Extent(width, canvas != nullptr ? canvas->DisplayWidth() : 0, tableWidth);
    tableHeight = Extent(height, canvas != nullptr ? canvas->DisplayHeight() : 0, tableHeight);
    Home();
}

void View::Home() {
    // A minimised window has no pixels to fit the table into; the view waits for the next Home.
    if (canvas == nullptr || canvas->width <= 0 || canvas->height <= 0) return;
    const double k = std::max(tableWidth / canvas->width, tableHeight / canvas->height);
    const Matrix home = {{k, 0, 0}, {0, k, 0}, {0, 0, 1}};
    Apply(this, home);
}

void View::Pan(double fx, double fy) {
    if (canvas == nullptr) return;
    const Matrix shift = {{1, 0, canvas->width * fx}, {0, 1, canvas->height * fy}, {0, 0, 1}};
    Matrix next;
    Multiply(toTable, shift, next);
    Apply(this, next);
}

void View::Zoom(double factor) {
    // Only a positive factor keeps the view unrotated and invertible.
    if (!(factor > 0)) return;
    const Matrix scaling = {{factor, 0, 0}, {0, factor, 0}, {0, 0, 1}};
    Matrix next;
    Multiply(toTable, scaling, next);
    Apply(this, next);
}

bool View::CanvasToTable(double sx, double sy, double* tx, double* ty) const {
    if (canvas == nullptr) return false;
    const double dx = sx - canvas->width / 2.0;
    const double dy = sy - canvas->height / 2.0;
    *tx = tableWidth / 2 + toTable[0][0] * dx + toTable[0][1] * dy + toTable[0][2];
    *ty = tableHeight / 2 + toTable[1][0] * dx + toTable[1][1] * dy + toTable[1][2];
    return true;
}

bool IsViewTransform(const double rows[2][3]) {
    // Only uniform scaling and moving: no key rotates, shears or mirrors the view.
    return rows[0][0] > 0 && rows[0][0] == rows[1][1] && rows[0][1] == 0 && rows[1][0] == 0;
}

bool View::SetTransform(const double rows[2][3]) {
    if (!IsViewTransform(rows)) return false;
    const Matrix next = {{rows[0][0], 0, rows[0][2]}, {0, rows[1][1], rows[1][2]}, {0, 0, 1}};
    return Apply(this, next);
}

void View::UpdateInverse() { Invert(toTable, toCanvas); }
