#include "core/IniFile.h"
#include "TempIni.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<std::string> V(const std::list<std::string>& l) {
    return {l.begin(), l.end()};
}
} // namespace

TEST(IniFile, StringReadsKeepEmptyValuesAndCutAt2047) {
    std::string v3000(3000, 'x');
    TempIni f("[A]\nempty=\nlong=" + v3000 + "\n");
    CIniFile ini(f.Path());
    EXPECT_EQ(ini.GetString("A", "empty", "dflt"), "");
    EXPECT_EQ(ini.GetString("A", "absent", "dflt"), "dflt");
    EXPECT_EQ(ini.GetString("A", "long", ""), v3000.substr(0, 2047));
    EXPECT_EQ(CIniFile(f.Path() + ".none").GetString("A", "empty", "dflt"), "dflt");
}

TEST(IniFile, IntegersRoundTripAsSignedText) {
    TempIni f("");
    CIniFile ini(f.Path());
    EXPECT_TRUE(ini.WriteInt("S", "k", -5));
    EXPECT_EQ(ini.GetString("S", "k", ""), "-5");
    EXPECT_EQ(ini.GetInt("S", "k", 0), -5);
    EXPECT_TRUE(ini.WriteInt("S", "k", 0));
    EXPECT_EQ(ini.GetString("S", "k", ""), "0");
    EXPECT_TRUE(ini.WriteString("S", "k", ""));
    EXPECT_EQ(ini.GetInt("S", "k", 7), 7);
    EXPECT_EQ(f.Text(), "[S]\r\nk=\r\n");
}

TEST(IniFile, ListsAppendInFileOrder) {
    TempIni f("[A]\r\na=1\r\nc=\r\nnoeq\r\n[B]\r\n");
    CIniFile ini(f.Path());
    std::list<std::string> names = {"old"};
    EXPECT_EQ(ini.GetSectionNames(names), 4);
    EXPECT_EQ(V(names), (std::vector<std::string>{"old", "A", "B"}));

    std::list<std::string> lines;
    EXPECT_EQ(ini.GetSection("a", lines), 12);
    EXPECT_EQ(V(lines), (std::vector<std::string>{"a=1", "c=", "noeq"}));

    std::list<std::string> keys = {"x", "y", "z"};
    EXPECT_EQ(ini.GetKeyNames("A", keys), 6);
    EXPECT_EQ(V(keys), (std::vector<std::string>{"x", "y", "z", "a", "c", "noeq"}));

    std::list<std::string> none;
    EXPECT_EQ(CIniFile(f.Path() + ".none").GetSectionNames(none), 0);
    EXPECT_EQ(ini.GetSection("absent", none), 0);
    EXPECT_TRUE(none.empty());
}

// Lists longer than the 5096-byte buffer are cut: a cut section line is dropped, a cut name is kept.
TEST(IniFile, ListsBeyondTheBufferAreCut) {
    std::string text = "[Big]\n";
    for (int i = 0; i < 600; ++i)
        text += "key" + std::to_string(1000 + i) + "=v\n";
    for (int i = 0; i < 600; ++i)
        text += "[Section" + std::to_string(1000 + i) + "]\n";
    TempIni f(text);
    CIniFile ini(f.Path());
    std::list<std::string> lines, names;
    EXPECT_EQ(ini.GetSection("Big", lines), 5094);
    EXPECT_EQ(lines.size(), 5094u / 10);
    EXPECT_EQ(lines.back(), "key" + std::to_string(1000 + 5094 / 10 - 1) + "=v");
    EXPECT_EQ(ini.GetSectionNames(names), 5094);
    EXPECT_EQ(names.size(), 1 + 5090 / 12 + 1);
    EXPECT_EQ(names.back(), "Se");
}

TEST(IniFile, LongSectionNameIsReadWholeAndLaterSectionsStillFound) {
    std::string name(300, 'L');
    TempIni f("[A]\n[" + name + "]\nin=1\n[After]\nx=2\n");
    CIniFile ini(f.Path());
    std::list<std::string> names;
    ini.GetSectionNames(names);
    EXPECT_EQ(V(names), (std::vector<std::string>{"A", name, "After"}));
    EXPECT_EQ(ini.GetString(names.back(), "x", ""), "2");
    EXPECT_EQ(ini.GetString(name, "in", ""), "1");
}

TEST(IniFile, LanguageVariants) {
    TempIni f("[S]\nNote=x\nBoth=y\nBoth.CHT=\nCaption=a>b\nCaption.ENU=en\nDot.=dot\nDot=plain\n");
    CIniFile ini(f.Path());
    struct Case {
        const char *key, *lang, *chained, *emptyFallback;
    } cases[] = {
        {"Note", "CHT", "x", "x"},      // no variant: the plain key
        {"Both", "CHT", "", "y"},       // an empty variant: empty, or the plain key
        {"Caption", "ENU", "en", "en"}, // the variant, never substituted
        {"Dot", "", "dot", "dot"},      // no language: the key with a lone dot
        {"Absent", "CHT", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.GetLangString("S", c.key, c.lang), c.chained) << c.key;
        EXPECT_EQ(ini.GetLangValue("S", c.key, c.lang), c.emptyFallback) << c.key;
    }
    // The plain key's text is substituted: a stray ">" cuts it there.
    EXPECT_EQ(ini.GetLangString("S", "Caption", "CHT"), "a>b");
    EXPECT_EQ(ini.GetLangValue("S", "Caption", "CHT"), "a");
}

TEST(IniFile, GetValueSubstitutesValuesAndDefaults) {
    TempIni f("[S]\nk=a>b\n");
    CIniFile ini(f.Path());
    EXPECT_EQ(ini.GetValue("S", "k", ""), "a");
    EXPECT_EQ(ini.GetValue("S", "absent", "c<d"), "c");
    EXPECT_EQ(ini.GetString("S", "k", ""), "a>b");
}
