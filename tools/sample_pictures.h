#pragma once

#include <cstdint>
#include <vector>

#include "tools/shown_picture.h"

// The three pictures a new player starts from, each kSampleWidth × kSampleHeight: at the
// dialogs' starting cell size of 64 the game cuts them into 16 × 12 = 192 pieces. Made from
// procedural noise and fixed seeds only, so every run writes the same files.
constexpr std::int32_t kSampleWidth = 1600;
constexpr std::int32_t kSampleHeight = 1200;

// An archipelago seen from above, red, green and blue: islands of fractal height in a sea whose
// colour drifts from violet-blue on the left to green-blue on the right, beaches, a patchwork of
// fields in the lowlands, forest, rock and snow above, all shaded by a sun in the upper left. The
// seabed is shaded too, so open water is never plain.
ShownPicture SampleLandscapePicture();

// A star field as 16-bit samples (FITS BITPIX 16), rows from the bottom: a spiral galaxy seen at
// a slant, clouds of a nebula across the whole sky and a few thousand stars, the brightest
// with diffraction spikes. The game shows a 16-bit sample s as the grey s × 255.5 / 32767 and
// wraps levels beyond full scale, so every sample lies in 0 … 32767: the darkest sky at about
// a sixth of full scale, the brightest clouds, the galaxy's core and the brightest stars at full
// scale.
std::vector<std::int16_t> SampleGalaxySamples();

// A cratered planetary surface, 8-bit grey, rows from the bottom: rolling ground with dark
// plains, wrinkle ridges, and craters of every size from a few pixels to a basin with a central
// peak, lit by a low sun from the left.
ShownPicture SampleCratersPicture();

// The whole files: a BMP, a FITS file (BITPIX 16) and a PDS .img file (8-bit unsigned samples).
std::vector<unsigned char> MakeSampleLandscapeBmp();
std::vector<unsigned char> MakeSampleGalaxyFits();
std::vector<unsigned char> MakeSampleCratersImg();
