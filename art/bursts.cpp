// Drawing of the burst frames. Sparkles are painted in full colour on a
// supersampled canvas (each pixel keeps the brightest paint it receives),
// then every pixel takes the nearest colour of a fixed sparkle palette.
// Each sparkle and ray paints only the box outside which it would give less
// than kFaint, which keeps large frames quick to draw.
#include "art/bursts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;
// Samples per pixel and axis: 4 up to 24 pixels, then fewer as the pixels
// get smaller against the sparkles, down to 2.
int samples_for(int side) { return side <= 24 ? 4 : std::max(2, (4 * 24 + side / 2) / side); }
constexpr double kBoost = 1.8;
constexpr double kFaint = 1e-12;
// exp(-kReach * kReach) is below kFaint: a Gaussian of width w is painted
// up to kReach * w from its centre.
constexpr double kReach = 5.3;

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
  explicit Canvas(int side)
      : side_(side), samples_(samples_for(side)), cells_(static_cast<std::size_t>(side * side * samples_ * samples_)) {}

  // The samples whose centres may lie between `from` and `to` pixels along
  // either axis, as first and last index.
  std::pair<int, int> samples_between(double from, double to) const {
    return {std::max(0, static_cast<int>(std::floor(from * samples_))),
            std::min(side_ * samples_ - 1, static_cast<int>(std::ceil(to * samples_)))};
  }

  double position(int sample) const { return (sample + 0.5) / samples_; }

  // Each channel keeps the brightest paint it receives.
  void brighten(int sx, int sy, const Colour& c) {
    Colour& cell = cells_[static_cast<std::size_t>(sy * side_ * samples_ + sx)];
    cell = {std::max(cell.r, c.r), std::max(cell.g, c.g), std::max(cell.b, c.b)};
  }

  // Paints the samples inside the box [left, right] x [top, bottom] (in
  // pixels) with paint(x, y) -> colour.
  template <typename Paint>
  void paint(double left, double top, double right, double bottom, Paint paint_at) {
    const auto [x0, x1] = samples_between(left, right);
    const auto [y0, y1] = samples_between(top, bottom);
    for (int sy = y0; sy <= y1; ++sy) {
      for (int sx = x0; sx <= x1; ++sx) brighten(sx, sy, paint_at(position(sx), position(sy)));
    }
  }

  Colour pixel(int x, int y) const {
    const int n = side_ * samples_;
    Colour sum{0, 0, 0};
    for (int sy = y * samples_; sy < (y + 1) * samples_; ++sy) {
      for (int sx = x * samples_; sx < (x + 1) * samples_; ++sx) {
        const Colour& c = cells_[static_cast<std::size_t>(sy * n + sx)];
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
      }
    }
    // Thin sparkles cover a pixel only in part; boosting keeps them bright
    // rather than letting them fade into dull half-tones.
    const double k = kBoost / (samples_ * samples_);
    return {std::min(sum.r * k, 1.0), std::min(sum.g * k, 1.0), std::min(sum.b * k, 1.0)};
  }

 private:
  int side_;
  int samples_;
  std::vector<Colour> cells_;
};

Colour scaled(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }

Colour whitened(Colour c, double t) {
  return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t};
}

// A four-pointed star: a round core that turns white at its heart and two
// thin arms, horizontal and vertical, fading towards their tips.
// Its heart is put in the middle of a pixel so that the arms stay crisp.
// Arms and rays keep the thickness they have at 24 pixels, times `thick`.
void sparkle(Canvas& canvas, double x_at, double y_at, double arm, double thick, Colour colour) {
  const double cx = std::floor(x_at) + 0.5, cy = std::floor(y_at) + 0.5;
  const double core = 0.55 * thick + 0.12 * arm;
  const double across = 0.42 * thick;
  const double reach = std::max({kReach * core, arm, kReach * across});
  // The star is alike along both axes: its profile along one, sample by sample.
  struct Profile {
    double heart, across, along;
  };
  auto profile = [&](int first, int last, double centre) {
    std::vector<Profile> out;
    for (int s = first; s <= last; ++s) {
      const double d = canvas.position(s) - centre;
      out.push_back({std::exp(-d * d / (core * core)), std::exp(-d * d / (across * across)),
                     arm > 0.0 ? std::max(0.0, 1.0 - std::fabs(d) / arm) : 0.0});
    }
    return out;
  };
  const auto [x0, x1] = canvas.samples_between(cx - reach, cx + reach);
  const auto [y0, y1] = canvas.samples_between(cy - reach, cy + reach);
  const std::vector<Profile> xs = profile(x0, x1, cx), ys = profile(y0, y1, cy);
  for (int sy = y0; sy <= y1; ++sy) {
    const Profile& py = ys[static_cast<std::size_t>(sy - y0)];
    for (int sx = x0; sx <= x1; ++sx) {
      const Profile& px = xs[static_cast<std::size_t>(sx - x0)];
      const double heart = px.heart * py.heart;
      const double arms = std::max(py.across * px.along, px.across * py.along);
      canvas.brighten(sx, sy, scaled(whitened(colour, 0.7 * heart * heart), std::max(heart, arms)));
    }
  }
}

// A thin line from the inner to the outer point, brightening outwards.
void ray(Canvas& canvas, double x0, double y0, double x1, double y1, double thick, Colour colour) {
  const double width = 0.5 * thick, reach = kReach * width;
  canvas.paint(std::min(x0, x1) - reach, std::min(y0, y1) - reach, std::max(x0, x1) + reach,
               std::max(y0, y1) + reach, [=](double x, double y) {
    const double lx = x1 - x0, ly = y1 - y0;
    const double t = std::clamp(((x - x0) * lx + (y - y0) * ly) / (lx * lx + ly * ly), 0.0, 1.0);
    const double ex = x - (x0 + t * lx), ey = y - (y0 + t * ly);
    const double e2 = ex * ex + ey * ey;
    if (e2 > reach * reach) return Colour{0, 0, 0};  // fainter than kFaint
    return scaled(colour, std::exp(-e2 / (width * width)) * (0.3 + 0.7 * t));
  });
}

Colour sparkle_colour(int i) { return kSparkleColours[((i % 5) + 5) % 5]; }

void draw_cluster(Canvas& canvas, double c, double side, double thick) {
  const double spread = 0.15 * side, arm = 0.12 * side;
  for (int i = 0; i < 4; ++i) {
    const double angle = kPi / 4 + i * kPi / 2 + 0.3 * (i % 2);
    sparkle(canvas, c + spread * std::cos(angle), c - spread * std::sin(angle), arm, thick, sparkle_colour(i));
  }
  sparkle(canvas, c, c, arm * 1.8, thick, sparkle_colour(4));
}

void draw_ring(Canvas& canvas, double c, double side, double thick) {
  const double radius = 0.27 * side, arm = 0.11 * side;
  for (int i = 0; i < 8; ++i) {
    const double angle = kPi / 8 + i * kPi / 4;
    sparkle(canvas, c + radius * std::cos(angle), c - radius * std::sin(angle), arm, thick, sparkle_colour(i));
  }
}

void draw_rays(Canvas& canvas, double c, double side, double thick) {
  const double inner = 0.2 * side, outer = 0.46 * side;
  for (int i = 0; i < 8; ++i) {
    const double angle = i * kPi / 4;
    const double ux = std::cos(angle), uy = -std::sin(angle);
    const double reach = i % 2 ? outer * 0.92 : outer;
    ray(canvas, c + inner * ux, c + inner * uy, c + reach * ux, c + reach * uy, thick, sparkle_colour(i + 1));
    sparkle(canvas, c + reach * ux, c + reach * uy, 0.0, thick, sparkle_colour(i + 1));
  }
}

// Dots strewn around the outer ring, placed by a fixed sequence so the
// frames come out the same on every build.
void draw_dots(Canvas& canvas, double c, double side, double thick) {
  std::uint32_t state = 0x9E3779B9u ^ static_cast<std::uint32_t>(side);
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / 16777216.0;
  };
  const int count = 8 + static_cast<int>(side) / 4;
  for (int i = 0; i < count; ++i) {
    const double angle = (i + 0.9 * next()) * 2 * kPi / count;
    const double radius = (0.32 + 0.17 * next()) * side;
    sparkle(canvas, c + radius * std::cos(angle), c - radius * std::sin(angle), i % 3 == 0 ? 1.4 * thick : 0.0, thick,
            sparkle_colour(i * 2));
  }
}

double distance2(const Colour& c, Rgb8 p) {
  const double dr = c.r * 255 - p.r, dg = c.g * 255 - p.g, db = c.b * 255 - p.b;
  return 0.3 * dr * dr + 0.5 * dg * dg + 0.2 * db * db;
}

Rgb8 nearest_entry(const Colour& c) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < 16; ++i) {
    if (distance2(c, kBurstPalette[i]) < distance2(c, kBurstPalette[best])) best = i;
  }
  return kBurstPalette[best];
}
}  // namespace

Image draw_burst_frame(int side, int frame) {
  Canvas canvas(side);
  // The middle of a pixel, so that the rays along the axes stay one pixel wide.
  const double c = side / 2 + 0.5, s = side;
  const double thick = std::max(1.0, s / 24.0);
  switch (frame) {
    case 1: draw_cluster(canvas, c, s, thick); break;
    case 2: draw_ring(canvas, c, s, thick); break;
    case 3: draw_rays(canvas, c, s, thick); break;
    default: draw_dots(canvas, c, s, thick); break;
  }
  Image image(side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) image.at(x, y) = nearest_entry(canvas.pixel(x, y));
  }
  return image;
}
