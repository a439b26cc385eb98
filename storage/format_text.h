// The program's own small formatter for its texts: the few conversions its
// strings use, without the C library's whole printf (which would be most of
// the size it adds to the program).
#pragma once

#include <cstddef>

// Formats `format` into `out` (`size` bytes, always terminated, cut to fit)
// as snprintf does for: %d and %u with an optional 0 flag and a width, %s,
// %c and %%. Any other conversion is copied as it stands. Returns the length
// written.
int format_text(char* out, std::size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
