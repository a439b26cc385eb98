/* The help format's hash of a context name (the name a jump refers to).
   The viewer finds topics by this hash alone, so names are limited to the
   characters whose values are known to match the viewer's table. */
#ifndef GLIMMETS_HELPGEN_CONTEXT_HASH_H
#define GLIMMETS_HELPGEN_CONTEXT_HASH_H

#include <cstdint>
#include <string_view>

namespace helpgen {

// True when every character is one of A-Z a-z 0-9 . _ and the name is not empty.
bool valid_context_name(std::string_view name);

// hash = hash * 43 + value(c) over the characters, with 32-bit wrap-around;
// letters are case-insensitive. Only meaningful for valid names.
std::uint32_t context_hash(std::string_view name);

}  // namespace helpgen

#endif
