#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A file in a fresh temporary folder, removed with the object.
class TempIni {
  public:
    explicit TempIni(const std::string& text, const char* name = "t.ini") {
        char pattern[] = "/tmp/iniXXXXXX";
        m_dir = mkdtemp(pattern);
        m_path = m_dir + "/" + name;
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~TempIni() { std::filesystem::remove_all(m_dir); }
    const std::string& Path() const { return m_path; }
    std::string Text() const {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::string m_dir, m_path;
};
