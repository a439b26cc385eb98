// The settings file beside the program: the path rule, reading at start-up,
// and the whole-file writes that keep it in step with the game.
#pragma once

#include <cstdint>
#include <string>

#include "storage/best_scores.h"

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
// Ends the program with the error box naming `path` (caption text 500) and,
// when a write's new content could be kept, the file that holds it.
[[noreturn]] void report_file_error(const char* path, const char* kept = nullptr);

// The scores the settings file held when this copy last read or wrote it.
extern BestScoreEntry known_scores[BEST_SCORE_COUNT];

void read_settings(const char* path);
// The final write (exit, end of the session): the settings and the merged
// scores, or the error box that ends the program. When the file could not be
// replaced, the new content is kept beside it (see kept_settings_path).
void write_settings(const char* path);

// The score lines of the file at `path` into `table` (24 entries); false
// when there is no file or it cannot be opened (then `table` is empty).
bool read_file_scores(const char* path, BestScoreEntry* table);
// The scores a write puts into the file at `path`: this copy's table when
// nobody else wrote the file since this copy last read or wrote it, else the
// file's scores merged with this copy's changes (merge_best_scores).
void scores_to_write(const char* path, BestScoreEntry* table);

enum class WriteOutcome {
    WRITTEN,       // the file holds the settings and `table`
    NOT_WRITTEN,   // the temporary file could not be written: removed, the old file untouched
    NOT_REPLACED,  // the temporary file is whole but was refused at every try: left in place
};
// One whole-file write of the settings and `table` through the temporary file.
WriteOutcome write_settings_file(const char* path, const BestScoreEntry* table);

// Where the new content of a write refused for good is kept, beside the
// settings file; the next start takes its scores in and removes it.
std::string kept_settings_path(const std::string& path);

// The temporary file that write_settings fills beside `path` before it puts
// it in its place: named after the running process, so that two copies of
// the program writing at once never share it.
std::string temporary_settings_path(const std::string& path);

// A refused replacement is tried again this many times in all, this long
// apart: antivirus, backup, indexing and sync programs open a file for a
// moment without sharing its deletion.
constexpr int REPLACE_TRIES = 10;
constexpr std::uint32_t REPLACE_PAUSE_MS = 25;
