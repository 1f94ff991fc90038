#include "win32/Registry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstring>

namespace {
const char kTestKey[] = "Software\\AutorunTest";
const char kBase[] = "Software\\AutorunTest\\Registry";

std::string Sub(const std::string& path) {
    return std::string(kBase) + "\\" + path;
}

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            SHDeleteKeyA(root, kTestKey);
        m_reg.SetRoot(HKEY_CURRENT_USER);
    }
    void TearDown() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            SHDeleteKeyA(root, kTestKey);
    }

    void PutRaw(const std::string& subkey, const char* name, DWORD type, const std::string& data) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())));
        RegCloseKey(key);
    }

    CRegistry m_reg;
};
} // namespace

TEST_F(RegistryTest, WithoutRootNothingIsTouched) {
    CRegistry reg;
    std::string out = "old";
    EXPECT_FALSE(reg.KeyExists("Software"));
    EXPECT_FALSE(reg.GetString("Software", "x", out));
    EXPECT_EQ("", out);
    EXPECT_FALSE(reg.WriteString(Sub("NoRoot"), "x", "y"));
    EXPECT_FALSE(reg.DeleteValue(Sub("NoRoot"), "x"));
    EXPECT_FALSE(reg.DeleteKey(kBase, "NoRoot"));
    EXPECT_FALSE(m_reg.KeyExists(Sub("NoRoot")));
}

TEST_F(RegistryTest, WriteCreatesTheWholePathUnderEitherRoot) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        CRegistry reg;
        reg.SetRoot(root);
        EXPECT_FALSE(reg.KeyExists(Sub("a")));
        ASSERT_TRUE(reg.WriteString(Sub("a\\b\\c"), "Setup", "\"D:\\Autorun.exe\" -silent:3"));
        EXPECT_TRUE(reg.KeyExists(Sub("a\\b")));
        std::string out;
        EXPECT_TRUE(reg.GetString(Sub("a\\b\\c"), "Setup", out));
        EXPECT_EQ("\"D:\\Autorun.exe\" -silent:3", out);
        // Overwrite in place.
        ASSERT_TRUE(reg.WriteString(Sub("a\\b\\c"), "Setup", ""));
        EXPECT_TRUE(reg.GetString(Sub("a\\b\\c"), "Setup", out));
        EXPECT_EQ("", out);
    }
}

TEST_F(RegistryTest, GetStringKeepsWhatFitsAndEmptiesTheRest) {
    struct {
        const char* name;
        DWORD type;
        std::string data;
        bool ok;
        std::string text;
    } const cases[] = {
        {"1023 chars", REG_SZ, std::string(1023, 'a') + '\0', true, std::string(1023, 'a')},
        {"1024 chars", REG_SZ, std::string(1024, 'b') + '\0', false, ""},
        {"2000 chars", REG_SZ, std::string(2000, 'c') + '\0', false, ""},
        {"binary filling the buffer", REG_BINARY, std::string(1024, 'd'), true, std::string(1024, 'd')},
        {"binary with NUL", REG_BINARY, std::string("ab\0cd", 5), true, "ab"},
        {"dword", REG_DWORD, std::string("A\0\0\0", 4), true, "A"},
    };
    for (const auto& c : cases) {
        PutRaw(kBase, c.name, c.type, c.data);
        std::string out = "old";
        EXPECT_EQ(c.ok, m_reg.GetString(kBase, c.name, out)) << c.name;
        EXPECT_EQ(c.text, out) << c.name;
    }
    std::string out = "old";
    EXPECT_FALSE(m_reg.GetString(kBase, "missing", out));
    EXPECT_EQ("", out);
    out = "old";
    EXPECT_FALSE(m_reg.GetString(Sub("missing"), "x", out));
    EXPECT_EQ("", out);
}

TEST_F(RegistryTest, DeleteValueOnlyOnce) {
    ASSERT_TRUE(m_reg.WriteString(kBase, "Setup", "x"));
    EXPECT_TRUE(m_reg.DeleteValue(kBase, "Setup"));
    std::string out;
    EXPECT_FALSE(m_reg.GetString(kBase, "Setup", out));
    EXPECT_FALSE(m_reg.DeleteValue(kBase, "Setup"));
    EXPECT_FALSE(m_reg.DeleteValue(Sub("missing"), "Setup"));
}

TEST_F(RegistryTest, DeleteKeyRemovesOnlyAChildWithoutChildren) {
    ASSERT_TRUE(m_reg.WriteString(Sub("svc\\Enum\\Root"), "v", "1"));
    ASSERT_TRUE(m_reg.WriteString(Sub("svc\\Security"), "v", "1"));
    EXPECT_FALSE(m_reg.DeleteKey(Sub("svc"), "Enum"));
    EXPECT_TRUE(m_reg.KeyExists(Sub("svc\\Enum\\Root")));

    EXPECT_TRUE(m_reg.DeleteKey(Sub("svc\\Enum"), "Root"));
    EXPECT_TRUE(m_reg.DeleteKey(Sub("svc"), "Enum"));
    EXPECT_FALSE(m_reg.KeyExists(Sub("svc\\Enum")));
    EXPECT_TRUE(m_reg.KeyExists(Sub("svc\\Security")));
    EXPECT_FALSE(m_reg.DeleteKey(Sub("svc"), "Enum"));
}
