// The rules of the settings dialog, kept apart from its controls so that they
// can be checked without a window: what an arrow press writes into its edit
// box, and what OK does with the values read from the dialog. The shell only
// reads and writes the controls and carries out the outcome.
#pragma once

// What one of the three number fields held when it was read (the dialog
// reads them as unsigned decimals; letters, signs or an empty field are
// not a number).
struct SettingsField {
    bool is_number;
    unsigned value;
};

// Everything the player can choose in the dialog, as read at OK.
struct SettingsChoice {
    SettingsField columns;
    SettingsField rows;
    SettingsField colours;
    bool sound;
    bool round;               // the round-stones button is ticked
    bool size_ticked[4];      // the 15, 18, 21 and 24 pixel buttons
};

// What the shell has to do once the choice is stored.
struct SettingsOutcome {
    bool reload_pictures;  // the form or the stone size changed
    bool post_new_game;    // no game is running: deal the new grid at once
};

// Reads a number field's text as an unsigned decimal: spaces around it are
// allowed, anything else but digits (a sign, letters, nothing at all) is not
// a number. Too many digits stay a number and read as the largest value, so
// the bounds then bring it down. Parsed here rather than by the system, whose
// readers differ (some take "-3" as 4294967293 or "1x" as 1).
SettingsField parse_settings_field(const char* text);

// The stone sizes offered by the four size buttons, in their order.
constexpr int STONE_SIZES[4] = {15, 18, 21, 24};

// The value an arrow press writes into the edit box bound to the arrow
// control `arrows_id` (one of the three arrow controls): the box's number,
// or 0 when it holds no number, plus the press's `delta`, kept within the
// bounds of that setting.
int arrow_step(int arrows_id, const SettingsField& edit, int delta);

// The edit box an arrow control is bound to.
int arrows_edit_box(int arrows_id);

// Stores the choice: the grid into the pending dimensions (it is dealt by
// the next new game), the colours, the sound, the form and the stone size
// into the live settings, then writes the settings file. Out-of-range numbers
// are brought into their bounds; a field that holds no number leaves its
// setting as it was.
SettingsOutcome apply_settings_choice(const SettingsChoice& choice);
