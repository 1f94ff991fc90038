#pragma once
#include <string>

#include "ui/BrowserSite.h"
#include "ui/Window.h"
#include "win32/Scoped.h"

#include <exdisp.h>

// The platform's web-browser control as a plain child control: no document, no frame. The
// thread that creates it must have initialised OLE (OleInitialize).
class CHtmlCtrl : public CWindow {
  public:
    CHtmlCtrl() = default;
    ~CHtmlCtrl() override;

    // A child window filling rect with the browser active in it; false when the window or the
    // browser cannot be had (no window is left then).
    bool Create(const RECT& rect, HWND parent, UINT id);
    // Starts showing the page at the address; false without a browser or when it refuses.
    bool Navigate2(const std::string& address);
    // The browser's automation interface, held by this control until its window goes.
    IWebBrowser2* GetBrowser() const { return m_pBrowser.Get(); }

  protected:
    // Before every navigation: "app:" addresses (any case) are the page's commands to the
    // program, handed to OnAppCommand and never followed.
    virtual void OnBeforeNavigate2(const std::string& address, bool& cancel);
    virtual void OnAppCommand(const std::string&) {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    friend class CBrowserSite;
    bool Embed();
    void ReleaseBrowser();

    CComPtr<CBrowserSite> m_pSite;
    CComPtr<IWebBrowser2> m_pBrowser;
    DWORD m_dwEventCookie = 0;
};
