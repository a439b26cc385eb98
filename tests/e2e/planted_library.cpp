// A library of the e2e tests, built twice under the names of system
// libraries the game uses (winmm.dll, msftedit.dll): left beside the game, as
// a file in a Downloads folder would be, it must never be loaded. When it is,
// it leaves a marker file beside itself, named after it ("winmm.dll.loaded").
// It carries the sound functions the game once imported, so that a program
// importing them starts and the marker shows.
#define WIN32_LEAN_AND_MEAN  // without the sound declarations that this library defines
#include <windows.h>

#include <string>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    std::wstring marker = std::wstring(path, length) + L".loaded";
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}

__declspec(dllexport) DWORD WINAPI timeGetTime() { return GetTickCount(); }
__declspec(dllexport) UINT WINAPI waveOutGetNumDevs() { return 0; }
__declspec(dllexport) BOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD) { return FALSE; }

}  // extern "C"
