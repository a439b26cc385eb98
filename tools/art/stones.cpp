// Drawing of the stone pictures. Each stone is computed as levels on its
// colour ramp, anti-aliased by supersampling, then each pixel takes the
// nearest of sixteen ramp levels, which form the picture's palette.
#include "tools/art/stones.h"

#include <cmath>
#include <cstddef>

#include "tools/art/shading.h"

namespace {
// Dense in the dark shades, where anti-aliased edges and the shaded side
// live; the pure colour is level 1 exactly.
constexpr double kLevels[16] = {0.0,  0.14, 0.26, 0.37, 0.47, 0.56, 0.65, 0.73,
                                0.82, 0.91, 1.0,  1.15, 1.35, 1.55, 1.78, 2.0};
constexpr int kSamples = 8;  // per pixel and axis

void set_ramp_palette(Picture& picture, Rgb8 colour) {
  for (std::size_t i = 0; i < 16; ++i) picture.palette[i] = ramp_colour(colour, kLevels[i]);
}

std::uint8_t nearest_level(double level) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < 16; ++i) {
    if (std::fabs(kLevels[i] - level) < std::fabs(kLevels[best] - level)) best = i;
  }
  return static_cast<std::uint8_t>(best);
}

// Mean level over the pixel's samples; outside the disc the ground is black.
double round_pixel_level(int x, int y, double centre, double radius) {
  double sum = 0.0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const double u = (x + (sx + 0.5) / kSamples - centre) / radius;
      const double w = (centre - (y + (sy + 0.5) / kSamples)) / radius;
      if (u * u + w * w <= 1.0) sum += round_stone_level(u, w);
    }
  }
  return sum / (kSamples * kSamples);
}
}  // namespace

Picture draw_round_stone(int side, Rgb8 colour) {
  Picture picture(side);
  set_ramp_palette(picture, colour);
  const double centre = side / 2.0;
  const double radius = side / 2.0 - 0.55;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) picture.at(x, y) = nearest_level(round_pixel_level(x, y, centre, radius));
  }
  return picture;
}

Picture draw_square_stone(int side, Rgb8 colour) {
  Picture picture(side);
  set_ramp_palette(picture, colour);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) picture.at(x, y) = nearest_level(square_stone_level(x, y, side));
  }
  return picture;
}

Picture draw_blank(int side) { return Picture(side); }
