#include "ui/WaitMsgDlg.h"

bool CWaitMsgDlg::Create() {
    if (!CreateModeless(m_hOwner)) return false;
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

BOOL CWaitMsgDlg::OnInitDialog() {
    m_busyBar.SubclassDlgItem(IDC_BUSYBAR, m_hWnd);
    return TRUE;
}

void CWaitMsgDlg::StartBusy() {
    m_busyBar.SetBlockFaceColor(RGB(5, 178, 217));
    m_busyBar.SetHiliteFaceColor(RGB(206, 249, 255));
    m_busyBar.SetMode(BusyBarState::kBusy);
    m_busyBar.SetBusyType(BusyBarState::kLoop);
    m_busyBar.SetSpeed(200);
    ShowWindow(m_busyBar.m_hWnd, SW_SHOW);
    m_busyBar.StartAnimation();
}

void CWaitMsgDlg::StopBusy() {
    m_busyBar.StopAnimation();
    ShowWindow(m_busyBar.m_hWnd, SW_HIDE);
}
