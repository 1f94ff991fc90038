#include "app/AutorunView.h"

#include "app/AutorunDoc.h"
#include "app/MainFrame.h"
#include "app/Messages.h"
#include "app/RunDumpMode.h"
#include "app/Skin.h"
#include "core/BackgroundChoice.h"
#include "core/IniFile.h"
#include "core/RunMode.h"
#include "core/Token.h"
#include "core/WindowLayout.h"
#include "ui/BtnST.h"
#include "ui/WaitMsgDlg.h"
#include "win32/OS.h"

namespace {
const char kViewClass[] = "AutorunView";
const UINT kViewId = 0xE900; // the first pane of a frame
const UINT kDescriptionId = 2050;

void SetTransparent(const std::unique_ptr<CBtnST>& button) {
    if (button) button->SetTransparent(FALSE);
}
} // namespace

bool CAutorunView::Create(HWND frame) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kViewClass;
    RegisterClassA(&wc); // fails harmlessly when a view was made before
    RECT rc;
    GetClientRect(frame, &rc);
    return CWindow::Create(kViewClass, "", WS_CHILD | WS_VISIBLE, rc, frame, kViewId);
}

bool CAutorunView::OnInitialUpdate(const RunModeChoice& choice, const std::string& commandLine) {
    if (choice.mode == RunMode::Dump) {
        RunDumpMode(choice.dumpFile);
        return false;
    }
    m_doc.SetDetection(CreateDetectionObject(choice));
    if (choice.mode == RunMode::Resume) {
        m_doc.m_bSilent = TRUE;
        return Resume(commandLine, m_doc.m_strRootIni);
    }
    // No separator: the command line brings its own leading backslash.
    CToken token;
    return BuildInteractive(choice.mode == RunMode::Custom
                                ? token.GetVariable("Path") + token.ExpandVariables(commandLine)
                                : m_doc.m_strRootIni);
}

// Goes on with the install sequence a restart interrupted, on a hidden install button. The
// document records it too, so that a log-off during a resumed step records the step after it.
bool CAutorunView::Resume(const std::string& commandLine, const std::string& menuFile) {
    int step = 0;
    m_pResumeBtn = CSingleInstallBtn::CreateForResume(commandLine, m_hWnd, *m_doc.Detect(), &step);
    if (!m_pResumeBtn) return false;
    m_doc.m_pInstall = &m_pResumeBtn->Engine();
    if (LoadBackground(menuFile)) m_pResumeBtn->StartStep(step);
    return true;
}

bool CAutorunView::BuildInteractive(const std::string& menuFile) {
    WIN32_FIND_DATAA found;
    if (!CFindHandle(FindFirstFileA(menuFile.c_str(), &found))) return false;

    CWaitMsgDlg wait; // gone when the window appears
    if (!m_frame.m_bStartWindow) wait.Create();
    // Windows 95, 98 and ME get seven seconds before the detection, with the wait box (or the start
    // window, on its own thread) on the screen.
    if (COS().Is9x()) WaitWhileShowing(wait.m_hWnd, 7000);

    m_doc.BuildMenu(m_hWnd);
    m_frame.m_startWindow.Hide();
    if (!LoadBackground(menuFile)) return true;
    m_description.Create("", WS_CHILD | WS_VISIBLE, ToWinRect(kWindowLayout.description), m_hWnd,
                         kDescriptionId);
    m_description.SetTransparent(TRUE);
    return true;
}

bool CAutorunView::LoadBackground(const std::string& menuFile) {
    const std::string name = ResolveBackground(menuFile);
    const CHandle file(
        CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        ShowMessage(FileErrorMessage(GetLastError()), name);
        return false;
    }
    m_pBackground = std::make_unique<CDib>(file.Get());
    return true;
}

TipStyle CAutorunView::GetTipStyle() const {
    return ReadTipStyle(CIniFile(m_doc.m_strRootIni));
}

// Descriptions follow the user's language, not the language of the detected machine.
TipText CAutorunView::GetTipText() const {
    const std::string lang = CToken().ExpandVariables("<Lang>");
    return {ReadTipLabels(CIniFile(m_doc.m_strRootIni), lang), TipFace(lang)};
}

std::string CAutorunView::ResolveBackground(const std::string& iniFile) const {
    return ChooseBackground(CIniFile(iniFile), m_doc.m_devices);
}

LRESULT CAutorunView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hWnd, &ps);
        OnDraw(dc);
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (m_doc.OnCommand(LOWORD(wp))) return 0;
        break;
    }
    return Default(msg, wp, lp);
}

void CAutorunView::OnDraw(HDC dc) {
    SIZE size;
    if (m_pBackground && m_pBackground->GetSize(&size))
        m_pBackground->Draw(dc, {0, 0, size.cx, size.cy}, {0, 0});
    if (m_doc.m_bSilent) return;

    const WindowLayout& l = kWindowLayout;
    const bool hasSub = !m_doc.m_strSubCaption.empty();
    DrawShadowedText(dc, m_doc.m_strDefaultCaption, hasSub ? l.titleAboveSubtitle : l.titleAlone,
                     hasSub ? l.titleHeightAboveSubtitle : l.titleHeight);
    if (hasSub) DrawShadowedText(dc, m_doc.m_strSubCaption, l.subtitle, l.subtitleHeight);
    {
        const CPen pen(CreatePen(PS_SOLID, l.ruleWidth, l.ruleColor));
        const CSelectObject selectPen(dc, pen.Get());
        MoveToEx(dc, l.ruleLeft, l.ruleY, nullptr);
        LineTo(dc, l.ruleRight, l.ruleY);
    }

    // Each button copies the picture just painted under it when it next paints itself.
    SetTransparent(m_doc.m_pCloseBtn);
    SetTransparent(m_doc.m_pWebBtn);
    SetTransparent(m_doc.m_pBrowseBtn);
    m_doc.RefreshBackgrounds();
}

// Bold italic Arial, the block of wrapped lines centred vertically in `box`, black with a white
// copy 2 pixels right of and below it.
void CAutorunView::DrawShadowedText(HDC dc, const std::string& text, const Rect& place, int height) {
    RECT box = ToWinRect(place);
    const CFont font(CreateFontA(height, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 FF_SWISS | DEFAULT_PITCH, "Arial"));
    const CSelectObject selectFont(dc, font.Get());
    const int h = box.bottom - box.top;
    const int top = box.top;
    DrawTextA(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK);
    const int t = box.bottom - box.top;
    box.top = top + (h - t) / 2;
    box.bottom = box.top + t;

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kWindowLayout.titleColor);
    DrawTextA(dc, text.c_str(), -1, &box, DT_WORDBREAK);
    OffsetRect(&box, kWindowLayout.shadowOffset, kWindowLayout.shadowOffset);
    SetTextColor(dc, kWindowLayout.shadowColor);
    DrawTextA(dc, text.c_str(), -1, &box, DT_WORDBREAK);
}
