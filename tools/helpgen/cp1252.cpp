/* UTF-8 decoding and the cp1252 mapping. Bytes 0x80..0x9F of cp1252 hold
   typographic characters (euro sign, quotes, dashes, oe ligature...) at
   code points far from their byte values, hence the table. */
#include "cp1252.h"

#include <cstdint>
#include <cstdio>

namespace helpgen {
namespace {

// Code points of cp1252 bytes 0x80..0x9F; 0 marks the five unused bytes.
constexpr std::uint32_t HIGH_CONTROLS[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Returns the cp1252 byte of a code point, or -1 when there is none.
int cp1252_byte(std::uint32_t cp) {
  if (cp >= 0x20 && cp < 0x7F) return static_cast<int>(cp);
  if (cp >= 0xA0 && cp <= 0xFF) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (HIGH_CONTROLS[i] != 0 && HIGH_CONTROLS[i] == cp) return 0x80 + i;
  }
  return -1;
}

std::string describe(std::uint32_t cp) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
  return buf;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns false when the
// bytes are not well-formed UTF-8 (overlong forms and surrogates included).
bool decode(std::string_view s, std::size_t& i, std::uint32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
  const std::uint8_t lead = byte(i);
  std::size_t extra = 0;
  std::uint32_t min = 0;
  if (lead < 0x80) { cp = lead; ++i; return true; }
  if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1Fu; min = 0x80; }
  else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0Fu; min = 0x800; }
  else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07u; min = 0x10000; }
  else return false;
  if (i + extra >= s.size()) return false;
  for (std::size_t k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (byte(i + k) & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  i += extra + 1;
  return true;
}

}  // namespace

Result<std::string> utf8_to_cp1252(std::string_view utf8) {
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t at = i;
    std::uint32_t cp = 0;
    if (!decode(utf8, i, cp)) {
      return Result<std::string>::failure("malformed UTF-8 at byte " + std::to_string(at));
    }
    const int b = cp1252_byte(cp);
    if (b < 0) {
      return Result<std::string>::failure("character " + describe(cp) + " at byte " +
                                          std::to_string(at) + " has no cp1252 form");
    }
    out.push_back(static_cast<char>(b));
  }
  return Result<std::string>::success(std::move(out));
}

}  // namespace helpgen
