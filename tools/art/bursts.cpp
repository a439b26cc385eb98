// Drawing of the burst frames. Sparkles are painted in full colour on a
// supersampled canvas (each pixel keeps the brightest paint it receives),
// then every pixel takes the nearest colour of a fixed sparkle palette.
#include "tools/art/bursts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kSamples = 4;  // per pixel and axis
constexpr double kBoost = 1.8;

struct Colour {
  double r, g, b;
};

const Colour kSparkleColours[5] = {
    {1.0, 0.15, 0.1}, {1.0, 1.0, 0.1}, {0.15, 1.0, 0.15}, {1.0, 0.15, 1.0}, {1.0, 1.0, 1.0}};

const Rgb8 kBurstPalette[16] = {
    {0x00, 0x00, 0x00}, {0xFF, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0xFF, 0xFF, 0x00},
    {0x80, 0x80, 0x00}, {0x00, 0xFF, 0x00}, {0x00, 0x80, 0x00}, {0xFF, 0x00, 0xFF},
    {0x80, 0x00, 0x80}, {0xFF, 0xFF, 0xFF}, {0xC0, 0xC0, 0xC0}, {0x80, 0x80, 0x80},
    {0xFF, 0x90, 0x90}, {0xFF, 0xFF, 0xA0}, {0xA0, 0xFF, 0xA0}, {0xFF, 0xA0, 0xFF}};

// A supersampled full-colour canvas; coordinates are in pixels.
class Canvas {
 public:
  explicit Canvas(int side) : side_(side), cells_(static_cast<std::size_t>(side * side * kSamples * kSamples)) {}

  // Paints every sample with paint(x, y) -> (colour, intensity 0..1).
  template <typename Paint>
  void paint(Paint paint_at) {
    const int n = side_ * kSamples;
    for (int sy = 0; sy < n; ++sy) {
      for (int sx = 0; sx < n; ++sx) {
        Colour& cell = cells_[static_cast<std::size_t>(sy * n + sx)];
        const Colour c = paint_at((sx + 0.5) / kSamples, (sy + 0.5) / kSamples);
        cell = {std::max(cell.r, c.r), std::max(cell.g, c.g), std::max(cell.b, c.b)};
      }
    }
  }

  Colour pixel(int x, int y) const {
    const int n = side_ * kSamples;
    Colour sum{0, 0, 0};
    for (int sy = y * kSamples; sy < (y + 1) * kSamples; ++sy) {
      for (int sx = x * kSamples; sx < (x + 1) * kSamples; ++sx) {
        const Colour& c = cells_[static_cast<std::size_t>(sy * n + sx)];
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
      }
    }
    // Thin sparkles cover a pixel only in part; boosting keeps them bright
    // rather than letting them fade into dull half-tones.
    const double k = kBoost / (kSamples * kSamples);
    return {std::min(sum.r * k, 1.0), std::min(sum.g * k, 1.0), std::min(sum.b * k, 1.0)};
  }

 private:
  int side_;
  std::vector<Colour> cells_;
};

Colour scaled(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }

Colour whitened(Colour c, double t) {
  return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t};
}

// A four-pointed star: a round core that turns white at its heart and two
// thin arms, horizontal and vertical, fading towards their tips.
// Its heart is put in the middle of a pixel so that the arms stay crisp.
void sparkle(Canvas& canvas, double x_at, double y_at, double arm, Colour colour) {
  const double cx = std::floor(x_at) + 0.5, cy = std::floor(y_at) + 0.5;
  const double core = 0.55 + 0.12 * arm;
  canvas.paint([=](double x, double y) {
    const double dx = x - cx, dy = y - cy;
    const double heart = std::exp(-(dx * dx + dy * dy) / (core * core));
    double arms = 0.0;
    if (arm > 0.0) {
      const double across = 0.42;
      arms = std::max(std::exp(-dy * dy / (across * across)) * std::max(0.0, 1.0 - std::fabs(dx) / arm),
                      std::exp(-dx * dx / (across * across)) * std::max(0.0, 1.0 - std::fabs(dy) / arm));
    }
    return scaled(whitened(colour, 0.7 * heart * heart), std::max(heart, arms));
  });
}

// A thin line from the inner to the outer point, brightening outwards.
void ray(Canvas& canvas, double x0, double y0, double x1, double y1, Colour colour) {
  canvas.paint([=](double x, double y) {
    const double lx = x1 - x0, ly = y1 - y0;
    const double t = std::clamp(((x - x0) * lx + (y - y0) * ly) / (lx * lx + ly * ly), 0.0, 1.0);
    const double ex = x - (x0 + t * lx), ey = y - (y0 + t * ly);
    const double width = 0.5;
    return scaled(colour, std::exp(-(ex * ex + ey * ey) / (width * width)) * (0.3 + 0.7 * t));
  });
}

Colour sparkle_colour(int i) { return kSparkleColours[((i % 5) + 5) % 5]; }

void draw_cluster(Canvas& canvas, double c, double side) {
  const double spread = 0.15 * side, arm = 0.12 * side;
  for (int i = 0; i < 4; ++i) {
    const double angle = kPi / 4 + i * kPi / 2 + 0.3 * (i % 2);
    sparkle(canvas, c + spread * std::cos(angle), c - spread * std::sin(angle), arm, sparkle_colour(i));
  }
  sparkle(canvas, c, c, arm * 1.8, sparkle_colour(4));
}

void draw_ring(Canvas& canvas, double c, double side) {
  const double radius = 0.27 * side, arm = 0.11 * side;
  for (int i = 0; i < 8; ++i) {
    const double angle = kPi / 8 + i * kPi / 4;
    sparkle(canvas, c + radius * std::cos(angle), c - radius * std::sin(angle), arm, sparkle_colour(i));
  }
}

void draw_rays(Canvas& canvas, double c, double side) {
  const double inner = 0.2 * side, outer = 0.46 * side;
  for (int i = 0; i < 8; ++i) {
    const double angle = i * kPi / 4;
    const double ux = std::cos(angle), uy = -std::sin(angle);
    const double reach = i % 2 ? outer * 0.92 : outer;
    ray(canvas, c + inner * ux, c + inner * uy, c + reach * ux, c + reach * uy, sparkle_colour(i + 1));
    sparkle(canvas, c + reach * ux, c + reach * uy, 0.0, sparkle_colour(i + 1));
  }
}

// Dots strewn around the outer ring, placed by a fixed sequence so the
// frames come out the same on every build.
void draw_dots(Canvas& canvas, double c, double side) {
  std::uint32_t state = 0x9E3779B9u ^ static_cast<std::uint32_t>(side);
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / 16777216.0;
  };
  const int count = 8 + static_cast<int>(side) / 4;
  for (int i = 0; i < count; ++i) {
    const double angle = (i + 0.9 * next()) * 2 * kPi / count;
    const double radius = (0.32 + 0.17 * next()) * side;
    sparkle(canvas, c + radius * std::cos(angle), c - radius * std::sin(angle), i % 3 == 0 ? 1.4 : 0.0, sparkle_colour(i * 2));
  }
}

double distance2(const Colour& c, Rgb8 p) {
  const double dr = c.r * 255 - p.r, dg = c.g * 255 - p.g, db = c.b * 255 - p.b;
  return 0.3 * dr * dr + 0.5 * dg * dg + 0.2 * db * db;
}

std::uint8_t nearest_entry(const Colour& c) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < 16; ++i) {
    if (distance2(c, kBurstPalette[i]) < distance2(c, kBurstPalette[best])) best = i;
  }
  return static_cast<std::uint8_t>(best);
}
}  // namespace

Picture draw_burst_frame(int side, int frame) {
  Canvas canvas(side);
  // The middle of a pixel, so that the rays along the axes stay one pixel wide.
  const double c = side / 2 + 0.5, s = side;
  switch (frame) {
    case 1: draw_cluster(canvas, c, s); break;
    case 2: draw_ring(canvas, c, s); break;
    case 3: draw_rays(canvas, c, s); break;
    default: draw_dots(canvas, c, s); break;
  }
  Picture picture(side);
  std::copy(std::begin(kBurstPalette), std::end(kBurstPalette), picture.palette.begin());
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) picture.at(x, y) = nearest_entry(canvas.pixel(x, y));
  }
  return picture;
}
