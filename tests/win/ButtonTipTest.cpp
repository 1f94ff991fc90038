#include "ui/ButtonTip.h"
#include "TipTestView.h"
#include "UiTestWindow.h"

#include <gtest/gtest.h>

namespace {
const RECT kView{0, 0, 640, 480};
const RECT kArea{310, 150, 600, 400};
const RECT kButton{50, 130, 300, 160};
const COLORREF kTip = RGB(255, 0, 255);

// Magenta 12-point tips and labels of our own.
const char kRootIni[] = "[Root]\r\nTip Color R=255\r\nTip Color G=0\r\nTip Color B=255\r\nNoteSize=12\r\n"
                        "[INTERFACE]\r\nCurrent Install=Installed\r\nLatest Driver=Latest\r\n"
                        "Issue Date=Date\r\nProvider=By\r\n";

// Root.ini beside the program, where the buttons look for it.
class RootIni {
  public:
    explicit RootIni(const std::string& text = kRootIni) : m_path(ProgramFolder() + "Root.ini") {
        WriteText(m_path, text);
    }
    ~RootIni() { DeleteFileA(m_path.c_str()); }

  private:
    std::string m_path;
};

bool Inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

struct Shot {
    std::vector<COLORREF> pixels = Screenshot(kView);
    COLORREF At(int x, int y) const { return pixels[std::size_t(y) * 640 + x]; }
    int Count(COLORREF c, bool inArea) const {
        int n = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                n += At(x, y) == c && Inside(kArea, x, y) == inArea;
        return n;
    }
    // The lowest row of the area with tip text; -1 when none.
    int LowestTipRow() const {
        for (int y = kArea.bottom - 1; y >= kArea.top; --y)
            for (int x = kArea.left; x < kArea.right; ++x)
                if (At(x, y) == kTip) return y;
        return -1;
    }
    // Pixels of the area that differ from the picture.
    int Changed() const {
        int n = 0;
        for (int y = kArea.top; y < kArea.bottom; ++y)
            for (int x = kArea.left; x < kArea.right; ++x)
                n += At(x, y) != TipTestView::PictureAt(x, y);
        return n;
    }
};

struct Tip : testing::Test {
    RootIni root;
    void Create(CButtonTip& btn, TipTestView& view) {
        ASSERT_TRUE(btn.Create("caption", WS_CHILD | WS_VISIBLE, kButton, view.m_hWnd, 10));
        ASSERT_TRUE(MoveMouseTo(630, 470));
        Pump(100);
    }
    void Enter() {
        ASSERT_TRUE(MoveMouseTo(150, 145));
        Pump(200);
    }
    void Leave() {
        ASSERT_TRUE(MoveMouseTo(630, 470));
        Pump(800);
    }
};
} // namespace

TEST_F(Tip, HoverWritesTheNoteIntoTheAreaAndLeavingErasesIt) {
    TipTestView view(true, true);
    CButtonTip btn("Manual", view.GetTipStyle());
    btn.IniType = "Normal";
    btn.Note = "Read the manual of the board before you install anything.";
    Create(btn, view);
    EXPECT_EQ(Shot().Changed(), 0);

    Enter();
    ASSERT_TRUE(btn.m_bHover);
    Shot lit;
    EXPECT_GT(lit.Count(kTip, true), 50);
    EXPECT_EQ(lit.Count(kTip, false), 0);
    // Where there is no text the area shows the picture: right side up, not shifted.
    EXPECT_EQ(lit.At(kArea.right - 1, kArea.bottom - 1),
              TipTestView::PictureAt(kArea.right - 1, kArea.bottom - 1));
    EXPECT_EQ(lit.At(kArea.left, kArea.bottom - 1), TipTestView::PictureAt(kArea.left, kArea.bottom - 1));

    Leave();
    EXPECT_FALSE(btn.m_bHover);
    EXPECT_EQ(Shot().Changed(), 0);

    // Entering again draws it again.
    Enter();
    EXPECT_GT(Shot().Count(kTip, true), 50);
    Leave();
    EXPECT_EQ(Shot().Changed(), 0);
}

TEST_F(Tip, LiveUpdateLayoutsDifferInLength) {
    TipTestView view(true, true);
    CButtonTip btn("VGA", view.GetTipStyle());
    btn.IniType = "Liveupdate";
    btn.CurrentVer = btn.Ver = "6.14.10";
    btn.CurrentDate = btn.Date = "1/2/2005";
    btn.CurrentProvider = btn.Provider = "Vendor";
    Create(btn, view);

    btn.TipMode = "Normal";
    Enter();
    const int normal = Shot().LowestTipRow();
    Leave();
    btn.TipMode = "advance";
    Enter();
    const int advance = Shot().LowestTipRow();
    Leave();
    btn.TipMode = "Other";
    Enter();
    EXPECT_EQ(Shot().Changed(), 0);
    Leave();

    ASSERT_GT(normal, kArea.top);
    // Three more lines of the same height, and the gap of 15 pixels.
    const int line = (normal - kArea.top) / 4;
    EXPECT_GE(advance - normal, 3 * line + 15 - 3);
}

TEST_F(Tip, NothingToSayLeavesThePicture) {
    TipTestView view(true, true);
    CButtonTip btn("Empty", view.GetTipStyle());
    btn.IniType = "Driver";
    Create(btn, view);
    Enter();
    EXPECT_TRUE(btn.m_bHover);
    EXPECT_EQ(Shot().Changed(), 0);
}

TEST_F(Tip, LongTextStaysInsideTheArea) {
    TipTestView view(true, true);
    CButtonTip btn(std::string(3000, 'T'), view.GetTipStyle());
    btn.IniType = "liveupdate";
    btn.TipMode = "Advance";
    btn.Ver = std::string(3000, 'W');
    btn.Provider = std::string(1500, 'x') + " " + std::string(1500, 'y');
    Create(btn, view);
    Enter();
    Shot lit;
    EXPECT_GT(lit.Count(kTip, true), 100);
    EXPECT_EQ(lit.Count(kTip, false), 0);
    Leave();
    EXPECT_EQ(Shot().Changed(), 0);
}

TEST_F(Tip, WithoutPictureOrAreaNothingIsDrawn) {
    for (auto [picture, area] : {std::pair{false, true}, std::pair{true, false}, std::pair{false, false}}) {
        TipTestView view(picture, area);
        Shot before;
        CButtonTip btn("Manual", view.GetTipStyle());
        btn.IniType = "Normal";
        btn.Note = "Read me";
        Create(btn, view);
        Enter();
        EXPECT_TRUE(btn.m_bHover);
        Shot lit;
        EXPECT_EQ(lit.Count(kTip, true) + lit.Count(kTip, false), 0) << picture << area;
        Leave();
        EXPECT_FALSE(btn.m_bHover);
    }
}

TEST(TipColours, OutOfRangeValuesStayInTheirByte) {
    RootIni root("[Root]\r\nTip Color R=300\r\nTip Color G=-7\r\nNoteSize=99999\r\n");
    TipTestView view(false, false);
    CButtonTip btn("x", view.GetTipStyle());
    EXPECT_EQ(btn.TipColor, RGB(255, 0, 255));
    EXPECT_EQ(btn.NoteSize, 10);
    EXPECT_EQ(btn.TipArea, nullptr);
}
