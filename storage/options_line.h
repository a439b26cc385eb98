// The line of the settings file that keeps the view's options. It comes
// after the best-score lines, so the positional reader of the seven settings
// and the score lines reads such a file as before: with fewer than 24 scores
// the options line, which holds no comma, ends the score list as an empty
// entry (its number is 0), and after 24 scores it is never read.
#pragma once

struct PlatformFile;

// Takes the options from the line that followed the score lines; a line that
// is not the options line (none, a bare score, anything else) leaves both off.
void read_options_line(const char* line);
// Writes the options line, only when an option is on: with both off the file
// is exactly what it was before the options existed. False when the write failed.
bool write_options_line(PlatformFile* file);
