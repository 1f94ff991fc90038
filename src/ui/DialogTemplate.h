#pragma once
#include <windows.h>

#include <vector>

// A dialog template built in memory, for dialogs whose layout is fixed in code.
class CDialogTemplate {
  public:
    // Coordinates in dialog units; with a face name the template carries DS_SETFONT and that font.
    CDialogTemplate(DWORD style, short x, short y, short cx, short cy, LPCSTR caption, WORD pointSize = 0,
                    LPCSTR face = nullptr);

    void AddItem(LPCSTR className, WORD id, DWORD style, short x, short y, short cx, short cy, LPCSTR text);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

  private:
    void Align();
    void Add(WORD w) { m_words.push_back(w); }
    void Add(DWORD d);
    void AddString(LPCSTR text);

    std::vector<WORD> m_words;
};
