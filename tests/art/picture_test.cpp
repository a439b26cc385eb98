// The stone pictures as the painter draws them for the program, at every
// side from the smallest to the largest: at 15, 18, 21 and 24 pixels the
// very pixels of the game's first pictures; at every side each colour stone
// shows its colour at its centre (with the two greys swapped between sets
// of the chosen size), the blank is all black, squares keep a black edge and
// round stones black corners and a white glint, the burst frames are bright
// and spread outwards, and the strip holds each picture in its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "art/bursts.h"
#include "art/stones.h"
#include "art/strip.h"

namespace {
const int kSides[] = {8, 15, 18, 21, 24, 30, 36, 48, 72, 96};
// From 15 pixels on a stone has room for its glint and a centre of its pure colour.
const int kStoneSides[] = {15, 18, 21, 24, 30, 36, 48, 72, 96};
const int kStoneSizes[] = {15, 18, 21, 24};

const Rgb8 kBlack{0, 0, 0};
const Rgb8 kWhite{255, 255, 255};
const Rgb8 kLight{0xC0, 0xC0, 0xC0};
const Rgb8 kMiddle{0x80, 0x80, 0x80};

Rgb8 expected_colour(bool round, int stone_size, int code) {
  const bool light_is_3 = round && stone_size != 21;
  switch (code) {
    case 1: return {0xFF, 0, 0};
    case 2: return {0, 0xFF, 0};
    case 3: return light_is_3 ? kLight : kMiddle;
    case 4: return {0, 0, 0xFF};
    case 5: return {0xFF, 0, 0xFF};
    default: return light_is_3 ? kMiddle : kLight;
  }
}

StoneLook look(bool round, int stone_size, int side) {
  return {round ? StoneForm::round : StoneForm::square, stone_size, side};
}

// The stone size whose greys a side shows in these tests: its own where it
// is one, else 21 (the set whose round greys differ from the others').
int size_for(int side) { return std::count(std::begin(kStoneSizes), std::end(kStoneSizes), side) ? side : 21; }

std::uint64_t fnv1a(const Image& image) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (const Rgb8& c : image.pixels) {
    for (std::uint8_t byte : {c.r, c.g, c.b}) h = (h ^ byte) * 0x100000001b3ull;
  }
  return h;
}

// Mean distance of the lit pixels from the picture's centre, in pixels.
double mean_lit_radius(const Image& image, int& lit) {
  double sum = 0.0;
  lit = 0;
  const double centre = image.side / 2.0;
  for (int y = 0; y < image.side; ++y) {
    for (int x = 0; x < image.side; ++x) {
      if (image.at(x, y) == kBlack) continue;
      sum += std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      ++lit;
    }
  }
  return lit ? sum / lit : 0.0;
}

// The RGB bytes of the game's first pictures, by size, hashed (FNV-1a, 64
// bits): the blank, round colours 1 to 6, square colours 1 to 6, bursts 1 to 4.
struct FirstPictures {
  int size;
  std::uint64_t hash[17];
};
const FirstPictures kFirst[] = {
    {15, {0xd1cba8fb372e7137ull, 0x004eb35f1f4d146eull, 0x43dde5fdcf36b8b2ull, 0x5e01cb9e3ea74521ull, 0x7f75fe4848bf6302ull, 0x6d19e1d2b232ea28ull, 0x8d547b1d886057e3ull, 0xca917785c857fa43ull, 0xfd2a3328aad296e9ull, 0x0b7b17e2dadec64cull, 0x39b9a8c8993a9757ull, 0x0db43df3a4afe07eull, 0xcab2f34caedeace0ull, 0x326320cf6a0ff981ull, 0xa5ebfd84b14ace98ull, 0x3565e7ed06c5268cull, 0xbaac8d24fcdced4cull}},
    {18, {0x26855cfa1a425f95ull, 0x1edb4e62e52bd129ull, 0x05bdbc8287f10673ull, 0xf4a7d17d102446e2ull, 0xcc464a0e3532dcedull, 0xbc6206f72b543fb8ull, 0x584c0a4223b1afecull, 0x2e8e3c0ac7975dfaull, 0x535495845b154bb2ull, 0x14ed5db0d8b0a77cull, 0xbde0cfb2ebe415feull, 0x19340c88e44abe24ull, 0xfd4f966f8ade7c8cull, 0x28cf496bb287b5a7ull, 0x2ec46e988d3f2572ull, 0x11440f76bca5abafull, 0xbb077f13c42a8c6dull}},
    {21, {0x24fd703f28bbe417ull, 0x4c6e6bb64fca8391ull, 0x50fa053e1d51bc53ull, 0x62571a4bc63be2e1ull, 0x35c44dcc44cc21a1ull, 0xceb99e98b5e93ff8ull, 0x79433f6b3fb8cfb0ull, 0xdf26c1df1bf34bbdull, 0xcc7dc965ec254edbull, 0x0c95a87ee933091eull, 0xef4200b231fa3755ull, 0x31ef67551bf7aa24ull, 0xcd2f06794f9829e8ull, 0x6057eea6edea4803ull, 0xce2f5a04fd01547eull, 0x33b0a43a1ba50aa3ull, 0xe02c97abf8609552ull}},
    {24, {0x40afc6ef52734a25ull, 0xc888cc49e79cb6b5ull, 0x5fefcf9dc44a6ec7ull, 0x0f465c9a3551a271ull, 0x9ee15e34cac16245ull, 0x9b5c8791a4ccd15aull, 0x639e2adeeca4a09full, 0x2a771dc58d79eaaaull, 0x7fde18c00422f7eeull, 0x3ba42c01a019ffe6ull, 0x63370454cd5e50baull, 0xea72eaa5d53e53c4ull, 0x403448352d644354ull, 0x674eff78de5f7e94ull, 0xd69ad145bbb761f9ull, 0xdb86d85f773d7f98ull, 0xb7a65189debc7f2eull}},
};
}  // namespace

TEST(StonePictures, AtTheFourStoneSizesArePixelForPixelTheFirstPictures) {
  for (const FirstPictures& first : kFirst) {
    const StoneLook round = look(true, first.size, first.size), square = look(false, first.size, first.size);
    std::vector<Image> pictures{draw_slot(round, SLOT_BLANK)};
    for (int code = 1; code <= 6; ++code) pictures.push_back(draw_slot(round, code));
    for (int code = 1; code <= 6; ++code) pictures.push_back(draw_slot(square, code));
    for (int frame = 0; frame < 4; ++frame) pictures.push_back(draw_slot(round, SLOT_FIRST_BURST + frame));
    for (std::size_t i = 0; i < pictures.size(); ++i)
      EXPECT_EQ(fnv1a(pictures[i]), first.hash[i]) << "size " << first.size << ", picture " << i;
  }
}

TEST(StonePictures, TheStripHoldsEachPictureInItsSlot) {
  for (int side : {8, 15, 37}) {
    for (bool round : {true, false}) {
      const StoneLook l = look(round, 18, side);
      std::vector<std::uint32_t> strip(static_cast<std::size_t>(STRIP_SLOTS * side * side), 0xFF000000u);
      ASSERT_TRUE(draw_strip(l, strip.data()));
      for (int slot = 0; slot < STRIP_SLOTS; ++slot) {
        const Image picture = draw_slot(l, slot);
        for (int i = 0; i < side * side; ++i) {
          const Rgb8 c = picture.at(i % side, i / side);
          const std::uint32_t want = static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b);
          ASSERT_EQ(strip[static_cast<std::size_t>((i / side) * STRIP_SLOTS * side + slot * side + i % side)], want)
              << "side " << side << " slot " << slot << " pixel " << i;
        }
      }
    }
  }
  std::uint32_t untouched = 7;
  EXPECT_FALSE(draw_strip(look(true, 24, SMALLEST_SIDE - 1), &untouched));
  EXPECT_FALSE(draw_strip(look(true, 24, LARGEST_SIDE + 1), &untouched));
  EXPECT_EQ(untouched, 7u);
}

TEST(StonePictures, CentreShowsTheStoneColourWithTheGreysOfTheChosenSize) {
  for (int side : kStoneSides) {
    for (int stone_size : kStoneSizes) {
      for (bool round : {true, false}) {
        for (int code = 1; code <= 6; ++code) {
          const Image image = draw_slot(look(round, stone_size, side), code);
          const int mid = side / 2;
          // For even sides the centre falls between four pixels: all four count.
          for (int y : {mid - (side + 1) % 2, mid}) {
            for (int x : {mid - (side + 1) % 2, mid}) {
              const Rgb8 c = image.at(x, y);
              EXPECT_EQ(c, expected_colour(round, stone_size, code))
                  << "side " << side << " size " << stone_size << " code " << code << (round ? " round" : " square")
                  << " at (" << x << "," << y << ") is " << +c.r << "," << +c.g << "," << +c.b;
            }
          }
        }
      }
    }
  }
}

TEST(StonePictures, BlankIsAllBlackSquaresHaveABlackEdgeRoundStonesBlackCornersAndAGlint) {
  for (int side : kSides) {
    const int last = side - 1;
    const Image blank = draw_slot(look(true, size_for(side), side), SLOT_BLANK);
    EXPECT_TRUE(std::all_of(blank.pixels.begin(), blank.pixels.end(), [](Rgb8 c) { return c == kBlack; })) << side;
    for (int code = 1; code <= 6; ++code) {
      const Image square = draw_slot(look(false, size_for(side), side), code);
      const Image round = draw_slot(look(true, size_for(side), side), code);
      for (int i = 0; i <= last; ++i) {
        EXPECT_TRUE(square.at(i, 0) == kBlack && square.at(i, last) == kBlack && square.at(0, i) == kBlack &&
                    square.at(last, i) == kBlack)
            << "square of side " << side << ", edge at " << i;
      }
      const int inside = side / 4;  // well inside the edge and the bevel
      EXPECT_NE(square.at(inside, side / 2), kBlack) << "a square fills its inside, side " << side;
      for (int x : {0, last}) {
        for (int y : {0, last}) EXPECT_EQ(round.at(x, y), kBlack) << "round corner, side " << side;
      }
      if (side < kStoneSides[0]) continue;
      bool glint = false;
      for (int y = 0; y < side / 2; ++y) {
        for (int x = side / 2; x < side; ++x) glint = glint || round.at(x, y) == kWhite;
      }
      EXPECT_TRUE(glint) << "round stone of side " << side << " colour " << code;
    }
  }
}

TEST(StonePictures, LargeStonesAreShadedWithoutBands) {
  for (int side : {36, 48, 96}) {
    const Image round = draw_round_stone(side, {0xFF, 0, 0});
    std::set<int> shades;
    int largest_step = 0;
    const int y = side * 3 / 4;  // across the shaded lower part, inside the disc
    for (int x = side / 4; x < side * 3 / 4; ++x) {
      shades.insert(round.at(x, y).r);
      largest_step = std::max(largest_step, std::abs(round.at(x + 1, y).r - round.at(x, y).r));
    }
    EXPECT_GT(shades.size(), 8u) << "side " << side;
    EXPECT_LE(largest_step, 24) << "side " << side;
  }
}

TEST(BurstFrames, BrightManyColouredAndSpreadingOutwardsFrameByFrame) {
  for (int side : kSides) {
    double previous = 0.0;
    for (int frame = 1; frame <= 4; ++frame) {
      const Image image = draw_burst_frame(side, frame);
      int lit = 0;
      const double radius = mean_lit_radius(image, lit);
      EXPECT_GE(lit, side / 2) << "side " << side << " frame " << frame << " has too few lit pixels";
      EXPECT_GT(radius, previous) << "side " << side << " frame " << frame << " does not spread beyond the one before";
      if (frame == 1) {
        EXPECT_LT(radius, side / 4.0) << "the first frame is a cluster around the middle";
      }
      previous = radius;
      std::set<int> colours;
      for (const Rgb8& c : image.pixels) {
        if (std::max({c.r, c.g, c.b}) == 255) colours.insert(c.r << 16 | c.g << 8 | c.b);
      }
      EXPECT_GE(colours.size(), 3u) << "side " << side << " frame " << frame << " has too few bright colours";
    }
  }
}
