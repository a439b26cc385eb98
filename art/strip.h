// The eleven pictures of a board at one side, side by side in one strip:
// slot 0 the blank, slots 1 to 6 the stones of colours 1 to 6, slots 7 to 10
// the burst frames 1 to 4. The program copies each cell from it; the tests
// compare the screen with the pictures it holds.
#ifndef GLIMMETS_ART_STRIP_H
#define GLIMMETS_ART_STRIP_H

#include <cstdint>

#include "art/colour.h"
#include "art/image.h"

constexpr int STRIP_SLOTS = 11;
constexpr int SLOT_BLANK = 0;
constexpr int SLOT_FIRST_BURST = 7;
constexpr int SMALLEST_SIDE = 8;
constexpr int LARGEST_SIDE = 96;

// What a board's pictures depend on: the form, the chosen stone size (which
// picks the greys), the side in pixels they are drawn at, and whether each
// colour carries its symbol.
struct StoneLook {
  StoneForm form;
  int stone_size;
  int side;
  bool symbols = false;
};

// The picture of one slot.
Image draw_slot(const StoneLook& look, int slot);

// The whole strip, STRIP_SLOTS * side pixels wide and side high, top row
// first, each pixel 0x00RRGGBB: the layout of a top-down 32-bit bitmap.
// `pixels` holds STRIP_SLOTS * side * side values. Nothing is drawn for a
// side outside SMALLEST_SIDE..LARGEST_SIDE (false).
bool draw_strip(const StoneLook& look, std::uint32_t* pixels);

#endif
