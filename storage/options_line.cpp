// The view's options in the settings file: "options=N" (the key is a text of
// the string table, the same in both languages), N holding one bit per option.
#include "storage/options_line.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "storage/game_settings.h"
#include "storage/texts.h"

ViewOptions view_options;

namespace {

constexpr int SHOW_GROUPS_BIT = 1;
constexpr int SYMBOLS_BIT = 2;
constexpr int LINE_SIZE = 64;

// The key is the text up to its "=": "options=%d" gives "options=".
bool starts_with_key(const char* line, const char** value) {
    const char* key = get_text(TXT_KEY_OPTIONS);
    const char* equals = std::strchr(key, '=');
    if (equals == nullptr) return false;
    const std::size_t length = static_cast<std::size_t>(equals - key) + 1;
    if (std::strncmp(line, key, length) != 0) return false;
    *value = line + length;
    return true;
}

}  // namespace

void read_options_line(const char* line) {
    view_options = ViewOptions{};
    const char* value = nullptr;
    if (line == nullptr || !starts_with_key(line, &value)) return;
    // Only two bits count, so a damaged number can turn nothing else on; its
    // first nine digits are read, which no int overflows on.
    int bits = 0;
    for (int digits = 0; *value >= '0' && *value <= '9' && digits < 9; ++value, ++digits)
        bits = bits * 10 + (*value - '0');
    view_options.show_groups = (bits & SHOW_GROUPS_BIT) != 0;
    view_options.symbols = (bits & SYMBOLS_BIT) != 0;
}

bool write_options_line(PlatformFile* file) {
    const int bits = (view_options.show_groups ? SHOW_GROUPS_BIT : 0) | (view_options.symbols ? SYMBOLS_BIT : 0);
    if (bits == 0) return true;
    char line[LINE_SIZE];
    const int length = std::snprintf(line, sizeof line - 2, get_text(TXT_KEY_OPTIONS), bits);
    if (length < 0) return false;
    std::size_t size = static_cast<std::size_t>(length) < sizeof line - 3 ? static_cast<std::size_t>(length) : sizeof line - 3;
    line[size++] = '\r';
    line[size++] = '\n';
    return platform_file_write(file, line, size);
}
