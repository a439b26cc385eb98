// libFuzzer target on the settings-file reader. Any bytes written as the
// settings file must read without a crash or an overflow, leave every
// checked field in its range and every name terminated within its 25 bytes;
// writing the result and reading it back must give the same settings and
// the same used best scores. Linked with the recording fake door, whose
// fatal error throws.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/settings_file.h"
#include "tests/unit/fake_platform.h"

namespace {

std::string folder;
std::string input_path;
std::string output_path;

void remove_folder() {
    std::remove(input_path.c_str());
    std::remove(output_path.c_str());
    rmdir(folder.c_str());
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_settings: %s\n", what);
    std::abort();
}

void check_ranges() {
    const GameSettings& s = settings;
    if (s.columns < MIN_GRID_SIDE || s.columns > MAX_GRID_SIDE) fail("columns out of range");
    if (s.rows < MIN_GRID_SIDE || s.rows > MAX_GRID_SIDE) fail("rows out of range");
    if (s.stone_size != 15 && s.stone_size != 18 && s.stone_size != 21 && s.stone_size != 24)
        fail("stone size out of range");
    if (s.language_offset != LANGUAGE_FRENCH && s.language_offset != LANGUAGE_ENGLISH)
        fail("language out of range");
    if (s.colours < MIN_COLOURS || s.colours > MAX_COLOURS) fail("colours out of range");
    for (const BestScoreEntry& entry : best_scores)
        if (std::memchr(entry.name, '\0', NAME_CAPACITY) == nullptr) fail("name not terminated");
}

bool write_file(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// What a round trip must keep: the settings and the used entries.
struct Snapshot {
    GameSettings settings;
    int used;
    BestScoreEntry entries[BEST_SCORE_COUNT];
};

Snapshot take_snapshot() {
    Snapshot s{};
    s.settings = settings;
    s.used = used_best_scores();
    for (int i = 0; i < s.used; ++i) s.entries[i] = best_scores[i];
    return s;
}

bool same(const Snapshot& a, const Snapshot& b) {
    if (std::memcmp(&a.settings, &b.settings, sizeof a.settings) != 0 || a.used != b.used) return false;
    for (int i = 0; i < a.used; ++i)
        if (a.entries[i].score != b.entries[i].score || std::strcmp(a.entries[i].name, b.entries[i].name) != 0)
            return false;
    return true;
}

// The files live in memory when the system offers a memory file system:
// every write is flushed to the disk, which would otherwise set the pace.
std::string make_folder() {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/glimmets-fuzz-XXXXXX";
        if (mkdtemp(&pattern[0]) != nullptr) return pattern;
    }
    fail("mkdtemp failed");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder = make_folder();
    input_path = folder + "/input.ini";
    output_path = folder + "/output.ini";
    std::atexit(remove_folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    reset_program_state();
    if (!write_file(input_path, data, size)) fail("cannot write the input file");
    try {
        read_settings(input_path.c_str());
        check_ranges();
        Snapshot first = take_snapshot();

        if (write_settings_file(output_path.c_str(), format_settings(program_content())) != WriteOutcome::WRITTEN)
            fail("cannot write the output file");
        reset_program_state();
        read_settings(output_path.c_str());
        check_ranges();
        if (!same(first, take_snapshot())) fail("written file reads back differently");
    } catch (const FatalErrorReported& error) {
        // Our own files in our own folder always open: a report here is a fault.
        std::fprintf(stderr, "fuzz_settings: fatal error reported: %s\n", error.what());
        std::abort();
    }
    return 0;
}
