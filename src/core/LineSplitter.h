#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Cuts a child's output, as it arrives in chunks from the pipe, into lines without their line ends.
// A chunk counts up to its first NUL. A carriage return is dropped only when its line feed follows it
// in the same chunk, so one that ends a chunk stays in the line.
class CLineSplitter {
  public:
    void Feed(const char* chunk, std::size_t size, std::vector<std::string>& lines);
    // The text after the last line feed, once the output has ended; false when there is none.
    bool Finish(std::string& rest);

  private:
    std::string m_strLine;
};
