// A recording fake of the door (platform/platform.h) for the unit tests.
// Every effect the core asks for is appended to `fake.events` as a short
// line; inputs the core reads (ticks, time, answers of boxes) are set here by
// the test. File operations really touch the disk, and can be made to fail
// at the Nth call to test what a failure leaves behind.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

struct FatalErrorReported : std::runtime_error {
    std::string caption;
    FatalErrorReported(const std::string& text, const std::string& caption_text)
        : std::runtime_error(text), caption(caption_text) {}
};

// Thrown by a file operation that the test made the end of the copy: the
// program dies there, as if killed, and its open files are left as they are.
struct CopyKilled {};

enum class FileOp { OPEN, READ, WRITE, FLUSH, CLOSE, REWRITE, REPLACE, RENAME, REMOVE, FIND, LOCK };
enum class Fault {
    NONE,
    FAIL,        // refused: nothing done
    FAIL_AFTER,  // a rewrite, replacement or rename done, but reported as failed
    KILL,        // the copy dies before the operation
};

struct PlatformFile;

struct FakePlatform {
    std::vector<std::string> events;

    // The tick counter: each read returns `ticks` and then adds `tick_step`.
    std::uint32_t ticks = 0;
    std::uint32_t tick_step = 1;
    std::int64_t calendar_time = 1;
    unsigned wave_devices = 1;
    int wave_device_queries = 0;
    std::uintptr_t next_timer = 1;

    // Answer of the name-entry box: when `name_ok`, `name_typed` is what the
    // player typed (cut at 23 characters as the box does).
    bool name_ok = true;
    std::string name_typed = "Player";
    // Run while the congratulations box and the name-entry box are open
    // (e.g. the session ends).
    std::function<void()> on_congratulations;
    std::function<void()> on_ask_name;

    std::string module_path = "/tmp/Glimmets.exe";

    // File faults: the file operation numbered `fail_at` (1 = the first one
    // counted after reset) fails; 0 means none fails. Opens, writes, flushes,
    // closes, rewrites, replacements and renames are counted.
    int file_ops = 0;
    int fail_at = 0;
    // When set, every counted operation from `fail_at` on fails, as on a
    // disk that has just filled up; otherwise `fail_count` calls in a row
    // fail from `fail_at` on, as while another program holds the file.
    bool fail_from_then_on = false;
    int fail_count = 1;

    // The process identifier the door reports, the replacements tried, and
    // the waits asked for (nobody sleeps): `on_sleep` runs at each wait, e.g.
    // to look at the files between two tries.
    std::uint32_t process_id = 4242;
    int replace_calls = 0;
    // This many replacements in a row are refused (another program holds
    // the settings file), apart from the counted faults above.
    int replace_refusals = 0;
    std::vector<std::uint32_t> sleeps;
    std::function<void()> on_sleep;

    // When set, decides the fault of every file operation instead (the
    // numbered faults above are then off); `path` is empty for the operations
    // on an open file.
    std::function<Fault(FileOp op, const std::string& path)> on_file_op;
    // The files open now, closed by close_open_files when a copy is killed,
    // and the locks held: path -> process id.
    std::set<PlatformFile*> open_files;
    std::map<std::string, std::uint32_t> locks;
    void close_open_files();

    // The side cells are drawn at; -1 draws them at the stone size, as at 100 %.
    int stone_side = -1;

    // Hooks run at draws and layouts, e.g. to check the board mid-move.
    void (*on_draw)() = nullptr;

    void reset();
    // Events whose line starts with `prefix`, in order.
    std::vector<std::string> matching(const std::string& prefix) const;
    // Count of events whose line starts with `prefix`.
    int count(const std::string& prefix) const;
    void clear_events() { events.clear(); }
};

extern FakePlatform fake;

// Puts the whole program-wide state back as at start-up (board, settings,
// game, undo store, best scores, language, sound device count, fake).
void reset_program_state();
