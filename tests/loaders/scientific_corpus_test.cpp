// Every PDS and FITS file of the shared corpus, written by other people's software, read by the
// game's own readers. The sizes, data offsets and sample values expected are those that GDAL
// (PDS) and astropy (FITS) recorded in the corpus's MANIFEST.md, wherever the game reads the same
// keywords; where it does not, the comment says why.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "loaders/fits_header.h"
#include "loaders/pds_label.h"
#include "raster_reading.h"
#include "support/test_files.h"

namespace {

// A sample at column x of stored row y (GDAL's (x, y); astropy's data[y, x]).
struct Sample { std::int64_t x, y; double value; };

// A refused file has no size; its caption is "" when it is refused silently.
struct CorpusFile { const char* name; const wchar_t* caption; std::int32_t width, height, dataOffset; std::vector<Sample> samples; };

const wchar_t* const kImg = L"Not a valid IMG file";
const wchar_t* const kFits = L"Not a valid FITS file";
CorpusFile Refused(const char* name, const wchar_t* caption = L"") { return {name, caption, 0, 0, 0, {}}; }

const CorpusFile kPdsFiles[] = {
    {"pds_ppy_1band16.img", L"", 10, 10, 640, {{1, 0, 1}, {0, 1, 10}, {5, 5, 55}}},
    {"pds_ppy_float32.img", L"", 10, 10, 680, {{1, 0, 1.5}, {0, 1, 15}, {5, 5, 82.5}}},
    // The label's ^IMAGE points into its own text, and the game follows it as GDAL does: the
    // first rows show label bytes. Three bands fit in the file after it, so it is no lie the file
    // can reveal.
    {"pds_ppy_3bands.img", L"", 10, 10, 540, {{0, 0, 8265}, {1, 0, 19777}, {0, 1, 5}}},
    // The browse image's LINES, LINE_SAMPLES and SAMPLE_BITS come first; the image's own, later
    // in the label, win. ^IMAGE = 36865 <BYTES> counts bytes from 1.
    {"pds_smart1_amie_bytes.img", L"", 512, 512, 36864, {{0, 1, 0}, {111, 0, 0.00192976859398186}}},
    {"pds_rosetta_osiris_lsb16.img", L"", 128, 128, 18432, {{1, 0, 446}, {0, 1, 433}, {64, 64, 562}}},
    // LINES of 1024, 64 and 63 in groups before the image object; the object's 64 comes last.
    {"pds_mer_navcam_thumb16.img", L"", 64, 64, 34816, {{1, 0, 580}, {0, 1, 578}, {32, 32, 750}}},
    // GDAL opens it and fails on reading; the game refuses at load: 1024 × 1024 samples of 4
    // bytes from byte 20480 run past the end of the 20607-byte file.
    Refused("pds_mer_mi_truncated.img", kImg),
    // No image at all: GDAL refuses it for want of an image object, the game for want of SAMPLE_BITS.
    Refused("pds_bad_line_endings.img", L"Unsupported Data Type"),
    // Raw samples without a label (the data half of a detached pair); a VICAR file, which GDAL
    // reads with its VICAR driver; detached labels, whose ^IMAGE names another file (GDAL follows
    // ff01.lbl to ff01.img and refuses pan1ired.lbl as PDS2); a compressed Voyager file of
    // variable-length records without PDS_VERSION_ID. The game reads attached PDS labels only.
    Refused("pan1ired.img", kImg), Refused("ff01.img", kImg), Refused("ff01.lbl", kImg),
    Refused("pan1ired.lbl", kImg), Refused("pds_voyager_c3438954.imq", kImg),
};

// BZERO, BSCALE and BLANK take no part: samples are compared as stored.
const CorpusFile kFitsFiles[] = {
    {"fits_tsi_bitpix8.fits", L"", 256, 256, 5760, {{0, 1, 4}, {128, 128, 15}}},
    {"fits_hinode_xrt_i16.fits", L"", 512, 512, 14400, {{1, 0, 257}, {0, 1, 268}, {256, 256, 394}}},
    {"fits_stereo_cor1_u16.fts", L"", 512, 512, 20160, {{0, 0, -32094}, {256, 256, -31336}}},
    {"fits_stereo_hi_i32.fts", L"", 256, 256, 20160, {{0, 1, 0}, {128, 128, 7689}}},
    {"fits_aia171_f64.fits", L"", 128, 128, 17280, {{0, 0, -1.25}, {0, 1, 0.75}, {64, 64, 243.5}}},
    {"fits_hinode_sot_nonstd_ext.fits", L"", 200, 150, 14400, {{1, 0, -382}, {0, 1, -352}, {100, 75, 161}}},
    {"fits_scale_bscale_bzero.fits", L"", 20, 21, 5760, {{1, 0, -21407}, {0, 1, -21786}, {10, 10, -21260}}},
    {"fits_azp_f32.fits", L"", 192, 192, 11520, {{0, 0, NAN}, {96, 96, 1.4297284}}},
    // Blank and keyword-less cards amid 411: only the keywords the game reads count.
    {"fits_header_newlines.fits", L"", 1, 1, 34560, {}},
    {"fits_m13_i16.fits", L"", 300, 300, 2880, {{0, 1, 113}, {150, 150, 241}}},
    {"fits_cfitsio_testprog.fits", L"", 10, 2, 8640, {{0, 0, -99}, {1, 0, 2}, {0, 1, 11}}},
    // A cube, random groups of five axes, and files whose pictures are in extensions
    // (tile-compressed, or four images): astropy reads them; the game reads only a primary array
    // of two axes.
    Refused("fits_iris_sji_cube.fits"), Refused("fits_random_groups.fits"), Refused("fits_mdi_tilecompressed.fits"),
    Refused("fits_arange_cube_i32.fits"), Refused("fits_mef_test0.fits"),
    // astropy reads the header and fails on the missing data; the game refuses at load. NAXIS2 = 0:
    // astropy opens an empty array; the game has no picture to show.
    Refused("fits_trunc_header_only.fits", kFits), Refused("fits_zerowidth.fits", kFits),
    // 64-bit integers: astropy reads them, the game has no rule to show them.
    Refused("fits_bitpix64_blank.fits", L"FITS Unsupported Data Type"),
};

std::string FileBytes(const std::wstring& path) {
    MappedFile file;
    std::string bytes;
    if (MapFile(path.c_str(), &file)) bytes.assign(file.view, file.view + file.size);
    UnmapFile(&file);
    return bytes;
}

// Reads the file with `read` from an exact copy in memory and checks it against the corpus.
void CheckFile(const CorpusFile& expected, bool (*read)(RasterFile*, const wchar_t*)) {
    SCOPED_TRACE(expected.name);
    const std::wstring path = TestDataFile(expected.name);
    const ReadOutcome outcome = ReadFromMemory(read, FileBytes(path), path.c_str());
    EXPECT_EQ(outcome.accepted, expected.width > 0);
    EXPECT_EQ(outcome.shown, expected.caption[0] == L'\0' ? L"" : expected.caption + (L": " + path));
    if (outcome.accepted) {
        EXPECT_EQ(outcome.raster.width, expected.width);
        EXPECT_EQ(outcome.raster.height, expected.height);
        EXPECT_EQ(outcome.raster.dataOffset, expected.dataOffset);
    }
    for (const Sample& sample : expected.samples) {
        // Compared as floats: the corpus gives 32-bit reals to float precision.
        const double value = SampleAt(outcome.raster, sample.x, sample.y);
        const bool same =
            std::isnan(sample.value) ? std::isnan(value) : static_cast<float>(value) == static_cast<float>(sample.value);
        EXPECT_TRUE(same) << "(" << sample.x << ", " << sample.y << ") " << value << " for " << sample.value;
    }
}

}  // namespace

TEST(ScientificCorpus, PdsFilesLoadAsGdalReadsThemOrAreRefusedWithTheRightMessage) {
    SKIP_WITHOUT_TESTDATA();
    for (const CorpusFile& file : kPdsFiles) CheckFile(file, ReadPdsLabel);
}

TEST(ScientificCorpus, FitsFilesLoadAsAstropyReadsThemOrAreRefusedWithTheRightMessage) {
    SKIP_WITHOUT_TESTDATA();
    for (const CorpusFile& file : kFitsFiles) CheckFile(file, ReadFitsHeader);
}
