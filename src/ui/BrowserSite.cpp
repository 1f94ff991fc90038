#include "ui/BrowserSite.h"

#include "ui/HtmlCtrl.h"
#include "win32/AnsiBstr.h"

#include <exdispid.h>

STDMETHODIMP CBrowserSite::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
        *object = static_cast<IDispatch*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CBrowserSite::AddRef() {
    return ULONG(InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CBrowserSite::Release() {
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0) delete this;
    return ULONG(refs);
}

STDMETHODIMP CBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CBrowserSite::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = m_pOwner ? m_pOwner->m_hWnd : nullptr;
    return *hwnd ? S_OK : E_FAIL;
}

// The browser takes the whole host window; the host is also its frame, without menus or accelerators.
STDMETHODIMP CBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                            LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *doc = nullptr;
    *frame = nullptr;
    if (!m_pOwner || !m_pOwner->m_hWnd) return E_FAIL;
    *frame = this;
    AddRef();
    GetClientRect(m_pOwner->m_hWnd, pos);
    *clip = *pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_pOwner->m_hWnd;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                  UINT*) {
    if (id == DISPID_BEFORENAVIGATE2 && params) BeforeNavigate2(*params);
    return S_OK;
}

// BeforeNavigate2(disp, url, flags, target frame, post data, headers, cancel), last first in rgvarg.
// An event that does not have that shape is let through untouched.
void CBrowserSite::BeforeNavigate2(DISPPARAMS& params) {
    if (!m_pOwner || params.cArgs != 7 || !params.rgvarg) return;
    const VARIANT* url = &params.rgvarg[5];
    if (url->vt == (VT_BYREF | VT_VARIANT) && url->pvarVal) url = url->pvarVal;
    VARIANT& cancel = params.rgvarg[0];
    if (url->vt != VT_BSTR || cancel.vt != (VT_BYREF | VT_BOOL) || !cancel.pboolVal) return;
    bool cancelled = *cancel.pboolVal != VARIANT_FALSE;
    m_pOwner->OnBeforeNavigate2(AnsiBstr::Narrow(url->bstrVal), cancelled);
    *cancel.pboolVal = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
}
