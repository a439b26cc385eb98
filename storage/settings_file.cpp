// The settings file: seven setting lines, then up to 24 best-score lines.
// It is read by line position only (the keys are for people), so a file
// written in either language reads back the same. Every value from the file
// is brought into its range; a damaged file never overflows a field. The
// file is replaced whole at exit, through a temporary file beside it, so a
// failed write leaves the previous settings and scores untouched.
#include "storage/settings_file.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/options_line.h"
#include "storage/texts.h"

GameSettings settings;

namespace {

// The reader takes lines in pieces of at most 63 characters, keeping the
// line end; a longer line counts as several lines.
constexpr int LINE_BUFFER_SIZE = 64;

std::int32_t clamp_grid_side(std::int32_t v) {
    return v < MIN_GRID_SIDE ? MIN_GRID_SIDE : v > MAX_GRID_SIDE ? MAX_GRID_SIDE : v;
}
std::int32_t check_stone_size(std::int32_t v) {
    return v == 15 || v == 18 || v == 21 || v == 24 ? v : 18;
}
std::int32_t check_language(std::int32_t v) {
    return v == LANGUAGE_FRENCH || v == LANGUAGE_ENGLISH ? v : LANGUAGE_ENGLISH;
}
std::int32_t check_colours(std::int32_t v) { return v < MIN_COLOURS || v > MAX_COLOURS ? MAX_COLOURS : v; }

// One setting line: its key (a text, so it follows the language), its field,
// the value when there is no file at all, and the check applied after reading.
struct SettingRow {
    int key_text;
    std::int32_t GameSettings::*field;
    bool has_default;  // sound has none: without a file it stays off
    std::int32_t default_value;
    std::int32_t (*check)(std::int32_t);  // null: any value is kept
};

const SettingRow SETTING_ROWS[] = {
    {TXT_KEY_COLUMNS, &GameSettings::columns, true, 10, clamp_grid_side},
    {TXT_KEY_ROWS, &GameSettings::rows, true, 15, clamp_grid_side},
    {TXT_KEY_FORM, &GameSettings::form, true, 1, nullptr},
    {TXT_KEY_SIZE, &GameSettings::stone_size, true, 15, check_stone_size},
    {TXT_KEY_LANGUAGE, &GameSettings::language_offset, true, LANGUAGE_ENGLISH, check_language},
    {TXT_KEY_COLOURS, &GameSettings::colours, true, 6, check_colours},
    {TXT_KEY_SOUND, &GameSettings::sound, false, 0, nullptr},
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Decimal text as the C library reads it (blanks, a sign, digits up to the
// first non-digit, none giving 0), except that a number beyond 32 bits
// saturates instead of wrapping.
std::int32_t parse_int32(const char* text) {
    constexpr long long LIMIT = 2147483648LL;  // magnitude of the smallest int32
    while (is_blank(*text)) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > LIMIT) magnitude = LIMIT;
    }
    long long value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(value >= LIMIT ? LIMIT - 1 : value);
}

void apply_defaults() {
    for (const SettingRow& row : SETTING_ROWS)
        if (row.has_default) settings.*row.field = row.default_value;
}

void read_setting_lines(PlatformFile* file) {
    for (const SettingRow& row : SETTING_ROWS) {
        char line[LINE_BUFFER_SIZE];
        if (platform_file_gets(line, LINE_BUFFER_SIZE, file) != nullptr) {
            const char* equals = std::strchr(line, '=');
            if (equals != nullptr) settings.*row.field = parse_int32(equals + 1);
        }
        // The check applies to a missing line too: an empty file gives valid values.
        if (row.check != nullptr) settings.*row.field = row.check(settings.*row.field);
    }
}

// The name runs from after the first comma to the last carriage return. A
// line ended by a line feed alone (a file saved with Unix line ends) loses
// that line feed, so it reads and writes back cleanly.
void copy_name(const char* line, const char* comma, char* name) {
    const char* begin = comma + 1;
    const char* end = std::strrchr(line, '\r');
    if (end == nullptr) {
        end = begin + std::strlen(begin);
        if (end > begin && end[-1] == '\n') --end;
    }
    std::size_t length = end > begin ? static_cast<std::size_t>(end - begin) : 0;
    if (length > NAME_CAPACITY - 1) length = NAME_CAPACITY - 1;
    std::memcpy(name, begin, length);
    name[length] = '\0';
}

// Reads one score line into `entry`; false when the list ends with it.
bool read_score_line(const char* line, BestScoreEntry& entry) {
    entry.score = parse_int32(line);
    const char* comma = std::strchr(line, ',');
    if (comma == nullptr) return false;
    copy_name(line, comma, entry.name);
    return true;
}

// The line that ends the score list, or the one after 24 scores, may be the
// options line.
void read_score_lines(PlatformFile* file) {
    char line[LINE_BUFFER_SIZE];
    for (BestScoreEntry& entry : best_scores) {
        if (platform_file_gets(line, LINE_BUFFER_SIZE, file) == nullptr) return;
        if (!read_score_line(line, entry)) {
            read_options_line(line);
            return;
        }
    }
    if (platform_file_gets(line, LINE_BUFFER_SIZE, file) != nullptr) read_options_line(line);
}

bool write_line(PlatformFile* file, char* line) {
    std::size_t length = std::strlen(line);
    if (length > LINE_BUFFER_SIZE - 3) length = LINE_BUFFER_SIZE - 3;  // room for CR LF
    line[length] = '\r';
    line[length + 1] = '\n';
    return platform_file_write(file, line, length + 2);
}

bool write_setting_lines(PlatformFile* file) {
    for (const SettingRow& row : SETTING_ROWS) {
        char line[LINE_BUFFER_SIZE];
        std::snprintf(line, sizeof line, get_text(row.key_text), settings.*row.field);
        if (!write_line(file, line)) return false;
    }
    return true;
}

bool write_score_lines(PlatformFile* file) {
    for (const BestScoreEntry& entry : best_scores) {
        if (entry.score == 0) break;
        char line[LINE_BUFFER_SIZE];
        std::snprintf(line, sizeof line, "%d,%s", entry.score, entry.name);
        if (!write_line(file, line)) return false;
    }
    return true;
}

// The temporary file goes into the place of the settings file; a refusal is
// tried again a few times before it counts.
bool replace_patiently(const char* from, const char* to) {
    for (int attempt = 1;; ++attempt) {
        if (platform_file_replace(from, to)) return true;
        if (attempt == REPLACE_TRIES) return false;
        platform_sleep(REPLACE_PAUSE_MS);
    }
}

}  // namespace

std::string temporary_settings_path(const std::string& path) {
    return path + "." + std::to_string(platform_process_id()) + ".tmp";
}

void read_settings(const char* path) {
    if (!file_exists(path)) {
        apply_defaults();
        return;
    }
    // "r+b": a file the program could not rewrite at exit is refused now.
    PlatformFile* file = open_file_or_die(path, "r+b");
    read_setting_lines(file);
    read_score_lines(file);
    platform_file_close(file);
}

void write_settings(const char* path) {
    std::string temporary = temporary_settings_path(path);
    PlatformFile* file = platform_file_open(temporary.c_str(), "wb");
    bool written = file != nullptr && write_setting_lines(file) && write_score_lines(file) &&
                   write_options_line(file) &&
                   platform_file_flush(file);
    bool closed = file != nullptr && platform_file_close(file);
    if (written && closed && replace_patiently(temporary.c_str(), path)) return;
    // The old file is still in place; only the unfinished copy goes.
    platform_file_remove(temporary.c_str());
    report_file_error(path);
}
