#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A profile file's text as the profile calls see it: lines end at CR, LF or CRLF; blanks around
// lines, names and values are dropped; a section header is "[" up to the line's last "]"; names
// match without regard to ASCII case; the first of duplicate sections and keys wins.
class ProfileText {
  public:
    struct Entry {
        std::string key;
        std::optional<std::string> value; // none for a line without "="
        std::size_t begin, end;           // the line's text in the file, without its line end
        int line;                         // from 1
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::size_t end;   // offset after the last line (with its line end) that belongs to the section
        std::size_t begin; // offset of its header line
        int line;          // of its header; 0 for the lines before any header
    };

    explicit ProfileText(const std::string& text);

    // The section the calls answer from; the first one holds the lines before any header and has no name.
    const Section* Find(const std::string& name) const;
    // The entry of `key` the calls answer from, or null.
    static const Entry* FindKey(const Section* section, const std::string& key);
    const std::vector<Section>& Sections() const { return m_sections; }
    // Without the blanks the calls drop around names and values.
    static std::string Trim(const std::string& s);

  private:
    void AddLine(const std::string& raw, std::size_t begin, std::size_t eol, std::size_t next, int line);

    std::vector<Section> m_sections;
};
