/* The generator's second output: the help pages the program carries inside
   itself (format in help/pages_format.h). Same document, same checks as the
   help file: a jump to a topic that does not exist is refused. */
#ifndef GLIMMETS_HELPGEN_HELP_PAGES_H
#define GLIMMETS_HELPGEN_HELP_PAGES_H

#include "byte_writer.h"
#include "help_document.h"
#include "result.h"

namespace helpgen {

// The pages of every topic, the contents topic first, the others in the
// document's order. Fails on what validate_document refuses and on text
// holding a byte below 0x20 (it would read as a marker).
Result<Bytes> build_help_pages(const HelpDocument& doc);

}  // namespace helpgen

#endif
