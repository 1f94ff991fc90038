#include "TipTestView.h"

#include "UiTestWindow.h"
#include "core/IniFile.h"
#include "core/Token.h"

#include <cstdint>
#include <fstream>

namespace {
const RECT kArea{310, 150, 600, 400};

// A 24-bit bottom-up BMP of the test picture, as a temporary file opened for reading.
HANDLE PictureFile() {
    const int w = 640, h = 480, stride = w * 3;
    std::vector<std::uint8_t> bmp(54 + stride * h);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = std::uint8_t(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, std::uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = TipTestView::PictureAt(x, y);
            std::uint8_t* p = &bmp[54 + (h - 1 - y) * stride + x * 3];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    char temp[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "bg", 0, path);
    HANDLE f = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    DWORD n;
    WriteFile(f, bmp.data(), DWORD(bmp.size()), &n, nullptr);
    SetFilePointer(f, 0, nullptr, FILE_BEGIN);
    return f;
}
} // namespace

COLORREF TipTestView::PictureAt(int x, int y) {
    // Bands that differ from row to row and column to column, so a picture drawn upside down or
    // shifted is told apart; every part stays between 16 and 175.
    return RGB(16 + x % 160, 16 + y % 160, 16 + (x / 8 + y / 8) % 160);
}

TipTestView::TipTestView(bool withPicture, bool withArea) {
    if (withPicture) {
        HANDLE f = PictureFile();
        m_picture = std::make_unique<CDib>(f);
        CloseHandle(f);
    }
    static bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &CWindow::WindowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "TipTestView";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    Create("TipTestView", "tip test", WS_POPUP | WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0);
    if (withArea) {
        m_area.Create("", WS_CHILD | WS_VISIBLE, kArea, m_hWnd, 2050);
        m_area.SetTransparent(TRUE);
    }
    SetForegroundWindow(m_hWnd);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(100);
    // The first window of a display may take a while to reach the screen.
    for (int i = 0; i < 30 && withPicture && Screenshot(RECT{5, 5, 6, 6})[0] != PictureAt(5, 5); ++i)
        Pump(100);
}

TipStyle TipTestView::GetTipStyle() const {
    return ReadTipStyle(CIniFile(ProgramFolder() + "Root.ini"));
}

TipText TipTestView::GetTipText() const {
    const std::string lang = CToken().ExpandVariables("<Lang>");
    return {ReadTipLabels(CIniFile(ProgramFolder() + "Root.ini"), lang), TipFace(lang)};
}

LRESULT TipTestView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT && m_picture) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hWnd, &ps);
        m_picture->Draw(dc, RECT{0, 0, 640, 480}, POINT{0, 0});
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    return Default(msg, wp, lp);
}

std::vector<COLORREF> Screenshot(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(std::size_t(w) * h);
    const auto* p = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool MoveMouseTo(int x, int y) {
    // Through the X server, as a user's hand moves it. Wine starts the Unix program itself but
    // gives no handle to wait on: the pointer's arrival tells that it ran.
    std::string cmd = "Z:\\usr\\bin\\xdotool mousemove " + std::to_string(x) + " " + std::to_string(y);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    for (int i = 0; i < 100; ++i) {
        Pump(20);
        POINT pt;
        if (GetCursorPos(&pt) && pt.x == x && pt.y == y) return true;
    }
    return false;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    std::string p(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return p.substr(0, p.rfind('\\') + 1);
}
