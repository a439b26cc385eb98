// Stone colours by code, with the greys swapped per set, and the shading ramp.
#include "art/colour.h"

#include <algorithm>
#include <cmath>

namespace {
const Rgb8 kRed{0xFF, 0x00, 0x00};
const Rgb8 kGreen{0x00, 0xFF, 0x00};
const Rgb8 kBlue{0x00, 0x00, 0xFF};
const Rgb8 kMagenta{0xFF, 0x00, 0xFF};
const Rgb8 kLightGrey{0xC0, 0xC0, 0xC0};
const Rgb8 kMiddleGrey{0x80, 0x80, 0x80};
const Rgb8 kBlack{0x00, 0x00, 0x00};
const Rgb8 kWhite{0xFF, 0xFF, 0xFF};

std::uint8_t channel(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

bool light_grey_is_code_3(StoneForm form, int size) {
  return form == StoneForm::round && size != 21;
}
}  // namespace

Rgb8 stone_colour(StoneForm form, int size, int code) {
  const bool swap = !light_grey_is_code_3(form, size);
  switch (code) {
    case 1: return kRed;
    case 2: return kGreen;
    case 3: return swap ? kMiddleGrey : kLightGrey;
    case 4: return kBlue;
    case 5: return kMagenta;
    default: return swap ? kLightGrey : kMiddleGrey;
  }
}

Rgb8 mix(Rgb8 a, Rgb8 b, double t) {
  return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
          channel(a.b + (b.b - a.b) * t)};
}

Rgb8 ramp_colour(Rgb8 base, double level) {
  if (level <= 1.0) return mix(kBlack, base, std::max(level, 0.0));
  return mix(base, kWhite, std::min(level - 1.0, 1.0));
}
