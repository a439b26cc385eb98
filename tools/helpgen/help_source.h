/* Reader of the help source, a small line-based markup kept in UTF-8:

     % a comment line
     @title Glimmets              the help file's title
     @caption Glimmets            the viewer window's caption
     @contents contents           context name of the contents topic
     @browse fr                   later topics form the browse sequence "fr"
     === play_fr Comment jouer    starts a topic: context name, then title
     == Subheading                a bold line
     - list item                  an indented item with a bullet
     -> [label](topic)            a line of its own, indented, for jumps
     plain lines                  running text; a blank line ends a paragraph

   Inside text, *bold* sets words in bold, [label](topic) is a jump, and a
   backslash takes the next character literally. Lines of a paragraph or of
   an item are joined with a space. Every topic opens with its title as a
   heading. Errors name the line. */
#ifndef GLIMMETS_HELPGEN_HELP_SOURCE_H
#define GLIMMETS_HELPGEN_HELP_SOURCE_H

#include <string_view>

#include "help_document.h"
#include "result.h"

namespace helpgen {

Result<HelpDocument> parse_help_source(std::string_view utf8_source);

}  // namespace helpgen

#endif
