#pragma once
#include <wbemidl.h>
#include <windows.h>

#include <string>

class CWMIMgmt {
  public:
    CWMIMgmt() = default;
    virtual ~CWMIMgmt();
    CWMIMgmt(const CWMIMgmt&) = delete;
    CWMIMgmt& operator=(const CWMIMgmt&) = delete;
    bool Initialize();
    bool Connect(const std::string& nameSpace);

  protected:
    // The user sees WMI failures in a message box; tests watch them here instead.
    virtual void ShowMessage(const std::string& text);

    IWbemServices* m_pServices = nullptr;

  private:
    void ReleaseServices();

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
// instance of a class in root\cimv2, or "" when WMI cannot be reached.
std::string QueryWMIText(const std::string& className, const std::string& propertyName);
