// Our own SHA-256 against the one CryptoAPI has, on the same random data of awkward lengths, and
// the hasher the downloads use against both.
#include <gtest/gtest.h>

#include <wincrypt.h>

#include <random>
#include <vector>

#include "core/Sha256.h"
#include "win32/Sha256Hasher.h"

namespace {
CSha256::Digest PlatformDigest(const std::vector<unsigned char>& data) {
    CSha256::Digest digest{};
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    DWORD size = digest.size();
    EXPECT_TRUE(CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT));
    EXPECT_TRUE(CryptCreateHash(provider, ALG_CLASS_HASH | ALG_TYPE_ANY | 12, 0, 0, &hash)); // CALG_SHA_256
    EXPECT_TRUE(CryptHashData(hash, data.data(), DWORD(data.size()), 0));
    EXPECT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0));
    CryptDestroyHash(hash);
    CryptReleaseContext(provider, 0);
    return digest;
}
} // namespace

TEST(Sha256, OursEqualsThePlatformsOnRandomData) {
    std::mt19937 random(20260101);
    for (std::size_t size : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 119u, 120u, 1000u, (1u << 20) + 13}) {
        std::vector<unsigned char> data(size);
        for (unsigned char& b : data)
            b = static_cast<unsigned char>(random());
        CSha256 own;
        CSha256Hasher hasher;
        // In pieces that cross the 64-byte blocks.
        for (std::size_t at = 0, n = 1; at < size; at += n, n = n * 3 % 1031 + 1) {
            const std::size_t piece = std::min(n, size - at);
            own.Add(data.data() + at, piece);
            hasher.Add(data.data() + at, DWORD(piece));
        }
        const CSha256::Digest platform = PlatformDigest(data);
        EXPECT_TRUE(own.Finish() == platform) << size;
        const auto used = hasher.Finish();
        ASSERT_TRUE(used.has_value()) << size;
        EXPECT_TRUE(*used == platform) << size;
    }
}
