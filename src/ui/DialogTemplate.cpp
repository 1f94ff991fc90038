#include "ui/DialogTemplate.h"

#include <string>

// Layout of DLGTEMPLATE and DLGITEMTEMPLATE: words, DWORD-aligned items, texts in UTF-16.
CDialogTemplate::CDialogTemplate(DWORD style, short x, short y, short cx, short cy, LPCSTR caption,
                                 WORD pointSize, LPCSTR face) {
    if (face) style |= DS_SETFONT;
    Add(style);
    Add(DWORD(0)); // extended style
    Add(WORD(0));  // item count, raised by AddItem
    for (short v : {x, y, cx, cy})
        Add(WORD(v));
    Add(WORD(0)); // no menu
    Add(WORD(0)); // the dialog class
    AddString(caption);
    if (face) {
        Add(pointSize);
        AddString(face);
    }
}

void CDialogTemplate::AddItem(LPCSTR className, WORD id, DWORD style, short x, short y, short cx, short cy,
                              LPCSTR text) {
    Align();
    Add(style);
    Add(DWORD(0));
    for (short v : {x, y, cx, cy})
        Add(WORD(v));
    Add(id);
    AddString(className);
    AddString(text);
    Add(WORD(0)); // no creation data
    ++m_words[4];
}

void CDialogTemplate::Align() {
    if (m_words.size() % 2) Add(WORD(0));
}

void CDialogTemplate::Add(DWORD d) {
    Add(WORD(d & 0xFFFF));
    Add(WORD(d >> 16));
}

void CDialogTemplate::AddString(LPCSTR text) {
    const std::string s = text ? text : "";
    const int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    for (wchar_t c : w)
        Add(WORD(c));
}
