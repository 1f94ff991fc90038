#include "win32/WMIQuery.h"

#include "core/WbemErrors.h"
#include "win32/AnsiBstr.h"
#include "win32/LateBound.h"

#include <cstdio>

namespace {
class WaitCursor {
  public:
    WaitCursor() : m_hOld(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_hOld); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR m_hOld;
};

std::string Format(const char* format, double value) {
    const int n = std::snprintf(nullptr, 0, format, value);
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(&out[0], out.size(), format, value);
    out.resize(static_cast<std::size_t>(n));
    return out;
}
} // namespace

CWMIMgmt::~CWMIMgmt() {
    m_pServices.Reset();
    for (; m_nComInits > 0; --m_nComInits)
        CoUninitialize();
}

bool CWMIMgmt::Initialize() {
    const HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr)) {
        m_failures.push_back({WmiFailure::Kind::ComInit, hr});
        return false;
    }
    ++m_nComInits;
    // Process security can only be set by whoever brought COM up on this thread.
    if (hr != S_OK) return true;
    const CComSecurity security;
    const HRESULT set =
        !security.Loaded()
            ? E_NOTIMPL
            : security.CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                                            RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(set)) {
        m_failures.push_back({WmiFailure::Kind::Security, set});
        return false;
    }
    return true;
}

bool CWMIMgmt::Connect(const std::string& nameSpace) {
    WaitCursor wait;
    CComPtr<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                locator.ReceiveVoid())))
        return false;
    HRESULT hr = locator->ConnectServer(AnsiBstr(nameSpace), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                        m_pServices.Receive());
    const CComSecurity security;
    if (SUCCEEDED(hr))
        hr = !security.Loaded()
                 ? E_NOTIMPL
                 : security.CoSetProxyBlanket(m_pServices.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                              RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                              EOAC_NONE);
    if (FAILED(hr)) m_pServices.Reset();
    return SUCCEEDED(hr);
}

VARIANT CWMIQuery::GetInstanceProperty(const std::string& className, const std::string& propertyName) {
    VARIANT value;
    VariantInit(&value);
    if (!m_pServices) return value;
    WaitCursor wait;
    CComPtr<IEnumWbemClassObject> instances;
    const HRESULT hr = m_pServices->CreateInstanceEnum(AnsiBstr(className), 0, nullptr, instances.Receive());
    if (FAILED(hr)) {
        m_failures.push_back({WmiFailure::Kind::Enumerate, hr});
        return value;
    }
    CComPtr<IWbemClassObject> instance;
    ULONG count = 0;
    if (SUCCEEDED(instances->Next(2000, 1, instance.Receive(), &count)) && count == 1 &&
        FAILED(instance->Get(AnsiBstr(propertyName), 0, &value, nullptr, nullptr)))
        VariantInit(&value);
    return value;
}

std::string CWMIQuery::QueryText(const std::string& className, const std::string& propertyName) {
    Initialize();
    if (!Connect("\\\\.\\root\\cimv2")) return {};
    VARIANT value = GetInstanceProperty(className, propertyName);
    std::string text = VariantToText(value);
    VariantClear(&value);
    return text;
}

std::string CWMIQuery::VariantToText(const VARIANT& value) {
    switch (value.vt) {
    case VT_I2:
        return std::to_string(value.iVal);
    case VT_I4:
        return std::to_string(value.lVal);
    case VT_R4:
        return Format("%10.4f", value.fltVal);
    case VT_R8:
        return Format("%10.4f", value.dblVal);
    case VT_BSTR:
        return AnsiBstr::Narrow(value.bstrVal);
    case VT_BOOL:
        return value.boolVal != 0 ? "true" : "false";
    case VT_UI1:
        return std::to_string(value.bVal);
    default:
        return "NULL";
    }
}

std::string CWMIQuery::ErrorName(HRESULT code) {
    return WbemErrorName(static_cast<std::uint32_t>(code));
}

std::string QueryWMIText(const std::string& className, const std::string& propertyName,
                         std::vector<WmiFailure>& failures) {
    CWMIQuery query;
    std::string text = query.QueryText(className, propertyName);
    failures.insert(failures.end(), query.Failures().begin(), query.Failures().end());
    return text;
}
