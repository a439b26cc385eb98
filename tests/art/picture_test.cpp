// The stone pictures as the program loads them: every id of the picture
// table listed in art.rc as a 4-bit uncompressed square bitmap of its set's
// size, each colour stone showing its colour at its centre (with the two
// greys swapped between sets), the blank all black and the burst frames
// bright and spreading outwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "resources/resource_ids.h"
#include "tests/art/art_files.h"

namespace {
struct PictureSet {
  int size, round, blank, square, burst;
};

const PictureSet kSets[] = {
    {15, IDB_ROUND_15, IDB_BLANK_15, IDB_SQUARE_15, IDB_BURST_15},
    {18, IDB_ROUND_18, IDB_BLANK_18, IDB_SQUARE_18, IDB_BURST_18},
    {21, IDB_ROUND_21, IDB_BLANK_21, IDB_SQUARE_21, IDB_BURST_21},
    {24, IDB_ROUND_24, IDB_BLANK_24, IDB_SQUARE_24, IDB_BURST_24},
};

const Rgb kBlack{0, 0, 0};
const Rgb kLight{0xC0, 0xC0, 0xC0};
const Rgb kMiddle{0x80, 0x80, 0x80};

Rgb expected_colour(bool round, int size, int code) {
  const bool light_is_3 = round && size != 21;
  switch (code) {
    case 1: return {0xFF, 0, 0};
    case 2: return {0, 0xFF, 0};
    case 3: return light_is_3 ? kLight : kMiddle;
    case 4: return {0, 0, 0xFF};
    case 5: return {0xFF, 0, 0xFF};
    default: return light_is_3 ? kMiddle : kLight;
  }
}

std::vector<int> picture_ids(const PictureSet& set) {
  std::vector<int> ids;
  for (int i = 0; i < 6; ++i) ids.push_back(set.round + i);
  for (int i = 0; i < 6; ++i) ids.push_back(set.square + i);
  for (int i = 0; i < 4; ++i) ids.push_back(set.burst + i);
  ids.push_back(set.blank);
  return ids;
}

Bitmap load_picture(int id) {
  static const ResourceScript script = read_resource_script();
  const auto found = script.entries.find(id);
  if (found == script.entries.end()) return Bitmap{};
  return read_bitmap(read_bytes(generated_path(found->second.file)));
}

bool is_black(const Rgb& c) { return c == kBlack; }

// Mean distance of the lit pixels from the picture's centre, in pixels.
double mean_lit_radius(const Bitmap& bmp, int& lit) {
  double sum = 0.0;
  lit = 0;
  const double centre = bmp.width / 2.0;
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      if (is_black(bmp.at(x, y))) continue;
      sum += std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      ++lit;
    }
  }
  return lit ? sum / lit : 0.0;
}
}  // namespace

TEST(StonePictures, EveryIdIsASquareFourBitUncompressedBitmapOfItsSize) {
  for (const PictureSet& set : kSets) {
    for (int id : picture_ids(set)) {
      const Bitmap bmp = load_picture(id);
      ASSERT_TRUE(bmp.valid) << "picture " << id << ": " << bmp.problem;
      EXPECT_EQ(bmp.width, set.size) << "picture " << id;
      EXPECT_EQ(bmp.height, set.size) << "picture " << id;
      EXPECT_EQ(bmp.bits, 4) << "picture " << id;
      EXPECT_EQ(bmp.compression, 0) << "picture " << id;
      EXPECT_EQ(bmp.palette.size(), 16u) << "picture " << id;
    }
  }
}

TEST(StonePictures, CentreShowsTheStoneColourWithTheGreysOfItsSet) {
  for (const PictureSet& set : kSets) {
    for (int code = 1; code <= 6; ++code) {
      for (bool round : {true, false}) {
        const int id = (round ? set.round : set.square) + code - 1;
        const Bitmap bmp = load_picture(id);
        ASSERT_TRUE(bmp.valid) << "picture " << id << ": " << bmp.problem;
        const int mid = set.size / 2;
        // For even sizes the centre falls between four pixels: all four count.
        for (int y : {mid - (set.size + 1) % 2, mid}) {
          for (int x : {mid - (set.size + 1) % 2, mid}) {
            const Rgb c = bmp.at(x, y);
            EXPECT_EQ(c, expected_colour(round, set.size, code))
                << "picture " << id << " at (" << x << "," << y << ") is " << c.r << "," << c.g << "," << c.b;
          }
        }
      }
    }
  }
}

TEST(StonePictures, BlankIsAllBlack) {
  for (const PictureSet& set : kSets) {
    const Bitmap bmp = load_picture(set.blank);
    ASSERT_TRUE(bmp.valid) << bmp.problem;
    for (int i = 0; i < set.size * set.size; ++i) EXPECT_TRUE(is_black(bmp.at(i % set.size, i / set.size))) << i;
  }
}

TEST(StonePictures, SquaresHaveABlackEdgeAndRoundStonesBlackCorners) {
  for (const PictureSet& set : kSets) {
    const int last = set.size - 1;
    for (int code = 1; code <= 6; ++code) {
      const Bitmap square = load_picture(set.square + code - 1);
      const Bitmap round = load_picture(set.round + code - 1);
      ASSERT_TRUE(square.valid && round.valid);
      for (int i = 0; i <= last; ++i) {
        EXPECT_TRUE(is_black(square.at(i, 0)) && is_black(square.at(i, last)) && is_black(square.at(0, i)) &&
                    is_black(square.at(last, i)))
            << "square " << set.square + code - 1 << " edge at " << i;
        EXPECT_FALSE(is_black(square.at(i == 0 || i == last ? 1 : i, 1))) << "square fills its inside";
      }
      for (int x : {0, last}) {
        for (int y : {0, last}) EXPECT_TRUE(is_black(round.at(x, y))) << "round " << set.round + code - 1;
      }
    }
  }
}

TEST(StonePictures, RoundStonesCarryAWhiteGlintInTheirUpperRightQuarter) {
  for (const PictureSet& set : kSets) {
    for (int code = 1; code <= 6; ++code) {
      const Bitmap bmp = load_picture(set.round + code - 1);
      ASSERT_TRUE(bmp.valid);
      bool glint = false;
      for (int y = 0; y < set.size / 2; ++y) {
        for (int x = set.size / 2; x < set.size; ++x) glint = glint || bmp.at(x, y) == Rgb{255, 255, 255};
      }
      EXPECT_TRUE(glint) << "round " << set.round + code - 1;
    }
  }
}

TEST(BurstFrames, BrightManyColouredAndSpreadingOutwardsFrameByFrame) {
  for (const PictureSet& set : kSets) {
    double previous = 0.0;
    for (int frame = 0; frame < 4; ++frame) {
      const int id = set.burst + frame;
      const Bitmap bmp = load_picture(id);
      ASSERT_TRUE(bmp.valid) << "burst " << id << ": " << bmp.problem;
      int lit = 0;
      const double radius = mean_lit_radius(bmp, lit);
      EXPECT_GE(lit, set.size / 2) << "burst " << id << " has too few lit pixels";
      EXPECT_GT(radius, previous) << "burst " << id << " does not spread beyond the frame before";
      previous = radius;
      std::set<int> colours;
      for (int i = 0; i < set.size * set.size; ++i) {
        const Rgb c = bmp.at(i % set.size, i / set.size);
        if (std::max({c.r, c.g, c.b}) == 255) colours.insert(c.r << 16 | c.g << 8 | c.b);
      }
      EXPECT_GE(colours.size(), 3u) << "burst " << id << " has too few bright colours";
    }
    int first_lit = 0;
    EXPECT_LT(mean_lit_radius(load_picture(set.burst), first_lit), set.size / 4.0)
        << "the first frame is a cluster around the middle";
  }
}
