#include "ui/Dialog.h"

INT_PTR CDialog::DoModal(HWND owner) {
    m_bModal = true;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    return m_pTemplate ? DialogBoxIndirectParamA(inst, m_pTemplate, owner, DialogProcedure, self)
                       : DialogBoxParamA(inst, MAKEINTRESOURCEA(m_nTemplateId), owner, DialogProcedure, self);
}

bool CDialog::CreateModeless(HWND owner) {
    m_bModal = false;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    HWND hwnd = m_pTemplate
                    ? CreateDialogIndirectParamA(inst, m_pTemplate, owner, DialogProcedure, self)
                    : CreateDialogParamA(inst, MAKEINTRESOURCEA(m_nTemplateId), owner, DialogProcedure, self);
    return hwnd != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    // From a button click, the Enter and Esc keys or an accelerator.
    if (msg == WM_COMMAND && (lp == 0 || HIWORD(wp) == BN_CLICKED)) {
        if (LOWORD(wp) == IDOK) return OnOK(), 0;
        if (LOWORD(wp) == IDCANCEL) return OnCancel(), 0;
    }
    return Default(msg, wp, lp);
}

// Only initialisation passes here with the object; every later message takes the subclassed
// path and comes back here only for the default dialog handling, which is FALSE.
INT_PTR CALLBACK CDialog::DialogProcedure(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lp);
    if (!self->SubclassWindow(hwnd)) return TRUE;
    return self->OnInitDialog();
}
