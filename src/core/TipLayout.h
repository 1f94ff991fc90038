#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Rect.h"

class CIniFile;

// What a page builder tells a button's description: the driver facts, the note and the page kind.
struct TipFields {
    std::string Title;
    std::string CurrentVer, CurrentDate, CurrentProvider; // the installed driver
    std::string Ver, Date, Provider;                      // the offered driver
    std::string Note;
    std::string TipMode; // "Advance" or "Normal" on live-update buttons
    std::string IniType; // the page kind the button belongs to
    std::string InstallNote;
};

// The labels of the driver lines, from section INTERFACE of Root.ini.
struct TipLabels {
    std::string currentInstall, latestDriver, issueDate, provider;
};

// The labels of the driver lines and the face of the text, in the user's language.
struct TipText {
    TipLabels labels;
    std::string face;
};

// Colour (0x00BBGGRR) and point size of the description text.
struct TipStyle {
    std::uint32_t color = 0xFFFFFF;
    int noteSize = 10;
};

// One line of a description; `gap` pixels are left free above it.
struct TipLine {
    std::string text;
    int gap = 0;
};

// Where the part of a bottom-up picture that lies under an area of the window is found: `source`
// counts rows from the picture's bottom, `dest` is where it goes inside the area.
struct TipBackground {
    Rect source;
    int destX = 0, destY = 0;
};

TipLabels ReadTipLabels(const CIniFile& root, const std::string& lang);
TipStyle ReadTipStyle(const CIniFile& root);

// The lines of the description, top to bottom; none when the button has nothing to say.
std::vector<TipLine> TipLines(const TipFields& fields, const TipLabels& labels);

// The face of the description text for the user's language.
const char* TipFace(const std::string& lang);

// The part of a picture of `width` x `height` under `area` (window coordinates); false when the
// area lies wholly outside the picture.
bool TipBackgroundPart(const Rect& area, int width, int height, TipBackground& part);
