#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/Sha256.h"

// The SHA-256 values a driver section gives for what its button fetches. In Drivers.ini:
//   SHA256=<64 hex digits>                      the file of a file fetch
//   SHA256.1=<64 hex digits> <path>             the files of a folder fetch, numbered from 1 on;
//   SHA256.2=...                                the path is relative to the fetched folder
// (the lines of sha256sum fit as they are). Without any of these keys nothing is checked. With
// one, every file that arrives must match its own value, and every value must find its file: a
// value that is not 64 hex digits, a file without a value and a value without a file all count as
// damaged, never as "no check".
class CHashList {
  public:
    virtual ~CHashList() = default;

    // The SHA256 value of a section.
    void AddFile(const std::string& value);
    // One SHA256.n value of a section.
    void AddEntry(const std::string& line);

    bool Empty() const { return m_entries.empty(); }
    // Whether the file at `path` (relative to the fetch, "/" or "\" between folders; empty for the
    // file of a file fetch) arrived as listed; no digest (the hash could not be made) matches
    // nothing. Each value serves one file.
    bool Matches(const std::string& path, const std::optional<CSha256::Digest>& digest);
    // The paths of the values that no file has matched (an entry without a path gives "").
    std::vector<std::string> Unmatched() const;

  private:
    struct Entry {
        std::string path;
        std::optional<CSha256::Digest> digest; // none: not 64 hex digits
        bool used = false;
    };
    std::vector<Entry> m_entries;
};
