/* The program's version, named once. The resource script's version resource,
   the About box's text and the names of the downloads (scripts/build reads
   GLIMMETS_VERSION_TEXT through the preprocessor) all take it from here.
   Read by windres as well as by the compilers: #define lines only. */
#ifndef GLIMMETS_VERSION_H
#define GLIMMETS_VERSION_H

#define GLIMMETS_VERSION_MAJOR  1
#define GLIMMETS_VERSION_MINOR  0

#define GLIMMETS_VERSION_QUOTE(text)  #text
#define GLIMMETS_VERSION_JOIN(major, minor)  GLIMMETS_VERSION_QUOTE(major.minor)
/* "1.0" */
#define GLIMMETS_VERSION_TEXT  GLIMMETS_VERSION_JOIN(GLIMMETS_VERSION_MAJOR, GLIMMETS_VERSION_MINOR)

#endif
