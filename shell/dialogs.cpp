// Placeholder dialogs until the real ones land: each box ends at once.
#include "platform/platform.h"
#include "shell/shell.h"

INT_PTR CALLBACK settings_dialog_proc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK about_dialog_proc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void show_best_scores() {}
void platform_show_congratulations(const char*, const char*) {}
int platform_ask_player_name(char*) { return 0; }
