#include "app/MainFrame.h"

#include "app/AutorunDoc.h"
#include "app/InstallEngine.h"
#include "core/IniFile.h"
#include "core/MenuModel.h"
#include "core/StartPage.h"
#include "core/Token.h"

void CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.cx = 640;
    cs.cy = 480;
    cs.x = (GetSystemMetrics(SM_CXSCREEN) - cs.cx) / 2;
    cs.y = (GetSystemMetrics(SM_CYSCREEN) - cs.cy) / 2;
    cs.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    cs.lpszClass = m_strClassName.c_str();
}

bool CMainFrame::Create(const std::string& className, bool quiet) {
    m_strClassName = className;
    m_bQuiet = quiet;
    CREATESTRUCTA cs{};
    PreCreateWindow(cs);
    return CWindow::Create(cs.lpszClass, "Autorun", cs.style, {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy},
                           nullptr, 0);
}

// The start window shows the CD's page while the main thread detects and builds the menu.
void CMainFrame::OnCreate() {
    if (m_bQuiet) return;
    const std::string root = RootIniPath(CToken().GetVariable("Path"));
    m_bStartWindow = WantsStartWindow(ReadStartWindow(CIniFile(root)));
    if (m_bStartWindow) m_startWindow.Start();
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        break;
    case WM_SHOWWINDOW:
        if (wp) m_pDoc = m_pDocToShow;
        break;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    }
    return Default(msg, wp, lp);
}

// Windows may shut down: a running installation records where to go on, and the detection object
// goes now (it removes the port-I/O service) and is forgotten, so that a Close after a shutdown
// vetoed elsewhere does not delete it again.
BOOL CMainFrame::OnQueryEndSession() {
    if (!m_pDoc) return TRUE;
    if (m_pDoc->m_pInstall) m_pDoc->m_pInstall->OnEndSession();
    m_pDoc->DeleteDetection();
    return TRUE;
}
