// The line of the settings file that keeps the view's options. It comes
// after the best-score lines, so the positional reader of the seven settings
// and the score lines reads such a file as before: with fewer than 24 scores
// the options line, which holds no comma, ends the score list as an empty
// entry (its number is 0), and after 24 scores it is never read.
#pragma once

#include <string>

#include "storage/game_settings.h"

// The options on the line that followed the score lines. Anything but the
// options line with a small whole number (one to three digits, then only the
// line end) leaves both off: a damaged number never turns one on.
ViewOptions parse_options_line(const char* line);
// The options line with its CR LF, or nothing when both are off: with both
// off the file is exactly what it was before the options existed.
std::string format_options_line(const ViewOptions& options);
