#pragma once
#include "ui/Window.h"

// A dialog from a template, either a resource of this program or one built in memory. Once
// initialised its window is subclassed like any other of ours, so WindowProc sees its
// messages and its controls receive their reflected ones.
class CDialog : public CWindow {
  public:
    explicit CDialog(UINT templateId) : m_nTemplateId(templateId) {}
    // The template must outlive the dialog's window.
    explicit CDialog(const DLGTEMPLATE* dlgTemplate) : m_pTemplate(dlgTemplate) {}

    INT_PTR DoModal(HWND owner);
    bool CreateModeless(HWND owner);
    // Ends a modal dialog with that result; destroys a modeless one.
    void EndDialog(INT_PTR result);

  protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    UINT m_nTemplateId = 0;
    const DLGTEMPLATE* m_pTemplate = nullptr;
    bool m_bModal = false;
};
