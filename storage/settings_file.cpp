// Placeholder until the settings file lands.
#include "storage/settings_file.h"
#include "storage/game_settings.h"
GameSettings settings;
std::string settings_path;
std::string help_path;
std::string& replace_extension(std::string& path, const char*) { return path; }
void init_paths() {}
std::int64_t file_exists(const char*) { return 0; }
PlatformFile* open_file_or_die(const char*, const char*) { return nullptr; }
void read_settings(const char*) {}
void write_settings(const char*) {}
