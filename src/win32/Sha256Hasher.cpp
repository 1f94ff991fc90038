#include "win32/Sha256Hasher.h"

namespace {
// XP SP3 brought it; the headers name it only for programs that need SP3 to start.
const ALG_ID kSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12; // CALG_SHA_256
} // namespace

CSha256Hasher::CSha256Hasher() {
    if (!m_api.Loaded() || !m_api.CryptAcquireContextA(m_provider.Receive(), nullptr, nullptr, PROV_RSA_AES,
                                                       CRYPT_VERIFYCONTEXT))
        return;
    if (!m_api.CryptCreateHash(m_provider.Get(), kSha256, 0, 0, m_hash.Receive())) m_hash.Reset();
}

void CSha256Hasher::Add(const void* data, DWORD size) {
    if (!m_hash) {
        m_own.Add(data, size);
        return;
    }
    if (!m_api.CryptHashData(m_hash.Get(), static_cast<const BYTE*>(data), size, 0)) m_bFailed = true;
}

std::optional<CSha256::Digest> CSha256Hasher::Finish() {
    if (!m_hash) return m_own.Finish();
    CSha256::Digest digest;
    DWORD size = digest.size();
    if (m_bFailed || !m_api.CryptGetHashParam(m_hash.Get(), HP_HASHVAL, digest.data(), &size, 0) ||
        size != digest.size())
        return std::nullopt;
    return digest;
}
