#include "loaders/raster_file.h"

void CloseRasterFile(RasterFile* raster) {
    UnmapFile(&raster->file);
    Unlink(&raster->links);
}
