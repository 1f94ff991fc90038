// The current folder and the folder to delete are paths of the running machine: whatever they
// are, the walk above the one to delete must end, and read nothing outside either text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/CurrentFolder.h"

namespace {
// Accepts a change unless the byte in `refuse` at that step says no; may also ignore it.
class FuzzFolder : public CurrentFolder {
  public:
    FuzzFolder(std::string start, std::string refuse)
        : m_folder(std::move(start)), m_refuse(std::move(refuse)) {}
    std::string Get() override { return m_folder; }
    bool Set(const std::string& folder) override {
        const char how = m_step < m_refuse.size() ? m_refuse[m_step] : 0;
        ++m_step;
        if (how & 1) return false;
        if (!(how & 2)) m_folder = folder;
        return true;
    }

  private:
    std::string m_folder, m_refuse;
    std::size_t m_step = 0;
};
} // namespace

// Input: current folder NUL path NUL what each change does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t a = text.find('\0');
    const std::size_t b = a == std::string::npos ? a : text.find('\0', a + 1);
    const std::string current = text.substr(0, a);
    const std::string path = a == std::string::npos ? "" : text.substr(a + 1, b - a - 1);
    const std::string refuse = b == std::string::npos ? "" : text.substr(b + 1);
    FuzzFolder folder(current, refuse);
    MoveCurrentFolderAbove(path, folder);
    IsDriveRoot(current);
    return 0;
}
