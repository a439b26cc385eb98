// The undo history: up to nine packed snapshots of the playing area.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int UNDO_SLOTS = 10;
constexpr int UNDO_MAX_HELD = 9;

struct UndoStore {
    std::uint8_t* block;     // UNDO_SLOTS slots, null until the first save
    int count;               // snapshots held, 0..9; also the next slot to write
    std::size_t slot_size;   // C * R + C bytes, fixed when the block is created
};

extern UndoStore undo_store;

void save_snapshot();
int restore_snapshot();  // 1 when there was nothing to undo, else 0
void release_undo_store();
