// The door's file functions on Win32: the program's own path, the existence
// test of the settings file, the stream operations with which the settings
// file is read, written beside its old copy and swapped into place, the
// listing of the files kept beside it, and the lock between copies.
//
// Paths come from the core in UTF-8 and go to the wide (UTF-16) calls in
// their long form, so a folder named in any script, on any system code page,
// and a path past 260 characters work alike.
#include <io.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/shell.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"

struct PlatformFile {
    std::FILE* stream;
};

namespace {

// UTF-16 both: wchar_t is 16 bits wide on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide characters are UTF-16 units");
std::wstring to_wide(const std::u16string& text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
std::u16string to_u16(const std::wstring& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// Attributes a replaced settings file hands on to its successor.
constexpr DWORD KEPT_ATTRIBUTES = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::wstring wide_path(const char* path) {
    return to_wide(long_path_form(utf16_from_utf8(path)));
}

std::wstring widen_utf8(const char* text) { return to_wide(utf16_from_utf8(text)); }

std::string viewer_help_path() {
    // The help viewer takes an ANSI path of ordinary length: the short (8.3)
    // form of the help path has neither letters outside the code page nor
    // long folder names, where the volume keeps short names.
    std::wstring full = wide_path(help_path.c_str());
    std::wstring shortened(full.size() + 1, L'\0');
    DWORD length = GetShortPathNameW(full.c_str(), &shortened[0], static_cast<DWORD>(shortened.size()));
    if (length == 0 || length >= shortened.size()) shortened = full;  // no file, or no short names
    else shortened.resize(length);
    // Back from the long form, which the viewer does not take.
    const std::wstring unc = L"\\\\?\\UNC\\", local = L"\\\\?\\";
    if (shortened.compare(0, unc.size(), unc) == 0) shortened.replace(0, unc.size(), L"\\\\");
    else if (shortened.compare(0, local.size(), local) == 0) shortened.erase(0, local.size());
    int size = WideCharToMultiByte(CP_ACP, 0, shortened.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, shortened.c_str(), -1, &ansi[0], size, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(size - 1));
    return ansi;
}

const char* platform_module_path() {
    // The path is taken whole however long: the buffer grows until it fits.
    static std::string path;
    std::wstring wide;
    DWORD capacity = MAX_PATH;
    for (;;) {
        wide.assign(capacity, L'\0');
        DWORD length = GetModuleFileNameW(nullptr, &wide[0], capacity);
        if (length == 0) { wide.clear(); break; }
        if (length < capacity) { wide.resize(length); break; }
        if (capacity >= 65536) { wide.resize(length); break; }  // longer than any Windows path
        capacity *= 2;
    }
    path = utf8_from_utf16(to_u16(wide));
    return path.c_str();
}

std::int64_t platform_file_exists(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide_path(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    std::uint64_t stamp = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
    if (stamp == 0) return -1;  // exists, but its stamp would read as "missing"
    return static_cast<std::int64_t>(stamp & 0x7fffffffffffffffULL);
}

PlatformFile* platform_file_open(const char* path, const char* mode) {
    std::FILE* stream = _wfopen(wide_path(path).c_str(), widen(mode).c_str());
    if (stream == nullptr) return nullptr;
    PlatformFile* file = new (std::nothrow) PlatformFile{stream};
    if (file == nullptr) std::fclose(stream);
    return file;
}

bool platform_file_read(PlatformFile* file, void* buffer, std::size_t size, std::size_t* got) {
    *got = std::fread(buffer, 1, size, file->stream);
    return std::ferror(file->stream) == 0;
}

bool platform_file_write(PlatformFile* file, const void* data, std::size_t size) {
    return std::fwrite(data, 1, size, file->stream) == size;
}

bool platform_file_flush(PlatformFile* file) {
    return std::fflush(file->stream) == 0 && _commit(_fileno(file->stream)) == 0;
}

bool platform_file_close(PlatformFile* file) {
    bool closed = std::fclose(file->stream) == 0;
    delete file;
    return closed;
}

bool platform_file_replace(const char* from, const char* to) {
    std::wstring source = wide_path(from), target = wide_path(to);
    // A file put in place by a rename keeps its own attributes, not those of
    // the file it replaces: a hidden settings file would come back visible.
    DWORD old_attributes = GetFileAttributesW(target.c_str());
    if (old_attributes != INVALID_FILE_ATTRIBUTES && (old_attributes & KEPT_ATTRIBUTES) != 0) {
        DWORD new_attributes = GetFileAttributesW(source.c_str());
        if (new_attributes == INVALID_FILE_ATTRIBUTES ||
            !SetFileAttributesW(source.c_str(), new_attributes | (old_attributes & KEPT_ATTRIBUTES)))
            return false;
    }
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool platform_file_rename(const char* from, const char* to) {
    return MoveFileExW(wide_path(from).c_str(), wide_path(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool platform_file_rewrite(const char* path, const void* data, std::size_t size) {
    // Shared with the lock this program may hold on the file in such a folder.
    HANDLE file = CreateFileW(wide_path(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool done = size <= MAXDWORD && WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) &&
                      written == size && SetEndOfFile(file) && FlushFileBuffers(file);
    return CloseHandle(file) && done;
}

bool platform_file_remove(const char* path) {
    const std::wstring wide = wide_path(path);
    if (DeleteFileW(wide.c_str())) return true;
    // A read-only file (a kept file a player or a copy tool marked so) is
    // only refused for its attribute.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
    SetFileAttributesW(wide.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return DeleteFileW(wide.c_str()) != 0;
}

bool platform_find_files(const char* path, const char* suffix_pattern, std::vector<std::string>& found) {
    found.clear();
    const std::string text = path;
    const std::string::size_type cut = text.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string() : text.substr(0, cut + 1);
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW(wide_path((text + suffix_pattern).c_str()).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            found.push_back(folder + utf8_from_utf16(to_u16(entry.cFileName)));
    } while (FindNextFileW(search, &entry));
    const bool listed = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    return listed;
}

struct PlatformLock {
    HANDLE file;
};

namespace {
// The byte locked: far past the end of any settings file, so that locking
// the settings file itself never stands in the way of reading or writing it.
constexpr DWORD LOCKED_BYTE_HIGH = 0x40000000;
}  // namespace

PlatformLock* platform_try_lock(const char* path, bool create, bool* held_elsewhere) {
    *held_elsewhere = false;
    HANDLE file = CreateFileW(wide_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING,
                              create ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *held_elsewhere = GetLastError() == ERROR_SHARING_VIOLATION;
        return nullptr;
    }
    OVERLAPPED place{};
    place.OffsetHigh = LOCKED_BYTE_HIGH;
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place)) {
        const DWORD error = GetLastError();
        *held_elsewhere = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING;
        CloseHandle(file);
        return nullptr;
    }
    PlatformLock* lock = new (std::nothrow) PlatformLock{file};
    if (lock == nullptr) CloseHandle(file);
    return lock;
}

void platform_unlock(PlatformLock* lock) {
    OVERLAPPED place{};
    place.OffsetHigh = LOCKED_BYTE_HIGH;
    UnlockFileEx(lock->file, 0, 1, 0, &place);
    CloseHandle(lock->file);
    delete lock;
}

std::uint32_t platform_process_id() { return GetCurrentProcessId(); }

void platform_sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }
