#include "core/TipLayout.h"

#include <algorithm>
#include <cctype>

#include "core/IniFile.h"
#include "core/PageModel.h"

namespace {
const char kInterface[] = "INTERFACE";
const char kRoot[] = "Root";
// Room left between the installed and the offered driver in the advanced layout.
const int kAdvanceGap = 15;
// A note size from 1 to this is what the CD gets, even one whose text runs out of the area; 0, a
// negative size or a larger one makes no usable font and falls back to the default.
const int kMaxNoteSize = 500;

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::uint32_t Component(const CIniFile& root, const char* key) {
    return static_cast<std::uint32_t>(std::clamp(root.GetInt(kRoot, key, 255), 0, 255));
}

std::string Labelled(const std::string& label, const std::string& value) {
    return label + " " + value;
}
} // namespace

TipLabels ReadTipLabels(const CIniFile& root, const std::string& lang) {
    return {root.GetLangString(kInterface, "Current Install", lang),
            root.GetLangString(kInterface, "Latest Driver", lang),
            root.GetLangString(kInterface, "Issue Date", lang),
            root.GetLangString(kInterface, "Provider", lang)};
}

TipStyle ReadTipStyle(const CIniFile& root) {
    TipStyle style;
    // Each part is kept within its byte so that one cannot spill into the next.
    style.color = Component(root, "Tip Color R") | Component(root, "Tip Color G") << 8 |
                  Component(root, "Tip Color B") << 16;
    const int size = root.GetInt(kRoot, "NoteSize", style.noteSize);
    if (size >= 1 && size <= kMaxNoteSize) style.noteSize = size;
    return style;
}

std::vector<TipLine> TipLines(const TipFields& f, const TipLabels& l) {
    switch (PageTypeOf(f.IniType)) {
    case PageType::Liveupdate: {
        const bool advance = EqualsNoCase(f.TipMode, "Advance");
        if (!advance && !EqualsNoCase(f.TipMode, "Normal")) return {};
        std::vector<TipLine> lines{{f.Title}};
        if (advance) {
            lines.push_back({Labelled(l.currentInstall, f.CurrentVer)});
            lines.push_back({Labelled(l.issueDate, f.CurrentDate)});
            lines.push_back({Labelled(l.provider, f.CurrentProvider)});
        }
        lines.push_back({Labelled(l.latestDriver, f.Ver), advance ? kAdvanceGap : 0});
        lines.push_back({Labelled(l.issueDate, f.Date)});
        lines.push_back({Labelled(l.provider, f.Provider)});
        return lines;
    }
    case PageType::Driver:
    case PageType::Normal:
    case PageType::MBDependent:
        if (f.Note.empty()) return {};
        return {{f.Note}};
    case PageType::SingleInstall:
        return {{f.InstallNote}};
    case PageType::None:
        break;
    }
    return {};
}

const char* TipFace(const std::string& lang) {
    // Big5 bytes of the Traditional Chinese face.
    return lang == "CHT" ? "\xB2\xD3\xA9\xFA\xC5\xE9" : "Times New Roman";
}

bool TipBackgroundPart(const Rect& area, int width, int height, TipBackground& part) {
    const int left = std::max(area.left, 0), right = std::min(area.right, width);
    const int top = std::max(area.top, 0), bottom = std::min(area.bottom, height);
    if (left >= right || top >= bottom) return false;
    // The picture's rows run bottom-up.
    part.source = {left, height - bottom, right, height - top};
    part.destX = left - area.left;
    part.destY = top - area.top;
    return true;
}
