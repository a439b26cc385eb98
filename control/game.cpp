// The game controller: what a press on the board, an undo, a new game and a
// clock tick do to the current game, and the status fields that show it.
// The engine draws during a move; the controller asks for a draw only after
// a new game and an undo.
#include "control/game.h"

#include "control/board_overlay.h"
#include "control/game_status.h"
#include "engine/sound.h"
#include "engine/board.h"
#include "engine/hint.h"
#include "engine/moves.h"
#include "engine/undo.h"
#include "platform/platform.h"
#include "storage/game_settings.h"
#include "storage/settings_sync.h"

CurrentGame game;

namespace {

constexpr unsigned BEEP_EXCLAMATION = 0x30;

void start_clock_on_first_press() {
    if (game.state >= GAME_RUNNING) return;
    game.state = GAME_RUNNING;
    game.clock_timer = platform_start_clock();
}

bool on_grid(Cell cell) {
    return cell.column >= 1 && cell.column <= settings.columns && cell.row >= 1 &&
           cell.row <= settings.rows;
}

// A lone stone: the board saved just before the fill comes back and the
// history is left exactly as it was, also when it held nine snapshots.
void refuse_lone_stone(Cell cell, std::uint8_t code) {
    play_sound(SOUND_REFUSED);
    // Without memory for a snapshot, the one zeroed cell is all there is to put back.
    if (restore_staged_snapshot() != 0) board.cells[cell.column][cell.row] = code;
}

void play_move() {
    burst_marked();
    settle_board();
    if (settings.form != 0) roll_stones();
    const int playable = count_playable();
    if (playable != 0)
        show_status_number(STATUS_PLAYABLE, playable);
    else
        end_game();
}

// The controller's own part of a new game, around the engine's deal: the
// clock at zero, waiting for the first press; then the window laid out for
// the board and the board drawn.
void before_deal() {
    game.seconds = 0;
    game.state = GAME_NOT_STARTED;
    forget_marked_group();
}

// A deal with the settings' grid applies the one chosen in the settings
// dialog: the file follows it.
void keep_grid_choice(const GameSettings& before) {
    if (settings.columns != before.columns || settings.rows != before.rows) save_settings();
}

void show_dealt_board() {
    platform_layout_window();  // ends with show_new_game_status
    platform_draw_board();
}

}  // namespace

void on_new_game() {
    const GameSettings before = settings;
    before_deal();
    new_game();
    keep_grid_choice(before);
    show_dealt_board();
}

void on_restart() {
    before_deal();
    deal_again();
    show_dealt_board();
}

void on_board_number(std::uint32_t number) {
    const GameSettings before = settings;
    before_deal();
    new_game_with_seed(number);
    keep_grid_choice(before);
    show_dealt_board();
}

// A hint reads the game and changes nothing in it: not the clock, which a
// first press would start, nor the generator. The wait cursor shows while
// a search runs; a hint kept for the position comes without one.
void on_hint() {
    int column = 0, row = 0;
    bool found = false;
    if (game.state <= GAME_RUNNING) {
        const bool searching = !hint_kept();
        if (searching) platform_begin_busy();
        found = find_hint(column, row);
        if (searching) platform_end_busy();
    }
    if (!found) {
        play_sound(SOUND_REFUSED);
        return;
    }
    mark_group_at(Cell{column, row});
}

void show_new_game_status() {
    game.total = settings.columns * settings.rows;
    game.remaining = game.total;
    show_status_number(STATUS_TOTAL, game.total);
    show_status_number(STATUS_REMAINING, game.remaining);
    show_status_number(STATUS_PLAYABLE, count_playable());
    forget_group_field();  // the status bar is new: its group field is empty
}

Cell hit_test(std::uint16_t x, std::uint16_t y) {
    // Cells are as large as they are drawn, which follows the screen's scale.
    // A side of 0 means no pictures were ever made; no cell then.
    const int side = platform_stone_side();
    if (side <= 0) return Cell{BOARD_SPAN, BOARD_SPAN};
    return Cell{x / side + 1, y / side + 1};
}

// A press is also a move of the pointer: it hides the keyboard cursor.
void on_board_click(std::uint16_t x, std::uint16_t y) {
    on_pointer_moved(x, y);
    on_cell_press(hit_test(x, y));
}

void on_cell_press(Cell cell) {
    if (game.state > GAME_RUNNING) return;
    start_clock_on_first_press();
    if (!on_grid(cell) || !is_colour(board.cells[cell.column][cell.row])) {
        play_sound(SOUND_REFUSED);
        return;
    }
    const std::uint8_t code = board.cells[cell.column][cell.row];
    clear_marks();
    stage_snapshot();
    mark_group(code, cell.column, cell.row);
    const int group = count_marks();
    if (group == 1) {
        refuse_lone_stone(cell, code);
        return;
    }
    commit_staged_snapshot();
    forget_marked_group();  // the move draws the board next
    game.remaining -= group;
    show_status_number(STATUS_REMAINING, game.remaining);
    play_move();
}

void on_undo() {
    if (restore_snapshot() != 0) {
        // Heard even with sound effects off: it is the system's beep, not one of ours.
        platform_beep(BEEP_EXCLAMATION);
        return;
    }
    forget_marked_group();
    platform_draw_board();
    show_status_number(STATUS_PLAYABLE, count_playable());
    game.remaining = count_remaining();
    show_status_number(STATUS_REMAINING, game.remaining);
}

void on_clock_tick() {
    if (game.state != GAME_RUNNING) return;
    ++game.seconds;
    show_status_clock(game.seconds);
}
