// Lighting of round and square stones as levels on their colour ramp.
#include "art/shading.h"

#include <algorithm>
#include <cmath>

namespace {
struct Vec3 {
  double x, y, z;
};

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 normalised(Vec3 v) {
  const double length = std::sqrt(dot(v, v));
  return {v.x / length, v.y / length, v.z / length};
}

const Vec3 kLight = normalised({0.60, 0.65, 0.45});
const Vec3 kHalfway = normalised({kLight.x, kLight.y, kLight.z + 1.0});

// Facing the light well enough keeps the pure colour: the centre of every
// stone must show exactly its colour.
constexpr double kFullLight = 0.35;
constexpr double kDarkest = 0.42;

double diffuse_level(double facing) {
  return 1.0 - (1.0 - kDarkest) * smoothstep(kFullLight, -0.85, facing);
}

double glint_level(double towards_glint) {
  const double spot = smoothstep(0.955, 0.985, towards_glint);
  // The 40th power by squaring: the program draws stones at start-up.
  const double t = std::max(towards_glint, 0.0), t2 = t * t, t4 = t2 * t2, t8 = t4 * t4, t32 = t8 * t8 * t8 * t8;
  const double halo = 0.35 * t32 * t8;
  return std::min(spot + halo, 1.0);
}

// Two bevel rings from 21 pixels on, and one more per 12 pixels above 24.
int bevel_depth(int side) { return side > 24 ? side / 12 : (side >= 21 ? 2 : 1); }

int edge_width(int side) { return side < 48 ? 1 : side / 24; }

// Position of a pixel in the bevel: ring 0 is the outermost pixels inside
// the black edge; lit is +1 on the top and right sides, -1 on the bottom and
// left, 0 in the two corners where a lit side meets a shaded one.
void bevel_place(int x, int y, int side, int edge, int& ring, int& lit) {
  const int last = side - 1 - edge;
  const int top = y - edge, bottom = last - y, left = x - edge, right = last - x;
  ring = std::min(std::min(top, bottom), std::min(left, right));
  const bool on_lit = top == ring || right == ring;
  const bool on_shaded = bottom == ring || left == ring;
  lit = on_lit == on_shaded ? 0 : (on_lit ? 1 : -1);
}
}  // namespace

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

double round_stone_level(double u, double w) {
  const double r2 = std::min(u * u + w * w, 1.0);
  const Vec3 normal{u, w, std::sqrt(1.0 - r2)};
  const double limb = 1.0 - 0.16 * smoothstep(0.80, 1.0, std::sqrt(r2));
  const double body = diffuse_level(dot(normal, kLight)) * limb;
  return body + (2.0 - body) * glint_level(dot(normal, kHalfway));
}

double square_stone_level(int x, int y, int side) {
  const int edge = edge_width(side);
  if (x < edge || y < edge || x >= side - edge || y >= side - edge) return 0.0;
  int ring = 0, lit = 0;
  bevel_place(x, y, side, edge, ring, lit);
  const int depth = bevel_depth(side);
  if (ring >= depth || lit == 0) return 1.0;
  // Full strength on the outer ring, fading to 0.45 on the inner one.
  const double strength = depth == 1 ? 1.0 : 1.0 - 0.55 * ring / (depth - 1);
  return lit > 0 ? 1.0 + 0.35 * strength : 1.0 - 0.35 * strength;
}
