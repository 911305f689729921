#pragma once

#include <vector>

#include "tools/shown_picture.h"

// A colourful 640 × 480 picture for a short game of 30 pieces. A pale rainbow runs across it, of hue
// 360° × x / 640 + 120° × y / 479 (x from the left, y from the top), saturation 0.6 and full
// brightness; discs in the opposite hue, paler towards their centres and ringed in a dark shade
// of the rainbow, give each part of it something a player can recognise.
ShownPicture SampleColoursPicture();

// That picture as a whole BMP file.
std::vector<unsigned char> MakeSampleColoursBmp();
