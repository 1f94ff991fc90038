#include "ui/Window.h"

namespace {
const char kProp[] = "Autorun.CWindow";
// The object whose window is being created on this thread, until its first message.
thread_local CWindow* t_pCreating = nullptr;
} // namespace

CWindow::~CWindow() {
    DestroyWindow();
}

bool CWindow::Create(LPCSTR className, LPCSTR text, DWORD style, const RECT& rect, HWND parent, UINT id,
                     DWORD exStyle) {
    t_pCreating = this;
    HWND hwnd = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(UINT_PTR(id)),
                                GetModuleHandleA(nullptr), nullptr);
    t_pCreating = nullptr;
    if (!hwnd) return false;
    return m_hWnd == hwnd || SubclassWindow(hwnd);
}

bool CWindow::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
    Attach(hwnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
    return true;
}

void CWindow::DestroyWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    // Destroying fails for a window of another thread: let go of it all the same.
    if (m_hWnd) Detach();
}

CWindow* CWindow::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWindow*>(GetPropA(hwnd, kProp)) : nullptr;
}

void CWindow::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    SetPropA(hwnd, kProp, this);
}

void CWindow::Detach() {
    if (m_pfnSuper) SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    RemovePropA(m_hWnd, kProp);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

LRESULT CWindow::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return m_pfnSuper ? CallWindowProcA(m_pfnSuper, m_hWnd, msg, wp, lp)
                      : DefWindowProcA(m_hWnd, msg, wp, lp);
}

bool CWindow::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool CWindow::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = nullptr;
    if (msg == WM_COMMAND || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)) {
        child = reinterpret_cast<HWND>(lp);
    } else if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (dis && dis->CtlType != ODT_MENU) child = dis->hwndItem;
    }
    CWindow* control = FromHandle(child);
    return control && control->OnReflected(msg, wp, lp, result);
}

LRESULT CALLBACK CWindow::WindowProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CWindow* self = FromHandle(hwnd);
    if (!self && t_pCreating) {
        self = t_pCreating;
        t_pCreating = nullptr;
        self->Attach(hwnd);
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (ReflectToChild(msg, wp, lp, result)) return result;
    result = self->WindowProc(msg, wp, lp);
    if (msg == WM_NCDESTROY) self->Detach();
    return result;
}

void WaitWhileShowing(HWND hwnd, DWORD ms) {
    if (!hwnd) {
        Sleep(ms);
        return;
    }
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // What is left is for other windows: seen, so that only new messages end the next wait.
        GetQueueStatus(QS_ALLINPUT);
    }
}
