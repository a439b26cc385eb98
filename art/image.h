// A square picture in full colour, top row first: the form in which the
// painter hands out stones, blanks and burst frames.
#ifndef GLIMMETS_ART_IMAGE_H
#define GLIMMETS_ART_IMAGE_H

#include <cstddef>
#include <vector>

#include "art/colour.h"

struct Image {
  explicit Image(int side_in) : side(side_in), pixels(static_cast<std::size_t>(side_in * side_in), Rgb8{0, 0, 0}) {}

  Rgb8& at(int x, int y) { return pixels[static_cast<std::size_t>(y * side + x)]; }
  Rgb8 at(int x, int y) const { return pixels[static_cast<std::size_t>(y * side + x)]; }

  int side;
  std::vector<Rgb8> pixels;
};

#endif
