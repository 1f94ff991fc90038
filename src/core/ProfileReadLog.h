#pragma once
#include <string>

// Told of every key a CIniFile reads, and how: a tool that checks a CD learns from it which keys the
// program reads, and what it made of them.
class ProfileReadLog {
  public:
    enum class Mode { Plain, Substituted, Integer };
    virtual ~ProfileReadLog() = default;
    // `text` is the key's text as stored (or the default), `value` what the caller got.
    virtual void OnRead(const std::string& path, const std::string& section, const std::string& key,
                        Mode mode, const std::string& text, const std::string& value) = 0;
};
