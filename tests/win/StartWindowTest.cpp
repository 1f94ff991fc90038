#include "UiTestWindow.h"
#include "app/StartDlg.h"
#include "app/StartWindowThread.h"
#include "../unit/FakeSystemFacts.h"
#include "ui/HtmlCtrl.h"
#include "win32/AnsiBstr.h"

#include <exdispid.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {
class RecordingHtml : public CHtmlCtrl {
  public:
    std::vector<std::string> m_before, m_commands;

  protected:
    void OnBeforeNavigate2(const std::string& address, bool& cancel) override {
        m_before.push_back(address);
        CHtmlCtrl::OnBeforeNavigate2(address, cancel);
    }
    void OnAppCommand(const std::string& command) override { m_commands.push_back(command); }
};

std::string Location(IWebBrowser2* browser) {
    BSTR url = nullptr;
    if (!browser || FAILED(browser->get_LocationURL(&url))) return "(none)";
    const std::string text = AnsiBstr::Narrow(url);
    SysFreeString(url);
    return text;
}

// A CD folder of its own with a Root.ini and a start page; the program "runs" from it.
class TempCd {
  public:
    explicit TempCd(const std::string& startWindow) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "startwin" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++s_count);
        CreateDirectoryA(m_path.c_str(), nullptr);
        CreateDirectoryA((m_path + "\\Start").c_str(), nullptr);
        std::ofstream(m_path + "\\Start\\index.htm") << "<html><body>Welcome</body></html>\n";
        std::ofstream(m_path + "\\Root.ini") << "[Root]\r\nStartWindow=" << startWindow << "\r\n";
        m_facts.moduleFileName = m_path + "\\Autorun.exe";
    }
    ~TempCd() {
        DeleteFileA((m_path + "\\Start\\index.htm").c_str());
        RemoveDirectoryA((m_path + "\\Start").c_str());
        DeleteFileA((m_path + "\\Root.ini").c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    std::string m_path;
    FakeSystemFacts m_facts;

  private:
    static inline int s_count = 0;
};

template <class Done> bool WaitFor(Done done, int ms = 20000) {
    for (const DWORD end = GetTickCount() + ms; !done(); Sleep(20))
        if (int(GetTickCount() - end) > 0) return false;
    return true;
}

class HtmlCtrlTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

TEST_F(HtmlCtrlTest, IsAChildControlHoldingTheBrowserUntilItsWindowGoes) {
    UiTestWindow frame;
    RecordingHtml html;
    ASSERT_TRUE(html.Create({10, 10, 310, 210}, frame.m_hWnd, IDC_HTML));
    EXPECT_FALSE(html.Create({0, 0, 10, 10}, frame.m_hWnd, 1)); // one window per control
    EXPECT_EQ(frame.m_hWnd, GetParent(html.m_hWnd));
    EXPECT_EQ(IDC_HTML, GetDlgCtrlID(html.m_hWnd));
    const LONG style = GetWindowLongA(html.m_hWnd, GWL_STYLE);
    EXPECT_EQ(WS_CHILD | WS_VISIBLE, style & (WS_CHILD | WS_VISIBLE | WS_POPUP | WS_BORDER | WS_CAPTION));
    RECT client;
    GetClientRect(html.m_hWnd, &client);
    EXPECT_EQ(300, client.right);
    EXPECT_EQ(200, client.bottom);
    ASSERT_NE(nullptr, html.GetBrowser());
    // The browser is active in place: its window lives inside ours.
    EXPECT_NE(nullptr, GetWindow(html.m_hWnd, GW_CHILD));

    ::DestroyWindow(html.m_hWnd);
    EXPECT_EQ(nullptr, html.GetBrowser());
    EXPECT_EQ(nullptr, html.m_hWnd);
    EXPECT_FALSE(html.Navigate2("about:blank"));
}

TEST_F(HtmlCtrlTest, ReportsEveryNavigationBeforeItHappens) {
    TempCd cd("Normal");
    UiTestWindow frame;
    RecordingHtml html;
    ASSERT_TRUE(html.Create({0, 0, 300, 200}, frame.m_hWnd, IDC_HTML));
    const std::string page = cd.m_path + "\\Start\\index.htm";
    const std::string missing = cd.m_path + "\\Start\\nothere.htm";
    for (const std::string& address : {page, missing, std::string(3000, 'x')}) {
        EXPECT_TRUE(html.Navigate2(address));
        Pump(300);
    }
    ASSERT_EQ(3u, html.m_before.size());
    EXPECT_EQ(page, html.m_before[0]);
    EXPECT_EQ(missing, html.m_before[1]);
    EXPECT_TRUE(html.m_commands.empty());
}

TEST_F(HtmlCtrlTest, AppAddressesAreCommandsNeverFollowed) {
    TempCd cd("Normal");
    UiTestWindow frame;
    RecordingHtml html;
    ASSERT_TRUE(html.Create({0, 0, 300, 200}, frame.m_hWnd, IDC_HTML));
    ASSERT_TRUE(html.Navigate2(cd.m_path + "\\Start\\index.htm"));
    Pump(300);
    const std::string shown = Location(html.GetBrowser());
    EXPECT_NE(std::string::npos, shown.find("index.htm")) << shown;

    for (const char* address : {"app:exit", "APP:Exit", "App:"}) {
        html.Navigate2(address);
        Pump(300);
    }
    EXPECT_EQ((std::vector<std::string>{"exit", "Exit", ""}), html.m_commands);
    EXPECT_EQ(shown, Location(html.GetBrowser()));
}

// The events as the browser would fire them, including shapes it should never send.
TEST_F(HtmlCtrlTest, NavigationEventsOfAnotherShapeAreLetThrough) {
    UiTestWindow frame;
    RecordingHtml html;
    ASSERT_TRUE(html.Create({0, 0, 300, 200}, frame.m_hWnd, IDC_HTML));
    IOleObject* object = nullptr;
    ASSERT_TRUE(
        SUCCEEDED(html.GetBrowser()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object))));
    IOleClientSite* site = nullptr;
    ASSERT_TRUE(SUCCEEDED(object->GetClientSite(&site)));
    object->Release();
    IDispatch* sink = nullptr;
    ASSERT_TRUE(SUCCEEDED(site->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&sink))));
    site->Release();

    const AnsiBstr app("app:run"), page("C:\\page.htm");
    const struct {
        const char* name;
        DISPID id;
        UINT args;
        VARTYPE urlType; // VT_BYREF | VT_VARIANT: by reference, as the browser sends it
        BSTR url;
        bool cancelByRef;
        bool wantCancel;
        size_t wantCommands;
    } cases[] = {
        {"app by reference", DISPID_BEFORENAVIGATE2, 7, VT_BYREF | VT_VARIANT, app, true, true, 1},
        {"app by value", DISPID_BEFORENAVIGATE2, 7, VT_BSTR, app, true, true, 2},
        {"page", DISPID_BEFORENAVIGATE2, 7, VT_BYREF | VT_VARIANT, page, true, false, 2},
        {"null url", DISPID_BEFORENAVIGATE2, 7, VT_BSTR, nullptr, true, false, 2},
        {"another event", DISPID_NAVIGATECOMPLETE2, 7, VT_BSTR, app, true, false, 2},
        {"too few arguments", DISPID_BEFORENAVIGATE2, 6, VT_BSTR, app, true, false, 2},
        {"no arguments", DISPID_BEFORENAVIGATE2, 0, VT_BSTR, app, true, false, 2},
        {"url not text", DISPID_BEFORENAVIGATE2, 7, VT_I4, app, true, false, 2},
        {"cancel by value", DISPID_BEFORENAVIGATE2, 7, VT_BSTR, app, false, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VARIANT args[7], url;
        for (VARIANT& a : args)
            VariantInit(&a);
        VariantInit(&url);
        VARIANT_BOOL cancel = VARIANT_FALSE;
        url.vt = VT_BSTR;
        url.bstrVal = c.url;
        if (c.urlType == (VT_BYREF | VT_VARIANT)) {
            args[5].vt = VT_BYREF | VT_VARIANT;
            args[5].pvarVal = &url;
        } else {
            args[5] = url;
            args[5].vt = c.urlType;
        }
        if (c.cancelByRef) {
            args[0].vt = VT_BYREF | VT_BOOL;
            args[0].pboolVal = &cancel;
        } else {
            args[0].vt = VT_BOOL;
        }
        DISPPARAMS params{c.args ? args : nullptr, nullptr, c.args, 0};
        EXPECT_EQ(S_OK, sink->Invoke(c.id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr));
        EXPECT_EQ(c.wantCancel ? VARIANT_TRUE : VARIANT_FALSE, cancel);
        EXPECT_EQ(c.wantCommands, html.m_commands.size());
    }
    EXPECT_EQ(S_OK, sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr,
                                 nullptr, nullptr));

    // The site outlives the control's window without reaching back into it.
    ::DestroyWindow(html.m_hWnd);
    VARIANT args[7];
    for (VARIANT& a : args)
        VariantInit(&a);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    args[5].vt = VT_BSTR;
    args[5].bstrVal = app;
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    DISPPARAMS params{args, nullptr, 7, 0};
    sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    EXPECT_EQ(VARIANT_FALSE, cancel);
    EXPECT_EQ(2u, html.m_commands.size());
    sink->Release();
}

// The start window run modally on this thread; it notes what it shows, then ends.
class ObservedStartDlg : public CStartDlg {
  public:
    using CStartDlg::CStartDlg;
    std::string m_location;
    RECT m_window{}, m_client{}, m_htmlRect{}, m_resource{0, 0, 184, 148};
    LONG m_style = 0;
    bool m_visible = false;

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CStartDlg::OnInitDialog();
        SetTimer(m_hWnd, 1, 500, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_TIMER) {
            KillTimer(m_hWnd, 1);
            m_location = Location(m_html.GetBrowser());
            GetWindowRect(m_hWnd, &m_window);
            GetClientRect(m_hWnd, &m_client);
            MapDialogRect(m_hWnd, &m_resource);
            GetWindowRect(m_html.m_hWnd, &m_htmlRect);
            m_style = GetWindowLongA(m_hWnd, GWL_STYLE);
            m_visible = IsWindowVisible(m_hWnd);
            End();
        }
        return CStartDlg::WindowProc(msg, wp, lp);
    }
};

TEST_F(HtmlCtrlTest, StartDlgIsACentredBorderedPopupShowingTheStartPage) {
    TempCd cd("<Path>\\Start\\index.htm");
    ObservedStartDlg dlg(cd.m_facts);
    EXPECT_EQ(0, dlg.DoModal(nullptr));
    EXPECT_EQ(nullptr, dlg.GetWindow());

    EXPECT_NE(std::string::npos, dlg.m_location.find(cd.m_path + "\\Start\\index.htm")) << dlg.m_location;
    EXPECT_TRUE(dlg.m_visible);
    EXPECT_EQ(WS_POPUP | WS_BORDER, dlg.m_style & (WS_POPUP | WS_BORDER | WS_CAPTION | WS_THICKFRAME));
    // The resource's 184 x 148 dialog units, in the middle of the screen.
    const int width = dlg.m_window.right - dlg.m_window.left, height = dlg.m_window.bottom - dlg.m_window.top;
    EXPECT_EQ(dlg.m_resource.right, dlg.m_client.right);
    EXPECT_EQ(dlg.m_resource.bottom, dlg.m_client.bottom);
    EXPECT_NEAR((GetSystemMetrics(SM_CXSCREEN) - width) / 2, dlg.m_window.left, 1);
    EXPECT_NEAR((GetSystemMetrics(SM_CYSCREEN) - height) / 2, dlg.m_window.top, 1);
    // The page fills the client area.
    EXPECT_EQ(dlg.m_client.right, dlg.m_htmlRect.right - dlg.m_htmlRect.left);
    EXPECT_EQ(dlg.m_client.bottom, dlg.m_htmlRect.bottom - dlg.m_htmlRect.top);
}

TEST_F(HtmlCtrlTest, StartDlgShowsWhatItCanOfOddValues) {
    const struct {
        std::string value;
        std::string wantInLocation;
    } cases[] = {
        {"<Path>\\nothere.htm", "\\nothere.htm"},
        {"<path>\\Start\\index.htm", "path"}, // not a reference: case counts
        {std::string(3000, 'x'), ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.substr(0, 40));
        TempCd cd(c.value);
        ObservedStartDlg dlg(cd.m_facts);
        EXPECT_EQ(0, dlg.DoModal(nullptr));
        EXPECT_TRUE(dlg.m_visible);
        EXPECT_NE(std::string::npos, dlg.m_location.find(c.wantInLocation)) << dlg.m_location;
        EXPECT_EQ(c.value.rfind("<Path>", 0) == 0, dlg.m_location.find(cd.m_path) != std::string::npos)
            << dlg.m_location;
    }
}

// Detection may end before the start window's thread has made its window: that window must never
// show, not even for a moment, nor when something shows it later.
class WatchedStartDlg : public ObservedStartDlg {
  public:
    using ObservedStartDlg::ObservedStartDlg;
    bool m_everShown = false;

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_SHOWWINDOW))
            m_everShown = true;
        if (msg == WM_TIMER) ShowWindow(m_hWnd, SW_SHOW); // whatever shows it later
        return ObservedStartDlg::WindowProc(msg, wp, lp);
    }
};

TEST_F(HtmlCtrlTest, AStartDlgHiddenBeforeItExistsNeverShows) {
    TempCd cd("<Path>\\Start\\index.htm");
    WatchedStartDlg dlg(cd.m_facts);
    dlg.Hide();
    EXPECT_EQ(0, dlg.DoModal(nullptr));
    EXPECT_FALSE(dlg.m_everShown);
    EXPECT_FALSE(dlg.m_visible);
}

TEST(StartWindowThread, StaysResponsiveWhileTheCallerIsBusyAndHidesOnRequest) {
    TempCd cd("<Path>\\Start\\index.htm");
    HWND window;
    {
        CStartWindowThread start(cd.m_facts);
        EXPECT_EQ(nullptr, start.GetWindow());
        ASSERT_TRUE(start.Start());
        EXPECT_FALSE(start.Start());
        // This thread never pumps a message: it is the busy main thread.
        ASSERT_TRUE(WaitFor([&] { return start.GetWindow() != nullptr; }));
        window = start.GetWindow();
        EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(window, nullptr));
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000));
        for (int i = 0; i < 5; ++i) {
            Sleep(200);
            DWORD_PTR answer;
            EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
        }
        start.Hide();
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 5000));
        EXPECT_TRUE(IsWindow(window)); // hidden, not closed
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(StartWindowThread, AWindowCreatedAfterTheHideRequestHidesItself) {
    for (int round = 0; round < 3; ++round) {
        TempCd cd("<Path>\\Start\\index.htm");
        CStartWindowThread start(cd.m_facts);
        ASSERT_TRUE(start.Start());
        start.Hide(); // detection done before the thread got going
        ASSERT_TRUE(WaitFor([&] { return start.GetWindow() != nullptr; }));
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(start.GetWindow()); }, 5000));
    }
}

TEST(StartWindowThread, WithoutStartThereIsNothingToHide) {
    CStartWindowThread start;
    start.Hide();
    EXPECT_EQ(nullptr, start.GetWindow());
}

TEST(StartWindowThread, EndsWithItsOwnerEvenBeforeItsWindowExists) {
    TempCd cd("<Path>\\Start\\index.htm");
    const DWORD begin = GetTickCount();
    { CStartWindowThread(cd.m_facts).Start(); }
    EXPECT_LT(GetTickCount() - begin, 5000u);
}
} // namespace
