#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/ProfileStore.h"

class ProfileText;

// What the read-once cache asks the platform about a profile file.
class ProfileFiles {
  public:
    // Whatever changes when a file is written or replaced, as far as its folder entry shows: the
    // file's identity, its last-write time and its size.
    struct Stamp {
        std::uint64_t identity, written, size;
        bool operator==(const Stamp& o) const {
            return identity == o.identity && written == o.written && size == o.size;
        }
    };
    virtual ~ProfileFiles() = default;
    // The file the profile calls open for `path`, or empty when they would not answer from a file
    // alone (a name the system maps to the registry).
    virtual std::string Resolve(const char* path) = 0;
    // The file's stamp now; none when it is missing or cannot be stamped.
    virtual std::optional<Stamp> StampOf(const std::string& file) = 0;
    // The file's bytes; none when it cannot be read, or when the calls would see other bytes than
    // these (a code page that does not give them back unchanged, blanks only Unicode knows).
    virtual std::optional<std::string> Read(const std::string& file) = 0;
};

// The profile calls with each file read from its medium once: later reads are answered from memory
// for as long as the file's stamp stays the same, so a file written or replaced by anyone (a download,
// another program) is read anew at the next call. A write goes to the system's calls and drops the
// file. Whatever the engine could not answer exactly as the calls would (no stamp, an unreadable
// file, a byte-order mark, names beyond ASCII, a cut text beyond ASCII) is asked of the calls.
// What no stamp shows is not seen: a rewrite that keeps the size within one tick of the file
// system's clock, and a file another program locks against reading without writing it.
class ProfileCache : public ProfileStore {
  public:
    ProfileCache(ProfileStore& system, ProfileFiles& files) : m_system(system), m_files(files) {}

    std::size_t GetString(const char* section, const char* key, const char* def, char* buf, std::size_t size,
                          const char* path) override;
    unsigned GetInt(const char* section, const char* key, int def, const char* path) override;
    std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) override;
    std::size_t GetSectionNames(char* buf, std::size_t size, const char* path) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;

  private:
    struct File {
        ProfileFiles::Stamp stamp;
        std::shared_ptr<const ProfileText> text; // null: the calls answer for this file
    };
    // The file's text as the calls would see it now, or null when the calls must answer.
    std::shared_ptr<const ProfileText> Text(const char* path);

    ProfileStore& m_system;
    ProfileFiles& m_files;
    std::map<std::string, File> m_cache;
};
