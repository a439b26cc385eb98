// Drawing of the stone pictures. Each stone is computed as levels on its
// colour ramp, anti-aliased by supersampling; small stones then take the
// nearest of sixteen ramp levels, the palette of the game's first pictures.
#include "art/stones.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "art/shading.h"

namespace {
// Dense in the dark shades, where anti-aliased edges and the shaded side
// live; the pure colour is level 1 exactly.
constexpr double kLevels[16] = {0.0,  0.14, 0.26, 0.37, 0.47, 0.56, 0.65, 0.73,
                                0.82, 0.91, 1.0,  1.15, 1.35, 1.55, 1.78, 2.0};
constexpr int kLargestPaletteSide = 24;

double nearest_level(double level) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < 16; ++i) {
    if (std::fabs(kLevels[i] - level) < std::fabs(kLevels[best] - level)) best = i;
  }
  return kLevels[best];
}

// Samples per pixel and axis: 8 up to 24 pixels, then about as many per
// stone as a 24-pixel stone has, down to 3.
int samples_for(int side) { return side <= 24 ? 8 : std::max(3, (8 * 24 + side / 2) / side); }

// Mean level over the pixel's samples; outside the disc the ground is black.
double round_pixel_level(int x, int y, double centre, double radius, int samples) {
  // A pixel wholly outside the disc is black without sampling it.
  const double nx = std::clamp(centre, double(x), x + 1.0), ny = std::clamp(centre, double(y), y + 1.0);
  if ((nx - centre) * (nx - centre) + (ny - centre) * (ny - centre) > radius * radius) return 0.0;
  double sum = 0.0;
  for (int sy = 0; sy < samples; ++sy) {
    for (int sx = 0; sx < samples; ++sx) {
      const double u = (x + (sx + 0.5) / samples - centre) / radius;
      const double w = (centre - (y + (sy + 0.5) / samples)) / radius;
      if (u * u + w * w <= 1.0) sum += round_stone_level(u, w);
    }
  }
  return sum / (samples * samples);
}
// Every shade of the ramp, except that the levels the palette shows as the
// pure colour (0.955 to 1.075) stay the pure colour: the rest of the ramp is
// stretched to close the gap, so the shading has no step.
double smooth_level(double level) {
  constexpr double kBelow = 0.955, kAbove = 1.075;
  if (level < kBelow) return level / kBelow;
  if (level > kAbove) return 1.0 + (level - kAbove) / (2.0 - kAbove);
  return 1.0;
}

}  // namespace

StoneLevels round_stone_levels(int side) {
  StoneLevels levels(static_cast<std::size_t>(side * side));
  const double centre = side / 2.0;
  // The dark ring around the disc keeps the proportions of a 24-pixel stone.
  const double radius = side / 2.0 - 0.55 * std::max(1.0, side / 24.0);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x)
      levels[static_cast<std::size_t>(y * side + x)] = round_pixel_level(x, y, centre, radius, samples_for(side));
  }
  return levels;
}

StoneLevels square_stone_levels(int side) {
  StoneLevels levels(static_cast<std::size_t>(side * side));
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) levels[static_cast<std::size_t>(y * side + x)] = square_stone_level(x, y, side);
  }
  return levels;
}

Image colour_stone(const StoneLevels& levels, int side, Rgb8 colour) {
  Image image(side);
  const bool palette = side <= kLargestPaletteSide;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    image.pixels[i] = ramp_colour(colour, palette ? nearest_level(levels[i]) : smooth_level(levels[i]));
  }
  return image;
}

Image draw_round_stone(int side, Rgb8 colour) { return colour_stone(round_stone_levels(side), side, colour); }

Image draw_square_stone(int side, Rgb8 colour) { return colour_stone(square_stone_levels(side), side, colour); }

Image draw_blank(int side) { return Image(side); }
