#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"
#include "base/KRegKey.h"

namespace {

class KRegKeyTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    KRegKey hkcu{HKEY_CURRENT_USER};
};

}  // namespace

TEST_F(KRegKeyTest, OpenThrowsEOpenAndCreateMakesEveryLevel) {
    EXPECT_THROW(KRegKey(hkcu, "Missing\\Key", false), KRegKey::EOpen);
    try {
        KRegKey(hkcu, "Missing\\Key", false);
    } catch (const KRegKey::E&) {
        // The base class catches both kinds.
    }
    { KRegKey created(hkcu, "A\\B\\C", true); }
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, "A\\B\\C"));
    EXPECT_NO_THROW(KRegKey(hkcu, "A\\B\\C", false));
}

TEST_F(KRegKeyTest, CreateFailureThrowsECreate) {
    KRegKey bogus(reinterpret_cast<HKEY>(0x1234));
    EXPECT_THROW(KRegKey(bogus, "X", true), KRegKey::ECreate);
}

TEST_F(KRegKeyTest, ReadStringChecksTypeAndLength) {
    KRegKey key(hkcu, "Values", true);
    ASSERT_TRUE(key.writeDword("Number", 7));
    KString out("stale");
    EXPECT_FALSE(key.readString("Number", out));
    EXPECT_EQ(0, out.length());

    std::string path259(259, 'p'), path260(260, 'p');
    key.writeString("P259", path259.c_str());
    key.writeString("P260", path260.c_str());
    EXPECT_TRUE(key.readString("P259", out, 259));
    EXPECT_EQ(259, out.length());
    out = "stale";
    EXPECT_FALSE(key.readString("P260", out, 259));
    EXPECT_EQ(0, out.length());
    EXPECT_TRUE(key.readString("P260", out, 260));

    HKEY raw = key.handle();
    const char expand[] = "%WINDIR%";
    RegSetValueExA(raw, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
    EXPECT_FALSE(key.readString("Expand", out));
    EXPECT_FALSE(key.readString("Absent", out));
}

TEST_F(KRegKeyTest, ReadStringOfValueStoredWithoutTerminator) {
    KRegKey key(hkcu, "Values", true);
    RegSetValueExA(key.handle(), "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    KString out;
    EXPECT_TRUE(key.readString("Bare", out));
    EXPECT_STREQ("abc", out.chars());
}

TEST_F(KRegKeyTest, DefaultAndEmptyValues) {
    KRegKey key(hkcu, "Defaults", true);
    ASSERT_TRUE(key.writeString("", "Lorimund.MIDI"));
    KString out;
    EXPECT_TRUE(key.readString("", out));
    EXPECT_STREQ("Lorimund.MIDI", out.chars());

    ASSERT_TRUE(key.writeString("Empty", KString()));
    DWORD type = 0, size = 0;
    RegQueryValueExA(key.handle(), "Empty", nullptr, &type, nullptr, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(1u, size);
    EXPECT_TRUE(key.readString("Empty", out));
    EXPECT_EQ(0, out.length());
}

TEST_F(KRegKeyTest, DwordAndBinaryValues) {
    KRegKey key(hkcu, "Values", true);
    DWORD value = 0;
    EXPECT_FALSE(key.readDword("Absent", value));
    key.writeString("Text", "1");
    EXPECT_FALSE(key.readDword("Text", value));
    key.writeDword("Flag", 0xFFFFFFFFu);
    EXPECT_TRUE(key.readDword("Flag", value));
    EXPECT_EQ(0xFFFFFFFFu, value);

    BYTE* data = reinterpret_cast<BYTE*>(1);
    DWORD size = 99;
    ASSERT_TRUE(key.writeBinary("Zero", "", 0));
    EXPECT_TRUE(key.readBinary("Zero", data, size, 100));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(0u, size);

    const BYTE bytes[] = {1, 2, 3, 4, 5};
    key.writeBinary("Five", bytes, sizeof bytes);
    EXPECT_FALSE(key.readBinary("Five", data, size, 4));
    EXPECT_EQ(nullptr, data);
    ASSERT_TRUE(key.readBinary("Five", data, size, 5));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(0, memcmp(bytes, data, 5));
    delete[] data;
    EXPECT_FALSE(key.readBinary("Flag", data, size, 100));  // wrong type
}

TEST_F(KRegKeyTest, ValueAndSubKeyQueries) {
    KRegKey key(hkcu, "Q", true);
    EXPECT_FALSE(key.valueExists("V"));
    key.writeDword("V", 1);
    EXPECT_TRUE(key.valueExists("V"));
    EXPECT_TRUE(key.deleteValue("V"));
    EXPECT_FALSE(key.deleteValue("V"));
    EXPECT_FALSE(key.subKeyExists("Sub"));
    { KRegKey sub(key, "Sub", true); }
    { KRegKey sub(key, "Other", true); }
    EXPECT_TRUE(key.subKeyExists("Sub"));
    StringList names;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, key.enumSubKeys(names));
    ASSERT_EQ(2u, names.size());
    EXPECT_TRUE(names[0] == "Other" || names[1] == "Other");
}

TEST_F(KRegKeyTest, DeleteSubKeyTree) {
    { KRegKey deep(hkcu, "Tree\\L1\\L2\\L3", true); }
    { KRegKey side(hkcu, "Tree\\L1\\Side", true); }
    regSetString(HKEY_CURRENT_USER, "Tree\\L1\\L2", "v", "x");
    KRegKey tree(hkcu, "Tree", false);
    EXPECT_TRUE(tree.deleteSubKeyTree("L1"));
    EXPECT_FALSE(regKeyExists(HKEY_CURRENT_USER, "Tree\\L1"));
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, "Tree"));
    EXPECT_FALSE(tree.deleteSubKeyTree("L1"));
    EXPECT_FALSE(tree.deleteSubKeyTree("Never"));
}

TEST_F(KRegKeyTest, RootWrapperLeavesPredefinedKeyOpen) {
    { KRegKey wrapper(HKEY_CURRENT_USER); }
    { KRegKey created(hkcu, "StillThere", true); }
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, "StillThere"));
}
