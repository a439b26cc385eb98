// The lighting of a stone, as a level on its colour ramp (0 black, 1 pure
// colour, 2 white). The light comes from the upper right and a little from
// the front: most of a round stone keeps its pure colour, its lower left
// side turns darker and a small white glint sits towards the upper right.
// Shared by the stone pictures and the program icon so that they match.
#ifndef GLIMMETS_ART_SHADING_H
#define GLIMMETS_ART_SHADING_H

// Level of a round stone at (u, w), measured from the disc's centre in
// radii, u to the right and w upwards; only meaningful inside the disc.
double round_stone_level(double u, double w);

// Level of the square stone pixel (x, y) of a stone of the given side: the
// edge is black (one pixel up to 47 pixels, then one more per 24), the
// inside is the pure colour with a thin bevel, lighter along the top and
// right, darker along the bottom and left, that widens with the side.
double square_stone_level(int x, int y, int side);

// Hermite step from 0 at edge0 to 1 at edge1 (edge0 may exceed edge1).
double smoothstep(double edge0, double edge1, double x);

#endif
