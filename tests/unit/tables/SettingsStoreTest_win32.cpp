#include "platform/UniqueHkey_win32.h"
#include "platform/Utf16_win32.h"
#include "tables/RegistrySettingsStore_win32.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace psm {
namespace {

const std::wstring Root = L"Software\\VB and VBA Program Settings";
const std::wstring General = Root + L"\\ORNA\\psm\\general";

bool KeyExists(const std::wstring& path) {
    UniqueHkey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

// Runs against the real per-user registry; removes the keys the test created
// and the values it wrote, and leaves everything that was there before.
class RegistrySettings : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const std::wstring& path :
             {General, Root + L"\\ORNA\\psm", Root + L"\\ORNA", Root, General + L"-test"}) {
            if (!KeyExists(path)) {
                m_created.push_back(path);
            }
        }
    }

    void TearDown() override {
        UniqueHkey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, General.c_str(), 0, KEY_SET_VALUE, key.Put()) ==
            ERROR_SUCCESS) {
            for (const wchar_t* name : {L"psmTestValue", L"psmTestOther", L"psmTestDword"}) {
                RegDeleteValueW(key.Get(), name);
            }
        }
        key.Reset();
        // Deepest first: a key with subkeys cannot be deleted.
        RegDeleteKeyW(HKEY_CURRENT_USER, (General + L"-test").c_str());
        for (const std::wstring& path : m_created) {
            RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
        }
    }

    RegistrySettingsStore m_store;
    std::vector<std::wstring> m_created;
};

TEST_F(RegistrySettings, WriteThenReadBack) {
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestValue", "C:\\Bleche\\psm_mm.txt");
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"),
              "C:\\Bleche\\psm_mm.txt");
}

TEST_F(RegistrySettings, OverwriteKeepsTheLastValue) {
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestValue", "first");
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestValue", "second");
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"), "second");
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestValue", "");
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"), "");
}

TEST_F(RegistrySettings, MissingValueSectionOrApplicationReadsEmpty) {
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm-missing", "general", "filename"), "");
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general-missing", "filename"), "");
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestOther", "x");
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"), "");
}

TEST_F(RegistrySettings, StoresAStringValueUnderTheExactKeyPath) {
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestValue", "1234");
    EXPECT_EQ(RegistrySettingsStore::KeyPath("ORNA\\psm", "general"), General);

    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, General.c_str(), 0, KEY_QUERY_VALUE, key.Put()),
              ERROR_SUCCESS);
    wchar_t data[64] = {};
    DWORD type = 0;
    DWORD bytes = sizeof data;
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"psmTestValue", nullptr, &type,
                               reinterpret_cast<BYTE*>(data), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(data), L"1234");
    EXPECT_EQ(bytes, 5 * sizeof(wchar_t));
}

TEST_F(RegistrySettings, UmlautsRoundTrip) {
    const std::string path = "C:\\Bleche\\Blechst\xC3\xA4rke \xE2\x82\xAC\\psm_mm.txt";
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestValue", path);
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"), path);

    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, General.c_str(), 0, KEY_QUERY_VALUE, key.Put()),
              ERROR_SUCCESS);
    wchar_t data[64] = {};
    DWORD bytes = sizeof data;
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"psmTestValue", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(data), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(data), Widen(path));
}

TEST_F(RegistrySettings, ValueOfAnotherTypeOrWithoutTerminatorReadsSensibly) {
    WriteSetting(m_store, "ORNA\\psm", "general", "psmTestOther", "x");
    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, General.c_str(), 0, KEY_SET_VALUE, key.Put()),
              ERROR_SUCCESS);
    const DWORD number = 1200;
    ASSERT_EQ(RegSetValueExW(key.Get(), L"psmTestDword", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestDword"), "");

    // A string stored by another program without its terminator.
    const wchar_t unterminated[] = {L'9', L'0', L'0'};
    ASSERT_EQ(RegSetValueExW(key.Get(), L"psmTestValue", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(unterminated), sizeof unterminated),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"), "900");
}

TEST_F(RegistrySettings, SectionsAreSeparateKeys) {
    WriteSetting(m_store, "ORNA\\psm", "general-test", "psmTestValue", "a");
    EXPECT_EQ(ReadSetting(m_store, "ORNA\\psm", "general", "psmTestValue"), "");
    EXPECT_TRUE(KeyExists(General + L"-test"));
}

} // namespace
} // namespace psm
