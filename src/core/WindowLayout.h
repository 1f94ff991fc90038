#pragma once
#include <cstdint>

#include "core/Rect.h"

// The window's fixed look, the same on every CD: where the view writes the title and subtitle and
// draws the rule, where the descriptions of the buttons go, and the sizes and colours of the texts
// that Root.ini does not set. Colours are 0x00BBGGRR.
struct WindowLayout {
    Rect titleAlone{40, 10, 620, 80};
    Rect titleAboveSubtitle{40, 10, 620, 50};
    Rect subtitle{40, 50, 620, 80};
    // font heights in pixels
    int titleHeight = 40;
    int titleHeightAboveSubtitle = 35;
    int subtitleHeight = 24;
    int shadowOffset = 2; // the white copy of a title lies this far right of and below the black one
    std::uint32_t titleColor = 0x000000;
    std::uint32_t shadowColor = 0xFFFFFF;
    int ruleY = 121;
    int ruleLeft = 40;
    int ruleRight = 600;
    int ruleWidth = 2;
    std::uint32_t ruleColor = 0xFFFFFF;
    Rect description{310, 150, 600, 400}; // the buttons' descriptions
    int tabFontTenths = 135;
    int liveMessageFontTenths = 140;
    std::uint32_t menuTextColor = 0xFFFFFF;
    std::uint32_t liveStartColor = 0x9B37FF;
};

constexpr WindowLayout kWindowLayout{};
