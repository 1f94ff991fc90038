#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/LineSplitter.h"

namespace {
// Feeds the chunks in order and returns every line, the final unterminated one last.
std::vector<std::string> Split(const std::vector<std::string>& chunks) {
    CLineSplitter splitter;
    std::vector<std::string> lines;
    for (const std::string& c : chunks)
        splitter.Feed(c.data(), c.size(), lines);
    std::string rest;
    if (splitter.Finish(rest)) lines.push_back(rest);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineSplitter, CutsChunksIntoLines) {
    struct Case {
        Lines chunks, lines;
    };
    const Case cases[] = {
        {{}, {}},
        {{""}, {}},
        {{"first\r\nsecond"}, {"first", "second"}},
        {{"a\nb\n"}, {"a", "b"}},
        {{"\n\r\n"}, {"", ""}},
        {{"a\r\r\nb"}, {"a\r", "b"}},
        {{"a\rb\n"}, {"a\rb"}},
        {{"par", "tial\n", "end"}, {"partial", "end"}},
        // A carriage return that ends a chunk stays when its line feed starts the next one.
        {{"a\r", "\nb"}, {"a\r", "b"}},
        {{"a", "\r\n"}, {"a"}},
        // A chunk is text up to its first NUL.
        {{std::string("ab\0cd\n", 6), "e\n"}, {"abe"}},
        {{std::string("\0\n", 2)}, {}},
        {{std::string("x\n\0y\n", 5)}, {"x"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lines, Split(c.chunks));
}

TEST(LineSplitter, NothingRemainsAfterFinish) {
    CLineSplitter splitter;
    Lines lines;
    splitter.Feed("tail", 4, lines);
    std::string rest;
    EXPECT_TRUE(splitter.Finish(rest));
    EXPECT_EQ("tail", rest);
    EXPECT_FALSE(splitter.Finish(rest));
}
} // namespace
