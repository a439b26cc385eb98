// The stone colours by cell code and the "ramp" along which every stone is
// shaded: from black through the stone's pure colour to white. A stone's
// picture only ever holds colours of its own ramp, so its 16-entry palette
// can be spent entirely on smooth shades of that one colour.
#ifndef GLIMMETS_ART_COLOUR_H
#define GLIMMETS_ART_COLOUR_H

#include <cstdint>

struct Rgb8 {
  std::uint8_t r, g, b;
};

inline bool operator==(Rgb8 a, Rgb8 b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

enum class StoneForm { round, square };

// The colour of cell code 1..6 in the given set. The two greys trade places
// between sets: light grey is code 3 in the round sets of 15, 18 and 24
// pixels, code 6 in the round 21-pixel set and in every square set.
Rgb8 stone_colour(StoneForm form, int size, int code);

// A point of the ramp: 0 is black, 1 the pure colour, 2 white; shades in
// between are linear blends.
Rgb8 ramp_colour(Rgb8 base, double level);

// Linear blend of two colours, t = 0 gives a, t = 1 gives b.
Rgb8 mix(Rgb8 a, Rgb8 b, double t);

#endif
