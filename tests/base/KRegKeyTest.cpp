#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RegistrySandbox.h"
#include "base/KRegKey.h"

namespace {

class KRegKeyTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    KRegKey hkcu{HKEY_CURRENT_USER};
};

}  // namespace

TEST_F(KRegKeyTest, OpeningAndCreating) {
    EXPECT_THROW(KRegKey(hkcu, "Missing\\Key", false), KRegKey::EOpen);
    KRegKey bogus(reinterpret_cast<HKEY>(0x1234));
    EXPECT_THROW(KRegKey(bogus, "X", true), KRegKey::ECreate);
    { KRegKey created(hkcu, "A\\B\\C", true); }
    EXPECT_NO_THROW(KRegKey(hkcu, "A\\B\\C", false));
    // Destroying a root wrapper leaves the predefined key usable.
    { KRegKey wrapper(HKEY_CURRENT_USER); }
    { KRegKey created(hkcu, "StillThere", true); }
    EXPECT_TRUE(regKeyExists(HKEY_CURRENT_USER, "StillThere"));
}

TEST_F(KRegKeyTest, ReadStringChecksTypeAndLength) {
    KRegKey key(hkcu, "Values", true);
    HKEY raw = key.handle();
    key.writeDword("Number", 7);
    const char expand[] = "%WINDIR%";
    RegSetValueExA(raw, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
    KString out("stale");
    EXPECT_FALSE(key.readString("Number", out));
    EXPECT_EQ(0, out.length());
    EXPECT_FALSE(key.readString("Expand", out));
    EXPECT_FALSE(key.readString("Absent", out));

    key.writeString("P259", std::string(259, 'p').c_str());
    key.writeString("P260", std::string(260, 'p').c_str());
    EXPECT_TRUE(key.readString("P259", out, 259));
    EXPECT_EQ(259, out.length());
    EXPECT_FALSE(key.readString("P260", out, 259));
    EXPECT_EQ(0, out.length());
    EXPECT_TRUE(key.readString("P260", out, 260));

    // A value stored without its terminator is still read to its end only.
    RegSetValueExA(raw, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    EXPECT_TRUE(key.readString("Bare", out));
    EXPECT_STREQ("abc", out.chars());

    ASSERT_TRUE(key.writeString("", "Lorimund.MIDI"));
    EXPECT_TRUE(key.readString("", out));
    EXPECT_STREQ("Lorimund.MIDI", out.chars());
    ASSERT_TRUE(key.writeString("Empty", KString()));
    DWORD type = 0, size = 0;
    RegQueryValueExA(raw, "Empty", nullptr, &type, nullptr, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(1u, size);
    out = "stale";
    EXPECT_TRUE(key.readString("Empty", out));  // an empty text is a text
    EXPECT_EQ(0, out.length());
}

TEST_F(KRegKeyTest, DwordAndBinaryValues) {
    KRegKey key(hkcu, "Values", true);
    DWORD value = 0;
    key.writeString("Text", "1");
    EXPECT_FALSE(key.readDword("Text", value));
    key.writeDword("Flag", 0xFFFFFFFFu);
    EXPECT_TRUE(key.readDword("Flag", value));
    EXPECT_EQ(0xFFFFFFFFu, value);

    BYTE* data = reinterpret_cast<BYTE*>(1);
    DWORD size = 99;
    key.writeBinary("Zero", "", 0);
    EXPECT_TRUE(key.readBinary("Zero", data, size, 100));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(0u, size);
    const BYTE bytes[] = {1, 2, 3, 4, 5};
    key.writeBinary("Five", bytes, sizeof bytes);
    EXPECT_FALSE(key.readBinary("Five", data, size, 4));
    EXPECT_EQ(nullptr, data);
    ASSERT_TRUE(key.readBinary("Five", data, size, 5));
    EXPECT_EQ(0, memcmp(bytes, data, 5));
    delete[] data;
    EXPECT_FALSE(key.readBinary("Flag", data, size, 100));
}

TEST_F(KRegKeyTest, SubKeysAndDeletion) {
    KRegKey key(hkcu, "Q", true);
    key.writeDword("V", 1);
    EXPECT_TRUE(key.valueExists("V"));
    EXPECT_TRUE(key.deleteValue("V"));
    EXPECT_FALSE(key.valueExists("V"));
    { KRegKey deep(key, "L1\\L2\\L3", true); }
    { KRegKey side(key, "L1\\Side", true); }
    { KRegKey other(key, "Other", true); }
    StringList names;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, key.enumSubKeys(names));
    EXPECT_EQ(2u, names.size());
    EXPECT_TRUE(key.subKeyExists("L1\\L2"));
    EXPECT_TRUE(key.deleteSubKeyTree("L1"));
    EXPECT_FALSE(key.subKeyExists("L1"));
    EXPECT_TRUE(key.subKeyExists("Other"));
    EXPECT_FALSE(key.deleteSubKeyTree("L1"));
}

TEST_F(KRegKeyTest, ValueNamesAndEmptiness) {
    KRegKey key(hkcu, "Names", true);
    EXPECT_TRUE(key.isEmpty());
    const std::string longest(16383, 'n');
    key.writeString("", "default");
    key.writeDword("Netscape 4.5", 1);
    key.writeString(longest.c_str(), "x");
    StringList names;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, key.enumValueNames(names));
    ASSERT_EQ(3u, names.size());
    std::vector<std::string> found;
    for (const KString& name : names)
        found.push_back(name.chars());
    std::sort(found.begin(), found.end());
    EXPECT_EQ((std::vector<std::string>{"", "Netscape 4.5", longest}), found);
    EXPECT_FALSE(key.isEmpty());
    for (const KString& name : names)
        key.deleteValue(name.chars());
    { KRegKey sub(key, "Sub", true); }
    EXPECT_FALSE(key.isEmpty());  // a subkey alone keeps it
}
