// Drawing and encoding of the program icon. The stones use the same
// lighting as the stone pictures, composed with straight alpha so their
// edges blend into whatever lies behind the icon.
#include "tools/art/icon.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "art/colour.h"
#include "art/shading.h"

namespace {
constexpr int kSamples = 8;  // per pixel and axis

struct Rgba {
  double r, g, b, a;  // colour premultiplied by alpha
};

struct Disc {
  double cx, cy, radius;  // in units of the icon's side
  Rgb8 colour;
};

// Back to front: two stones side by side with a third resting on them.
const Disc kPile[] = {
    {0.285, 0.690, 0.235, {0x00, 0x00, 0xFF}},
    {0.715, 0.690, 0.235, {0x00, 0xFF, 0x00}},
    {0.500, 0.315, 0.235, {0xFF, 0x00, 0x00}},
};

// Colour of the topmost stone at a point, or transparent.
Rgba sample(double x, double y) {
  for (int i = static_cast<int>(std::size(kPile)) - 1; i >= 0; --i) {
    const Disc& d = kPile[i];
    const double u = (x - d.cx) / d.radius, w = (d.cy - y) / d.radius;
    if (u * u + w * w > 1.0) continue;
    const Rgb8 c = ramp_colour(d.colour, round_stone_level(u, w));
    return {c.r / 255.0, c.g / 255.0, c.b / 255.0, 1.0};
  }
  return {0, 0, 0, 0};
}

std::vector<Rgba> render(int side) {
  std::vector<Rgba> image(static_cast<std::size_t>(side * side));
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      Rgba sum{0, 0, 0, 0};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba s = sample((x + (sx + 0.5) / kSamples) / side, (y + (sy + 0.5) / kSamples) / side);
          sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
        }
      }
      const double k = 1.0 / (kSamples * kSamples);
      image[static_cast<std::size_t>(y * side + x)] = {sum.r * k, sum.g * k, sum.b * k, sum.a * k};
    }
  }
  return image;
}

unsigned to_byte(double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

std::uint32_t mask_row_bytes(int side) { return (static_cast<std::uint32_t>(side) + 31) / 32 * 4; }

std::uint32_t image_bytes(int side) {
  const std::uint32_t s = static_cast<std::uint32_t>(side);
  return 40 + s * s * 4 + mask_row_bytes(side) * s;
}

using Image = std::vector<Rgba>;

Rgba pixel(const Image& image, int side, int x, int y) { return image[static_cast<std::size_t>(y * side + x)]; }

// BITMAPINFOHEADER of one image; its height counts the colour rows and the
// mask rows together.
void put_header(Bytes& out, int side) {
  const std::uint32_t s = static_cast<std::uint32_t>(side);
  put_u32(out, 40);
  put_u32(out, s);
  put_u32(out, s * 2);
  put_u16(out, 1);
  put_u16(out, 32);
  put_u32(out, 0);
  put_u32(out, image_bytes(side) - 40);
  for (int i = 0; i < 4; ++i) put_u32(out, 0);
}

// BGRA rows bottom-up, with straight (not premultiplied) alpha.
void put_colours(Bytes& out, const Image& image, int side) {
  for (int y = side - 1; y >= 0; --y) {
    for (int x = 0; x < side; ++x) {
      const Rgba p = pixel(image, side, x, y);
      const double a = p.a > 0.0 ? p.a : 1.0;
      put_u8(out, to_byte(p.b / a));
      put_u8(out, to_byte(p.g / a));
      put_u8(out, to_byte(p.r / a));
      put_u8(out, to_byte(p.a));
    }
  }
}

// The AND mask, one bit per pixel, bottom-up: 1 where the icon is
// transparent, for systems that draw icons without their alpha.
void put_mask(Bytes& out, const Image& image, int side) {
  for (int y = side - 1; y >= 0; --y) {
    Bytes row(mask_row_bytes(side), 0);
    for (int x = 0; x < side; ++x) {
      if (pixel(image, side, x, y).a < 0.5) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void put_image(Bytes& out, int side) {
  const Image image = render(side);
  put_header(out, side);
  put_colours(out, image, side);
  put_mask(out, image, side);
}
}  // namespace

Bytes make_icon() {
  const int sides[] = {32, 16};
  Bytes out;
  put_u16(out, 0);  // reserved
  put_u16(out, 1);  // icon
  put_u16(out, 2);  // images
  std::uint32_t offset = 6 + 2 * 16;
  for (int side : sides) {
    put_u8(out, static_cast<unsigned>(side));
    put_u8(out, static_cast<unsigned>(side));
    put_u8(out, 0);  // not a palette image
    put_u8(out, 0);
    put_u16(out, 1);   // planes
    put_u16(out, 32);  // bits per pixel
    put_u32(out, image_bytes(side));
    put_u32(out, offset);
    offset += image_bytes(side);
  }
  for (int side : sides) put_image(out, side);
  return out;
}
