// The door's file functions on Win32: the program's own path, the existence
// test of the settings file, and the stream operations with which the
// settings file is read, written beside its old copy and swapped into place.
#include <io.h>

#include <cstdio>
#include <new>
#include <string>

#include "platform/platform.h"
#include "shell/shell.h"

struct PlatformFile {
    std::FILE* stream;
};

const char* platform_module_path() {
    // The path is taken whole however long: the buffer grows until it fits.
    static std::string path;
    DWORD capacity = MAX_PATH;
    for (;;) {
        path.assign(capacity, '\0');
        DWORD length = GetModuleFileNameA(nullptr, &path[0], capacity);
        if (length == 0) { path.clear(); break; }
        if (length < capacity) { path.resize(length); break; }
        if (capacity >= 65536) { path.resize(length); break; }  // longer than any Windows path
        capacity *= 2;
    }
    return path.c_str();
}

std::int64_t platform_file_exists(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    constexpr DWORD NOT_ORDINARY = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (data.dwFileAttributes & NOT_ORDINARY) return 0;
    std::uint64_t stamp = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
    if (stamp == 0) return -1;  // exists, but its stamp would read as "missing"
    return static_cast<std::int64_t>(stamp & 0x7fffffffffffffffULL);
}

PlatformFile* platform_file_open(const char* path, const char* mode) {
    std::FILE* stream = std::fopen(path, mode);
    if (stream == nullptr) return nullptr;
    PlatformFile* file = new (std::nothrow) PlatformFile{stream};
    if (file == nullptr) std::fclose(stream);
    return file;
}

char* platform_file_gets(char* buffer, int size, PlatformFile* file) {
    return std::fgets(buffer, size, file->stream);
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
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void platform_file_remove(const char* path) { std::remove(path); }
