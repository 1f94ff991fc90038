#pragma once
#include <string>

#include "app/StartWindowThread.h"
#include "ui/Window.h"

class CAutorunDoc;

// The borderless 640 x 480 pop-up in the middle of the screen that holds the view.
class CMainFrame : public CWindow {
  public:
    // Creates the window hidden, with the class registered at start-up; `quiet`: for a run that
    // shows no window, so no start window either.
    bool Create(const std::string& className, bool quiet = false);
    void SetDocument(CAutorunDoc* doc) { m_pDocToShow = doc; }

    std::string m_strClassName;
    CAutorunDoc* m_pDoc = nullptr; // taken when the frame is first shown
    CStartWindowThread m_startWindow;
    bool m_bStartWindow = false; // Root.ini asks for a start window instead of the wait window
    bool m_bQuiet = false;

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void PreCreateWindow(CREATESTRUCTA& cs);
    void OnCreate();
    BOOL OnQueryEndSession();

    CAutorunDoc* m_pDocToShow = nullptr;
};
