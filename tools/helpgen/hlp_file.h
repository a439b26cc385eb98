/* Assembly of the whole help file: the small internal files (|SYSTEM,
   |FONT, |CONTEXT, |TTLBTREE, |CTXOMAP), the topic file, the internal
   directory last, and the 16-byte file header in front. Each piece has its
   own function so its bytes can be checked on their own. */
#ifndef GLIMMETS_HELPGEN_HLP_FILE_H
#define GLIMMETS_HELPGEN_HLP_FILE_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "byte_writer.h"
#include "help_document.h"
#include "result.h"

namespace helpgen {

constexpr std::uint32_t HELP_MAGIC = 0x00035F3F;
constexpr std::size_t FILE_HEADER_SIZE = 16;
constexpr std::size_t INTERNAL_HEADER_SIZE = 9;
constexpr std::size_t WINDOW_RECORD_SIZE = 90;
// The generation date recorded in |SYSTEM: fixed, so that the same source
// always gives the same bytes (2026-01-01 00:00:00 UTC).
constexpr std::uint32_t GENERATION_DATE = 1767225600;

constexpr std::uint16_t SYSTEM_TITLE = 1;
constexpr std::uint16_t SYSTEM_CONTENTS = 3;
constexpr std::uint16_t SYSTEM_WINDOW = 6;
constexpr std::uint16_t SYSTEM_CHARSET = 11;

// Checks what the encoder relies on: valid and distinct context names
// (distinct hashes too), a contents topic that exists, jumps that lead
// somewhere, and titles and captions that fit their fields.
Result<bool> validate_document(const HelpDocument& doc);

Result<Bytes> system_file(const HelpDocument& doc, std::uint32_t contents_offset);
Bytes font_file();
Result<Bytes> context_file(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets);
Result<Bytes> title_file(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets);
Bytes context_map_file();

// An internal file as it is stored: the 9-byte header, then the payload.
Bytes internal_file(const Bytes& payload);

// Places the named internal files after the file header and appends the
// directory, whose entries are sorted in plain byte order.
Result<Bytes> assemble(std::vector<std::pair<std::string, Bytes>> files);

Result<Bytes> build_help_file(const HelpDocument& doc);

}  // namespace helpgen

#endif
