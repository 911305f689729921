#pragma once

#include <cstdint>

#include "loaders/source_image.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/random.h"
#include "model/table.h"

// A picture of columns × rows cells at the given cell size (generation reads only its size) in
// an 800 × 600 window, cut from a fixed seed.
struct CutPuzzle {
    CutPuzzle(std::int32_t columns, std::int32_t rows, std::int32_t cellSize) {
        g_cellSize = cellSize;
        const GridGeometry geometry = GeometryForCellSize(cellSize);
        picture.width = columns * geometry.pitch;
        picture.height = rows * geometry.pitch;
        picture.loaded = 1;
        g_sourceImage = &picture;
        g_clientRect = {0, 0, 800, 600};
    }
    ~CutPuzzle() {
        ClearPuzzle();
        g_sourceImage = nullptr;
    }
    void Cut() {
        g_randomState = 1;
        GeneratePuzzle();
    }
    SourceImage picture;
};
