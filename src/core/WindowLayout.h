#pragma once
#include <cstdint>

#include "core/Rect.h"

// The window's fixed look, the same on every CD: where the view writes the title and subtitle and
// draws the rule, where the descriptions of the buttons go, and the sizes and colours of the texts
// that Root.ini does not set. Colours are 0x00BBGGRR.
struct WindowLayout {
    Rect titleAlone, titleAboveSubtitle, subtitle;
    int titleHeight, titleHeightAboveSubtitle, subtitleHeight; // font heights in pixels
    int shadowOffset; // the white copy of a title lies this far right of and below the black one
    std::uint32_t titleColor, shadowColor;
    int ruleY, ruleLeft, ruleRight, ruleWidth;
    std::uint32_t ruleColor;
    Rect description; // the buttons' descriptions
    int tabFontTenths;
    int liveMessageFontTenths;
    std::uint32_t menuTextColor, liveStartColor;
};

constexpr WindowLayout kWindowLayout = {
    {40, 10, 620, 80},
    {40, 10, 620, 50},
    {40, 50, 620, 80}, //
    40,
    35,
    24,
    2,
    0x000000,
    0xFFFFFF, //
    121,
    40,
    600,
    2,
    0xFFFFFF,             //
    {310, 150, 600, 400}, //
    135,
    140,
    0xFFFFFF,
    0x9B37FF,
};
