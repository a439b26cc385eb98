// The settings file: seven setting lines, then up to 24 best-score lines.
// It is read by line position only (the keys are for people), so a file
// written in either language reads back the same. Every value from the file
// is brought into its range; a damaged file never overflows a field. The
// file is replaced whole, through a temporary file beside it, so a failed
// write leaves the previous settings and scores untouched. Another copy of
// the game may have written it since this one read it: a write keeps the
// scores found in it and adds this copy's own.
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

// `after` (when given, LINE_BUFFER_SIZE bytes) receives the line that ended
// the list, or the one after 24 scores: the options line, if the file has one.
void read_score_lines(PlatformFile* file, BestScoreEntry* table, char* after = nullptr) {
    char line[LINE_BUFFER_SIZE];
    for (int i = 0; i < BEST_SCORE_COUNT; ++i) {
        if (platform_file_gets(line, LINE_BUFFER_SIZE, file) == nullptr) return;
        if (!read_score_line(line, table[i])) {
            if (after != nullptr) std::memcpy(after, line, sizeof line);
            return;
        }
    }
    if (after != nullptr && platform_file_gets(line, LINE_BUFFER_SIZE, file) != nullptr)
        std::memcpy(after, line, sizeof line);
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

bool write_score_lines(PlatformFile* file, const BestScoreEntry* table) {
    for (int i = 0; i < used_entries(table); ++i) {
        const BestScoreEntry& entry = table[i];
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

bool same_scores(const BestScoreEntry* a, const BestScoreEntry* b) {
    int used = used_entries(a);
    if (used != used_entries(b)) return false;
    for (int i = 0; i < used; ++i)
        if (a[i].score != b[i].score || std::strcmp(a[i].name, b[i].name) != 0) return false;
    return true;
}

// The temporary file of a replacement refused for good holds the only copy
// of the new scores: it goes under the kept name, where the next start finds
// it, or stays where it is when even that is refused. Returns its name.
std::string keep_new_content(const char* path) {
    std::string temporary = temporary_settings_path(path);
    std::string kept = kept_settings_path(path);
    return platform_file_replace(temporary.c_str(), kept.c_str()) ? kept : temporary;
}

}  // namespace

BestScoreEntry known_scores[BEST_SCORE_COUNT];

std::string kept_settings_path(const std::string& path) { return path + ".kept"; }

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
    char after_scores[LINE_BUFFER_SIZE] = "";
    read_score_lines(file, best_scores, after_scores);
    read_options_line(after_scores);  // only here: another copy's file never changes this copy's options
    platform_file_close(file);
    std::memcpy(known_scores, best_scores, sizeof known_scores);
}

bool read_file_scores(const char* path, BestScoreEntry* table) {
    std::memset(table, 0, sizeof(BestScoreEntry) * BEST_SCORE_COUNT);
    if (!file_exists(path)) return false;
    PlatformFile* file = platform_file_open(path, "rb");
    if (file == nullptr) return false;
    for (std::size_t line = 0; line < sizeof SETTING_ROWS / sizeof SETTING_ROWS[0]; ++line) {
        char skipped[LINE_BUFFER_SIZE];
        if (platform_file_gets(skipped, LINE_BUFFER_SIZE, file) == nullptr) break;
    }
    read_score_lines(file, table);
    platform_file_close(file);
    return true;
}

void scores_to_write(const char* path, BestScoreEntry* table) {
    // A file that cannot be read now is taken to hold what this copy last knew.
    if (!read_file_scores(path, table)) std::memcpy(table, known_scores, sizeof known_scores);
    // Nobody else wrote: the table goes as it stands, in its own order.
    if (same_scores(table, known_scores)) std::memcpy(table, best_scores, sizeof best_scores);
    else merge_best_scores(table, known_scores, best_scores, table);
}

WriteOutcome write_settings_file(const char* path, const BestScoreEntry* table) {
    std::string temporary = temporary_settings_path(path);
    PlatformFile* file = platform_file_open(temporary.c_str(), "wb");
    bool written = file != nullptr && write_setting_lines(file) && write_score_lines(file, table) &&
                   write_options_line(file) && platform_file_flush(file);
    bool closed = file != nullptr && platform_file_close(file);
    if (written && closed) {
        if (replace_patiently(temporary.c_str(), path)) {
            std::memcpy(known_scores, table, sizeof known_scores);
            return WriteOutcome::WRITTEN;
        }
        return WriteOutcome::NOT_REPLACED;
    }
    // The old file is still in place; only the unfinished copy goes.
    platform_file_remove(temporary.c_str());
    return WriteOutcome::NOT_WRITTEN;
}

void write_settings(const char* path) {
    BestScoreEntry table[BEST_SCORE_COUNT];
    scores_to_write(path, table);
    switch (write_settings_file(path, table)) {
        case WriteOutcome::WRITTEN: return;
        case WriteOutcome::NOT_WRITTEN: report_file_error(path);
        case WriteOutcome::NOT_REPLACED: report_file_error(path, keep_new_content(path).c_str());
    }
}
