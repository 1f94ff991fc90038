#pragma once
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/ProfileStore.h"

// Profile files in memory, answering the calls the detection dump uses as kernel32 does:
// names match without regard to case, the first of duplicate keys wins, a section that does not fit
// the buffer is cut and reported as size - 2, a null key deletes a section.
class FakeProfileStore : public ProfileStore {
  public:
    using Lines = std::vector<std::pair<std::string, std::string>>;
    using File = std::vector<std::pair<std::string, Lines>>;
    std::map<std::string, File> files;
    std::set<std::string> readOnly;

    std::size_t GetString(const char* section, const char* key, const char* def, char* buf, std::size_t size,
                          const char* path) override {
        const std::string* value = Find(path, section, key);
        return Copy(value ? *value : std::string(def ? def : ""), buf, size);
    }
    unsigned GetInt(const char*, const char*, int def, const char*) override {
        return static_cast<unsigned>(def);
    }
    std::size_t GetSection(const char* section, char* buf, std::size_t size, const char* path) override {
        std::string all;
        if (Lines* lines = FindSection(path, section))
            for (const auto& kv : *lines)
                all += kv.first + "=" + kv.second + '\0';
        if (size < 2) return 0;
        if (all.size() + 1 <= size) {
            std::memcpy(buf, all.data(), all.size());
            buf[all.size()] = '\0';
            return all.size();
        }
        std::memcpy(buf, all.data(), size - 2);
        buf[size - 2] = buf[size - 1] = '\0';
        return size - 2;
    }
    std::size_t GetSectionNames(char*, std::size_t, const char*) override { return 0; }
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override {
        if (readOnly.count(path)) return false;
        File& file = files[path];
        Lines* lines = FindSection(path, section);
        if (!key) {
            file.erase(
                std::remove_if(file.begin(), file.end(), [&](auto& s) { return Same(s.first, section); }),
                file.end());
            return true;
        }
        if (!lines) {
            file.push_back({section, {}});
            lines = &file.back().second;
        }
        auto it = std::find_if(lines->begin(), lines->end(), [&](auto& kv) { return Same(kv.first, key); });
        if (!value) {
            if (it != lines->end()) lines->erase(it);
        } else if (it != lines->end()) {
            it->second = value;
        } else {
            lines->push_back({key, value});
        }
        return true;
    }

  private:
    static bool Same(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    }
    static std::size_t Copy(const std::string& s, char* buf, std::size_t size) {
        if (size == 0) return 0;
        std::size_t n = std::min(s.size(), size - 1);
        std::memcpy(buf, s.data(), n);
        buf[n] = '\0';
        return n;
    }
    Lines* FindSection(const char* path, const char* section) {
        auto f = files.find(path);
        if (f == files.end()) return nullptr;
        for (auto& s : f->second)
            if (Same(s.first, section)) return &s.second;
        return nullptr;
    }
    const std::string* Find(const char* path, const char* section, const char* key) {
        Lines* lines = FindSection(path, section);
        if (!lines) return nullptr;
        for (const auto& kv : *lines)
            if (Same(kv.first, key)) return &kv.second;
        return nullptr;
    }
};
