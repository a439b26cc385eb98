// The stone colours by cell code and the "ramp" along which every stone is
// shaded: from black through the stone's pure colour to white. A stone's
// picture only ever holds colours of its own ramp: up to 24 pixels sixteen
// chosen shades of it (the look of the game's 16-colour pictures), above
// that every shade, so that large stones show no bands.
#ifndef GLIMMETS_ART_COLOUR_H
#define GLIMMETS_ART_COLOUR_H

#include <cstdint>

struct Rgb8 {
  std::uint8_t r, g, b;
};

inline bool operator==(Rgb8 a, Rgb8 b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb8 a, Rgb8 b) { return !(a == b); }

enum class StoneForm { round, square };

// The colour of cell code 1..6 in the set of the chosen stone size (15, 18,
// 21 or 24, whatever the side the stones are drawn at). The two greys trade
// places between sets: light grey is code 3 in the round sets of 15, 18 and
// 24 pixels, code 6 in the round 21-pixel set and in every square set.
Rgb8 stone_colour(StoneForm form, int size, int code);

// A point of the ramp: 0 is black, 1 the pure colour, 2 white; shades in
// between are linear blends.
Rgb8 ramp_colour(Rgb8 base, double level);

// Linear blend of two colours, t = 0 gives a, t = 1 gives b.
Rgb8 mix(Rgb8 a, Rgb8 b, double t);

#endif
