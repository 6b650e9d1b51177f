// The autorun policy in the Wine prefix's own HKEY_CURRENT_USER. Each
// test puts the key back as it found it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "autorun/autorun_policy_win.h"
#include "common/ui_texts.h"
#include "support/test_support_win.h"

namespace qb {
namespace {

using namespace qb::test;

constexpr const char* kPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";

struct StoredValue {
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

bool key_exists(const char* subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::vector<StoredValue> values_of(const char* subkey) {
    std::vector<StoredValue> values;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return values;
    UniqueRegistryKey key(raw);
    for (DWORD i = 0;; ++i) {
        char name[256] = {};
        DWORD name_size = sizeof name;
        BYTE data[4096] = {};
        DWORD data_size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), i, name, &name_size, nullptr, &type, data, &data_size) != ERROR_SUCCESS) break;
        values.push_back({name, type, std::vector<BYTE>(data, data + data_size)});
    }
    return values;
}

// Remembers the policy key and its values, and restores them.
class PolicyKeySnapshot {
public:
    PolicyKeySnapshot()
        : policies_existed_(key_exists(kPoliciesKey)),
          explorer_existed_(key_exists(kAutorunPolicyKey)),
          values_(values_of(kAutorunPolicyKey)) {}
    ~PolicyKeySnapshot() {
        RegDeleteKeyA(HKEY_CURRENT_USER, kAutorunPolicyKey);
        if (explorer_existed_) {
            HKEY raw = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, kAutorunPolicyKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                            nullptr);
            UniqueRegistryKey key(raw);
            for (const StoredValue& v : values_) {
                RegSetValueExA(key.get(), v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
            }
        } else if (!policies_existed_) {
            RegDeleteKeyA(HKEY_CURRENT_USER, kPoliciesKey);
        }
    }

private:
    bool policies_existed_;
    bool explorer_existed_;
    std::vector<StoredValue> values_;
};

std::optional<StoredValue> find_policy_value() {
    for (const StoredValue& v : values_of(kAutorunPolicyKey)) {
        if (v.name == kAutorunPolicyValue) return v;
    }
    return std::nullopt;
}

// The value, or one of type REG_NONE without data when there is none.
StoredValue policy_value() { return find_policy_value().value_or(StoredValue{"", REG_NONE, {}}); }

void set_policy_value(DWORD type, std::vector<BYTE> data) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kAutorunPolicyKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                              nullptr),
              ERROR_SUCCESS);
    UniqueRegistryKey key(raw);
    ASSERT_EQ(RegSetValueExA(key.get(), kAutorunPolicyValue, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

std::vector<BYTE> dword_bytes(DWORD value) {
    return {BYTE(value & 0xFF), BYTE((value >> 8) & 0xFF), BYTE((value >> 16) & 0xFF), BYTE(value >> 24)};
}

void set_policy_dword(DWORD value) { set_policy_value(REG_DWORD, dword_bytes(value)); }

void remove_policy_key() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kAutorunPolicyKey);
    ASSERT_FALSE(key_exists(kAutorunPolicyKey));
}

const std::vector<BYTE> kDwordZero{0, 0, 0, 0};

class AutorunPolicy : public ::testing::Test {
protected:
    // What the user was shown, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& box : seams_.boxes) all.push_back(box.text);
        return all;
    }
    void expect_boxes_well_formed() const {
        for (const auto& box : seams_.boxes) {
            EXPECT_EQ(box.caption, ui_text(text::kCheckResultCaption, kRussian));
            EXPECT_EQ(box.type & MB_ICONMASK, 0u) << "no icon: " << box.text;
        }
    }

    PolicyKeySnapshot snapshot_;
    RecordingSeams seams_;
};

TEST_F(AutorunPolicy, AMissingKeyIsCreatedAfterOneQuestion) {
    remove_policy_key();
    seams_.answer = IDYES;
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyKeyMissingQuestion, kRussian), ui_text(text::kPolicyKeyCreated, kRussian)}));
    ASSERT_EQ(seams_.boxes.size(), 2u);
    EXPECT_EQ(seams_.boxes[0].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(seams_.boxes[1].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(policy_value().type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(policy_value().data, kDwordZero);
    expect_boxes_well_formed();
}

TEST_F(AutorunPolicy, NoToTheKeyLeavesTheRegistryUntouched) {
    remove_policy_key();
    seams_.answer = IDNO;
    EXPECT_FALSE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), std::vector<std::string>{ui_text(text::kPolicyKeyMissingQuestion, kRussian)});
    EXPECT_FALSE(key_exists(kAutorunPolicyKey));
}

TEST_F(AutorunPolicy, AValueThatExcludesDrivesIsChangedOnlyAfterYes) {
    set_policy_dword(0x91);
    seams_.answer = IDNO;
    EXPECT_FALSE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), std::vector<std::string>{ui_text(text::kPolicyValueExcludesQuestion, kRussian)});
    EXPECT_EQ(seams_.boxes[0].type, static_cast<UINT>(MB_YESNO));
    ASSERT_TRUE(find_policy_value());
    EXPECT_EQ(policy_value().data, (std::vector<BYTE>{0x91, 0, 0, 0})) << "No keeps the value";

    seams_.boxes.clear();
    seams_.answer = IDYES;
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyValueExcludesQuestion, kRussian), ui_text(text::kPolicyKeyChanged, kRussian)}));
    EXPECT_EQ(policy_value().type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(policy_value().data, kDwordZero);
    expect_boxes_well_formed();
}

TEST_F(AutorunPolicy, ValuesInOrderAreNotWritten) {
    seams_.answer = IDYES;
    for (DWORD value : {DWORD{0}, DWORD{0x100}}) {
        seams_.boxes.clear();
        set_policy_dword(value);
        EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian)) << value;
        EXPECT_EQ(texts(), std::vector<std::string>{ui_text(text::kPolicyInOrder, kRussian)}) << value;
        EXPECT_EQ(policy_value().type, static_cast<DWORD>(REG_DWORD)) << value;
        EXPECT_EQ(policy_value().data, dword_bytes(value)) << value;
    }
    expect_boxes_well_formed();
}

TEST_F(AutorunPolicy, OtherTypesAreJudgedByTheirFirstByte) {
    seams_.answer = IDYES;
    set_policy_value(REG_BINARY, {0x00, 0xFF});
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), std::vector<std::string>{ui_text(text::kPolicyInOrder, kRussian)});
    EXPECT_EQ(policy_value().type, static_cast<DWORD>(REG_BINARY)) << "in order: not rewritten";

    seams_.boxes.clear();
    set_policy_value(REG_SZ, {'0', 0});  // the text "0": its first byte is not 0
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyValueExcludesQuestion, kRussian), ui_text(text::kPolicyKeyChanged, kRussian)}));
    EXPECT_EQ(policy_value().type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(policy_value().data, kDwordZero);

    seams_.boxes.clear();
    set_policy_value(REG_BINARY, {0x04});
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyValueExcludesQuestion, kRussian), ui_text(text::kPolicyKeyChanged, kRussian)}));
}

TEST_F(AutorunPolicy, AnEmptyValueIsNotInOrder) {
    set_policy_value(REG_BINARY, {});
    seams_.answer = IDYES;
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyValueExcludesQuestion, kRussian), ui_text(text::kPolicyKeyChanged, kRussian)}));
    EXPECT_EQ(policy_value().data, kDwordZero);
}

TEST_F(AutorunPolicy, AMissingValueInAnExistingKeyIsCreatedAfterAQuestion) {
    set_policy_dword(0);
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kAutorunPolicyKey, 0, KEY_ALL_ACCESS, &raw), ERROR_SUCCESS);
    RegDeleteValueA(raw, kAutorunPolicyValue);
    RegCloseKey(raw);
    ASSERT_FALSE(find_policy_value());

    seams_.answer = IDNO;
    EXPECT_FALSE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), std::vector<std::string>{ui_text(text::kPolicyValueMissingQuestion, kRussian)});
    EXPECT_FALSE(find_policy_value()) << "No writes nothing";

    seams_.boxes.clear();
    seams_.answer = IDYES;
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyValueMissingQuestion, kRussian), ui_text(text::kPolicyKeyCreated, kRussian)}));
    ASSERT_TRUE(find_policy_value());
    EXPECT_EQ(policy_value().data, kDwordZero);
}

TEST_F(AutorunPolicy, DataLongerThanTheBufferIsAFailureNotAMissingValue) {
    const std::vector<BYTE> long_data(16, 0);
    set_policy_value(REG_BINARY, long_data);
    seams_.answer = IDYES;
    EXPECT_FALSE(check_autorun_policy(seams_, nullptr, kRussian));
    EXPECT_EQ(texts(), std::vector<std::string>{ui_text(text::kPolicyCannotReadValue, kRussian)});
    EXPECT_EQ(policy_value().type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(policy_value().data, long_data) << "nothing written";
    expect_boxes_well_formed();
}

TEST_F(AutorunPolicy, AKeyTheRegistryRefusesIsReported) {
    // A key name longer than the registry allows can be neither opened nor created.
    const std::string refused = "Software\\" + std::string(300, 'k');
    seams_.answer = IDYES;
    EXPECT_FALSE(check_autorun_policy(seams_, nullptr, kRussian, refused.c_str()));
    EXPECT_EQ(texts(), (std::vector<std::string>{ui_text(text::kPolicyKeyMissingQuestion, kRussian), ui_text(text::kPolicyCannotCreateKey, kRussian)}));
    EXPECT_FALSE(key_exists(refused.c_str()));
    expect_boxes_well_formed();
}

using AutorunPolicyAnyLanguage = AutorunPolicy;

// A text value is judged by its bytes in code page 1251, one per
// character, as on a Russian system.
TEST_F(AutorunPolicyAnyLanguage, TextValuesAreJudgedByTheirLengthInCharacters) {
    struct Case {
        std::wstring text;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {L"", {ui_text(text::kPolicyInOrder, kRussian)}},
        {L"Ж", {ui_text(text::kPolicyValueExcludesQuestion, kRussian)}},
        {std::wstring(14, L'ж'), {ui_text(text::kPolicyValueExcludesQuestion, kRussian)}},
        {std::wstring(15, L'ж'), {ui_text(text::kPolicyCannotReadValue, kRussian)}},  // 16 bytes with its terminator
    };
    seams_.answer = IDNO;
    for (const Case& c : cases) {
        seams_.boxes.clear();
        HKEY raw = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                                  0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        UniqueRegistryKey key(raw);
        ASSERT_EQ(RegSetValueExW(key.get(), L"NoDriveTypeAutoRun", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.text.c_str()),
                                 static_cast<DWORD>((c.text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        check_autorun_policy(seams_, nullptr, kRussian);
        EXPECT_EQ(texts(), c.shown) << c.text.size();
    }
}

TEST_F(AutorunPolicyAnyLanguage, ACyrillicKeyNameIsTheKeyOfThatName) {
    const std::wstring wide = L"Software\\Проверка автозапуска";
    RegDeleteKeyW(HKEY_CURRENT_USER, wide.c_str());
    seams_.answer = IDYES;
    EXPECT_TRUE(check_autorun_policy(seams_, nullptr, kRussian, "Software\\Проверка автозапуска"));
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    UniqueRegistryKey key(raw);
    DWORD value = 1;
    DWORD size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key.get(), L"NoDriveTypeAutoRun", nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 0u);
    key.reset();
    RegDeleteKeyW(HKEY_CURRENT_USER, wide.c_str());
}

}  // namespace
}  // namespace qb
