// The four frames of the burst that plays where a group of stones is
// removed: bright sparkles on black, growing from a small cluster through a
// ring and rays to scattered dots. Frame numbers run from 1 to 4; any side.
#ifndef GLIMMETS_ART_BURSTS_H
#define GLIMMETS_ART_BURSTS_H

#include "art/image.h"

Image draw_burst_frame(int side, int frame);

#endif
