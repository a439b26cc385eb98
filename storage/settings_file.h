// The settings file beside the program: the path rule, its format (seven
// setting lines read by position, up to 24 score lines, the options line),
// and reading and writing one file whole. Keeping the file in step with the
// game, and with other copies of it, is storage/settings_sync's.
#pragma once

#include <cstdint>
#include <string>

#include "storage/best_scores.h"
#include "storage/game_settings.h"

// UTF-8, like every path that crosses the door.
extern std::string settings_path;
extern std::string help_path;

// Replaces the extension of `path` by `extension` in lower case (at most three
// characters): "C:\GAMES\PUZZLE.EXE" with "INI" gives "C:\GAMES\PUZZLE.ini".
std::string& replace_extension(std::string& path, const char* extension);

// Fills settings_path and help_path from the program's own path.
void init_paths();

std::int64_t file_exists(const char* path);
// Ends the program with the error box naming `path` (caption text 500) and,
// when a write's new content could be kept, the file that holds it.
[[noreturn]] void report_file_error(const char* path, const char* kept = nullptr);

// The reader takes lines in pieces of at most 63 characters, keeping the
// line end, as the C library's line reader does into 64 bytes; a longer line
// counts as several lines.
constexpr int LINE_BUFFER_SIZE = 64;

// The bytes of a file as that line reader hands them out.
class LineReader {
public:
    explicit LineReader(const std::string& bytes) : bytes_(bytes) {}
    // The next piece into `line`, NUL-terminated; false at the end.
    bool next(char (&line)[LINE_BUFFER_SIZE]);

private:
    const std::string& bytes_;
    std::size_t at_ = 0;
};

// A score line, "540,Ann": the number its start reads as, and the name from
// after the first comma to the last carriage return (at most 24 characters).
// False when there is no comma: such a line ends the list.
bool parse_score_line(const char* line, BestScoreEntry& entry);

// Everything a settings file holds.
struct SettingsContent {
    GameSettings settings;
    BestScoreEntry scores[BEST_SCORE_COUNT];
    ViewOptions options;
};

// The reader, by line position: the seven settings (a missing line leaves its
// field at 0, then every check applies), then score lines until one without a
// comma, at most 24, then the options line. A score line that reads as 0 is
// an empty entry: it ends the used entries, and nothing after it is kept.
// Every value is brought into its range; no input overflows a field.
void parse_settings(const std::string& bytes, SettingsContent& content);
// What the writer puts into the file: the keys in the content's language,
// the used entries, the options line when an option is on, CR LF line ends.
std::string format_settings(const SettingsContent& content);
// The settings when there is no settings file: 10 columns, 15 rows, round
// stones of 15 pixels, English, 6 colours, sound off.
GameSettings default_settings();
// The program's own settings, best scores and options, and back.
SettingsContent program_content();
void adopt_content(const SettingsContent& content);

// No reader takes more of a file than this; a settings file is a few hundred bytes.
constexpr std::size_t MAX_FILE_BYTES = 1 << 16;

enum class ReadOutcome {
    READ,     // `bytes` holds the file
    MISSING,  // there is no such file
    REFUSED,  // it exists but could not be opened or read, at every try
};
// Reads the whole file at `path`, opened with `mode` ("rb", or "r+b" to be
// sure it can be written too); a refusal is tried again as a refused
// replacement is.
ReadOutcome read_file_bytes(const char* path, const char* mode, std::string& bytes);

// Reads the file at `path` into the program's settings, scores and options:
// the defaults when there is none; the error box that ends the program when
// it exists but cannot be opened for reading and writing.
void read_settings(const char* path);

enum class WriteOutcome {
    WRITTEN,       // the file holds `bytes`
    NOT_WRITTEN,   // the old file is untouched
    NOT_REPLACED,  // the temporary file is whole but was refused at every try: left in place
};
// One whole-file write: through the temporary file beside `path`, put in its
// place in one step; in place when no temporary file can be made there (a
// folder where the file may be rewritten but no file created).
WriteOutcome write_settings_file(const char* path, const std::string& bytes);

// The temporary file a write fills beside `path` before it puts it in its
// place: named after the running process, so that two copies of the program
// writing at once never share it.
std::string temporary_settings_path(const std::string& path);

// A refused replacement, or a refused read, is tried again this many times in
// all, this long apart: antivirus, backup, indexing and sync programs open a
// file for a moment without sharing it.
constexpr int REPLACE_TRIES = 10;
constexpr std::uint32_t REPLACE_PAUSE_MS = 25;
