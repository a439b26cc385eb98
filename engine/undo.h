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
    bool staged;             // slot `count` holds a snapshot not yet in the history
};

extern UndoStore undo_store;

void save_snapshot();
int restore_snapshot();  // 1 when there was nothing to undo, else 0
void release_undo_store();

// A save in two steps, so that a move found to be refused can be taken back
// without touching the history. stage_snapshot packs the playing area into
// the slot after the newest one (the spare tenth slot when nine are held);
// false when there was no memory for the store. commit_staged_snapshot adds
// it to the history, dropping the oldest beyond nine. restore_staged_snapshot
// writes it back (with the undo sound) and forgets it: 1 when nothing was staged.
bool stage_snapshot();
void commit_staged_snapshot();
int restore_staged_snapshot();
