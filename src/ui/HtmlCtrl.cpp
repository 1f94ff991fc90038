#include "ui/HtmlCtrl.h"

#include "core/StartPage.h"
#include "ui/BrowserSite.h"
#include "win32/AnsiBstr.h"

namespace {
const char kClassName[] = "AutorunHtmlCtrl";

bool RegisterHostClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &CWindow::WindowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    return registered;
}

CComPtr<IConnectionPoint> BrowserEvents(IWebBrowser2* browser) {
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    if (SUCCEEDED(browser->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid())) &&
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Receive())))
        point.Reset();
    return point;
}
} // namespace

CHtmlCtrl::~CHtmlCtrl() {
    // Here, while WindowProc is still ours, so the browser goes with the window.
    DestroyWindow();
    ReleaseBrowser();
}

bool CHtmlCtrl::Create(const RECT& rect, HWND parent, UINT id) {
    if (m_hWnd || !RegisterHostClass()) return false;
    if (!CWindow::Create(kClassName, "", WS_CHILD | WS_VISIBLE, rect, parent, id)) return false;
    if (Embed()) return true;
    DestroyWindow();
    return false;
}

bool CHtmlCtrl::Embed() {
    CComPtr<IOleObject> object;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                object.ReceiveVoid())))
        return false;
    m_pSite = CComPtr<CBrowserSite>::Adopt(new CBrowserSite(*this));
    RECT client;
    GetClientRect(m_hWnd, &client);
    bool ok =
        SUCCEEDED(object->SetClientSite(m_pSite.Get())) &&
        SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite.Get(), 0, m_hWnd, &client)) &&
        SUCCEEDED(object->QueryInterface(IID_IWebBrowser2, m_pBrowser.ReceiveVoid()));
    if (ok) {
        const CComPtr<IConnectionPoint> events = BrowserEvents(m_pBrowser.Get());
        ok = events && SUCCEEDED(events->Advise(static_cast<IDispatch*>(m_pSite.Get()), &m_dwEventCookie));
    }
    if (!ok) object->SetClientSite(nullptr);
    object.Reset();
    if (!ok) ReleaseBrowser();
    return ok;
}

void CHtmlCtrl::ReleaseBrowser() {
    if (m_pBrowser) {
        if (m_dwEventCookie) {
            const CComPtr<IConnectionPoint> events = BrowserEvents(m_pBrowser.Get());
            if (events) events->Unadvise(m_dwEventCookie);
        }
        m_dwEventCookie = 0;
        CComPtr<IOleObject> object;
        if (SUCCEEDED(m_pBrowser->QueryInterface(IID_IOleObject, object.ReceiveVoid()))) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
        m_pBrowser.Reset();
    }
    if (m_pSite) m_pSite->Detach();
    m_pSite.Reset();
}

bool CHtmlCtrl::Navigate2(const std::string& address) {
    if (!m_pBrowser) return false;
    const AnsiBstr text(address);
    VARIANT url, none;
    VariantInit(&url);
    VariantInit(&none);
    url.vt = VT_BSTR;
    url.bstrVal = text;
    return SUCCEEDED(m_pBrowser->Navigate2(&url, &none, &none, &none, &none));
}

void CHtmlCtrl::OnBeforeNavigate2(const std::string& address, bool& cancel) {
    std::string command;
    if (!IsAppAddress(address, command)) return;
    cancel = true;
    OnAppCommand(command);
}

LRESULT CHtmlCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) ReleaseBrowser();
    return Default(msg, wp, lp);
}
