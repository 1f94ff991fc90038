#include <gtest/gtest.h>

#include <string>

#include "core/Sha256.h"

namespace {
std::string Hex(const CSha256::Digest& d) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (std::uint8_t b : d)
        s += {digits[b >> 4], digits[b & 15]};
    return s;
}

std::string Hash(const std::string& text) {
    CSha256 h;
    h.Add(text.data(), text.size());
    return Hex(h.Finish());
}
} // namespace

// The examples that NIST publishes for FIPS 180, and the empty message.
TEST(Sha256, NistExamples) {
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", Hash("abc"));
    EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
              Hash("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"));
    EXPECT_EQ(
        "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1",
        Hash(
            "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
            "mnopqrstnopqrstu"));
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Hash(""));
}

// A million "a" in pieces of every length from 1 to 199, crossing the 64-byte blocks everywhere;
// the object starts over after each digest.
TEST(Sha256, MillionAInUnevenPieces) {
    const std::string a(1000000, 'a');
    CSha256 h;
    for (std::size_t at = 0, n = 1; at < a.size(); at += n, n = n % 199 + 1)
        h.Add(a.data() + at, std::min(n, a.size() - at));
    EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", Hex(h.Finish()));
    h.Add("abc", 3);
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", Hex(h.Finish()));
}
