#pragma once
#include <vector>

// Position, stepping and block layout of the busy bar, apart from its window.
class BusyBarState {
  public:
    enum { kBusy = 1, kProgress = 2 };                 // modes
    enum { kBounce = 1, kLoop = 2, kReverseLoop = 4 }; // busy types
    enum { kSingleBlock = 1, kGrowingFill = 2 };       // busy fills

    struct Block {
        int left, right, bottom;
        bool lit;
        int partial; // width of the partial fill inside an unlit block, 0 for none
    };

    BusyBarState(int blocks, int pos);

    void SetNumSteps(int n);
    void SetBlockGap(int gap);
    void SetMode(int mode);
    void SetBusyType(int type);
    void SetBusyFill(int fill);
    void SetGranularity(int g);
    void Step();
    void Reset();
    std::vector<Block> Layout(int width, int height) const;

    int m_nBlocks;
    int m_nPos;
    int m_nStep = 1;
    int m_nGap = 1;
    int m_nMode = kBusy;
    int m_nBusyType = kBounce;
    int m_nFill = kSingleBlock;
    int m_nGranularity = 5;
    int m_nSubSteps;
    int m_nLower = 0;
    int m_nUpper = 100;

  private:
    double Fraction() const;
};
