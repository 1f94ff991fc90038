#include "core/JsonText.h"

namespace {
const struct {
    const char* lang;
    unsigned codePage;
} kCodePages[] = {
    {"CHT", 950},  {"CHS", 936},  {"JPN", 932},  {"KRN", 949},  {"THA", 874},  {"CSY", 1250}, {"HUN", 1250},
    {"PLK", 1250}, {"SKY", 1250}, {"SLV", 1250}, {"RUS", 1251}, {"ELL", 1253}, {"TUR", 1254},
};
} // namespace

unsigned AnsiCodePageOf(const std::string& lang) {
    for (const auto& row : kCodePages)
        if (lang == row.lang) return row.codePage;
    return 1252;
}
