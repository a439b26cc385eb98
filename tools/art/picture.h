// A 16-colour picture and its encoding as a 4-bit uncompressed bitmap file,
// the form in which the program's stone pictures are stored.
#ifndef GLIMMETS_ART_PICTURE_H
#define GLIMMETS_ART_PICTURE_H

#include <array>
#include <cstdint>
#include <vector>

#include "tools/art/bytes.h"
#include "tools/art/colour.h"

struct Picture {
  explicit Picture(int side_in) : side(side_in), pixels(static_cast<std::size_t>(side_in * side_in), 0) {}

  std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y * side + x)]; }
  std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * side + x)]; }

  int side;
  std::array<Rgb8, 16> palette{};    // unused entries stay black
  std::vector<std::uint8_t> pixels;  // palette indexes, top row first
};

// A complete .bmp file: file header, BITMAPINFOHEADER (4 bits per pixel,
// BI_RGB), the 16-entry palette and the rows bottom-up, each padded to 4 bytes.
Bytes encode_bmp4(const Picture& picture);

#endif
