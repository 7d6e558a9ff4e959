// The host window on Windows: class "QorOSWindow", a fixed-size window with
// caption, system menu and minimise box, the framebuffer shown as a top-down
// 32-bit DIB, and the window procedure's messages turned into window
// messages. Keys are read with GetAsyncKeyState while the window exists.
#include "host/host_keys.h"
#include "host/host_window.h"
#include "host/win32/shell_owner.h"
#include "host/win32/wide.h"

#include <windows.h>
#include <windowsx.h>

namespace qor::host {

namespace {

constexpr wchar_t kClassName[] = L"QorOSWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The frame of a captioned window adds 16 x 39 pixels to its client area
// (816 x 639 outside for the 800 x 600 desktop). Hosts with other frame
// metrics leave a slightly different client area; mouse positions are scaled
// from whatever it is.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 39;

HWND g_hwnd = nullptr;
bool g_class_registered = false;
// The handler of the last pump: messages that the host sends outside a pump
// (while the window is shown or destroyed) go to it as well.
window_message_handler g_handler = nullptr;
HDC g_paint_dc = nullptr;  // valid while a paint message is handled
int g_wheel_remainder = 0; // wheel movement short of a whole notch

bool async_key_held(uint32_t virtual_key) {
    return virtual_key < 256 && (GetAsyncKeyState(static_cast<int>(virtual_key)) & 0x8000) != 0;
}

window_message message_of(HWND hwnd, window_message_kind kind) {
    window_message message{};
    message.kind = kind;
    RECT client{};
    if (GetClientRect(hwnd, &client)) {
        message.client_w = client.right - client.left;
        message.client_h = client.bottom - client.top;
    }
    return message;
}

void deliver(const window_message& message) {
    if (g_handler) g_handler(message);
}

void deliver_paint(HWND hwnd) {
    PAINTSTRUCT paint;
    g_paint_dc = BeginPaint(hwnd, &paint);
    if (g_paint_dc) deliver(message_of(hwnd, window_message_kind::paint));
    EndPaint(hwnd, &paint);
    g_paint_dc = nullptr;
}

// Mouse positions arrive as signed 16-bit client coordinates.
void deliver_pointer(HWND hwnd, window_message_kind kind, LPARAM position) {
    window_message message = message_of(hwnd, kind);
    message.x = GET_X_LPARAM(position);
    message.y = GET_Y_LPARAM(position);
    deliver(message);
}

// The wheel message carries screen coordinates and a delta in 1/120 notches.
void deliver_wheel(HWND hwnd, WPARAM wparam, LPARAM position) {
    g_wheel_remainder += GET_WHEEL_DELTA_WPARAM(wparam);
    const int notches = g_wheel_remainder / WHEEL_DELTA;
    g_wheel_remainder -= notches * WHEEL_DELTA;
    if (notches == 0) return;
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(hwnd, &point);
    window_message message = message_of(hwnd, window_message_kind::mouse_wheel);
    message.x = point.x;
    message.y = point.y;
    message.wheel = notches;
    deliver(message);
}

LRESULT CALLBACK window_procedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
    switch (id) {
    case WM_PAINT:
        deliver_paint(hwnd);
        return 0;
    case WM_DESTROY:
        deliver(message_of(hwnd, window_message_kind::destroy));
        return 0;
    case WM_NCDESTROY:
        // Past this point the window is gone, whoever destroyed it.
        g_hwnd = nullptr;
        set_key_state_source(nullptr);
        win32::set_shell_owner(nullptr);
        break;
    case WM_KEYDOWN: {
        window_message message = message_of(hwnd, window_message_kind::key_down);
        message.key = static_cast<uint32_t>(wparam);
        deliver(message);
        return 0;
    }
    case WM_CHAR: {
        window_message message = message_of(hwnd, window_message_kind::character);
        message.character = static_cast<uint32_t>(wparam);
        deliver(message);
        return 0;
    }
    case WM_MOUSEMOVE:
        deliver_pointer(hwnd, window_message_kind::mouse_move, lparam);
        return 0;
    case WM_LBUTTONDOWN:
        deliver_pointer(hwnd, window_message_kind::left_button_down, lparam);
        return 0;
    case WM_MOUSEWHEEL:
        deliver_wheel(hwnd, wparam, lparam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, id, wparam, lparam);
}

} // namespace

bool window_system_start() {
    if (g_class_registered) return true;
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    window_class.hIconSm = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClassName;
    g_class_registered = RegisterClassExW(&window_class) != 0;
    return g_class_registered;
}

bool window_create(const char* title, int client_w, int client_h) {
    if (!g_class_registered || g_hwnd) return false;
    g_hwnd = CreateWindowExW(0, kClassName, win32::widen(title).c_str(), kStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, client_w + kFrameWidth, client_h + kFrameHeight,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!g_hwnd) return false;
    set_key_state_source(async_key_held);
    win32::set_shell_owner(g_hwnd);
    return true;
}

void window_show() {
    if (!g_hwnd) return;
    ShowWindow(g_hwnd, SW_SHOW);
    UpdateWindow(g_hwnd);
}

bool window_pump_messages(window_message_handler handler) {
    g_handler = handler;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void window_invalidate() {
    if (g_hwnd) InvalidateRect(g_hwnd, nullptr, FALSE);
}

// The client area shows the framebuffer unscaled at its top-left corner, so
// framebuffer and client coordinates agree; the paint message's clipping
// region then limits the copy to what was asked for.
void window_invalidate_area(int x, int y, int w, int h) {
    if (!g_hwnd || w <= 0 || h <= 0) return;
    const RECT area{x, y, x + w, y + h};
    InvalidateRect(g_hwnd, &area, FALSE);
}

void window_paint(const uint8_t* pixels, int width, int height) {
    if (!g_paint_dc || !pixels || width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: the first row is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(g_paint_dc, 0, 0, width, height, 0, 0, width, height, pixels, &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

void window_post_quit() {
    PostQuitMessage(0);
}

void window_destroy() {
    g_handler = nullptr; // the destroy message is ours, not the desktop's
    if (g_hwnd) DestroyWindow(g_hwnd);
    g_hwnd = nullptr;
    set_key_state_source(nullptr);
    win32::set_shell_owner(nullptr);
    if (g_class_registered) UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    g_class_registered = false;
    g_wheel_remainder = 0;
}

bool window_exists() {
    return g_hwnd != nullptr;
}

} // namespace qor::host
