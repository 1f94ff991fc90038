#pragma once
#include <optional>

#include "core/Sha256.h"
#include "win32/LateBound.h"

// SHA-256 of what passes through: CryptoAPI's where the system has it (XP SP3 and later), else
// the program's own.
class CSha256Hasher {
  public:
    CSha256Hasher();
    virtual ~CSha256Hasher() = default;
    CSha256Hasher(const CSha256Hasher&) = delete;
    CSha256Hasher& operator=(const CSha256Hasher&) = delete;

    void Add(const void* data, DWORD size);
    // The digest of everything added, or none when the system's hash failed; a hasher gives one.
    std::optional<CSha256::Digest> Finish();

  private:
    const CCryptoApi m_api;
    CCryptProvider m_provider;
    CCryptHash m_hash; // none: the program's own does the work
    bool m_bFailed = false;
    CSha256 m_own;
};
