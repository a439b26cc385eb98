// The settings file beside the program: the path rule, reading at start-up
// and writing at exit.
#pragma once

#include <cstdint>
#include <string>

// UTF-8, like every path that crosses the door.
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

// The temporary file that write_settings fills beside `path` before it puts
// it in its place: named after the running process, so that two copies of
// the program writing at once never share it.
std::string temporary_settings_path(const std::string& path);

// A refused replacement is tried again this many times in all, this long
// apart: antivirus, backup, indexing and sync programs open a file for a
// moment without sharing its deletion.
constexpr int REPLACE_TRIES = 10;
constexpr std::uint32_t REPLACE_PAUSE_MS = 25;
