// The stone pictures of one set: round and square stones of one colour,
// and the blank shown for removed and empty cells.
#ifndef GLIMMETS_ART_STONES_H
#define GLIMMETS_ART_STONES_H

#include "tools/art/colour.h"
#include "tools/art/picture.h"

Picture draw_round_stone(int side, Rgb8 colour);
Picture draw_square_stone(int side, Rgb8 colour);
Picture draw_blank(int side);

#endif
