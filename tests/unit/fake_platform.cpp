// The recording fake of the door, linked into the unit tests in place of the
// Win32 shell.
#include "tests/unit/fake_platform.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include "control/board_overlay.h"
#include "control/game.h"
#include "engine/sound.h"
#include "engine/board.h"
#include "engine/hint.h"
#include "engine/undo.h"
#include "platform/platform.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/settings_file.h"
#include "storage/settings_sync.h"

FakePlatform fake;

void FakePlatform::reset() {
    close_open_files();
    *this = FakePlatform();
}

std::vector<std::string> FakePlatform::matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
    return out;
}

int FakePlatform::count(const std::string& prefix) const {
    return static_cast<int>(matching(prefix).size());
}

void reset_program_state() {
    fake.reset();
    release_undo_store();
    undo_store = UndoStore{};
    board = Board{};
    pending_dimensions = PendingDimensions{};
    settings = GameSettings{};
    view_options = ViewOptions{};
    game = CurrentGame{};
    reset_board_overlay();
    clear_best_scores();
    settings_path.clear();
    reset_settings_sync();
    wave_device_count = -1;
    forget_hint();
}

namespace {
void record(const std::string& line) { fake.events.push_back(line); }

// Counts the operation and tells whether it fails: the test's own rule when
// it set one (which may also end the copy there), else the numbered faults.
Fault file_fault(FileOp op, const std::string& path) {
    if (fake.on_file_op) {
        Fault fault = fake.on_file_op(op, path);
        if (fault == Fault::KILL) throw CopyKilled();
        return fault;
    }
    if (op == FileOp::READ || op == FileOp::FIND || op == FileOp::LOCK || op == FileOp::REMOVE) return Fault::NONE;
    ++fake.file_ops;
    if (fake.fail_at == 0 || fake.file_ops < fake.fail_at) return Fault::NONE;
    bool fails = fake.fail_from_then_on || fake.file_ops < fake.fail_at + fake.fail_count;
    return fails ? Fault::FAIL : Fault::NONE;
}
}  // namespace

void platform_draw_board() {
    record("draw");
    if (fake.on_draw) fake.on_draw();
}

void platform_layout_window() {
    record("layout");
    show_new_game_status();
}

int platform_stone_side() { return fake.stone_side >= 0 ? fake.stone_side : settings.stone_size; }

void platform_set_status(int field, const char* text) {
    record("status " + std::to_string(field) + " " + text);
}

void platform_set_window_title(const char* text) { record(std::string("title ") + text); }
void platform_set_menu_title(int position, const char* text) {
    record("menu " + std::to_string(position) + " " + text);
}
void platform_set_menu_item(int command, const char* text) {
    record("item " + std::to_string(command) + " " + text);
}
void platform_check_menu_item(int command, bool checked) {
    record("check " + std::to_string(command) + (checked ? " on" : " off"));
}
void platform_redraw_menu() { record("menu redraw"); }
void platform_draw_overlay() { record("overlay"); }
void platform_set_status_parts() { record(std::string("status parts ") + (view_options.show_groups ? "5" : "4")); }
void platform_reload_pictures() { record("pictures"); }

std::uintptr_t platform_start_clock() {
    record("clock start");
    return fake.next_timer++;
}
void platform_stop_clock(std::uintptr_t timer) { record("clock stop " + std::to_string(timer)); }

std::uint32_t platform_tick_count() {
    std::uint32_t now = fake.ticks;
    fake.ticks += fake.tick_step;
    return now;
}

std::int64_t platform_calendar_time() { return fake.calendar_time; }

unsigned platform_wave_device_count() {
    ++fake.wave_device_queries;
    return fake.wave_devices;
}
void platform_play_wave(int resource_id) { record("wave " + std::to_string(resource_id)); }
void platform_beep(unsigned type) { record("beep " + std::to_string(type)); }

// Busy
void platform_begin_busy() { record("busy"); }
void platform_end_busy() { record("busy end"); }

void platform_show_congratulations(const char* caption, const char* text) {
    record(std::string("congratulations ") + caption + "|" + text);
    if (fake.on_congratulations) fake.on_congratulations();
}

int platform_ask_player_name(char* name) {
    record("ask name");
    if (fake.on_ask_name) fake.on_ask_name();
    if (!fake.name_ok) return 0;
    std::snprintf(name, 24, "%s", fake.name_typed.c_str());
    return 1;
}

void platform_fatal_error(const char* text, const char* caption) {
    record(std::string("fatal ") + text);
    throw FatalErrorReported(text, caption);
}

void platform_show_warning(const char* text, const char*) { record(std::string("warning ") + text); }

const char* platform_module_path() { return fake.module_path.c_str(); }

std::int64_t platform_file_exists(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return st.st_mtime != 0 ? static_cast<std::int64_t>(st.st_mtime) : -1;
}

struct PlatformFile {
    std::FILE* stream;
};

struct PlatformLock {
    std::string path;
};

PlatformFile* platform_file_open(const char* path, const char* mode) {
    if (file_fault(FileOp::OPEN, path) != Fault::NONE) return nullptr;
    std::FILE* f = std::fopen(path, mode);
    if (!f) return nullptr;
    PlatformFile* file = new PlatformFile{f};
    fake.open_files.insert(file);
    return file;
}

bool platform_file_read(PlatformFile* file, void* buffer, std::size_t size, std::size_t* got) {
    *got = 0;
    if (file_fault(FileOp::READ, "") != Fault::NONE) return false;
    *got = std::fread(buffer, 1, size, file->stream);
    return std::ferror(file->stream) == 0;
}

bool platform_file_write(PlatformFile* file, const void* data, std::size_t size) {
    if (file_fault(FileOp::WRITE, "") != Fault::NONE) {
        // A failing write may still leave part of its bytes behind, as a full disk does.
        std::fwrite(data, 1, size / 2, file->stream);
        return false;
    }
    return std::fwrite(data, 1, size, file->stream) == size;
}

bool platform_file_flush(PlatformFile* file) {
    if (file_fault(FileOp::FLUSH, "") != Fault::NONE) return false;
    return std::fflush(file->stream) == 0;
}

bool platform_file_close(PlatformFile* file) {
    bool failed = file_fault(FileOp::CLOSE, "") != Fault::NONE;
    fake.open_files.erase(file);
    bool ok = std::fclose(file->stream) == 0;
    delete file;
    return ok && !failed;
}

void FakePlatform::close_open_files() {
    for (PlatformFile* file : open_files) {
        std::fclose(file->stream);
        delete file;
    }
    open_files.clear();
}

bool platform_file_rewrite(const char* path, const void* data, std::size_t size) {
    Fault fault = file_fault(FileOp::REWRITE, path);
    if (fault == Fault::FAIL) return false;
    std::FILE* f = std::fopen(path, "r+b");
    if (f == nullptr) return false;
    bool ok = std::fwrite(data, 1, size, f) == size && std::fflush(f) == 0 &&
              ftruncate(fileno(f), static_cast<off_t>(size)) == 0;
    return std::fclose(f) == 0 && ok && fault == Fault::NONE;
}

bool platform_file_replace(const char* from, const char* to) {
    ++fake.replace_calls;
    Fault fault = file_fault(FileOp::REPLACE, to);
    if (fault == Fault::FAIL) return false;
    if (fake.replace_refusals > 0) {
        --fake.replace_refusals;
        return false;
    }
    return std::rename(from, to) == 0 && fault == Fault::NONE;
}

bool platform_file_rename(const char* from, const char* to) {
    Fault fault = file_fault(FileOp::RENAME, to);
    if (fault == Fault::FAIL) return false;
    struct stat st;
    if (stat(to, &st) == 0) return false;
    return std::rename(from, to) == 0 && fault == Fault::NONE;
}

bool platform_file_remove(const char* path) {
    return file_fault(FileOp::REMOVE, path) == Fault::NONE && std::remove(path) == 0;
}

bool platform_find_files(const char* path, const char* suffix_pattern, std::vector<std::string>& found) {
    found.clear();
    if (file_fault(FileOp::FIND, path) != Fault::NONE) return false;
    const std::string text = path;
    const std::string::size_type cut = text.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : text.substr(0, cut);
    const std::string pattern = text.substr(cut == std::string::npos ? 0 : cut + 1) + suffix_pattern;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = readdir(dir))
        if (fnmatch(pattern.c_str(), entry->d_name, FNM_PERIOD) == 0) found.push_back(folder + "/" + entry->d_name);
    closedir(dir);
    return true;
}

PlatformLock* platform_try_lock(const char* path, bool create, bool* held_elsewhere) {
    *held_elsewhere = false;
    if (file_fault(FileOp::LOCK, path) != Fault::NONE) {
        *held_elsewhere = true;  // as when a copy that hangs holds it
        return nullptr;
    }
    struct stat st;
    if (stat(path, &st) != 0) {
        std::FILE* made = create ? std::fopen(path, "wb") : nullptr;
        if (made == nullptr) return nullptr;
        std::fclose(made);
    }
    auto holder = fake.locks.find(path);
    if (holder != fake.locks.end() && holder->second != fake.process_id) {
        *held_elsewhere = true;
        return nullptr;
    }
    fake.locks[path] = fake.process_id;
    return new PlatformLock{path};
}

void platform_unlock(PlatformLock* lock) {
    fake.locks.erase(lock->path);
    delete lock;
}

std::uint32_t platform_process_id() { return fake.process_id; }

void platform_sleep(std::uint32_t milliseconds) {
    fake.sleeps.push_back(milliseconds);
    if (fake.on_sleep) fake.on_sleep();
}
