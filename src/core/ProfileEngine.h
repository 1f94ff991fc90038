#pragma once
#include <memory>

#include "core/ProfileStore.h"

class ProfileText;

// The profile-file calls over plain files, answering as kernel32 (as Wine implements it) does, with
// the file read as ProfileText says and answered as ProfileAnswers says.
// Paths are used as given (kernel32 would look for a bare file name in the Windows folder).
// Writes change only the line of the key, or add one line (and a header for a new section), and
// leave the file's other bytes as they were.
class ProfileEngine : public ProfileStore {
  public:
    std::size_t GetString(const char* section, const char* key, const char* def, char* buf, std::size_t size,
                          const char* path) override;
    unsigned GetInt(const char* section, const char* key, int def, const char* path) override;
    std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) override;
    std::size_t GetSectionNames(char* buf, std::size_t size, const char* path) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;

  protected:
    // The file as the next call sees it: read anew every time, as kernel32 reads it.
    virtual std::shared_ptr<const ProfileText> Load(const char* path);
};
