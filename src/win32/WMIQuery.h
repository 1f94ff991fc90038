#pragma once
#include <wbemidl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32/Scoped.h"

// A step of a query that failed in a way the user is told of (a connection that cannot be made is
// not one of them).
struct WmiFailure {
    enum class Kind { ComInit, Security, Enumerate };
    Kind kind;
    HRESULT code;
};

class CWMIMgmt {
  public:
    CWMIMgmt() = default;
    virtual ~CWMIMgmt();
    CWMIMgmt(const CWMIMgmt&) = delete;
    CWMIMgmt& operator=(const CWMIMgmt&) = delete;
    bool Initialize();
    bool Connect(const std::string& nameSpace);
    // What failed so far, in order.
    const std::vector<WmiFailure>& Failures() const { return m_failures; }

  protected:
    CComPtr<IWbemServices> m_pServices;
    std::vector<WmiFailure> m_failures;

  private:
    int m_nComInits = 0; // successful CoInitialize calls, each owed one CoUninitialize
};

class CWMIQuery : public CWMIMgmt {
  public:
    // The caller owns the result and clears it with VariantClear.
    VARIANT GetInstanceProperty(const std::string& className, const std::string& propertyName);
    // Initialize, connect to root\cimv2 and read the property of the first instance as text;
    // "" when WMI cannot be reached.
    std::string QueryText(const std::string& className, const std::string& propertyName);
    static std::string VariantToText(const VARIANT& value);
    static std::string ErrorName(HRESULT code);
};

// One query with its own COM set-up and tear-down: the text of one property of the first
// instance of a class in root\cimv2, or "" when WMI cannot be reached; what failed on the way is
// added to `failures`.
std::string QueryWMIText(const std::string& className, const std::string& propertyName,
                         std::vector<WmiFailure>& failures);
