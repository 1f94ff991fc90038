#pragma once
#include <memory>
#include <string>

#include "app/SingleInstallBtn.h"
#include "core/RunMode.h"
#include "ui/Dib.h"
#include "ui/MyStatic.h"
#include "ui/TipHost.h"
#include "ui/Window.h"

class CAutorunDoc;
class CMainFrame;

// The window's only view: paints the skin (background, title, subtitle, rule) under the buttons
// and passes their commands to the document.
class CAutorunView : public CWindow, public CTipHost {
  public:
    CAutorunView(CAutorunDoc& doc, CMainFrame& frame) : m_doc(doc), m_frame(frame) {}

    bool Create(HWND frame);
    // Chooses the run mode from the command line and builds what that mode shows. False when the
    // program has nothing more to do: the dump is written, nothing can resume, no menu file.
    bool OnInitialUpdate(const RunModeChoice& choice, const std::string& commandLine);
    std::string ResolveBackground(const std::string& iniFile) const;
    HWND GetTipArea() const override { return m_description.m_hWnd; }
    const CDib* GetTipBackground() const override { return m_pBackground.get(); }
    TipStyle GetTipStyle() const override;
    TipText GetTipText() const override;

    std::unique_ptr<CDib> m_pBackground;
    CMyStatic m_description;                         // the button tips write here
    std::unique_ptr<CSingleInstallBtn> m_pResumeBtn; // a resumed run's hidden install button

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void OnDraw(HDC dc);
    void DrawShadowedText(HDC dc, const std::string& text, const Rect& place, int height);
    bool LoadBackground(const std::string& menuFile);
    bool BuildInteractive(const std::string& menuFile);
    bool Resume(const std::string& commandLine, const std::string& menuFile);

    CAutorunDoc& m_doc;
    CMainFrame& m_frame;
};
