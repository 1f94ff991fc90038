#pragma once
#include <windows.h>

#include <oleauto.h>

#include <string>

// An ANSI text as a BSTR for the duration of one call, and the way back.
class AnsiBstr {
  public:
    explicit AnsiBstr(const std::string& text);
    ~AnsiBstr() { SysFreeString(m_bstr); }
    AnsiBstr(const AnsiBstr&) = delete;
    AnsiBstr& operator=(const AnsiBstr&) = delete;
    operator BSTR() const { return m_bstr; }

    // Up to an embedded NUL, as the string would read in C; "" for none.
    static std::string Narrow(BSTR text);

  private:
    BSTR m_bstr;
};
