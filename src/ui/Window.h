#pragma once
#include <windows.h>

// One C++ object per window. Every message of the window reaches WindowProc; WM_COMMAND,
// WM_DRAWITEM and WM_CTLCOLOR* that a parent receives are first offered to the object of the
// child control they are about (OnReflected), so that a control can draw and colour itself.
class CWindow {
  public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    // Creates the window and attaches this object: from its first message for a class that
    // uses WindowProcedure, by subclassing right after creation for any other class.
    bool Create(LPCSTR className, LPCSTR text, DWORD style, const RECT& rect, HWND parent, UINT id,
                DWORD exStyle = 0);
    // Attaches this object to an existing window (a dialog item, a standard control).
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(GetDlgItem(parent, id)); }
    void DestroyWindow();

    static CWindow* FromHandle(HWND hwnd);
    // The window procedure of classes whose windows are all objects of ours.
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND m_hWnd = nullptr;

  protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
    // A message the parent received about this control; true when handled, with its result.
    virtual bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Called when an existing window is attached, before its messages reach this object.
    virtual void PreSubclassWindow() {}
    // The handling the window would have had without this object.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void Attach(HWND hwnd);
    void Detach();
    static bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    WNDPROC m_pfnSuper = nullptr;
};

// Waits `ms` milliseconds while `hwnd` and its children go on painting and answering; the thread's
// other windows get their messages afterwards, as after a Sleep.
void WaitWhileShowing(HWND hwnd, DWORD ms);
