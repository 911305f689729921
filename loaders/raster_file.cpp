#include "loaders/raster_file.h"

#include "imaging/contrast_stretch.h"

void CloseRasterFile(RasterFile* raster) {
    UnmapFile(&raster->file);
    FreeSampleStretch(raster->stretch);
    raster->stretch = nullptr;
    Unlink(&raster->links);
}
