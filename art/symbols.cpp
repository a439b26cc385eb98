// Drawing the stones' symbols. Each shape is a test of a point against the
// symbol's box (half a side of `reach` around the centre); a pixel takes the
// ink in the share of its sub-samples that fall inside the shape, so even
// the 15-pixel symbols keep their strokes and corners.
#include "art/symbols.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSamples = 4;  // per pixel and axis

struct ColourSymbol {
  Rgb8 colour;
  StoneSymbol symbol;
};

// Chosen so that the pairs that are hardest to tell apart by shade (green
// and the middle grey, red and magenta, blue and the dark ground) differ most
// by shape: strokes against filled shapes, open against closed.
const ColourSymbol kSymbols[] = {
    {{0xFF, 0x00, 0x00}, StoneSymbol::plus},     {{0x00, 0xFF, 0x00}, StoneSymbol::ring},
    {{0x00, 0x00, 0xFF}, StoneSymbol::cross},    {{0xFF, 0x00, 0xFF}, StoneSymbol::triangle},
    {{0xC0, 0xC0, 0xC0}, StoneSymbol::square},   {{0x80, 0x80, 0x80}, StoneSymbol::bar},
};

// (x, y) from the centre, in units of the symbol's reach; `stroke` the half
// width of a line in the same units.
bool inside(StoneSymbol symbol, double x, double y, double stroke) {
  const double ax = std::fabs(x), ay = std::fabs(y);
  switch (symbol) {
    case StoneSymbol::plus: return (ax <= 1.0 && ay <= stroke) || (ay <= 1.0 && ax <= stroke);
    case StoneSymbol::ring: {
      const double r = std::hypot(x, y);
      return r <= 0.95 && r >= 0.95 - 2.0 * stroke;
    }
    case StoneSymbol::cross:
      return ax <= 0.85 && ay <= 0.85 && std::min(std::fabs(x - y), std::fabs(x + y)) <= stroke * std::sqrt(2.0);
    case StoneSymbol::triangle:  // pointing up, its base low in the box
      return y <= 0.75 && y >= -0.95 && ax <= (y + 0.95) * 0.6;
    case StoneSymbol::square: return ax <= 0.62 && ay <= 0.62;
    case StoneSymbol::bar: return ax <= 0.95 && ay <= 0.36;  // wide and flat: far from a plus's thin arms
    case StoneSymbol::none: return false;
  }
  return false;
}

double luminance(Rgb8 c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

}  // namespace

StoneSymbol symbol_of(Rgb8 colour) {
  for (const ColourSymbol& entry : kSymbols)
    if (entry.colour == colour) return entry.symbol;
  return StoneSymbol::none;
}

void draw_symbol(Image& stone, Rgb8 colour, bool round) {
  const StoneSymbol symbol = symbol_of(colour);
  if (symbol == StoneSymbol::none) return;
  const Rgb8 ink = luminance(colour) >= 128.0 ? Rgb8{0, 0, 0} : Rgb8{0xFF, 0xFF, 0xFF};
  const int side = stone.side;
  // A round stone's symbol sits a little low and left, clear of its glint.
  const double centre_x = side * (round ? 0.46 : 0.5), centre_y = side * (round ? 0.54 : 0.5);
  const double reach = side * (round ? 0.27 : 0.29);
  // A line at least 1.6 pixels wide, so that it never thins to a grey.
  const double stroke = std::max(0.8, side * 0.055) / reach;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = (x + (sx + 0.5) / kSamples - centre_x) / reach;
          const double v = (y + (sy + 0.5) / kSamples - centre_y) / reach;
          hits += inside(symbol, u, v, stroke) ? 1 : 0;
        }
      if (hits > 0) stone.at(x, y) = mix(stone.at(x, y), ink, double(hits) / (kSamples * kSamples));
    }
  }
}
