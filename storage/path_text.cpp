// Conversions of path text between UTF-8, UTF-16 and code page 1252, and the
// long form of a path for the system's wide file calls. Standard C++ only: the
// door calls these at the edge, and they are tested natively.
#include "storage/path_text.h"

#include <cstdint>

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

bool is_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code point that starts at text[i], advancing i past it; a byte that
// starts no valid sequence gives U+FFFD and is passed alone.
char32_t next_code_point(const std::string& text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    std::uint8_t lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 1) {
        ++i;
        return lead;
    }
    char32_t c = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool valid = length != 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
        std::uint8_t next = byte(i + static_cast<std::size_t>(k));
        valid = (next & 0xC0) == 0x80;
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, encoded surrogates and values past U+10FFFF are refused.
    static const char32_t SMALLEST[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || c < SMALLEST[length] || c > 0x10FFFF || is_surrogate(c)) {
        ++i;
        return REPLACEMENT;
    }
    i += static_cast<std::size_t>(length);
    return c;
}

void append_utf8(std::string& out, char32_t c) {
    char bytes[4];
    std::size_t length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    static const unsigned char LEAD[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (std::size_t k = length - 1; k > 0; --k, c >>= 6) bytes[k] = static_cast<char>(0x80 | (c & 0x3F));
    bytes[0] = static_cast<char>(LEAD[length] | c);
    out.append(bytes, length);
}

// Code page 1252 from 0x80 to 0x9F; the rest of the page is Latin-1.
const char16_t CP1252_HIGH_CONTROLS[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }
bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

std::u16string with_backslashes(std::u16string path) {
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    return path;
}

}  // namespace

std::u16string utf16_from_utf8(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = next_code_point(text, i);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        }
    }
    return out;
}

std::string utf8_from_utf16(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (is_surrogate(c)) {
            c = REPLACEMENT;
        }
        append_utf8(out, c);
    }
    return out;
}

std::string utf8_from_cp1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char byte : text) {
        auto b = static_cast<std::uint8_t>(byte);
        append_utf8(out, b >= 0x80 && b < 0xA0 ? CP1252_HIGH_CONTROLS[b - 0x80] : b);
    }
    return out;
}

std::u16string long_path_form(const std::u16string& path) {
    bool drive = path.size() >= 3 && is_letter(path[0]) && path[1] == u':' && is_separator(path[2]);
    if (drive) return u"\\\\?\\" + with_backslashes(path);
    bool two_separators = path.size() >= 3 && is_separator(path[0]) && is_separator(path[1]);
    if (!two_separators) return path;  // relative: the system resolves it as it is
    // "\\?\..." and "\\.\..." are already in a device form.
    if ((path[2] == u'?' || path[2] == u'.') && (path.size() == 3 || is_separator(path[3]))) return path;
    return u"\\\\?\\UNC\\" + with_backslashes(path.substr(2));
}
