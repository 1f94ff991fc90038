#pragma once
#include <windows.h>

#include <string>

#include "core/OsFacts.h"

// The running Windows version, classified once at construction, and the user's language.
class COS {
  public:
    COS();
    virtual ~COS() = default;

    BOOL IsNT() const { return m_flags.IsNT; }
    BOOL Is9x() const { return m_flags.Is9x; }
    BOOL IsWin95() const { return m_flags.IsWin95; }
    BOOL IsWin98() const { return m_flags.IsWin98; }
    BOOL IsWinME() const { return m_flags.IsWinME; }
    BOOL IsWin2000() const { return m_flags.IsWin2000; }
    BOOL IsWinXP() const { return m_flags.IsWinXP; }
    BOOL IsWin2003() const { return m_flags.IsWin2003; }
    BOOL IsWinXPA() const { return m_flags.IsWinXPA; }
    BOOL IsWin2003A() const { return m_flags.IsWin2003A; }
    const OsFlags& Flags() const { return m_flags; }

    // Asked anew at each call: the user's language is not stored.
    std::string GetLanguageCode() const;
    static BOOL IsWow64();

  private:
    OSVERSIONINFOA m_osvi;
    OsFlags m_flags;
};
