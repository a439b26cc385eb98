// Only the system's own libraries run inside the game. Windows looks for a
// library named without a folder in the program's folder first, so a file
// of that name left beside the game (a Downloads folder) would run inside
// it. The search is limited to the system folder at start where the system
// can do that, and the libraries the game loads itself (sound, the help's
// rich text control) are named by their full path in the system folder. The
// program imports only libraries that Windows always takes from its own
// folder (known libraries) or, for the common controls, from the side-by-side
// store named by the program's manifest.
#include "shell/shell.h"  // <windows.h> before the other system headers

#include <mmsystem.h>

#include <string>

namespace {

template <typename Function>
Function find_function(HMODULE library, const char* name) {
    FARPROC found = library != nullptr ? GetProcAddress(library, name) : nullptr;
    // Through the generic function type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The sound functions of winmm.dll, loaded at the first sound or tick.
struct Sound {
    bool loaded = false;
    DWORD(WINAPI* time_get_time)() = nullptr;
    UINT(WINAPI* wave_out_get_num_devs)() = nullptr;
    BOOL(WINAPI* play_sound)(LPCWSTR, HMODULE, DWORD) = nullptr;
} sound;

const Sound& sound_library() {
    if (!sound.loaded) {
        sound.loaded = true;
        HMODULE winmm = load_system_library(L"winmm.dll");
        sound.time_get_time = find_function<decltype(sound.time_get_time)>(winmm, "timeGetTime");
        sound.wave_out_get_num_devs = find_function<decltype(sound.wave_out_get_num_devs)>(winmm, "waveOutGetNumDevs");
        sound.play_sound = find_function<decltype(sound.play_sound)>(winmm, "PlaySoundW");
    }
    return sound;
}

}  // namespace

void limit_library_search() {
    // Windows 8 and later, and Windows 7 with its 2011 loader update.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    auto set_directories =
        find_function<SetDirectories>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (set_directories != nullptr) set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE load_system_library(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    // The library's own imports are looked for beside it, in the system folder.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

DWORD system_milliseconds() {
    // timeGetTime steps by 1 ms where GetTickCount steps by about 15.6 ms.
    const Sound& library = sound_library();
    return library.time_get_time != nullptr ? library.time_get_time() : GetTickCount();
}

UINT wave_devices() {
    const Sound& library = sound_library();
    return library.wave_out_get_num_devs != nullptr ? library.wave_out_get_num_devs() : 0;
}

void play_wave_resource(int resource_id) {
    const Sound& library = sound_library();
    if (library.play_sound != nullptr)
        library.play_sound(MAKEINTRESOURCEW(resource_id), app_instance, SND_RESOURCE | SND_NOSTOP | SND_ASYNC);
}
