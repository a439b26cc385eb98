// A message hook that the probe sets on the game's thread to leave a trace
// on the game's window, as a window dragged across it does where nothing
// keeps a copy of the window's pixels. Under Wine only the game's own
// process can draw into its window, so the drawing runs there: the system
// loads this library into the game for the hook. The probe posts the
// registered message "GlimmetsTestTrace" with the rectangle packed into its
// parameters; the hook, once it runs inside the game's process, fills it
// white, counts the traces drawn in the window property of the same name,
// and hides the message from the game.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK trace_hook(int code, WPARAM remove, LPARAM message) {
    MSG* posted = reinterpret_cast<MSG*>(message);
    static const UINT trace_message = RegisterWindowMessageW(L"GlimmetsTestTrace");
    DWORD owner = 0;
    if (code == HC_ACTION && posted->message == trace_message && posted->hwnd != nullptr &&
        GetWindowThreadProcessId(posted->hwnd, &owner) != 0 && owner == GetCurrentProcessId()) {
        RECT area{static_cast<short>(LOWORD(posted->wParam)), static_cast<short>(HIWORD(posted->wParam)),
                  static_cast<short>(LOWORD(posted->lParam)), static_cast<short>(HIWORD(posted->lParam))};
        HDC dc = GetDC(posted->hwnd);
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(posted->hwnd, dc);
        const ULONG_PTR drawn = reinterpret_cast<ULONG_PTR>(GetPropW(posted->hwnd, L"GlimmetsTestTrace"));
        SetPropW(posted->hwnd, L"GlimmetsTestTrace", reinterpret_cast<HANDLE>(drawn + 1));
        posted->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, remove, message);
}
