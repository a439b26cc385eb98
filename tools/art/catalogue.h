// Every generated resource with its resource id, type and file name, and
// the resource-script fragment that hands them to the resource compiler.
#ifndef GLIMMETS_ART_CATALOGUE_H
#define GLIMMETS_ART_CATALOGUE_H

#include <functional>
#include <string>
#include <vector>

#include "tools/art/bytes.h"

struct ArtResource {
  int id;
  std::string type;  // ICON, BITMAP or WAVE
  std::string file;  // relative to the generated folder
  std::function<Bytes()> make;
};

// The icon, the 68 stone pictures (per size: round colours, blank, square
// colours, burst frames) and the six sounds, in that order.
std::vector<ArtResource> art_catalogue();

// One line per resource: `101 BITMAP "round15_1.bmp"`.
std::string resource_script(const std::vector<ArtResource>& resources);

#endif
