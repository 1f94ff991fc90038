#pragma once
#include <map>
#include <string>

#include "core/ProfileEngine.h"

// The profile engine for a tool that reads a CD many times over: each file is read and parsed once,
// at its first call, and answers as the engine would while it does not change.
class ProfileSnapshot : public ProfileEngine {
  public:
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;

  protected:
    std::shared_ptr<const ProfileText> Load(const char* path) override;

  private:
    std::map<std::string, std::shared_ptr<const ProfileText>> m_files;
};
