// The text of file paths as it crosses the door. Inside the program a path is
// UTF-8, whatever the system's code page, so a folder named in any script
// survives; the Win32 door turns it into UTF-16 for the wide file calls, in
// the long form that lifts the 260-character limit, and turns the program's
// own path back into UTF-8. The string table's texts are Western European
// bytes: a message that joins one of them with a path is made UTF-8 first.
#pragma once

#include <string>

// UTF-8 to UTF-16. Bytes that form no valid sequence (a stray continuation
// byte, a cut or overlong sequence, an encoded surrogate) each become U+FFFD.
std::u16string utf16_from_utf8(const std::string& text);

// UTF-16 to UTF-8. A surrogate without its partner becomes U+FFFD.
std::string utf8_from_utf16(const std::u16string& text);

// Western European (code page 1252) bytes to UTF-8; the five bytes that the
// code page leaves undefined keep their own value, as the system maps them.
std::string utf8_from_cp1252(const std::string& text);

// The form of an absolute path that the system's wide file calls take at any
// length: "C:\a" gives "\\?\C:\a" and "\\server\share\a" gives
// "\\?\UNC\server\share\a", with forward slashes turned into backslashes (the
// long form takes the name literally). A path already in that form, or one
// that is not absolute, is returned as it is.
std::u16string long_path_form(const std::u16string& path);
