#pragma once
#include <string>

// A rectangle in pixels of the view: left, top, right, bottom.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// "left, top, right, bottom" as CD authors write it. A missing number repeats the last one read,
// so "520, 420" gives 520, 420, 420, 420; text without digits reads as 0.
Rect ParseRect(const std::string& text);

// Whether the text holds four decimal numbers, each with an optional sign, separated by commas with
// blanks allowed, and nothing else: the rectangle as written is the rectangle read.
bool IsRectText(const std::string& text);

// The window every rectangle is placed in.
constexpr Rect kWindowRect{0, 0, 640, 480};
