// The four fields of the status bar as the controller writes them.
#pragma once

enum StatusField : int {
    STATUS_CLOCK = 0,
    STATUS_TOTAL = 1,
    STATUS_REMAINING = 2,
    STATUS_PLAYABLE = 3,  // or the end-of-game text
    STATUS_GROUP = 4,     // the size of the group shown, only while groups are shown
};

void show_status_number(StatusField field, int value);
// Minutes, an apostrophe and the seconds on two digits: 75 s reads 1'15.
void show_status_clock(int seconds);
