#include "UiTestWindow.h"

UiTestWindow::UiTestWindow(COLORREF fill, int width, int height) : m_fill(fill) {
    static bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &CWindow::WindowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "UiTestWindow";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    const RECT r{50, 50, 50 + width, 50 + height};
    Create("UiTestWindow", "ui test", WS_POPUP | WS_VISIBLE, r, nullptr, 0);
    UpdateWindow(m_hWnd);
    Pump(50);
}

LRESULT UiTestWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) m_commands.push_back(LOWORD(wp));
    if (msg == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        HBRUSH brush = CreateSolidBrush(m_fill);
        FillRect(reinterpret_cast<HDC>(wp), &rc, brush);
        DeleteObject(brush);
        return TRUE;
    }
    return Default(msg, wp, lp);
}

void Pump(int ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    } while (int(end - GetTickCount()) > 0);
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

int CountColor(HWND hwnd, const RECT& r, COLORREF c) {
    HDC dc = GetDC(hwnd);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += GetPixel(dc, x, y) == c;
    ReleaseDC(hwnd, dc);
    return n;
}
