#pragma once
#include <windows.h>
#include <wbemidl.h>

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
    IWbemServices* m_pServices = nullptr;
};

class CWMIQuery : public CWMIMgmt {
public:
    VARIANT GetInstanceProperty(const std::string& className, const std::string& propertyName);
    static std::string VariantToText(const VARIANT& value);
};

// One query with its own COM set-up and tear-down: the text of one property of the first
// instance of a class in root\cimv2, or "" when WMI cannot be reached.
std::string QueryWMIText(const std::string& className, const std::string& propertyName);
