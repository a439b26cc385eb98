// The view's options in the settings file: "options=N" (the key is a text of
// the string table, the same in both languages), N holding one bit per option.
#include "storage/format_text.h"
#include "storage/options_line.h"

#include <cstring>

#include "resources/resource_ids.h"
#include "storage/texts.h"

ViewOptions view_options;

namespace {

constexpr int SHOW_GROUPS_BIT = 1;
constexpr int SYMBOLS_BIT = 2;
constexpr int MAX_DIGITS = 3;

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

bool is_line_end(const char* text) {
    return std::strcmp(text, "") == 0 || std::strcmp(text, "\n") == 0 || std::strcmp(text, "\r\n") == 0;
}

}  // namespace

ViewOptions parse_options_line(const char* line) {
    const char* value = nullptr;
    if (line == nullptr || !starts_with_key(line, &value)) return ViewOptions{};
    int bits = 0, digits = 0;
    for (; *value >= '0' && *value <= '9'; ++value, ++digits) {
        if (digits == MAX_DIGITS) return ViewOptions{};
        bits = bits * 10 + (*value - '0');
    }
    if (digits == 0 || !is_line_end(value)) return ViewOptions{};
    return ViewOptions{(bits & SHOW_GROUPS_BIT) != 0, (bits & SYMBOLS_BIT) != 0};
}

std::string format_options_line(const ViewOptions& options) {
    const int bits = (options.show_groups ? SHOW_GROUPS_BIT : 0) | (options.symbols ? SYMBOLS_BIT : 0);
    if (bits == 0) return std::string();
    char line[64];
    format_text(line, sizeof line, get_text(TXT_KEY_OPTIONS), bits);
    return std::string(line) + "\r\n";
}
