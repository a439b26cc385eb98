// The settings file beside the program: the path rule, reading at start-up
// and writing at exit.
#pragma once

#include <cstdint>
#include <string>

extern std::string settings_path;
extern std::string help_path;

// Replaces the extension of `path` by `extension` in lower case (at most three
// characters): "C:\GAMES\PUZZLE.EXE" with "INI" gives "C:\GAMES\PUZZLE.ini".
std::string& replace_extension(std::string& path, const char* extension);

// Fills settings_path and help_path from the program's own path.
void init_paths();

std::int64_t file_exists(const char* path);
struct PlatformFile;
PlatformFile* open_file_or_die(const char* path, const char* mode);
// Ends the program with the error box naming `path` (caption text 500).
[[noreturn]] void report_file_error(const char* path);

void read_settings(const char* path);
void write_settings(const char* path);
