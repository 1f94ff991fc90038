#pragma once
#include <cstddef>
#include <string>
#include <vector>

// What a transfer left undone, gathered while it runs so that it can go on past a failed file,
// and told to the user in one message at its end.
class CTransferReport {
  public:
    enum class Fault {
        Failed,   // the transfer of the file did not complete
        Damaged,  // its SHA-256 did not match the list, or the list had no usable value for it
        Missing,  // the list names it, but it did not arrive
        Refused,  // a name from the server that would lead out of the target folder
        TooLong,  // a path longer than the local disk takes
        NoFolder, // a folder that could not be entered
    };
    enum class Stop {
        None,
        Aborted,  // the user cancelled
        TooMany,  // the walk met more than m_nEntryLimit entries
        NoFolder, // the folder to transfer could not be entered
    };

    virtual ~CTransferReport() = default;

    void Add(std::string path, Fault fault) { m_failed.push_back({std::move(path), fault}); }
    Stop m_stop = Stop::None;
    std::size_t m_nEntryLimit = 0;

    bool Complete() const { return m_stop == Stop::None && m_failed.empty(); }
    std::size_t FailedCount() const { return m_failed.size(); }
    // The message for an incomplete transfer that the user did not stop: the stop's reason, or the
    // failed files, at most kListed of them by name. Empty for a complete or cancelled one.
    std::string Message() const;

    static const std::size_t kListed = 15;

  private:
    struct Failure {
        std::string path;
        Fault fault;
    };
    std::vector<Failure> m_failed;
};
