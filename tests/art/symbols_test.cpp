// The symbols on the stones: off, the stones are as they always were; on,
// each of the six colours carries its own shape, the same on every stone of
// that colour, and the six stay apart in greyscale at every side, the
// smallest included, by their shapes as well as by their shades.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "art/strip.h"
#include "art/symbols.h"

namespace {

const int kSides[] = {15, 18, 21, 24, 30, 36, 48, 72, 96};

int grey(Rgb8 c) { return static_cast<int>(std::lround(0.299 * c.r + 0.587 * c.g + 0.114 * c.b)); }

// The pixels where the symbol changed the stone.
std::set<int> ink(const Image& plain, const Image& marked) {
  std::set<int> out;
  for (std::size_t i = 0; i < plain.pixels.size(); ++i)
    if (std::abs(grey(plain.pixels[i]) - grey(marked.pixels[i])) > 48) out.insert(static_cast<int>(i));
  return out;
}

int differing(const std::set<int>& a, const std::set<int>& b) {
  int n = 0;
  for (int i : a) n += b.count(i) == 0;
  for (int i : b) n += a.count(i) == 0;
  return n;
}

// Pixels whose greys differ by more than a quarter of the scale.
int grey_differences(const Image& a, const Image& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) n += std::abs(grey(a.pixels[i]) - grey(b.pixels[i])) > 64;
  return n;
}

TEST(StoneSymbols, EachColourHasItsOwnAndOthersNone) {
  std::set<StoneSymbol> seen;
  for (int code = 1; code <= 6; ++code) seen.insert(symbol_of(stone_colour(StoneForm::square, 15, code)));
  EXPECT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen.count(StoneSymbol::none), 0u);
  EXPECT_EQ(symbol_of(Rgb8{0, 0, 0}), StoneSymbol::none);
  // The greys trade codes between sets; the symbol follows the colour.
  EXPECT_EQ(symbol_of(stone_colour(StoneForm::round, 15, 3)), symbol_of(stone_colour(StoneForm::square, 15, 6)));
}

TEST(StoneSymbols, OffTheStripIsUnchangedOnOnlyStonesChange) {
  for (StoneForm form : {StoneForm::round, StoneForm::square}) {
    const StoneLook plain{form, 18, 27};
    StoneLook marked = plain;
    marked.symbols = true;
    for (int slot = 0; slot < STRIP_SLOTS; ++slot) {
      const bool stone = slot > SLOT_BLANK && slot < SLOT_FIRST_BURST;
      EXPECT_EQ(draw_slot(plain, slot).pixels == draw_slot(marked, slot).pixels, !stone) << slot;
    }
  }
}

TEST(StoneSymbols, SixStayApartInGreyByShapeAndShadeAtEverySide) {
  for (StoneForm form : {StoneForm::round, StoneForm::square}) {
    for (int side : kSides) {
      std::vector<Image> plain, marked;
      std::vector<std::set<int>> shapes;
      for (int code = 1; code <= 6; ++code) {
        StoneLook look{form, 21, side};
        plain.push_back(draw_slot(look, code));
        look.symbols = true;
        marked.push_back(draw_slot(look, code));
        shapes.push_back(ink(plain.back(), marked.back()));
        // A symbol big enough to see: a twelfth of the stone or more.
        EXPECT_GE(shapes.back().size() * 12, static_cast<std::size_t>(side * side)) << side << " " << code;
      }
      const int area = side * side;
      for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) {
          // By shape alone (where each symbol inks its stone) in a 25th of
          // the stone or more, and in grey as seen in a 20th or more.
          EXPECT_GE(differing(shapes[a], shapes[b]) * 25, area) << "side " << side << " colours " << a + 1 << "," << b + 1;
          EXPECT_GE(grey_differences(marked[a], marked[b]) * 20, area) << "side " << side << " colours " << a + 1 << "," << b + 1;
        }
    }
  }
}

}  // namespace
