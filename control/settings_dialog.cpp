// The settings dialog's decisions: the bounds an arrow press stops at, and
// what OK stores and asks for. Numbers arrive as the dialog reads them,
// unsigned and unchecked, so every value is brought into its bounds here
// before it can reach the grid or the dealer.
#include "control/settings_dialog.h"

#include <cstdint>
#include <limits>

#include "control/game.h"
#include "engine/board.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/settings_sync.h"

namespace {

struct Bounds {
    int low;
    int high;
};

Bounds bounds_of_arrows(int arrows_id) {
    if (arrows_id == IDC_COLOURS_ARROWS) return {MIN_COLOURS, MAX_COLOURS};
    return {MIN_GRID_SIDE, MAX_GRID_SIDE};
}

// Computed in 64 bits: a typed number can be as large as an unsigned holds,
// and it must come out at the upper bound rather than wrap to a negative.
int clamp(std::int64_t value, Bounds bounds) {
    if (value > bounds.high) return bounds.high;
    if (value < bounds.low) return bounds.low;
    return static_cast<int>(value);
}

int field_or(const SettingsField& field, Bounds bounds, int unchanged) {
    if (!field.is_number) return unchanged;
    return clamp(field.value, bounds);
}

// The last ticked button wins, as the buttons are tested in order; with none
// ticked the size stays as it is.
int chosen_stone_size(const bool (&ticked)[4], int current) {
    int size = current;
    for (int i = 0; i < 4; ++i)
        if (ticked[i]) size = STONE_SIZES[i];
    return size;
}

}  // namespace

int arrows_edit_box(int arrows_id) { return arrows_id - (IDC_COLUMNS_ARROWS - IDC_COLUMNS_EDIT); }

int arrow_step(int arrows_id, const SettingsField& edit, int delta) {
    std::int64_t start = edit.is_number ? edit.value : 0;
    return clamp(start + delta, bounds_of_arrows(arrows_id));
}

SettingsOutcome apply_settings_choice(const SettingsChoice& choice) {
    Bounds grid{MIN_GRID_SIDE, MAX_GRID_SIDE};
    // A field without a number keeps the grid's current side, so the next
    // new game deals that side again rather than an incomplete pair.
    pending_dimensions.columns = field_or(choice.columns, grid, settings.columns);
    pending_dimensions.rows = field_or(choice.rows, grid, settings.rows);
    settings.colours = field_or(choice.colours, {MIN_COLOURS, MAX_COLOURS}, settings.colours);
    settings.sound = choice.sound ? 1 : 0;

    SettingsOutcome outcome{false, false};
    int form = choice.round ? 1 : 0;
    int size = chosen_stone_size(choice.size_ticked, settings.stone_size);
    if (form != settings.form || size != settings.stone_size) {
        settings.form = form;
        settings.stone_size = size;
        outcome.reload_pictures = true;
    }
    outcome.post_new_game = game.state != GAME_RUNNING;
    save_settings();
    return outcome;
}

SettingsField parse_settings_field(const char* text) {
    constexpr unsigned LARGEST = std::numeric_limits<unsigned>::max();
    const char* p = text;
    while (*p == ' ') ++p;
    const char* digits = p;
    std::uint64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > LARGEST) value = LARGEST;
    }
    bool has_digits = p != digits;
    while (*p == ' ') ++p;
    if (!has_digits || *p != '\0') return SettingsField{false, 0};
    return SettingsField{true, static_cast<unsigned>(value)};
}
