// The stone pictures: round and square stones of one colour, and the blank
// shown for removed and empty cells, at any side. A stone's shading does not
// depend on its colour, so a set computes it once (as levels on the colour
// ramp) and colours it six times.
#ifndef GLIMMETS_ART_STONES_H
#define GLIMMETS_ART_STONES_H

#include <vector>

#include "art/colour.h"
#include "art/image.h"

// The level of every pixel of a stone, top row first (0 black, 1 the pure
// colour, 2 white).
using StoneLevels = std::vector<double>;
StoneLevels round_stone_levels(int side);
StoneLevels square_stone_levels(int side);

// A stone of that colour from its levels: up to 24 pixels each pixel takes
// the nearest of sixteen shades of the ramp, above that its own shade.
Image colour_stone(const StoneLevels& levels, int side, Rgb8 colour);

Image draw_round_stone(int side, Rgb8 colour);
Image draw_square_stone(int side, Rgb8 colour);
Image draw_blank(int side);

#endif
