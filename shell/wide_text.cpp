// Text helpers of the Win32 shell. The string table hands out Western
// European (cp1252) bytes; every text that reaches the screen goes through
// the wide API after an explicit cp1252 conversion, so accents show right
// whatever ANSI code page the system runs with.
#include "shell/shell.h"

namespace {
constexpr UINT WESTERN_EUROPEAN = 1252;
}

std::wstring widen(const char* text) {
    if (text == nullptr || *text == '\0') return std::wstring();
    int length = MultiByteToWideChar(WESTERN_EUROPEAN, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(WESTERN_EUROPEAN, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));  // drop the terminator
    return wide;
}

std::string narrow(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') return std::string();
    int length = WideCharToMultiByte(WESTERN_EUROPEAN, 0, text, -1, nullptr, 0, "?", nullptr);
    if (length <= 1) return std::string();
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(WESTERN_EUROPEAN, 0, text, -1, &bytes[0], length, "?", nullptr);
    bytes.resize(static_cast<std::size_t>(length - 1));
    return bytes;
}

void set_window_text(HWND window, const char* text) {
    SetWindowTextW(window, widen(text).c_str());
}

void set_item_text(HWND dialog, int control, const char* text) {
    SetDlgItemTextW(dialog, control, widen(text).c_str());
}
