/* Conversion of the help source's UTF-8 text to the Western European code
   page the help file is written in. A character the code page cannot hold is
   an error naming the character, never a silent substitute: a wrong letter in
   the help would otherwise go unnoticed until someone reads it. */
#ifndef GLIMMETS_HELPGEN_CP1252_H
#define GLIMMETS_HELPGEN_CP1252_H

#include <string>
#include <string_view>

#include "result.h"

namespace helpgen {

// Converts UTF-8 text to cp1252. Fails on malformed UTF-8, on a character
// outside cp1252 and on control characters (the help format would read a
// tab or a line break as a command).
Result<std::string> utf8_to_cp1252(std::string_view utf8);

}  // namespace helpgen

#endif
