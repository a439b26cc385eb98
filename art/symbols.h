// The symbols that tell the six stone colours apart without their colour:
// each colour carries its own shape at the stone's centre, drawn in black on
// the light stones and in white on the dark ones, so that the six differ in
// shape as well as in shade, in greyscale too and at the smallest side.
#ifndef GLIMMETS_ART_SYMBOLS_H
#define GLIMMETS_ART_SYMBOLS_H

#include "art/colour.h"
#include "art/image.h"

enum class StoneSymbol { none, plus, ring, cross, triangle, square, bar };

// The symbol of a stone colour (none for a colour that is not a stone's).
StoneSymbol symbol_of(Rgb8 colour);

// Draws the symbol of `colour` over the stone picture, anti-aliased.
void draw_symbol(Image& stone, Rgb8 colour, bool round);

#endif
