// The end-to-end tests' eyes inside Wine: a small console program run in the
// same prefix and display as the game, which finds the game's windows and
// reports what only a Win32 program can read from outside: the window's
// rectangle, the status bar's fields and a list box's lines (whose buffers
// must live inside the game's process), dialog texts, the board's pixels,
// the help window's text and where its characters stand.
// It can also hold a file open without sharing, post messages, send the
// game the system's messages of a change of the screen (its window pushed
// partly off the screen first), list the libraries loaded in a process, and
// leave a trace on the game's window to see whether it paints that part again. (The
// figures under Wine are timed by bench/wine.) Output is UTF-8, one JSON value.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const wchar_t GAME_CLASS[] = L"GLIMMETS";
constexpr int STATUS_BAR_ID = 11100;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], length, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(length - 1));
    return bytes;
}

std::wstring wide(const char* text) {
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &result[0], length);
    result.resize(static_cast<std::size_t>(length - 1));
    return result;
}

std::string json_string(const std::wstring& text) {
    std::string out = "\"";
    for (unsigned char c : utf8(text)) {
        if (c == '"' || c == '\\') { out += '\\'; out += static_cast<char>(c); }
        else if (c < 0x20) { char escape[8]; std::snprintf(escape, sizeof escape, "\\u%04x", c); out += escape; }
        else out += static_cast<char>(c);
    }
    return out + "\"";
}

void emit(const std::string& text) {
    std::string line = text + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

bool serving = false;  // answering commands one after the other (probe serve)

// A reason for a failure: on the error output, or, while serving, on a line
// of its own that starts with "\x1f", so it reaches the asker with its answer.
int fail(const char* why) {
    if (serving)
        emit(std::string("\x1f") + "probe: " + why);
    else
        std::fprintf(stderr, "probe: %s\n", why);
    return 2;
}

std::wstring window_text(HWND window) {
    wchar_t buffer[1024] = L"";
    GetWindowTextW(window, buffer, 1024);  // WM_GETTEXT is carried across processes
    return buffer;
}

std::wstring class_of(HWND window) {
    wchar_t buffer[256] = L"";
    GetClassNameW(window, buffer, 256);
    return buffer;
}

HWND game_window() { return FindWindowW(GAME_CLASS, nullptr); }

long number(const char* text) { return std::strtol(text, nullptr, 0); }

// A top-level window by class name, else by title.
HWND find_top(const char* class_or_title) {
    std::wstring name = wide(class_or_title);
    HWND window = FindWindowW(name.c_str(), nullptr);
    return window != nullptr ? window : FindWindowW(nullptr, name.c_str());
}

std::string rect_json(const RECT& r) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
    return buffer;
}

// A buffer inside another process, for messages whose pointer the system does
// not carry across processes.
class RemoteBuffer {
public:
    explicit RemoteBuffer(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr)
            address_ = VirtualAllocEx(process_, nullptr, SIZE, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    bool ok() const { return address_ != nullptr; }
    LPARAM pointer() const { return reinterpret_cast<LPARAM>(address_); }
    void read_into(void* out, SIZE_T size) const {
        SIZE_T got = 0;
        ReadProcessMemory(process_, address_, out, size, &got);
    }
    std::wstring read() const {
        std::vector<wchar_t> local(SIZE / sizeof(wchar_t) + 1, L'\0');
        SIZE_T got = 0;
        ReadProcessMemory(process_, address_, local.data(), SIZE, &got);
        local[SIZE / sizeof(wchar_t)] = L'\0';
        return local.data();
    }
    void write(const void* data, SIZE_T size) const {
        WriteProcessMemory(process_, address_, data, size, nullptr);
    }
    void clear() const {
        std::vector<char> zeros(SIZE, 0);
        WriteProcessMemory(process_, address_, zeros.data(), SIZE, nullptr);
    }
    static constexpr SIZE_T SIZE = 8192;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// The status bar's height and the right edges of its parts (SB_GETPARTS
// writes them into the game's own memory).
std::string status_bar_json(HWND window) {
    HWND bar = GetDlgItem(window, STATUS_BAR_ID);
    if (bar == nullptr) return "\"status_height\": 0, \"status_parts\": []";
    RECT place{};
    GetWindowRect(bar, &place);
    std::string out = "\"status_height\": " + std::to_string(place.bottom - place.top) + ", \"status_parts\": [";
    RemoteBuffer buffer(bar);
    if (buffer.ok()) {
        buffer.clear();
        LRESULT count = SendMessageW(bar, SB_GETPARTS, 8, buffer.pointer());
        int edges[8] = {};
        buffer.read_into(edges, sizeof edges);
        for (LRESULT i = 0; i < count && i < 8; ++i) out += (i ? ", " : "") + std::to_string(edges[i]);
    }
    return out + "]";
}

// Where the client area of a window of the game's style stands inside it
// with a menu bar of one line, by the system's metrics: a wrapped menu bar
// pushes the client area further down.
std::string one_line_frame_json(HWND window) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return "\"one_line_frame\": " + rect_json(frame);
}

// The game's window as the tests check it: its rectangle, client area,
// state, scale, work area, the system's metrics and the status bar.
std::string window_json(HWND window) {
    // Visible first: the program lays its window out before showing it, so
    // a rectangle read after a window was seen visible is its final one,
    // even when the probe is held up between the two reads.
    bool visible = IsWindowVisible(window) != FALSE;
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC dc = GetDC(window);
    int screen_w = GetDeviceCaps(dc, HORZRES), screen_h = GetDeviceCaps(dc, VERTRES);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    char buffer[640];
    std::snprintf(buffer, sizeof buffer,
                  "{\"window\": %s, \"client_origin\": [%ld, %ld], \"client_size\": [%ld, %ld], "
                  "\"visible\": %d, \"minimized\": %d, \"foreground\": %d, \"screen\": [%d, %d], "
                  "\"menu_height\": %d, "
                  "\"caption_height\": %d, \"dpi\": %d, \"work_area\": %s, \"link_colour\": [%d, %d, %d], ",
                  rect_json(outer).c_str(), origin.x, origin.y, client.right, client.bottom,
                  visible ? 1 : 0, IsIconic(window) ? 1 : 0, GetForegroundWindow() == window ? 1 : 0,
                  screen_w, screen_h,
                  GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CYCAPTION), dpi,
                  rect_json(monitor.rcWork).c_str(), GetRValue(GetSysColor(COLOR_HOTLIGHT)),
                  GetGValue(GetSysColor(COLOR_HOTLIGHT)), GetBValue(GetSysColor(COLOR_HOTLIGHT)));
    return std::string(buffer) + status_bar_json(window) + ", " + one_line_frame_json(window) +
           ", \"title\": " + json_string(window_text(window)) + "}";
}

int cmd_rect() {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    emit(window_json(window));
    return 0;
}

int cmd_status() {
    HWND window = game_window();
    HWND bar = window != nullptr ? GetDlgItem(window, STATUS_BAR_ID) : nullptr;
    if (bar == nullptr) return fail("no status bar");
    RemoteBuffer buffer(bar);
    if (!buffer.ok()) return fail("no buffer in the game's process");
    std::string out = "[";
    // Four fields, or five while the game shows the size of a group.
    const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    for (int part = 0; part < parts; ++part) {
        buffer.clear();
        SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), buffer.pointer());
        out += (part ? ", " : "") + json_string(buffer.read());
    }
    emit(out + "]");
    return 0;
}

// An edit box keeps its text to itself: the window's own title, which
// GetWindowText reads across processes, stays empty. WM_GETTEXT asks it; so
// for the rich text control of the help window, whose topics are long.
std::wstring control_text(HWND control) {
    const std::wstring kind = class_of(control);
    if (lstrcmpiW(kind.c_str(), L"Edit") != 0 && lstrcmpiW(kind.c_str(), L"RichEdit50W") != 0)
        return window_text(control);
    std::vector<wchar_t> buffer(16384, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, buffer.size() - 1, reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return buffer.data();
}

BOOL CALLBACK add_control(HWND control, LPARAM out_pointer) {
    std::string& out = *reinterpret_cast<std::string*>(out_pointer);
    char head[160];
    LRESULT check = SendMessageW(control, BM_GETCHECK, 0, 0);
    std::snprintf(head, sizeof head, "%s{\"id\": %d, \"visible\": %d, \"enabled\": %d, \"check\": %d, \"class\": ",
                  out.back() == '[' ? "" : ", ", GetDlgCtrlID(control), IsWindowVisible(control) ? 1 : 0,
                  IsWindowEnabled(control) ? 1 : 0, static_cast<int>(check));
    RECT place{};
    GetWindowRect(control, &place);
    out += head + json_string(class_of(control)) + ", \"text\": " + json_string(control_text(control)) +
           ", \"rect\": " + rect_json(place) + "}";
    return TRUE;
}

int cmd_texts(const char* class_or_title) {
    HWND window = find_top(class_or_title);
    if (window == nullptr) return fail("no such window");
    // Read first: a window shown is titled and filled by then, so what is read
    // after it is what the player sees.
    const bool visible = IsWindowVisible(window) != FALSE;
    RECT outer{};
    GetWindowRect(window, &outer);
    HWND owner = GetWindow(window, GW_OWNER);
    std::string out = "{\"title\": " + json_string(window_text(window)) + ", \"class\": " +
                      json_string(class_of(window)) + ", \"rect\": " + rect_json(outer) +
                      ", \"owner_class\": " + json_string(owner ? class_of(owner) : L"") +
                      ", \"foreground\": " + (GetForegroundWindow() == window ? "1" : "0") +
                      ", \"visible\": " + (visible ? "1" : "0") + ", \"controls\": [";
    EnumChildWindows(window, add_control, reinterpret_cast<LPARAM>(&out));
    emit(out + "]}");
    return 0;
}

// LB_GETTEXT is below WM_USER, so the system carries its buffer across
// processes itself: the buffer lives here, sized by LB_GETTEXTLEN.
int cmd_listbox(const char* class_or_title, int id) {
    HWND window = find_top(class_or_title);
    HWND list = window != nullptr ? GetDlgItem(window, id) : nullptr;
    if (list == nullptr) return fail("no such list box");
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::string out = "[";
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> line(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        out += (i ? ", " : "") + json_string(line.data());
    }
    emit(out + "]");
    return 0;
}

// The X window that Wine's X11 driver made for a top-level window (it keeps
// the id in a window property, which any process of the prefix can read);
// 0 when there is none.
unsigned long x_window(HWND window) {
    return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window")));
}

// Whether the caption of a window is drawn in the active colours: the top
// row of its caption, just right of the icon, is nearer to the active
// caption's gradient than to the inactive one's. (GetWindowInfo tells this
// only to the window's own thread.)
bool caption_drawn_active(HWND window) {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(window, &info);
    if ((info.dwStyle & WS_CAPTION) != WS_CAPTION) return false;
    int width = static_cast<int>(info.rcWindow.right - info.rcWindow.left - 2 * static_cast<LONG>(info.cxWindowBorders));
    int x = GetSystemMetrics(SM_CYCAPTION) + 2;
    if (width <= x) return false;
    HDC dc = GetWindowDC(window);
    COLORREF seen = GetPixel(dc, static_cast<int>(info.cxWindowBorders) + x, static_cast<int>(info.cyWindowBorders) + 1);
    ReleaseDC(window, dc);
    auto distance = [&](int from, int to) {
        COLORREF a = GetSysColor(from), b = GetSysColor(to);
        int total = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            int start = (a >> shift) & 0xff, end = (b >> shift) & 0xff;
            total += std::abs(static_cast<int>((seen >> shift) & 0xff) - (start + (end - start) * x / width));
        }
        return total;
    };
    return distance(COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION) <
           distance(COLOR_INACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION);
}

// Every visible top-level window in Z order, topmost first: class, title,
// rectangle, pid, handle, owner, X window, enabled, foreground, whether its caption
// is drawn active.
BOOL CALLBACK add_top(HWND window, LPARAM out_pointer) {
    if (!IsWindowVisible(window)) return TRUE;
    std::string& out = *reinterpret_cast<std::string*>(out_pointer);
    RECT outer{};
    GetWindowRect(window, &outer);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char tail[256];
    std::snprintf(tail, sizeof tail,
                  ", \"pid\": %lu, \"hwnd\": %lu, \"owner\": %lu, \"xid\": %lu, \"enabled\": %d,"
                  " \"foreground\": %d, \"caption_active\": %d}",
                  pid, static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)),
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetWindow(window, GW_OWNER))),
                  x_window(window), IsWindowEnabled(window) ? 1 : 0, GetForegroundWindow() == window ? 1 : 0,
                  caption_drawn_active(window) ? 1 : 0);
    out += std::string(out.back() == '[' ? "" : ", ") + "{\"class\": " + json_string(class_of(window)) +
           ", \"title\": " + json_string(window_text(window)) + ", \"rect\": " + rect_json(outer) + tail;
    return TRUE;
}

int cmd_windows() {
    std::string out = "[";
    EnumWindows(add_top, reinterpret_cast<LPARAM>(&out));
    emit(out + "]");
    return 0;
}

// The pixels of the game's client area (or whole window) as a binary PPM.
int cmd_capture(const char* path, bool whole_window) {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    RECT area{};
    if (whole_window) {
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(window, &area);
    }
    int width = area.right, height = area.bottom;
    if (width <= 0 || height <= 0) {
        char why[160];
        std::snprintf(why, sizeof why, "nothing to capture: the %s is %d x %d (window %s, %s)",
                      whole_window ? "window" : "client area", width, height,
                      IsIconic(window) ? "minimized" : "not minimized",
                      IsWindowVisible(window) ? "visible" : "hidden");
        return fail(why);
    }
    HDC source = whole_window ? GetWindowDC(window) : GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib == nullptr) return fail("no bitmap");
    SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return fail("cannot write the capture");
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const unsigned char* line = static_cast<const unsigned char*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {  // BGR to RGB
            row[static_cast<std::size_t>(x) * 3] = line[x * 3 + 2];
            row[static_cast<std::size_t>(x) * 3 + 1] = line[x * 3 + 1];
            row[static_cast<std::size_t>(x) * 3 + 2] = line[x * 3];
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    std::fclose(out);
    emit("{\"width\": " + std::to_string(width) + ", \"height\": " + std::to_string(height) + "}");
    return 0;
}

// Holds `path` open without sharing until the probe is ended or the time is up.
int cmd_lock(const char* path, int seconds) {
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return fail("cannot lock the file");
    emit("\"locked\"");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseHandle(file);
    return 0;
}

// The screen point of a character of a rich text control (a control of the
// top-level window named): EM_POSFROMCHAR writes into a POINTL of the
// control's own process.
int cmd_charpos(const char* class_or_title, int id, long character) {
    HWND window = find_top(class_or_title);
    HWND control = window != nullptr ? GetDlgItem(window, id) : nullptr;
    if (control == nullptr) return fail("no such control");
    RemoteBuffer buffer(control);
    if (!buffer.ok()) return fail("no buffer in the control's process");
    SendMessageW(control, EM_POSFROMCHAR, static_cast<WPARAM>(buffer.pointer()), character);
    POINTL at{};
    buffer.read_into(&at, sizeof at);
    POINT screen{at.x, at.y};
    ClientToScreen(control, &screen);
    emit("[" + std::to_string(screen.x) + ", " + std::to_string(screen.y) + "]");
    return 0;
}

// Makes a top-level window (by handle) the foreground window, as a click on
// it would. A window that is in front with its caption drawn inactive (Wine
// activated it before it was in front, and does not draw it again) first
// gives way to a window of the probe's own for a moment, as it would to a
// click on another window: it is then activated afresh. Answers whether it
// is in front.
int cmd_activate(HWND window) {
    if (!IsWindow(window)) return fail("no such window");
    if (GetForegroundWindow() == window && !caption_drawn_active(window)) {
        HWND other = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(other);
        SetForegroundWindow(window);
        DestroyWindow(other);
    } else {
        SetForegroundWindow(window);
    }
    emit(GetForegroundWindow() == window ? "true" : "false");
    return 0;
}

// Leaves a white trace over a rectangle of the game's client area, as a
// window dragged across it does where nothing keeps a copy of the window.
// Under Wine only the window's own process can draw into it (a context of
// the window taken here draws nothing): the trace is drawn inside the game
// by trace_hook.dll (beside the probe), set for a moment as a message hook
// on the game's thread. False when the game never drew it.
bool draw_trace(HWND window, const RECT& area) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring library(path);
    library = library.substr(0, library.find_last_of(L"\\/") + 1) + L"trace_hook.dll";
    HMODULE module = LoadLibraryW(library.c_str());
    HOOKPROC hook_proc = module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "trace_hook")))
                                : nullptr;
    if (hook_proc == nullptr) return false;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, hook_proc, module, GetWindowThreadProcessId(window, nullptr));
    if (hook == nullptr) return false;
    const UINT trace_message = RegisterWindowMessageW(L"GlimmetsTestTrace");
    const HANDLE drawn_before = GetPropW(window, L"GlimmetsTestTrace");
    // Under Wine the hook may miss the first message it is set for (seen
    // here about one time in two): post again until the game has drawn it.
    bool drawn = false;
    for (int attempt = 0; attempt < 20 && !drawn; ++attempt) {
        PostMessageW(window, trace_message, MAKEWPARAM(area.left, area.top), MAKELPARAM(area.right, area.bottom));
        // The game takes a sent message only once it asks for its next
        // message, after the posted one has been through the hook.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        drawn = GetPropW(window, L"GlimmetsTestTrace") != drawn_before;
    }
    UnhookWindowsHookEx(hook);
    return drawn;
}

// A trace over `area`; with `redraw`, then the system asks the game to paint
// that part again (invalidated and updated at once), as when the other
// window goes.
int cmd_trace(const RECT& area, bool redraw) {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    if (!draw_trace(window, area)) return fail("no trace drawn in the game (trace_hook.dll beside the probe?)");
    if (redraw) RedrawWindow(window, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    emit("true");
    return 0;
}

// What a window dragged over the board leaves where nothing keeps a copy of
// the game's pixels: a white band over the middle of the client area, then
// the system asks the game to paint that part again (the board must come
// back whole).
int cmd_cover() {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    RECT client{};
    GetClientRect(window, &client);
    RECT band{client.right / 4, client.bottom / 4, client.right * 3 / 4, client.bottom * 3 / 4};
    if (!draw_trace(window, band)) return fail("no trace drawn in the game (trace_hook.dll beside the probe?)");
    RedrawWindow(window, &band, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    emit(rect_json(band));
    return 0;
}

// What the system sends when the game's window comes onto a monitor of
// another scale: WM_DPICHANGED with the rectangle the system suggests, which
// must live in the game's own memory.
int cmd_dpichanged(const RECT& suggested) {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    RemoteBuffer buffer(window);
    if (!buffer.ok()) return fail("no buffer in the game's process");
    buffer.write(&suggested, sizeof suggested);
    HDC dc = GetDC(window);
    const WORD dpi = static_cast<WORD>(GetDeviceCaps(dc, LOGPIXELSY));
    ReleaseDC(window, dc);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), buffer.pointer());
    emit("true");
    return 0;
}

// What the system asks before it sends WM_DPICHANGED: the window's size at
// another scale, answered into a SIZE of the game's own memory.
int cmd_scaled_size(int dpi) {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    RemoteBuffer buffer(window);
    if (!buffer.ok()) return fail("no buffer in the game's process");
    RECT outer{};
    GetWindowRect(window, &outer);
    SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    buffer.write(&size, sizeof size);
    const LRESULT answered = SendMessageW(window, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), buffer.pointer());
    buffer.read_into(&size, sizeof size);
    emit("{\"answered\": " + std::to_string(answered) + ", \"size\": [" + std::to_string(size.cx) + ", " +
         std::to_string(size.cy) + "]}");
    return 0;
}

// Moves the game's window, as a drag would, so that two thirds of it hang
// past the bottom right corner of its work area; the rectangle it then has.
std::string push_off_the_screen(HWND window) {
    RECT own{};
    GetWindowRect(window, &own);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    SetWindowPos(window, nullptr, monitor.rcWork.right - (own.right - own.left) / 3,
                 monitor.rcWork.bottom - (own.bottom - own.top) / 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(window, &own);
    return rect_json(own);
}

// Sends a message whose parameters are numbers and waits until it is handled.
bool send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

// Changes of the screen, as the system sends them to every top-level window
// (message, wParam, lParam, given as triples): before each, the window is
// pushed partly off the screen. For each, where it was pushed and the
// window once the change was handled.
int cmd_screen_changes(int count, char** triples) {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    std::string out = "[";
    for (int i = 0; i + 2 < count; i += 3) {
        const std::string pushed = push_off_the_screen(window);
        if (!send(window, static_cast<UINT>(number(triples[i])), static_cast<WPARAM>(number(triples[i + 1])),
                  static_cast<LPARAM>(number(triples[i + 2]))))
            return fail("the game did not answer a change of the screen");
        out += (i ? ", " : "") + std::string("{\"pushed\": ") + pushed + ", \"after\": " + window_json(window) + "}";
    }
    emit(out + "]");
    return 0;
}

// A change of scale while the window is minimized, the system suggesting a
// rectangle inside the work area: the window pushed partly off the screen,
// minimized, sent the change, then restored; the window at each step.
int cmd_minimized_change() {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    RemoteBuffer buffer(window);
    if (!buffer.ok()) return fail("no buffer in the game's process");
    const std::string pushed = push_off_the_screen(window);
    if (!send(window, WM_SYSCOMMAND, SC_MINIMIZE, 0)) return fail("the game was not minimized");
    const std::string minimized = window_json(window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const RECT suggested{work.left + 10, work.top + 10, work.left + 510, work.top + 510};
    buffer.write(&suggested, sizeof suggested);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (!send(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), buffer.pointer())) return fail("no change of scale");
    const std::string changed = window_json(window);
    if (!send(window, WM_SYSCOMMAND, SC_RESTORE, 0)) return fail("the game was not restored");
    emit("{\"pushed\": " + pushed + ", \"minimized\": " + minimized + ", \"changed\": " + changed +
         ", \"restored\": " + window_json(window) + "}");
    return 0;
}

int cmd_post(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND window = game_window();
    if (window == nullptr) return fail("no game window");
    emit(PostMessageW(window, message, wparam, lparam) ? "true" : "false");
    return 0;
}

// The full paths of the modules loaded in process `pid`.
int cmd_modules(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return fail("no snapshot of the process");
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    std::string out = "[";
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        out += (out.size() > 1 ? ", " : "") + json_string(module.szExePath);
    CloseHandle(snapshot);
    emit(out + "]");
    return 0;
}

int usage() {
    return fail("usage: probe rect | status | windows | texts <class-or-title> | listbox <class-or-title> <id> |"
                " capture <file.ppm> [window] | lock <file> <seconds> | post <msg> <wparam> <lparam> |"
                " charpos <class-or-title> <id> <character> | activate <hwnd> | modules <pid> |"
                " trace <left> <top> <right> <bottom> [redraw] | cover | dpichanged <l> <t> <r> <b> |"
                " scaledsize <dpi> | screenchanges (<msg> <wparam> <lparam>)... | minimizedchange | serve");
}

int run_command(int argc, char** argv);

// Answers commands from stdin, one a line with tab-separated arguments, until
// stdin ends: each answer is the command's JSON line (if any) followed by a
// line of "\x1e" and its exit code. The tests ask thousands of questions; one
// process spares the start of a Win32 program for each, and keeps the
// desktop up while it runs.
int serve() {
    serving = true;
    char line[4096];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        line[std::strcspn(line, "\r\n")] = '\0';
        std::vector<char*> args{const_cast<char*>("probe")};
        for (char* part = std::strtok(line, "\t"); part != nullptr; part = std::strtok(nullptr, "\t"))
            args.push_back(part);
        int code = run_command(static_cast<int>(args.size()), args.data());
        emit("\x1e" + std::to_string(code));
    }
    return 0;
}

int run_command(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string command = argv[1];
    if (command == "rect") return cmd_rect();
    if (command == "status") return cmd_status();
    if (command == "windows") return cmd_windows();
    if (command == "texts" && argc == 3) return cmd_texts(argv[2]);
    if (command == "listbox" && argc == 4) return cmd_listbox(argv[2], static_cast<int>(number(argv[3])));
    if (command == "capture" && argc >= 3) return cmd_capture(argv[2], argc > 3 && std::strcmp(argv[3], "window") == 0);
    if (command == "charpos" && argc == 5)
        return cmd_charpos(argv[2], static_cast<int>(number(argv[3])), number(argv[4]));
    if (command == "lock" && argc == 4) return cmd_lock(argv[2], static_cast<int>(number(argv[3])));
    if (command == "modules" && argc == 3) return cmd_modules(static_cast<DWORD>(number(argv[2])));
    if (command == "activate" && argc == 3)
        return cmd_activate(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(number(argv[2]))));
    if (command == "trace" && (argc == 6 || argc == 7)) {
        const RECT area{number(argv[2]), number(argv[3]), number(argv[4]), number(argv[5])};
        return cmd_trace(area, argc == 7 && std::strcmp(argv[6], "redraw") == 0);
    }
    if (command == "cover") return cmd_cover();
    if (command == "dpichanged" && argc == 6)
        return cmd_dpichanged(RECT{number(argv[2]), number(argv[3]), number(argv[4]), number(argv[5])});
    if (command == "scaledsize" && argc == 3) return cmd_scaled_size(static_cast<int>(number(argv[2])));
    if (command == "screenchanges" && argc >= 5 && (argc - 2) % 3 == 0) return cmd_screen_changes(argc - 2, argv + 2);
    if (command == "minimizedchange") return cmd_minimized_change();
    if (command == "post" && argc == 5)
        return cmd_post(static_cast<UINT>(number(argv[2])), static_cast<WPARAM>(number(argv[3])),
                        static_cast<LPARAM>(number(argv[4])));
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "serve") == 0) return serve();
    return run_command(argc, argv);
}
