/* Context-name hash: each character has a small value (letters 17..42,
   digits 1..9 and 0 as 10, '.' 12, '_' 13) folded in base 43. */
#include "context_hash.h"

namespace helpgen {
namespace {

int char_value(char c) {
  if (c >= 'a' && c <= 'z') return 17 + (c - 'a');
  if (c >= 'A' && c <= 'Z') return 17 + (c - 'A');
  if (c >= '1' && c <= '9') return c - '0';
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  return -1;
}

}  // namespace

bool valid_context_name(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (char_value(c) < 0) return false;
  }
  return true;
}

std::uint32_t context_hash(std::string_view name) {
  std::uint32_t hash = 0;
  for (char c : name) {
    hash = hash * 43u + static_cast<std::uint32_t>(char_value(c));
  }
  return hash;
}

}  // namespace helpgen
