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
  std::string type;  // ICON or WAVE
  std::string file;  // relative to the generated folder
  std::function<Bytes()> make;
};

// The icon and the six sounds, in that order.
std::vector<ArtResource> art_catalogue();

// One line per resource: `3030 WAVE "sound0.wav"`.
std::string resource_script(const std::vector<ArtResource>& resources);

#endif
