// The program icon: a little pile of shiny stones in the game's colours,
// at 32 x 32 and 16 x 16 pixels, in one .ico file.
#ifndef GLIMMETS_ART_ICON_H
#define GLIMMETS_ART_ICON_H

#include "tools/art/bytes.h"

// A complete .ico file holding both images, each 32 bits per pixel with
// alpha and with an AND mask for systems that ignore the alpha.
Bytes make_icon();

#endif
