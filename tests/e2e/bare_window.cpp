// The smallest program that shows a window like Autorun's: the yardstick of the start-up benchmark.
#include <windows.h>

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BareWindow";
    RegisterClassA(&wc);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - 640) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 480) / 2;
    HWND w = CreateWindowExA(0, "BareWindow", "Bare", WS_POPUP | WS_BORDER | WS_SYSMENU, x, y, 640, 480,
                             nullptr, nullptr, inst, nullptr);
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
