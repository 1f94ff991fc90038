#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/TransferReport.h"

// One entry of a folder listing, on the server or on the local disk ("." and ".." left out).
struct FolderEntry {
    std::string name;
    bool folder;
    std::uint32_t size; // low 32 bits
};

// Everything below a folder, listed once before a folder transfer: what to create, what to move
// and how many bytes that is. Both sides (the server and the local disk) are walked alike; the side
// is a function that lists one folder.
class CFolderPlan {
  public:
    // Lists `folder` (ending with "/") into `entries`, and gives the folder's path as the side
    // names it (a relative one resolved), ending with "/". False when it cannot be entered.
    using Lister = std::function<bool(const std::string& folder, std::string& resolved,
                                      std::vector<FolderEntry>& entries)>;

    // A driver folder holds far fewer, even today's of several hundred megabytes.
    static const std::size_t kMaxEntries = 10000;

    struct File {
        std::string path;   // relative to the folder, "/" between levels
        std::string source; // the full path on the listed side
        std::uint32_t size;
    };

    virtual ~CFolderPlan() = default;

    // Walks `root` (ending with "/"). Relative paths longer than `room` characters (a folder's
    // with its closing "/") are left out, which also ends folders that nest without end. Names
    // that would lead out of the folder are left out too. Both go into `report`, as do folders
    // that cannot be listed; the walk goes on past them. It stops when *pAbort turns 1, after
    // m_nMaxEntries entries, or when `root` itself cannot be listed; `report` then says why and
    // the plan is incomplete.
    void Build(const Lister& list, const std::string& root, std::size_t room, const std::atomic<int>* pAbort,
               CTransferReport& report);

    std::size_t m_nMaxEntries = kMaxEntries;
    std::vector<std::string> m_folders; // relative, ending with "/"; each after its parent
    std::vector<File> m_files;          // a folder's files before those of its sub-folders
    std::uint32_t m_dwTotal = 0;        // the sum of the files' sizes

  private:
    // False when the walk must stop.
    bool Walk(const std::string& source, const std::string& relative);

    const Lister* m_list = nullptr;
    std::size_t m_room = 0;
    const std::atomic<int>* m_pAbort = nullptr;
    CTransferReport* m_report = nullptr;
    std::size_t m_entries = 0;
};
