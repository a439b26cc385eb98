// Where the settings and help files live (beside the program, named after it)
// and the small file helpers the settings file uses: existence, and opening
// a file or ending the program with the error box when that is impossible.
#include <string>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/texts.h"

std::string settings_path;
std::string help_path;

namespace {

constexpr std::string::size_type MAX_EXTENSION_LENGTH = 3;

bool is_path_separator(char c) { return c == '\\' || c == '/'; }

// The dot that starts the file name's extension, or npos. A dot in a folder
// name is not an extension: taking it for one would put the settings file in
// another folder than the program's.
std::string::size_type extension_dot(const std::string& path) {
    std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos) return dot;
    for (std::string::size_type i = dot + 1; i < path.size(); ++i)
        if (is_path_separator(path[i])) return std::string::npos;
    return path.size() - dot - 1 <= MAX_EXTENSION_LENGTH ? dot : std::string::npos;
}

char to_lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string& replace_extension(std::string& path, const char* extension) {
    std::string::size_type dot = extension_dot(path);
    if (dot != std::string::npos)
        path.resize(dot + 1);
    else
        path += '.';
    for (std::string::size_type i = 0; extension[i] != '\0' && i < MAX_EXTENSION_LENGTH; ++i)
        path += to_lower_ascii(extension[i]);
    return path;
}

void init_paths() {
    // The whole path, however long: a cut path could name a file elsewhere.
    settings_path = platform_module_path();
    replace_extension(settings_path, "INI");
    help_path = settings_path;
    replace_extension(help_path, "HLP");
}

std::int64_t file_exists(const char* path) { return platform_file_exists(path); }

void report_file_error(const char* path, const char* kept) {
    // The path may be in any script: the message is UTF-8 throughout.
    std::string message = utf8_from_cp1252("Erreur \xE0 l'ouverture du fichier : ");
    message += path;
    if (kept != nullptr) {
        message += "\n";
        message += utf8_from_cp1252(get_text(TXT_SCORES_KEPT_IN));
        message += kept;
    }
    std::string caption = utf8_from_cp1252(get_text(TXT_ERROR_CAPTION));
    platform_fatal_error(message.c_str(), caption.c_str());
}

PlatformFile* open_file_or_die(const char* path, const char* mode) {
    PlatformFile* file = platform_file_open(path, mode);
    if (file == nullptr) report_file_error(path);
    return file;
}
