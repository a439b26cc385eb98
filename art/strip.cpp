// The strip of a board's pictures. The six stones share one shading, so
// the strip computes it once and colours it six times.
#include "art/strip.h"

#include <cstddef>

#include "art/bursts.h"
#include "art/stones.h"
#include "art/symbols.h"

namespace {
StoneLevels stone_levels(const StoneLook& look) {
  return look.form == StoneForm::round ? round_stone_levels(look.side) : square_stone_levels(look.side);
}

Image slot_picture(const StoneLook& look, const StoneLevels& levels, int slot) {
  if (slot == SLOT_BLANK) return draw_blank(look.side);
  if (slot < SLOT_FIRST_BURST) {
    const Rgb8 colour = stone_colour(look.form, look.stone_size, slot);
    Image stone = colour_stone(levels, look.side, colour);
    if (look.symbols) draw_symbol(stone, colour, look.form == StoneForm::round);
    return stone;
  }
  return draw_burst_frame(look.side, slot - SLOT_FIRST_BURST + 1);
}

std::uint32_t packed(Rgb8 c) {
  return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}
}  // namespace

Image draw_slot(const StoneLook& look, int slot) {
  const bool stone = slot > SLOT_BLANK && slot < SLOT_FIRST_BURST;
  return slot_picture(look, stone ? stone_levels(look) : StoneLevels{}, slot);
}

bool draw_strip(const StoneLook& look, std::uint32_t* pixels) {
  const int side = look.side;
  if (side < SMALLEST_SIDE || side > LARGEST_SIDE) return false;
  const StoneLevels levels = stone_levels(look);
  const std::size_t row = static_cast<std::size_t>(STRIP_SLOTS * side);
  for (int slot = 0; slot < STRIP_SLOTS; ++slot) {
    const Image picture = slot_picture(look, levels, slot);
    for (int y = 0; y < side; ++y) {
      std::uint32_t* out = pixels + static_cast<std::size_t>(y) * row + static_cast<std::size_t>(slot * side);
      for (int x = 0; x < side; ++x) out[x] = packed(picture.at(x, y));
    }
  }
  return true;
}
