#include "core/ProfileEngine.h"
#include "TempIni.h"

#include <gtest/gtest.h>

namespace {
ProfileEngine engine;

struct Read {
    size_t n;
    std::string bytes; // what the call wrote, up to the first byte it left alone
};

// Runs a buffer-filling call on a buffer pre-filled with '#', so that untouched bytes show.
template <class Call> Read Fill(size_t size, Call call) {
    std::string buf(size, '#');
    size_t n = call(buf.data(), size);
    return {n, buf.substr(0, buf.find('#'))};
}

Read Str(const std::string& text, const char* sec, const char* key, const char* def, size_t size) {
    TempIni f(text);
    return Fill(size,
                [&](char* b, size_t s) { return engine.GetString(sec, key, def, b, s, f.Path().c_str()); });
}

std::string Value(const std::string& text, const char* sec, const char* key, const char* def) {
    return Str(text, sec, key, def, 100).bytes.c_str();
}
} // namespace

TEST(ProfileEngine, ReadsAsKernel32Does) {
    struct Case {
        const char *text, *section, *key, *expected;
    } cases[] = {
        {"[A]\r\nk=v ;x\r\n", "A", "k", "v ;x"},          // no inline comments
        {"[A]\nk=\"q\"\n", "A", "k", "q"},                // matching quotes go
        {"[A]\nk='q\"\n", "A", "k", "'q\""},              // unmatched stay
        {"[A]\nk=\"\n", "A", "k", "\""},                  // a lone quote stays
        {"  [ A ]  \n \t k \t=\t v \n", "a", " K ", "v"}, // blanks and case
        {"[A]\rk=1\r[B]\rk=2", "B", "k", "2"},            // CR-only lines
        {"[A]\nk=1\nK=2\n[a]\nj=3\n", "A", "K", "1"},     // first key wins
        {"[A]\nk=1\n[a]\nj=3\n", "A", "j", "dflt"},       // a later duplicate section is never read
        {"k0=1\n[A]\n", "", "k0", "1"},                   // keys before any section
        {"[]\nk=1\n", "", "k", "dflt"},                   // an unnamed section is not the leading one
        {"[A] junk\nk=1\n", "A", "k", "1"},               // text after "]"
        {"[A]]\nk=1\n", "A]", "k", "1"},                  // the line's last "]" ends the name
        {"[A]\n[B\nk=1\n", "A", "k", "1"},                // no "]": an ordinary line
        {"[A]\nk\nk=1\n", "A", "k", "dflt"},              // a line without "=" has no value
        {"[A]\n;c=1\n", "A", ";c", "1"},                  // comments are keys to a direct read
        {"[A]\nk=a=b\n", "A", "k", "a=b"},                // the first "=" splits
        {"[A]\n=v\n", "A", "", "v"},                      // an empty key name
        {"\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "1"},        // byte order mark
        {"[\xE9]\nk=1\n", "\xC9", "k", "dflt"},           // case folds in ASCII only
        {"[A]\nk=\n", "A", "k", ""},                      // empty value is not the default
    };
    for (const auto& c : cases)
        EXPECT_EQ(Value(c.text, c.section, c.key, "dflt"), c.expected) << c.text;
}

TEST(ProfileEngine, DefaultLosesTrailingSpacesAndQuotes) {
    const char* text = "[A]\n";
    EXPECT_EQ(Value(text, "A", "x", "  sp  "), "  sp");
    EXPECT_EQ(Value(text, "A", "x", "   "), " ");
    EXPECT_EQ(Value(text, "A", "x", "a \t"), "a \t");
    EXPECT_EQ(Value(text, "A", "x", "\"q\" "), "q");
    EXPECT_EQ(Value("", "A", "x", "absent file"), "absent file");
}

TEST(ProfileEngine, StringIsCutToTheBuffer) {
    const char* text = "[A]\nk=two\nq=\"quoted\"\n";
    EXPECT_EQ(Str(text, "A", "k", "", 0).n, 0u);
    EXPECT_EQ(Str(text, "A", "k", "", 0).bytes, "");
    Read r = Str(text, "A", "k", "", 3);
    EXPECT_EQ(r.n, 2u);
    EXPECT_EQ(r.bytes, std::string("tw\0", 3));
    // A quoted value that would just fit loses its last character; one byte more and it is whole.
    EXPECT_EQ(Str(text, "A", "q", "", 7).bytes, std::string("quote\0", 6));
    EXPECT_EQ(Str(text, "A", "q", "", 8).bytes, std::string("quoted\0", 7));
    EXPECT_EQ(Str(text, "A", "q", "", 6).bytes, std::string("quote\0", 6));
}

TEST(ProfileEngine, SectionListsLinesAndCutsAtSizeMinusTwo) {
    TempIni f("[A]\r\n a = 1 \r\n;c=1\r\nnoeq\r\ne=\"q\"\r\n\r\n[B]\r\n");
    auto sec = [&](const char* name, size_t size) {
        return Fill(size, [&](char* b, size_t s) { return engine.GetSection(name, b, s, f.Path().c_str()); });
    };
    const std::string all("a=1\0noeq\0e=\"q\"\0\0", 16);
    EXPECT_EQ(sec("A", 100).n, 15u);
    EXPECT_EQ(sec("A", 100).bytes, all);
    EXPECT_EQ(sec("A", 17).bytes, all);
    EXPECT_EQ(sec("A", 16).n, 14u); // fits only with a byte to spare
    EXPECT_EQ(sec("A", 16).bytes, all);
    EXPECT_EQ(sec("A", 15).bytes, std::string("a=1\0noeq\0e=\"q\0\0", 15));
    EXPECT_EQ(sec("A", 3).bytes, std::string("a\0\0", 3));
    EXPECT_EQ(sec("A", 1).bytes, std::string("\0", 1));
    EXPECT_EQ(sec("A", 0).n, 0u);
    EXPECT_EQ(sec("B", 100).bytes, std::string("\0\0", 2));
    EXPECT_EQ(sec("none", 100).n, 0u);
}

TEST(ProfileEngine, SectionNamesSkipUnnamedAndCutAtSizeMinusTwo) {
    TempIni f("k=0\n[A]\n[]\n[ A ]\n[B]\n");
    auto names = [&](size_t size) {
        return Fill(size, [&](char* b, size_t s) { return engine.GetSectionNames(b, s, f.Path().c_str()); });
    };
    EXPECT_EQ(names(100).n, 6u);
    EXPECT_EQ(names(100).bytes, std::string("A\0A\0B\0\0", 7));
    EXPECT_EQ(names(8).bytes, std::string("A\0A\0B\0\0", 7));
    EXPECT_EQ(names(7).n, 5u);
    EXPECT_EQ(names(7).bytes, std::string("A\0A\0B\0", 6));
    EXPECT_EQ(names(2).bytes, std::string("\0", 1));
    EXPECT_EQ(names(0).n, 0u);
    TempIni empty("");
    EXPECT_EQ(
        Fill(10, [&](char* b, size_t s) { return engine.GetSectionNames(b, s, empty.Path().c_str()); }).bytes,
        std::string("\0", 1));
}

TEST(ProfileEngine, IntegersTakeSignDecimalOrHexAndWrap) {
    struct Case {
        const char* value;
        unsigned expected;
    } cases[] = {
        {"42", 42},
        {"-1", 4294967295u},
        {"+5", 5},
        {"42x", 42},
        {"abc", 0},
        {"0x10", 16},
        {"0X10", 0},
        {"-0x10", 0u - 16},
        {"0xFf", 255},
        {"010", 10},
        {"99999999999", 1215752191u},
        {"--5", 0},
        {"1 2", 1},
        {"\"7\"", 7},
        {"", 9},
        {"''", 9},
    };
    for (const auto& c : cases) {
        TempIni f(std::string("[A]\nk=") + c.value + "\n");
        EXPECT_EQ(engine.GetInt("A", "k", 9, f.Path().c_str()), c.expected) << c.value;
    }
    TempIni f("[A]\nnoeq\n");
    EXPECT_EQ(engine.GetInt("A", "absent", -7, f.Path().c_str()), 0u - 7);
    EXPECT_EQ(engine.GetInt("A", "noeq", 3, f.Path().c_str()), 3u);
}

TEST(ProfileEngine, WritesKeepTheFilesOtherBytes) {
    struct Case {
        const char *before, *section, *key, *value, *after;
    } cases[] = {
        {"; top\r[A]\r  a = old \r\r[B]\r", "a", "A", "new", "; top\r[A]\ra=new\r\r[B]\r"},
        {"[A]\na=1\n\n[B]\nb=1", "A", "c", "3", "[A]\na=1\nc=3\r\n\n[B]\nb=1"},
        {"[A]\na=1\n\n[B]\nb=1", "B", "c", "", "[A]\na=1\n\n[B]\nb=1\r\nc=\r\n"},
        {"[A]\na=1\n", "New", "k", "v", "[A]\na=1\n[New]\r\nk=v\r\n"},
        {"[A]\nk\n", "A", "k", "v", "[A]\nk=v\n"},
        {"[A]\na=1\n", "", "k0", "v", "k0=v\r\n[A]\na=1\n"},
        {"[A]\n[a]\n", "a", "k", "v", "[A]\nk=v\r\n[a]\n"},
        {"", " S ", " k ", "v", "[S]\r\nk=v\r\n"},
    };
    for (const auto& c : cases) {
        TempIni f(c.before);
        EXPECT_TRUE(engine.WriteString(c.section, c.key, c.value, f.Path().c_str())) << c.before;
        EXPECT_EQ(f.Text(), c.after) << c.before;
    }
}

TEST(ProfileEngine, WriteFailsWithoutAFolderAndCreatesNoFile) {
    TempIni f("");
    std::string path = f.Path() + ".d/x.ini";
    EXPECT_FALSE(engine.WriteString("S", "k", "v", path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
}
