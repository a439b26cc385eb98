// Keeping the settings file in step with the game and with the other copies
// of it that share the file: the lock, the file as it stands with the kept
// files taken in, one write step, and the content kept when the final write
// fails for good.
#include "storage/settings_sync.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/texts.h"

SyncState sync_state;

namespace {

// Another copy holds the lock for one read and write, a fraction of a second
// even when a replacement is refused for a while: 80 tries, 2 s in all.
constexpr int LOCK_TRIES = 80;
// The line of a kept file after which its changes to the scores follow:
// "changes", or "changes=N" when the first N may be in the file already.
const char KEPT_MARKER[] = "changes";
constexpr std::size_t HASH_DIGITS = 16;

void warn_once() {
    if (sync_state.warned) return;
    sync_state.warned = true;
    std::string message = utf8_from_cp1252(get_text(TXT_NOT_SAVED));
    message += settings_path;
    message += utf8_from_cp1252(get_text(TXT_NOT_SAVED_GOES_ON));
    std::string caption = utf8_from_cp1252(get_text(TXT_ERROR_CAPTION));
    platform_show_warning(message.c_str(), caption.c_str());
}

// FNV-1a, 64 bits, as 16 hexadecimal digits: tells whether the file holds
// exactly the bytes a write meant to put there.
std::string hash_text(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3ULL;
    std::string text(HASH_DIGITS, '0');
    for (std::size_t i = HASH_DIGITS; i-- > 0; hash >>= 4) text[i] = "0123456789abcdef"[hash & 15];
    return text;
}

// ---- The lock -------------------------------------------------------------

// Held on a lock file beside the settings file, which is never removed (a
// lock file that comes and goes lets two copies lock two files). In a folder
// where no file can be made the settings file itself is locked: the writes
// there are made in place, never by replacing it.
class SettingsLock {
public:
    SettingsLock() : held_(take()) {}
    ~SettingsLock() {
        if (lock_ != nullptr) platform_unlock(lock_);
    }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;
    bool held() const { return held_; }

private:
    bool take() {
        const std::string lock_file = settings_path + ".lock";
        for (int attempt = 1;; ++attempt) {
            bool busy = false;
            lock_ = platform_try_lock(lock_file.c_str(), true, &busy);
            if (lock_ == nullptr && !busy) lock_ = platform_try_lock(settings_path.c_str(), false, &busy);
            if (lock_ != nullptr) return true;
            if (!busy || attempt == LOCK_TRIES) return false;
            platform_sleep(REPLACE_PAUSE_MS);
        }
    }
    PlatformLock* lock_ = nullptr;
    bool held_;
};

// ---- Kept files -------------------------------------------------------------

// A final write's content that could not reach the file, waiting beside it:
// "Glimmets.ini.<n>.<process>.kept", numbered after every kept file there.
// A write that takes one in renames it first to
// "Glimmets.ini.<n>.<process>.<hash>.applied", the hash of the content it
// writes: if that copy dies before it removes the file, the next write sees
// whether the settings file holds that content, and so whether it is in.
// "Glimmets.ini.kept", the one name of the program's first versions, holds
// no changes: the scores in it that the file lacks are taken in.
struct KeptFile {
    std::string path;
    unsigned long number = 0;
    unsigned long process = 0;
    std::string applied_hash;  // empty for a kept file not yet taken in
};

std::string kept_name(unsigned long number, unsigned long process, const std::string& end) {
    return settings_path + "." + std::to_string(number) + "." + std::to_string(process) + end;
}

// A number of digits only, its end in `*end`.
bool read_number(const char* text, unsigned long& value, const char** end) {
    if (*text < '0' || *text > '9') return false;
    char* stop = nullptr;
    value = std::strtoul(text, &stop, 10);
    *end = stop;
    return true;
}

bool parse_kept_name(const std::string& path, KeptFile& kept) {
    if (path.compare(0, settings_path.size(), settings_path) != 0) return false;
    const char* rest = path.c_str() + settings_path.size();
    kept.path = path;
    if (std::strcmp(rest, ".kept") == 0) return true;
    if (*rest != '.' || !read_number(rest + 1, kept.number, &rest)) return false;
    if (*rest != '.' || !read_number(rest + 1, kept.process, &rest)) return false;
    if (std::strcmp(rest, ".kept") == 0) return true;
    if (std::strlen(rest) != 1 + HASH_DIGITS + 8 || std::strcmp(rest + 1 + HASH_DIGITS, ".applied") != 0) return false;
    kept.applied_hash.assign(rest + 1, HASH_DIGITS);
    return true;
}

bool made_before(const KeptFile& a, const KeptFile& b) {
    if (a.number != b.number) return a.number < b.number;
    return a.process != b.process ? a.process < b.process : a.path < b.path;
}

// The kept files beside the settings file, oldest first; false when the
// folder could not be listed.
bool find_kept_files(std::vector<KeptFile>& kept) {
    kept.clear();
    std::vector<std::string> paths, applied;
    if (!platform_find_files(settings_path.c_str(), ".*.kept", paths) ||
        !platform_find_files(settings_path.c_str(), ".*.applied", applied))
        return false;
    paths.insert(paths.end(), applied.begin(), applied.end());
    if (file_exists((settings_path + ".kept").c_str())) paths.push_back(settings_path + ".kept");
    for (const std::string& path : paths) {
        KeptFile file;
        if (!parse_kept_name(path, file)) continue;
        auto at = kept.end();
        while (at != kept.begin() && made_before(file, *(at - 1))) --at;
        kept.insert(at, file);
    }
    return true;
}

// Plays a kept file's changes on `table`, and gives its settings and options.
bool take_in(const KeptFile& kept, BestScoreEntry* table, SettingsContent& content) {
    std::string bytes;
    if (read_file_bytes(kept.path.c_str(), "rb", bytes) != ReadOutcome::READ) return false;
    parse_settings(bytes, content);
    LineReader lines(bytes);
    char line[LINE_BUFFER_SIZE];
    const std::size_t marker = sizeof KEPT_MARKER - 1;
    ScoreLog changes;
    bool has_changes = false;
    std::size_t uncertain = 0;
    while (lines.next(line)) {
        if (has_changes) {
            parse_score_change(line, changes);
        } else if (std::strncmp(line, KEPT_MARKER, marker) == 0 && (line[marker] == '\r' || line[marker] == '=')) {
            has_changes = true;
            if (line[marker] == '=') uncertain = std::strtoul(line + marker + 1, nullptr, 10);
        }
    }
    if (!has_changes) {
        // A kept file of the first versions: its scores that the table lacks.
        BestScoreEntry rest[BEST_SCORE_COUNT];
        std::memcpy(rest, table, sizeof rest);
        for (int i = 0; i < used_entries(content.scores); ++i)
            if (remove_entry(rest, content.scores[i]) < 0) changes.push_back({ScoreChange::ENTERED, content.scores[i]});
    }
    apply_score_log(table, changes, uncertain);
    return true;
}

// ---- The file as it stands --------------------------------------------------

struct FileView {
    bool exists = false;
    std::string bytes;
    SettingsContent content{};   // the file's, its scores with the kept files' changes played on them
    std::vector<KeptFile> kept;  // the kept files not yet in the file, oldest first
    SettingsContent newest{};    // the settings and options of the last of them
};

// Reads the settings file (a missing one gives the defaults and no scores)
// and, with `with_kept`, takes in the kept files beside it. False when the
// file exists but could not be read at any try.
bool read_view(FileView& view, const char* mode, bool with_kept) {
    switch (read_file_bytes(settings_path.c_str(), mode, view.bytes)) {
        case ReadOutcome::REFUSED: return false;
        case ReadOutcome::MISSING: view.content.settings = default_settings(); break;
        case ReadOutcome::READ:
            view.exists = true;
            parse_settings(view.bytes, view.content);
            break;
    }
    const std::string hash = hash_text(view.bytes);
    // A rewrite this copy could not confirm: the file holding its content says
    // it reached the file; else its changes may or may not be in.
    if (view.exists && hash == sync_state.unconfirmed_hash) {
        sync_state.pending.erase(sync_state.pending.begin(), sync_state.pending.begin() + sync_state.unconfirmed_changes);
        sync_state.unconfirmed_changes = 0;
    }
    sync_state.unconfirmed_hash.clear();
    std::vector<KeptFile> found;
    if (!with_kept) return true;
    // A folder that cannot be listed may hide kept files: no write now.
    if (!find_kept_files(found)) return false;
    for (const KeptFile& kept : found) {
        if (view.exists && kept.applied_hash == hash) {
            // Taken in by a write that reached the file. Until it is gone the
            // file must not change, or it would look as if it never had been.
            if (!platform_file_remove(kept.path.c_str())) return false;
            continue;
        }
        if (take_in(kept, view.content.scores, view.newest)) view.kept.push_back(kept);  // else by a later write
    }
    return true;
}

// Whether the settings file holds `bytes` after a rewrite in place reported
// as failed (it may fail after its work is done). When the file cannot be
// read to tell, this copy's next read tells, if the file is unchanged by then.
bool file_holds(const std::string& bytes, const std::string& hash) {
    std::string now;
    switch (read_file_bytes(settings_path.c_str(), "rb", now)) {
        case ReadOutcome::READ: return now == bytes;
        case ReadOutcome::MISSING: return false;
        case ReadOutcome::REFUSED: break;
    }
    sync_state.unconfirmed_hash = hash;
    sync_state.unconfirmed_changes = static_cast<long>(sync_state.pending.size());
    return false;
}

// Whether a write reached the file. A replacement reported as refused may
// have happened all the same: its temporary file is then gone, for a
// replacement moves it in one step.
bool reached_file(WriteOutcome outcome, const std::string& bytes, const std::string& hash) {
    const std::string temporary = temporary_settings_path(settings_path);
    switch (outcome) {
        case WriteOutcome::WRITTEN: return true;
        case WriteOutcome::NOT_REPLACED:
            if (!file_exists(temporary.c_str())) return true;
            platform_file_remove(temporary.c_str());
            return false;
        case WriteOutcome::NOT_WRITTEN: break;
    }
    return file_holds(bytes, hash);
}

// Writes this copy's content into the settings file, taking in the view's
// kept files; true when it is there. The changes waiting in memory are then
// in the file.
bool write_view(const FileView& view) {
    const std::string bytes = format_settings(program_content());
    const std::string hash = hash_text(bytes);
    std::vector<std::string> taken;
    for (const KeptFile& kept : view.kept) {
        const std::string name = kept_name(kept.number, kept.process, "." + hash + ".applied");
        if (name != kept.path && !platform_file_rename(kept.path.c_str(), name.c_str())) return false;
        taken.push_back(name);
    }
    if (!reached_file(write_settings_file(settings_path.c_str(), bytes), bytes, hash)) return false;
    sync_state.pending.clear();
    sync_state.unconfirmed_changes = 0;
    for (const std::string& name : taken) platform_file_remove(name.c_str());
    return true;
}

// The content of a final write that cannot reach the file, with this copy's
// changes to the scores, under a name of its own beside the file. Returns
// the name, or "" when nothing could be kept.
std::string keep_content() {
    std::string bytes = format_settings(program_content()) + KEPT_MARKER;
    if (sync_state.unconfirmed_changes > 0) bytes += "=" + std::to_string(sync_state.unconfirmed_changes);
    bytes += "\r\n" + format_score_log(sync_state.pending);
    const std::string temporary = temporary_settings_path(settings_path);
    PlatformFile* file = platform_file_open(temporary.c_str(), "wb");
    if (file == nullptr) return std::string();
    const bool written = platform_file_write(file, bytes.data(), bytes.size()) && platform_file_flush(file);
    if (!platform_file_close(file) || !written) {
        platform_file_remove(temporary.c_str());
        return std::string();
    }
    unsigned long number = 1;
    std::vector<KeptFile> found;
    find_kept_files(found);  // unlisted, the numbers are tried from 1 on, none taken twice
    if (!found.empty()) number = found.back().number + 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string name = kept_name(number + static_cast<unsigned long>(attempt), platform_process_id(), ".kept");
        if (platform_file_rename(temporary.c_str(), name.c_str())) return name;
        if (!file_exists(temporary.c_str()) && file_exists(name.c_str())) return name;  // done, though reported failed
    }
    return temporary;  // whole: the box names it, for the player to find
}

// ---- One step with the file -----------------------------------------------------

enum class Edit { NONE, ENTER, NAME, RESET };

// Applies an edit to this copy's table, adding it to the waiting changes;
// true when it changed the table.
bool apply_edit(Edit edit, const BestScoreEntry& entry) {
    ScoreChange change{edit == Edit::ENTER ? ScoreChange::ENTERED : ScoreChange::NAMED, entry};
    switch (edit) {
        case Edit::NONE: return false;
        case Edit::RESET:
            for (int i = 0; i < used_entries(best_scores); ++i)
                sync_state.pending.push_back({ScoreChange::REMOVED, best_scores[i]});
            clear_best_scores();
            return true;
        case Edit::ENTER:
        case Edit::NAME: break;
    }
    if (apply_score_change(best_scores, change) < 0) return false;
    sync_state.pending.push_back(change);
    return true;
}

// Under the lock: reads what the file holds now, plays this copy's waiting
// changes again on its scores, applies `edit`, and writes the file. When the
// file cannot be read, the edit stands on this copy's last view and waits.
// With `kept`, a write that fails keeps the content beside the file and
// names it there. Returns whether the file was written; `*applied` whether
// the edit changed the table.
bool sync_with_file(Edit edit, const BestScoreEntry& entry, bool* applied, std::string* kept = nullptr) {
    SettingsLock lock;
    FileView view;
    const bool fresh = lock.held() && read_view(view, "rb", true);
    if (fresh) {
        std::memcpy(best_scores, view.content.scores, sizeof best_scores);
        apply_score_log(best_scores, sync_state.pending, static_cast<std::size_t>(sync_state.unconfirmed_changes));
    }
    *applied = apply_edit(edit, entry);
    if (fresh && write_view(view)) return true;
    if (kept != nullptr) *kept = keep_content();
    return false;
}

// A change during play: written at once, or told once and kept waiting.
// Returns whether the edit changed the table.
bool change_and_save(Edit edit, const BestScoreEntry& entry = BestScoreEntry{}) {
    if (settings_path.empty() || sync_state.finished) return apply_edit(edit, entry);
    bool applied = false;
    if (sync_with_file(edit, entry, &applied)) sync_state.warned = false;
    else warn_once();
    return applied;
}

}  // namespace

void load_settings() {
    bool written = true;
    {
        SettingsLock lock;
        FileView view;
        // "r+b": a file the program could not rewrite later is refused now.
        if (!read_view(view, "r+b", lock.held())) report_file_error(settings_path.c_str());
        if (!view.kept.empty()) {
            // A kept file was made after the last write of the file: its settings are the last chosen.
            view.content.settings = view.newest.settings;
            view.content.options = view.newest.options;
        }
        adopt_content(view.content);
        sync_state = SyncState{};
        if (!view.kept.empty()) written = write_view(view);
    }
    if (!written) warn_once();
}

bool save_settings() {
    if (settings_path.empty() || sync_state.finished) return false;
    change_and_save(Edit::NONE);
    return !sync_state.warned;
}

void save_settings_at_exit() {
    if (sync_state.finished || settings_path.empty()) return;
    sync_state.finished = true;
    std::string kept;
    bool applied = false;
    if (sync_with_file(Edit::NONE, BestScoreEntry{}, &applied, &kept)) return;
    report_file_error(settings_path.c_str(), kept.empty() ? nullptr : kept.c_str());
}

bool insert_best_score(int score) { return change_and_save(Edit::ENTER, BestScoreEntry{score, " "}); }

void name_best_score(int score, const char* name) {
    BestScoreEntry entry{score, ""};
    set_entry_name(entry, name);
    if (std::strcmp(entry.name, " ") != 0) change_and_save(Edit::NAME, entry);
}

void reset_best_scores() { change_and_save(Edit::RESET); }

void reset_settings_sync() { sync_state = SyncState{}; }
