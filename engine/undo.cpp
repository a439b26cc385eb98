// The undo history: ten slots of packed snapshots, of which at most nine are
// held; the tenth receives a new snapshot before the oldest is dropped. A
// snapshot keeps the playing area two cells to a byte, column by column,
// rows in pairs (1, 2), (3, 4) ... with the first row of the pair in the high
// half. An odd R pairs row R with the bottom sentinel row, which holds 0.
// Four bits keep the codes 0..6; empty (126) is stored as 14, and every
// half-byte above 6 comes back as empty.
#include "engine/undo.h"

#include <cstring>
#include <new>

#include "engine/sound.h"
#include "engine/board.h"
#include "storage/game_settings.h"

UndoStore undo_store;

namespace {

constexpr std::uint8_t LOW_HALF = 0x0F;
constexpr std::uint8_t HIGHEST_KEPT_CODE = 6;

std::size_t needed_slot_size() {
    const std::size_t c = static_cast<std::size_t>(settings.columns);
    const std::size_t r = static_cast<std::size_t>(settings.rows);
    return c * r + c;
}

std::uint8_t* slot(int k) { return undo_store.block + static_cast<std::size_t>(k) * undo_store.slot_size; }

std::uint8_t unpacked(int half) { return half <= HIGHEST_KEPT_CODE ? static_cast<std::uint8_t>(half) : CELL_EMPTY; }

// C and R only change in new_game, which releases the store; a store of
// another size would be written past its end, so it is made anew instead.
bool ensure_block() {
    if (undo_store.block != nullptr && undo_store.slot_size == needed_slot_size()) return true;
    release_undo_store();
    const std::size_t size = needed_slot_size();
    std::uint8_t* block = new (std::nothrow) std::uint8_t[UNDO_SLOTS * size];
    if (block == nullptr) return false;  // no history this time; a later save tries again
    std::memset(block, 0, UNDO_SLOTS * size);
    undo_store.block = block;
    undo_store.slot_size = size;
    undo_store.count = 0;
    return true;
}

void pack(std::uint8_t* out) {
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; y += 2) {
            const int high = board.cells[x][y] & LOW_HALF;
            const int low = board.cells[x][y + 1] & LOW_HALF;
            *out++ = static_cast<std::uint8_t>(high << 4 | low);
        }
}

void unpack(const std::uint8_t* in) {
    for (int x = 1; x <= settings.columns; ++x)
        for (int y = 1; y <= settings.rows; y += 2) {
            board.cells[x][y] = unpacked(*in >> 4);
            board.cells[x][y + 1] = unpacked(*in & LOW_HALF);
            ++in;
        }
}

}  // namespace

bool stage_snapshot() {
    undo_store.staged = false;
    if (!ensure_block()) return false;
    pack(slot(undo_store.count));
    undo_store.staged = true;
    return true;
}

void commit_staged_snapshot() {
    if (!undo_store.staged) return;
    undo_store.staged = false;
    if (++undo_store.count < UNDO_SLOTS) return;
    std::memmove(slot(0), slot(1), UNDO_MAX_HELD * undo_store.slot_size);
    undo_store.count = UNDO_MAX_HELD;
}

int restore_staged_snapshot() {
    if (!undo_store.staged) return 1;
    undo_store.staged = false;
    play_sound(SOUND_UNDO);
    unpack(slot(undo_store.count));
    return 0;
}

void save_snapshot() {
    if (stage_snapshot()) commit_staged_snapshot();
}

int restore_snapshot() {
    undo_store.staged = false;
    if (undo_store.count == 0) {
        play_sound(SOUND_REFUSED);
        return 1;
    }
    --undo_store.count;
    play_sound(SOUND_UNDO);
    unpack(slot(undo_store.count));
    return 0;
}

void release_undo_store() {
    delete[] undo_store.block;
    undo_store.block = nullptr;
    undo_store.slot_size = 0;
    undo_store.count = 0;
    undo_store.staged = false;
}
