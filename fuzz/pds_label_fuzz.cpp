// Any bytes stand for a whole .img file: the PDS label reader reads them, then every sample of a
// picture it accepts is read. The bytes stay in the fuzzer's own exactly sized buffer in place of
// the mapping, so the address sanitizer stops any read past the end of the "file".
#include <cstddef>
#include <cstdint>

#include "fuzz/every_sample.h"
#include "loaders/pds_label.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    RecordMessages(false);  // refusals are expected by the million; none need keeping
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RasterFile raster;
    raster.file.view = data;
    raster.file.size = size;
    if (ReadPdsLabel(&raster, L"fuzz.img")) ReadEverySample(raster, raster.sampleFormat / 8);
    return 0;
}
