// The settings file: seven setting lines, then up to 24 best-score lines,
// then the options line. It is read by line position only (the keys are for
// people), so a file written in either language reads back the same. Every
// value from the file is brought into its range; a damaged file never
// overflows a field. The file is replaced whole, through a temporary file
// beside it, so a failed write leaves the previous settings and scores
// untouched.
#include "storage/format_text.h"
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

void read_setting_lines(LineReader& lines, GameSettings& read) {
    for (const SettingRow& row : SETTING_ROWS) {
        char line[LINE_BUFFER_SIZE];
        if (lines.next(line)) {
            const char* equals = std::strchr(line, '=');
            if (equals != nullptr) read.*row.field = parse_int32(equals + 1);
        }
        // The check applies to a missing line too: an empty file gives valid values.
        if (row.check != nullptr) read.*row.field = row.check(read.*row.field);
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

// The score lines, and into `after` the line that ended them (the options
// line, if the file has one). Lines after an entry that reads as 0 are read
// on, so the options line is found where it always was, but not kept: they
// would come back the moment a new score filled that empty entry.
void read_score_lines(LineReader& lines, BestScoreEntry* table, char (&after)[LINE_BUFFER_SIZE]) {
    char line[LINE_BUFFER_SIZE];
    bool ended = false;
    for (int i = 0; i < BEST_SCORE_COUNT; ++i) {
        if (!lines.next(line)) return;
        BestScoreEntry entry{};
        const bool more = parse_score_line(line, entry);
        if (entry.score == 0) ended = true;
        if (!ended) table[i] = entry;
        if (!more) {  // a bare number is the last entry, with an empty name
            std::memcpy(after, line, sizeof line);
            return;
        }
    }
    if (lines.next(line)) std::memcpy(after, line, sizeof line);
}

void add_line(std::string& out, const char* line) {
    std::size_t length = std::strlen(line);
    if (length > LINE_BUFFER_SIZE - 3) length = LINE_BUFFER_SIZE - 3;  // room for CR LF, as the reader reads it
    out.append(line, length);
    out += "\r\n";
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

// One try at reading the whole file.
bool read_once(const char* path, const char* mode, std::string& bytes) {
    PlatformFile* file = platform_file_open(path, mode);
    if (file == nullptr) return false;
    bytes.clear();
    char buffer[4096];
    std::size_t got = 0;
    bool read = true;
    while (bytes.size() < MAX_FILE_BYTES && (read = platform_file_read(file, buffer, sizeof buffer, &got)) && got > 0)
        bytes.append(buffer, got);
    if (bytes.size() > MAX_FILE_BYTES) bytes.resize(MAX_FILE_BYTES);
    return platform_file_close(file) && read;
}

}  // namespace

bool LineReader::next(char (&line)[LINE_BUFFER_SIZE]) {
    if (at_ >= bytes_.size()) return false;
    std::size_t length = 0;
    while (length < LINE_BUFFER_SIZE - 1 && at_ < bytes_.size()) {
        line[length++] = bytes_[at_++];
        if (line[length - 1] == '\n') break;
    }
    line[length] = '\0';
    return true;
}

bool parse_score_line(const char* line, BestScoreEntry& entry) {
    entry.score = parse_int32(line);
    const char* comma = std::strchr(line, ',');
    if (comma == nullptr) return false;
    copy_name(line, comma, entry.name);
    return true;
}

std::string temporary_settings_path(const std::string& path) {
    return path + "." + std::to_string(platform_process_id()) + ".tmp";
}

void parse_settings(const std::string& bytes, SettingsContent& content) {
    content = SettingsContent{};
    LineReader lines(bytes);
    read_setting_lines(lines, content.settings);
    char after[LINE_BUFFER_SIZE] = "";
    read_score_lines(lines, content.scores, after);
    content.options = parse_options_line(after);
}

std::string format_settings(const SettingsContent& content) {
    std::string out;
    for (const SettingRow& row : SETTING_ROWS) {
        const char* key = find_text(row.key_text + content.settings.language_offset);
        char line[LINE_BUFFER_SIZE];
        format_text(line, sizeof line, key != nullptr ? key : "=%d", content.settings.*row.field);
        add_line(out, line);
    }
    for (int i = 0; i < used_entries(content.scores); ++i) {
        char line[LINE_BUFFER_SIZE];
        format_text(line, sizeof line, "%d,%s", content.scores[i].score, content.scores[i].name);
        add_line(out, line);
    }
    return out + format_options_line(content.options);
}

GameSettings default_settings() {
    GameSettings defaults{};
    for (const SettingRow& row : SETTING_ROWS)
        if (row.has_default) defaults.*row.field = row.default_value;
    return defaults;
}

SettingsContent program_content() {
    SettingsContent content{settings, {}, view_options};
    std::memcpy(content.scores, best_scores, sizeof best_scores);
    return content;
}

void adopt_content(const SettingsContent& content) {
    settings = content.settings;
    std::memcpy(best_scores, content.scores, sizeof best_scores);
    view_options = content.options;
}

ReadOutcome read_file_bytes(const char* path, const char* mode, std::string& bytes) {
    for (int attempt = 1;; ++attempt) {
        if (!file_exists(path)) return ReadOutcome::MISSING;
        if (read_once(path, mode, bytes)) return ReadOutcome::READ;
        if (attempt == REPLACE_TRIES) return ReadOutcome::REFUSED;
        platform_sleep(REPLACE_PAUSE_MS);
    }
}

void read_settings(const char* path) {
    std::string bytes;
    // "r+b": a file the program could not rewrite later is refused now.
    switch (read_file_bytes(path, "r+b", bytes)) {
        case ReadOutcome::MISSING:
            settings = default_settings();
            return;
        case ReadOutcome::REFUSED: report_file_error(path);
        case ReadOutcome::READ: break;
    }
    SettingsContent content;
    parse_settings(bytes, content);
    adopt_content(content);
}

WriteOutcome write_settings_file(const char* path, const std::string& bytes) {
    std::string temporary = temporary_settings_path(path);
    PlatformFile* file = platform_file_open(temporary.c_str(), "wb");
    if (file == nullptr) {
        // No new file can be made beside the settings file: it is rewritten
        // in place, if there is one to rewrite.
        bool rewritten = file_exists(path) && platform_file_rewrite(path, bytes.data(), bytes.size());
        return rewritten ? WriteOutcome::WRITTEN : WriteOutcome::NOT_WRITTEN;
    }
    bool written = platform_file_write(file, bytes.data(), bytes.size()) && platform_file_flush(file);
    bool closed = platform_file_close(file);
    if (!written || !closed) {
        // The old file is still in place; only the unfinished copy goes.
        platform_file_remove(temporary.c_str());
        return WriteOutcome::NOT_WRITTEN;
    }
    return replace_patiently(temporary.c_str(), path) ? WriteOutcome::WRITTEN : WriteOutcome::NOT_REPLACED;
}
