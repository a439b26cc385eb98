// The model of copies sharing one settings file: each copy's memory is
// swapped in and out of the program's globals, the file system and the locks
// are the fake door's, and the checks read the file from outside.
#include "tests/unit/shared_file_model.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "resources/resource_ids.h"
#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/settings_sync.h"
#include "storage/texts.h"
#include "tests/unit/fake_platform.h"

unsigned SeededChoices::pick(unsigned n) {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<unsigned>((state_ * 0x2545F4914F6CDD1DULL) >> 33) % n;
}

unsigned ByteChoices::pick(unsigned n) { return at_ < size_ ? data_[at_++] % n : 0; }

namespace {

// One copy of the game: what it holds in memory, and what the checks expect of it.
struct Copy {
    bool alive = false;
    std::uint32_t process = 0;
    GameSettings settings{};
    ViewOptions options{};
    BestScoreEntry table[BEST_SCORE_COUNT]{};
    SyncState sync;
    int naming = 0;          // the score whose name box is open, 0 when none
    std::vector<int> owed;   // scores it entered that its next write must bring to the file
};

// What a copy that closed without writing left beside the file.
struct KeptRecord {
    std::uint32_t process;
    int order;  // made after every record of a lower order
    GameSettings settings;
    ViewOptions options;
    std::vector<int> owed;
    bool maybe_reset = false;  // a reset may have taken it in and cleared it
};

struct FileState {
    bool exists = false;
    std::string bytes;
    SettingsContent content{};
    std::vector<int> scores;
};

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Model {
public:
    Model(Choices& choices, const std::string& folder, int copies) : choices_(choices), folder_(folder) {
        copies_.resize(static_cast<std::size_t>(copies));
        reset_program_state();
        settings_path = folder + "/Glimmets.ini";
    }
    ~Model() {
        fake.on_file_op = nullptr;
        fake.on_sleep = nullptr;
        fake.close_open_files();
    }

    std::string run(int steps) {
        observe(before_);
        for (int step = 0; step < steps && choices_.more() && failure_.empty(); ++step) this->step();
        return failure_.empty() ? "" : failure_ + "\nsteps:\n" + story_.str();
    }

private:
    // ---- Copies in and out of the program's globals ----
    void become(int which) {
        if (current_ >= 0) {
            Copy& copy = copies_[static_cast<std::size_t>(current_)];
            copy.settings = settings;
            copy.options = view_options;
            std::memcpy(copy.table, best_scores, sizeof best_scores);
            copy.sync = sync_state;
        }
        current_ = which;
        Copy& copy = copies_[static_cast<std::size_t>(which)];
        settings = copy.settings;
        view_options = copy.options;
        std::memcpy(best_scores, copy.table, sizeof best_scores);
        sync_state = copy.sync;
        fake.process_id = copy.process;
    }
    Copy& me() { return copies_[static_cast<std::size_t>(current_)]; }

    // ---- Faults ----
    // Most steps run clean; the others refuse some file operations (now and
    // then after doing them) or end the copy at one of them.
    void plan_faults() {
        now_ = StepState{};
        const unsigned level = choices_.pick(10);
        now_.fail_percent = level < 6 ? 0 : level < 8 ? 5 : level < 9 ? 30 : 100;
        now_.kill_at = choices_.pick(8) == 0 ? 1 + static_cast<int>(choices_.pick(40)) : 0;
        now_.faulty = now_.fail_percent > 0 || now_.kill_at > 0;
        fake.on_file_op = [this](FileOp op, const std::string& path) { return fault(op, path); };
        fake.on_sleep = [this] { interleave(); };
    }

    // While a copy waits between two tries (a lock held elsewhere, a refused
    // read or replacement), another copy may act: two copies at work at once.
    // It acts without faults of its own, and nobody acts while it waits.
    void interleave() {
        if (nested_ || interleaved_ || copies_.size() < 2 || choices_.pick(4) != 0) return;
        interleaved_ = true;
        const int self = current_;
        const int other = (self + 1 + static_cast<int>(choices_.pick(static_cast<unsigned>(copies_.size() - 1)))) %
                          static_cast<int>(copies_.size());
        const StepState saved = now_;
        nested_ = true;
        now_ = StepState{};
        fake.on_file_op = [this](FileOp op, const std::string& path) {
            if ((op == FileOp::REPLACE || op == FileOp::REWRITE) && path == settings_path) now_.touched_file = true;
            return Fault::NONE;
        };
        become(other);
        story_ << " [meanwhile copy " << other << ": ";
        try {
            act();
            if (me().alive && now_.touched_file && !sync_state.warned) check_copy_in_file(observed());
        } catch (const FatalErrorReported& error) {
            story_ << " -- error box";
            if (!kept_named_in(error.what()).empty()) keep_record();
            end_copy();
        }
        story_ << "]";
        become(self);
        now_ = saved;
        fake.on_file_op = [this](FileOp op, const std::string& path) { return fault(op, path); };
        nested_ = false;
    }
    Fault fault(FileOp op, const std::string& path) {
        if (++now_.operations == now_.kill_at) return Fault::KILL;
        // A folder is listed or not; that is no passing fault.
        if (op == FileOp::FIND || now_.fail_percent == 0 || choices_.pick(100) >= now_.fail_percent) {
            if ((op == FileOp::REPLACE || op == FileOp::REWRITE) && path == settings_path) now_.touched_file = true;
            return Fault::NONE;
        }
        // A rewrite in place that fails is taken as failed: that is the
        // weaker road of a folder where no file can be made.
        const bool commits = op == FileOp::REPLACE || op == FileOp::RENAME;
        if (commits && choices_.pick(4) == 0) {
            if (path == settings_path) now_.touched_file = true;
            return Fault::FAIL_AFTER;
        }
        return Fault::FAIL;
    }

    // ---- One step ----
    void step() {
        const int which = static_cast<int>(choices_.pick(static_cast<unsigned>(copies_.size())));
        become(which);
        plan_faults();
        fake.events.clear();
        fake.sleeps.clear();
        interleaved_ = reset_in_step_ = false;
        story_ << "copy " << which << (now_.faulty ? " (faults " + std::to_string(now_.fail_percent) + "%, end at " +
                                                     std::to_string(now_.kill_at) + ")"
                                               : "")
               << ": ";
        now_.kind = ' ';
        try {
            act();
            if (me().alive) story_ << (now_.touched_file && !sync_state.warned ? " -- written" : " -- not written");
        } catch (const CopyKilled&) {
            story_ << " -- ended by force";
            end_copy();
        } catch (const FatalErrorReported& error) {
            story_ << " -- error box";
            const std::string kept = kept_named_in(error.what());
            if (!kept.empty()) keep_record();
            end_copy();
        }
        fake.on_file_op = nullptr;
        fake.on_sleep = nullptr;
        story_ << "\n";
        check();
    }

    void act() {
        Copy& copy = me();
        if (!copy.alive) return start();
        if (copy.naming != 0) {
            if (choices_.pick(8) == 0) return exit_copy();  // the session ends while the name is asked
            return name_score();
        }
        switch (choices_.pick(12)) {
            case 0: case 1: case 2: case 3: return end_game();
            case 4: return reset();
            case 5: case 6: return change_settings();
            case 7: return change_options();
            case 8: return exit_copy();
            default: return end_game();
        }
    }

    // A new process: everything in memory starts from nothing.
    void start() {
        Copy& copy = me();
        copy = Copy{};
        copy.process = next_process_++;
        fake.process_id = copy.process;
        settings = GameSettings{};
        view_options = ViewOptions{};
        clear_best_scores();
        sync_state = SyncState{};
        story_ << "starts as process " << copy.process;
        now_.kind = 's';
        now_.kept_before_start = kept_on_disk();
        copy.alive = true;  // until the start fails
        try {
            load_settings();
        } catch (...) {
            copy.alive = false;
            throw;
        }
    }

    void end_game() {
        const int score = (100 + static_cast<int>(choices_.pick(900))) * 1000 + next_score_++ % 1000;
        story_ << "a game ends with " << score;
        now_.kind = 'g';
        now_.entering = score;
        now_.file_before = before_;
        now_.clean_table_before = me().sync.pending.empty() && kept_on_disk().empty();
        me().naming = insert_best_score(score) ? score : 0;
        now_.entered = me().naming != 0;
        if (now_.entered) me().owed.push_back(score);
        story_ << (now_.entered ? ", entered" : ", not entered");
    }

    void name_score() {
        const std::string name = choices_.pick(5) == 0 ? " " : "c" + std::to_string(current_) + "n" + std::to_string(next_name_++);
        story_ << "names " << me().naming << " '" << name << "'";
        now_.kind = 'n';
        const int score = me().naming;
        me().naming = 0;
        name_best_score(score, name.c_str());
    }

    void reset() {
        story_ << "resets the scores";
        now_.kind = 'r';
        reset_in_step_ = true;
        me().owed.clear();
        reset_best_scores();
    }

    void change_settings() {
        settings.colours = MIN_COLOURS + static_cast<int>(choices_.pick(MAX_COLOURS - MIN_COLOURS + 1));
        if (choices_.pick(2) == 0)  // one write a step: the language without the menu's own write
            settings.language_offset = settings.language_offset == LANGUAGE_ENGLISH ? LANGUAGE_FRENCH : LANGUAGE_ENGLISH;
        story_ << "chooses " << settings.colours << " colours, language " << settings.language_offset;
        now_.kind = 'c';
        save_settings();
    }

    void change_options() {
        view_options.show_groups = choices_.pick(2) == 0;
        view_options.symbols = choices_.pick(2) == 0;
        story_ << "options " << view_options.show_groups << view_options.symbols;
        now_.kind = 'o';
        save_settings();
    }

    void exit_copy() {
        story_ << "closes";
        now_.kind = 'x';
        now_.exit_settings = settings;
        now_.exit_options = view_options;
        save_settings_at_exit();
        check_copy_in_file(observed());
        end_copy();
    }

    void end_copy() {
        fake.close_open_files();
        for (auto it = fake.locks.begin(); it != fake.locks.end();)
            it = it->second == me().process ? fake.locks.erase(it) : std::next(it);
        me().alive = false;
        me().naming = 0;
        me().owed.clear();
    }

    // The kept file an error box names, if it is one that a later write takes in.
    static std::string kept_named_in(const std::string& message) {
        const std::string line = "\n" + utf8_from_cp1252(get_text(TXT_SCORES_KEPT_IN));
        const std::string::size_type at = message.find(line);
        if (at == std::string::npos) return "";
        const std::string name = message.substr(at + line.size());
        return name.size() > 5 && name.compare(name.size() - 5, 5, ".kept") == 0 ? name : "";
    }
    void keep_record() {
        kept_records_.push_back({me().process, next_order_++, now_.exit_settings, now_.exit_options, me().owed, false});
    }

    // The kept and applied files beside the settings file, by process id.
    std::map<std::uint32_t, std::string> kept_on_disk() const {
        std::map<std::uint32_t, std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            const std::string name = entry.path().filename().string();
            const bool kept = name.size() > 5 && name.compare(name.size() - 5, 5, ".kept") == 0;
            const bool applied = name.size() > 8 && name.compare(name.size() - 8, 8, ".applied") == 0;
            if (!kept && !applied) continue;
            std::stringstream parts(name.substr(std::string("Glimmets.ini.").size()));
            std::string number, process;
            std::getline(parts, number, '.');
            std::getline(parts, process, '.');
            if (!process.empty() && std::all_of(process.begin(), process.end(), ::isdigit))
                found[static_cast<std::uint32_t>(std::stoul(process))] = name;
        }
        return found;
    }

    FileState observed() const {
        FileState state;
        observe(state);
        return state;
    }
    void observe(FileState& state) const {
        state = FileState{};
        state.exists = std::filesystem::exists(settings_path);
        if (!state.exists) return;
        state.bytes = read_all(settings_path);
        parse_settings(state.bytes, state.content);
        for (int i = 0; i < used_entries(state.content.scores); ++i) state.scores.push_back(state.content.scores[i].score);
    }

    // ---- The checks ----
    void fail(const std::string& what) {
        if (failure_.empty()) failure_ = what;
    }

    // A score not in the file is only excused by 24 at least as good there.
    bool reached_or_pushed_out(const FileState& file, int score) const {
        if (std::count(file.scores.begin(), file.scores.end(), score) > 0) return true;
        return file.scores.size() == BEST_SCORE_COUNT &&
               *std::min_element(file.scores.begin(), file.scores.end()) >= score;
    }

    void check() {
        FileState now;
        observe(now);
        std::set<int> seen;
        for (int score : now.scores) {
            if (!seen.insert(score).second) fail("the file holds " + std::to_string(score) + " twice");
            if (gone_.count(score) != 0) fail(std::to_string(score) + " came back to the file after it left");
        }
        for (int score : before_.scores)
            if (seen.count(score) == 0) gone_.insert(score);

        Copy& copy = me();
        const bool wrote = copy.alive && now_.touched_file && !sync_state.warned;
        if (wrote) check_copy_in_file(now);
        if (now_.kind == 'g' && !now_.faulty && now_.clean_table_before) check_entry_decision();
        if (now_.kind == 's' && copy.alive && !now_.faulty) check_start_settings();
        check_kept_taken_in(now);
        before_ = now;
    }

    // A write that succeeded leaves this copy's settings, options and table
    // in the file, and with them the scores it entered since its last write.
    void check_copy_in_file(const FileState& now) {
        SettingsContent mine = program_content();
        if (format_settings(mine) != now.bytes) fail("after this copy's write the file differs from its memory:\n" + now.bytes);
        for (int score : me().owed)
            if (!reached_or_pushed_out(now, score)) fail(std::to_string(score) + " did not reach the file");
        me().owed.clear();
    }

    // With nothing waiting anywhere, a score enters exactly when the file
    // of that moment has room for it.
    void check_entry_decision() {
        const std::vector<int>& scores = now_.file_before.scores;
        const bool room = scores.size() < BEST_SCORE_COUNT ||
                          *std::min_element(scores.begin(), scores.end()) <= now_.entering;
        if (room != now_.entered) fail(std::string("the score was ") + (now_.entered ? "entered" : "refused") + " against the file");
    }

    // A copy that starts while kept files wait takes the settings and
    // options of the last copy that closed without writing.
    void check_start_settings() {
        // One already taken in but not yet removed makes the order unclear.
        for (const auto& kept : now_.kept_before_start)
            if (kept.second.find(".applied") != std::string::npos) return;
        const KeptRecord* newest = nullptr;
        for (const KeptRecord& record : kept_records_)
            if (now_.kept_before_start.count(record.process) != 0 && (newest == nullptr || record.order > newest->order))
                newest = &record;
        if (newest == nullptr) return;
        if (std::memcmp(&settings, &newest->settings, sizeof settings) != 0 ||
            view_options.show_groups != newest->options.show_groups || view_options.symbols != newest->options.symbols)
            fail("the starting copy did not take the settings of process " + std::to_string(newest->process) +
                 ", the last to close without writing: " + std::to_string(settings.colours) + " colours for " +
                 std::to_string(newest->settings.colours) + ", language " + std::to_string(settings.language_offset) +
                 " for " + std::to_string(newest->settings.language_offset));
    }

    // Once a kept file is gone, its scores are in the file, unless a reset
    // took it in and cleared it at once, or 24 better ones pushed them out.
    void check_kept_taken_in(const FileState& now) {
        if (reset_in_step_)
            for (KeptRecord& record : kept_records_) record.maybe_reset = true;
        const std::map<std::uint32_t, std::string> on_disk = kept_on_disk();
        for (auto record = kept_records_.begin(); record != kept_records_.end();) {
            if (on_disk.count(record->process) != 0) {
                ++record;
                continue;
            }
            if (!record->maybe_reset)
                for (int score : record->owed)
                    if (!reached_or_pushed_out(now, score))
                        fail(std::to_string(score) + " of a kept file did not reach the file");
            record = kept_records_.erase(record);
        }
    }

    Choices& choices_;
    std::string folder_;
    std::vector<Copy> copies_;
    int current_ = -1;
    std::uint32_t next_process_ = 100;
    int next_score_ = 0, next_name_ = 0, next_order_ = 0;

    // What one step of one copy planned and did; a copy that acts while
    // another waits has its own.
    struct StepState {
        unsigned fail_percent = 0;
        int kill_at = 0, operations = 0;
        bool touched_file = false, faulty = false;
        char kind = ' ';
        int entering = 0;
        bool entered = false, clean_table_before = false;
        FileState file_before;
        GameSettings exit_settings{};
        ViewOptions exit_options{};
        std::map<std::uint32_t, std::string> kept_before_start;
    };
    StepState now_;
    bool nested_ = false;
    bool interleaved_ = false;  // a copy acted while this step's copy waited
    bool reset_in_step_ = false;
    std::vector<KeptRecord> kept_records_;

    FileState before_;
    std::set<int> gone_;
    std::string failure_;
    std::ostringstream story_;
};

}  // namespace

std::string run_shared_file_model(Choices& choices, const std::string& folder, int copies, int steps) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
    Model model(choices, folder, copies);
    return model.run(steps);
}
